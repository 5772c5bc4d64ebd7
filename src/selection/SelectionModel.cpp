#include "SelectionModel.h"

#include "ChartTables.h"
#include "GridCells.h"
#include "InvalidSelection.h"
#include "MainFormDesign.h"
#include "Pages.h"
#include "Recommendation.h"
#include "RecommendationPainter.h"

#include <core/NumberText.h>

#include <algorithm>
#include <stdexcept>

namespace qw::selection {

class SelectionModel::Impl {
public:
    Impl(std::filesystem::path dataFolder, MessageSink& messages)
        : dataFolder_(std::move(dataFolder)), messages_(messages), form_(mainFormDesign()),
          grid_(form_), tables_(dataFolder_)
    {
    }

    void findRec();
    void changeText(std::string_view entry, std::string text);
    void typeText(std::string_view entry, std::string text);
    void applySetup(const SetupInputs& setup);
    void selectItem(std::string_view group, int index, bool runEvenIfSame);
    void setItemQuietly(std::string_view group, int index);
    void changePage(Page page);
    void setActivePage(Page page);
    bool sizeCellClick(Page page, int row);
    bool carbonWeightClick(int row);
    void closeCarbonPanel();
    void notify()
    {
        if (changed_)
            changed_();
    }

    std::filesystem::path dataFolder_;
    MessageSink& messages_;
    FormState form_;
    GridCells grid_;
    ChartTables tables_;
    // The grids as painted, as values. A run that stops at an unfinished
    // row leaves that row's weight and the rows after it showing what they
    // showed, and so here.
    PaintedGrids painted_;
    Recommendation last_;
    bool heldBack_ = false;
    std::function<void()> changed_;

private:
    Recommendation run();
    Page activePage() const { return static_cast<Page>(form_["ShaftsNB"].itemIndex); }
    void invalidSelection(Recommendation& result);
    int clampedIndex(std::string_view group, int index) const;

    bool busy_ = false;   // a user action's run is in progress
    bool typing_ = false; // the run comes from a keystroke: hold messages back
};

// One user action's run of FindRec. A setup off the chart ends the run with
// no shafts on screen; the invalid-selection step then says so once and,
// where the page's bow weight entry does not hold its default, resets it and
// runs again, so that what the page shows is the reset setup's
// recommendation and nothing of the rejected one. The second run never
// repeats the message or the reset: a setup still off the chart keeps an
// empty grid and a status line that says why.
void SelectionModel::Impl::findRec()
{
    if (busy_)
        return; // a timer firing while this action's message box is open
    busy_ = true;
    heldBack_ = false;
    bool heldBack = false;
    Recommendation result = run();
    if (typing_ && (result.conversionFailed || result.offTheChart())) {
        // A keystroke may be half a number: the next one can still mend it.
        heldBack = true;
        result.summary.failed = false;
    } else if (result.offTheChart() && !result.summary.failed) {
        invalidSelection(result);
    }
    last_ = std::move(result);
    heldBack_ = heldBack;
    busy_ = false;
    notify();
    // A table that opened with a leftover journal it did not apply says so
    // once; the run itself went on with the table as it is.
    for (const std::string& notice : tables_.takeNotices())
        messages_.information(notice, 0);
    if (last_.summary.failed)
        messages_.error(last_.failure);
}

// The engine's answer for the inputs as they are, painted into the form.
Recommendation SelectionModel::Impl::run()
{
    Recommendation result = recommend(readSetup(form_), activePage(), tables_);
    paintRecommendation(result, form_, grid_, painted_);
    return result;
}

void SelectionModel::Impl::invalidSelection(Recommendation& result)
{
    std::string text;
    try {
        text = readInvalidSelectionText(dataFolder_);
    } catch (const std::runtime_error& error) {
        result.summary.failed = true;
        result.summary.failure = error.what();
        result.failure = error.what();
        return;
    }
    // The user sees the message with the grid already emptied, never with
    // the shafts of the rejected setup.
    notify();
    messages_.information(text, kInvalidSelectionHelpContext);
    if (!result.resetEntry)
        return;
    form_[controlName(*result.resetEntry)].text = result.resetText;
    result = run();
    result.summary.bowWeightReset = true;
}

void SelectionModel::Impl::changeText(std::string_view entry, std::string text)
{
    ControlState& control = form_[entry];
    if (control.text == text)
        return;
    control.text = std::move(text);
    findRec(); // its notification shows the new text with the new grid
}

void SelectionModel::Impl::typeText(std::string_view entry, std::string text)
{
    ControlState& control = form_[entry];
    if (control.text == text)
        return;
    control.text = std::move(text);
    typing_ = true;
    findRec(); // its notification shows the new text with the new grid
    typing_ = false;
}

void SelectionModel::Impl::applySetup(const SetupInputs& setup)
{
    for (SetupEntry entry : kAllSetupEntries)
        form_[controlName(entry)].text = setup.text(entry);
    for (SetupGroup group : kAllSetupGroups)
        form_[controlName(group)].itemIndex = clampedIndex(controlName(group), setup.item(group));
    form_["ShaftsNB"].itemIndex = static_cast<int>(setup.page);
    findRec(); // its notification shows the recalled setup with its grid
}

int SelectionModel::Impl::clampedIndex(std::string_view group, int index) const
{
    const ControlState& control = form_[group];
    if (control.items.empty())
        return -1;
    return std::clamp(index, 0, static_cast<int>(control.items.size()) - 1);
}

void SelectionModel::Impl::selectItem(std::string_view group, int index, bool runEvenIfSame)
{
    ControlState& control = form_[group];
    const int clamped = clampedIndex(group, index);
    if (control.itemIndex == clamped && !runEvenIfSame)
        return;
    control.itemIndex = clamped;
    findRec(); // its notification shows the new item with the new grid
}

void SelectionModel::Impl::setItemQuietly(std::string_view group, int index)
{
    form_[group].itemIndex = clampedIndex(group, index);
    notify();
}

void SelectionModel::Impl::changePage(Page page)
{
    if (form_["ShaftsNB"].itemIndex == static_cast<int>(page))
        return;
    form_["ShaftsNB"].itemIndex = static_cast<int>(page);
    findRec();
}

void SelectionModel::Impl::setActivePage(Page page)
{
    form_["ShaftsNB"].itemIndex = static_cast<int>(page);
    notify();
}

bool SelectionModel::Impl::sizeCellClick(Page page, int row)
{
    if (row < 1 || row > pageInfo(page).rows)
        return false;
    const ControlState& size = form_[cellName(page, CellKind::Size, row)];
    if (!size.enabled)
        return false;
    // The shaft the cell shows, as the engine gave it: no table is read
    // again. An empty row that keeps its cell enabled hands on no shaft.
    const RecommendedRow& shown = painted_.row(page, row);
    const bool empty = shown.kind == RecommendedRow::Kind::Empty;
    form_["TmpLbl"].text = empty ? std::string() : shown.specKey();
    form_["SpcLbl"].text = empty ? std::string() : shown.size;
    form_["Mods"].text = empty ? std::string() : shown.model;
    notify();
    return true;
}

bool SelectionModel::Impl::carbonWeightClick(int row)
{
    if (row < 3 || row > 9 || !form_[cellName(Page::Hunt, CellKind::Weight, row)].enabled)
        return false;
    form_["CAWTPanel"].visible = true;
    notify();
    return true;
}

void SelectionModel::Impl::closeCarbonPanel()
{
    form_["CAWTPanel"].visible = false;
    notify();
}

SelectionModel::SelectionModel(std::filesystem::path dataFolder, MessageSink& messages)
    : impl_(std::make_unique<Impl>(std::move(dataFolder), messages))
{
}

SelectionModel::~SelectionModel() = default;

FormState& SelectionModel::form()
{
    return impl_->form_;
}
const FormState& SelectionModel::form() const
{
    return impl_->form_;
}

Page SelectionModel::activePage() const
{
    return selection::activePage(impl_->form_);
}

std::string SelectionModel::pageKey() const
{
    return selection::pageKey(impl_->form_);
}

void SelectionModel::changeText(std::string_view entry, std::string text)
{
    impl_->changeText(entry, std::move(text));
}

void SelectionModel::changeText(SetupEntry entry, std::string text)
{
    impl_->changeText(controlName(entry), std::move(text));
}

void SelectionModel::typeText(std::string_view entry, std::string text)
{
    impl_->typeText(entry, std::move(text));
}

void SelectionModel::releaseHeldBack()
{
    if (impl_->heldBack_)
        impl_->findRec();
}

bool SelectionModel::messageHeldBack() const
{
    return impl_->heldBack_;
}

bool SelectionModel::gridOutOfDate() const
{
    return impl_->heldBack_ || impl_->last_.summary.failed || !impl_->last_.summary.ran;
}

void SelectionModel::setItemIndex(SetupGroup group, int index)
{
    impl_->selectItem(controlName(group), index, false);
}

void SelectionModel::clickItem(SetupGroup group, int index)
{
    impl_->selectItem(controlName(group), index, true);
}

ShownPage SelectionModel::shownPage(Page page) const
{
    ShownPage shown{setup(), {}, {}};
    for (int row = 1; row <= pageInfo(page).rows; ++row) {
        shown.rows.push_back(impl_->painted_.row(page, row));
        shown.cells.push_back(impl_->painted_.cells(page, row));
    }
    return shown;
}

SetupInputs SelectionModel::setup() const
{
    return readSetup(impl_->form_);
}

void SelectionModel::applySetup(const SetupInputs& setup)
{
    impl_->applySetup(setup);
}

void SelectionModel::setItemIndex(std::string_view radioGroup, int index)
{
    impl_->selectItem(radioGroup, index, false);
}

void SelectionModel::clickItem(std::string_view radioGroup, int index)
{
    impl_->selectItem(radioGroup, index, true);
}

void SelectionModel::changePage(Page page)
{
    impl_->changePage(page);
}
void SelectionModel::setActivePage(Page page)
{
    impl_->setActivePage(page);
}

void SelectionModel::setTextQuietly(std::string_view entry, std::string text)
{
    impl_->form_[entry].text = std::move(text);
    impl_->notify();
}

void SelectionModel::setItemIndexQuietly(std::string_view radioGroup, int index)
{
    impl_->setItemQuietly(radioGroup, index);
}

void SelectionModel::setTextQuietly(SetupEntry entry, std::string text)
{
    setTextQuietly(controlName(entry), std::move(text));
}

void SelectionModel::setItemIndexQuietly(SetupGroup group, int index)
{
    setItemIndexQuietly(controlName(group), index);
}

void SelectionModel::findRec()
{
    impl_->findRec();
}
const RunSummary& SelectionModel::lastRun() const
{
    return impl_->last_.summary;
}

bool SelectionModel::sizeCellClick(Page page, int row)
{
    return impl_->sizeCellClick(page, row);
}
ShaftSelection SelectionModel::handedOffShaft() const
{
    return shaftSelection(impl_->form_);
}

bool SelectionModel::carbonWeightClick(int row)
{
    return impl_->carbonWeightClick(row);
}
void SelectionModel::closeCarbonPanel()
{
    impl_->closeCarbonPanel();
}

const std::filesystem::path& SelectionModel::dataFolder() const
{
    return impl_->dataFolder_;
}

void SelectionModel::setChangedCallback(std::function<void()> callback)
{
    impl_->changed_ = std::move(callback);
}

} // namespace qw::selection
