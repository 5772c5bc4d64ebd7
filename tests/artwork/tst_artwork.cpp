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
#include <map>
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

// Every picture the tool writes, with its size; a banner with its accent.
struct Picture {
    QString file;
    QSize size;
    QColor accent = {};
};

std::vector<Picture> expectedPictures()
{
    std::vector<Picture> pictures = {{"artwork/splash.jpg", {488, 600}},
                                     {"artwork/foc_diagram.png", {560, 150}},
                                     {"artwork/tiles/ke_tile.png", {96, 96}},
                                     {"artwork/tiles/foc_tile.png", {96, 96}},
                                     {"artwork/trajectory_banner.png", {634, 143}},
                                     {"artwork/target.png", {96, 118}},
                                     {"artwork/guide/hunt_guide.jpg", {1201, 1593}},
                                     {"artwork/guide/targ_guide.jpg", {1201, 1628}},
                                     {"artwork/guide/kavl_guide.jpg", {1213, 911}},
                                     {"help/spine_test.png", {480, 180}},
                                     {"help/foc_balance.png", {480, 140}}};
    for (const char* tear : {"clean", "nock_high", "nock_low", "nock_left", "nock_right"})
        pictures.push_back(
            {QStringLiteral("help/tear_%1.png").arg(QLatin1String(tear)), {110, 110}});
    for (const BannerSet& set : bannerSets)
        for (int frame = 1; frame <= set.frames; ++frame)
            pictures.push_back({bannerName(set.prefix, frame), {220, 120}, set.accent});
    for (const char* set : gameSets)
        for (int frame = 1; frame <= gameFrames; ++frame)
            pictures.push_back({gameName(set, frame), {150, 150}});
    for (int size : {48, 128, 256})
        pictures.push_back({QStringLiteral("artwork/icons/quiverwise_%1.png").arg(size), {size, size}});
    return pictures;
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

// Contrast of white text over the 95th-percentile brightest pixel of a band.
double whiteTextContrast(const QImage& image, const QRect& band)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    std::vector<double> luminances;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            luminances.push_back(0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
                                 0.0722 * linear(qBlue(pixel)));
        }
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

// How many pixels of an image pass a test.
template <typename Test> int countPixels(const QImage& image, Test&& test)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

struct ToolRun {
    int exitCode;
    QByteArray errors;
};

ToolRun runTool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(QW_ARTWORK_TOOL), arguments);
    if (!tool.waitForFinished(120000))
        return {-1, "the artwork tool did not finish"};
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            tool.readAllStandardError()};
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private:
    QTemporaryDir generated_;

private slots:
    void initTestCase()
    {
        QVERIFY(generated_.isValid());
        const ToolRun run = runTool({"--out", generated_.path(), "--source", committedData});
        QVERIFY2(run.exitCode == 0, run.errors.constData());
    }

    void toolWritesExactlyTheCommittedFiles()
    {
        QStringList expected;
        for (const Picture& picture : expectedPictures())
            expected << picture.file;
        expected.sort();
        QCOMPARE(expected.size(), 87);
        QCOMPARE(pictureFiles(generated_.path()), expected);
        QCOMPARE(pictureFiles(committedData), expected);
        // The desktop icon's drawing, as the PNG sizes are drawn from it.
        const QString svg = QStringLiteral("artwork/icons/quiverwise.svg");
        QFile committed(committedData + "/" + svg), regenerated(generated_.path() + "/" + svg);
        QVERIFY(committed.open(QIODevice::ReadOnly) && regenerated.open(QIODevice::ReadOnly));
        QCOMPARE(committed.readAll(), regenerated.readAll());
    }

    // Each picture, committed and regenerated, in its format and size, the
    // two alike. A banner is its page's accent on black, without the other
    // pages' accents (green never on the orange pages and so on). Any other
    // drawn picture (not a help diagram) spreads its pixels over many tones,
    // where a flat or nearly flat fill (a placeholder, a failed draw) does not.
    void eachPicture_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QColor>("accent");
        for (const Picture& picture : expectedPictures())
            QTest::newRow(qPrintable(picture.file))
                << picture.file << picture.size << picture.accent;
    }
    void eachPicture()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QColor, accent);
        const QByteArray format = file.endsWith(".jpg") ? "jpeg" : "png";
        QByteArray committedFormat, regeneratedFormat;
        const QImage committed = decode(committedData + "/" + file, &committedFormat);
        const QImage regenerated = decode(generated_.path() + "/" + file, &regeneratedFormat);
        QCOMPARE(committedFormat, format);
        QCOMPARE(regeneratedFormat, format);
        QCOMPARE(committed.size(), size);
        QCOMPARE(regenerated.size(), size);
        // A font or rasteriser update may move edge pixels slightly; a picture that
        // was changed in the tool but not committed differs far more than this.
        const double difference = meanAbsoluteDifference(committed, regenerated);
        QVERIFY2(
            difference < 1.5,
            qPrintable(QStringLiteral("mean difference %1: rerun quiverwise-artwork --out data")
                           .arg(difference)));
        if (accent.isValid()) {
            const int dark = countPixels(committed, [](QRgb pixel) {
                return std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) < 40;
            });
            const int accented =
                countPixels(committed, [&](QRgb pixel) { return near(pixel, accent, 24); });
            QVERIFY2(dark * 2 > size.width() * size.height(),
                     qPrintable(QStringLiteral("only %1 dark pixels").arg(dark)));
            QVERIFY2(accented >= 200,
                     qPrintable(QStringLiteral("only %1 accent pixels").arg(accented)));
            for (const BannerSet& other : bannerSets) {
                const int foreign = countPixels(
                    committed, [&](QRgb pixel) { return near(pixel, other.accent, 10); });
                QVERIFY2(
                    other.accent == accent || foreign < 40,
                    qPrintable(
                        QStringLiteral("%1 pixels of %2").arg(foreign).arg(other.accent.name())));
            }
        } else if (!file.startsWith("help/")) {
            double sum = 0, squares = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x) {
                    const double value = qGray(committed.pixel(x, y));
                    sum += value;
                    squares += value * value;
                }
            const double n = double(size.width()) * size.height();
            const double deviation = std::sqrt(squares / n - (sum / n) * (sum / n));
            QVERIFY2(deviation > 2.0, qPrintable(QStringLiteral("deviation %1").arg(deviation)));
        }
    }

    // Banner frames differ a little from each other, game frames plainly.
    void framesOfASetAllDiffer()
    {
        std::map<QString, std::vector<QImage>> sets; // by the name before the frame number
        for (const Picture& picture : expectedPictures())
            if (picture.file.contains("banners/") || picture.file.contains("/ke/"))
                sets[picture.file.section('_', 0, -2)].push_back(
                    decode(committedData + "/" + picture.file));
        QCOMPARE(sets.size(), std::size(bannerSets) + std::size(gameSets));
        for (const auto& [set, frames] : sets) {
            const double threshold = set.contains("banners/") ? 2.0 : 8.0;
            for (std::size_t a = 0; a < frames.size(); ++a)
                for (std::size_t b = a + 1; b < frames.size(); ++b)
                    QVERIFY2(meanAbsoluteDifference(frames[a], frames[b]) > threshold,
                             qPrintable(QStringLiteral("%1: frames %2 and %3 look alike")
                                            .arg(set)
                                            .arg(a + 1)
                                            .arg(b + 1)));
        }
    }

    // The bands of the about window's white text, in picture coordinates:
    // the maker lines at the top, "Visit our WWW site:" and the web link. The
    // text is centred across the window, so the outer margins are left out.
    // 4.5:1 is the usual threshold for body text; bold 27-pixel text needs less.
    void aboutTextBandsStayReadable()
    {
        const QImage splash = decode(committedData + "/artwork/splash.jpg");
        for (const QRect& band :
             {QRect(20, 4, 448, 140), QRect(100, 378, 300, 28), QRect(100, 409, 300, 28)}) {
            const double contrast = whiteTextContrast(splash, band);
            QVERIFY2(contrast >= 4.5,
                     qPrintable(QStringLiteral("contrast %1 at y %2").arg(contrast).arg(band.y())));
        }
    }

    void toolRefusesAMissingOutputArgument()
    {
        const ToolRun run = runTool({});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.errors.contains("usage"));
    }

    // Across the seam (last column to first, last row to first) a tile
    // changes no more than it does between neighbours inside it.
    void tilesAreSeamless()
    {
        for (const char* file : {"artwork/tiles/ke_tile.png", "artwork/tiles/foc_tile.png"}) {
            const QImage tile = decode(committedData + "/" + file);
            auto step = [&](int x1, int y1, int x2, int y2) {
                return std::abs(qGray(tile.pixel(x1, y1)) - qGray(tile.pixel(x2, y2)));
            };
            const int size = tile.width();
            double seam = 0, inside = 0;
            for (int i = 0; i < size; ++i) {
                seam += step(size - 1, i, 0, i) + step(i, size - 1, i, 0);
                inside += step(size / 2 - 1, i, size / 2, i) + step(i, size / 2 - 1, i, size / 2);
            }
            QVERIFY2(seam <= inside * 1.5 + size,
                     qPrintable(
                         QStringLiteral("%1: seam %2, inside %3").arg(file).arg(seam).arg(inside)));
        }
    }

    // A copy of the catalogue sources with one Kavel legend line reworded:
    // only the Kavel guide may change. A legend naming a family the
    // specification table lacks stops the tool, naming the family.
    void guidesAreDrawnFromTheCatalogueSources()
    {
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
        const QStringList arguments = {"--out", output.path(), "--source", sources.path()};
        rewrite("Kavel Timberline carbon", "Kavel Timberline Pro carbon");
        QCOMPARE(runTool(arguments).exitCode, 0);
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
        const ToolRun failing = runTool(arguments);
        QCOMPARE(failing.exitCode, 1);
        QVERIFY(failing.errors.contains("KX"));
    }
};

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"
