#include "ArtworkWriter.h"

#include "AppIcon.h"
#include "BannerArt.h"
#include "BannerCatalogue.h"
#include "CalculatorArt.h"
#include "GameArt.h"
#include "GuideArt.h"
#include "GuideCatalogue.h"
#include "HelpDiagrams.h"
#include "SplashArt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <iterator>
#include <stdexcept>

namespace qw::artwork {

int ArtworkWriter::writeAll() const
{
    return writeSplash() + writeBanners() + writeHelpPictures() + writeGamePictures() +
           writeCalculatorPictures() + writeModelGuides() + writeDesktopIcon();
}

int ArtworkWriter::writeSplash() const
{
    save(SplashArt().render(), QStringLiteral("artwork/splash.jpg"), "jpeg", 92);
    return 1;
}

int ArtworkWriter::writeBanners() const
{
    int written = 0;
    for (const BannerFamily& family : BannerCatalogue::families()) {
        const BannerArt art(family);
        for (int frame = 0; frame < family.frameCount; ++frame) {
            const QString name = QStringLiteral("artwork/banners/%1_%2.png")
                                     .arg(family.filePrefix)
                                     .arg(frame + 1, 2, 10, QLatin1Char('0'));
            save(art.render(frame), name, "png", -1);
            ++written;
        }
    }
    return written;
}

int ArtworkWriter::writeHelpPictures() const
{
    int written = 0;
    for (const HelpPicture& picture : HelpDiagrams().renderAll()) {
        save(picture.image, QStringLiteral("help/") + picture.fileName, "png", -1);
        ++written;
    }
    return written;
}

int ArtworkWriter::writeGamePictures() const
{
    int written = 0;
    const GameArt art;
    for (const GameArt::Set& set : GameArt::sets())
        for (std::size_t frame = 0; frame < set.frames.size(); ++frame) {
            save(art.render(set, set.frames[frame]),
                 QStringLiteral("artwork/ke/%1_%2.png").arg(set.name).arg(frame + 1), "png", -1);
            ++written;
        }
    return written;
}

int ArtworkWriter::writeCalculatorPictures() const
{
    const CalculatorArt art;
    save(art.focDiagram(), QStringLiteral("artwork/foc_diagram.png"), "png", -1);
    save(art.keTile(), QStringLiteral("artwork/tiles/ke_tile.png"), "png", -1);
    save(art.focTile(), QStringLiteral("artwork/tiles/foc_tile.png"), "png", -1);
    save(art.trajectoryBanner(), QStringLiteral("artwork/trajectory_banner.png"), "png", -1);
    save(art.target(), QStringLiteral("artwork/target.png"), "png", -1);
    return 5;
}

int ArtworkWriter::writeModelGuides() const
{
    int written = 0;
    const GuideCatalogue catalogue(sourceFolder_);
    for (const GuidePage& page : catalogue.pages()) {
        save(GuideArt(page).render(), QStringLiteral("artwork/guide/") + page.fileName, "jpeg", 90);
        ++written;
    }
    return written;
}

int ArtworkWriter::writeDesktopIcon() const
{
    const AppIcon icon;
    const QString svgPath = QDir(dataFolder_).filePath(QStringLiteral("artwork/icons/quiverwise.svg"));
    if (!QDir().mkpath(QFileInfo(svgPath).absolutePath()))
        throw std::runtime_error("cannot create the folder for " + svgPath.toStdString());
    QFile svg(svgPath);
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        svg.write(icon.svg().toUtf8()) < 0)
        throw std::runtime_error("cannot write " + svgPath.toStdString());
    for (int size : kDesktopIconSizes)
        save(icon.render(size), QStringLiteral("artwork/icons/quiverwise_%1.png").arg(size), "png",
             -1);
    return 1 + int(std::size(kDesktopIconSizes));
}

void ArtworkWriter::save(const QImage& image, const QString& relativePath, const char* format,
                         int quality) const
{
    const QString path = QDir(dataFolder_).filePath(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw std::runtime_error("cannot create the folder for " + path.toStdString());
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 writer.errorString().toStdString());
}

} // namespace qw::artwork
