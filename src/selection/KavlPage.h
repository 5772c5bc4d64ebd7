#pragma once

#include "RunContext.h"

namespace qw::selection {

// The second brand's page: its own bands, no overdraw, and a column is a
// shaft only when it has a model code.
class KavlPage {
public:
    static void run(RunContext& run);

private:
    static void work(RunContext& run);
    static void setControls(RunContext& run);
    static void fillRow(RunContext& run, int row, const DecimalNumber& length);
};

} // namespace qw::selection
