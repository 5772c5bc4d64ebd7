#pragma once

// A saved setup read back from a customer record: into the words of the
// summary labels, and into the main window's inputs for a recall. Both
// check every code field before they change anything, so a damaged record
// never leaves a summary or the main window half-updated.

#include <selection/SetupInputs.h>
#include <storage/Table.h>

#include <stdexcept>
#include <string>

namespace qw::customers {

// The setup fields of one record, each as stored with blanks around it removed.
struct StoredSetup {
    std::string chartFamily; // HORT: "0" hunting, "1" target, "2" second brand, "3" youth
    std::string bowWeight;   // BOWWT (the youth bow weight when HORT is "3")
    std::string arrowLength; // ARLEN (the youth arrow length when HORT is "3")
    std::string pointWeight; // PNTWT
    std::string bowType;     // BOTYP
    std::string wheelType;   // WHTYP
    std::string release;     // RETYP
    std::string braceHeight; // BOLEN
    std::string overDraw;    // ODLEN
};

StoredSetup readStoredSetup(const storage::Table& table);

// The summary labels of the retrieval window.
struct SetupWords {
    std::string bowWeight;   // BOWWT + "#"
    std::string arrowLength; // ARLEN + inch mark
    std::string pointWeight; // PNTWT + "Gr"
    std::string chartFamily; // "Hunting Shafts", ...
    std::string bowType;
    std::string wheelType;
    std::string release;
    std::string braceHeight;
    std::string overDraw;
    bool operator==(const SetupWords&) const = default;
};

// Puts the record's words into words. A code outside its row leaves its
// word as it was. A code that is not a whole number throws
// selection::ConversionError before any word changes. An empty HORT (a
// youth setup saved by earlier versions) reads "Youth Shafts".
void decodeWords(const StoredSetup& stored, SetupWords& words);

// Why a record cannot be recalled, for the message box.
class RecallRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kEarlierYouthSetupMessage =
    "This setup was saved from the Youth page by an earlier version, which did not keep "
    "the youth bow weight and arrow length. It cannot be returned to the main window.";

// The main window's setup after recalling stored over current: the page
// from HORT (an unknown family keeps the page), the weights into the page's
// own entries, BOTYP into both bow type groups, and on the Hunting and
// Kavel pages WHTYP into HuntCamType as well as WheelType. Every field is
// checked first: one that is not a whole number throws
// selection::ConversionError, an empty HORT throws RecallRefused.
selection::SetupInputs decodeRecall(const StoredSetup& stored,
                                    const selection::SetupInputs& current);

} // namespace qw::customers
