#include "CarbonPanel.h"

#include "PageFurniture.h"
#include "ResultGrid.h"
#include "widgets/CaptionButton.h"

#include <QFrame>
#include <QLabel>

namespace qw::app {

namespace {
// Covers hunting rows 5 to 9 and the colour key.
constexpr int kPanelTop = 110;
constexpr int kTitleHeight = 26;
} // namespace

void buildCarbonPanel(QWidget* huntPage)
{
    auto* panel = new QFrame(huntPage);
    panel->setObjectName("CAWTPanel");
    panel->setFrameShape(QFrame::Box);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, QColor(0x30, 0x36, 0x2A));
    p.setColor(QPalette::WindowText, accentOf(selection::Page::Hunt));
    panel->setPalette(p);

    auto* title = new QLabel("Carbon Shafts", panel);
    title->setObjectName("CAWTTitleLbl");
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 1);
    title->setFont(bold);
    title->setGeometry(8, 4, 200, 20);

    auto* close = new widgets::CaptionButton(panel);
    close->setObjectName("CAWTCloseBtn");
    close->setText("Close");
    close->setFillColour(Qt::black);
    close->setFontColour(accentOf(selection::Page::Hunt));
    close->setHoverColours(accentOf(selection::Page::Hunt), Qt::black);
    close->setGeometry(kGridWidth + 4 - 64, 4, 60, 20);

    const int bottom = buildResultGrid(panel, selection::Page::Hunt,
                                       {{2, kTitleHeight}, 10, 16, 22, "CAWT"}, huntHover);
    panel->setGeometry(4, kPanelTop, kGridWidth + 4, bottom + 2);
    panel->hide();
}

} // namespace qw::app
