#pragma once

// The state of a window's controls, by objectName, as plain data: each
// window's model reads and writes its own, the window binds its widgets to
// it, and the command-line tools print it. Unknown names are a programming
// error and throw std::out_of_range, so a misspelt control cannot go unseen.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qw {

// 0xRRGGBB
using Rgb = std::uint32_t;
constexpr Rgb rgb(int r, int g, int b)
{
    return Rgb((r << 16) | (g << 8) | b);
}

inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kHuntGreen = rgb(136, 191, 61);  // #88BF3D
inline constexpr Rgb kTargOrange = rgb(245, 123, 32); // #F57B20
inline constexpr Rgb kKavlRust = rgb(164, 78, 45);    // #A44E2D

enum class ControlKind {
    Entry,      // number box with text (BowWeightSpin ...)
    UpDown,     // the arrows beside an entry
    RadioGroup, // itemIndex
    Cell,       // flat caption button of a result grid
    Label,      // plain or hidden text (TmpLbl2, Label6, headings)
    Button,     // page command buttons
    PageControl // ShaftsNB: itemIndex is the active page
};

struct ControlState {
    ControlKind kind = ControlKind::Label;
    std::string text;        // caption, entry text or label text
    bool showCaption = true; // cells: caption drawn or not
    bool visible = true;
    bool enabled = true;
    Rgb fill = kWhite;
    Rgb border = kBlack;
    Rgb font = kBlack;
    std::string hint;
    bool flagged = false; // entries: marked as needing the user's attention (required, empty)
    int itemIndex = -1;   // radio groups and the page control
    std::vector<std::string> items; // radio group items

    bool operator==(const ControlState&) const = default;
};

class FormState {
public:
    ControlState& add(std::string name, ControlState initial);
    ControlState& operator[](std::string_view name);
    const ControlState& operator[](std::string_view name) const;
    bool contains(std::string_view name) const;
    const std::map<std::string, ControlState, std::less<>>& all() const { return controls_; }

private:
    std::map<std::string, ControlState, std::less<>> controls_;
};

} // namespace qw
