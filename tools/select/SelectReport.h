#pragma once

// The final state of one page, as JSON or as a readable table.

#include <selection/SelectionModel.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace qw::select {

nlohmann::ordered_json pageReport(const selection::SelectionModel& model, selection::Page page,
                                  const std::vector<std::string>& messages);
std::string pageTable(const nlohmann::ordered_json& report);

} // namespace qw::select
