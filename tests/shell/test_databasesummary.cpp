// The database summary of the about box.
#include "databasesummary.h"
#include "datamodule.h"
#include "filterforms.h"
#include "testdatabase.h"

#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QStringList lines(const QString& composed)
{
    return composed.split(QChar(13));
}

class DatabaseSummaryTest : public ::testing::Test
{
protected:
    TDataModule1& module()
    {
        m = std::make_unique<TDataModule1>(db.store());
        m->DataModuleCreate();
        return *m;
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
};

TEST_F(DatabaseSummaryTest, AnEmptyDatabaseGivesTheCountsAndTheHyphensOnly)
{
    EXPECT_EQ(DatabaseSummary::compute(module()), QString("Countrys: 0\rFootball teams: 0\rStadiums: 0\r"
                                                          "Results of matches: 0\r-------------------"));
}

// Borduria (first by name) with "Top", Albion with "League" (three results) and "Cup"
// (none), Cerulea without competitions.
TEST_F(DatabaseSummaryTest, EveryCompetitionOnceWithItsResultsAndDatesWhateverWasCurrentOrFiltered)
{
    db.addCountry(1, "Borduria");
    db.addCountry(2, "Albion");
    db.addCountry(3, "Cerulea");
    db.addDivision(11, 1, "Top");
    db.addDivision(21, 2, "League");
    db.addDivision(22, 2, "Cup");
    db.addStadium(11, "Park", 1000, 1);
    db.addStadium(21, "Ground", 2000, 2);
    db.addTeam(111, "Ash", "Aton", 11);
    db.addTeam(211, "Birch", "Bton", 21);
    db.addTeam(212, "Cedar", "Cton", 21);
    db.addResult(1, {2020, 3, 1}, 0, 0, "Birch (Bton)", "Cedar (Cton)", 1, 0, 21);
    db.addResult(2, {2019, 9, 14}, 0, 0, "Cedar (Cton)", "Birch (Bton)", 2, 2, 21);
    db.addResult(3, {2021, 5, 2}, 0, 0, "Birch (Bton)", "Cedar (Cton)", 0, 1, 21);
    db.addResult(4, {2018, 1, 6}, 0, 0, "Ash (Aton)", "Ash (Aton)", 0, 0, 11);
    TDataModule1& dm = module();

    // What other windows leave behind: a chosen competition and filters on the views.
    dm.TableSortRes->setFilterText(FilterForms::division("21"));
    dm.TableSortRes->setFiltered(true);
    dm.TableTeam->setFilterText(FilterForms::shortName("Birch"));
    dm.TableTeam->setFiltered(true);
    dm.TableCountry->setFilterText("(Country='Albion')");
    dm.TableCountry->setFiltered(true);
    dm.TableStadium->setFilterText("(Stadium='Ground')");
    dm.TableStadium->setFiltered(true);
    dm.TableResults->setFilterText(FilterForms::division("21"));
    dm.TableResults->setFiltered(true);
    ASSERT_TRUE(dm.TableCountry->locate("Code", 2));
    ASSERT_TRUE(dm.TableDivision->locate("Code", 22));

    EXPECT_EQ(
        lines(DatabaseSummary::compute(dm)),
        QStringList({"Countrys: 3", "Football teams: 3", "Stadiums: 2", "Results of matches: 4", "-------------------",
                     "Albion - League - 3 matches - (14/09/2019 - 02/05/2021)", "Albion - Cup - 0 matches - (? - ?)",
                     "Borduria - Top - 1 matches - (06/01/2018 - 06/01/2018)"}));

    for (TableView* view : {dm.TableCountry, dm.TableTeam, dm.TableResults, dm.TableStadium, dm.TableSortRes})
        EXPECT_FALSE(view->isFiltered()) << view->name().toStdString();
    EXPECT_EQ(dm.TableTeam->masterSource(), dm.DataSourceDivision);
    EXPECT_EQ(dm.TableResults->masterSource(), dm.DataSourceDivision);
    EXPECT_EQ(dm.TableStadium->masterSource(), dm.DataSourceCountry);
    // The country and the competition chosen before are current again, and the views
    // under them follow them.
    EXPECT_EQ(dm.TableCountry->asInteger("Code"), 2);
    EXPECT_EQ(dm.TableDivision->asInteger("Code"), 22);
    EXPECT_EQ(dm.TableStadium->recordCount(), 1);
    EXPECT_TRUE(dm.TableResults->isEmpty());
}

} // namespace
