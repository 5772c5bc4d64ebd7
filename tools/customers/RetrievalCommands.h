#pragma once

// The reading commands of quiverwise-customers, over the same classes as
// the retrieval window:
//   find PREFIX [--json]    the record that Search shows, with its summary
//   recall PREFIX [--json]  Search, then Return Data into the main window
//                           as it stands after start-up, and its
//                           recommendation
// args are the words after the command; each returns the exit code: 0, 1
// when a message ended the command, 2 for a bad command line.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace qw::customers::cli {

int runFind(const std::filesystem::path& dataFolder, const std::vector<std::string>& args,
            std::ostream& out, std::ostream& err);
int runRecall(const std::filesystem::path& dataFolder, const std::vector<std::string>& args,
              std::ostream& out, std::ostream& err);

} // namespace qw::customers::cli
