#include "TShopInf.h"

#include "widgets/CaptionButton.h"
#include "widgets/FixedLook.h"
#include "widgets/KeyboardAccess.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

namespace qw::app {

namespace {

constexpr int kClientWidth = 520;
constexpr int kClientHeight = 330;

QFont arial(int pixels, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

const QString kStatusLabel = QString::fromLatin1(customers::ShopInfModel::kStatusLabel);

// Where each edit sits: the city line holds city, state and postal code.
QRect placeOf(std::size_t index)
{
    switch (index) {
    case 3:
        return {180, 104, 150, 22};
    case 4:
        return {336, 104, 60, 22};
    case 5:
        return {402, 104, 100, 22};
    default: {
        const int row = index < 3 ? int(index) : int(index) - 2;
        return {180, 20 + row * 28, 322, 22};
    }
    }
}

} // namespace

TShopInf::TShopInf(const std::filesystem::path& dataFolder, MessageSink& messages, QWidget* parent)
    : QDialog(parent), model_(dataFolder, messages)
{
    setObjectName("TShopInf");
    setWindowTitle(customers::ShopInfModel::kCaption);
    setModal(true);
    buildWindow();
    opened_ = model_.open();
    binder_ = std::make_unique<FormBinder>(model_.form(), this);
    binder_->apply();
    for (const auto& field : customers::ShopInfModel::shopFields()) {
        const QString name = QString::fromLatin1(field.control.data(), field.control.size());
        if (const int width = model_.fieldWidth(field.field); width > 0)
            binder_->require<QLineEdit>(name)->setMaxLength(width);
        binder_->forwardTextEdits(name, [this, field](std::string text) {
            model_.changeField(field.field, std::move(text));
            if (!binder_->require<QLabel>(kStatusLabel)->text().isEmpty())
                binder_->apply(); // the confirmation of the last Save goes
        });
    }
    binder_->forwardClicks("ShopInfSaveBtn", [this] { ShopInfSaveBtnClick(); });
    binder_->forwardClicks("ShopInfExitBtn", [this] { ShopInfExitBtnClick(); });
    widgets::KeyboardAccess::install(this)->setMainCommand(
        binder_->require<QAbstractButton>("ShopInfSaveBtn"));
    binder_->require<QLineEdit>("ShopNameEdit")->setFocus();
}

TShopInf::~TShopInf()
{
    model_.exit();
}

void TShopInf::buildWindow()
{
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const auto& fields = customers::ShopInfModel::shopFields();
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QRect where = placeOf(i);
        if (!fields[i].caption.empty()) {
            auto* caption = new QLabel(
                QString::fromLatin1(fields[i].caption.data(), fields[i].caption.size()), this);
            caption->setFont(arial(13, true));
            caption->setGeometry(12, where.y(), 160, 22);
        }
        auto* edit = new QLineEdit(this);
        edit->setObjectName(
            QString::fromLatin1(fields[i].control.data(), fields[i].control.size()));
        edit->setFont(arial(13, false));
        edit->setGeometry(where);
        if (previous)
            setTabOrder(previous, edit);
        previous = edit;
    }
    auto* status = new QLabel(this);
    status->setObjectName(kStatusLabel);
    status->setFont(arial(12, false));
    status->setGeometry(180, 232, 322, 22);
    status->setAccessibleName(QStringLiteral("Save status"));

    struct Command {
        const char* name;
        const char* text;
        int x;
    };
    for (const Command& command :
         {Command{"ShopInfSaveBtn", "Save", 180}, Command{"ShopInfExitBtn", "Exit", 330}}) {
        auto* button = new widgets::CaptionButton(this);
        button->setObjectName(command.name);
        button->setText(QString::fromLatin1(command.text));
        button->setFont(arial(16, true));
        button->setGeometry(command.x, 270, 120, 34);
        button->setFillColour(Qt::black);
        button->setFontColour(QColor(0xF5, 0x7B, 0x20));
        button->setHoverColours(QColor(0xF5, 0x7B, 0x20), Qt::black);
        setTabOrder(previous, button);
        previous = button;
    }
    widgets::fixLook(this, Qt::white, Qt::black);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TShopInf::showIntroduction(const QString& text)
{
    constexpr int kIntroHeight = 34;
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->move(child->pos() + QPoint(0, kIntroHeight));
    auto* intro = new QLabel(text, this);
    intro->setObjectName(QStringLiteral("IntroductionLbl"));
    intro->setFont(arial(13, true));
    intro->setGeometry(12, 14, kClientWidth - 24, 22);
    widgets::fixLook(intro, Qt::white, QColor(0x2E, 0x6B, 0x2E));
    setFixedSize(kClientWidth, kClientHeight + kIntroHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TShopInf::ShopInfSaveBtnClick()
{
    model_.save();
    binder_->apply();
}

void TShopInf::ShopInfExitBtnClick()
{
    model_.exit();
    reject();
}

void TShopInf::closeEvent(QCloseEvent* event)
{
    model_.exit();
    QDialog::closeEvent(event);
}

} // namespace qw::app
