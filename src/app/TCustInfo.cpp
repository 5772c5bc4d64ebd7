#include "TCustInfo.h"

#include "customers/CustomerFields.h"
#include "widgets/CaptionButton.h"
#include "widgets/FixedLook.h"
#include "widgets/KeyboardAccess.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>

namespace qw::app {

namespace {

constexpr int kClientWidth = 560;
constexpr int kClientHeight = 480;

QFont arial(int pixels, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* caption(QWidget* parent, const QString& text, QRect where, int pixels = 13)
{
    auto* label = new QLabel(text, parent);
    label->setFont(arial(pixels, true));
    label->setGeometry(where);
    return label;
}

struct EditPlace {
    std::string_view field;
    QRect where;
};

} // namespace

TCustInfo::TCustInfo(const std::filesystem::path& dataFolder, const selection::SetupInputs& setup,
                     const std::string& pageKey, MessageSink& messages, QWidget* parent)
    : QDialog(parent), model_(dataFolder, messages)
{
    setObjectName("TCustInfo");
    setWindowTitle(customers::CustInfoModel::kCaption);
    setModal(true);
    buildWindow();
    opened_ = model_.open(setup, pageKey);
    binder_ = std::make_unique<FormBinder>(model_.form(), this);
    binder_->apply();
    bindEdits();
    widgets::KeyboardAccess::install(this)->setMainCommand(
        binder_->require<QAbstractButton>("PostBtn"));
    binder_->require<QLineEdit>("NameEdit")->setFocus();
}

TCustInfo::~TCustInfo()
{
    model_.close();
}

void TCustInfo::buildWindow()
{
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* panel = new QWidget(this);
    panel->setObjectName("TopPanel");
    panel->setGeometry(0, 0, kClientWidth, 150);
    panel->setAutoFillBackground(true);
    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, toQColor(customers::CustInfoModel::kPanelColour));
    panel->setPalette(panelPalette);

    struct Summary {
        const char* caption;
        const char* label;
        QPoint at;
    };
    const Summary summaries[] = {
        {"Bow Weight:", "Label24", {12, 12}},    {"Arrow Length:", "Label25", {12, 36}},
        {"Point Weight:", "Label27", {12, 60}},  {"Bow Type:", "Label9", {12, 84}},
        {"Wheel Type:", "Label10", {290, 12}},   {"Release:", "Label12", {290, 36}},
        {"Brace Height:", "Label15", {290, 60}}, {"Over Draw:", "Label16", {290, 84}},
    };
    for (const Summary& summary : summaries) {
        caption(panel, QString::fromLatin1(summary.caption), QRect(summary.at, QSize(110, 20)));
        auto* value = new QLabel(panel);
        value->setObjectName(summary.label);
        value->setFont(arial(13, false));
        value->setGeometry(QRect(summary.at + QPoint(115, 0), QSize(140, 20)));
    }
    auto* family = new QLabel(panel);
    family->setObjectName("Label17");
    family->setFont(arial(24, true));
    family->setAlignment(Qt::AlignCenter);
    family->setGeometry(0, 112, kClientWidth, 32);

    auto* date = new QLabel(this);
    date->setObjectName("DateText");
    date->setFont(arial(13, false));
    date->setGeometry(420, 162, 128, 22);
    date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    caption(this, "Name:", QRect(12, 162, 120, 22));
    caption(this, "Address:", QRect(12, 190, 120, 22));
    caption(this, "Address:", QRect(12, 218, 120, 22));
    caption(this, "City / St / ZIP:", QRect(12, 246, 120, 22));
    caption(this, "Country:", QRect(12, 274, 120, 22));
    caption(this, "Code:", QRect(330, 274, 50, 22));
    caption(this, "Comments:", QRect(12, 302, 120, 22));
    const EditPlace places[] = {
        {customers::field::NAME, {140, 162, 270, 22}},
        {customers::field::ADDR1, {140, 190, 300, 22}},
        {customers::field::ADDR2, {140, 218, 300, 22}},
        {customers::field::CITY, {140, 246, 180, 22}},
        {customers::field::STATE, {326, 246, 60, 22}},
        {customers::field::ZIP, {392, 246, 90, 22}},
        {customers::field::COUNTRY, {140, 274, 180, 22}},
        {customers::field::CCODE, {384, 274, 60, 22}},
    };
    QWidget* previous = nullptr;
    for (const EditPlace& place : places) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(customers::CustInfoModel::controlFor(place.field)));
        edit->setFont(arial(13, false));
        edit->setGeometry(place.where);
        if (previous)
            setTabOrder(previous, edit);
        previous = edit;
    }
    comments_ = new QPlainTextEdit(this);
    comments_->setObjectName("CommentsMemo");
    comments_->setFont(arial(13, false));
    comments_->setGeometry(140, 302, 408, 110);
    comments_->setTabChangesFocus(true);
    setTabOrder(previous, comments_);

    struct Command {
        const char* name;
        const char* text;
        int x;
    };
    for (const Command& command :
         {Command{"PostBtn", "Save Record", 140}, Command{"ExitBtn", "Close", 300}}) {
        auto* button = new widgets::CaptionButton(this);
        button->setObjectName(command.name);
        button->setText(QString::fromLatin1(command.text));
        button->setFont(arial(16, true));
        button->setGeometry(command.x, 426, 140, 36);
        button->setHoverColours(toQColor(customers::CustInfoModel::kButtonCaptionColour),
                                Qt::black);
    }

    widgets::fixLook(this, Qt::white, Qt::black);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TCustInfo::bindEdits()
{
    for (const std::string_view field : customers::kCustomerDetailFields) {
        if (field == customers::field::COMMENTS)
            continue;
        const QString name = QString::fromLatin1(customers::CustInfoModel::controlFor(field));
        auto* edit = binder_->require<QLineEdit>(name);
        if (const int width = model_.fieldWidth(field); width > 0)
            edit->setMaxLength(width);
        binder_->forwardTextEdits(name, [this, field, edit](std::string text) {
            model_.changeDetail(field, std::move(text));
            const int cursor = edit->cursorPosition();
            binder_->apply(); // the capitals typed, a mark of a missing field cleared
            edit->setCursorPosition(cursor);
        });
    }
    connect(comments_, &QPlainTextEdit::textChanged, this, [this] {
        model_.changeDetail(customers::field::COMMENTS, comments_->toPlainText().toStdString());
    });
    binder_->forwardClicks("PostBtn", [this] { PostBtnClick(); });
    binder_->forwardClicks("ExitBtn", [this] { ExitBtnClick(); });
}

void TCustInfo::PostBtnClick()
{
    if (model_.saveRecord() == customers::CustInfoModel::SaveOutcome::Stored)
        accept();
    else
        binder_->apply(); // the required fields still empty are marked
}

void TCustInfo::ExitBtnClick()
{
    model_.close();
    reject();
}

void TCustInfo::closeEvent(QCloseEvent* event)
{
    model_.close();
    QDialog::closeEvent(event);
}

} // namespace qw::app
