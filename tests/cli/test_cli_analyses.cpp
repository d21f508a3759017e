// stats, predict and backtest answer as the statistics and prediction windows do.
#include "cli.h"
#include "datamodule.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "sortedcombobox.h"
#include "stringgrid.h"
#include "testdatabase.h"
#include "textlabel.h"
#include "tprediction.h"
#include "tstatistic.h"

#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

// Texts in failure messages as texts.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kAsh = QStringLiteral("Ash (Aton)");
const QString kBirch = QStringLiteral("Birch (Bton)");

struct Result
{
    int status;
    QString out;
    QString err;
};

// Albion's "League" with two seasons: Ash hosted Birch five times and Birch hosted Ash
// five times; "Cup" has no result.
class CliAnalysesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addDivision(11, 1, "League");
        db.addDivision(12, 1, "Cup");
        db.addTeam(111, "Ash", "Aton", 11);
        db.addTeam(112, "Birch", "Bton", 11);
        db.addSeason(111, "2020", 11, {2020, 1, 1}, {2020, 12, 31});
        db.addSeason(112, "2021", 11, {2021, 1, 1}, {2021, 12, 31});
        const int scores[10][2] = {{2, 1}, {1, 0}, {3, 1}, {0, 2}, {0, 0}, {1, 1}, {2, 2}, {0, 1}, {4, 0}, {1, 3}};
        for (int i = 0; i < 10; ++i) {
            const bool ashAtHome = i < 5;
            db.addResult(i + 1, QDate(2020, 3, 1).addMonths(2 * i), 0, 0, ashAtHome ? kAsh : kBirch,
                         ashAtHome ? kBirch : kAsh, scores[i][0], scores[i][1], 11);
        }
        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages << text; });
    }

    void TearDown() override { Dialogs::setMessageHandler({}); }

    Result cli(const QStringList& arguments)
    {
        Result r;
        r.status = Cli::run(QStringList{"--db", QFileInfo(db.folder()).path()} + arguments, r.out, r.err);
        return r;
    }

    TDataModule1& module()
    {
        m = std::make_unique<TDataModule1>(db.store());
        m->DataModuleCreate();
        return *m;
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
    QStringList messages;
};

QString asLines(const QString& composed)
{
    QString text = composed;
    text.replace(QChar(13), QLatin1Char('\n'));
    return text + QLatin1Char('\n');
}

TEST_F(CliAnalysesTest, StatsPrintsTheWindowsSummaryAndRows)
{
    TDataModule1& dm = module();
    TStatistic window;
    window.connectDataModule();
    ASSERT_TRUE(window.DBLookupComboBox2->chooseText("Albion"));
    ASSERT_TRUE(window.DBLookupComboBox1->chooseText("League"));
    const Result r = cli({"--locale", QLocale().name(), "stats", "--country", "Albion", "--competition", "League"});
    ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
    EXPECT_EQ(r.out, asLines(window.Label3->caption()) + "\n" +
                         "season,games,home_wins,draws,away_wins,average_goals\n"
                         "2020,5,3 (60.0%),1 (20.0%),1 (20.0%),2.00\n"
                         "2021,5,1 (20.0%),2 (40.0%),2 (40.0%),3.00\n");
    EXPECT_EQ(window.StringGrid1->cell(2, 1), "3 (60.0%)");
    Q_UNUSED(dm);

    const Result all = cli({"stats", "--all"});
    EXPECT_EQ(all.out, "competition,home_wins,home_wins_share,draws,draws_share,away_wins,away_wins_share,total,"
                       "goals_per_game\nAlbion (League),4,40.0%,3,30.0%,3,30.0%,10,2.50\n");

    const Result none = cli({"stats", "--country", "Albion", "--competition", "Cup"});
    EXPECT_EQ(none.status, Cli::Refused);
    EXPECT_EQ(none.err, "Results not found for \"Albion - Cup\"\n");
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(cli({"stats", "--country", "Albion"}).status, Cli::BadUsage);
    EXPECT_EQ(cli({"stats", "--all", "--country", "Albion"}).status, Cli::BadUsage);
}

TEST_F(CliAnalysesTest, PredictPrintsTheWindowsTexts)
{
    module();
    TPrediction window;
    window.connectDataModule();
    ASSERT_TRUE(window.DBLookupComboBox2->chooseText("Albion"));
    ASSERT_TRUE(window.DBLookupComboBox1->chooseText("League"));
    window.ComboBox1->setEditText(kAsh);
    window.ComboBox2->setEditText(kBirch);
    for (const bool allGames : {false, true}) {
        (allGames ? window.RadioButton2 : window.RadioButton1)->setChecked(true);
        window.Button1->click();
        const Result r = cli({"--locale", QLocale().name(), "predict", "--country", "Albion", "--competition", "League",
                              "--team1", kAsh, "--team2", kBirch, "--base", allGames ? "all" : "intramural"});
        ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
        // The counts end with a line break: an empty line comes before the prediction.
        EXPECT_EQ(r.out, asLines(window.Label3->caption() + QChar(13) + window.Label8->caption())) << allGames;
    }
    EXPECT_TRUE(messages.isEmpty());

    const Result json = cli({"--format", "json", "predict", "--country", "Albion", "--competition", "League", "--team1",
                             kAsh, "--team2", kBirch, "--base", "intramural"});
    EXPECT_EQ(json.out, "[\n  {\"home_games\": 5, \"home_wins\": 3, \"home_draws\": 1, \"home_over\": 2, "
                        "\"away_games\": 5, \"away_wins\": 1, \"away_draws\": 1, \"away_over\": 2, \"win1\": "
                        "\"60.00\", \"draw\": \"20.00\", \"win2\": \"20.00\", \"over\": \"40.00\", \"under\": "
                        "\"60.00\"}\n]\n");

    // Too little data: the counts, an empty line and the caption.
    db.exec("DELETE FROM Results WHERE Num > 3");
    const Result few = cli({"predict", "--country", "Albion", "--competition", "League", "--team1", kAsh, "--team2",
                            kBirch, "--base", "intramural"});
    EXPECT_EQ(few.out, "Home games Ash (Aton): 3\n------------\nAway games Birch (Bton): 3\n\nInsufficiently data\n");
    EXPECT_EQ(cli({"predict", "--country", "Albion", "--competition", "League", "--team1", kAsh, "--team2", kBirch,
                   "--base", "both"})
                  .status,
              Cli::BadUsage);
}

TEST_F(CliAnalysesTest, BacktestCountsAndScores)
{
    const Result r = cli({"backtest", "--country", "Albion", "--competition", "League", "--base", "all"});
    ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
    const QStringList lines = r.out.split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], "Matches: 10");
    // Four earlier home games of the host and away games of the guest: only the fifth game
    // of each host (0:0 at Ash, 1:3 at Birch).
    EXPECT_EQ(lines[1], "Predicted: 2");
    EXPECT_EQ(lines[2], "Too little data: 8");

    const Result from =
        cli({"backtest", "--country", "Albion", "--competition", "League", "--base", "intramural", "--from", "2021"});
    EXPECT_EQ(from.out.split('\n').value(0), "Matches: 5"); // January 2021 on: the last five
    EXPECT_EQ(
        cli({"backtest", "--country", "Albion", "--competition", "League", "--base", "all", "--from", "1999"}).status,
        Cli::Refused);
}

} // namespace
