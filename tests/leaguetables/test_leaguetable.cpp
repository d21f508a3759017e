#include "datamodule.h"
#include "leaguetable.h"
#include "leaguetablefixture.h"
#include "seasontable.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

using NameMark = HeadToHead::NameMark;
using TeamGames::cellLook;

class LeagueTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fillLeagueTables(db);
        m = std::make_unique<TDataModule1>(db.store());
        m->DataModuleCreate();
        ASSERT_TRUE(m->TableCountry->locate("Code", 1));
        ASSERT_TRUE(m->TableDivision->locate("Code", 11));
        ASSERT_TRUE(m->TableTableHead->locate("Num", 111));
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
};

TEST_F(LeagueTableTest, RankingTwentyRowsStoresPositionsInOrderTiesConsecutive)
{
    SeasonTable::rank(*m, 111);
    const std::vector<LeagueTable::Row> rows = LeagueTable::rows(*m);
    ASSERT_EQ(rows.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(rows[i].position, i + 1);
    // Best points first; the two level teams take places 5 and 6, one each.
    EXPECT_EQ(rows[0].team, "T01 (C01)");
    EXPECT_EQ(rows[3].team, "T04 (C04)");
    EXPECT_EQ((QStringList{rows[4].team, rows[5].team}.count("T05 (C05)")), 1);
    EXPECT_EQ((QStringList{rows[4].team, rows[5].team}.count("T06 (C06)")), 1);
    EXPECT_EQ(rows[19].team, "T20 (C20)");
    EXPECT_EQ(rows[19].points, 20);

    // Stored: the database holds the same numbers, for the editor, the report and export.
    QSqlQuery q = db.store().exec("SELECT Team FROM TableDet WHERE CodeSeason = 111 ORDER BY Position", {}, "test");
    for (const LeagueTable::Row& row : rows) {
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), row.team);
    }
}

TEST_F(LeagueTableTest, ShowingASeasonKeepsTheStoredPositions)
{
    SeasonTable::rank(*m, 111);
    db.exec("UPDATE TableDet SET Points = 0 WHERE CodeTeam = 1"); // a refresh in the editor
    m = std::make_unique<TDataModule1>(db.store());
    m->DataModuleCreate();
    ASSERT_TRUE(m->TableDivision->locate("Code", 11));
    ASSERT_TRUE(m->TableTableHead->locate("Num", 111));
    LeagueTable::showCurrentSeason(*m);
    const auto rows = LeagueTable::rows(*m);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.back().team, "T01 (C01)"); // last in the order, still numbered 1
    EXPECT_EQ(rows.back().position, 1);

    // A competition without seasons: no rows instead of a refused filter.
    ASSERT_TRUE(m->TableCountry->locate("Code", 2));
    ASSERT_TRUE(m->TableTableHead->isEmpty());
    LeagueTable::showCurrentSeason(*m);
    EXPECT_TRUE(LeagueTable::rows(*m).empty());
}

TEST_F(LeagueTableTest, TheTeamIsFoundByTheShortNameInItsLabel)
{
    LeagueTable::showTeam(*m, "T07 (C07)");
    EXPECT_EQ(m->TableSortTeam->recordCount(), 1);
    EXPECT_EQ(m->TableSortTeam->asString("ShortName"), "T07");
    // Without "(" the short name is empty: only a team without a short name matches.
    LeagueTable::showTeam(*m, "T07");
    EXPECT_EQ(m->TableSortTeam->recordCount(), 1);
    EXPECT_EQ(m->TableSortTeam->asInteger("Code"), 21);

    // Two teams with one short name: the first in the teams' name order.
    db.exec("UPDATE Team SET ShortName = 'T07', Team = 'A T07' WHERE Code = 12");
    m = std::make_unique<TDataModule1>(db.store());
    m->DataModuleCreate();
    LeagueTable::showTeam(*m, "T07 (C07)");
    EXPECT_EQ(m->TableSortTeam->recordCount(), 2);
    EXPECT_EQ(m->TableSortTeam->asInteger("Code"), 12);
}

TEST_F(LeagueTableTest, ATeamsGamesAreThoseOfTheSeasonsDaysInTheCompetition)
{
    const std::vector<TeamGames::Game> games = TeamGames::select(*m, "T01 (C01)");
    ASSERT_EQ(games.size(), 34u);
    EXPECT_EQ(TeamGames::cells(1, games.front()),
              (QStringList{"1.", "01/08/2020", "T01 (C01)", "T02 (C02)", "10 : 2"}));
    EXPECT_EQ(games[4].score, " : ");
    EXPECT_EQ(TeamGames::cells(34, games.back()),
              (QStringList{"34.", "31/05/2021", "T08 (C08)", "T01 (C01)", "2 : 2"}));
    // The filter stays on while the window is open.
    EXPECT_TRUE(m->TableResults->isFiltered());
    EXPECT_EQ(TeamGames::title("T01 (C01)", "2020/21"), "Games: T01 (C01) season 2020/21");

    // The label is compared exactly.
    EXPECT_TRUE(TeamGames::select(*m, "t01 (C01)").empty());
}

TEST(TeamGamesLook, TheTeamsNameIsBoldGreenOnWinsRedOnLossesEvenRowsGrey)
{
    const QString t = "T (X)";
    // Home won, home lost, away won, away lost.
    EXPECT_EQ(cellLook(2, 1, t, "10 : 2", t).mark, NameMark::Winner);
    EXPECT_EQ(cellLook(2, 1, t, "0 : 1", t).mark, NameMark::Loser);
    EXPECT_EQ(cellLook(3, 1, t, "0 : 2", t).mark, NameMark::Winner);
    EXPECT_EQ(cellLook(3, 1, t, "3 : 2", t).mark, NameMark::Loser);
    // A draw and a score never entered: bold, no colour.
    for (const QString& score : {QString("1 : 1"), QString(" : "), QString("2 : ")}) {
        const auto look = cellLook(2, 1, t, score, t);
        EXPECT_TRUE(look.bold);
        EXPECT_FALSE(look.mark) << score.toStdString();
    }
    // The opponent, the other columns and a label differing in case: plain.
    EXPECT_FALSE(cellLook(3, 1, "U (Y)", "10 : 2", t).bold);
    EXPECT_FALSE(cellLook(4, 1, t, "10 : 2", t).bold);
    EXPECT_FALSE(cellLook(2, 1, "t (X)", "10 : 2", t).bold);
    // Every even row shaded in every column; the header row never.
    EXPECT_TRUE(cellLook(0, 2, "2.", "1 : 0", t).shaded);
    EXPECT_TRUE(cellLook(2, 4, t, "1 : 0", t).shaded);
    EXPECT_FALSE(cellLook(0, 3, "3.", "1 : 0", t).shaded);
    EXPECT_FALSE(cellLook(2, 0, "Home", "Goals", "Home").shaded);
    EXPECT_FALSE(cellLook(2, 0, "Home", "Goals", "Home").bold);
}

} // namespace
