#include "TSpecsFrm.h"

#include "CalculatorParts.h"
#include "SheetOutput.h"
#include "TKECalc2.h"
#include "widgets/CaptionButton.h"
#include "widgets/FixedLook.h"
#include "widgets/KeyboardAccess.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include <optional>
#include <tuple>

namespace qw::app {

using calculators::WeightInput;

namespace {

constexpr int kClientWidth = 611;
constexpr int kClientHeight = 490;
constexpr int kBandHeight = 207;
const QColor kBandColour(0xD1, 0x7B, 0x20);
const QColor kCalculatorColour(0x2B, 0x2B, 0x2B);
const QColor kCalculatorText = toQColor(calculators::kCalculatorText);

QLabel* text(QWidget* parent, const QString& caption, QRect geometry, bool bold,
             const QString& name = {})
{
    auto* label = new QLabel(caption, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setGeometry(geometry);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    return label;
}

QString name(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void colourText(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    widget->setPalette(p);
}

} // namespace

TSpecsFrm::TSpecsFrm(const std::filesystem::path& dataFolder, selection::ShaftSelection shaft,
                     const selection::SetupInputs& setup, std::function<void()> openModelGuide,
                     MessageSink* messages, QWidget* parent)
    : QDialog(parent), boxes_(this), messages_(messages),
      openModelGuide_(std::move(openModelGuide)), buildSheet_(dataFolder)
{
    setObjectName("TSpecsFrm");
    setWindowTitle("2011 Arrow Weight Calculator/Specifications");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    widgets::fixLook(this, kCalculatorColour, kCalculatorText);

    model_ = std::make_unique<calculators::SpecsModel>(dataFolder, std::move(shaft),
                                                       messages ? *messages : boxes_);
    // The build sheet prints the setup in words, as the page's setup sheet
    // does; it lists no shafts of the chart.
    setup_ = reports::sheetDesign(model_->page()).fill({setup, {}, {}});
    buildBand();
    buildCalculator();
    binder_ = std::make_unique<FormBinder>(model_->form(), this);
    if (!openModelGuide_)
        binder_->keepDisabled("ShaftModelsBtn");
    connectControls();
    showModel();
    widgets::KeyboardAccess::install(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// The entries outlive the model by a moment: the one with the focus ends
// its editing while the window's children are destroyed.
TSpecsFrm::~TSpecsFrm()
{
    for (QLineEdit* entry : findChildren<QLineEdit*>())
        entry->disconnect(this);
}

void TSpecsFrm::buildBand()
{
    auto* band = new QWidget(this);
    band->setObjectName("SpecsBand");
    band->setGeometry(0, 0, kClientWidth, kBandHeight);
    band->setAutoFillBackground(true);
    QPalette p = band->palette();
    p.setColor(QPalette::Window, kBandColour);
    p.setColor(QPalette::WindowText, Qt::black);
    band->setPalette(p);

    // A plain label shows "&" as it is; the doubled form is the buttons'.
    text(band, "Shaft Size & Models:", {16, 12, 180, 24}, true);
    auto* size = text(band, {}, {196, 12, 90, 24}, true, "Label4");
    size->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    text(band, {}, {296, 12, 200, 24}, true, "Mods");
    text(band, "Shaft Type:", {16, 42, 130, 24}, true);
    text(band, {}, {150, 42, 300, 24}, false, "ArrowTypeText");

    const std::pair<const char*, const char*> left[] = {{"Maximum Length:", "LengthText"},
                                                        {"Outside Diameter:", "OdText"},
                                                        {"Grains per Inch:", "GpiText"}};
    const std::pair<const char*, const char*> right[] = {{"Wall Thickness:", "WallText"},
                                                         {"Inside Diameter:", "IdText"},
                                                         {"Spine at 29\":", "SpineText"}};
    for (int i = 0; i < 3; ++i) {
        const int y = 76 + i * 28;
        text(band, left[i].first, {16, y, 130, 24}, true);
        text(band, {}, {150, y, 130, 24}, false, left[i].second);
        text(band, right[i].first, {316, y, 130, 24}, true);
        text(band, {}, {450, y, 140, 24}, false, right[i].second);
    }
    auto* notFound = text(band, {}, {16, 158, 580, 22}, true, "NotFoundLbl");
    notFound->setWordWrap(true);
    text(band, "Note: Specs of shaft type Aluminum are from RV60 shafts.", {16, 182, 580, 20},
         false);
}

void TSpecsFrm::buildCalculator()
{
    // Each row is an input or an output (named).
    const std::tuple<const char*, std::optional<WeightInput>, const char*> rows[] = {
        {"Arrow Length:", WeightInput::Length, nullptr},
        {"Shaft Weight:", std::nullopt, "Label21"},
        {"Point Weight:", WeightInput::Point, nullptr},
        {"Nock System Weight:", WeightInput::Nock, nullptr},
        {"NPX Insert Weight:", WeightInput::Insert, nullptr},
        {"Fletching Weight:", WeightInput::Fletching, nullptr},
        {"Approx. Total Arrow Weight:", std::nullopt, "Label9"}};
    int y = kBandHeight + 14;
    for (const auto& [caption, input, outputName] : rows) {
        auto* label = text(this, caption, {16, y, 200, 28}, true);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        colourText(label, kCalculatorText);
        const QRect field(224, y, 100, 28);
        if (input) {
            decimalInput(this, name(calculators::controlName(*input)), field);
        } else {
            const bool total = QString(outputName) == "Label9";
            auto* output =
                text(this, {}, field.adjusted(0, 0, total ? 30 : 0, 0), true, outputName);
            output->setAlignment(Qt::AlignCenter);
            output->setFrameStyle(QFrame::Box | QFrame::Plain);
            output->setAutoFillBackground(true);
        }
        y += 35;
    }
    // Under the total, across the window: the warning is a long line.
    text(this, {}, {16, y - 4, 578, 24}, true, "GrainsPerPoundLbl");
    const std::tuple<const char*, QRect, int> buttons[] = {
        {"ShaftModelsBtn", {384, kBandHeight + 14, 210, 52}, 4},
        {"KECalcBtn", {384, kBandHeight + 74, 210, 52}, 2},
        {"PrintBuildBtn", {384, kBandHeight + 136, 210, 28}, 0},
        {"SaveBuildPdfBtn", {384, kBandHeight + 170, 210, 28}, 0},
        {"CloseBtn", {384, kBandHeight + 212, 210, 40}, 2}};
    for (const auto& [buttonName, geometry, larger] : buttons) {
        auto* button = new widgets::CaptionButton(this);
        button->setObjectName(buttonName);
        button->setGeometry(geometry);
        QFont font = button->font();
        font.setBold(true);
        font.setPointSize(font.pointSize() + larger);
        button->setFont(font);
    }
}

void TSpecsFrm::connectControls()
{
    for (WeightInput input : calculators::kAllWeightInputs) {
        const QString entry = name(calculators::controlName(input));
        binder_->forwardTextEdits(entry, [this, input](std::string typed) {
            model_->typeInput(input, std::move(typed));
            showModel();
        });
        connect(binder_->require<QLineEdit>(entry), &QLineEdit::editingFinished, this,
                [this, input] {
                    model_->finishInput(input);
                    showModel();
                });
        for (const auto& [suffix, direction] : {std::pair{"Up", +1}, std::pair{"Down", -1}})
            binder_->forwardClicks(entry + suffix, [this, input, direction] {
                model_->stepInput(input, direction);
                showModel();
            });
    }
    binder_->forwardClicks("ShaftModelsBtn", [this] {
        if (openModelGuide_)
            openModelGuide_();
    });
    binder_->forwardClicks("KECalcBtn", [this] { KECalcBtnClick(); });
    binder_->forwardClicks("PrintBuildBtn", [this] { PrintBuildBtnClick(); });
    binder_->forwardClicks("SaveBuildPdfBtn", [this] { SaveBuildPdfBtnClick(); });
    binder_->forwardClicks("CloseBtn", [this] { CloseBtnClick(); });
}

void TSpecsFrm::showModel()
{
    binder_->apply();
}

void TSpecsFrm::KECalcBtnClick()
{
    TKECalc2 calculator(messages_, this);
    calculator.exec();
}

MessageSink& TSpecsFrm::messages()
{
    return messages_ ? *messages_ : boxes_;
}

reports::BuildSheetValues TSpecsFrm::buildSheetValues() const
{
    return {model_->page(), setup_, model_->finishedArrow()};
}

void TSpecsFrm::PrintBuildBtnClick()
{
    const reports::BuildSheetValues values = buildSheetValues();
    SheetOutput::print(
        this, messages(), reports::proposedBuildPdfName(values, QDate::currentDate()),
        [&](QString* error) { return buildSheet_.print(values, error); },
        [&](const QString& file, QString* error) {
            return buildSheet_.savePdf(values, file, error);
        });
}

void TSpecsFrm::SaveBuildPdfBtnClick()
{
    const reports::BuildSheetValues values = buildSheetValues();
    SheetOutput::saveAsPdf(this, messages(),
                           reports::proposedBuildPdfName(values, QDate::currentDate()),
                           [&](const QString& file, QString* error) {
                               return buildSheet_.savePdf(values, file, error);
                           });
}

void TSpecsFrm::CloseBtnClick()
{
    model_->close();
    accept();
}

void TSpecsFrm::reject()
{
    model_->close();
    QDialog::reject();
}

} // namespace qw::app
