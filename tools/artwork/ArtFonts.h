#pragma once

#include <QFont>
#include <QString>

namespace qw::artwork {

// The typefaces the artwork is drawn with. They are loaded from fixed font
// files rather than looked up by family name, so that every machine that has
// the files draws the same pixels as the committed images.
class ArtFonts {
public:
    // Loads the font files; throws std::runtime_error naming a missing file.
    static const ArtFonts& instance();

    QFont display(int pixelSize) const;         // geometric caps for names
    QFont sans(int pixelSize, bool bold) const; // labels and slogans
    QFont serifItalic(int pixelSize) const;     // the season line
    QFont withSpacing(QFont font, double extraPixels) const;

private:
    ArtFonts();
    static QString loadFamily(const QString& fileName);

    QString displayFamily_;
    QString sansFamily_;
    QString sansBoldFamily_;
    QString serifItalicFamily_;
};

} // namespace qw::artwork
