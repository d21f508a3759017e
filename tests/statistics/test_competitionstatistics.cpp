#include "competitionstatistics.h"
#include "datamodule.h"
#include "localescope.h"
#include "testdatabase.h"

#include <gtest/gtest.h>

namespace {

using CompetitionStatistics::Counts;

QStringList lines(const QString& text)
{
    return text.split(QChar(13));
}

Counts counted(std::initializer_list<std::pair<int, int>> scores)
{
    Counts c;
    for (const auto& [g1, g2] : scores)
        c.add(g1, g2);
    return c;
}

TEST(CompetitionSummary, ThreeResultsGiveAThirdEachAndTheSumOfGoals)
{
    const Counts c = counted({{2, 1}, {1, 1}, {0, 3}});
    EXPECT_EQ(c.games(), 3);
    const QString text = CompetitionStatistics::summaryText(c);
    EXPECT_EQ(lines(text), (QStringList{"Total goals: 8", "Home wins: 1 (33.3%)", "Draws: 1 (33.3%)",
                                        "Away wins: 1 (33.3%)", "Average goals: 2.67"}));
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));

    EXPECT_EQ(lines(CompetitionStatistics::summaryText(counted({{0, 0}}))),
              (QStringList{"Total goals: 0", "Home wins: 0 (0.0%)", "Draws: 1 (100.0%)", "Away wins: 0 (0.0%)",
                           "Average goals: 0.00"}));
}

TEST(CompetitionSummary, SharesRoundHalvesAwayFromZeroInTheLocalesNotation)
{
    EXPECT_EQ(CompetitionStatistics::shareText(1, 8), "12.5");
    EXPECT_EQ(CompetitionStatistics::shareText(1, 6), "16.7");
    EXPECT_EQ(CompetitionStatistics::shareText(3, 2000), "0.2"); // 0.15 is a half, though not in binary
    EXPECT_EQ(CompetitionStatistics::shareText(2000, 2000), "100.0");

    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    Counts many;
    for (int i = 0; i < 1200; ++i) // no group separator in 1200
        many.add(i % 3 == 0 ? 3 : 1, 1);
    EXPECT_EQ(lines(CompetitionStatistics::summaryText(many))[0], "Total goals: 3200");
    EXPECT_EQ(lines(CompetitionStatistics::summaryText(counted({{2, 1}, {1, 1}, {0, 3}}))),
              (QStringList{"Total goals: 8", "Home wins: 1 (33,3%)", "Draws: 1 (33,3%)", "Away wins: 1 (33,3%)",
                           "Average goals: 2,67"}));
}

TEST(CompetitionSummary, MessageAndTitles)
{
    EXPECT_EQ(CompetitionStatistics::notFoundMessage("England", "Premier League"),
              "Results not found for \"England - Premier League\"");
    EXPECT_EQ(CompetitionStatistics::columnTitles(),
              (QStringList{"Season", "Games", "Home wins", "Draws", "Away wins", "Average goals"}));
}

// Country 1 "Alba" with competitions 11 (three seasons, four results) and 12 (no result);
// country 2 "Brava" with competition 21 (one result, no season). Of the results of 11 one
// lies where seasons 1 and 2 overlap and one before every season.
class CompetitionStatisticsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(2, "Brava");
        db.addCountry(1, "Alba");
        db.addDivision(11, 1, "First");
        db.addDivision(12, 1, "Second");
        db.addDivision(21, 2, "Top");
        db.addTeam(111, "Ash", "A", 11);
        db.addTeam(112, "Birch", "B", 11);
        // Season 1: August to May; season 2 overlaps its last month; season 3 has no result.
        db.addSeason(111, "2020/21", 11, {2020, 8, 1}, {2021, 5, 31});
        db.addSeason(112, "2021", 11, {2021, 5, 1}, {2021, 12, 31});
        db.addSeason(113, "2022", 11, {2022, 1, 1}, {2022, 12, 31});
        result({2020, 9, 1}, 2, 1);  // season 1
        result({2021, 5, 10}, 1, 1); // seasons 1 and 2
        result({2021, 6, 10}, 0, 3); // season 2
        result({2019, 1, 1}, 4, 0);  // before every season: the summary only
        result({2020, 9, 2}, 5, 5, 21);
    }

    void result(const QDate& date, int g1, int g2, int division = 11)
    {
        db.addResult(++num, date, 111, 112, "Ash (A)", "Birch (B)", g1, g2, division);
    }

    TDataModule1& module(int country, int division)
    {
        m = std::make_unique<TDataModule1>(db.store());
        m->DataModuleCreate();
        EXPECT_TRUE(m->TableCountry->locate("Code", country));
        EXPECT_TRUE(m->TableDivision->locate("Code", division));
        return *m;
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
    int num = 0;
};

TEST_F(CompetitionStatisticsTest, SummaryCoversEveryResultAndRowsTheirSeasons)
{
    TDataModule1& dm = module(1, 11);
    const auto s = CompetitionStatistics::compute(dm);
    ASSERT_TRUE(s.hasResults);
    EXPECT_FALSE(s.stop);
    EXPECT_EQ(lines(s.summary()), (QStringList{"Total goals: 12", "Home wins: 2 (50.0%)", "Draws: 1 (25.0%)",
                                               "Away wins: 1 (25.0%)", "Average goals: 3.00"}));
    ASSERT_EQ(s.seasonCount, 3);
    ASSERT_EQ(s.rows.size(), 3u);
    EXPECT_EQ(s.rows[0].cells(), (QStringList{"2020/21", "2", "1 (50.0%)", "1 (50.0%)", "0 (0.0%)", "2.50"}));
    EXPECT_EQ(s.rows[1].cells(), (QStringList{"2021", "2", "0 (0.0%)", "1 (50.0%)", "1 (50.0%)", "2.50"}));
    // A season whose dates hold no result: its name, 0, and nothing else.
    EXPECT_EQ(s.rows[2].cells(), (QStringList{"2022", "0", "", "", "", ""}));
    EXPECT_FALSE(dm.TableResults->isFiltered());
    EXPECT_EQ(dm.TableResults->recordCount(), 4);
}

TEST_F(CompetitionStatisticsTest, UndatedResultCountsInTheSummaryOnly)
{
    result(QDate(), 1, 0);
    TDataModule1& dm = module(1, 11);
    const auto s = CompetitionStatistics::compute(dm);
    EXPECT_EQ(s.total.games(), 5);
    EXPECT_EQ(s.rows[0].counts.games(), 2);
    EXPECT_EQ(s.rows[1].counts.games(), 2);
    EXPECT_EQ(s.rows[2].counts.games(), 0);
}

TEST_F(CompetitionStatisticsTest, CompetitionWithoutResultsOrSeasons)
{
    {
        TDataModule1& dm = module(1, 12);
        const auto s = CompetitionStatistics::compute(dm);
        EXPECT_FALSE(s.hasResults);
        EXPECT_EQ(s.summary(), "");
        EXPECT_TRUE(s.rows.empty());
        EXPECT_FALSE(dm.TableResults->isFiltered());
    }
    TDataModule1& dm = module(2, 21);
    const auto s = CompetitionStatistics::compute(dm);
    EXPECT_TRUE(s.hasResults);
    EXPECT_EQ(lines(s.summary())[0], "Total goals: 10");
    EXPECT_EQ(s.seasonCount, 0);
}

TEST_F(CompetitionStatisticsTest, SeasonWithoutStartStopsThereWithTheFilterOff)
{
    db.exec("UPDATE TableHead SET DateStart = NULL WHERE Num = 112");
    TDataModule1& dm = module(1, 11);
    const auto s = CompetitionStatistics::compute(dm);
    ASSERT_TRUE(s.stop);
    EXPECT_TRUE(s.stop->message().contains("is not a valid date")) << s.stop->message().toStdString();
    EXPECT_EQ(s.seasonCount, 3);
    ASSERT_EQ(s.rows.size(), 2u); // the third season is never reached
    EXPECT_EQ(s.rows[0].cells()[1], "2");
    EXPECT_EQ(s.rows[1].cells(), (QStringList{"2021", "", "", "", "", ""}));
    EXPECT_EQ(lines(s.summary())[0], "Total goals: 12");
    // Other windows must find the competition's results unfiltered.
    EXPECT_FALSE(dm.TableResults->isFiltered());
    EXPECT_EQ(dm.TableResults->recordCount(), 4);
}

TEST_F(CompetitionStatisticsTest, AllCompetitionsByCountryNameKeepingTheCurrentOne)
{
    TDataModule1& dm = module(1, 12); // the walk ends on Brava's "Top"
    const auto rows = CompetitionStatistics::allCompetitions(dm);
    ASSERT_EQ(rows.size(), 2u); // "Second" has no result
    EXPECT_EQ(rows[0].cells(), (QStringList{"Alba (First)", "2", "50.0%", "1", "25.0%", "1", "25.0%", "4", "3.00"}));
    EXPECT_EQ(rows[1].cells()[0], "Brava (Top)");
    EXPECT_EQ(rows[1].cells()[8], "10.00");
    EXPECT_EQ(CompetitionStatistics::competitionColumnTitles().size(), rows[0].cells().size());
    EXPECT_EQ(dm.TableCountry->asInteger("Code"), 1);
    EXPECT_EQ(dm.TableDivision->asInteger("Code"), 12);
}

} // namespace
