// Runs the artwork tool into a temporary folder and checks that it reproduces
// the pictures committed under data/, and that those pictures are what the
// windows need: the right formats and sizes, every banner and game frame
// present, the banners in their page's colours, the about window's text bands
// calm, seamless tiles, and model guides drawn from the catalogue sources.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QString committedData = QStringLiteral(QW_SOURCE_DIR "/data");

struct BannerSet {
    const char* prefix;
    int frames;
    QColor accent;
};

const BannerSet bannerSets[] = {{"hunt", 20, QColor(136, 191, 61)},
                                {"targ", 16, QColor(245, 123, 32)},
                                {"youth", 10, QColor(245, 123, 32)},
                                {"kavl", 7, QColor(164, 78, 45)}};

QString bannerName(const char* prefix, int frame)
{
    return QStringLiteral("artwork/banners/%1_%2.png")
        .arg(QLatin1String(prefix))
        .arg(frame, 2, 10, QLatin1Char('0'));
}

const char* const gameSets[] = {"SmallImg", "MediumImg", "BigImg", "ToughImg", "Tanks"};
constexpr int gameFrames = 3;

QString gameName(const char* set, int frame)
{
    return QStringLiteral("artwork/ke/%1_%2.png").arg(QLatin1String(set)).arg(frame);
}

// The pictures under a data folder's artwork and help folders, as paths
// relative to it.
QStringList pictureFiles(const QString& root)
{
    QStringList files;
    for (const QString& sub : {QStringLiteral("artwork"), QStringLiteral("help")}) {
        QDirIterator it(root + QLatin1Char('/') + sub, {"*.png", "*.jpg"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(root).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

QImage decode(const QString& path, QByteArray* format = nullptr)
{
    QImageReader reader(path);
    if (format)
        *format = reader.format();
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

double meanAbsoluteDifference(const QImage& a, const QImage& b)
{
    double total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q));
        }
    return total / (3.0 * a.width() * a.height());
}

double relativeLuminance(QRgb pixel)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
           0.0722 * linear(qBlue(pixel));
}

// Contrast of white text over the 95th-percentile brightest pixel of a band.
double whiteTextContrast(const QImage& image, const QRect& band)
{
    std::vector<double> luminances;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            luminances.push_back(relativeLuminance(image.pixel(x, y)));
    std::sort(luminances.begin(), luminances.end());
    const double bright = luminances[luminances.size() * 95 / 100];
    return 1.05 / (bright + 0.05);
}

bool near(QRgb pixel, const QColor& colour, int tolerance)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void toolWritesExactlyTheCommittedFiles();
    void splashIsAJpegOfTheWindowSize();
    void picturesHaveTheirSizes_data();
    void picturesHaveTheirSizes();
    void regeneratedPicturesMatchCommitted_data();
    void regeneratedPicturesMatchCommitted();
    void bannersAreAccentOnBlack_data();
    void bannersAreAccentOnBlack();
    void framesOfABannerAllDiffer_data();
    void framesOfABannerAllDiffer();
    void aboutTextBandsStayReadable_data();
    void aboutTextBandsStayReadable();
    void toolRefusesAMissingOutputArgument();
    void picturesAreNotBlank_data();
    void picturesAreNotBlank();
    void framesOfAGameSetAllDiffer_data();
    void framesOfAGameSetAllDiffer();
    void tilesAreSeamless_data();
    void tilesAreSeamless();
    void guidesAreDrawnFromTheCatalogueSources();

private:
    QTemporaryDir generated_;
};

void TestArtwork::initTestCase()
{
    QVERIFY(generated_.isValid());
    QProcess tool;
    tool.setProcessChannelMode(QProcess::SeparateChannels);
    tool.start(QStringLiteral(QW_ARTWORK_TOOL),
               {"--out", generated_.path(), "--source", committedData});
    QVERIFY2(tool.waitForFinished(120000), "artwork tool did not finish");
    QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0,
             tool.readAllStandardError().constData());
}

void TestArtwork::toolWritesExactlyTheCommittedFiles()
{
    QStringList expected = {"artwork/splash.jpg",      "help/foc_balance.png",
                            "help/spine_test.png",     "help/tear_clean.png",
                            "help/tear_nock_high.png", "help/tear_nock_left.png",
                            "help/tear_nock_low.png",  "help/tear_nock_right.png"};
    for (const BannerSet& set : bannerSets)
        for (int frame = 1; frame <= set.frames; ++frame)
            expected << bannerName(set.prefix, frame);
    for (const char* set : gameSets)
        for (int frame = 1; frame <= gameFrames; ++frame)
            expected << gameName(set, frame);
    expected << "artwork/foc_diagram.png" << "artwork/tiles/ke_tile.png"
             << "artwork/tiles/foc_tile.png" << "artwork/trajectory_banner.png"
             << "artwork/target.png" << "artwork/guide/hunt_guide.jpg"
             << "artwork/guide/targ_guide.jpg" << "artwork/guide/kavl_guide.jpg";
    expected.sort();
    QCOMPARE(expected.size(), 84);
    QCOMPARE(pictureFiles(generated_.path()), expected);
    QCOMPARE(pictureFiles(committedData), expected);
}

void TestArtwork::splashIsAJpegOfTheWindowSize()
{
    for (const QString& root : {committedData, generated_.path()}) {
        QByteArray format;
        const QImage splash = decode(root + "/artwork/splash.jpg", &format);
        QCOMPARE(format, QByteArray("jpeg"));
        QVERIFY(!splash.isNull());
        QCOMPARE(splash.size(), QSize(488, 600));
    }
}

void TestArtwork::picturesHaveTheirSizes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    for (const BannerSet& set : bannerSets)
        for (int frame = 1; frame <= set.frames; ++frame) {
            const QString name = bannerName(set.prefix, frame);
            QTest::newRow(qPrintable(name)) << name << QSize(220, 120);
        }
    for (const char* set : gameSets)
        for (int frame = 1; frame <= gameFrames; ++frame)
            QTest::newRow(qPrintable(gameName(set, frame))) << gameName(set, frame) << QSize(150, 150);
    QTest::newRow("FOC diagram") << "artwork/foc_diagram.png" << QSize(560, 150);
    QTest::newRow("KE tile") << "artwork/tiles/ke_tile.png" << QSize(96, 96);
    QTest::newRow("FOC tile") << "artwork/tiles/foc_tile.png" << QSize(96, 96);
    QTest::newRow("trajectory banner") << "artwork/trajectory_banner.png" << QSize(634, 143);
    QTest::newRow("target") << "artwork/target.png" << QSize(96, 118);
    QTest::newRow("hunting guide") << "artwork/guide/hunt_guide.jpg" << QSize(1201, 1593);
    QTest::newRow("target and youth guide") << "artwork/guide/targ_guide.jpg" << QSize(1201, 1628);
    QTest::newRow("Kavel guide") << "artwork/guide/kavl_guide.jpg" << QSize(1213, 911);
    QTest::newRow("spine diagram") << "help/spine_test.png" << QSize(480, 180);
    QTest::newRow("balance diagram") << "help/foc_balance.png" << QSize(480, 140);
    for (const char* tear : {"clean", "nock_high", "nock_low", "nock_left", "nock_right"}) {
        const QString name = QStringLiteral("help/tear_%1.png").arg(QLatin1String(tear));
        QTest::newRow(qPrintable(name)) << name << QSize(110, 110);
    }
}

void TestArtwork::picturesHaveTheirSizes()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QByteArray format;
    const QImage committed = decode(committedData + "/" + file, &format);
    QCOMPARE(format, file.endsWith(".jpg") ? QByteArray("jpeg") : QByteArray("png"));
    QCOMPARE(committed.size(), size);
    QCOMPARE(decode(generated_.path() + "/" + file).size(), size);
}

void TestArtwork::regeneratedPicturesMatchCommitted_data()
{
    QTest::addColumn<QString>("file");
    for (const QString& file : pictureFiles(committedData))
        QTest::newRow(qPrintable(file)) << file;
}

void TestArtwork::regeneratedPicturesMatchCommitted()
{
    QFETCH(QString, file);
    const QImage committed = decode(committedData + "/" + file);
    const QImage regenerated = decode(generated_.path() + "/" + file);
    QCOMPARE(regenerated.size(), committed.size());
    // A font or rasteriser update may move edge pixels slightly; a picture that
    // was changed in the tool but not committed differs far more than this.
    const double difference = meanAbsoluteDifference(committed, regenerated);
    QVERIFY2(difference < 1.5,
             qPrintable(QStringLiteral("mean difference %1: rerun quiverwise-artwork --out data")
                            .arg(difference)));
}

void TestArtwork::bannersAreAccentOnBlack_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QColor>("accent");
    for (const BannerSet& set : bannerSets)
        for (int frame = 1; frame <= set.frames; ++frame) {
            const QString name = bannerName(set.prefix, frame);
            QTest::newRow(qPrintable(name)) << name << set.accent;
        }
}

void TestArtwork::bannersAreAccentOnBlack()
{
    QFETCH(QString, file);
    QFETCH(QColor, accent);
    const QImage banner = decode(committedData + "/" + file);
    int dark = 0, accented = 0;
    for (int y = 0; y < banner.height(); ++y)
        for (int x = 0; x < banner.width(); ++x) {
            const QRgb pixel = banner.pixel(x, y);
            dark += std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) < 40;
            accented += near(pixel, accent, 24);
        }
    const int pixels = banner.width() * banner.height();
    QVERIFY2(dark * 2 > pixels, qPrintable(QStringLiteral("only %1 dark pixels").arg(dark)));
    QVERIFY2(accented >= 200, qPrintable(QStringLiteral("only %1 accent pixels").arg(accented)));
    // The other accents must not leak in: green never on the orange pages and so on.
    for (const BannerSet& other : bannerSets) {
        if (other.accent == accent)
            continue;
        int foreign = 0;
        for (int y = 0; y < banner.height(); ++y)
            for (int x = 0; x < banner.width(); ++x)
                foreign += near(banner.pixel(x, y), other.accent, 10);
        QVERIFY2(
            foreign < 40,
            qPrintable(QStringLiteral("%1 pixels of %2").arg(foreign).arg(other.accent.name())));
    }
}

void TestArtwork::framesOfABannerAllDiffer_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("frames");
    for (const BannerSet& set : bannerSets)
        QTest::newRow(set.prefix) << QString::fromLatin1(set.prefix) << set.frames;
}

void TestArtwork::framesOfABannerAllDiffer()
{
    QFETCH(QString, prefix);
    QFETCH(int, frames);
    std::vector<QImage> images;
    for (int frame = 1; frame <= frames; ++frame)
        images.push_back(decode(committedData + "/" + bannerName(qPrintable(prefix), frame)));
    for (int a = 0; a < frames; ++a)
        for (int b = a + 1; b < frames; ++b)
            QVERIFY2(
                meanAbsoluteDifference(images[a], images[b]) > 2.0,
                qPrintable(QStringLiteral("frames %1 and %2 look alike").arg(a + 1).arg(b + 1)));
}

void TestArtwork::aboutTextBandsStayReadable_data()
{
    // Bands of the about window's white text, in picture coordinates; the text is
    // centred across the window, so the outer margins are left out.
    QTest::addColumn<QRect>("band");
    QTest::newRow("maker lines at the top") << QRect(20, 4, 448, 140);
    QTest::newRow("Visit our WWW site:") << QRect(100, 378, 300, 28);
    QTest::newRow("web link") << QRect(100, 409, 300, 28);
}

void TestArtwork::aboutTextBandsStayReadable()
{
    QFETCH(QRect, band);
    const QImage splash = decode(committedData + "/artwork/splash.jpg");
    // 4.5:1 is the usual threshold for body text; bold 27-pixel text needs less.
    const double contrast = whiteTextContrast(splash, band);
    QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("contrast %1").arg(contrast)));
}

void TestArtwork::toolRefusesAMissingOutputArgument()
{
    QProcess tool;
    tool.start(QStringLiteral(QW_ARTWORK_TOOL), QStringList());
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 2);
    QVERIFY(tool.readAllStandardError().contains("usage"));
}

void TestArtwork::picturesAreNotBlank_data()
{
    QTest::addColumn<QString>("file");
    for (const QString& file : pictureFiles(committedData))
        if (!file.contains("banners/") && !file.startsWith("help/"))
            QTest::newRow(qPrintable(file)) << file;
}

void TestArtwork::picturesAreNotBlank()
{
    // A drawn picture spreads its pixels over many tones; a flat or nearly
    // flat fill (a placeholder, a failed draw) does not.
    QFETCH(QString, file);
    const QImage image = decode(committedData + "/" + file);
    double sum = 0, squares = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double value = qGray(image.pixel(x, y));
            sum += value;
            squares += value * value;
        }
    const double n = double(image.width()) * image.height();
    const double deviation = std::sqrt(squares / n - (sum / n) * (sum / n));
    QVERIFY2(deviation > 2.0, qPrintable(QStringLiteral("deviation %1").arg(deviation)));
}

void TestArtwork::framesOfAGameSetAllDiffer_data()
{
    QTest::addColumn<QString>("set");
    for (const char* set : gameSets)
        QTest::newRow(set) << QString::fromLatin1(set);
}

void TestArtwork::framesOfAGameSetAllDiffer()
{
    QFETCH(QString, set);
    QVERIFY(!QFile::exists(committedData + "/" + gameName(qPrintable(set), gameFrames + 1)));
    std::vector<QImage> frames;
    for (int frame = 1; frame <= gameFrames; ++frame)
        frames.push_back(decode(committedData + "/" + gameName(qPrintable(set), frame)));
    for (int a = 0; a < gameFrames; ++a)
        for (int b = a + 1; b < gameFrames; ++b)
            QVERIFY2(meanAbsoluteDifference(frames[a], frames[b]) > 8.0,
                     qPrintable(QStringLiteral("frames %1 and %2 look alike").arg(a + 1).arg(b + 1)));
}

void TestArtwork::tilesAreSeamless_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("KE tile") << "artwork/tiles/ke_tile.png";
    QTest::newRow("FOC tile") << "artwork/tiles/foc_tile.png";
}

void TestArtwork::tilesAreSeamless()
{
    // Across the seam (last column to first, last row to first) the tile
    // changes no more than it does between neighbours inside it.
    QFETCH(QString, file);
    const QImage tile = decode(committedData + "/" + file);
    auto step = [&](int x1, int y1, int x2, int y2) {
        const QRgb p = tile.pixel(x1, y1), q = tile.pixel(x2, y2);
        return std::abs(qGray(p) - qGray(q));
    };
    const int size = tile.width();
    double seam = 0, inside = 0;
    for (int i = 0; i < size; ++i) {
        seam += step(size - 1, i, 0, i) + step(i, size - 1, i, 0);
        inside += step(size / 2 - 1, i, size / 2, i) + step(i, size / 2 - 1, i, size / 2);
    }
    QVERIFY2(seam <= inside * 1.5 + size,
             qPrintable(QStringLiteral("seam %1, inside %2").arg(seam).arg(inside)));
}

void TestArtwork::guidesAreDrawnFromTheCatalogueSources()
{
    // A copy of the catalogue sources with one Kavel legend line reworded:
    // only the Kavel guide may change. A legend naming a family the
    // specification table lacks stops the tool, naming the family.
    QTemporaryDir sources, output;
    for (const QString& sub : {QStringLiteral("specs"), QStringLiteral("legends")}) {
        QDir().mkpath(sources.filePath(sub));
        for (const QString& name : QDir(committedData + "/" + sub).entryList(QDir::Files))
            QVERIFY(QFile::copy(committedData + "/" + sub + "/" + name,
                                sources.filePath(sub + "/" + name)));
    }
    auto rewrite = [&](const QString& from, const QString& to) {
        QFile legend(sources.filePath("legends/Kavl.txt"));
        QVERIFY(legend.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(legend.readAll());
        legend.close();
        QVERIFY(text.contains(from));
        text.replace(from, to);
        QVERIFY(legend.open(QIODevice::WriteOnly | QIODevice::Truncate));
        legend.write(text.toUtf8());
    };
    auto run = [&](QProcess& tool) {
        tool.start(QStringLiteral(QW_ARTWORK_TOOL),
                   {"--out", output.path(), "--source", sources.path()});
        QVERIFY(tool.waitForFinished(120000));
    };
    rewrite("Kavel Timberline carbon", "Kavel Timberline Pro carbon");
    QProcess tool;
    run(tool);
    QCOMPARE(tool.exitCode(), 0);
    for (const char* guide : {"hunt_guide.jpg", "targ_guide.jpg", "kavl_guide.jpg"}) {
        const QString file = QStringLiteral("artwork/guide/") + guide;
        const double difference = meanAbsoluteDifference(decode(output.filePath(file)),
                                                         decode(generated_.filePath(file)));
        if (QLatin1String(guide) == QLatin1String("kavl_guide.jpg"))
            QVERIFY2(difference > 0.05, qPrintable(QString::number(difference)));
        else
            QCOMPARE(difference, 0.0);
    }
    rewrite("KT ", "KX ");
    QProcess failing;
    run(failing);
    QCOMPARE(failing.exitCode(), 1);
    QVERIFY(failing.readAllStandardError().contains("KX"));
}

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"
