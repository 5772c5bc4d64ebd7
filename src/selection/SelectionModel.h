#pragma once

// The presentation model of the main window: its inputs, the four result
// grids and the hand-off texts (FormState), and the recommendation engine
// FindRec that every change of an input or of the page runs. It knows no
// widgets: the window turns widget events into the change calls below and
// shows the FormState after each notification.

#include "Page.h"
#include "Recommendation.h"
#include "RunSummary.h"
#include "SetupInputs.h"
#include "ShaftSelection.h"

#include <core/FormState.h>
#include <core/MessageSink.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace qw::selection {

class SelectionModel {
public:
    SelectionModel(std::filesystem::path dataFolder, MessageSink& messages);
    ~SelectionModel();

    FormState& form();
    const FormState& form() const;
    Page activePage() const;
    // The key of the page the engine last worked ("Hunt", "Targ", "Youth",
    // "Kavl"; empty before any run): what Save Setup stores with the setup.
    // It is the active page's unless the last run stopped at the entry gate.
    std::string pageKey() const;

    // Changes as the window's events make them. Each sets the value and,
    // when the value changed, runs FindRec (an entry's text change, a radio
    // group's new item). A failure of the run goes to the message sink.
    void changeText(std::string_view entry, std::string text);
    void changeText(SetupEntry entry, std::string text);
    // The user typing into an entry: as changeText, except that a run that
    // would end in a message (the invalid-selection step or a conversion
    // error) stops there and holds its message back, so that the next
    // keystroke can still make the entry valid. The window calls
    // releaseHeldBack() when typing pauses or the entry loses focus.
    void typeText(std::string_view entry, std::string text);
    // Runs FindRec again, messages and all, when a message is held back.
    void releaseHeldBack();
    bool messageHeldBack() const;
    // The grid no longer matches the inputs: the last run ended in an
    // error, was skipped by the entry gate, or held its message back.
    bool gridOutOfDate() const;
    void setItemIndex(std::string_view radioGroup, int index); // clamped to the items
    // A user's click on a radio item runs FindRec even when the item was selected.
    void clickItem(std::string_view radioGroup, int index);
    void setItemIndex(SetupGroup group, int index);
    void clickItem(SetupGroup group, int index);

    // Every setup input as the window holds it now.
    SetupInputs setup() const;
    // The setup and the rows page shows, one for each of its rows.
    ShownPage shownPage(Page page) const;
    // Sets every input and the page as one change, then runs FindRec once
    // (setup recall): no intermediate combination is ever run.
    void applySetup(const SetupInputs& setup);
    // The user choosing a tab: the page changes and FindRec runs.
    void changePage(Page page);
    // A page set by a program (setup recall): no run.
    void setActivePage(Page page);

    // Sets an input without running anything (command-line tool set-up).
    void setTextQuietly(std::string_view entry, std::string text);
    void setItemIndexQuietly(std::string_view radioGroup, int index);
    void setTextQuietly(SetupEntry entry, std::string text);
    void setItemIndexQuietly(SetupGroup group, int index);

    // One run, as an event would start it; failures go to the message sink.
    void findRec();
    const RunSummary& lastRun() const;

    // Size-cell click of row (1-based) on page: writes TmpLbl, SpcLbl, Mods
    // from the shaft the row shows, as the last run that painted it gave it.
    // Returns false when the cell is disabled (nothing happens).
    bool sizeCellClick(Page page, int row);
    // The shaft the last size-cell click handed on, with the page it was
    // clicked on and that page's entries as they stand now.
    ShaftSelection handedOffShaft() const;

    // Click on a hunting weight cell of rows 3 to 9 (HWtBtn9Click): shows
    // CAWTPanel while the cell is enabled (a carbon row). Returns whether it did.
    bool carbonWeightClick(int row);
    // "Close" on the carbon panel.
    void closeCarbonPanel();

    const std::filesystem::path& dataFolder() const;

    // Called once for each change the window must show: after the run of a
    // user action (with the input that started it), after a change that
    // runs nothing, and once more before the invalid-selection message, so
    // the message stands beside the emptied grid.
    void setChangedCallback(std::function<void()> callback);

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace qw::selection
