// The team's season history and the team codes of league table rows, on a small database.
#include "datamodule.h"
#include "teamcodes.h"
#include "teamhistory.h"
#include "testdatabase.h"

#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using TeamHistory::SeasonRow;

// Albion: "League" with two seasons and "Cup" with two; Borduria: "Top" with one. Ash has
// rows in both League seasons, in the first Cup season and in Borduria's season.
class ReferenceDataTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addCountry(2, "Borduria");
        db.addDivision(11, 1, "League");
        db.addDivision(12, 1, "Cup");
        db.addDivision(21, 2, "Top");
        db.addTeam(111, "Ash", "Aton", 11);
        db.addTeam(112, "Birch", "Bton", 11);
        db.addSeason(111, "2019/20", 11, {2019, 8, 1}, {2020, 5, 31});
        db.addSeason(112, "2020/21", 11, {2020, 8, 1}, {2021, 5, 31});
        db.addSeason(121, "2020", 12, {2020, 1, 1}, {2020, 12, 31});
        db.addSeason(122, "2021", 12, {2021, 1, 1}, {2021, 12, 31});
        db.addSeason(211, "A", 21, {2022, 1, 1}, {2022, 12, 31});
        row(111, 111, "Ash (Aton)", 3, 50);
        row(112, 111, "Ash (Aton)", 1, 70);
        row(121, 111, "Ash (Aton)", 2, 10);
        row(211, 111, "Ash (Aton)", 9, 1);
        row(122, 112, "Birch (Bton)", 1, 12);
        m = std::make_unique<TDataModule1>(db.store());
        m->DataModuleCreate();
    }

    void row(int season, int team, const QString& label, int position, int points)
    {
        db.exec("INSERT INTO TableDet (CodeSeason, CodeTeam, Team, Position, Points) VALUES (?, ?, ?, ?, ?)",
                {season, team ? QVariant(team) : QVariant(), label, position, points});
    }

    void choose(int division, int season)
    {
        ASSERT_TRUE(m->TableDivision->locate("Code", division));
        ASSERT_TRUE(m->TableTableHead->locate("Num", season));
    }

    QVariant codeOfRow(int season, const QString& label)
    {
        return db.scalar("SELECT CodeTeam FROM TableDet WHERE CodeSeason = ? AND Team = ?", {season, label});
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
};

QStringList cells(const std::vector<SeasonRow>& rows)
{
    QStringList out;
    for (const SeasonRow& r : rows)
        out << r.cells().join('|');
    return out;
}

TEST_F(ReferenceDataTest, HistoryListsTheCountrysSeasonsWithARowNewestFirstAndPutsTheSelectionBack)
{
    choose(12, 122);
    const auto rows = TeamHistory::teamSeasons(*m, 111);
    // Borduria's season is not one of the current country's; Cup's 2021 has no row of Ash.
    EXPECT_EQ(cells(rows), QStringList({"2020/21|League|1|70|01/08/2020", "2020|Cup|2|10|01/01/2020",
                                        "2019/20|League|3|50|01/08/2019"}));
    EXPECT_EQ(m->TableDivision->asInteger("Code"), 12);
    EXPECT_EQ(m->TableTableHead->asInteger("Num"), 122);
    EXPECT_EQ(m->TableTableDet->masterSource(), m->DataSourceTableHead);
    EXPECT_FALSE(m->TableTableDet->isFiltered());
    EXPECT_EQ(m->TableTableDet->asString("Team"), "Birch (Bton)"); // the rows of the season current again

    ASSERT_TRUE(m->TableCountry->locate("Code", 2));
    EXPECT_EQ(cells(TeamHistory::teamSeasons(*m, 111)), QStringList({"A|Top|9|1|01/01/2022"}));
}

TEST_F(ReferenceDataTest, HistoryOfATeamWithoutRowsOrOfNoTeamIsEmpty)
{
    db.addTeam(113, "Cedar", "Cton", 11);
    choose(11, 112);
    EXPECT_TRUE(TeamHistory::teamSeasons(*m, 113).empty());
    EXPECT_TRUE(TeamHistory::teamSeasons(*m, QVariant()).empty());
    EXPECT_EQ(m->TableDivision->asInteger("Code"), 11);
    EXPECT_EQ(m->TableTableHead->asInteger("Num"), 112);
}

TEST_F(ReferenceDataTest, SeasonsWithoutAFirstDayGoLastAndSeasonsOfOneDayKeepTheirOrder)
{
    std::vector<SeasonRow> rows{{"x", "", "", "", "", {}},
                                {"old", "", "", "", "", {2001, 1, 1}},
                                {"same1", "", "", "", "", {2002, 1, 1}},
                                {"new", "", "", "", "", {2003, 1, 1}},
                                {"same2", "", "", "", "", {2002, 1, 1}}};
    TeamHistory::sortNewestFirst(rows);
    QStringList order;
    for (const SeasonRow& r : rows)
        order << r.season;
    EXPECT_EQ(order, QStringList({"new", "same1", "same2", "old", "x"}));
}

TEST_F(ReferenceDataTest, TeamCodesAreFilledOnlyWhereTheRowSpellsTheLabelExactly)
{
    for (const char* spelling : {"ash (Aton)", "Ash(Aton)", "Ash ()", "Ash (Aton) "})
        row(111, 0, spelling, 5, 5);
    row(112, 999, "Birch (Bton)", 2, 60); // a wrong code is put right
    row(112, 0, "Ash (Aton)", 7, 7);      // the second row of that label in the season
    db.exec("UPDATE TableDet SET CodeTeam = NULL WHERE CodeSeason = 111 AND Team = 'Ash (Aton)'");
    db.exec("UPDATE TableDet SET CodeTeam = NULL WHERE CodeSeason = 121");
    choose(11, 112);

    TeamCodes::fillIntoSeasonTables(*m);

    EXPECT_EQ(codeOfRow(111, "Ash (Aton)").toInt(), 111);
    for (const char* spelling : {"ash (Aton)", "Ash(Aton)", "Ash ()", "Ash (Aton) "})
        EXPECT_TRUE(codeOfRow(111, spelling).isNull()) << spelling;
    EXPECT_EQ(codeOfRow(112, "Birch (Bton)").toInt(), 112);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM TableDet WHERE CodeSeason = 112 AND Team = 'Ash (Aton)' AND "
                        "CodeTeam IS NULL")
                  .toInt(),
              1);
    // Only the current competition's seasons.
    EXPECT_TRUE(codeOfRow(121, "Ash (Aton)").isNull());
    EXPECT_EQ(m->TableTeam->masterSource(), m->DataSourceDivision);
    EXPECT_EQ(m->TableTeam->recordCount(), 2);
    EXPECT_EQ(m->TableTableHead->asInteger("Num"), 112);
}

} // namespace
