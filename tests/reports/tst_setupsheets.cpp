// The four setup sheets and the customer sheet rendered to PDF and read
// back with pdftotext -bbox: every text at its place on a one-page Letter
// sheet, and the fill rules.

#include "ShopRecord.h"

#include <app/CustomerSheetValues.h>
#include <calculators/SpecsModel.h>
#include <core/RecordingSink.h>
#include <customers/CustInfoModel.h>
#include <customers/CustomerRetrieval.h>
#include <reports/BuildSheet.h>
#include <reports/CustomerSheet.h>
#include <reports/SetupSheets.h>
#include <selection/Pages.h>
#include <selection/SelectionModel.h>
#include <storage/Table.h>

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>

using namespace qw;
using selection::Page;

namespace {

constexpr double kTolerance = 0.02 * 72;  // points
constexpr double kDetailTop = 0.5 + 0.33; // inches from the paper's top edge

struct Word {
    double xMin, yMin, xMax, yMax;
    QString text;
};

struct PdfText {
    int pages = 0;
    double width = 0, height = 0;
    std::vector<Word> words;
};

PdfText readPdf(const QString& file)
{
    QProcess process;
    process.start("pdftotext", {"-bbox", file, "-"});
    process.waitForFinished(30000);
    PdfText pdf;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    for (auto it = page.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        ++pdf.pages;
        pdf.width = match.captured(1).toDouble();
        pdf.height = match.captured(2).toDouble();
    }
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        text.replace("&quot;", "\"")
            .replace("&amp;", "&")
            .replace("&lt;", "<")
            .replace("&gt;", ">");
        pdf.words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(),
                             m.captured(3).toDouble(), m.captured(4).toDouble(), text});
    }
    return pdf;
}

enum class Anchor { Left, Centre, Right };

// A text expected on the sheet: x is its left edge, centre or right end in
// inches from the left margin, y the top of its field in inches from the top
// of the detail band. An empty text expects nothing in a 0.8 in wide box.
struct Expect {
    std::string text;
    Anchor anchor;
    double x, y;
    double bandTop = kDetailTop; // inches from the paper's top edge
};

double pt(double inchesFromMargin)
{
    return (0.5 + inchesFromMargin) * 72;
}

double ptY(double inchesFromBand)
{
    return (kDetailTop + inchesFromBand) * 72;
}

// Every run of consecutive words on one line that spells the text: the
// distance of the best run from the expected place, or none.
std::optional<double> placeError(const PdfText& pdf, const Expect& e)
{
    const QStringList parts = QString::fromStdString(e.text).split(' ', Qt::SkipEmptyParts);
    std::optional<double> best;
    for (std::size_t i = 0; i + parts.size() <= pdf.words.size(); ++i) {
        bool match = true;
        for (qsizetype k = 0; k < parts.size() && match; ++k)
            match = pdf.words[i + k].text == parts[k] &&
                    std::abs(pdf.words[i + k].yMin - pdf.words[i].yMin) < 0.5;
        if (!match)
            continue;
        const double left = pdf.words[i].xMin;
        const double right = pdf.words[i + parts.size() - 1].xMax;
        const double x = e.anchor == Anchor::Left    ? left
                         : e.anchor == Anchor::Right ? right
                                                     : (left + right) / 2;
        const double error =
            std::max(std::abs(x - pt(e.x)), std::abs(pdf.words[i].yMin - (e.bandTop + e.y) * 72));
        if (!best || error < *best)
            best = error;
    }
    return best;
}

void checkText(const PdfText& pdf, const Expect& e)
{
    if (e.text.empty()) {
        const double left = e.anchor == Anchor::Left    ? pt(e.x)
                            : e.anchor == Anchor::Right ? pt(e.x) - 0.8 * 72
                                                        : pt(e.x) - 0.4 * 72;
        for (const Word& w : pdf.words) {
            const bool inside = w.xMax > left && w.xMin < left + 0.8 * 72 &&
                                std::abs(w.yMin - (e.bandTop + e.y) * 72) < 0.1 * 72;
            if (inside)
                QFAIL(qPrintable(QString("'%1' printed where nothing was expected (%2, %3)")
                                     .arg(w.text)
                                     .arg(e.x)
                                     .arg(e.y)));
        }
        return;
    }
    const auto error = placeError(pdf, e);
    if (!error)
        QFAIL(qPrintable(QString("'%1' not printed").arg(QString::fromStdString(e.text))));
    if (*error > kTolerance)
        QFAIL(qPrintable(QString("'%1' is %2 in from (%3, %4)")
                             .arg(QString::fromStdString(e.text))
                             .arg(*error / 72)
                             .arg(e.x)
                             .arg(e.y)));
}

// What a design must hold to print legibly, whatever its numbers: rows
// top to bottom with room for a line of text, each column's cells centred
// right of its heading's left edge and left of the next heading, and
// everything inside the printable width.
void checkDesignIsLegible(const reports::SheetDesign& d)
{
    constexpr double kLine = 0.17; // inches: a 10 pt line
    constexpr double kPrintable = 7.5;
    double previous = 0;
    for (const reports::ShaftBlock& block : d.blocks) {
        QVERIFY2(block.headingY >= previous + kLine, block.heading.data());
        QVERIFY(block.headingLeft < block.headingRight && block.headingRight <= kPrintable);
        previous = block.headingY;
        if (&block == &d.blocks.front()) { // the column headings follow the page's heading
            QVERIFY(d.columnHeadingY >= previous + kLine);
            previous = d.columnHeadingY;
        }
        for (double y : block.rowY) {
            QVERIFY2(y >= previous + kLine, block.heading.data());
            previous = y;
        }
    }
    QVERIFY(d.commentY > previous);
    for (std::size_t c = 0; c < 4; ++c) {
        QVERIFY(d.cellCentres[c] > d.columnHeadingX[c]);
        if (c + 1 < 4)
            QVERIFY(d.cellCentres[c] < d.columnHeadingX[c + 1]);
        QVERIFY(d.cellCentres[c] + d.cellWidth / 2 <= kPrintable);
    }
}

// The tops of the design's shaft rows, block after block.
std::vector<double> rowTops(const reports::SheetDesign& d)
{
    std::vector<double> rowY;
    for (const reports::ShaftBlock& block : d.blocks)
        rowY.insert(rowY.end(), block.rowY.begin(), block.rowY.end());
    return rowY;
}

// No two printed words share any ink, and every word is on the paper
// inside the margins.
void checkNoOverlap(const PdfText& pdf)
{
    for (std::size_t i = 0; i < pdf.words.size(); ++i) {
        const Word& a = pdf.words[i];
        QVERIFY2(a.xMin >= 0.5 * 72 - 1 && a.xMax <= pdf.width - 0.5 * 72 + 1 &&
                     a.yMin >= 0.5 * 72 - 1 && a.yMax <= pdf.height - 0.5 * 72 + 1,
                 qPrintable(a.text));
        for (std::size_t k = i + 1; k < pdf.words.size(); ++k) {
            const Word& b = pdf.words[k];
            const bool overlap = a.xMin < b.xMax - 0.5 && b.xMin < a.xMax - 0.5 &&
                                 a.yMin < b.yMax - 0.5 && b.yMin < a.yMax - 0.5;
            QVERIFY2(!overlap, qPrintable(a.text + " overlaps " + b.text));
        }
    }
}

const reports::ShopInfo kShop{"Twin Oaks Archery",
                              "1400 County Road 9",
                              "Elk River",
                              "MN",
                              "55330",
                              "763-555-0142",
                              "",
                              "Bare shafts cut and fletched while you wait."};

using Setup = std::vector<std::pair<std::string, std::string>>; // control, text or index

// "BowWeightSpin=62;OverDraw=1" as (control, value) pairs; likewise record fields.
Setup pairs(const std::string& text)
{
    Setup out;
    for (const QString& item : QString::fromStdString(text).split(';', Qt::SkipEmptyParts))
        out.emplace_back(item.section('=', 0, 0).toStdString(), item.section('=', 1).toStdString());
    return out;
}

// Far more than the customer sheet's comment box holds; its last word must
// never print.
const std::string kLongComment = [] {
    std::string text;
    for (int i = 1; i <= 120; ++i)
        text += "arrow" + std::to_string(i) + (i == 10 ? " " + std::string(90, 'W') + " " : " ");
    return text + "LASTWORD";
}();

// The customer sheet's bands, in inches from the paper's top edge.
constexpr double kCustomerTitle = 0.5;
constexpr double kCustomerDetail = 0.5 + 0.51;
constexpr double kCustomerFooter = 11.0 - 0.5 - 1.0;

// The horizontal gap between two words on the same line, in points.
double gapBetween(const PdfText& pdf, const QString& left, const QString& right)
{
    for (std::size_t i = 0; i + 1 < pdf.words.size(); ++i)
        if (pdf.words[i].text == left && pdf.words[i + 1].text == right)
            return pdf.words[i + 1].xMin - pdf.words[i].xMax;
    return -1;
}

} // namespace

class SetupSheetsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::filesystem::path folder_;
    qw::RecordingSink sink_;
    std::unique_ptr<selection::SelectionModel> model_;

    // The window after start-up with the setup applied and the page shown.
    qw::FormState& windowFor(Page page, const Setup& setup)
    {
        model_ = std::make_unique<selection::SelectionModel>(folder_, sink_);
        model_->findRec();
        for (const auto& [control, value] : setup) {
            if (model_->form()[control].kind == qw::ControlKind::RadioGroup)
                model_->setItemIndexQuietly(control, std::stoi(value));
            else
                model_->setTextQuietly(control, value);
        }
        model_->setActivePage(page);
        model_->findRec();
        return model_->form();
    }

    // A customer saved from the main window with this setup and these details.
    void saveCustomer(Page page, const Setup& setup, const Setup& details)
    {
        const qw::FormState& form = windowFor(page, setup);
        customers::CustInfoModel entry(folder_, sink_);
        QVERIFY(entry.open(selection::readSetup(form), selection::pageKey(form)));
        for (const auto& [field, text] : details)
            entry.changeDetail(field, text);
        QCOMPARE(entry.saveRecord(), customers::CustInfoModel::SaveOutcome::Stored);
        entry.close();
    }

    PdfText renderCustomer(const customers::CustomerRetrieval& retrieval)
    {
        reports::TCustInfoRpt sheet(folder_);
        const QString file = dir_.filePath("customer.pdf");
        QString error;
        if (!sheet.savePdf(app::customerSheetValues(retrieval), file, &error))
            qFatal("%s", qPrintable(error));
        return readPdf(file);
    }

    // The sheet of the page the last windowFor() set up, as the page shows
    // it, or of the page given.
    PdfText render(reports::SetupSheet& sheet)
    {
        return render(sheet, model_->shownPage(sheet.design().page));
    }
    PdfText render(reports::SetupSheet& sheet, const selection::ShownPage& shown)
    {
        const QString file = dir_.filePath("sheet.pdf");
        QString error;
        if (!sheet.savePdf(shown, file, &error))
            qFatal("%s", qPrintable(error));
        return readPdf(file);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        folder_ = dir_.path().toStdString();
        for (const auto& entry : std::filesystem::directory_iterator(QW_TABLES_DIR))
            if (entry.is_regular_file() && entry.path().extension() != "" &&
                entry.path().extension() != ".pdf")
                std::filesystem::copy_file(entry.path(), folder_ / entry.path().filename());
        test::writeShop(folder_, kShop);
        QCOMPARE(QFontInfo(QFont("Arial")).family(), QString("Liberation Sans"));
        saveCustomer(Page::Hunt,
                     pairs("BowWeightSpin=55;ArrowLengthSpin=29;PointWtSpin=125;OverDraw=2;"
                           "HuntCamType=1;BraceHt=0"),
                     pairs("NAME=Larsen, Kari;ADDR1=212 Birch Lane;ADDR2=Apt 4;CITY=Brainerd;"
                           "STATE=MN;ZIP=56401;COUNTRY=USA;CCODE=1;"
                           "COMMENTS=Wants a lighter point for the 3D season."));
        saveCustomer(Page::Targ, pairs("BowWeightSpin=38;TargBowType=1"),
                     pairs("NAME=Olson, Per;ADDR1=9 Harbor Street;CITY=Duluth;STATE=MN;ZIP=55802;"
                           "COMMENTS=" +
                           kLongComment));
        // A record kept from before the state was required.
        storage::Table saved(folder_);
        saved.open("Saveddb.dbf");
        saved.goBottom();
        QCOMPARE(saved.getString("NAME").substr(0, 10), std::string("Olson, Per"));
        saved.edit();
        saved.setField("STATE", "");
        saved.post();
        // A record whose bow type and release codes lie outside their tables.
        saveCustomer(Page::Hunt, {}, pairs("NAME=Pike, Ed;ADDR1=3 Lake Road;CITY=Ely;STATE=MN"));
        saved.goBottom();
        QCOMPARE(saved.getString("NAME").substr(0, 8), std::string("Pike, Ed"));
        saved.edit();
        saved.setField("BOTYP", "7");
        saved.setField("RETYP", "4");
        saved.post();
    }

    // Every text of each sheet at its place, the rows as the page's grid
    // shows them, on exactly one Letter page.
    void layout_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<Setup>("setup");
        QTest::newRow("hunting") << int(Page::Hunt) << pairs("BowWeightSpin=65");
        QTest::newRow("hunting, few shafts")
            << int(Page::Hunt) << pairs("BowWeightSpin=40;ArrowLengthSpin=24");
        QTest::newRow("target") << int(Page::Targ) << pairs("BowWeightSpin=50;ArrowLengthSpin=29");
        QTest::newRow("kavel") << int(Page::Kavl) << pairs("BowWeightSpin=55");
        QTest::newRow("youth") << int(Page::Youth) << pairs("YouthBowWtSpin=30");
    }
    void layout()
    {
        QFETCH(int, page);
        QFETCH(Setup, setup);
        const Page p = Page(page);
        windowFor(p, setup);
        reports::SetupSheet sheet(reports::sheetDesign(p), folder_);
        const QString before =
            QString::fromStdString(reports::printedMoment(QDateTime::currentDateTime()));
        const PdfText pdf = render(sheet);
        const QString after =
            QString::fromStdString(reports::printedMoment(QDateTime::currentDateTime()));
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.width, 612.0);
        QCOMPARE(pdf.height, 792.0);

        const reports::SheetDesign& d = reports::sheetDesign(p);
        checkDesignIsLegible(d);
        if (QTest::currentTestFailed())
            return;
        checkNoOverlap(pdf);
        if (QTest::currentTestFailed())
            return;
        // The renderer puts each item of the design where the design says.
        std::vector<Expect> expected = {
            {kShop.name, Anchor::Centre, 3.77, 0.67},
            {kShop.addr1, Anchor::Centre, 3.77, 0.89},
            {"Elk River, MN 55330", Anchor::Centre, 3.77, 1.07},
            {"Phone: 763-555-0142 FAX:", Anchor::Centre, 3.77, 1.25},
            {"Equipment Setup Variables", Anchor::Centre, 3.77, 2.13},
            {kShop.comments, Anchor::Centre, 3.745, d.commentY},
        };
        for (const reports::InputSlot& slot : d.inputs)
            expected.push_back(
                {std::string(slot.caption), Anchor::Right,
                 (slot.rightColumn ? reports::kRightInputColumn : reports::kLeftInputColumn)
                     .captionEnd,
                 slot.y});
        for (int c = 0; c < 4; ++c)
            expected.push_back({std::string(d.columnHeadings[c]), Anchor::Left, d.columnHeadingX[c],
                                d.columnHeadingY});
        for (const reports::ShaftBlock& block : d.blocks)
            expected.push_back({std::string(block.heading), Anchor::Centre,
                                (block.headingLeft + block.headingRight) / 2, block.headingY});
        const std::vector<double> rowY = rowTops(d);
        const reports::SheetValues values = d.fill(model_->shownPage(p));
        QCOMPARE(values.rows.size(), rowY.size());
        int filledRows = 0;
        for (std::size_t r = 0; r < rowY.size(); ++r) {
            filledRows += !values.rows[r][0].empty();
            for (int c = 0; c < 4; ++c) {
                std::string text = values.rows[r][c];
                if (p == Page::Hunt && c == 3 && text == "Details" &&
                    (r == 3 || r == 4 || r == 6 || r == 7))
                    text = "See Below";
                expected.push_back({text, Anchor::Centre, d.cellCentres[c], rowY[r]});
            }
        }
        QVERIFY(filledRows > 0);
        for (const Expect& e : expected) {
            checkText(pdf, e);
            if (QTest::currentTestFailed())
                return;
        }
        // The moment of printing, centred as a whole.
        double left = 1e9, right = 0;
        QStringList moment;
        for (const Word& w : pdf.words)
            if (std::abs(w.yMin - ptY(1.42)) < 0.5) {
                left = std::min(left, w.xMin);
                right = std::max(right, w.xMax);
                moment << w.text;
            }
        QVERIFY2(moment.join(' ') == before || moment.join(' ') == after,
                 qPrintable(moment.join(' ')));
        QVERIFY(std::abs((left + right) / 2 - pt(3.77)) < kTolerance);
    }

    // The setup in words: each value beside its caption.
    void values_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("expected"); // caption=value, in order of the captions
        const QStringList compound = {"Peak Bow Weight:=62", "Arrow Length:=29",
                                      "Point Weight:=125"};
        QTest::newRow("hunting compound, medium cam from the hunting selector")
            << int(Page::Hunt)
            << pairs("BowWeightSpin=62;ArrowLengthSpin=29;PointWtSpin=125;OverDraw=1;HuntCamType=1;"
                     "WheelType=0;BraceHt=1")
            << compound + QStringList{"Over Draw:=1 inch", "Bow Type:=Compound",
                                      "Wheel Type:=Medium Cam", "Release:=Mechanical",
                                      "Brace Height:=Less Than 6 1/2\""};
        QTest::newRow("hunting compound, hard cam, 3 inches, fingers")
            << int(Page::Hunt)
            << pairs("BowWeightSpin=62;ArrowLengthSpin=29;PointWtSpin=125;OverDraw=3;HuntCamType=0;"
                     "WheelType=1;ReleaseType=1")
            << compound + QStringList{"Over Draw:=3 inches", "Wheel Type:=Hard Cam",
                                      "Release:=Fingers", "Brace Height:=More Than 6 1/2\""};
        QTest::newRow("hunting recurve: four values N/A")
            << int(Page::Hunt)
            << pairs("BowWeightSpin=62;ArrowLengthSpin=29;PointWtSpin=125;BowType=1;OverDraw=2")
            << compound + QStringList{"Over Draw:=N/A", "Bow Type:=Recurve", "Wheel Type:=N/A",
                                      "Release:=N/A", "Brace Height:=N/A"};
        QTest::newRow("hunting longbow") << int(Page::Hunt) << pairs("BowType=2")
                                         << QStringList{"Bow Type:=Longbow", "Over Draw:=N/A"};
        QTest::newRow("target recurve: five values N/A")
            << int(Page::Targ)
            << pairs("BowWeightSpin=40;ArrowLengthSpin=28;PointWtSpin=100;TargBowType=1;OverDraw=4")
            << QStringList{"Peak Bow Weight:=40", "Arrow Length:=28",  "Point Weight:=N/A",
                           "Over Draw:=N/A",      "Bow Type:=Recurve", "Wheel Type:=N/A",
                           "Release:=N/A",        "Brace Height:=N/A"};
        QTest::newRow("target soft cam, 5 inches")
            << int(Page::Targ) << pairs("WheelType=1;OverDraw=5;PointWtSpin=90")
            << QStringList{"Wheel Type:=Soft/Energy Cam", "Over Draw:=5 inches",
                           "Bow Type:=Compound", "Point Weight:=90"};
        QTest::newRow("target round wheel") << int(Page::Targ) << pairs("WheelType=2;OverDraw=0")
                                            << QStringList{"Wheel Type:=Round", "Over Draw:=None"};
        QTest::newRow("kavel prints its own selectors, never N/A")
            << int(Page::Kavl)
            << pairs("BowWeightSpin=45;TargBowType=1;HuntCamType=1;BowType=0;WheelType=2")
            << QStringList{"Peak Bow Weight:=45", "Bow Type:=Recurve", "Wheel Type:=Medium Cam"};
        QTest::newRow("youth prints its own entries")
            << int(Page::Youth)
            << pairs("BowWeightSpin=60;YouthBowWtSpin=30;YouthArrowLenSpin=26;ArrowLengthSpin=29")
            << QStringList{"Peak Bow Weight:=30", "Arrow Length:=26"};
        QTest::newRow("no selection and an empty entry print empty values")
            << int(Page::Hunt) << pairs("OverDraw=-1;PointWtSpin=")
            << QStringList{"Over Draw:=", "Point Weight:="};
    }
    void values()
    {
        QFETCH(int, page);
        QFETCH(Setup, setup);
        QFETCH(QStringList, expected);
        const Page p = Page(page);
        qw::FormState& form = windowFor(p, setup);
        for (const auto& [control, value] : setup)
            if (value == "-1")
                form[control].itemIndex = -1;
        reports::SetupSheet sheet(reports::sheetDesign(p), folder_);
        const PdfText pdf = render(sheet);
        const auto& inputs = reports::sheetDesign(p).inputs;
        for (const QString& pair : expected) {
            const std::string caption = pair.section('=', 0, 0).toStdString();
            const std::string value = pair.section('=', 1).toStdString();
            const auto slot = std::find_if(inputs.begin(), inputs.end(),
                                           [&](const auto& s) { return s.caption == caption; });
            QVERIFY(slot != inputs.end());
            const auto& column =
                slot->rightColumn ? reports::kRightInputColumn : reports::kLeftInputColumn;
            checkText(pdf, {value, Anchor::Left, column.valueStart, slot->y});
            if (QTest::currentTestFailed())
                return;
        }
        // Kavel and Youth print only their own captions of the eight.
        for (const reports::InputSlot& any : reports::huntingSheetDesign().inputs) {
            const bool onSheet = std::any_of(inputs.begin(), inputs.end(), [&](const auto& s) {
                return s.caption == any.caption;
            });
            QCOMPARE(placeError(pdf, {std::string(any.caption), Anchor::Right, 0, 0}).has_value(),
                     onSheet);
        }
    }

    // "Details" reads "See Below" in hunting rows 4, 5, 7 and 8 only; the
    // target sheet copies it unchanged.
    void details()
    {
        for (Page p : {Page::Hunt, Page::Targ}) {
            windowFor(p, {{"BowWeightSpin", "60"}});
            const int count = selection::pageInfo(p).rows;
            selection::ShownPage shown = model_->shownPage(p);
            for (selection::RecommendedRow& row : shown.rows) {
                row.kind = selection::RecommendedRow::Kind::Shaft;
                row.weight = "Details";
            }
            reports::SetupSheet sheet(reports::sheetDesign(p), folder_);
            const PdfText pdf = render(sheet, shown);
            const std::vector<double> rowY = rowTops(sheet.design());
            for (int row = 1; row <= count; ++row) {
                const bool seeBelow =
                    p == Page::Hunt && (row == 4 || row == 5 || row == 7 || row == 8);
                checkText(pdf, {seeBelow ? "See Below" : "Details", Anchor::Centre,
                                sheet.design().cellCentres[3], rowY[std::size_t(row - 1)]});
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

    // The print path onto a given printer: the same page, one copy, the
    // sheet's job title.
    void printer_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("jobTitle");
        QTest::addColumn<QString>("pdfName"); // proposed for 9 March 2026
        QTest::newRow("hunting") << int(Page::Hunt) << "Arrow Shaft Size Selection Report"
                                 << "Hunting setup sheet 2026-03-09.pdf";
        QTest::newRow("target") << int(Page::Targ) << "Arrow Shaft Size Selection Report"
                                << "Target setup sheet 2026-03-09.pdf";
        QTest::newRow("kavel") << int(Page::Kavl) << ""
                               << "Kavel setup sheet 2026-03-09.pdf";
        QTest::newRow("youth") << int(Page::Youth) << ""
                               << "Youth setup sheet 2026-03-09.pdf";
    }
    void printer()
    {
        QFETCH(int, page);
        QFETCH(QString, jobTitle);
        QFETCH(QString, pdfName);
        windowFor(Page(page), {});
        reports::SetupSheet sheet(reports::sheetDesign(Page(page)), folder_);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("printed.pdf"));
        printer.setCopyCount(3);
        printer.setDocName("left over");
        QVERIFY(sheet.print(model_->shownPage(Page(page)), printer));
        QCOMPARE(reports::proposedPdfName(sheet.design(), QDate(2026, 3, 9)), pdfName);
        QCOMPARE(printer.copyCount(), 1);
        QCOMPARE(printer.docName(), jobTitle);
        QCOMPARE(printer.pageLayout().margins(QPageLayout::Inch), QMarginsF(0.5, 0.5, 0.5, 0.5));
        const PdfText pdf = readPdf(printer.outputFileName());
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.width, 612.0);
        QCOMPARE(pdf.height, 792.0);
        checkText(pdf, {kShop.name, Anchor::Centre, 3.77, 0.67});
        checkText(pdf, {kShop.comments, Anchor::Centre, 3.745, sheet.design().commentY});
    }

    // Shop details saved while the sheet is held open show on the next sheet.
    void shopReadAgain()
    {
        reports::TReportForm sheet(folder_);
        windowFor(Page::Hunt, {});
        QVERIFY(placeError(render(sheet), {kShop.name, Anchor::Centre, 3.77, 0.67}));
        reports::ShopInfo moved = kShop;
        moved.name = "Northwoods Bowhunters";
        moved.fax = "763-555-0199";
        test::writeShop(folder_, moved);
        const PdfText pdf = render(sheet);
        test::writeShop(folder_, kShop);
        checkText(pdf, {moved.name, Anchor::Centre, 3.77, 0.67});
        checkText(pdf, {"Phone: 763-555-0142 FAX: 763-555-0199", Anchor::Centre, 3.77, 1.25});
    }

    // The build sheet of the first shaft on each page: the setup block of
    // the page's sheet, every line of the build sheet's table at its place,
    // every text the specifications window shows, nothing off the paper's
    // margins or on top of another word.
    void buildSheet_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("point"); // typed into the window
        QTest::newRow("hunting") << int(Page::Hunt) << pairs("BowWeightSpin=65") << "";
        QTest::newRow("hunting, below the minimum")
            << int(Page::Hunt) << pairs("BowWeightSpin=92") << "40";
        QTest::newRow("target") << int(Page::Targ) << pairs("TargBowType=1") << "";
        QTest::newRow("youth") << int(Page::Youth) << pairs("YouthBowWtSpin=30") << "";
        QTest::newRow("kavel") << int(Page::Kavl) << pairs("BowWeightSpin=55") << "";
    }
    void buildSheet()
    {
        QFETCH(int, page);
        QFETCH(Setup, setup);
        QFETCH(QString, point);
        const Page p = Page(page);
        sink_.clear();
        qw::FormState& form = windowFor(p, setup);
        QVERIFY(model_->sizeCellClick(p, 1));
        calculators::SpecsModel specs(folder_, selection::shaftSelection(form), sink_);
        QVERIFY(specs.found());
        if (!point.isEmpty())
            specs.typeInput(calculators::WeightInput::Point, point.toStdString());
        QCOMPARE(specs.perPound().belowMinimum, !point.isEmpty());
        const reports::BuildSheetValues values{
            p, reports::sheetDesign(p).fill(model_->shownPage(p)), specs.finishedArrow()};
        const QString file = dir_.filePath("build.pdf");
        QVERIFY(reports::BuildSheet(folder_).savePdf(values, file));
        const PdfText pdf = readPdf(file);
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.width, 612.0);
        QCOMPARE(pdf.height, 792.0);

        std::vector<Expect> expected = {{kShop.name, Anchor::Centre, 3.77, 0.67},
                                        {kShop.comments, Anchor::Centre, 3.745, 8.53}};
        for (const reports::InputSlot& slot : reports::sheetDesign(p).inputs)
            expected.push_back(
                {values.setup[slot.input], Anchor::Left, slot.rightColumn ? 5.56 : 2.53, slot.y});
        for (const reports::BuildLine& line : reports::buildSheetDesign().lines) {
            const double captionEnd = line.rightColumn ? 5.50 : 2.47;
            expected.push_back({std::string(line.caption), Anchor::Right, captionEnd, line.y});
            expected.push_back({reports::arrowValueText(values.arrow, line.value), Anchor::Left,
                                captionEnd + 0.06, line.y});
        }
        for (const Expect& e : expected) {
            checkText(pdf, e);
            if (QTest::currentTestFailed())
                return;
        }
        for (const auto& [name, control] : specs.form().all())
            if (control.kind != qw::ControlKind::Button && control.visible && !control.text.empty())
                QVERIFY2(placeError(pdf, {control.text, Anchor::Left, 0, 0}), name.c_str());
        for (std::size_t i = 0; i < pdf.words.size(); ++i) {
            const Word& w = pdf.words[i];
            QVERIFY2(w.xMin >= 36 && w.xMax <= 576 && w.yMin >= 36 && w.yMax <= 756,
                     qPrintable(w.text));
            for (std::size_t k = i + 1; k < pdf.words.size(); ++k) {
                const Word& o = pdf.words[k];
                QVERIFY2(w.xMax <= o.xMin || o.xMax <= w.xMin || w.yMax <= o.yMin ||
                             o.yMax <= w.yMin,
                         qPrintable(w.text + " on " + o.text));
            }
        }
        QVERIFY(sink_.messages.empty());
    }

    // The customer sheet: every text at its place, the record as the
    // retrieval window shows it, the shop at the foot.
    void customerSheet_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("values"); // the setup block's values, caption order
        QTest::addColumn<QString>("cityLine");
        QTest::addColumn<double>("cityGap"); // blanks between the last two words of it
        QTest::newRow("hunting compound, whole address")
            << "lar" << QStringList{"55#",        "Compound",   "Hunting Shafts", "29\"", "Medium",
                                    "Mechanical", "Over 6.5\"", "125Gr",          "2\""}
            << "Brainerd, MN 56401" << 2.0;
        QTest::newRow("target recurve, no state")
            << "ol" << QStringList{"38#", "Recurve", "Target Shafts"} << "Duluth, 55802" << 3.0;
    }
    void customerSheet()
    {
        QFETCH(QString, prefix);
        QFETCH(QStringList, values);
        QFETCH(QString, cityLine);
        QFETCH(double, cityGap);
        selection::SelectionModel mainWindow(folder_, sink_);
        customers::CustomerRetrieval retrieval(folder_, mainWindow, sink_);
        QVERIFY(retrieval.open());
        QVERIFY(retrieval.search(prefix.toStdString()));
        const PdfText pdf = renderCustomer(retrieval);
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.width, 612.0);
        QCOMPARE(pdf.height, 792.0);

        const auto& form = retrieval.form();
        const double d = kCustomerDetail;
        std::vector<Expect> expected = {
            {"Customer Detail Report", Anchor::Centre, 3.77, 0.08, kCustomerTitle},
            {"For Customer:", Anchor::Left, 1.18, 0.25, d},
            {form["NameEdit"].text, Anchor::Left, 2.30, 0.25, d},
            {form["Addr1Edit"].text, Anchor::Left, 2.30, 0.42, d},
            {cityLine.toStdString(), Anchor::Left, 2.30, 0.59, d},
            {form["CountryEdit"].text, Anchor::Left, 2.30, 0.76, d},
            {form["CodeEdit"].text, Anchor::Left, 2.30, 0.98, d},
            {"Bow Weight:", Anchor::Right, 1.92, 2.08, d},
            {"Bow Type:", Anchor::Right, 3.96, 2.08, d},
            {"Arrow Length:", Anchor::Right, 1.92, 2.33, d},
            {"Wheel Type:", Anchor::Right, 3.96, 2.33, d},
            {"Draw Length:", Anchor::Right, 1.92, 2.58, d},
            {"", Anchor::Left, 1.99, 2.58, d},
            {"Release:", Anchor::Right, 3.96, 2.58, d},
            {"Bow Length:", Anchor::Right, 6.31, 2.58, d},
            {"Point Weight:", Anchor::Right, 1.92, 2.83, d},
            {"String Type:", Anchor::Right, 3.96, 2.83, d},
            {"", Anchor::Left, 4.04, 2.83, d},
            {"Over Draw:", Anchor::Right, 6.32, 2.83, d},
            {"Comments:", Anchor::Left, 0.42, 4.33, d},
            {kShop.name, Anchor::Centre, 3.755, 0.05, kCustomerFooter},
            {kShop.addr1, Anchor::Centre, 3.755, 0.05 + 0.5 / 3, kCustomerFooter},
            {"Elk River, MN 55330", Anchor::Centre, 3.755, 0.05 + 1.0 / 3, kCustomerFooter},
            {"Phone:763-555-0142 FAX:", Anchor::Centre, 3.755, 0.55, kCustomerFooter},
            {"Printed:", Anchor::Left, 6.03, 0.80, kCustomerFooter},
        };
        // Bow weight, bow type, chart name, arrow length, wheel type, release,
        // brace height, point weight, over draw: left edges.
        const std::pair<double, double> valuePlaces[] = {{1.99, 2.08}, {4.04, 2.08}, {5.42, 2.08},
                                                         {1.99, 2.33}, {4.04, 2.33}, {4.04, 2.58},
                                                         {6.39, 2.58}, {1.99, 2.83}, {6.40, 2.83}};
        for (qsizetype i = 0; i < values.size(); ++i)
            expected.push_back({values[i].toStdString(), Anchor::Left, valuePlaces[i].first,
                                valuePlaces[i].second, d});
        for (const Expect& e : expected) {
            checkText(pdf, e);
            if (QTest::currentTestFailed())
                return;
        }
        const QStringList city = cityLine.split(' ');
        const double space12 = 12 * 0.2778; // Liberation Sans' blank, in points
        QVERIFY(std::abs(gapBetween(pdf, city[city.size() - 2], city.last()) - cityGap * space12) <
                0.5);
        QVERIFY(std::abs(gapBetween(pdf, "MN", "55330") - 2 * 10 * 0.2778) < 0.5);
        // The date follows "Printed:" after a blank's width, not almost touching it.
        const QString today =
            QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        QVERIFY(std::abs(gapBetween(pdf, "Printed:", today.section(' ', 0, 0)) - 10 * 0.2778) <
                0.3);
        for (const Word& w : pdf.words)
            QVERIFY2(w.text != "Apt", "the second address line printed");

        // The comments wrap inside their box and stop at its bottom edge.
        const std::string comments = form["CommentsMemo"].text;
        const QString firstWord = QString::fromStdString(comments.substr(0, comments.find(' ')));
        checkText(pdf, {firstWord.toStdString(), Anchor::Left, 1.50, 4.33, d});
        int commentWords = 0;
        const Word* lastWord = nullptr;
        for (const Word& w : pdf.words) {
            if (w.yMin < (d + 4.33) * 72 - 1 || w.yMin > (d + 4.33 + 2.01) * 72)
                continue;
            if (w.text == "Comments:")
                continue;
            ++commentWords;
            if (!lastWord || std::pair(w.yMin, w.xMin) > std::pair(lastWord->yMin, lastWord->xMin))
                lastWord = &w;
            QVERIFY2(w.xMin >= pt(1.50) - 0.5 && w.xMax <= pt(1.50 + 4.49) + 0.5,
                     qPrintable(w.text));
            QVERIFY2(w.yMax <= (d + 4.33 + 2.01) * 72 + 0.5, qPrintable(w.text));
            QVERIFY(w.text != "LASTWORD");
        }
        QVERIFY(commentWords >= 5);
        // A cut comment says so: its last line ends in an ellipsis.
        QVERIFY(lastWord);
        QCOMPARE(lastWord->text.endsWith(QChar(0x2026)), comments.ends_with("LASTWORD"));
    }

    // Printing again after moving to another record prints that record.
    void customerSheetFollowsRecord()
    {
        selection::SelectionModel mainWindow(folder_, sink_);
        customers::CustomerRetrieval retrieval(folder_, mainWindow, sink_);
        QVERIFY(retrieval.open());
        QVERIFY(retrieval.search("lar"));
        checkText(renderCustomer(retrieval),
                  {"Larsen, Kari", Anchor::Left, 2.30, 0.25, kCustomerDetail});
        retrieval.next();
        QCOMPARE(retrieval.form()["NameEdit"].text, std::string("Olson, Per"));
        const PdfText second = renderCustomer(retrieval);
        checkText(second, {"Olson, Per", Anchor::Left, 2.30, 0.25, kCustomerDetail});
        QVERIFY(!placeError(second, {"Larsen,", Anchor::Left, 0, 0}).has_value());
        // Codes outside their tables are blank on the window and the sheet
        // alike, never Olson's words.
        retrieval.next();
        QCOMPARE(retrieval.form()["NameEdit"].text, std::string("Pike, Ed"));
        QCOMPARE(retrieval.form()["Label9"].text, std::string());
        const PdfText third = renderCustomer(retrieval);
        checkText(third, {"Hunting Shafts", Anchor::Left, 5.42, 2.08, kCustomerDetail});
        checkText(third, {"", Anchor::Left, 4.04, 2.08, kCustomerDetail});
        checkText(third, {"", Anchor::Left, 4.04, 2.58, kCustomerDetail});
        QCOMPARE(reports::proposedCustomerPdfName("Olson, Per", QDate(2026, 12, 8)),
                 QString("Olson, Per customer sheet 2026-12-08.pdf"));
        QCOMPARE(reports::proposedCustomerPdfName("A/B: C?", QDate(2026, 12, 8)),
                 QString("A B C customer sheet 2026-12-08.pdf"));
    }

    // The command line: a sheet as PDF, and the exit statuses.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expectedText");
        QTest::newRow("youth sheet") << QStringList{"--page", "youth", "--youth-bow-weight", "30"}
                                     << 0 << "2011 Youth Shafts";
        QTest::newRow("kavel sheet")
            << QStringList{"--page", "kavl", "--targ-bow-type", "1"} << 0 << "Recurve";
        QTest::newRow("no page") << QStringList{} << 2 << "";
        QTest::newRow("unknown option")
            << QStringList{"--page", "hunt", "--copies", "2"} << 2 << "";
        QTest::newRow("print without a printer")
            << QStringList{"--page", "targ", "--print"} << 1 << "";
        QTest::newRow("both pdf and print")
            << QStringList{"--page", "targ", "--print", "--pdf", "x.pdf"} << 2 << "";
        QTest::newRow("no shop table")
            << QStringList{"--page", "hunt", "--data", "/nonexistent"} << 1 << "";
        QTest::newRow("build sheet")
            << QStringList{"--build", "--page", "youth", "--row", "1", "--point", "55"} << 0
            << "55 Gr.";
        for (const char* bad : {"--row x", "--row 40", "--row 1 --nock x", "--row 1 --insert 400"})
            QTest::newRow(bad) << (QStringList{"--build", "--page", "hunt"} +
                                   QString(bad).split(' '))
                               << 1 << "";
        QTest::newRow("build sheet without a row")
            << QStringList{"--build", "--page", "hunt"} << 2 << "";
        QTest::newRow("customer sheet") << QStringList{"--customer", "OL"} << 0 << "Olson,";
        QTest::newRow("customer not found") << QStringList{"--customer", "Zq"} << 1 << "";
        QTest::newRow("customer sheet with a page")
            << QStringList{"--customer", "ol", "--page", "hunt"} << 2 << "";
        QTest::newRow("customer sheet with a setup")
            << QStringList{"--customer", "ol", "--bow-weight", "50"} << 2 << "";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, expectedText);
        const QString file = dir_.filePath("cli.pdf");
        QFile::remove(file);
        if (!arguments.contains("--data"))
            arguments << "--data" << dir_.path();
        if (!arguments.contains("--print"))
            arguments << "--pdf" << file;
        // No print server answers here, so the system has no usable printer.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CUPS_SERVER", dir_.filePath("no-cups.sock"));
        environment.remove("PRINTER");
        environment.remove("LPDEST");
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(QString(QW_PROGRAM_DIR) + "/quiverwise-sheet", arguments);
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), status);
        const QByteArray messages = tool.readAllStandardError();
        if (arguments.contains("--print") && status == 1)
            QVERIFY(messages.contains("No printer is set up."));
        if (arguments.contains("--customer") && status == 1)
            QVERIFY(messages.contains("Name not found"));
        QCOMPARE(QFile::exists(file), status == 0);
        if (status == 0) {
            const PdfText pdf = readPdf(file);
            QCOMPARE(pdf.pages, 1);
            QVERIFY(placeError(pdf, {expectedText.toStdString(), Anchor::Left, 0, 0}).has_value());
        }
    }
};

QTEST_MAIN(SetupSheetsTest)
#include "tst_setupsheets.moc"
