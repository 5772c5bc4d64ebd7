#pragma once

// The customer tests' shared fixture: a copy of the program folder whose
// customer table holds the records a test writes through the storage layer.

#include "../app/AppTestSupport.h"

#include "storage/Table.h"

#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace qw::test {

using Fields = std::map<std::string, std::string>;

// A complete record: a hunting setup, compound, hard cam, everything item 0.
inline Fields customer(const std::string& name, const Fields& changes = {})
{
    Fields fields = {{"NAME", name},       {"ADDR1", "12 Fletcher Lane"},
                     {"CITY", "Bowmont"},  {"STATE", "OR"},
                     {"DATE", "3/4/2026"}, {"BOWWT", "60"},
                     {"ARLEN", "30"},      {"PNTWT", "100"},
                     {"HORT", "0"},        {"BOTYP", "0"},
                     {"WHTYP", "0"},       {"RETYP", "0"},
                     {"BOLEN", "0"},       {"ODLEN", "0"}};
    for (const auto& [field, text] : changes)
        fields[field] = text;
    return fields;
}

// Field values from "FIELD=text" words, as in "HORT=1 BOWWT=55"; a text
// may be empty but holds no blank.
inline Fields fieldsOf(const std::string& words)
{
    Fields fields;
    std::istringstream stream(words);
    for (std::string word; stream >> word;) {
        const auto equals = word.find('=');
        if (equals == std::string::npos)
            throw std::invalid_argument("no '=' in " + word);
        fields[word.substr(0, equals)] = word.substr(equals + 1);
    }
    return fields;
}

class CustomerFolder : public TableFolderCopy {
public:
    // Appends the records; with rebuildIndex the name index is rebuilt
    // afterwards, as a save does, otherwise it is left short of them.
    void add(const std::vector<Fields>& records, bool rebuildIndex = true) const
    {
        storage::Table table(path());
        table.open("Saveddb.dbf");
        for (const Fields& record : records) {
            table.appendBlank();
            for (const auto& [field, text] : record)
                table.setField(field, text);
            table.post();
        }
        table.close();
        if (rebuildIndex)
            storage::createIndex(path(), "Saveddb.dbf", "Saved.idx", "UPPER(NAME)");
    }
};

} // namespace qw::test
