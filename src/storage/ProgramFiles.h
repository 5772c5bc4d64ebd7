#pragma once

// The files of the program's folder, named once, as the program opens them
// (a folder may spell them in any letter case: they are found regardless).

namespace qw::storage::files {

// The supplied tables: the four shaft selection charts, the specifications
// and the trajectories, and the text of the invalid-selection message.
inline constexpr const char* kHuntChart = "HUNTCHRT.DBF";
inline constexpr const char* kTargChart = "Targchrt.dbf";
inline constexpr const char* kYouthChart = "YouthChrt.dbf";
inline constexpr const char* kKavlChart = "KAVLCHRT.DBF";
inline constexpr const char* kSpecs = "Specs.DBF";
inline constexpr const char* kSpecsIndex = "specs.idx";
// The seek key is the size text followed directly by the chart's spine text
// or model code; the trimmed size keeps the two parts adjacent.
inline constexpr const char* kSpecsIndexKey = "TRIM(SHAFTSIZE)+KEYSUFFIX";
inline constexpr const char* kTrajectory = "Newtraj.dbf";
inline constexpr const char* kInvalidSelection = "invsel.txt";

// The shop's own: the customer table, its memo and name index, and the
// shop record.
inline constexpr const char* kSavedSetups = "Saveddb.dbf";
inline constexpr const char* kSavedSetupsMemo = "Saveddb.fpt";
inline constexpr const char* kSavedIndex = "Saved.idx";
// Upper case, so that the find by leading letters ignores letter case.
inline constexpr const char* kSavedIndexKey = "UPPER(NAME)";
inline constexpr const char* kShopInfo = "SHOPINFO.DBF";

} // namespace qw::storage::files
