// The "Tuning Information" help topic as the program's help browser reads
// it: Qt's rich-text document, which understands only part of HTML. The
// topic must open at its "context1" anchor, every contents link must land on
// an anchor, and every picture it names must be shipped beside it.
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QtTest>

namespace {

const QString helpFolder = QStringLiteral(QW_SOURCE_DIR "/data/help");

struct Anchors {
    QStringList names; // in document order
    QStringList links; // href targets
    QStringList images;
};

Anchors collect(const QTextDocument& document)
{
    Anchors anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            anchors.names << format.anchorNames();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                anchors.links << format.anchorHref();
            if (format.isImageFormat())
                anchors.images << format.toImageFormat().name();
        }
    return anchors;
}

} // namespace

class TestHelpTopic : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensAtContextOne();
    void everyInPageLinkLandsOnAnAnchor();
    void everyPictureIsShippedAndDecodes();
    void usesNothingTheHelpBrowserCannotShow();

private:
    QString html_;
    QTextDocument document_;
    Anchors anchors_;
};

void TestHelpTopic::initTestCase()
{
    QFile file(helpFolder + "/tuning.html");
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    html_ = QString::fromUtf8(file.readAll());
    document_.setHtml(html_);
    anchors_ = collect(document_);
    QVERIFY(!anchors_.names.isEmpty());
}

void TestHelpTopic::opensAtContextOne()
{
    QCOMPARE(document_.metaInformation(QTextDocument::DocumentTitle),
             QStringLiteral("Tuning Information"));
    // The help command opens the topic at context 1: it must be the first
    // anchor, before the heading, so the viewer shows the topic from its top.
    QCOMPARE(anchors_.names.first(), QStringLiteral("context1"));
    QCOMPARE(anchors_.names.count(QStringLiteral("context1")), 1);
    QVERIFY(document_.begin().text().isEmpty() ||
            document_.begin().text().startsWith(QStringLiteral("Tuning Information")));
}

void TestHelpTopic::everyInPageLinkLandsOnAnAnchor()
{
    const QSet<QString> names(anchors_.names.begin(), anchors_.names.end());
    QVERIFY2(anchors_.names.size() == names.size(), "an anchor name is used twice");
    int inPage = 0;
    for (const QString& link : anchors_.links) {
        QVERIFY2(link.startsWith(QLatin1Char('#')), qPrintable("link leaves the topic: " + link));
        QVERIFY2(names.contains(link.mid(1)), qPrintable("no anchor for " + link));
        ++inPage;
    }
    // The contents list links every section; fewer links means it lost entries.
    QVERIFY2(inPage >= 14, qPrintable(QString::number(inPage)));
}

void TestHelpTopic::everyPictureIsShippedAndDecodes()
{
    QVERIFY(!anchors_.images.isEmpty());
    for (const QString& image : anchors_.images) {
        QVERIFY2(!image.contains(QLatin1Char('/')) && !image.contains(QLatin1Char(':')),
                 qPrintable("picture outside the help folder: " + image));
        QImageReader reader(QDir(helpFolder).filePath(image));
        QVERIFY2(reader.canRead(), qPrintable(image));
        QVERIFY2(!reader.read().isNull(), qPrintable(image));
    }
    // The sizes written in the page must be the pictures' own, or the browser
    // would scale the diagrams and blur their labels.
    const QRegularExpression tag(
        QStringLiteral("<img src=\"([^\"]+)\" width=\"(\\d+)\" height=\"(\\d+)\""));
    int checked = 0;
    for (auto match = tag.globalMatch(html_); match.hasNext(); ++checked) {
        const QRegularExpressionMatch m = match.next();
        const QSize size = QImageReader(QDir(helpFolder).filePath(m.captured(1))).size();
        QCOMPARE(size, QSize(m.captured(2).toInt(), m.captured(3).toInt()));
    }
    QCOMPARE(checked, static_cast<int>(anchors_.images.size()));
}

void TestHelpTopic::usesNothingTheHelpBrowserCannotShow()
{
    for (const char* unsupported :
         {"<script", "javascript:", "<iframe", "<object", "<form", "onclick", "<svg", "@import"})
        QVERIFY2(!html_.contains(QLatin1String(unsupported), Qt::CaseInsensitive), unsupported);
}

QTEST_MAIN(TestHelpTopic)
#include "tst_helptopic.moc"
