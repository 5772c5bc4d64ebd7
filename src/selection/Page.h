#pragma once

namespace qw::selection {

// The four chart pages of the main window, in tab order.
enum class Page { Hunt = 0, Targ = 1, Youth = 2, Kavl = 3 };

} // namespace qw::selection
