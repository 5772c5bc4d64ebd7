#include "TArrowSel.h"

#include "AppConfig.h"
#include "HelpViewer.h"
#include "InputColumn.h"
#include "MainMenu.h"
#include "PageBuilders.h"
#include "PageFurniture.h"
#include "ResultGrid.h"
#include "RunStatus.h"
#include "ShaftsNB.h"
#include "SheetOutput.h"
#include "TAboutBox.h"
#include "TAboutBox1.h"
#include "TCustInfo.h"
#include "TGetCust.h"
#include "TKECalc2.h"
#include "TShopInf.h"
#include "TSpecsFrm.h"
#include "TTrajectory.h"
#include "customers/CustomerExport.h"
#include "customers/CustomerSpreadsheet.h"
#include "customers/FirstRunOffer.h"
#include "customers/SavedSetups.h"
#include "reports/PrintedSheets.h"
#include "selection/MainFormDesign.h"
#include "selection/Pages.h"
#include "widgets/CaptionButton.h"
#include "widgets/FixedLook.h"
#include "widgets/KeyboardAccess.h"
#include "widgets/NumberEntry.h"
#include "widgets/RadioGroup.h"
#include "widgets/StaleOverlay.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace qw::app {

using selection::CellKind;
using selection::Page;

namespace {

constexpr int kClientWidth = 788;
constexpr int kClientHeight = 542;
// Two lines: the reason no shaft is shown, with the weights or lengths the
// chart takes, must be read whole.
constexpr int kStatusHeight = 30;
// Behind the status line and between the column and the pages.
const QColor kClientColour(0xEF, 0xEF, 0xEF);

QString name(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString overlayName(Page page)
{
    return name(selection::pageControlName(page, "StaleOverlay"));
}

// What the dimming means, in the free space of the command column under
// the "2011" button, where it covers no caption of the page.
QLabel* buildStaleNote(QWidget* sheet, Page page)
{
    auto* note = new QLabel(QStringLiteral("<b>Out of date:</b><br>these shafts do not "
                                           "<br>match the entries"),
                            sheet);
    note->setObjectName(name(selection::pageControlName(page, "StaleNoteLbl")));
    note->setTextFormat(Qt::RichText);
    note->setGeometry(kStaleNotePlace);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->hide();
    return note;
}

} // namespace

TArrowSel::TArrowSel(std::filesystem::path dataFolder, MessageSink* messages, QWidget* parent)
    : QMainWindow(parent), dataFolder_(std::move(dataFolder)), boxes_(this)
{
    setObjectName("TArrowSel");
    setWindowTitle(kApplicationTitle);
    messages_ = std::make_unique<CountingSink>(messages ? *messages : boxes_);
    model_ = std::make_unique<selection::SelectionModel>(dataFolder_, *messages_);
    savedSetups_ = std::make_unique<customers::SavedSetups>(dataFolder_);
    buildWindow();
    binder_ = std::make_unique<FormBinder>(std::as_const(*model_).form(), this);
    showLeftoverJournal();
    connectInputs();
    connectGrids();
    connectCommands();
    model_->setChangedCallback([this] { showModel(); });
    showModel();
    model_->findRec(); // its change notification shows the filled grid
    widgets::KeyboardAccess::install(this);
    if (messages_->errorCount() == 0)
        createSheets();
    creationErrors_ = messages_->errorCount();
}

// The printed sheets come right after the main window at start-up; one
// that cannot open the shop table stops it with the storage message.
void TArrowSel::createSheets()
{
    try {
        sheets_ = std::make_unique<reports::PrintedSheets>(dataFolder_);
    } catch (const std::exception& failure) {
        messages_->error(failure.what());
    }
}

TArrowSel::~TArrowSel() = default;

void TArrowSel::buildWindow()
{
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setFixedSize(kClientWidth, kClientHeight);
    widgets::fixLook(client, kClientColour, Qt::black);
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    buildInputColumn(client);

    pages_ = new ShaftsNB(client);
    pages_->setGeometry(kInputColumnWidth + 2, 2, kClientWidth - kInputColumnWidth - 4,
                        kClientHeight - kStatusHeight - 4);
    for (Page page : selection::kAllPages) {
        QWidget* sheet = buildChartPage(page, dataFolder_);
        pages_->addTab(sheet, name(selection::pageInfo(page).tabCaption));
        auto* overlay = new widgets::StaleOverlay(sheet, {0, 0, kGridAreaWidth, pages_->height()});
        overlay->setObjectName(overlayName(page));
        staleOverlays_[std::size_t(page)] = overlay;
        staleNotes_[std::size_t(page)] = buildStaleNote(sheet, page);
    }

    status_ = new QLabel(client);
    status_->setObjectName("RunStatusLbl");
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    status_->setGeometry(kInputColumnWidth + 6, kClientHeight - kStatusHeight - 1,
                         kClientWidth - kInputColumnWidth - 10, kStatusHeight);

    // The hand-off texts other windows read by name; never shown.
    for (const auto& [control, state] : model_->form().all())
        if (state.kind == ControlKind::Label && !findChild<QWidget*>(name(control))) {
            auto* hidden = new QLabel(client);
            hidden->setObjectName(name(control));
            hidden->hide();
        }

    typingPause_ = new QTimer(this);
    typingPause_->setObjectName("TypingPauseTimer");
    typingPause_->setSingleShot(true);
    typingPause_->setInterval(kTypingPauseMs);
    connect(typingPause_, &QTimer::timeout, this, [this] { model_->releaseHeldBack(); });

    buildMenu();
    widgets::MenuBarKeys::attach(menuBar());
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
    connect(menu.about, &QAction::triggered, this, &TArrowSel::About1Click);
    connect(menu.keCalculator, &QAction::triggered, this, &TArrowSel::KECalcBtnClick);
    connect(menu.trajectory, &QAction::triggered, this, &TArrowSel::TrajectoryClick);
    connect(menu.saveSetup, &QAction::triggered, this, &TArrowSel::HSaveBtnClick);
    connect(menu.saveSheetAsPdf, &QAction::triggered, this, &TArrowSel::SaveSheetAsPdfClick);
    connect(menu.shopInformation, &QAction::triggered, this, &TArrowSel::ShopInformation1Click);
    connect(menu.exportCustomers, &QAction::triggered, this,
            &TArrowSel::ExportCustomerDatabase1Click);
    connect(menu.exportSpreadsheet, &QAction::triggered, this, &TArrowSel::ExportSpreadsheetClick);
}

void TArrowSel::showLeftoverJournal()
{
    // A leftover journal beside the customer table is dealt with, and the
    // user told, when the window opens rather than at the first command.
    try {
        savedSetups_->countSavedSetups();
    } catch (const std::exception&) {
        // Reported when a command needs the table.
    }
    showTableNotices();
}

void TArrowSel::connectInputs()
{
    for (selection::SetupEntry entry : selection::kAllSetupEntries) {
        const std::string control(selection::controlName(entry));
        // A keystroke reaches the model as typing; the change that the entry
        // reports right after it then finds the model's text already equal.
        binder_->forwardTextEdits(name(control), [this, control](std::string text) {
            model_->typeText(control, std::move(text));
            typingPause_->start();
        });
        binder_->forwardTextChanges(name(control), [this, control](std::string text) {
            model_->changeText(control, std::move(text));
        });
        watchTyping(name(control));
    }
    for (selection::SetupGroup group : selection::kAllSetupGroups)
        binder_->forwardItemClicks(name(selection::controlName(group)),
                                   [this, group](int index) { model_->clickItem(group, index); });
    binder_->forwardPageChanges(
        "ShaftsNB", [this](int index) { model_->changePage(static_cast<Page>(index)); });
}

// A message held back while the user types shows once the entry loses focus.
void TArrowSel::watchTyping(const QString& entry)
{
    binder_->require<QWidget>(entry)->installEventFilter(this);
}

bool TArrowSel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && model_->messageHeldBack()) {
        typingPause_->stop();
        // After the focus change has finished, not in the middle of it.
        QTimer::singleShot(0, this, [this] { model_->releaseHeldBack(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TArrowSel::connectGrids()
{
    for (Page page : selection::kAllPages)
        for (int row = 1; row <= selection::pageInfo(page).rows; ++row)
            binder_->forwardClicks(name(selection::cellName(page, CellKind::Size, row)),
                                   [this, page, row] { TSzBtnClick(page, row); });
    for (int row = 3; row <= 9; ++row)
        binder_->forwardClicks(name(selection::cellName(Page::Hunt, CellKind::Weight, row)),
                               [this, row] { HWtBtn9Click(row); });
    binder_->forwardClicks("CAWTCloseBtn", [this] { loseCarbonBtn(); });
}

void TArrowSel::connectCommands()
{
    for (Page page : selection::kAllPages) {
        binder_->forwardClicks(name(selection::pageControlName(page, "GetBtn")),
                               [this] { SpeedButton3Click(); });
        binder_->forwardClicks(name(selection::pageControlName(page, "SaveBtn")),
                               [this] { HSaveBtnClick(); });
        binder_->forwardClicks(name(selection::pageControlName(page, "ExitBtn")),
                               [this] { ExitBtn1Click(); });
        binder_->forwardClicks(name(selection::pageControlName(page, "KECalcBtn")),
                               [this] { KECalcBtnClick(); });
        for (const char* models : {"ModelsBtn", "Models2011Btn"})
            binder_->forwardClicks(name(selection::pageControlName(page, models)),
                                   [this] { ModelsClick(); });
    }
    const std::pair<Page, void (TArrowSel::*)()> printCommands[] = {
        {Page::Hunt, &TArrowSel::HPrintBtnClick},
        {Page::Targ, &TArrowSel::TPrintBtnClick},
        {Page::Kavl, &TArrowSel::KavlPrintBtnClick},
        {Page::Youth, &TArrowSel::SpeedButton9Click}};
    for (const auto& [page, handler] : printCommands)
        binder_->forwardClicks(name(selection::pageControlName(page, "PrintBtn")),
                               [this, handler = handler] { (this->*handler)(); });
}

void TArrowSel::showModel()
{
    binder_->apply();
    const bool outOfDate = model_->gridOutOfDate();
    for (widgets::StaleOverlay* overlay : staleOverlays_) {
        if (outOfDate) {
            overlay->resize(kGridAreaWidth, overlay->parentWidget()->height());
            overlay->raise();
        }
        overlay->setVisible(outOfDate);
    }
    for (QLabel* note : staleNotes_)
        note->setVisible(outOfDate);
    showStatus();
}

// The status wraps onto its second line rather than being cut.
void TArrowSel::showStatus()
{
    status_->setText(runStatusText(*model_));
}

// The click writes the hand-off texts, which the specifications window
// reads; a disabled cell does nothing.
void TArrowSel::TSzBtnClick(Page page, int row)
{
    if (!model_->sizeCellClick(page, row))
        return;
    showModel();
    TSpecsFrm specs(
        dataFolder_, model_->handedOffShaft(), model_->setup(), [this] { ModelsClick(); },
        messages_.get(), this);
    specs.exec();
}

void TArrowSel::KECalcBtnClick()
{
    TKECalc2 calculator(messages_.get(), this);
    calculator.exec();
}

void TArrowSel::TrajectoryClick()
{
    TTrajectory trajectory(dataFolder_, messages_.get(), this);
    trajectory.exec();
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
        const auto records = savedSetups_->countSavedSetups();
        showTableNotices();
        if (records == 0) {
            messages_->information("There are no records on file currently, use Save Setup first.",
                                   0);
            return;
        }
    } catch (const std::exception& failure) {
        messages_->error(failure.what());
        return;
    }
    TGetCust retrieval(dataFolder_, *model_, *messages_, sheets_->customer, this);
    if (retrieval.opened())
        retrieval.exec();
}

void TArrowSel::HSaveBtnClick()
{
    TCustInfo entry(dataFolder_, model_->setup(), model_->pageKey(), *messages_, this);
    if (entry.opened())
        entry.exec();
}

void TArrowSel::HPrintBtnClick()
{
    printSheet(Page::Hunt);
}

void TArrowSel::TPrintBtnClick()
{
    printSheet(Page::Targ);
}

void TArrowSel::KavlPrintBtnClick()
{
    printSheet(Page::Kavl);
}

void TArrowSel::SpeedButton9Click()
{
    printSheet(Page::Youth);
}

// A sheet prints the grid the window shows. A message still held back from
// typing is shown first; when the grid then does not match the inputs,
// nothing is printed, since the sheet would pair these inputs with the
// shafts of earlier ones.
reports::SetupSheet* TArrowSel::sheetToPrint(Page page)
{
    if (model_->messageHeldBack()) {
        typingPause_->stop();
        model_->releaseHeldBack();
    }
    if (!sheets_ || model_->gridOutOfDate())
        return nullptr;
    return &sheets_->forPage(page);
}

void TArrowSel::printSheet(Page page)
{
    reports::SetupSheet* sheet = sheetToPrint(page);
    if (!sheet)
        return;
    const selection::ShownPage shown = model_->shownPage(page);
    SheetOutput::print(
        this, *messages_, reports::proposedPdfName(sheet->design(), QDate::currentDate()),
        [&](QString* error) { return sheet->print(shown, error); },
        [&](const QString& file, QString* error) { return sheet->savePdf(shown, file, error); });
}

void TArrowSel::SaveSheetAsPdfClick()
{
    reports::SetupSheet* sheet = sheetToPrint(model_->activePage());
    if (!sheet)
        return;
    const selection::ShownPage shown = model_->shownPage(model_->activePage());
    SheetOutput::saveAsPdf(
        this, *messages_, reports::proposedPdfName(sheet->design(), QDate::currentDate()),
        [&](const QString& file, QString* error) { return sheet->savePdf(shown, file, error); });
}

void TArrowSel::ShopInformation1Click()
{
    TShopInf shop(dataFolder_, *messages_, this);
    if (shop.opened())
        shop.exec();
}

bool TArrowSel::offerShopInformation()
{
    const customers::FirstRunOffer offer(dataFolder_);
    if (!offer.due())
        return false;
    offer.markMade();
    TShopInf shop(dataFolder_, *messages_, this);
    if (!shop.opened())
        return true;
    shop.showIntroduction(QString::fromUtf8(customers::FirstRunOffer::kText));
    shop.exec();
    return true;
}

void TArrowSel::ExportCustomerDatabase1Click()
{
    customers::exportCustomerDatabase(savedSetups_->ExportTbl(), *messages_);
}

void TArrowSel::ExportSpreadsheetClick()
{
    const std::string name = customers::proposedSpreadsheetName(
        QDate::currentDate().toString(Qt::ISODate).toStdString());
    const std::optional<QString> file = SheetOutput::chooseFile(
        this, QStringLiteral("Export to Spreadsheet"), QString::fromStdString(name),
        QStringLiteral("Spreadsheets (*.xlsx)"), QStringLiteral(".xlsx"));
    if (file)
        customers::exportCustomerSpreadsheet(savedSetups_->ExportTbl(), *messages_,
                                             file->toStdString());
}

void TArrowSel::showTableNotices()
{
    for (const std::string& notice : savedSetups_->takeNotices())
        messages_->information(notice, 0);
}

// The guide for the page the engine last worked, fresh for each opening.
void TArrowSel::ModelsClick()
{
    TAboutBox1 guide([this] { return model_->pageKey(); }, this);
    guide.exec();
}

void TArrowSel::About1Click()
{
    TAboutBox about(this);
    about.exec();
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
