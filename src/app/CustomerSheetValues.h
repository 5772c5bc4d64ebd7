#pragma once

// The customer sheet's fill step: the plain values the sheet prints, taken
// from the retrieval window's model. The sheet itself knows nothing of that
// window; the retrieval window and the command-line tool hand it these.

#include "customers/CustomerRetrieval.h"
#include "reports/CustomerSheet.h"

namespace qw::app {

// QuickRep1BeforePrint: the record on screen, as the retrieval window shows
// it (a code the record cannot be read for is blank on both).
inline reports::CustomerSheetValues
customerSheetValues(const customers::CustomerRetrieval& retrieval)
{
    const FormState& form = retrieval.form();
    auto shown = [&](const char* control) { return form[control].text; };
    reports::CustomerSheetValues values;
    values.name = shown("NameEdit");
    values.addr1 = shown("Addr1Edit");
    values.cityLine = shown("CityEdit") + ", " + shown("StateEdit") + "  " + shown("ZipEdit");
    values.country = shown("CountryEdit");
    values.countryCode = shown("CodeEdit");
    const customers::SetupWords words = retrieval.words();
    values.bowWeight = words.bowWeight;
    values.arrowLength = words.arrowLength;
    values.pointWeight = words.pointWeight;
    values.bowType = words.bowType;
    values.wheelType = words.wheelType;
    values.release = words.release;
    values.braceHeight = words.braceHeight;
    values.overDraw = words.overDraw;
    values.chartName = words.chartFamily;
    values.comments = shown("CommentsMemo");
    return values;
}

} // namespace qw::app
