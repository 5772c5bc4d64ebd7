#include "TArrowSel.h"

#include "AppConfig.h"
#include "HelpViewer.h"
#include "InputColumn.h"
#include "MainMenu.h"
#include "PageBuilders.h"
#include "RunStatus.h"
#include "ShaftsNB.h"
#include "selection/MainFormDesign.h"
#include "selection/Pages.h"
#include "storage/Table.h"
#include "widgets/CaptionButton.h"
#include "widgets/NumberEntry.h"
#include "widgets/RadioGroup.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

namespace qw::app {

using selection::CellKind;
using selection::Page;

namespace {

constexpr int kClientWidth = 788;
constexpr int kClientHeight = 542;
constexpr int kStatusHeight = 20;

const char* const kEntries[] = {"BowWeightSpin", "YouthBowWtSpin", "ArrowLengthSpin",
                                "YouthArrowLenSpin", "PointWtSpin"};
const char* const kRadioGroups[] = {"BowType",     "TargBowType", "HuntCamType", "WheelType",
                                    "ReleaseType", "OverDraw",    "BraceHt"};

// Page commands whose windows are not part of the program yet.
const char* const kUnbuiltPageCommands[] = {"PrintBtn", "SaveBtn", "ModelsBtn", "KECalcBtn",
                                            "Models2011Btn"};

template <typename T> T* require(QObject* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    if (!found)
        throw std::logic_error("main window has no control " + name.toStdString());
    return found;
}

QString name(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TArrowSel::TArrowSel(std::filesystem::path dataFolder, selection::MessageSink* messages,
                     QWidget* parent)
    : QMainWindow(parent), dataFolder_(std::move(dataFolder)), boxes_(this)
{
    setObjectName("TArrowSel");
    setWindowTitle(kApplicationTitle);
    messages_ = std::make_unique<CountingSink>(messages ? *messages : boxes_);
    model_ = std::make_unique<selection::SelectionModel>(dataFolder_, *messages_);
    preCustDB_ = std::make_unique<storage::Table>(dataFolder_);
    buildWindow();
    binder_ = std::make_unique<FormBinder>(model_->form(), this);
    disableUnavailableCommands();
    connectInputs();
    connectGrids();
    connectCommands();
    model_->setChangedCallback([this] { showModel(); });
    showModel();
    model_->findRec(); // its change notification shows the filled grid
    creationErrors_ = messages_->errorCount();
}

TArrowSel::~TArrowSel() = default;

void TArrowSel::buildWindow()
{
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    buildInputColumn(client);

    pages_ = new ShaftsNB(client);
    pages_->setGeometry(kInputColumnWidth + 2, 2, kClientWidth - kInputColumnWidth - 4,
                        kClientHeight - kStatusHeight - 4);
    pages_->addTab(buildHuntPage(dataFolder_), "Hunting");
    pages_->addTab(buildTargPage(dataFolder_), "Target");
    pages_->addTab(buildYouthPage(dataFolder_), "Youth");
    pages_->addTab(buildKavlPage(dataFolder_), "Kavel");

    status_ = new QLabel(client);
    status_->setObjectName("RunStatusLbl");
    status_->setGeometry(kInputColumnWidth + 6, kClientHeight - kStatusHeight - 1,
                         kClientWidth - kInputColumnWidth - 10, kStatusHeight);

    // The hand-off texts other windows read by name; never shown.
    for (const auto& [control, state] : model_->form().all())
        if (state.kind == selection::ControlKind::Label && !findChild<QWidget*>(name(control))) {
            auto* hidden = new QLabel(client);
            hidden->setObjectName(name(control));
            hidden->hide();
        }

    buildMenu();
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TArrowSel::buildMenu()
{
    MainMenu menu = buildMainMenu(menuBar());
    connect(menu.getSetup, &QAction::triggered, this, &TArrowSel::SpeedButton3Click);
    connect(menu.exit, &QAction::triggered, this, &TArrowSel::ExitBtn1Click);
    connect(menu.tuningInformation, &QAction::triggered, this, &TArrowSel::Contents1Click);
    for (QAction* unbuilt : {menu.saveSetup, menu.shopInformation, menu.keCalculator,
                             menu.exportCustomers, menu.about})
        unbuilt->setEnabled(false);
}

void TArrowSel::disableUnavailableCommands()
{
    for (Page page : selection::kAllPages)
        for (const char* suffix : kUnbuiltPageCommands) {
            const QString command = name(selection::pageControlName(page, suffix));
            binder_->keepDisabled(command);
            require<QWidget>(this, command)->setEnabled(false);
        }
    // With saved setups on file, Get Setup would open the retrieval window,
    // which is not part of the program yet; the empty-table notice is.
    bool hasSavedSetups = false;
    try {
        preCustDB_->open("Saveddb.dbf", storage::OpenMode::ReadOnly);
        hasSavedSetups = preCustDB_->recordCount() > 0;
        preCustDB_->close();
    } catch (const std::exception&) {
        // Reported when the command is given.
    }
    if (!hasSavedSetups)
        return;
    for (Page page : selection::kAllPages) {
        const QString command = name(selection::pageControlName(page, "GetBtn"));
        binder_->keepDisabled(command);
    }
    require<QAction>(this, "GetSetup1")->setEnabled(false);
}

void TArrowSel::connectInputs()
{
    for (const char* entryName : kEntries) {
        auto* entry = require<widgets::NumberEntry>(this, entryName);
        const std::string control = entryName;
        connect(entry, &QLineEdit::textChanged, this, [this, control](const QString& text) {
            if (!binder_->isApplying())
                model_->changeText(control, text.toStdString());
        });
    }
    for (const char* groupName : kRadioGroups) {
        auto* group = require<widgets::RadioGroup>(this, groupName);
        const std::string control = groupName;
        connect(group, &widgets::RadioGroup::itemClicked, this, [this, control](int index) {
            if (!binder_->isApplying())
                model_->clickItem(control, index);
        });
    }
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (!binder_->isApplying() && index >= 0)
            model_->changePage(static_cast<Page>(index));
    });
}

void TArrowSel::connectGrids()
{
    for (Page page : selection::kAllPages)
        for (int row = 1; row <= selection::pageInfo(page).rows; ++row) {
            auto* size = require<widgets::CaptionButton>(
                this, name(selection::cellName(page, CellKind::Size, row)));
            connect(size, &QAbstractButton::clicked, this,
                    [this, page, row] { TSzBtnClick(page, row); });
        }
    for (int row = 3; row <= 9; ++row) {
        auto* weight = require<widgets::CaptionButton>(
            this, name(selection::cellName(Page::Hunt, CellKind::Weight, row)));
        connect(weight, &QAbstractButton::clicked, this, [this, row] { HWtBtn9Click(row); });
    }
    connect(require<widgets::CaptionButton>(this, "CAWTCloseBtn"), &QAbstractButton::clicked, this,
            &TArrowSel::loseCarbonBtn);
}

void TArrowSel::connectCommands()
{
    for (Page page : selection::kAllPages) {
        connect(
            require<widgets::CaptionButton>(this, name(selection::pageControlName(page, "GetBtn"))),
            &QAbstractButton::clicked, this, &TArrowSel::SpeedButton3Click);
        connect(require<widgets::CaptionButton>(this,
                                                name(selection::pageControlName(page, "ExitBtn"))),
                &QAbstractButton::clicked, this, &TArrowSel::ExitBtn1Click);
    }
}

void TArrowSel::showModel()
{
    binder_->apply();
    status_->setText(runStatusText(*model_));
}

// The specifications window reads the hand-off texts; until it is part of
// the program the click only fills them.
void TArrowSel::TSzBtnClick(Page page, int row)
{
    model_->sizeCellClick(page, row);
    showModel();
}

void TArrowSel::HWtBtn9Click(int row)
{
    model_->carbonWeightClick(row);
    showModel();
}

void TArrowSel::loseCarbonBtn()
{
    model_->closeCarbonPanel();
    showModel();
}

void TArrowSel::SpeedButton3Click()
{
    try {
        preCustDB_->open("Saveddb.dbf");
        const auto records = preCustDB_->recordCount();
        preCustDB_->close();
        if (records == 0)
            messages_->information("There are no records on file currently, use Save Setup first.",
                                   0);
    } catch (const std::exception& failure) {
        preCustDB_->close();
        messages_->error(failure.what());
    }
}

void TArrowSel::ExitBtn1Click()
{
    close();
}

// Ending the program ends it whole: no prompt, and the help goes too.
void TArrowSel::closeEvent(QCloseEvent* event)
{
    if (helpViewer_)
        helpViewer_->close();
    event->accept();
}

void TArrowSel::Contents1Click()
{
    if (!helpViewer_) {
        helpViewer_ = new HelpViewer(QUrl(kTuningTopic), this);
        helpViewer_->move(geometry().center() - helpViewer_->rect().center());
    }
    helpViewer_->showTopic(QUrl(kTuningTopic));
}

} // namespace qw::app
