#include "backtest.h"
#include "datamodule.h"
#include "testdatabase.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using Backtest::Match;
using Prediction::Base;

TEST(BacktestScores, RankedProbabilityBrierLogLossAndHits)
{
    Backtest::Scores sure;
    sure.add({100, 0, 0}, 0); // certain and right
    EXPECT_DOUBLE_EQ(sure.rps, 0);
    EXPECT_DOUBLE_EQ(sure.brier, 0);
    EXPECT_NEAR(sure.logLoss, 0, 1e-15);
    EXPECT_EQ(sure.hits, 1);

    Backtest::Scores wrong;
    wrong.add({0, 0, 100}, 0); // certain of an away win, the home side won
    EXPECT_DOUBLE_EQ(wrong.rps, 1);
    EXPECT_DOUBLE_EQ(wrong.brier, 2);
    EXPECT_NEAR(wrong.logLoss, -std::log(0.001), 1e-12); // floored, not infinite
    EXPECT_EQ(wrong.hits, 0);

    // A draw foreseen as likelier than an away win is nearer in rank than a home win.
    Backtest::Scores nearer, further;
    nearer.add({0, 100, 0}, 2);
    further.add({100, 0, 0}, 2);
    EXPECT_DOUBLE_EQ(nearer.rps, 0.5);
    EXPECT_DOUBLE_EQ(further.rps, 1);

    Backtest::Scores even;
    even.add({100.0 / 3, 100.0 / 3, 100.0 / 3}, 1);
    EXPECT_NEAR(even.rps, 1.0 / 9, 1e-12);
    EXPECT_NEAR(even.brier, 2.0 / 3, 1e-12);
    EXPECT_NEAR(even.logLoss, std::log(3.0), 1e-12);
    EXPECT_EQ(even.hits, 0); // a tie goes to the home win

    Backtest::Scores goals; // two outcomes: over, under
    goals.add({70, 30}, 1);
    goals.add({70, 30}, 0);
    EXPECT_EQ(goals.matches, 2);
    EXPECT_NEAR(goals.meanRps(), (0.49 + 0.09) / 2, 1e-12);
    EXPECT_NEAR(goals.meanBrier(), (0.98 + 0.18) / 2, 1e-12);
    EXPECT_DOUBLE_EQ(goals.hitRate(), 0.5);
}

// The forecast for a match from the earlier matches, counted afresh from the list.
Prediction::Forecast fromScratch(const std::vector<Match>& all, const Match& m, Base base)
{
    Prediction::Tally t;
    for (const Match& e : all) {
        if (e.date >= m.date)
            continue;
        if (base == Base::Intramural) {
            if (e.home == m.home && e.away == m.away) {
                t.home.add(e.goal1, e.goal2, true);
                t.away.add(e.goal1, e.goal2, false);
            }
        } else {
            if (e.home == m.home)
                t.home.add(e.goal1, e.goal2, true);
            if (e.away == m.away)
                t.away.add(e.goal1, e.goal2, false);
        }
    }
    return Prediction::forecast(base, t);
}

std::vector<Match> randomSeason(int count)
{
    QRandomGenerator random(20240601);
    const QStringList teams{"Ash (A)", "Birch (B)", "Cedar (C)", "Elm (E)"};
    std::vector<Match> matches;
    QDate day(2020, 8, 1);
    for (int i = 0; i < count; ++i) {
        if (random.bounded(3) == 0) // about a third share their day with the match before
            day = day.addDays(1 + random.bounded(6));
        const int h = random.bounded(4);
        const int a = (h + 1 + random.bounded(3)) % 4;
        matches.push_back({day, teams[h], teams[a], random.bounded(5), random.bounded(4)});
    }
    return matches;
}

TEST(BacktestReplay, EachMatchSeesOnlyTheResultsOfEarlierDays)
{
    const std::vector<Match> matches = randomSeason(300);
    for (Base base : {Base::Intramural, Base::AllGames}) {
        int heard = 0;
        int enough = 0;
        const auto report =
            Backtest::replay(matches, base, QDate(), [&](const Match& m, const Prediction::Forecast& fc) {
                const auto expected = fromScratch(matches, m, base);
                ASSERT_EQ(fc.enough, expected.enough);
                EXPECT_DOUBLE_EQ(fc.outcome.win1, expected.outcome.win1);
                EXPECT_DOUBLE_EQ(fc.outcome.draw, expected.outcome.draw);
                EXPECT_DOUBLE_EQ(fc.outcome.over, expected.outcome.over);
                ++heard;
                enough += fc.enough ? 1 : 0;
            });
        EXPECT_EQ(heard, 300);
        EXPECT_EQ(report.matches, 300);
        EXPECT_EQ(report.scored, 300);
        EXPECT_EQ(report.predicted, enough);
        EXPECT_EQ(report.predicted + report.tooLittleData, 300);
        EXPECT_GT(report.predicted, 100);
        EXPECT_GT(report.tooLittleData, 0);
        EXPECT_EQ(report.outcome.matches, report.predicted);
        EXPECT_EQ(report.goals.matches, report.predicted);
        EXPECT_EQ(report.baseline.matches, report.predicted);
    }
}

TEST(BacktestReplay, MatchesOfOneDayAndTheFirstDayScored)
{
    // Four home games of Ash against Birch on one day: none has an earlier game to go by.
    std::vector<Match> sameDay(4, Match{{2021, 1, 1}, "Ash (A)", "Birch (B)", 1, 0});
    sameDay.push_back({{2021, 1, 2}, "Ash (A)", "Birch (B)", 3, 0});
    const auto report = Backtest::replay(sameDay, Base::Intramural);
    EXPECT_EQ(report.tooLittleData, 4);
    EXPECT_EQ(report.predicted, 1);
    // The fifth game is foreseen as a sure home win (PH1 = 1) and was one; under 2.5 was
    // certain and it had 3 goals.
    EXPECT_DOUBLE_EQ(report.outcome.rps, 0);
    EXPECT_EQ(report.outcome.hits, 1);
    EXPECT_EQ(report.goals.hits, 0);
    EXPECT_NEAR(report.goals.logLoss, -std::log(0.001), 1e-12);

    // Scoring from the second day on: the first day still counts for it.
    const auto later = Backtest::replay(sameDay, Base::Intramural, QDate(2021, 1, 2));
    EXPECT_EQ(later.matches, 5);
    EXPECT_EQ(later.scored, 1);
    EXPECT_EQ(later.predicted, 1);
    EXPECT_EQ(later.tooLittleData, 0);
}

TEST(BacktestReplay, ReadsTheCompetitionInDateOrderThroughTheViews)
{
    TestDatabase db;
    db.addCountry(1, "Alba");
    db.addDivision(11, 1, "First");
    db.addDivision(12, 1, "Cup");
    // Added out of date order; one undated, one of another competition.
    db.addResult(1, {2020, 3, 1}, 0, 0, "Ash (A)", "Birch (B)", 2, 0, 11);
    db.addResult(2, {2020, 1, 1}, 0, 0, "Birch (B)", "Ash (A)", 1, 1, 11);
    db.addResult(3, QDate(), 0, 0, "Ash (A)", "Birch (B)", 9, 9, 11);
    db.addResult(4, {2020, 2, 1}, 0, 0, "Ash (A)", "Birch (B)", QVariant(), QVariant(), 11);
    db.addResult(5, {2020, 2, 2}, 0, 0, "Ash (A)", "Birch (B)", 7, 7, 12);
    TDataModule1 module(db.store());
    module.DataModuleCreate();
    ASSERT_TRUE(module.TableCountry->locate("Code", 1));
    ASSERT_TRUE(module.TableDivision->locate("Code", 11));
    const auto matches = Backtest::competitionMatches(module);
    ASSERT_EQ(matches.size(), 3u);
    EXPECT_EQ(matches[0].date, QDate(2020, 1, 1));
    EXPECT_EQ(matches[1].date, QDate(2020, 2, 1));
    EXPECT_EQ(matches[1].goal1 + matches[1].goal2, 0); // no goals read as 0 : 0
    EXPECT_EQ(matches[2].home, "Ash (A)");
    EXPECT_EQ(matches[2].goal1, 2);
}

TEST(BacktestReport, LinesInTheCLocale)
{
    Backtest::Report r;
    r.scored = 3;
    r.predicted = 2;
    r.tooLittleData = 1;
    r.outcome.add({50, 30, 20}, 0);
    r.outcome.add({50, 30, 20}, 2);
    const QStringList lines = Backtest::reportLines(r);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "Matches: 3");
    EXPECT_EQ(lines[1], "Predicted: 2");
    EXPECT_EQ(lines[2], "Too little data: 1");
    // RPS (0.145 + 0.445) / 2 = 0.295; Brier (0.38 + 0.98) / 2 = 0.68; hit rate 0.5.
    EXPECT_EQ(lines[3], "Home/draw/away: RPS 0.2950, Brier 0.6800, log loss 1.1513, hit rate 0.5000");
}

} // namespace
