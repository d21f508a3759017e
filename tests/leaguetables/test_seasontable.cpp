#include "datamodule.h"
#include "seasontable.h"
#include "testdatabase.h"

#include <QSqlQuery>
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
