#pragma once

#include "RunContext.h"

namespace qw::selection {

// The Youth page's part of a run: only the youth entries take part.
class YouthPage {
public:
    static void run(RunContext& run);

private:
    static void work(RunContext& run);
    static void setControls(RunContext& run);
    static void fillRow(RunContext& run, int row, const DecimalNumber& length);
};

} // namespace qw::selection
