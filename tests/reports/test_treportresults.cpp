#include "datamodule.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "pdfpages.h"
#include "pictures.h"
#include "printing.h"
#include "sortedcombobox.h"
#include "stringgrid.h"
#include "testdatabase.h"
#include "tmain.h"
#include "treportresults.h"
#include "workingdirectory.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kRovers = QStringLiteral("Rovers (Ashby)");
const QString kUnited = QStringLiteral("United (Bexley)");
const QString kLong = QStringLiteral("Wolverhampton Wanderers Reserves and Academy (Wolverhampton)");

// Albion with a league and a cup, Borduria with a league; Rovers and United met four times,
// three times in the league (twice with United at home) and once in the cup.
class ReportResultsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addCountry(2, "Borduria");
        db.addDivision(11, 1, "First Division");
        db.addDivision(12, 1, "Cup");
        db.addDivision(21, 2, "Premier");
        db.addTeam(111, "United", "Bexley", 11);
        db.addTeam(112, "Rovers", "Ashby", 11);
        db.addTeam(113, "Wolverhampton Wanderers Reserves and Academy", "Wolverhampton", 11);
        db.addResult(1, QDate(2020, 8, 1), 112, 111, kRovers, kUnited, 2, 1, 11);
        db.addResult(2, QDate(2021, 2, 1), 111, 112, kUnited, kRovers, 0, 0, 11);
        db.addResult(3, QDate(2022, 3, 5), 111, 112, kUnited, kRovers, 1, 3, 11);
        db.addResult(4, QDate(2023, 1, 10), 112, 111, kRovers, kUnited, 4, 4, 12);
        db.addResult(5, QDate(2021, 5, 5), 113, 112, kLong, kRovers, 1, 2, 11);
        db.addResult(6, QDate(2021, 6, 1), 112, 113, kRovers, kLong, 0, 2, 11);
        db.exec("UPDATE Country SET Flag = ?, Logo = ? WHERE Code = 1",
                {solidPng(Qt::red, 40), solidPng(Qt::blue, 40)});
        db.exec("UPDATE Country SET Flag = ?, Logo = ? WHERE Code = 2",
                {solidPng(Qt::green, 40), solidPng(Qt::yellow, 40)});

        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages << text; });
        Dialogs::setSaveFileHandler([this](const QString&, const QString&) {
            ++fileDialogs;
            return pdfFile;
        });
        Printing::setPrinterCheck([] { return false; });
        Dialogs::setQuestionHandler([this](Dialogs::Question, const QString& text) {
            questions << text;
            return true;
        });
        const WorkingDirectory cwd(QFileInfo(db.folder()).path());
        main = std::make_unique<TMain>();
        module = std::make_unique<TDataModule1>(main->Database1);
        module->DataModuleCreate();
        main->connectDataModule();
        report = std::make_unique<TReportResults>();
        // As the program's start-up installs it: the main window's Print draws the report.
        main->setResultsPrinter([this] { report->print(texts(), output, main.get()); });
        pdfFile = dir.filePath(QStringLiteral("history.pdf"));
    }

    void TearDown() override
    {
        Dialogs::setMessageHandler({});
        Dialogs::setSaveFileHandler({});
        Dialogs::setQuestionHandler({});
        Dialogs::setModalHandler({});
        Printing::setPrinterCheck({});
        Printing::setSetUpHandler({});
        Printing::setSendHandler({});
    }

    ResultsReport::Texts texts() const
    {
        return {main->ComboBox1->currentText(), main->ComboBox2->currentText(), main->statisticsText(),
                main->windowTitle(), QColor(0, 0, 128)};
    }

    void run(const QString& team1, const QString& team2, bool saveOrder = false, bool allCompetitions = false)
    {
        ASSERT_TRUE(main->DBLookupComboBox2->chooseText("Albion"));
        ASSERT_TRUE(main->DBLookupComboBox1->chooseText("First Division"));
        main->ComboBox1->setEditText(team1);
        main->ComboBox2->setEditText(team2);
        main->CheckBox1->setChecked(saveOrder);
        main->CheckBox2->setChecked(allCompetitions);
        main->Button1->click();
    }

    // Print as the user does it: the Print button, here into a PDF file.
    PdfPages printToPdf()
    {
        output = TReportResults::Output::Pdf;
        main->SpeedButton1Click();
        EXPECT_FALSE(module->TableSortRes->isFiltered());
        return PdfPages(pdfFile);
    }

    // The detail lines of a page: those that start with a running number.
    static QStringList detailLines(const PdfPages& pdf, int page)
    {
        QStringList lines;
        for (const QString& line : pdf.lineTexts(page)) {
            if (!line.isEmpty() && line.front().isDigit() && line.contains(QStringLiteral(" : ")))
                lines << line;
        }
        return lines;
    }

    TestDatabase db;
    QTemporaryDir dir;
    QString pdfFile;
    QStringList messages;
    QStringList questions;
    int fileDialogs = 0;
    TReportResults::Output output = TReportResults::Output::Pdf;
    std::unique_ptr<TMain> main;
    std::unique_ptr<TDataModule1> module;
    std::unique_ptr<TReportResults> report;
};

TEST_F(ReportResultsTest, ThePrintedListNumbersTheNewestMatchOneWhileTheGridNumbersItHighest)
{
    run(kUnited, kRovers, false, true);
    ASSERT_EQ(main->StringGrid1->rowCount(), 5);
    EXPECT_EQ(main->StringGrid1->cell(0, 1), "4.");
    EXPECT_EQ(main->StringGrid1->cell(1, 1), "10/01/2023");

    const PdfPages pdf = printToPdf();
    ASSERT_EQ(pdf.count(), 1);
    EXPECT_EQ(detailLines(pdf, 0), QStringList({"1 10/01/2023 Rovers (Ashby) United (Bexley) 4 : 4",
                                                "2 05/03/2022 United (Bexley) Rovers (Ashby) 1 : 3",
                                                "3 01/02/2021 United (Bexley) Rovers (Ashby) 0 : 0",
                                                "4 01/08/2020 Rovers (Ashby) United (Bexley) 2 : 1"}));
    EXPECT_EQ(report->pairLine(), "United (Bexley) - Rovers (Ashby)");
}

// "Save order" in one competition shows United's two home games; the printed list holds
// all four matches, and under it the grid's statistics, as far as its box holds them: five
// of the seven lines.
TEST_F(ReportResultsTest, ThePrintedListHoldsBothOrdersAndEveryCompetitionUnderTheGridsStatistics)
{
    run(kUnited, kRovers, true, false);
    ASSERT_EQ(main->StringGrid1->rowCount(), 3);
    const QStringList statistics = main->statisticsText().split(QChar(13));
    ASSERT_EQ(statistics.size(), 7);

    const PdfPages pdf = printToPdf();
    EXPECT_EQ(detailLines(pdf, 0).size(), 4);
    const QStringList lines = pdf.lineTexts(0);
    const qsizetype first = lines.indexOf(statistics[0]);
    ASSERT_GE(first, 0) << lines.join('|').toStdString();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(lines.at(first + i), statistics[i].trimmed());
    for (int i = 5; i < 7; ++i)
        EXPECT_FALSE(lines.contains(statistics[i].trimmed())) << statistics[i].toStdString();
    EXPECT_EQ(lines.at(first + 5), "Tallyfield v3.0.4 - page 1 of 1");
    EXPECT_EQ(report->summaryText(), main->statisticsText());
}

// The elements stand where the layout puts them, 10 mm margins added; the flag, emblem and
// name are those of the country current at print time, not when the competition was chosen.
TEST_F(ReportResultsTest, TheTitleShowsTheCountryCurrentAtPrintTimeAndTheElementsStandInPlace)
{
    run(kUnited, kRovers);
    ASSERT_TRUE(module->TableCountry->locate("Country", "Borduria"));
    const PdfPages pdf = printToPdf();
    const std::vector<PdfLine> lines = pdf.lines(0);
    auto lineStarting = [&](const QString& start) -> const PdfLine& { return pdf.lineStarting(0, start); };
    const PdfLine& history = lineStarting("History");
    EXPECT_NEAR(history.left(), 94.7, 0.5);
    EXPECT_NEAR(history.top(), 12.1, 0.5);
    const PdfLine& country = lineStarting("Country:");
    // The label ends about where the name starts, so the two read as one word.
    EXPECT_EQ(country.text.simplified().remove(' '), "Country:Borduria");
    EXPECT_NEAR(country.left(), 142.6, 0.5);
    EXPECT_NEAR(country.top(), 39.6, 0.5);
    const PdfLine& pair = lineStarting(kUnited);
    EXPECT_EQ(pair.text, "United (Bexley) - Rovers (Ashby)");
    EXPECT_NEAR((pair.left() + pair.right()) / 2, 105.5, 0.5);
    EXPECT_NEAR(pair.top(), 51.3, 0.5);

    const PdfLine& header = lineStarting("№");
    EXPECT_EQ(header.text, "№ Date Home Away Goals");
    const double headerLefts[] = {24.8, 35.4, 56.6, 115.8, 177.2};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(header.words.at(i).left, headerLefts[i], 0.5) << i;
    EXPECT_NEAR(header.top(), 10 + 47.4 + 2.1, 0.5);

    const PdfLine& first = lineStarting("1 ");
    ASSERT_EQ(first.words.size(), 9u) << first.text.toStdString();
    EXPECT_NEAR(first.words[0].right, 28.8, 0.5); // the running number, right-aligned
    EXPECT_NEAR(first.words[1].left, 35.4, 0.5);
    EXPECT_NEAR(first.words[2].left, 56.6, 0.5);
    EXPECT_NEAR(first.words[4].left, 115.8, 0.5);
    EXPECT_NEAR(first.words[6].left, 177.5, 0.5);
    EXPECT_NEAR(first.top(), 10 + 53.7 + 1.3, 0.5);

    EXPECT_NEAR(lines.back().right(), 197.9, 0.5);
    EXPECT_NEAR(lines.back().top(), 297 - 10 - 4.2, 0.5);

    // The pictures fill their 19.3 mm boxes at (132.6, 8.5) and (164.0, 8.5) of the title.
    const QImage page = pdf.picture(0, 100);
    ASSERT_FALSE(page.isNull());
    auto colourAt = [&](double xMm, double yMm) { return coarseColour(page, 100, xMm, yMm); };
    EXPECT_EQ(colourAt(10 + 132.6 + 9.65, 10 + 8.5 + 9.65), "0,16,0");  // green
    EXPECT_EQ(colourAt(10 + 164.0 + 9.65, 10 + 8.5 + 9.65), "16,16,0"); // yellow
    EXPECT_EQ(colourAt(10 + 158, 10 + 20), "16,16,16");                 // inside the frame, between them
}

// The long label runs on from 46.6 mm past 106 mm; the white block at 103.7 to 106.1 mm
// blanks it just before the "Away" column. The same label in the away column, which starts
// at 105.8 mm, keeps its first letter whole.
TEST_F(ReportResultsTest, ALongHomeLabelIsBlankedBeforeTheAwayColumn)
{
    run(kLong, kRovers);
    const PdfPages pdf = printToPdf();
    ASSERT_EQ(detailLines(pdf, 0).size(), 2);
    const QImage page = pdf.picture(0, 300);
    ASSERT_FALSE(page.isNull());
    const double dotsPerMm = 300 / 25.4;
    auto darkIn = [&](int row, double left, double right) {
        const double top = 10 + 53.7 + 6.3 * row;
        int dark = 0;
        for (int x = qRound(left * dotsPerMm); x <= qRound(right * dotsPerMm); ++x) {
            for (int y = qRound((top + 1.5) * dotsPerMm); y <= qRound((top + 5) * dotsPerMm); ++y)
                dark += qGray(page.pixel(x, y)) < 128;
        }
        return dark;
    };
    // Row 0: Rovers at home, the long label away; row 1: the long label at home.
    EXPECT_GT(darkIn(1, 10 + 95, 10 + 103.5), 20); // the home label reaches the block
    EXPECT_EQ(darkIn(1, 10 + 103.8, 10 + 105.7), 0);
    EXPECT_GT(darkIn(0, 10 + 105.8, 10 + 106.0), 0); // the W of the away label
}

// 100 matches: 34 under the title on the first page, 42 on the second, 24 and the summary
// on the third; each page has the column headers and the footer.
TEST_F(ReportResultsTest, ALongListTakesThreePagesEachWithColumnHeadersAndFooter)
{
    for (int i = 0; i < 96; ++i)
        db.addResult(100 + i, QDate(2000, 1, 1).addDays(i), 111, 112, kUnited, kRovers, i % 5, 1, 11);
    run(kUnited, kRovers);
    const PdfPages pdf = printToPdf();
    ASSERT_EQ(pdf.count(), 3);
    const int perPage[] = {34, 42, 24};
    int number = 1;
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList lines = pdf.lineTexts(p);
        EXPECT_EQ(lines.count("№ Date Home Away Goals"), 1);
        EXPECT_EQ(lines.back(), QStringLiteral("Tallyfield v3.0.4 - page %1 of 3").arg(p + 1));
        const QStringList details = detailLines(pdf, p);
        ASSERT_EQ(details.size(), perPage[p]);
        for (const QString& line : details)
            EXPECT_TRUE(line.startsWith(QString::number(number++) + ' ')) << line.toStdString();
    }
    EXPECT_TRUE(pdf.lineTexts(2).contains("Games: 99"));
}

TEST_F(ReportResultsTest, WithoutAPrinterTheUserIsOfferedAPdfAndNothingIsLost)
{
    run(kUnited, kRovers);
    output = TReportResults::Output::Printer;
    main->SpeedButton1->click();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], "No printer is installed. Save the report as a PDF file instead?");
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_EQ(detailLines(PdfPages(pdfFile), 0).size(), 4);
    EXPECT_FALSE(module->TableSortRes->isFiltered());
    EXPECT_TRUE(messages.isEmpty());

    // Declined: no file dialog, no file, no error.
    QFile::remove(pdfFile);
    Dialogs::setQuestionHandler([](Dialogs::Question, const QString&) { return false; });
    main->SpeedButton1->click();
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_FALSE(QFile::exists(pdfFile));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ReportResultsTest, APdfThatCannotBeWrittenIsShownAndTheFilterIsOffAgain)
{
    run(kUnited, kRovers);
    pdfFile = dir.filePath(QStringLiteral("no/such/folder/history.pdf"));
    main->SpeedButton1->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("cannot be written")) << messages[0].toStdString();
    EXPECT_FALSE(module->TableSortRes->isFiltered());
}

// The printer set-up's choices (copies, orientation, page range) stay with the report for
// the next prints; the set-up offers the page count once the report has been drawn.
TEST_F(ReportResultsTest, PrinterSetUpChoicesStayWithTheReportForTheNextPrints)
{
    std::vector<int> offeredLastPages;
    Printing::setSetUpHandler([&](QPrinter& printer, int lastPage) {
        offeredLastPages.push_back(lastPage);
        printer.setCopyCount(2);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(1, 1);
        return true;
    });
    Printing::setPrinterCheck([] { return true; });
    struct Sent
    {
        int copies;
        QPageLayout::Orientation orientation;
        int from;
        int to;
    };
    std::vector<Sent> sent;
    Printing::setSendHandler([&](QPrinter& printer, const std::function<bool(QPrinter&)>& draw) {
        sent.push_back({printer.copyCount(), printer.pageLayout().orientation(), printer.fromPage(), printer.toPage()});
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        return draw(printer);
    });

    report->N16Click(main.get());
    run(kUnited, kRovers);
    output = TReportResults::Output::Printer;
    main->SpeedButton1->click();
    main->SpeedButton1->click();
    report->N16Click(main.get());

    ASSERT_EQ(sent.size(), 2u);
    for (const Sent& s : sent) {
        EXPECT_EQ(s.copies, 2);
        EXPECT_EQ(s.orientation, QPageLayout::Landscape);
        EXPECT_EQ(s.from, 1);
        EXPECT_EQ(s.to, 1);
    }
    EXPECT_EQ(offeredLastPages, (std::vector<int>{9999, 1}));
    EXPECT_TRUE(questions.isEmpty());
    const PdfPages pdf(pdfFile);
    ASSERT_EQ(pdf.count(), 1);
    EXPECT_EQ(detailLines(pdf, 0).size(), 4);
    EXPECT_NEAR(pdf.lines(0).back().top(), 210 - 10 - 4.2, 0.5); // the footer at the foot of a landscape page
}

TEST_F(ReportResultsTest, ThePreviewShowsTheSameReport)
{
    int previewPages = -1;
    Dialogs::setModalHandler([&](QDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        EXPECT_TRUE(qobject_cast<QPrintPreviewDialog*>(&dialog));
        if (preview) {
            preview->updatePreview();
            previewPages = preview->pageCount();
        }
        return 0;
    });
    for (int i = 0; i < 40; ++i)
        db.addResult(100 + i, QDate(2000, 1, 1).addDays(i), 111, 112, kUnited, kRovers, 1, 1, 11);
    run(kUnited, kRovers);
    output = TReportResults::Output::Preview;
    main->SpeedButton1->click();
    EXPECT_EQ(previewPages, 2);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(module->TableSortRes->isFiltered());
}

} // namespace
