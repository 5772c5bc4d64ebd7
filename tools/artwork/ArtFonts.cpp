#include "ArtFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <stdexcept>

namespace qw::artwork {

namespace {
const QString fontFolder = QStringLiteral("/usr/share/fonts/opentype/urw-base35/");

QFont pixelFont(const QString& family, int pixelSize, QFont::Weight weight, bool italic)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    // Hinting changes glyph shapes with the platform's settings; artwork must
    // not depend on them.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
} // namespace

const ArtFonts& ArtFonts::instance()
{
    static const ArtFonts fonts;
    return fonts;
}

ArtFonts::ArtFonts()
    : displayFamily_(loadFamily(QStringLiteral("URWGothic-Demi.otf"))),
      sansFamily_(loadFamily(QStringLiteral("NimbusSans-Regular.otf"))),
      sansBoldFamily_(loadFamily(QStringLiteral("NimbusSans-Bold.otf"))),
      serifItalicFamily_(loadFamily(QStringLiteral("C059-Italic.otf")))
{
}

QString ArtFonts::loadFamily(const QString& fileName)
{
    const QString path = fontFolder + fileName;
    if (!QFile::exists(path))
        throw std::runtime_error("font file " + path.toStdString() +
                                 " is missing (Debian package fonts-urw-base35)");
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty())
        throw std::runtime_error("font file " + path.toStdString() + " cannot be loaded");
    return families.first();
}

QFont ArtFonts::display(int pixelSize) const
{
    return pixelFont(displayFamily_, pixelSize, QFont::DemiBold, false);
}

QFont ArtFonts::sans(int pixelSize, bool bold) const
{
    return pixelFont(bold ? sansBoldFamily_ : sansFamily_, pixelSize,
                     bold ? QFont::Bold : QFont::Normal, false);
}

QFont ArtFonts::serifItalic(int pixelSize) const
{
    return pixelFont(serifItalicFamily_, pixelSize, QFont::Normal, true);
}

QFont ArtFonts::withSpacing(QFont font, double extraPixels) const
{
    font.setLetterSpacing(QFont::AbsoluteSpacing, extraPixels);
    return font;
}

} // namespace qw::artwork
