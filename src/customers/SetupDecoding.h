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

// The words of the record alone, as the summary and the customer sheet
// show them: a code outside its row gives no word. A youth setup (HORT "3",
// or the empty HORT of earlier versions, which reads "Youth Shafts") shows
// "N/A" for the point weight, cam, release, brace height and over draw,
// which the youth page does not use. A code that is not a whole number
// throws ConversionError.
SetupWords summaryWords(const StoredSetup& stored);

// Why a record cannot be recalled, for the message box.
class RecallRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The refusal of a record with empty setup fields: what is wrong with it,
// field by field, as in
//   This record's setup cannot be returned to the main window.
//   Empty: chart family (HORT), bow weight (BOWWT).
//   Not a whole number: over draw (ODLEN) "x".
std::string recallRefusal(const StoredSetup& stored);

// The main window's setup after recalling stored over current: the page
// from HORT (an unknown family keeps the page), the weights into the page's
// own entries, BOTYP into both bow type groups, and on the Hunting and
// Kavel pages WHTYP into HuntCamType as well as WheelType. Every field is
// checked first: when any is empty, RecallRefused says which fields are
// empty or unreadable; otherwise one that is not a whole number throws
// ConversionError.
selection::SetupInputs decodeRecall(const StoredSetup& stored,
                                    const selection::SetupInputs& current);

} // namespace qw::customers
