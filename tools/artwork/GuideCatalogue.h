#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace qw::artwork {

// One model family as the model guide shows it, summarised from the
// specification source (specs/Specs.csv) and the page legends
// (legends/*.txt) so that the guide and the tables always agree.
struct GuideFamily {
    QString code;       // "52", "QK", "CF" ...
    QString legend;     // the legend line's text
    QString note;       // a combined line such as "QK,52  Tube sold as both ..."
    QString arrowType;  // "Aluminum", "Aluminum/Carbon", "Carbon"
    QStringList sizes;  // in size order
    QString gpiRange;   // "6.38 - 16.4"; two-alloy tubes: "7.20 - 8.38 (Ridgeline 52: 7.63 - 8.89)"
    QString spineRange; // "0.198 - 1.352"
    QString lengthRange; // "29 - 32 in"
    QString sampleSize;  // the size whose section is drawn (middle of the range)
    double sampleOd = 0, sampleId = 0, sampleWall = 0;
};

struct GuideSection {
    QString title; // "Hunting shafts"
    std::vector<GuideFamily> families;
};

struct GuidePage {
    QString fileName; // under artwork/guide
    QSize size;
    QString brand;    // "NORVANE" or "KAVEL"
    QString title;    // "2011 Hunting Shaft Models"
    QColor accent;
    std::vector<GuideSection> sections;
};

// Reads the catalogue sources under a data folder; throws std::runtime_error
// naming a missing file, a malformed line or a legend code without shafts.
class GuideCatalogue {
public:
    explicit GuideCatalogue(const QString& sourceFolder);

    const std::vector<GuidePage>& pages() const { return pages_; }

private:
    struct SpecRow {
        QString size, suffix, arrowType, length, od, id, wall, gpi, spine;
    };
    GuideSection section(const QString& title, const QString& legendFile) const;
    GuideFamily family(const QString& code, const QString& legend) const;

    QString folder_;
    std::vector<SpecRow> specs_;
    std::vector<GuidePage> pages_;
};

} // namespace qw::artwork
