#pragma once

// The customer retrieval window as plain state: one table handle on the
// customer table in name order, the current record in bound edits, its
// saved setup in the summary labels, the record navigator, Search and
// Return Data into the main window. Messages go to a MessageSink; the
// window binds this FormState to its widgets by name.

#include "NameOrder.h"
#include "SetupDecoding.h"

#include <core/FormState.h>
#include <core/MessageSink.h>
#include <selection/SelectionModel.h>
#include <storage/Table.h>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qw::customers {

class CustomerRetrieval {
public:
    static constexpr const char* kCaption = "2010 Retrieve Customer Information";
    static constexpr const char* kFindTitle = "Find Customer";
    static constexpr const char* kFindPrompt = "Enter First Letters of Name, Xxx";
    static constexpr const char* kNameNotFound = "Name not found";
    static constexpr Rgb kTan = rgb(0xCC, 0xB7, 0x76);

    // A bound edit and the field it shows.
    struct BoundEdit {
        const char* control;
        const char* field;
    };
    static constexpr std::array<BoundEdit, 9> kBoundEdits = {{{"NameEdit", "NAME"},
                                                              {"Addr1Edit", "ADDR1"},
                                                              {"Addr2Edit", "ADDR2"},
                                                              {"CityEdit", "CITY"},
                                                              {"StateEdit", "STATE"},
                                                              {"ZipEdit", "ZIP"},
                                                              {"CountryEdit", "COUNTRY"},
                                                              {"CodeEdit", "CCODE"},
                                                              {"CommentsMemo", "COMMENTS"}}};
    // The navigator's buttons in order: first, previous, next, last, edit, post, cancel.
    static constexpr std::array<const char*, 7> kNavigatorButtons = {
        "NavFirst", "NavPrior", "NavNext", "NavLast", "NavEdit", "NavPost", "NavCancel"};

    // Return Data recalls over mainWindow's setup. Nothing is opened yet.
    CustomerRetrieval(std::filesystem::path dataFolder, const selection::SelectionModel& mainWindow,
                      MessageSink& messages);
    ~CustomerRetrieval();
    CustomerRetrieval(const CustomerRetrieval&) = delete;
    CustomerRetrieval& operator=(const CustomerRetrieval&) = delete;

    // Opening the window: the table in name order (Saved.idx checked
    // against the table first, NameOrder.h), the first customer shown
    // (blank records are stepped over). A memo that cannot be read is shown
    // empty, with a message naming the record. False when a message ended
    // it (the window then has nothing to show).
    bool open();

    // The navigator. Moving away from a record being edited stores a
    // change made to it, when the entry rules let it (EntryRules.h).
    void first();
    void previous();
    void next();
    void last();
    void edit();
    void post();
    void cancel();
    // Typing into a bound edit begins editing the record.
    void changeField(std::string_view control, std::string text);

    // Search (Button1Click) for the text the prompt gave (empty for Cancel).
    // True when a record whose name begins with text is shown, summary and
    // all; false after "Name not found" (the first record is then shown) or
    // another message.
    bool search(const std::string& text);

    // Return Data (ReturnDataBtnClick): the record's setup over the main
    // window's, for the main window to apply as one change and one run;
    // the table is closed. nullopt when a message refused it: the window
    // stays open.
    std::optional<selection::SetupInputs> returnData();

    // Close (ExitBtnClick): an edit not posted is dropped.
    void close();

    const FormState& form() const { return form_; }
    // The summary of the record on screen: blank where a code cannot be
    // read, all blank when no record is shown.
    const SetupWords& words() const { return words_; }
    bool isOpen() const { return table_.isOpen(); }
    const std::filesystem::path& dataFolder() const { return dataFolder_; }
    storage::EditState editState() const;
    // Every field of the current record as stored, trailing blanks removed
    // (a memo that cannot be read as empty).
    std::vector<std::pair<std::string, std::string>> currentRecord() const;
    std::uint32_t recordNumber() const { return table_.recordNumber(); }
    // The width of the field behind a bound edit (0 while closed).
    int fieldWidth(std::string_view control) const;

    // Called after every change of the FormState.
    void setChangedCallback(std::function<void()> callback) { changed_ = std::move(callback); }

private:
    void openInNameOrder();
    bool filesChanged() const;
    bool skipBlanks(bool forward);
    void goFirstCustomer();
    bool storeEditBeforeMoving();
    bool storeEdit();
    bool seekCustomer(const std::string& text);
    bool shownNameBegins(const std::string& text) const;
    bool show();
    // Fills the edits; the memos that could not be read, with the reason.
    std::vector<std::pair<std::string, std::string>> showEdits();
    void showNavigator();
    void notify();
    template <typename Step> bool guarded(Step step);

    std::filesystem::path dataFolder_;
    const selection::SelectionModel& mainWindow_;
    MessageSink& messages_;
    storage::Table table_;
    FilesStamp stamp_; // the files as the name order was last checked against
    std::set<std::string, std::less<>> edited_; // bound edits changed in the edit in progress
    FormState form_;
    SetupWords words_;
    // Where the navigator stands, as a dataset reports it: at the first
    // record after going there, past the last after trying to step over it.
    bool atFirst_ = false;
    bool atLast_ = false;
    std::function<void()> changed_;
};

} // namespace qw::customers
