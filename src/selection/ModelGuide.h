#pragma once

// What the model guide window shows for a page key: the caption, which of
// the three guide pictures and which of the four web links. Activation hides
// everything and then shows only what the key selects, so a second opening
// or a re-activation never keeps another page's picture. Plain state, bound
// to the window's widgets by name.

#include <core/FormState.h>

#include <string>
#include <string_view>

namespace qw::selection {

class ModelGuide {
public:
    static constexpr const char* kInitialCaption = "2011 Shaft Models Guide";
    static constexpr Rgb kCloseColour = rgb(136, 191, 61);
    static constexpr Rgb kLinkColour = rgb(0, 0, 128); // navy

    ModelGuide();

    // Runs the activation for the page key ("Hunt", "Targ", "Youth", "Kavl";
    // compared exactly).
    void activate(std::string_view pageKey);

    const FormState& form() const { return form_; }
    const std::string& caption() const { return caption_; }
    // The picture control shown, or an empty text when none is.
    std::string shownPicture() const;

private:
    FormState form_;
    std::string caption_ = kInitialCaption;
};

} // namespace qw::selection
