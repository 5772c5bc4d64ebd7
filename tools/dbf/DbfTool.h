#pragma once

// The commands of quiverwise-dbf. Each writes its result to out and
// returns the process exit status: 0 done, 1 a seek found nothing, 2 usage
// or storage error (the message goes to err).

#include <iosfwd>
#include <string>
#include <vector>

namespace qw::tools {

int runDbfTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qw::tools
