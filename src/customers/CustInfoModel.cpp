#include "CustInfoModel.h"

#include "CustomerFields.h"
#include "CustomerRecords.h"
#include "EntryRules.h"
#include "NameOrder.h"
#include "SavedSetups.h"

#include "core/Text.h"
#include "selection/SetupInputs.h"
#include "storage/ProgramFiles.h"
#include "storage/StorageError.h"

#include <array>
#include <utility>

namespace qw::customers {
using selection::SetupEntry;
using selection::SetupGroup;

namespace {

struct DetailControl {
    std::string_view field;
    std::string_view control;
};

constexpr std::array<DetailControl, 9> kDetailControls = {{
    {field::NAME, "NameEdit"},
    {field::ADDR1, "Addr1Edit"},
    {field::ADDR2, "Addr2Edit"},
    {field::CITY, "CityEdit"},
    {field::STATE, "StateEdit"},
    {field::ZIP, "ZipEdit"},
    {field::COUNTRY, "CountryEdit"},
    {field::CCODE, "CCodeEdit"},
    {field::COMMENTS, "CommentsMemo"},
}};

constexpr std::array<std::string_view, 9> kSummaryLabels = {"Label24", "Label25", "Label27",
                                                            "Label9",  "Label10", "Label12",
                                                            "Label15", "Label16", "Label17"};

ControlState control(ControlKind kind)
{
    ControlState state;
    state.kind = kind;
    return state;
}

FormState design()
{
    FormState form;
    for (const std::string_view label : kSummaryLabels)
        form.add(std::string(label), control(ControlKind::Label));
    form.add("DateText", control(ControlKind::Label));
    for (const DetailControl& detail : kDetailControls)
        form.add(std::string(detail.control), control(ControlKind::Entry));
    for (const char* name : {"PostBtn", "ExitBtn"}) {
        ControlState button = control(ControlKind::Button);
        button.fill = kBlack;
        button.border = kBlack;
        button.font = CustInfoModel::kButtonCaptionColour;
        form.add(name, button);
    }
    form["PostBtn"].text = "Save Record";
    form["ExitBtn"].text = "Close";
    return form;
}

std::string text(std::optional<std::string_view> words)
{
    return words ? std::string(*words) : std::string();
}

} // namespace

std::string toCapitals(std::string_view utf8)
{
    std::string out(utf8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00E0..U+00FE are the small letters of U+00C0..U+00DE (but ÷).
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7)
                out[i + 1] = static_cast<char>(next - 0x20);
            ++i;
        }
    }
    return out;
}

CustInfoModel::CustInfoModel(std::filesystem::path dataFolder, MessageSink& messages)
    : messages_(messages), customerDataBase_(std::move(dataFolder)), form_(design())
{
}

std::string_view CustInfoModel::controlFor(std::string_view field)
{
    for (const DetailControl& detail : kDetailControls)
        if (detail.field == field)
            return detail.control;
    return {};
}

bool CustInfoModel::open(const selection::SetupInputs& setupInputs, std::string_view pageKey,
                         std::string date)
{
    try {
        customerDataBase_.open(storage::files::kSavedSetups);
        for (const std::string& notice : customerDataBase_.notices())
            messages_.information(notice, 0);
        requireCustomerFields(customerDataBase_);
        const std::vector<FieldText> setup = encodeSetup(setupInputs, pageKey, date);
        // A setup that no recall could use is not stored at all.
        if (const auto refusal = setupRefusal(customerDataBase_, setup)) {
            customerDataBase_.close();
            messages_.error(*refusal);
            return false;
        }
        customerDataBase_.appendBlank();
        writeFields(customerDataBase_, setup);
    } catch (const storage::StorageError& e) {
        customerDataBase_.close();
        messages_.error(e.what());
        return false;
    }
    state_ = State::Composing;
    form_["DateText"].text = date;
    for (const DetailControl& detail : kDetailControls)
        form_[detail.control].text.clear();
    fillSummary(setupInputs, pageKey);
    return true;
}

// The labels follow the main window's choices (not the record): a recurve or
// a longbow shows "N/A" for the four details, a youth setup for those and
// the point weight, although the record keeps their codes. The weights and
// the cam are shown as they are stored.
void CustInfoModel::fillSummary(const selection::SetupInputs& setup, std::string_view pageKey)
{
    for (const FieldText& value : encodeSetup(setup, pageKey, {})) {
        if (value.field == field::BOWWT)
            form_["Label24"].text = value.text + std::string(kBowWeightMark);
        else if (value.field == field::ARLEN)
            form_["Label25"].text = value.text + std::string(kInchMark);
        else if (value.field == field::PNTWT)
            form_["Label27"].text = value.text + "gr";
    }
    form_["Label10"].text = text(codeText(kWheelTypeTexts, setup.item(camGroup(pageKey))));
    if (const auto family = chartFamilyCode(pageKey))
        form_["Label17"].text = text(codeText(kChartFamilyTexts, *family));
    const bool hunt = pageKey == "Hunt";
    const int bowType = setup.item(hunt ? SetupGroup::BowType : SetupGroup::TargBowType);
    form_["Label9"].text = text(codeText(kBowTypeTexts, bowType));
    if (bowType == 0) {
        form_["Label12"].text = text(codeText(kReleaseTexts, setup.item(SetupGroup::ReleaseType)));
        form_["Label15"].text = text(codeText(kBraceHeightTexts, setup.item(SetupGroup::BraceHt)));
        form_["Label16"].text = text(codeText(kOverDrawTexts, setup.item(SetupGroup::OverDraw)));
    } else {
        for (const char* detail : {"Label10", "Label12", "Label15", "Label16"})
            form_[detail].text = std::string(kNotApplicable);
    }
    // The youth page uses none of the adult settings (its groups and the
    // point weight are disabled there), whatever its bow type.
    if (pageKey == "Youth")
        for (const char* adultOnly : {"Label27", "Label10", "Label12", "Label15", "Label16"})
            form_[adultOnly].text = std::string(kNotApplicable);
}

std::string CustInfoModel::changeDetail(std::string_view field, std::string text)
{
    const std::string_view control = controlFor(field);
    if (control.empty())
        throw std::out_of_range("no customer detail " + std::string(field));
    if (field == field::STATE)
        text = toCapitals(text);
    form_[control].text = text;
    if (!text.empty())
        form_[control].flagged = false; // filled in since the refusal
    if (state_ == State::Composing) {
        try {
            customerDataBase_.setField(field,
                                       field == field::COMMENTS ? commentsWithCrLf(text) : text);
        } catch (const storage::StorageError& e) {
            messages_.error(e.what());
        }
    }
    return text;
}

std::string CustInfoModel::pendingText(std::string_view field) const
{
    if (!customerDataBase_.isOpen())
        return {};
    return std::string(trimFieldEnd(customerDataBase_.getString(field)));
}

int CustInfoModel::fieldWidth(std::string_view field) const
{
    if (!customerDataBase_.isOpen())
        return 0;
    for (const storage::FieldDef& def : customerDataBase_.fields())
        if (def.name == field)
            return def.type == storage::FieldType::Memo ? 0 : def.length;
    return 0;
}

CustInfoModel::SaveOutcome CustInfoModel::saveRecord()
{
    if (state_ != State::Composing)
        return SaveOutcome::Failed;
    // Every required field left empty is marked in the form, so the one
    // message says which are missing.
    bool complete = true;
    for (const std::string_view required : kRequiredDetailFields) {
        const bool empty = pendingText(required).empty();
        form_[controlFor(required)].flagged = empty;
        complete = complete && !empty;
    }
    if (!complete) {
        messages_.error(kIncompleteAddress);
        return SaveOutcome::Refused;
    }
    // Checked as typed: the pending record holds the code page's form, in
    // which a letter it lacks has already become "?".
    for (const DetailControl& detail : kDetailControls) {
        if (const auto refusal =
                detailRefusal(customerDataBase_, detail.field, form_[detail.control].text)) {
            messages_.error(*refusal);
            return SaveOutcome::Refused;
        }
    }
    try {
        customerDataBase_.post();
    } catch (const storage::StorageError& e) {
        messages_.error(std::string(kRecordNotStored) + "\n" + e.what());
        return SaveOutcome::Failed;
    }
    state_ = State::Stored;
    // The record is stored from here on, whatever becomes of the index: a
    // failure now must not read as "not stored", or a retry would store
    // the customer twice.
    indexed_ = rebuildNameIndex();
    messages_.information(kRecordAdded, 0);
    if (!indexed_)
        messages_.information(indexPendingMessage_, 0);
    customerDataBase_.indexCloseAll();
    customerDataBase_.close();
    return SaveOutcome::Stored;
}

// Saved.idx rebuilt over every record, the new one included; a missing or
// unreadable index is made anew from the table.
bool CustInfoModel::rebuildNameIndex()
{
    try {
        try {
            customerDataBase_.indexOpen(storage::files::kSavedIndex);
        } catch (const storage::StorageError&) {
            customerDataBase_.indexOpenInMemory(storage::files::kSavedIndex,
                                                storage::files::kSavedIndexKey);
        }
        customerDataBase_.reindex();
        return true;
    } catch (const storage::StorageError& e) {
        indexPendingMessage_ = std::string("The name index ") + storage::files::kSavedIndex +
                               " could not be rebuilt.\n" + e.what() +
                               "\nThe record is stored; the index is rebuilt from the table the "
                               "next time the customers are listed or searched.";
        return false;
    }
}

void CustInfoModel::close()
{
    customerDataBase_.close();
    if (state_ == State::Composing)
        state_ = State::Closed;
}

} // namespace qw::customers
