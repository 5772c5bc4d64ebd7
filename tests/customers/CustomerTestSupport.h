#pragma once

// Shared by the customer record tests, the window tests and the helpers
// they start: the main window's model set to a setup, a customer saved
// through the entry model, and the stored records read back.

#include "core/RecordingSink.h"
#include "customers/CustInfoModel.h"
#include "customers/CustomerFields.h"
#include "customers/SavedSetups.h"
#include "selection/SelectionModel.h"
#include "storage/ProgramFiles.h"
#include "storage/Table.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace qw::test {

using Fields = std::map<std::string, std::string>;

// A setup on a page: every input from the window's defaults, then the
// entries and groups given; applied as one change (one run).
struct SetupOnPage {
    selection::Page page = selection::Page::Hunt;
    std::vector<std::pair<selection::SetupEntry, std::string>> entries;
    std::vector<std::pair<selection::SetupGroup, int>> groups;
};

// The setup from "Control=value" words of the main window's controls, as in
// "BowWeightSpin=65 HuntCamType=1".
inline SetupOnPage setupOf(selection::Page page, const std::string& choices)
{
    SetupOnPage setup{page, {}, {}};
    std::istringstream words(choices);
    for (std::string word; words >> word;) {
        const std::string control = word.substr(0, word.find('='));
        const std::string value = word.substr(control.size() + 1);
        bool known = false;
        for (const selection::SetupEntry entry : selection::kAllSetupEntries)
            if (selection::controlName(entry) == control)
                setup.entries.emplace_back(entry, value), known = true;
        for (const selection::SetupGroup group : selection::kAllSetupGroups)
            if (selection::controlName(group) == control)
                setup.groups.emplace_back(group, std::stoi(value)), known = true;
        if (!known)
            throw std::invalid_argument("no setup control " + control);
    }
    return setup;
}

inline void showSetup(selection::SelectionModel& window, const SetupOnPage& wanted)
{
    selection::SetupInputs setup = window.setup();
    for (const auto& [entry, text] : wanted.entries)
        setup.text(entry) = text;
    for (const auto& [group, item] : wanted.groups)
        setup.item(group) = item;
    setup.page = wanted.page;
    window.applySetup(setup);
}

inline std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}

// The customer table's records in file order, trailing blanks removed.
inline std::vector<Fields> storedRecords(const std::filesystem::path& folder)
{
    storage::Table table(folder);
    table.open(storage::files::kSavedSetups, storage::OpenMode::ReadOnly);
    std::vector<Fields> records;
    for (std::uint32_t n = 1; n <= table.recordCount(); ++n) {
        table.go(n);
        Fields& fields = records.emplace_back();
        for (const storage::FieldDef& field : table.fields())
            fields[field.name] = trimmed(table.getString(field.name));
    }
    return records;
}

// The customer's details typed into the entry model, then "Save Record".
inline customers::CustInfoModel::SaveOutcome
saveCustomer(const std::filesystem::path& folder, const FormState& mainForm, const Fields& details,
             MessageSink& messages, const std::string& date = "12/08/26")
{
    customers::CustInfoModel entry(folder, messages);
    if (!entry.open(selection::readSetup(mainForm), selection::pageKey(mainForm), date))
        return customers::CustInfoModel::SaveOutcome::Failed;
    for (const auto& [field, text] : details)
        entry.changeDetail(field, text);
    return entry.saveRecord();
}

inline Fields address(const std::string& name)
{
    return {
        {"NAME", name}, {"ADDR1", "12 Fletcher Lane"}, {"CITY", "Bowmanville"}, {"STATE", "ON"}};
}

// Customers saved by the writer helper: every detail follows from the
// writer's number and the save's number, so a torn or mixed record shows.
inline Fields writerDetails(int writer, int save)
{
    const std::string name = "W" + std::to_string(writer) + "-" + std::to_string(save);
    std::string comments = "Saved by writer " + std::to_string(writer);
    for (int line = 0; line < save % 4; ++line)
        comments += "\r\nline " + std::to_string(line) + " about " + name + " and a longer text";
    return {{"NAME", name},
            {"ADDR1", std::to_string(save * 7919 % 100000) + " Quiver Road"},
            {"CITY", "City " + std::to_string(save)},
            {"STATE", "W" + std::to_string(writer)},
            {"ZIP", std::to_string(writer * 100000 + save)},
            {"COMMENTS", comments}};
}

// The writer and save numbers of a name "W<writer>-<save>"; {-1, -1} otherwise.
inline std::pair<int, int> writerSaveOf(const std::string& name)
{
    int writer = -1;
    int save = -1;
    if (std::sscanf(name.c_str(), "W%d-%d", &writer, &save) != 2)
        return {-1, -1};
    return {writer, save};
}

} // namespace qw::test
