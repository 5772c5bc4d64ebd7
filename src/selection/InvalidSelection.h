#pragma once

#include <filesystem>
#include <string>

namespace qw::selection {

inline constexpr int kInvalidSelectionHelpContext = 165;

// The first line of invsel.txt in the data folder, at most 150 characters.
// Throws InputOutputError naming the file when it is missing or unreadable.
std::string readInvalidSelectionText(const std::filesystem::path& dataFolder);

} // namespace qw::selection
