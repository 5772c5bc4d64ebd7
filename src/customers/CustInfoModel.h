#pragma once

// The Customer Information window's model: stores the main window's current
// setup as one new record of Saveddb.dbf under a customer's name and address.
//
// Life of one opening: open() opens the table (its own handle, no index),
// begins the pending record, writes the setup fields into it and fills the
// summary labels. The user's typing goes into the pending record through
// changeDetail(). saveRecord() refuses while a required field is empty and
// otherwise posts the record, rebuilds Saved.idx and closes the table;
// close() drops the pending record. Only one record is ever begun per
// opening. Opening refuses a setup that no recall could use, and saving
// refuses details that the table cannot keep as typed (EntryRules.h).

#include "SetupEncoding.h"

#include "core/FormState.h"
#include "core/MessageSink.h"
#include "storage/Table.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qw::customers {

class CustInfoModel {
public:
    static constexpr const char* kCaption = "2011 Customer Information";
    static constexpr Rgb kPanelColour = rgb(0xD1, 0x7B, 0x20);
    static constexpr Rgb kButtonCaptionColour = kTargOrange;
    static constexpr const char* kIncompleteAddress = "Incomplete address, cannot add record";
    static constexpr const char* kRecordAdded = "New record has been successfully added";
    static constexpr const char* kRecordNotStored = "The record has not been stored.";

    enum class State { Closed, Composing, Stored };
    enum class SaveOutcome { Refused, Stored, Failed };

    CustInfoModel(std::filesystem::path dataFolder, MessageSink& messages);

    // Opening. date is the day of saving, taken now. Returns false, with the
    // storage layer's message sent, when the table cannot be opened.
    bool open(const selection::SetupInputs& setup, std::string_view pageKey,
              std::string date = todayShortDate());

    // The user's text in the edit of a customer detail (NAME, ADDR1, ...,
    // COMMENTS): written into the pending record. Returns the text as the
    // edit is to show it (the state's letters in capitals).
    std::string changeDetail(std::string_view field, std::string text);

    // "Save Record". Refused: a required detail is empty, or a detail
    // breaks an entry rule (EntryRules.h); nothing is stored and the window
    // stays open. Stored: the record is in the table and the window closes;
    // indexed() then says whether Saved.idx covers it, or could not be
    // rebuilt (the user is told, and the next reader rebuilds it). Failed:
    // the record was not stored.
    SaveOutcome saveRecord();
    bool indexed() const { return indexed_; }
    // "Close": the pending record is dropped.
    void close();

    State state() const { return state_; }
    const FormState& form() const { return form_; }
    // The pending record's field, trailing blanks removed.
    std::string pendingText(std::string_view field) const;
    // Width of a customer detail field, for the edit's length limit.
    int fieldWidth(std::string_view field) const;

    // The edit bound to a customer detail field ("NameEdit", ...).
    static std::string_view controlFor(std::string_view field);

private:
    void fillSummary(const selection::SetupInputs& setup, std::string_view pageKey);
    bool rebuildNameIndex();

    MessageSink& messages_;
    storage::Table customerDataBase_;
    FormState form_;
    State state_ = State::Closed;
    bool indexed_ = false;
    std::string indexPendingMessage_;
};

// Letters turned into capitals as the state edit does as they are typed
// (ASCII and the accented letters of Latin-1).
std::string toCapitals(std::string_view utf8);

} // namespace qw::customers
