#pragma once

// One builder per page of ShaftsNB: each makes the page widget with its
// grid, legend and furniture, every control named as the engine names it.

#include <filesystem>

class QWidget;

namespace qw::app {

QWidget* buildHuntPage(const std::filesystem::path& dataFolder);
QWidget* buildTargPage(const std::filesystem::path& dataFolder);
QWidget* buildYouthPage(const std::filesystem::path& dataFolder);
QWidget* buildKavlPage(const std::filesystem::path& dataFolder);

// The page widget itself, in the page's background colour.
QWidget* newPageWidget(const char* sheetName);

} // namespace qw::app
