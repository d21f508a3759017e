// The sheets of the three exports, written to files and read back by openpyxl; and the
// command line's export, which writes the same workbooks.
#include "apperror.h"
#include "cli.h"
#include "competitionsexport.h"
#include "datamodule.h"
#include "filterforms.h"
#include "leaguetableexport.h"
#include "localescope.h"
#include "output.h"
#include "predictionsexport.h"
#include "testdatabase.h"
#include "workbookfile.h"
#include "xlsxreader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Texts in failure messages as texts.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kAsh = QStringLiteral("Ash (Aton)");
const QString kBirch = QStringLiteral("Birch (Bton)");
const QString kGreen = QStringLiteral("008040"); // RGB(0, 128, 64)

QStringList columnTexts(const XlsxSheet& s, int row, const QString& columns)
{
    QStringList texts;
    for (const QChar column : columns)
        texts << s.text(column + QString::number(row));
    return texts;
}

// Albion's "League" has the results 2:1, 1:1 and 0:3 and a season of twenty table rows,
// its "Cup" none; Borduria's "Premier" two results; Carpathia has no competition.
class ExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(2, "Borduria");
        db.addCountry(1, "Albion");
        db.addCountry(3, "Carpathia");
        db.addDivision(11, 1, "League");
        db.addDivision(12, 1, "Cup");
        db.addDivision(21, 2, "Premier");
        db.addTeam(111, "Ash", "Aton", 11);
        db.addTeam(112, "Birch", "Bton", 11);
        const int scores[3][2] = {{2, 1}, {1, 1}, {0, 3}};
        for (int i = 0; i < 3; ++i)
            db.addResult(i + 1, QDate(2020, 3, 1 + i), 111, 112, kAsh, kBirch, scores[i][0], scores[i][1], 11);
        db.addResult(4, QDate(2020, 3, 1), 0, 0, "Cat (Cton)", "Dog (Dton)", 4, 0, 21);
        db.addResult(5, QDate(2020, 3, 8), 0, 0, "Dog (Dton)", "Cat (Cton)", 1, 0, 21);
        db.addSeason(111, "2020", 11, {2020, 1, 1}, {2020, 12, 31});
        db.addSeason(112, "2021", 11, {2021, 1, 1}, {2021, 12, 31});
        // Twenty rows, best first by points; the stored positions of the first two are
        // swapped, as when the figures changed after the season was last ranked.
        for (int i = 0; i < 20; ++i) {
            const int position = i == 0 ? 2 : i == 1 ? 1 : i + 1;
            db.exec("INSERT INTO TableDet (CodeSeason, Position, CodeTeam, Team, Game, Win, Draw, Lose, BGoal, "
                    "BMiss, Ball, Points) VALUES (111, ?, ?, ?, 38, ?, ?, ?, ?, ?, ?, ?)",
                    {position, 1000 + i, QStringLiteral("Team %1 (Town)").arg(i + 1), 20 - i / 2, 10, 8 + i / 2, 60 - i,
                     30 + i, 30 - 2 * i, 70 - i / 2 * 3});
        }
    }

    TDataModule1& module()
    {
        if (!m) {
            m = std::make_unique<TDataModule1>(db.store());
            m->DataModuleCreate();
        }
        return *m;
    }

    XlsxSheet written(const Spreadsheet::Workbook& book)
    {
        const QString path = dir.filePath(QStringLiteral("export%1.xlsx").arg(++files));
        Spreadsheet::writeFile(book, path);
        return XlsxSheet::read(path);
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
    QTemporaryDir dir;
    int files = 0;
};

void expectWholeSheetFormats(const XlsxSheet& s)
{
    for (auto i = s.cells.begin(); i != s.cells.end(); ++i) {
        const QJsonObject c = i.value().toObject();
        EXPECT_EQ(c.value("vertical").toString(), "center") << i.key().toStdString();
        EXPECT_EQ(c.value("size").toDouble(), 10) << i.key().toStdString();
    }
}

} // namespace

// --- the league table -----------------------------------------------------------------

TEST_F(ExportTest, LeagueTableOfTwentyRowsWithStoredPositionsAndTwoFrames)
{
    TableView& rows = *module().TableSortDet;
    rows.setFilterText(FilterForms::season("111"));
    rows.setFiltered(true);
    const XlsxSheet s = written(leagueTableWorkbook(module()));
    EXPECT_EQ(rows.recNo(), 19); // left on the last row, where the viewer's grid then stands

    EXPECT_EQ(s.sheets, QStringList{"Tallyfield"});
    EXPECT_EQ(columnTexts(s, 1, "ABCDEFGHI"),
              (QStringList{QStringLiteral("№"), "Team", "G", "W", "D", "L", "BG", "BM", "P"}));
    for (const QChar column : QStringLiteral("ABCDEFGHI"))
        EXPECT_TRUE(s.bold(column + QStringLiteral("1")));
    EXPECT_FALSE(s.bold("B2"));
    EXPECT_EQ(s.width("A"), 4);
    EXPECT_EQ(s.width("B"), 25);
    for (const QChar column : QStringLiteral("CDEFGHI"))
        EXPECT_EQ(s.width(column), 5) << QString(column).toStdString();
    EXPECT_TRUE(s.merged.isEmpty());
    expectWholeSheetFormats(s);

    // The positions as stored, the team as text, the counters as numbers.
    EXPECT_EQ(s.number("A2"), 2);
    EXPECT_EQ(s.number("A3"), 1);
    EXPECT_EQ(s.number("A21"), 20);
    EXPECT_EQ(s.text("B2"), "Team 1 (Town)");
    EXPECT_EQ(s.text("B21"), "Team 20 (Town)");
    EXPECT_EQ(s.number("C21"), 38);
    EXPECT_EQ(s.number("D21"), 11);
    EXPECT_EQ(s.number("E21"), 10);
    EXPECT_EQ(s.number("F21"), 17);
    EXPECT_EQ(s.number("G21"), 41);
    EXPECT_EQ(s.number("H21"), 49);
    EXPECT_EQ(s.number("I21"), 43);
    EXPECT_EQ(s.filled().size(), 9 * 21); // Ball and Kf stay out
    EXPECT_EQ(s.horizontal("A2"), "");

    // The header's frame and the table's frame around A2:I21.
    EXPECT_EQ(s.border("A1"), "TBL");
    EXPECT_EQ(s.border("E1"), "TB");
    EXPECT_EQ(s.border("I1"), "TBR");
    EXPECT_EQ(s.border("A2"), "TL");
    EXPECT_EQ(s.border("E2"), "T");
    EXPECT_EQ(s.border("I2"), "TR");
    EXPECT_EQ(s.border("A10"), "L");
    EXPECT_EQ(s.border("E10"), "");
    EXPECT_EQ(s.border("I10"), "R");
    EXPECT_EQ(s.border("A21"), "BL");
    EXPECT_EQ(s.border("E21"), "B");
    EXPECT_EQ(s.border("I21"), "BR");
    EXPECT_FALSE(s.cells.contains("A22"));
}

TEST_F(ExportTest, LeagueTableWithoutRowsIsTheFramedHeaderAlone)
{
    TableView& rows = *module().TableSortDet;
    rows.setFilterText(FilterForms::season("112"));
    rows.setFiltered(true);
    const XlsxSheet s = written(leagueTableWorkbook(module()));
    EXPECT_EQ(s.filled().size(), 9);
    EXPECT_EQ(s.border("A1"), "TBL");
    EXPECT_EQ(s.border("I1"), "TBR");
    for (auto i = s.cells.begin(); i != s.cells.end(); ++i)
        EXPECT_TRUE(i.key().endsWith(QLatin1Char('1')) && i.key().size() == 2) << i.key().toStdString();
}

// --- all competitions' statistics -----------------------------------------------------

TEST_F(ExportTest, CompetitionStatisticsRowsAsTextsInCountryOrderWithTheirOutlines)
{
    // The chosen competition is put back after the walk.
    ASSERT_TRUE(module().TableCountry->locate("Country", "Borduria"));
    const XlsxSheet s =
        written(CompetitionStatistics::competitionsWorkbook(CompetitionStatistics::allCompetitions(module())));
    EXPECT_EQ(module().TableCountry->asString("Country"), "Borduria");
    EXPECT_EQ(module().TableDivision->asString("Division"), "Premier");

    EXPECT_EQ(s.sheets, QStringList{"Competitions statistics"});
    EXPECT_EQ(s.filled(), (QStringList{"A1", "B1", "D1", "F1", "H1", "I1", "A2", "B2", "C2", "D2", "E2", "F2",
                                       "G2", "H2", "I2", "A3", "B3", "C3", "D3", "E3", "F3", "G3", "H3", "I3"}));
    EXPECT_EQ(columnTexts(s, 1, "ABDFHI"),
              (QStringList{"Competition", "Home wins", "Draws", "Away wins", "Total", "Goals/game"}));
    EXPECT_EQ(columnTexts(s, 2, "ABCDEFGHI"),
              (QStringList{"Albion (League)", "1", "33.3%", "1", "33.3%", "1", "33.3%", "3", "2.67"}));
    EXPECT_EQ(columnTexts(s, 3, "ABCDEFGHI"),
              (QStringList{"Borduria (Premier)", "2", "100.0%", "0", "0.0%", "0", "0.0%", "2", "2.50"}));
    EXPECT_EQ(s.merged, (QStringList{"B1:C1", "D1:E1", "F1:G1"}));
    EXPECT_EQ(s.width("A"), 23.43);
    for (const QChar column : QStringLiteral("BCDEFGH"))
        EXPECT_EQ(s.width(column), 6) << QString(column).toStdString();
    EXPECT_EQ(s.width("I"), 11);
    expectWholeSheetFormats(s);

    for (const QChar column : QStringLiteral("ABCDEFGHI")) {
        const QString header = column + QStringLiteral("1");
        EXPECT_TRUE(s.bold(header)) << header.toStdString();
        EXPECT_EQ(s.horizontal(header), column == QLatin1Char('A') ? "" : "center") << header.toStdString();
        for (const QString& cell : {column + QStringLiteral("2"), column + QStringLiteral("3")}) {
            EXPECT_FALSE(s.bold(cell));
            EXPECT_EQ(s.horizontal(cell), column == QLatin1Char('A') ? "" : "right") << cell.toStdString();
        }
    }

    // A1:I1, A1:I3, B1:C3, D1:E3, F1:G3, H1:H3 and I1:I3, edge by edge.
    const QStringList row1{"TBL", "TBL", "TBR", "TBL", "TBR", "TBL", "TBR", "TBLR", "TBLR"};
    const QStringList row2{"L", "L", "R", "L", "R", "L", "R", "LR", "LR"};
    const QStringList row3{"BL", "BL", "BR", "BL", "BR", "BL", "BR", "BLR", "BLR"};
    for (int c = 0; c < 9; ++c) {
        const QString column(QChar(u'A' + c));
        EXPECT_EQ(s.border(column + "1"), row1[c]) << column.toStdString() << 1;
        EXPECT_EQ(s.border(column + "2"), row2[c]) << column.toStdString() << 2;
        EXPECT_EQ(s.border(column + "3"), row3[c]) << column.toStdString() << 3;
    }
}

TEST_F(ExportTest, CompetitionStatisticsWriteTheLocalesDecimalSeparator)
{
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    const XlsxSheet s =
        written(CompetitionStatistics::competitionsWorkbook(CompetitionStatistics::allCompetitions(module())));
    EXPECT_EQ(columnTexts(s, 2, "CI"), (QStringList{"33,3%", "2,67"}));
}

TEST(CompetitionStatisticsExport, WithoutResultsTheHeaderIsAloneAndRightAligned)
{
    const Spreadsheet::Workbook book = CompetitionStatistics::competitionsWorkbook({});
    QTemporaryDir dir;
    Spreadsheet::writeFile(book, dir.filePath("empty.xlsx"));
    const XlsxSheet s = XlsxSheet::read(dir.filePath("empty.xlsx"));
    EXPECT_EQ(s.filled(), (QStringList{"A1", "B1", "D1", "F1", "H1", "I1"}));
    EXPECT_EQ(s.horizontal("A1"), "");
    // The right alignment from B2 to I1 covers B1:I2, the header among it.
    for (const QChar column : QStringLiteral("BCDEFGHI"))
        EXPECT_EQ(s.horizontal(column + QStringLiteral("1")), "right") << QString(column).toStdString();
    EXPECT_EQ(s.merged, (QStringList{"B1:C1", "D1:E1", "F1:G1"}));
    EXPECT_EQ(s.border("A1"), "TBL");
    EXPECT_EQ(s.border("B1"), "TBL");
    EXPECT_EQ(s.border("C1"), "TBR");
    EXPECT_EQ(s.border("H1"), "TBLR");
    EXPECT_EQ(s.border("I1"), "TBLR");
    EXPECT_EQ(s.border("B2"), "");
}

// --- the predictions list -------------------------------------------------------------

TEST(PredictionsExport, MixedGroupsFramedAndTheWholeTextsCompared)
{
    PredictionsList list;
    list.add(kAsh, kBirch, {45.27, 45.21, 9.52, 50, 50}, "All games");
    list.add(kAsh, kBirch, {20, 30, 50, 60, 40}, "Intramural games");
    list.add(kAsh, kBirch, {10, 60, 30, 30, 70}, "All games"); // a third time: a second Mixed row
    ASSERT_EQ(list.rowCount(), 6);
    // The grid cuts the last character and colours none of 45.27 and 45.21; the sheet does.
    EXPECT_FALSE(PredictionsList::likeliestOutcomeColumn(list.rows()[1]));

    QTemporaryDir dir;
    Spreadsheet::writeFile(predictionsWorkbook(list), dir.filePath("list.xlsx"));
    const XlsxSheet s = XlsxSheet::read(dir.filePath("list.xlsx"));
    EXPECT_EQ(s.sheets, QStringList{"Tallyfield"});
    EXPECT_EQ(columnTexts(s, 1, "ABCDEFGH"),
              (QStringList{"Team 1", "Team 2", "Win 1", "Draw", "Win 2", "Over", "Under", "Based on"}));
    EXPECT_EQ(columnTexts(s, 2, "ABCDEFGH"),
              (QStringList{kAsh, kBirch, "45.27", "45.21", "9.52", "50.00", "50.00", "All games"}));
    EXPECT_EQ(columnTexts(s, 4, "CDEFGH"), (QStringList{"32.64", "37.61", "29.76", "55.00", "45.00", "Mixed"}));
    EXPECT_EQ(s.text("H6"), "Mixed");
    EXPECT_EQ(s.filled().size(), 8 * 6);
    for (const QChar column : QStringLiteral("ABCDEFGH")) {
        EXPECT_TRUE(s.bold(column + QStringLiteral("1")));
        EXPECT_FALSE(s.bold(column + QStringLiteral("2")));
    }
    EXPECT_EQ(s.width("A"), 15);
    EXPECT_EQ(s.width("B"), 15);
    EXPECT_EQ(s.width("C"), 7);
    EXPECT_EQ(s.width("D"), 7);
    EXPECT_EQ(s.width("E"), 7);
    EXPECT_EQ(s.width("F"), 11);
    EXPECT_EQ(s.width("G"), 11);
    EXPECT_EQ(s.width("H"), 15);
    expectWholeSheetFormats(s);

    // The colour on the strictly greatest outcome and on the greater of Over and Under.
    const auto coloured = [&s](int row) {
        QString columns;
        for (const QChar column : QStringLiteral("ABCDEFGH")) {
            if (s.color(column + QString::number(row)) == kGreen)
                columns += column;
        }
        return columns;
    };
    EXPECT_EQ(coloured(1), "");
    EXPECT_EQ(coloured(2), "C"); // 45.27 over 45.21; 50.00 and 50.00 leave F and G plain
    EXPECT_EQ(coloured(3), "EF");
    EXPECT_EQ(coloured(4), "DF");
    EXPECT_EQ(coloured(5), "DG");

    // A2:H4 and A4:H6, sharing row 4.
    EXPECT_EQ(s.border("A1"), "");
    EXPECT_EQ(s.border("A2"), "TL");
    EXPECT_EQ(s.border("D2"), "T");
    EXPECT_EQ(s.border("H2"), "TR");
    EXPECT_EQ(s.border("A3"), "L");
    EXPECT_EQ(s.border("D3"), "");
    EXPECT_EQ(s.border("H3"), "R");
    EXPECT_EQ(s.border("A4"), "TBL");
    EXPECT_EQ(s.border("D4"), "TB");
    EXPECT_EQ(s.border("H4"), "TBR");
    EXPECT_EQ(s.border("A5"), "L");
    EXPECT_EQ(s.border("A6"), "BL");
    EXPECT_EQ(s.border("D6"), "B");
    EXPECT_EQ(s.border("H6"), "BR");
}

TEST(PredictionsExport, AnEmptyListGivesTheHeaderAlone)
{
    QTemporaryDir dir;
    Spreadsheet::writeFile(predictionsWorkbook(PredictionsList()), dir.filePath("list.xlsx"));
    const XlsxSheet s = XlsxSheet::read(dir.filePath("list.xlsx"));
    EXPECT_EQ(s.filled(), (QStringList{"A1", "B1", "C1", "D1", "E1", "F1", "G1", "H1"}));
    EXPECT_EQ(s.width("C"), 7);
    for (auto i = s.cells.begin(); i != s.cells.end(); ++i)
        EXPECT_EQ(i.value().toObject().value("border").toString(), "") << i.key().toStdString();
}

// --- the command line -----------------------------------------------------------------

TEST(CsvRecords, QuotedFieldsLineEndsAndBlankLines)
{
    EXPECT_EQ(Output::parseCsv("a,b\r\n\"c,d\",\"say \"\"hi\"\"\"\n\n\"two\nlines\",\n"),
              (std::vector<QStringList>{{"a", "b"}, {"c,d", "say \"hi\""}, {"two\nlines", ""}}));
    EXPECT_EQ(Output::parseCsv("x"), (std::vector<QStringList>{{"x"}}));
    EXPECT_TRUE(Output::parseCsv("").empty());
    Rows rows{{"team1", "team2"}, {}};
    rows.add({Cell::text("Newell's \"Old\" Boys (Rosario)"), Cell::text("A, B (C)")});
    EXPECT_EQ(Output::parseCsv(Output::csv(rows))[1], (QStringList{"Newell's \"Old\" Boys (Rosario)", "A, B (C)"}));
}

class ExportCommandTest : public ExportTest
{
protected:
    struct Result
    {
        int status;
        QString out;
        QString err;
    };

    Result cli(const QStringList& arguments)
    {
        Result r;
        r.status = Cli::run(QStringList{"--db", QFileInfo(db.folder()).path()} + arguments, r.out, r.err);
        return r;
    }
};

TEST_F(ExportCommandTest, WritesTheWindowsWorkbooksWithoutRanking)
{
    const QString table = dir.filePath("table.xlsx");
    const Result t =
        cli({"export", "table", "--country", "Albion", "--competition", "League", "--season", "2020", "--xlsx", table});
    ASSERT_EQ(t.status, 0) << t.err.toStdString();
    EXPECT_TRUE(t.out.isEmpty());
    const XlsxSheet ts = XlsxSheet::read(table);
    EXPECT_EQ(ts.number("A2"), 2); // as stored: the command does not rank
    EXPECT_EQ(ts.border("I21"), "BR");
    EXPECT_EQ(db.scalar("SELECT Position FROM TableDet WHERE CodeTeam = 1000").toInt(), 2);

    const QString stats = dir.filePath("stats.xlsx");
    const Result s = cli({"export", "stats", "--all", "--xlsx", stats});
    ASSERT_EQ(s.status, 0) << s.err.toStdString();
    EXPECT_EQ(columnTexts(XlsxSheet::read(stats), 2, "ABCI"), (QStringList{"Albion (League)", "1", "33.3%", "2.67"}));

    // A pairing three times, with a Mixed row of the file passed over: the list makes its own.
    const QString listFile = dir.filePath("list.csv");
    QFile csv(listFile);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("team1,team2,win1,draw,win2,over,under,base\n"
              "Ash (Aton),Birch (Bton),45.27,45.21,9.52,50,50,all\n"
              "Ash (Aton),Birch (Bton),20,30,50,60,40,Intramural games\n"
              "Ash (Aton),Birch (Bton),1,1,1,1,1,Mixed\n"
              "Ash (Aton),Birch (Bton),10,60,30,30,70,intramural\n");
    csv.close();
    const QString predictions = dir.filePath("predictions.xlsx");
    const Result p = cli({"export", "predictions", listFile, "--xlsx", predictions});
    ASSERT_EQ(p.status, 0) << p.err.toStdString();
    const XlsxSheet ps = XlsxSheet::read(predictions);
    EXPECT_EQ(columnTexts(ps, 2, "CH"), (QStringList{"45.27", "All games"}));
    EXPECT_EQ(columnTexts(ps, 4, "CH"), (QStringList{"32.64", "Mixed"}));
    EXPECT_EQ(ps.text("H5"), "Intramural games");
    EXPECT_EQ(ps.border("A4"), "TBL");
    EXPECT_EQ(ps.border("H6"), "BR");
    EXPECT_EQ(ps.color("C2"), kGreen);

    // Under a locale the shares are written as the window writes them.
    const Result g = cli({"--locale", "de_DE", "export", "stats", "--all", "--xlsx", stats});
    ASSERT_EQ(g.status, 0) << g.err.toStdString();
    EXPECT_EQ(XlsxSheet::read(stats).text("C2"), "33,3%");
}

TEST_F(ExportCommandTest, RefusalsLeaveNoFile)
{
    const QString out = dir.filePath("out.xlsx");
    EXPECT_EQ(cli({"export", "stats", "--xlsx", out}).status, 2);
    EXPECT_EQ(cli({"export", "table", "--country", "Albion", "--xlsx", out}).status, 2);
    EXPECT_EQ(cli({"export", "chart", "--xlsx", out}).status, 2);
    EXPECT_EQ(cli({"export", "stats", "--all"}).status, 2);
    EXPECT_EQ(cli({"export", "predictions", "--xlsx", out}).status, 2);

    const Result season =
        cli({"export", "table", "--country", "Albion", "--competition", "League", "--season", "1999", "--xlsx", out});
    EXPECT_EQ(season.status, 1);
    EXPECT_TRUE(season.err.contains("1999"));

    const QString listFile = dir.filePath("bad.csv");
    QFile csv(listFile);
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("team1,team2,win1,draw,win2,over,under,base\nAsh (Aton),Birch (Bton),lots,1,1,1,1,all\n");
    csv.close();
    const Result share = cli({"export", "predictions", listFile, "--xlsx", out});
    EXPECT_EQ(share.status, 1);
    EXPECT_EQ(share.err, "Line 2 of the list: 'lots' is not a share\n");
    EXPECT_EQ(cli({"export", "predictions", dir.filePath("none.csv"), "--xlsx", out}).status, 1);

    const Result folder = cli({"export", "stats", "--all", "--xlsx", dir.filePath("missing/out.xlsx")});
    EXPECT_EQ(folder.status, 1);
    EXPECT_TRUE(folder.err.startsWith("Cannot write the workbook")) << folder.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
}
