#include "TGetCust.h"

#include "CustomerSheetValues.h"
#include "InputPrompt.h"
#include "SheetOutput.h"
#include "reports/CustomerSheet.h"
#include "widgets/CaptionButton.h"
#include "widgets/FixedLook.h"
#include "widgets/KeyboardAccess.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

namespace qw::app {

using customers::CustomerRetrieval;

namespace {

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 456;
const QColor kTan = QColor::fromRgb(0xCC, 0xB7, 0x76);
const QColor kPressedGrey = QColor::fromRgb(0x80, 0x80, 0x80);
const QColor kWindowColour = QColor::fromRgb(0xEF, 0xEF, 0xEF);

QFont arial(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel* caption(const QString& text, QWidget* parent, const QRect& place)
{
    auto* label = new QLabel(text, parent);
    label->setFont(arial(12, true));
    label->setGeometry(place);
    return label;
}

// The state edit turns typed letters into capitals.
class CapitalsValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

TGetCust::TGetCust(std::filesystem::path dataFolder, selection::SelectionModel& mainWindow,
                   MessageSink& messages, reports::TCustInfoRpt& customerSheet, QWidget* parent)
    : QDialog(parent), mainWindow_(mainWindow),
      retrieval_(std::make_unique<CustomerRetrieval>(std::move(dataFolder), mainWindow, messages)),
      messages_(messages), customerSheet_(customerSheet)
{
    setObjectName("TGetCust");
    setWindowTitle(CustomerRetrieval::kCaption);
    buildWindow();
    binder_ = std::make_unique<FormBinder>(retrieval_->form(), this);
    connectControls();
    retrieval_->setChangedCallback([this] { showModel(); });
    opened_ = retrieval_->open();
    showModel();
    widgets::KeyboardAccess::install(this)->setMainCommand(findChild<QAbstractButton*>("Button1"));
}

TGetCust::~TGetCust()
{
    retrieval_->setChangedCallback({});
}

void TGetCust::buildWindow()
{
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    widgets::fixLook(this, kWindowColour, Qt::black);
    buildSummary();
    buildEdits();
    buildNavigator();
    buildCommands();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TGetCust::buildSummary()
{
    auto* panel = new QFrame(this);
    panel->setObjectName("SummaryPanel");
    panel->setFrameShape(QFrame::Box);
    panel->setGeometry(8, 8, kClientWidth - 16, 150);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, Qt::white);
    panel->setPalette(p);

    auto* family = new QLabel(panel);
    family->setObjectName("Label17");
    family->setFont(arial(22, true));
    family->setAlignment(Qt::AlignCenter);
    family->setGeometry(8, 6, panel->width() - 16, 30);

    struct Item {
        const char* caption;
        const char* label;
    };
    const Item left[] = {{"Bow Weight:", "Label24"},
                         {"Arrow Length:", "Label25"},
                         {"Point Weight:", "Label27"},
                         {"Bow Type:", "Label9"}};
    const Item right[] = {{"Wheel Type:", "Label10"},
                          {"Release:", "Label12"},
                          {"Brace Height:", "Label15"},
                          {"Over Draw:", "Label16"}};
    for (int column = 0; column < 2; ++column) {
        const Item* items = column == 0 ? left : right;
        const int x = 24 + column * 290;
        for (int row = 0; row < 4; ++row) {
            const int y = 44 + row * 25;
            caption(items[row].caption, panel, QRect(x, y, 110, 22));
            auto* value = new QLabel(panel);
            value->setObjectName(items[row].label);
            value->setFont(arial(13));
            value->setGeometry(x + 112, y, 150, 22);
        }
    }
}

void TGetCust::buildEdits()
{
    struct Place {
        const char* edit;
        QRect rect;
    };
    const Place places[] = {
        {"NameEdit", {130, 172, 330, 24}},    {"Addr1Edit", {130, 200, 330, 24}},
        {"Addr2Edit", {130, 228, 330, 24}},   {"CityEdit", {130, 256, 190, 24}},
        {"StateEdit", {326, 256, 50, 24}},    {"ZipEdit", {382, 256, 78, 24}},
        {"CountryEdit", {130, 284, 190, 24}}, {"CodeEdit", {382, 284, 78, 24}}};
    caption("Name:", this, {16, 172, 110, 24});
    caption("Address:", this, {16, 200, 110, 24});
    caption("City / St / ZIP:", this, {16, 256, 110, 24});
    caption("Country:", this, {16, 284, 110, 24});
    caption("Code:", this, {336, 284, 44, 24});
    caption("Comments:", this, {16, 312, 110, 24});
    for (const Place& place : places) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(place.edit);
        edit->setGeometry(place.rect);
    }
    findChild<QLineEdit*>("StateEdit")->setValidator(new CapitalsValidator(this));
    comments_ = new QPlainTextEdit(this);
    comments_->setObjectName("CommentsMemo");
    comments_->setGeometry(130, 312, 330, 90);
}

void TGetCust::buildNavigator()
{
    auto* navigator = new QWidget(this);
    navigator->setObjectName("DBNavigator1");
    navigator->setGeometry(130, 412, 7 * 36, 28);
    int x = 0;
    for (const char* name : CustomerRetrieval::kNavigatorButtons) {
        auto* button = new widgets::CaptionButton(navigator);
        button->setObjectName(name);
        button->setFont(arial(13));
        button->setDimWhenDisabled(true);
        button->setHoverColours(kTan, Qt::black);
        button->setGeometry(x, 0, 36, 28);
        x += 36;
    }
}

void TGetCust::buildCommands()
{
    auto* search = new QPushButton(QStringLiteral("Search"), this);
    search->setObjectName("Button1");
    search->setGeometry(480, 172, 104, 28);

    struct Command {
        const char* name;
        int y;
    };
    for (const Command& command : {Command{"SavePdfBtn", 290}, Command{"PrintBtn", 330},
                                   Command{"ReturnDataBtn", 370}, Command{"ExitBtn", 410}}) {
        auto* button = new widgets::CaptionButton(this);
        button->setObjectName(command.name);
        button->setFont(arial(15, true));
        button->setDimWhenDisabled(true);
        button->setHoverColours(kTan, Qt::black);
        button->setGeometry(470, command.y, 114, 32);
        // Grey while pressed, tan again under the mouse once let go.
        connect(button, &QAbstractButton::pressed, button,
                [button] { button->setHoverColours(kPressedGrey, Qt::black); });
        connect(button, &QAbstractButton::released, button,
                [button] { button->setHoverColours(kTan, Qt::black); });
    }
}

void TGetCust::connectControls()
{
    using Step = void (CustomerRetrieval::*)();
    const Step steps[] = {&CustomerRetrieval::first, &CustomerRetrieval::previous,
                          &CustomerRetrieval::next,  &CustomerRetrieval::last,
                          &CustomerRetrieval::edit,  &CustomerRetrieval::post,
                          &CustomerRetrieval::cancel};
    for (std::size_t i = 0; i < CustomerRetrieval::kNavigatorButtons.size(); ++i)
        binder_->forwardClicks(CustomerRetrieval::kNavigatorButtons[i],
                               [this, step = steps[i]] { (retrieval_.get()->*step)(); });
    for (const auto& bound : CustomerRetrieval::kBoundEdits) {
        const std::string control = bound.control;
        if (control == "CommentsMemo")
            continue;
        binder_->forwardTextEdits(QString::fromStdString(control),
                                  [this, control](std::string text) {
                                      retrieval_->changeField(control, std::move(text));
                                  });
    }
    connect(comments_, &QPlainTextEdit::textChanged, this, [this] {
        const std::string text = comments_->toPlainText().toStdString();
        if (!binder_->isApplying() && text != retrieval_->form()["CommentsMemo"].text)
            retrieval_->changeField("CommentsMemo", text);
    });
    binder_->forwardClicks("Button1", [this] { Button1Click(); });
    binder_->forwardClicks("PrintBtn", [this] { SpeedButton1Click(); });
    binder_->forwardClicks("SavePdfBtn", [this] { SavePdfBtnClick(); });
    binder_->forwardClicks("ReturnDataBtn", [this] { ReturnDataBtnClick(); });
    binder_->forwardClicks("ExitBtn", [this] { ExitBtnClick(); });
}

void TGetCust::showModel()
{
    binder_->apply();
    const QString comments = QString::fromStdString(retrieval_->form()["CommentsMemo"].text);
    if (comments_->toPlainText() != comments) {
        const QSignalBlocker quiet(comments_);
        comments_->setPlainText(comments);
    }
    for (const auto& bound : CustomerRetrieval::kBoundEdits)
        if (auto* edit = findChild<QLineEdit*>(bound.control))
            edit->setMaxLength(std::max(1, retrieval_->fieldWidth(bound.control)));
}

void TGetCust::Button1Click()
{
    const auto text =
        InputPrompt::ask(this, CustomerRetrieval::kFindTitle, CustomerRetrieval::kFindPrompt);
    retrieval_->search(text.value_or(QString()).toStdString());
}

void TGetCust::SpeedButton1Click()
{
    const reports::CustomerSheetValues record = customerSheetValues(*retrieval_);
    SheetOutput::print(
        this, messages_, proposedPdfName(),
        [&](QString* error) {
            // The printing window stays up only while the sheet goes out.
            QProgressDialog progress(QString::fromUtf8("Printing the customer sheet\u2026"),
                                     QString(), 0, 0, this);
            progress.setObjectName("PrintProgress");
            progress.setWindowTitle(QStringLiteral("Printing"));
            progress.setWindowModality(Qt::WindowModal);
            progress.setMinimumDuration(0);
            progress.show();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return customerSheet_.print(record, error);
        },
        [&](const QString& file, QString* error) {
            return customerSheet_.savePdf(record, file, error);
        });
}

void TGetCust::SavePdfBtnClick()
{
    SheetOutput::saveAsPdf(
        this, messages_, proposedPdfName(), [&](const QString& file, QString* error) {
            return customerSheet_.savePdf(customerSheetValues(*retrieval_), file, error);
        });
}

QString TGetCust::proposedPdfName() const
{
    return reports::proposedCustomerPdfName(retrieval_->form()["NameEdit"].text,
                                            QDate::currentDate());
}

void TGetCust::ReturnDataBtnClick()
{
    if (const auto setup = retrieval_->returnData()) {
        mainWindow_.applySetup(*setup);
        closing_ = true;
        accept();
    }
}

void TGetCust::ExitBtnClick()
{
    retrieval_->close();
    closing_ = true;
    QDialog::reject();
}

void TGetCust::reject()
{
    if (closing_)
        QDialog::reject();
    else
        ExitBtnClick();
}

} // namespace qw::app
