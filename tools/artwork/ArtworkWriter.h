#pragma once

#include <QImage>
#include <QString>

namespace qw::artwork {

// Writes every picture under one data folder:
//   artwork/splash.jpg, artwork/banners/<page>_NN.png, help/*.png,
//   artwork/ke/<Set>_<n>.png, artwork/tiles/*.png, artwork/foc_diagram.png,
//   artwork/trajectory_banner.png, artwork/target.png, artwork/guide/*.jpg,
//   artwork/icons/quiverwise.svg and quiverwise_<size>.png (the desktop icon)
// The model guides are drawn from the catalogue sources (specs/Specs.csv and
// legends/*.txt) under the source folder.
// The sizes of the desktop icon's PNG images.
inline constexpr int kDesktopIconSizes[] = {48, 128, 256};

class ArtworkWriter {
public:
    ArtworkWriter(QString dataFolder, QString sourceFolder)
        : dataFolder_(std::move(dataFolder)), sourceFolder_(std::move(sourceFolder))
    {
    }

    // Returns the number of files written; throws std::runtime_error naming the
    // file that could not be written.
    int writeAll() const;

private:
    int writeSplash() const;
    int writeBanners() const;
    int writeHelpPictures() const;
    int writeGamePictures() const;
    int writeCalculatorPictures() const;
    int writeModelGuides() const;
    int writeDesktopIcon() const;
    void save(const QImage& image, const QString& relativePath, const char* format,
              int quality) const;

    QString dataFolder_;
    QString sourceFolder_;
};

} // namespace qw::artwork
