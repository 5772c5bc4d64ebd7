#include "ModelGuide.h"

namespace qw::selection {

namespace {

const char* const kPictures[] = {"HuntGuideImg", "TargGuideImg", "KavlGuideImg"};

struct KeyRule {
    std::string_view key;
    const char* caption;
    const char* picture;
    const char* link;
};

const KeyRule kRules[] = {
    {"Hunt", "2011 Hunting Shaft Models Guide", "HuntGuideImg", "HyperLblHunt"},
    {"Targ", "2011 Target/Youth Shaft Models Guide", "TargGuideImg", "HyperLblTarg"},
    {"Youth", "2011 Target/Youth Shaft Models Guide", "TargGuideImg", "HyperLblYouth"},
    {"Kavl", "2011 Kavel Shaft Models Guide", "KavlGuideImg", "HyperLblKavl"},
};

ControlState hidden(ControlKind kind, std::string text = {})
{
    ControlState state;
    state.kind = kind;
    state.text = std::move(text);
    state.visible = false;
    return state;
}

} // namespace

ModelGuide::ModelGuide()
{
    for (const char* picture : kPictures)
        form_.add(picture, hidden(ControlKind::Label));
    const std::pair<const char*, const char*> links[] = {
        {"HyperLblHunt", "Norvane Online Hunting Shafts Guide"},
        {"HyperLblTarg", "Norvane Online Target Shafts Guide"},
        {"HyperLblYouth", "Norvane Online Youth Shafts Guide"},
        {"HyperLblKavl", "Kavel Online Shafts Guide"}};
    for (const auto& [name, text] : links) {
        ControlState link = hidden(ControlKind::Label, text);
        link.font = kLinkColour;
        form_.add(name, link);
    }
    ControlState close;
    close.kind = ControlKind::Button;
    close.text = "Close";
    close.fill = kBlack;
    close.border = kBlack;
    close.font = rgb(192, 192, 192);
    form_.add("KECloseBtn", close);
}

void ModelGuide::activate(std::string_view pageKey)
{
    form_["KECloseBtn"].font = kCloseColour;
    for (const auto& rule : kRules)
        form_[rule.link].visible = false;
    for (const char* picture : kPictures)
        form_[picture].visible = false;
    caption_ = kInitialCaption;
    // A key matching none of the rules leaves everything hidden.
    for (const auto& rule : kRules)
        if (pageKey == rule.key) {
            form_[rule.picture].visible = true;
            form_[rule.link].visible = true;
            caption_ = rule.caption;
        }
}

std::string ModelGuide::shownPicture() const
{
    for (const char* picture : kPictures)
        if (form_[picture].visible)
            return picture;
    return {};
}

} // namespace qw::selection
