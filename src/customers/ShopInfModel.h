#pragma once

// The Shop Information window's model: the one record of SHOPINFO.DBF (its
// first record in file order, no index) that heads every printed sheet.
//
// Opening begins editing the first record, or a new one when the table is
// empty. "Save" posts what is being edited; typing afterwards begins editing
// the same record again. A second "Save" with no typing in between is
// refused by the storage layer. Leaving drops what was not saved. The
// table is opened beside the handles the printed sheets keep open on it.

#include "core/FormState.h"
#include "core/MessageSink.h"
#include "storage/Table.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace qw::customers {

class ShopInfModel {
public:
    static constexpr const char* kCaption = "2010 Shop Information";
    // The quiet line under the edits that confirms a Save, cleared by the
    // next change.
    static constexpr const char* kStatusLabel = "SaveStatusLbl";
    static constexpr const char* kSavedStatus = "Shop information saved.";
    static constexpr Rgb kStatusColour = rgb(0x2E, 0x6B, 0x2E);

    struct ShopField {
        std::string_view field;   // NAME, ADDR1, ...
        std::string_view control; // the edit bound to it
        std::string_view caption; // the caption beside it
    };
    // The nine edits in tab order.
    static const std::array<ShopField, 9>& shopFields();

    ShopInfModel(std::filesystem::path dataFolder, MessageSink& messages);

    // Opening; false, with the storage layer's message sent, when the table
    // cannot be opened.
    bool open();
    // The user's text in the edit of a field.
    void changeField(std::string_view field, std::string text);
    // "Save": true when the record was posted (the status line says so). A
    // Save with nothing typed since the last one is refused with the
    // storage layer's text in an information box.
    bool save();
    // "Exit": unsaved typing is dropped.
    void exit();

    const FormState& form() const { return form_; }
    int fieldWidth(std::string_view field) const;
    storage::Table& table() { return apollo1_; }

private:
    MessageSink& messages_;
    storage::Table apollo1_;
    FormState form_;
};

} // namespace qw::customers
