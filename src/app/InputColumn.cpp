#include "InputColumn.h"

#include "AppConfig.h"
#include "selection/MainFormDesign.h"
#include "widgets/HeaderBar.h"
#include "widgets/LinkLabel.h"
#include "widgets/NumberEntry.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"

#include <QFrame>
#include <QLabel>
#include <QRegularExpression>

namespace qw::app {

namespace {

const FormState& design()
{
    static const FormState form = selection::mainFormDesign();
    return form;
}

QString designText(const char* name)
{
    return QString::fromStdString(design()[name].text);
}

QFrame* inputBox(QWidget* column, const char* name, const char* labelName, const QString& caption,
                 int top)
{
    auto* box = new QFrame(column);
    box->setObjectName(name);
    box->setFrameShape(QFrame::StyledPanel);
    box->setGeometry(4, top, kInputColumnWidth - 8, 40);
    auto* label = new QLabel(caption, box);
    label->setObjectName(labelName);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setGeometry(8, 10, 92, 20);
    return box;
}

// An entry and its arrows, placed in a box; returns nothing because the
// window finds both by name.
void numberInput(QFrame* box, const selection::EntryRange& range)
{
    const char* entryName = range.entry.data();
    auto* entry = new widgets::NumberEntry(designText(entryName), box);
    entry->setObjectName(entryName);
    entry->setGeometry(102, 8, 44, 24);
    auto* arrows = new widgets::UpDown(entry, range.minimum, range.maximum, range.step, box);
    arrows->setObjectName(QString::fromUtf8(range.upDown.data(), range.upDown.size()));
    arrows->setGeometry(148, 8, 18, 24);
}

const selection::EntryRange& rangeOf(std::string_view entry)
{
    for (const auto& range : selection::entryRanges())
        if (range.entry == entry)
            return range;
    throw std::out_of_range(std::string(entry));
}

widgets::RadioGroup* radioGroup(QWidget* column, const char* name, int top, int height,
                                int columns = 1)
{
    const auto& state = design()[name];
    QStringList items;
    for (const auto& item : state.items)
        items << QString::fromStdString(item);
    auto* group =
        new widgets::RadioGroup(QString::fromStdString(state.text), items, columns, column);
    group->setObjectName(name);
    group->setItemIndex(state.itemIndex);
    group->setGeometry(4, top, kInputColumnWidth - 8, height);
    return group;
}

void buildNumberBoxes(QWidget* column)
{
    QFrame* bow = inputBox(column, "BowWeightBox", "BowWeightLbl", "Bow Weight", 6);
    numberInput(bow, rangeOf("BowWeightSpin"));
    numberInput(bow, rangeOf("YouthBowWtSpin"));
    QFrame* length = inputBox(column, "ArrowLengthBox", "ArrowLengthLbl", "Arrow Length", 50);
    numberInput(length, rangeOf("ArrowLengthSpin"));
    numberInput(length, rangeOf("YouthArrowLenSpin"));
    QFrame* point = inputBox(column, "PointWeightBox", "Label6", designText("Label6"), 94);
    numberInput(point, rangeOf("PointWtSpin"));
}

void buildRadioGroups(QWidget* column)
{
    radioGroup(column, "BowType", 140, 66);
    radioGroup(column, "TargBowType", 140, 66);
    radioGroup(column, "HuntCamType", 210, 70);
    // Its items separate the speeds from the cam names with runs of blanks,
    // which line up in no font; the group draws the speeds in a column.
    auto* wheel = radioGroup(column, "WheelType", 210, 70);
    wheel->setFigureColumn(QRegularExpression("((over|under) )?[0-9]+(-[0-9]+)? *$"));
    radioGroup(column, "ReleaseType", 284, 48);
    radioGroup(column, "OverDraw", 336, 74, 2);
    radioGroup(column, "BraceHt", 414, 58);
}

} // namespace

QWidget* buildInputColumn(QWidget* parent)
{
    auto* column =
        new widgets::GradientPanel(QColor(0xF2, 0xF2, 0xEC), QColor(0xC9, 0xCC, 0xC0), parent);
    column->setObjectName("InputColumn");
    column->setGeometry(0, 0, kInputColumnWidth, 542);
    buildNumberBoxes(column);
    buildRadioGroups(column);
    auto* link = new widgets::LinkLabel(kMakerSiteCaption, QUrl(kMakerSiteUrl), column);
    link->setObjectName("WebLinkLbl");
    link->setLinkColour(QColor(0x1F, 0x4E, 0x9A));
    link->setGeometry(8, 512, kInputColumnWidth - 16, 20);
    return column;
}

} // namespace qw::app
