#include "SelectionModel.h"

#include "ChartTables.h"
#include "GridCells.h"
#include "HuntPage.h"
#include "InvalidSelection.h"
#include "KavlPage.h"
#include "MainFormDesign.h"
#include "Pages.h"
#include "RunContext.h"
#include "RunError.h"
#include "TargPage.h"
#include "YouthPage.h"

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
    RunSummary lastRun_;
    bool heldBack_ = false;
    std::function<void()> changed_;

private:
    void runOnce(RunSummary& summary);
    bool entryGatePasses() const;
    void resetSharedControls();
    void resetGrids();
    void invalidSelection(Page page);
    int clampedIndex(std::string_view group, int index) const;
    std::string keySuffix(Page page, int row);

    int depth_ = 0;      // runs in progress: more than one while a nested run works
    bool typing_ = false; // the run comes from a keystroke: hold messages back
};

namespace {

// Unwinds a run started by a keystroke at the point where it would show a
// message.
struct MessageHeldBack {};

} // namespace

// A run's failure unwinds every run it is nested in and is reported once,
// by the outermost run, as the window's message box would show it.
void SelectionModel::Impl::findRec()
{
    const bool outermost = depth_ == 0;
    RunSummary summary;
    bool heldBack = false;
    std::string failure;
    {
        struct DepthGuard {
            int& depth;
            explicit DepthGuard(int& d) : depth(d) { ++depth; }
            ~DepthGuard() { --depth; }
        } guard(depth_);
        try {
            runOnce(summary);
        } catch (const MessageHeldBack&) {
            if (!outermost)
                throw;
            heldBack = true;
        } catch (const ConversionError& error) {
            if (!outermost)
                throw;
            if (typing_) {
                heldBack = true;
            } else {
                summary.failed = true;
                failure = error.what();
            }
        } catch (const std::runtime_error& error) {
            if (!outermost)
                throw;
            summary.failed = true;
            failure = error.what();
        }
    }
    if (outermost) {
        lastRun_ = summary;
        heldBack_ = heldBack;
    }
    notify();
    // A table that opened with a leftover journal it did not apply says so
    // once; the run itself went on with the table as it is.
    if (outermost)
        for (const std::string& notice : tables_.takeNotices())
            messages_.information(notice, 0);
    if (summary.failed)
        messages_.error(failure);
}

bool SelectionModel::Impl::entryGatePasses() const
{
    return characterCount(form_["BowWeightSpin"].text) >= 2 &&
           characterCount(form_["ArrowLengthSpin"].text) == 2 &&
           characterCount(form_["PointWtSpin"].text) >= 2;
}

void SelectionModel::Impl::runOnce(RunSummary& summary)
{
    const Page page = static_cast<Page>(form_["ShaftsNB"].itemIndex);
    RunContext run{form_, grid_, tables_, summary, [this](Page p) { invalidSelection(p); }};
    const bool gate = entryGatePasses();
    // "ran" says whether the entry gate let the page's work start; a
    // conversion error inside that work does not make it a skipped run.
    summary.ran = gate || page == Page::Youth || page == Page::Kavl;
    if (gate) {
        parseWholeNumber(form_["BowWeightSpin"].text); // only a check here
        resetSharedControls();
        resetGrids();
    }
    // The Youth and Kavel pages do not depend on the gated entries.
    if (page == Page::Hunt && gate) {
        HuntPage::run(run);
    }
    if (page == Page::Targ && gate) {
        TargPage::run(run);
    }
    if (page == Page::Youth) {
        YouthPage::run(run);
    }
    if (page == Page::Kavl) {
        KavlPage::run(run);
    }
}

void SelectionModel::Impl::resetSharedControls()
{
    for (std::string_view name : {"Label6", "WheelType", "ReleaseType", "OverDraw", "BraceHt",
                                  "PointWtSpin", "HuntCamType"})
        form_[name].font = kBlack;
    for (std::string_view name : {"WheelType", "ReleaseType", "HuntCamType", "OverDraw", "UpDown4"})
        form_[name].enabled = true;
}

void SelectionModel::Impl::resetGrids()
{
    for (Page page : kAllPages) {
        for (int row = 1; row <= pageInfo(page).rows; ++row) {
            for (CellKind kind :
                 {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight})
                grid_.cell(page, kind, row).showCaption = true;
            ControlState& size = grid_.cell(page, CellKind::Size, row);
            size.enabled = true;
            if (!(page == Page::Hunt && row == 9))
                size.hint = "Click for Weight Calculation";
        }
    }
    for (int row = 1; row <= pageInfo(Page::Targ).rows; ++row)
        grid_.cell(Page::Targ, CellKind::Spine, row).visible = true;
}

// The reset of the bow weight goes through the change path, so it starts a
// nested run exactly when the window's entry would report a change.
void SelectionModel::Impl::invalidSelection(Page page)
{
    if (typing_)
        throw MessageHeldBack{};
    const std::string text = readInvalidSelectionText(dataFolder_);
    messages_.information(text, kInvalidSelectionHelpContext);
    const PageInfo& info = pageInfo(page);
    changeText(info.bowWeightEntry, std::string(info.bowWeightDefault));
}

void SelectionModel::Impl::changeText(std::string_view entry, std::string text)
{
    ControlState& control = form_[entry];
    if (control.text == text)
        return;
    control.text = std::move(text);
    notify();
    findRec();
}

void SelectionModel::Impl::typeText(std::string_view entry, std::string text)
{
    ControlState& control = form_[entry];
    if (control.text == text)
        return;
    control.text = std::move(text);
    notify();
    typing_ = true;
    try {
        findRec();
    } catch (...) {
        typing_ = false;
        throw;
    }
    typing_ = false;
}

void SelectionModel::Impl::applySetup(const SetupInputs& setup)
{
    for (SetupEntry entry : kAllSetupEntries)
        form_[controlName(entry)].text = setup.text(entry);
    for (SetupGroup group : kAllSetupGroups)
        form_[controlName(group)].itemIndex =
            clampedIndex(controlName(group), setup.item(group));
    form_["ShaftsNB"].itemIndex = static_cast<int>(setup.page);
    notify();
    findRec();
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
    notify();
    findRec();
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
    setActivePage(page);
    findRec();
}

void SelectionModel::Impl::setActivePage(Page page)
{
    form_["ShaftsNB"].itemIndex = static_cast<int>(page);
    notify();
}

std::string SelectionModel::Impl::keySuffix(Page page, int row)
{
    const std::string number = std::to_string(row);
    switch (page) {
    case Page::Hunt:
        return trimBlanksAndControls(tables_.openChart(page).getString("SH" + number + "SPINE"));
    case Page::Targ:
        return form_[targetSpineLabelName(row)].text;
    case Page::Youth:
        return trimBlanksAndControls(tables_.openChart(page).getString("SH" + number + "MODL"));
    case Page::Kavl:
        return trimBlanksAndControls(tables_.openChart(page).getString("SH" + number + "MODEL"));
    }
    return {};
}

bool SelectionModel::Impl::sizeCellClick(Page page, int row)
{
    if (row < 1 || row > pageInfo(page).rows)
        return false;
    const ControlState& size = form_[cellName(page, CellKind::Size, row)];
    if (!size.enabled)
        return false;
    std::string suffix;
    try {
        suffix = keySuffix(page, row);
    } catch (const std::runtime_error& error) {
        messages_.error(error.what());
        return false;
    }
    form_["TmpLbl"].text = size.text + suffix;
    form_["SpcLbl"].text = size.text;
    form_["Mods"].text = form_[cellName(page, CellKind::Model, row)].text;
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
    return impl_->heldBack_ || impl_->lastRun_.failed || !impl_->lastRun_.ran;
}

void SelectionModel::setItemIndex(SetupGroup group, int index)
{
    impl_->selectItem(controlName(group), index, false);
}

void SelectionModel::clickItem(SetupGroup group, int index)
{
    impl_->selectItem(controlName(group), index, true);
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

void SelectionModel::findRec()
{
    impl_->findRec();
}
const RunSummary& SelectionModel::lastRun() const
{
    return impl_->lastRun_;
}

bool SelectionModel::sizeCellClick(Page page, int row)
{
    return impl_->sizeCellClick(page, row);
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
