#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

namespace qw::artwork {

// A named picture for the tuning help topic.
struct HelpPicture {
    QString fileName; // inside the help folder
    QImage image;
};

// Simple line diagrams for the "Tuning Information" topic: the static spine
// test, the paper tears as the archer sees them, and the balance point used
// for front of centre.
class HelpDiagrams {
public:
    static constexpr int tearSize = 110;

    std::vector<HelpPicture> renderAll() const;

    QImage spineTest() const;
    QImage frontOfCentre() const;
    // dx, dy: direction the fletching tore, as seen from behind the bow.
    QImage paperTear(int dx, int dy) const;

private:
    void paintLabel(QPainter& painter, const QRectF& box, const QString& text,
                    Qt::Alignment alignment, bool bold = false) const;
};

} // namespace qw::artwork
