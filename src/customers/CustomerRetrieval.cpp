#include "CustomerRetrieval.h"

#include <core/Text.h>
#include <storage/ProgramFiles.h>

#include "CustomerFields.h"
#include "CustomerRecords.h"
#include "EntryRules.h"
#include "NameOrder.h"
#include "SavedSetups.h"

#include <core/ConversionError.h>

namespace qw::customers {

namespace {

// The navigator's glyphs and hints.
constexpr const char* kNavigatorCaptions[] = {"|\u25C0", "\u25C0", "\u25B6", "\u25B6|",
                                              "\u25B2",  "\u2714", "\u2716"};
constexpr const char* kNavigatorHints[] = {
    "Go to first record", "Go to previous record", "Go to next record", "Go to last record",
    "Edit record",        "Post record",           "Cancel changes "};

// The summary labels and the words each shows.
struct SummaryLabel {
    const char* control;
    std::string SetupWords::*word;
};
constexpr SummaryLabel kSummaryLabels[] = {
    {"Label24", &SetupWords::bowWeight},   {"Label25", &SetupWords::arrowLength},
    {"Label27", &SetupWords::pointWeight}, {"Label17", &SetupWords::chartFamily},
    {"Label9", &SetupWords::bowType},      {"Label10", &SetupWords::wheelType},
    {"Label12", &SetupWords::release},     {"Label15", &SetupWords::braceHeight},
    {"Label16", &SetupWords::overDraw}};

ControlState control(ControlKind kind, std::string text = {})
{
    ControlState state;
    state.kind = kind;
    state.text = std::move(text);
    return state;
}

ControlState commandButton(const char* caption, bool enabled)
{
    ControlState button = control(ControlKind::Button, caption);
    button.enabled = enabled;
    button.fill = kBlack;
    button.border = kBlack;
    button.font = CustomerRetrieval::kTan;
    return button;
}

} // namespace

CustomerRetrieval::CustomerRetrieval(std::filesystem::path dataFolder,
                                     const selection::SelectionModel& mainWindow,
                                     MessageSink& messages)
    : dataFolder_(std::move(dataFolder)), mainWindow_(mainWindow), messages_(messages),
      table_(dataFolder_)
{
    for (const BoundEdit& edit : kBoundEdits)
        form_.add(edit.control, control(ControlKind::Entry));
    for (const SummaryLabel& label : kSummaryLabels)
        form_.add(label.control, control(ControlKind::Label));
    for (std::size_t i = 0; i < kNavigatorButtons.size(); ++i) {
        ControlState button = control(ControlKind::Button, kNavigatorCaptions[i]);
        button.hint = kNavigatorHints[i];
        button.enabled = false;
        form_.add(kNavigatorButtons[i], button);
    }
    form_.add("Button1", control(ControlKind::Button, "Search"));
    // The customer sheet of the record on screen, printed or saved as PDF.
    form_.add("SavePdfBtn", commandButton("Save as PDF", false));
    form_.add("PrintBtn", commandButton("Print", false));
    form_.add("ReturnDataBtn", commandButton("Return Data", true));
    form_.add("ExitBtn", commandButton("Close", true));
}

CustomerRetrieval::~CustomerRetrieval() = default;

template <typename Step> bool CustomerRetrieval::guarded(Step step)
{
    try {
        return step();
    } catch (const std::exception& failure) {
        messages_.error(failure.what());
        notify();
        return false;
    }
}

bool CustomerRetrieval::open()
{
    return guarded([this] {
        openInNameOrder();
        goFirstCustomer();
        atFirst_ = true;
        atLast_ = table_.eof();
        show();
        return true;
    });
}

// The table opened afresh, so that records another program appended since
// the last opening are counted, and its name order checked against it
// (NameOrder.h).
void CustomerRetrieval::openInNameOrder()
{
    table_.close();
    table_.open(storage::files::kSavedSetups);
    for (const std::string& notice : table_.notices())
        messages_.information(notice, 0);
    requireCustomerFields(table_);
    for (const std::string& notice : openNameOrder(table_).notices)
        messages_.information(notice, 0);
    stamp_ = FilesStamp::of(table_);
}

// Whether anything may have changed the table or its index since the name
// order was last checked: this handle's own edits, another program's.
bool CustomerRetrieval::filesChanged() const
{
    return !table_.isOpen() || FilesStamp::of(table_) != stamp_;
}

// Blank records (no name, no setup) are no customers: browsing steps over
// them. True when stepping back found nothing but blanks before and so
// ended on the first customer.
bool CustomerRetrieval::skipBlanks(bool forward)
{
    while (!table_.eof() && isBlankCustomer(table_)) {
        if (forward) {
            table_.next();
            continue;
        }
        table_.previous();
        if (table_.bof()) {
            goFirstCustomer();
            return true;
        }
    }
    return false;
}

void CustomerRetrieval::goFirstCustomer()
{
    table_.goTop();
    skipBlanks(true);
}

// An edit in progress is stored before the record is left, as the table
// would store it, but through the entry rules; false when they refused it.
bool CustomerRetrieval::storeEditBeforeMoving()
{
    if (!table_.isOpen() || table_.state() == storage::EditState::Browse)
        return true;
    return storeEdit();
}

void CustomerRetrieval::first()
{
    guarded([this] {
        if (!storeEditBeforeMoving())
            return false;
        goFirstCustomer();
        atFirst_ = true;
        atLast_ = table_.eof();
        show();
        return true;
    });
}

void CustomerRetrieval::last()
{
    guarded([this] {
        if (!storeEditBeforeMoving())
            return false;
        table_.goBottom();
        atFirst_ = skipBlanks(false) || table_.bof();
        atLast_ = true;
        show();
        return true;
    });
}

void CustomerRetrieval::next()
{
    guarded([this] {
        if (!storeEditBeforeMoving())
            return false;
        table_.next();
        skipBlanks(true);
        atFirst_ = false;
        atLast_ = table_.eof();
        if (atLast_) { // stays on the last record
            table_.goBottom();
            skipBlanks(false);
        }
        show();
        return true;
    });
}

void CustomerRetrieval::previous()
{
    guarded([this] {
        if (!storeEditBeforeMoving())
            return false;
        table_.previous();
        atLast_ = false;
        atFirst_ = table_.bof();
        if (!atFirst_)
            atFirst_ = skipBlanks(false);
        if (atFirst_)
            goFirstCustomer(); // stays on the first record
        show();
        return true;
    });
}

void CustomerRetrieval::edit()
{
    guarded([this] {
        if (table_.state() == storage::EditState::Browse)
            table_.edit();
        showNavigator();
        notify();
        return true;
    });
}

void CustomerRetrieval::changeField(std::string_view control, std::string text)
{
    guarded([&] {
        for (const BoundEdit& edit : kBoundEdits) {
            if (control != edit.control)
                continue;
            if (table_.state() == storage::EditState::Browse) {
                table_.edit();
                edited_.clear();
            }
            table_.setField(edit.field,
                            edit.field == field::COMMENTS ? commentsWithCrLf(text) : text);
            form_[control].text = std::move(text);
            edited_.insert(edit.control);
        }
        showNavigator();
        notify();
        return true;
    });
}

// Post and cancel leave the summary as it is: the setup fields are not edited here.
void CustomerRetrieval::post()
{
    guarded([this] {
        storeEdit();
        return true;
    });
}

// Posts the edit when every edited detail passes the entry rules (as typed,
// not as the code page's form already in the record); false after a refusal,
// with the edit still pending.
bool CustomerRetrieval::storeEdit()
{
    for (const BoundEdit& edit : kBoundEdits) {
        if (!edited_.contains(edit.control))
            continue;
        if (const auto refusal = detailRefusal(table_, edit.field, form_[edit.control].text)) {
            messages_.error(*refusal);
            notify();
            return false;
        }
    }
    table_.post();
    edited_.clear();
    showEdits();
    showNavigator();
    notify();
    return true;
}

void CustomerRetrieval::cancel()
{
    guarded([this] {
        table_.cancel();
        edited_.clear();
        showEdits();
        showNavigator();
        notify();
        return true;
    });
}

bool CustomerRetrieval::search(const std::string& text)
{
    return guarded([&] {
        // A correction being typed is stored, as moving away from it would.
        if (!storeEditBeforeMoving())
            return false;
        // The order is checked again only when a file changed since the
        // last check, so that searching stays cheap at any table size.
        if (filesChanged())
            openInNameOrder();
        bool found = seekCustomer(text);
        if (found && !shownNameBegins(text)) {
            // The index led to a record whose name is not what it was found
            // by: the index is stale although no file seems changed (a
            // write within the clock's resolution). Check it now.
            openInNameOrder();
            found = seekCustomer(text);
        }
        if (!found) {
            messages_.information(kNameNotFound, 0);
            goFirstCustomer();
        }
        atFirst_ = !found;
        atLast_ = table_.eof();
        return show() && found;
    });
}

// The first customer in name order whose name begins with text.
bool CustomerRetrieval::seekCustomer(const std::string& text)
{
    const std::string prefix = nameKeyPrefix(table_, text);
    if (!table_.seek(prefix))
        return false;
    skipBlanks(true);
    return !table_.eof() && shownNameBegins(text);
}

bool CustomerRetrieval::shownNameBegins(const std::string& text) const
{
    const std::string prefix = nameKeyPrefix(table_, text);
    return nameKeyPrefix(table_, table_.getString(field::NAME)).starts_with(prefix);
}

std::optional<selection::SetupInputs> CustomerRetrieval::returnData()
{
    std::optional<selection::SetupInputs> recalled;
    guarded([this, &recalled] {
        try {
            recalled = decodeRecall(readStoredSetup(table_), mainWindow_.setup());
        } catch (const RecallRefused& refusal) {
            messages_.information(refusal.what(), 0);
            return false;
        }
        close();
        return true;
    });
    return recalled;
}

void CustomerRetrieval::close()
{
    if (table_.isOpen() && table_.state() != storage::EditState::Browse)
        table_.cancel();
    table_.close();
}

// The edits and the summary follow the record. A record whose codes cannot
// be read shows a blank summary, as its sheet prints it: never the words of
// the record shown before it beside this customer's name.
bool CustomerRetrieval::show()
{
    for (const auto& [field, reason] : showEdits())
        messages_.information(
            unreadableNotice(table_.recordNumber(), form_["NameEdit"].text, field, reason), 0);
    showNavigator();
    bool shown = true;
    words_ = {};
    if (!table_.eof()) { // eof: no record to show (Get Setup refuses an empty table)
        try {
            words_ = summaryWords(readStoredSetup(table_));
        } catch (const ConversionError& error) {
            messages_.error(error.what());
            shown = false;
        }
    }
    for (const SummaryLabel& label : kSummaryLabels)
        form_[label.control].text = words_.*label.word;
    notify();
    return shown;
}

std::vector<std::pair<std::string, std::string>> CustomerRetrieval::showEdits()
{
    std::vector<std::pair<std::string, std::string>> unreadable;
    for (const BoundEdit& edit : kBoundEdits) {
        std::string reason;
        form_[edit.control].text =
            std::string(trimFieldEnd(readFieldOrEmpty(table_, edit.field, &reason)));
        if (!reason.empty())
            unreadable.emplace_back(edit.field, reason);
    }
    return unreadable;
}

void CustomerRetrieval::showNavigator()
{
    const bool open = table_.isOpen();
    const bool browsing = open && table_.state() == storage::EditState::Browse;
    const bool any = open && table_.recordCount() > 0;
    const bool enabled[] = {any && !atFirst_, any && !atFirst_,  any && !atLast_,  any && !atLast_,
                            any && browsing,  open && !browsing, open && !browsing};
    for (std::size_t i = 0; i < kNavigatorButtons.size(); ++i)
        form_[kNavigatorButtons[i]].enabled = enabled[i];
    const bool recordShown = any && !table_.eof();
    for (const char* sheetCommand : {"PrintBtn", "SavePdfBtn"})
        form_[sheetCommand].enabled = recordShown;
}

void CustomerRetrieval::notify()
{
    if (changed_)
        changed_();
}

storage::EditState CustomerRetrieval::editState() const
{
    return table_.isOpen() ? table_.state() : storage::EditState::Browse;
}

std::vector<std::pair<std::string, std::string>> CustomerRetrieval::currentRecord() const
{
    return readCustomerFields(table_).fields;
}

int CustomerRetrieval::fieldWidth(std::string_view control) const
{
    if (!table_.isOpen())
        return 0;
    for (const BoundEdit& edit : kBoundEdits)
        if (control == edit.control)
            for (const auto& field : table_.fields())
                if (field.name == edit.field)
                    return field.length;
    return 0;
}

} // namespace qw::customers
