#include "datamodule.h"
#include "dialogs.h"
#include "pdfpages.h"
#include "pictures.h"
#include "printing.h"
#include "seasontable.h"
#include "testdatabase.h"
#include "treporttable.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kCaption = QStringLiteral("Tallyfield v3.0.4");
const QString kNote = QStringLiteral("Played behind closed doors from June.\r\nThe champions were crowned with seven "
                                     "games to spare.");

// Albion's First Division with the season 2019/20 (number 111) and an empty season 2020/21
// (112). The league table viewer has been left as it leaves TableSortDet: the season
// chosen, ranked, the grid on its rows.
class ReportTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addDivision(11, 1, "First Division");
        db.addSeason(111, "2019/20", 11, {2019, 8, 9}, {2020, 7, 26});
        db.addSeason(112, "2020/21", 11, {2020, 9, 12}, {2021, 5, 23});
        db.exec("UPDATE TableHead SET Note = ? WHERE Num = 111", {kNote});
        db.exec("UPDATE TableHead SET Note = ? WHERE Num = 112", {QStringLiteral("Not started yet.")});
        db.exec("UPDATE Country SET Flag = ?, Logo = ? WHERE Code = 1",
                {solidPng(Qt::red, 40), solidPng(Qt::blue, 40)});

        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages << text; });
        Dialogs::setSaveFileHandler([this](const QString&, const QString&) {
            ++fileDialogs;
            return pdfFile;
        });
        Dialogs::setQuestionHandler([this](Dialogs::Question, const QString& text) {
            questions << text;
            return true;
        });
        Printing::setPrinterCheck([] { return false; });
        pdfFile = dir.filePath(QStringLiteral("table.pdf"));
    }

    void TearDown() override
    {
        Dialogs::setMessageHandler({});
        Dialogs::setSaveFileHandler({});
        Dialogs::setQuestionHandler({});
        Printing::setPrinterCheck({});
    }

    // n teams in season 111, added worst first: team i has 2i points, so the ranking
    // reverses the order they were added in.
    void addRows(int n, const QString& longName = QString())
    {
        for (int i = 1; i <= n; ++i) {
            const QString label = i == n && !longName.isEmpty()
                                      ? longName
                                      : QStringLiteral("Team %1 (Town %1)").arg(i, 3, 10, QChar('0'));
            db.exec("INSERT INTO TableDet (CodeSeason, CodeTeam, Team, Game, Win, Draw, Lose, BGoal, BMiss, Ball, "
                    "Points) VALUES (111, ?, ?, 38, ?, 0, ?, ?, 20, ?, ?)",
                    {i, label, i, 38 - i, 20 + i, i, 2 * i});
        }
    }

    // The viewer's choice of the season: the rows are ranked and shown.
    void chooseSeason(int num)
    {
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        ASSERT_TRUE(module->TableCountry->locate("Country", "Albion"));
        ASSERT_TRUE(module->TableDivision->locate("Division", "First Division"));
        ASSERT_TRUE(module->TableTableHead->locate("Num", num));
        SeasonTable::rank(*module, num);
    }

    PdfPages print(ReportOutput output = ReportOutput::Pdf)
    {
        report.print({kCaption, QColor(0, 0, 128)}, output, nullptr);
        return PdfPages(pdfFile);
    }

    // The detail lines of a page: those that start with a position.
    static QStringList detailLines(const PdfPages& pdf, int page)
    {
        static const QRegularExpression position(QStringLiteral("^\\d+ "));
        return pdf.lineTexts(page).filter(position);
    }

    TestDatabase db;
    QTemporaryDir dir;
    QString pdfFile;
    QStringList messages;
    QStringList questions;
    int fileDialogs = 0;
    std::unique_ptr<TDataModule1> module;
    TReportTable report;
};

// Twenty rows come out as twenty lines in ranking order with the positions the viewer
// stored, the note right-aligned below them and the footer; the row selected in the viewer
// is selected again afterwards.
TEST_F(ReportTableTest, ASeasonOfTwentyRowsPrintsTwentyLinesInRankingOrderWithTheNoteAndTheFooter)
{
    addRows(20);
    chooseSeason(111);
    TableView& rows = *module->TableSortDet;
    for (int i = 0; i < 4; ++i)
        rows.next();
    const QVariant selected = rows.value("Num");

    const PdfPages pdf = print();
    ASSERT_EQ(pdf.count(), 1);
    const QStringList details = detailLines(pdf, 0);
    ASSERT_EQ(details.size(), 20) << pdf.lineTexts(0).join('|').toStdString();
    EXPECT_EQ(details.front(), "1 Team 020 (Town 020) 38 20 0 18 40 20 40");
    EXPECT_EQ(details.back(), "20 Team 001 (Town 001) 38 1 0 37 21 20 2");
    for (int p = 1; p <= 20; ++p) {
        const QString team = QStringLiteral("Team %1 ").arg(21 - p, 3, 10, QChar('0'));
        EXPECT_TRUE(details[p - 1].startsWith(QString::number(p) + ' ' + team)) << details[p - 1].toStdString();
    }

    const QStringList lines = pdf.lineTexts(0);
    EXPECT_EQ(lines.at(0), "2019/20");
    EXPECT_EQ(lines.at(1), "(09/08/2019 - 26/07/2020)");
    EXPECT_EQ(report.dateLine(), "(09/08/2019 - 26/07/2020)");
    const qsizetype last = lines.indexOf(details.back());
    ASSERT_GE(last, 0);
    EXPECT_EQ(lines.at(last + 1), "Played behind closed doors from June.");
    EXPECT_EQ(lines.at(last + 2), "The champions were crowned with seven games to spare.");
    EXPECT_EQ(lines.back(), "Tallyfield v3.0.4 - page 1 of 1");
    const std::vector<PdfLine> placed = pdf.lines(0);
    EXPECT_NEAR(placed.at(static_cast<size_t>(last + 1)).right(), 10 + 59.3 + 130.4, 0.5); // right-aligned

    EXPECT_EQ(rows.value("Num"), selected);
    EXPECT_TRUE(rows.isFiltered());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ReportTableTest, ASeasonWithoutRowsPrintsTheTitleTheColumnHeadersTheNoteAndTheFooter)
{
    addRows(3);
    chooseSeason(112);
    const PdfPages pdf = print();
    ASSERT_EQ(pdf.count(), 1);
    EXPECT_TRUE(detailLines(pdf, 0).isEmpty());
    const QStringList lines = pdf.lineTexts(0);
    EXPECT_EQ(lines.at(0), "2020/21");
    EXPECT_EQ(lines.at(1), "(12/09/2020 - 23/05/2021)");
    EXPECT_TRUE(lines.contains("№ Team G W D L GS GA P")) << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains("Not started yet."));
    EXPECT_EQ(lines.back(), "Tallyfield v3.0.4 - page 1 of 1");
}

// 130 rows: 51 under the title on the first page, 63 on the second, 16 and the note on the
// third; each page has the column headers and the footer.
TEST_F(ReportTableTest, ALongTableTakesThreePagesEachWithColumnHeadersAndFooter)
{
    addRows(130);
    chooseSeason(111);
    const PdfPages pdf = print();
    ASSERT_EQ(pdf.count(), 3);
    const int perPage[] = {51, 63, 16};
    int position = 1;
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList lines = pdf.lineTexts(p);
        EXPECT_EQ(lines.count("№ Team G W D L GS GA P"), 1);
        EXPECT_EQ(lines.back(), QStringLiteral("Tallyfield v3.0.4 - page %1 of 3").arg(p + 1));
        const QStringList details = detailLines(pdf, p);
        ASSERT_EQ(details.size(), perPage[p]);
        for (const QString& line : details)
            EXPECT_TRUE(line.startsWith(QString::number(position++) + ' ')) << line.toStdString();
    }
    EXPECT_TRUE(pdf.lineTexts(2).contains("Played behind closed doors from June."));
}

// The elements stand where the layout puts them, 10 mm margins added.
TEST_F(ReportTableTest, TheElementsStandInPlace)
{
    const QString longName = QStringLiteral("Wolverhampton Wanderers Reserves and Academy (Wolverhampton)");
    addRows(3, longName);
    chooseSeason(111);
    const PdfPages pdf = print();
    const std::vector<PdfLine> lines = pdf.lines(0);
    auto lineStarting = [&](const QString& start) -> const PdfLine& { return pdf.lineStarting(0, start); };

    // The season's name and its dates centred on 95.25 mm.
    const PdfLine& name = lineStarting("2019/20");
    EXPECT_NEAR((name.left() + name.right()) / 2, 105.25, 0.5);
    EXPECT_NEAR(name.top(), 12.1, 0.5);
    const PdfLine& dates = lineStarting("(09/08/2019");
    EXPECT_NEAR((dates.left() + dates.right()) / 2, 105.25, 0.5);
    EXPECT_NEAR(dates.top(), 17.4, 0.5);

    // A label ends about where its text starts, so that the two may read as one word.
    const PdfLine& country = lineStarting("Country:");
    EXPECT_EQ(country.text.simplified().remove(' '), "Country:Albion");
    EXPECT_NEAR(country.left(), 144.7, 0.5);
    EXPECT_NEAR(country.top(), 43.9, 0.5);
    const PdfLine& competition = lineStarting("Competition:");
    EXPECT_EQ(competition.text.simplified().remove(' '), "Competition:FirstDivision");
    EXPECT_NEAR(competition.left(), 140.4, 0.5);
    EXPECT_NEAR(competition.top(), 50.2, 0.5);

    const PdfLine& header = lineStarting("№");
    ASSERT_EQ(header.words.size(), 9u) << header.text.toStdString();
    const double headerLefts[] = {22.8, 31.0, 90.5, 100.5, 110.3, 120.7, 130.4, 142.6, 156.6};
    for (size_t i = 0; i < 9; ++i)
        EXPECT_NEAR(header.words.at(i).left, 10 + headerLefts[i], 0.5) << i;
    EXPECT_NEAR(header.top(), 10 + 49.5 + 2.1, 0.5);

    const PdfLine& second = lineStarting("2 Team 002");
    ASSERT_EQ(second.words.size(), 12u) << second.text.toStdString();
    EXPECT_NEAR(second.words[0].right, 10 + 26.5, 0.5); // the position, right-aligned
    EXPECT_NEAR(second.words[1].left, 10 + 31.0, 0.5);
    const double figureRights[] = {93.6, 103.7, 113.2, 123.3, 135.5, 147.9, 159.9};
    for (size_t i = 0; i < 7; ++i)
        EXPECT_NEAR(second.words.at(5 + i).right, 10 + figureRights[i], 0.5) << i;
    EXPECT_NEAR(second.top(), 10 + 49.5 + 6.3 + 4.2, 0.5);

    EXPECT_NEAR(lines.back().right(), 197.9, 0.5);
    EXPECT_NEAR(lines.back().top(), 297 - 10 - 4.2, 0.5);

    const QImage page = pdf.picture(0, 300);
    ASSERT_FALSE(page.isNull());
    const double dotsPerMm = 300 / 25.4;
    auto colourAt = [&](double xMm, double yMm) { return coarseColour(page, 300, xMm, yMm); };
    // The flag and the emblem fill their 19.3 mm boxes at (132.6, 12.7) and (164.0, 12.7).
    EXPECT_EQ(colourAt(10 + 132.6 + 9.65, 10 + 12.7 + 9.65), "16,0,0");
    EXPECT_EQ(colourAt(10 + 164.0 + 9.65, 10 + 12.7 + 9.65), "0,0,16");
    EXPECT_EQ(colourAt(10 + 158, 10 + 25), "16,16,16"); // inside the frame, between them

    // The long label of the first row runs to 88 mm and no further: nothing of it between
    // there and the number of games.
    auto darkIn = [&](double left, double right) {
        const double top = 10 + 49.5 + 6.3;
        int dark = 0;
        for (int x = qRound(left * dotsPerMm); x <= qRound(right * dotsPerMm); ++x) {
            for (int y = qRound((top + 0.5) * dotsPerMm); y <= qRound((top + 3.5) * dotsPerMm); ++y)
                dark += qGray(page.pixel(x, y)) < 128;
        }
        return dark;
    };
    EXPECT_GT(darkIn(10 + 80, 10 + 87.8), 20);
    EXPECT_EQ(darkIn(10 + 88.2, 10 + 89.3), 0);
    EXPECT_GT(darkIn(10 + 89.6, 10 + 93.6), 20); // 38
}

TEST_F(ReportTableTest, WithoutAPrinterTheUserIsOfferedAPdf)
{
    addRows(20);
    chooseSeason(111);
    const PdfPages pdf = print(ReportOutput::Printer);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], "No printer is installed. Save the report as a PDF file instead?");
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_EQ(detailLines(pdf, 0).size(), 20);
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
