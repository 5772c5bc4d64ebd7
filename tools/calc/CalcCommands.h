#pragma once

// The four commands of quiverwise-calc. Each takes the arguments after the
// command's name, prints its answer and returns the exit status: 0, 1 when
// a message ended the calculation, or throws setupcli::UsageError for a bad
// command line.

#include <filesystem>
#include <string>
#include <vector>

namespace qw::calc {

using Arguments = std::vector<std::string>;

int runEnergy(const Arguments& arguments);
int runFoc(const Arguments& arguments);
int runSpecs(const Arguments& arguments, const std::filesystem::path& programFolder);
int runTrajectory(const Arguments& arguments, const std::filesystem::path& programFolder);

std::string calcUsage();

inline constexpr int kExitOk = 0;
inline constexpr int kExitMessage = 1;
inline constexpr int kExitUsage = 2;

} // namespace qw::calc
