// report results and report table draw the printed reports into PDF files.
#include "cli.h"
#include "pdfpages.h"
#include "testdatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kAsh = QStringLiteral("Ash (Aton)");
const QString kBirch = QStringLiteral("Birch (Bton)");

struct Result
{
    int status;
    QString out;
    QString err;
};

// Albion's League and Cup: Ash and Birch met twice in the league with Ash at home, once with
// Birch at home, and once in the cup. The season 2020 has three rows whose stored positions
// are those of an earlier ranking.
class CliReportsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addDivision(11, 1, "League");
        db.addDivision(12, 1, "Cup");
        db.addTeam(111, "Ash", "Aton", 11);
        db.addTeam(112, "Birch", "Bton", 11);
        db.addTeam(113, "Cedar", "Cton", 11);
        db.addResult(1, {2020, 3, 1}, 111, 112, kAsh, kBirch, 2, 1, 11);
        db.addResult(2, {2020, 5, 1}, 112, 111, kBirch, kAsh, 0, 0, 11);
        db.addResult(3, {2020, 9, 1}, 111, 112, kAsh, kBirch, 1, 3, 11);
        db.addResult(4, {2020, 10, 1}, 111, 112, kAsh, kBirch, 4, 4, 12);
        db.addSeason(111, "2020", 11, {2020, 1, 1}, {2020, 12, 31});
        db.exec("UPDATE TableHead SET Note = 'Three clubs only.' WHERE Num = 111");
        // By points Birch, Cedar, Ash; the positions stored say otherwise.
        const struct
        {
            int team;
            QString label;
            int position;
            int points;
        } rows[] = {{111, kAsh, 1, 4}, {112, kBirch, 3, 7}, {113, "Cedar (Cton)", 2, 5}};
        for (const auto& r : rows)
            db.exec("INSERT INTO TableDet (CodeSeason, CodeTeam, Team, Position, Game, Win, Draw, Lose, BGoal, BMiss, "
                    "Ball, Points) VALUES (111, ?, ?, ?, 4, 1, 1, 2, 5, 6, -1, ?)",
                    {r.team, r.label, r.position, r.points});
        pdf = dir.filePath("out.pdf");
    }

    Result cli(const QStringList& arguments)
    {
        Result r;
        r.status = Cli::run(QStringList{"--db", QFileInfo(db.folder()).path()} + arguments, r.out, r.err);
        return r;
    }

    QStringList tableArguments(const QString& season = "2020") const
    {
        return {"report", "table", "--country", "Albion", "--competition", "League", "--season", season, "--pdf", pdf};
    }

    QStringList resultsArguments(const QString& team2 = kBirch) const
    {
        return {"report",  "results", "--country", "Albion", "--competition", "League",
                "--team1", kAsh,      "--team2",   team2,    "--pdf",         pdf};
    }

    TestDatabase db;
    QTemporaryDir dir;
    QString pdf;
};

TEST_F(CliReportsTest, ReportTablePrintsTheSeasonInRankingOrderWithTheStoredPositions)
{
    const Result r = cli(tableArguments());
    ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    const QStringList lines = PdfPages(pdf).lineTexts(0);
    EXPECT_EQ(lines.mid(0, 2), QStringList({"2020", "(2020-01-01 - 2020-12-31)"}));
    const qsizetype header = lines.indexOf("№ Team G W D L GS GA P");
    ASSERT_GE(header, 0) << lines.join('|').toStdString();
    EXPECT_EQ(lines.mid(header + 1, 4), QStringList({"3 Birch (Bton) 4 1 1 2 5 6 7", "2 Cedar (Cton) 4 1 1 2 5 6 5",
                                                     "1 Ash (Aton) 4 1 1 2 5 6 4", "Three clubs only."}));
    EXPECT_EQ(lines.back(), "Tallyfield v3.0.4 - page 1 of 1");
    // Nothing is ranked: the stored positions are as they were.
    EXPECT_EQ(db.scalar("SELECT group_concat(Position, ',') FROM (SELECT Position FROM TableDet ORDER BY CodeTeam)")
                  .toString(),
              "1,3,2");
}

// The list holds every match of the pair, both orders and the cup; below it the statistics
// of the selection the options make, here Ash's home games in the league.
TEST_F(CliReportsTest, ReportResultsPrintsEveryMatchUnderTheStatisticsOfTheOptions)
{
    const Result r = cli(resultsArguments() + QStringList{"--save-order", "--locale", "en_GB"});
    ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
    const Result h2h = cli({"--locale", "en_GB", "h2h", "--country", "Albion", "--competition", "League", "--team1",
                            kAsh, "--team2", kBirch, "--save-order"});
    ASSERT_EQ(h2h.status, Cli::Success);
    const QStringList lines = PdfPages(pdf).lineTexts(0);
    EXPECT_TRUE(lines.contains("1 01/10/2020 Ash (Aton) Birch (Bton) 4 : 4")) << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains("3 01/05/2020 Birch (Bton) Ash (Aton) 0 : 0"));
    EXPECT_TRUE(lines.contains("4 01/03/2020 Ash (Aton) Birch (Bton) 2 : 1"));
    EXPECT_TRUE(lines.contains("Ash (Aton) - Birch (Bton)"));
    const QString firstStatistic = h2h.out.section('\n', 0, 0);
    EXPECT_TRUE(firstStatistic.startsWith("Games: 2")) << firstStatistic.toStdString();
    EXPECT_TRUE(lines.contains(firstStatistic.trimmed()));
}

TEST_F(CliReportsTest, ARefusedReportLeavesNoFileAndAnEarlierFileUntouched)
{
    // Nothing written when the data refuse.
    Result r = cli(tableArguments("2030"));
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_TRUE(r.err.contains("2030")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    r = cli(resultsArguments("Cedar (Cton)"));
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_EQ(r.err, "Results not found!\n");
    EXPECT_FALSE(QFile::exists(pdf));

    // A file that exists stays as it was.
    QFile earlier(pdf);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    r = cli(resultsArguments("Nobody (Nowhere)"));
    EXPECT_EQ(r.status, Cli::Refused);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier");
    earlier.close();

    // A file that cannot be written.
    pdf = dir.filePath("no/such/folder/out.pdf");
    r = cli(tableArguments());
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_TRUE(r.err.contains("cannot be written")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(CliReportsTest, UsageOfTheReportCommands)
{
    Result r = cli({"report"});
    EXPECT_EQ(r.status, Cli::BadUsage);
    EXPECT_TRUE(r.err.contains("report needs one of: results, table")) << r.err.toStdString();
    r = cli(tableArguments().mid(0, 8)); // without --pdf
    EXPECT_EQ(r.status, Cli::BadUsage);
    EXPECT_TRUE(r.err.contains("report table needs --pdf")) << r.err.toStdString();
    r = cli(QStringList{"report", "results"} + resultsArguments().mid(4)); // without --country
    EXPECT_EQ(r.status, Cli::BadUsage);
    EXPECT_TRUE(r.err.contains("report results needs --country")) << r.err.toStdString();
    r = cli({"report", "table", "--help"});
    EXPECT_EQ(r.status, Cli::Success);
    EXPECT_TRUE(r.out.startsWith("Usage: tallyfield-cli [--db DIR] report table --country NAME"))
        << r.out.toStdString();
    r = cli({"help", "report", "results"});
    EXPECT_TRUE(r.out.contains("report results")) << r.out.toStdString();
    r = cli({"--help"});
    EXPECT_TRUE(r.out.contains("  report table")) << r.out.toStdString();

    // Only the reports need a QGuiApplication.
    EXPECT_TRUE(Cli::drawsPages({"--db", "x", "report", "table", "--pdf", "t.pdf"}));
    EXPECT_TRUE(Cli::drawsPages({"report", "results"}));
    EXPECT_FALSE(Cli::drawsPages({"--db", "report", "countries"}));
    EXPECT_FALSE(Cli::drawsPages({"h2h", "--team1", "report"}));
    EXPECT_FALSE(Cli::drawsPages({}));
}

} // namespace
