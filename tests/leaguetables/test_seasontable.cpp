#include "apperror.h"
#include "datamodule.h"
#include "seasontable.h"
#include "testdatabase.h"

#include <QSqlQuery>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using SeasonTable::Counts;

// Country 7 with competitions 71 and 72; teams 711 Alpha (Aton), 712 Beta (Bton),
// 713 Gamma (Gton) in 71; season 711 of 71 from 1 August 2020 to 31 May 2021.
class SeasonTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(7, "Seven");
        db.addDivision(71, 7, "League");
        db.addDivision(72, 7, "Cup");
        db.addTeam(711, "Alpha", "Aton", 71);
        db.addTeam(712, "Beta", "Bton", 71);
        db.addTeam(713, "Gamma", "Gton", 71);
        db.addSeason(711, "2020/21", 71, {2020, 8, 1}, {2021, 5, 31});
    }

    void result(const QDate& date, int home, int away, const QVariant& g1, const QVariant& g2, int division = 71)
    {
        static const std::map<int, QString> labels{{711, "Alpha (Aton)"}, {712, "Beta (Bton)"}, {713, "Gamma (Gton)"}};
        db.addResult(++num, date, home, away, labels.at(home), labels.at(away), g1, g2, division);
    }

    // Opens the data module on the competition and season, as the season table editor does.
    TDataModule1& module()
    {
        m = std::make_unique<TDataModule1>(db.store());
        m->DataModuleCreate();
        EXPECT_TRUE(m->TableCountry->locate("Code", 7));
        EXPECT_TRUE(m->TableDivision->locate("Code", 71));
        EXPECT_TRUE(m->TableTableHead->locate("Num", 711));
        return *m;
    }

    std::vector<QVariantList> table()
    {
        std::vector<QVariantList> out;
        QSqlQuery q = db.store().exec("SELECT Position, CodeTeam, Team, Game, Win, Draw, Lose, BGoal, BMiss, Ball, "
                                      "Points FROM TableDet ORDER BY Num",
                                      {}, "test");
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < 11; ++i)
                row << q.value(i).toInt();
            row[2] = q.value(2);
            out.push_back(row);
        }
        return out;
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
    int num = 0;
};

} // namespace

TEST(SeasonTableCounts, FollowTheFiveRules)
{
    Counts c;
    for (int i = 0; i < 6; ++i)
        SeasonTable::countByLabel(c, "T", "T", "U", 2, 1); // home wins
    for (int i = 0; i < 4; ++i)
        SeasonTable::countByLabel(c, "T", "U", "T", 0, 1); // away wins
    for (int i = 0; i < 5; ++i)
        SeasonTable::countByLabel(c, "T", i % 2 ? "T" : "U", i % 2 ? "U" : "T", 1, 1); // draws either side
    SeasonTable::countByLabel(c, "T", "T", "U", 0, 3);                                 // a home loss
    SeasonTable::countByLabel(c, "T", "U", "T", 1, 0);                                 // away losses
    SeasonTable::countByLabel(c, "T", "U", "T", 1, 0);
    EXPECT_EQ(c.win, 10);
    EXPECT_EQ(c.draw, 5);
    EXPECT_EQ(c.lose, 3);
    EXPECT_EQ(c.game(), 18);
    EXPECT_EQ(c.points(), 35);
    EXPECT_EQ(c.goalsFor, 12 + 4 + 5 + 0 + 0);
    EXPECT_EQ(c.goalsAgainst, 6 + 0 + 5 + 3 + 2);
    EXPECT_EQ(c.ball(), c.goalsFor - c.goalsAgainst);

    Counts other;
    SeasonTable::countByLabel(other, "t", "T", "U", 2, 1); // labels are compared case-sensitively
    EXPECT_EQ(other.game(), 0);
}

TEST_F(SeasonTableTest, FillCountsTheSeasonsDaysOfTheCompetitionOnly)
{
    result({2020, 8, 1}, 711, 712, 2, 0);                    // first day counts
    result({2021, 5, 31}, 712, 713, 1, 1);                   // last day counts
    result({2020, 10, 1}, 713, 711, QVariant(), QVariant()); // no goals entered: a 0-0 draw
    result({2020, 7, 31}, 711, 713, 5, 0);                   // before the season
    result({2021, 6, 1}, 713, 712, 5, 0);                    // after it
    result({2020, 9, 1}, 712, 711, 4, 0, 72);                // another competition

    TDataModule1& dm = module();
    SeasonTable::fill(dm, SeasonTable::competitionTeams(dm));
    EXPECT_EQ(table(), (std::vector<QVariantList>{{1, 711, "Alpha (Aton)", 2, 1, 1, 0, 2, 0, 2, 4},
                                                  {2, 712, "Beta (Bton)", 2, 0, 1, 1, 1, 3, -2, 1},
                                                  {3, 713, "Gamma (Gton)", 2, 0, 2, 0, 1, 1, 0, 2}}));
    // The results view is handed back unfiltered, so other windows count every result.
    EXPECT_FALSE(dm.TableResults->isFiltered());
    // A second fill adds a second set of rows and leaves the first as it is.
    SeasonTable::fill(dm, SeasonTable::competitionTeams(dm));
    EXPECT_EQ(table().size(), 6u);
}

TEST_F(SeasonTableTest, RankingNumbersTiesConsecutivelyAndStoresThePositions)
{
    result({2020, 9, 1}, 711, 712, 3, 1);  // Alpha 3 pts, +2, 3 scored
    result({2020, 9, 8}, 713, 711, 2, 0);  // Gamma 3 pts, +2, 2 scored; Alpha now 3 pts, 0
    result({2020, 9, 15}, 712, 713, 2, 0); // Beta 3 pts, 0, 3 scored; Gamma 3 pts, 0, 2 scored
    TDataModule1& dm = module();
    SeasonTable::fill(dm, SeasonTable::competitionTeams(dm));
    SeasonTable::rank(dm, 711);
    // All on 3 points and goal difference 0: goals scored decide, then the order added.
    const auto rows = table();
    EXPECT_EQ(rows[0][0].toInt(), 1); // Alpha: 3 scored, added first
    EXPECT_EQ(rows[1][0].toInt(), 2); // Beta: 3 scored
    EXPECT_EQ(rows[2][0].toInt(), 3); // Gamma: 2 scored
    EXPECT_TRUE(dm.TableSortDet->isFiltered());
    EXPECT_EQ(dm.TableSortDet->asInteger("Position"), 1);

    // A season without rows is ranked without error and changes nothing.
    SeasonTable::rank(dm, 999);
    EXPECT_EQ(table(), rows);
}

TEST_F(SeasonTableTest, FillNumbersEighteenTeamsInTeamListOrderNotByPoints)
{
    // Added out of code order; the team list goes by code within the competition.
    for (int code = 731; code >= 717; --code)
        db.addTeam(code, QStringLiteral("T%1").arg(code), "City", 71);
    // The last team of the list wins everything: it is still numbered 18.
    for (int day = 1; day <= 5; ++day)
        db.addResult(++num, {2020, 9, day}, 731, 711, "T731 (City)", "Alpha (Aton)", 3, 0, 71);

    TDataModule1& dm = module();
    SeasonTable::fill(dm, SeasonTable::competitionTeams(dm));
    const auto rows = table();
    ASSERT_EQ(rows.size(), 18u); // Alpha, Beta, Gamma and the fifteen new ones
    std::vector<int> codes;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0].toInt(), static_cast<int>(i) + 1);
        codes.push_back(rows[i][1].toInt());
    }
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    EXPECT_EQ(rows.back(), (QVariantList{18, 731, "T731 (City)", 5, 5, 0, 0, 15, 0, 15, 15}));
}

TEST_F(SeasonTableTest, TenWinsFiveDrawsThreeLossesGiveEighteenGamesThirtyFivePoints)
{
    int day = 0;
    auto game = [&](int home, int away, int g1, int g2) {
        result(QDate(2020, 9, 1).addDays(++day), home, away, g1, g2);
    };
    for (int i = 0; i < 5; ++i)
        game(711, 712, 2, 1); // five home wins: 10-5
    for (int i = 0; i < 5; ++i)
        game(713, 711, 1, 3); // five away wins: 15-5
    for (int i = 0; i < 5; ++i)
        game(i % 2 ? 711 : 712, i % 2 ? 712 : 711, 1, 1); // five draws either side: 5-5
    game(711, 713, 0, 2);                                 // three losses: 0-5
    game(712, 711, 2, 0);
    game(713, 711, 1, 0);

    TDataModule1& dm = module();
    SeasonTable::fill(dm, SeasonTable::competitionTeams(dm));
    EXPECT_EQ(table().front(), (QVariantList{1, 711, "Alpha (Aton)", 18, 10, 5, 3, 30, 20, 10, 35}));
}

TEST_F(SeasonTableTest, ALabelThatDiffersByLetterCaseCountsNoGames)
{
    db.addResult(++num, {2020, 9, 1}, 711, 712, "alpha (Aton)", "Beta (Bton)", 2, 0, 71);
    TDataModule1& dm = module();
    SeasonTable::fill(dm, SeasonTable::competitionTeams(dm));
    EXPECT_EQ(table()[0][3].toInt(), 0); // Alpha: Game 0
    EXPECT_EQ(table()[1][3].toInt(), 1); // Beta lost it
    SeasonTable::refresh(dm);            // the refresh selects by label too
    EXPECT_EQ(table()[0][3].toInt(), 0);
}

TEST_F(SeasonTableTest, RefreshSelectsByLabelAttributesByCodeAndKeepsTheRest)
{
    result({2020, 9, 1}, 711, 712, 2, 0);
    result({2020, 9, 8}, 713, 711, 1, 1);
    TDataModule1& first = module();
    SeasonTable::fill(first, SeasonTable::competitionTeams(first));
    // By hand: Alpha's coefficient and place; Gamma's code emptied.
    db.exec("UPDATE TableDet SET Kf = 1.5, Position = 9 WHERE CodeTeam = 711");
    db.exec("UPDATE TableDet SET CodeTeam = NULL WHERE CodeTeam = 713");
    // Results after the fill, one outside the season; a result naming Alpha under a
    // wrong code is selected by the label but not attributed as Alpha's.
    result({2020, 10, 1}, 712, 711, 0, 3);
    result({2021, 7, 1}, 711, 713, 9, 0);
    db.addResult(++num, {2020, 10, 8}, 799, 713, "Alpha (Aton)", "Gamma (Gton)", 4, 0, 71);
    db.addResult(++num, {2020, 10, 15}, 713, 711, "Gamma (Gton)", "Alpha (Aton)", 2, 1, 71);

    TDataModule1& dm = module(); // the views read the changed tables anew
    SeasonTable::refresh(dm);
    const auto rows = table();
    ASSERT_EQ(rows.size(), 3u);
    // Alpha: 2 wins, a draw, a loss; the match under code 799 neither won nor lost.
    EXPECT_EQ(rows[0], (QVariantList{9, 711, "Alpha (Aton)", 4, 2, 1, 1, 7, 3, 4, 7}));
    EXPECT_EQ(rows[1], (QVariantList{2, 712, "Beta (Bton)", 2, 0, 0, 2, 0, 5, -5, 0}));
    // Gamma without a code: only its draw, though it won one and lost one.
    EXPECT_EQ(rows[2], (QVariantList{3, 0, "Gamma (Gton)", 1, 0, 1, 0, 1, 1, 0, 1}));
    EXPECT_EQ(db.scalar("SELECT Kf FROM TableDet WHERE Team = 'Alpha (Aton)'").toDouble(), 1.5);
    EXPECT_FALSE(dm.TableResults->isFiltered());

    // A season without rows: nothing changes, no error.
    db.addSeason(712, "2021/22", 71, {2021, 8, 1}, {2022, 5, 31});
    TDataModule1& later = module();
    ASSERT_TRUE(later.TableTableHead->locate("Num", 712));
    SeasonTable::refresh(later);
    EXPECT_EQ(table(), rows);
}

TEST_F(SeasonTableTest, AFillThatCannotSelectTheResultsLeavesNoRowBehind)
{
    result({2020, 9, 1}, 711, 712, 2, 0);
    db.exec("UPDATE TableHead SET DateFinish = NULL WHERE Num = 711");
    TDataModule1& dm = module();
    try {
        SeasonTable::fill(dm, SeasonTable::competitionTeams(dm));
        FAIL() << "the fill went on without the season's last day";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "'' is not a valid date");
    }
    // The row started for the first team is cancelled: the next move posts nothing.
    EXPECT_EQ(dm.TableTableDet->state(), TableView::State::Browse);
    dm.TableTableDet->first();
    EXPECT_TRUE(table().empty());
    EXPECT_FALSE(dm.TableResults->isFiltered());

    // The refresh stops before it changes a row.
    db.exec("UPDATE TableHead SET DateFinish = '2021-05-31' WHERE Num = 711");
    TDataModule1& dated = module();
    SeasonTable::fill(dated, SeasonTable::competitionTeams(dated));
    const auto filled = table();
    result({2020, 9, 8}, 711, 712, 5, 0);
    db.exec("UPDATE TableHead SET DateStart = NULL WHERE Num = 711");
    TDataModule1& later = module();
    EXPECT_THROW(SeasonTable::refresh(later), AppError);
    EXPECT_EQ(later.TableTableDet->state(), TableView::State::Browse);
    EXPECT_EQ(table(), filled);
}

TEST_F(SeasonTableTest, AFillWithoutACurrentSeasonOrWithoutTeamsAddsNothing)
{
    TDataModule1& dm = module();
    ASSERT_TRUE(dm.TableDivision->locate("Code", 72)); // the cup: no teams, no seasons
    try {
        SeasonTable::fill(dm, SeasonTable::competitionTeams(dm));
        FAIL() << "a competition without teams was filled";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), SeasonTable::noTeamsMessage());
    }
    EXPECT_THROW(SeasonTable::fill(dm, {{711, "Alpha (Aton)"}}), AppError); // no season of the cup
    EXPECT_EQ(dm.TableTableDet->state(), TableView::State::Browse);
    dm.TableTableDet->first();
    EXPECT_TRUE(table().empty());
}
