#include "apperror.h"
#include "datamodule.h"
#include "localescope.h"
#include "predictionmodel.h"
#include "testdatabase.h"

#include <gtest/gtest.h>

namespace {

using Prediction::Base;
using Prediction::SetCounts;
using Prediction::Tally;

const QString kHosts = QStringLiteral("Ash (Aton)");
const QString kGuests = QStringLiteral("Newell's (Rosario)"); // an apostrophe in a filter literal

QStringList lines(const QString& text)
{
    return text.split(QChar(13));
}

SetCounts set(int games, int wins, int draws, int over)
{
    return {games, wins, draws, over};
}

TEST(PredictionFormulas, AllGamesDividesTheDrawsByTheMeanNumberOfGames)
{
    // Team 1: 10 home games, 5 won, 3 drawn, 7 over; Team 2: 8 away games, 2 won, 2 drawn, 3 over.
    const Tally tally{set(10, 5, 3, 7), set(8, 2, 2, 3)};
    const auto fc = Prediction::forecast(Base::AllGames, tally);
    ASSERT_TRUE(fc.enough);
    EXPECT_DOUBLE_EQ(fc.ph1, 0.5);
    EXPECT_DOUBLE_EQ(fc.ph2, 0.25);
    EXPECT_NEAR(fc.ph3, 5.0 / 9, 1e-12);
    EXPECT_NEAR(fc.pa, 0.4352, 5e-5);
    const auto t = Prediction::texts(Base::AllGames, kHosts, kGuests, tally, fc);
    EXPECT_EQ(lines(t.prediction),
              (QStringList{"Win Ash (Aton): 38.30%", "Draw: 42.55%", "Win Newell's (Rosario): 19.15%", "--------",
                           " Over (2.5): 55.56%", "Under (2.5): 44.44%", ""}));
    EXPECT_EQ(lines(t.counts),
              (QStringList{"Home games Ash (Aton): 10", "Home wins Ash (Aton): 5", "Home draws Ash (Aton): 3",
                           "------------", "Away games Newell's (Rosario): 8", "Away wins Newell's (Rosario): 2",
                           "Away draws Newell's (Rosario): 2", "------------", "Home games Ash (Aton) > 2.5 goals : 7",
                           "Away games Newell's (Rosario) > 2.5 goals : 3", ""}));
    EXPECT_FALSE(t.prediction.contains(QLatin1Char('\n')) || t.counts.contains(QLatin1Char('\n')));

    // The intramural draw value on the same counts gives other shares.
    const auto other = Prediction::forecast(Base::Intramural, tally);
    EXPECT_TRUE(Prediction::texts(Base::Intramural, kHosts, kGuests, tally, other)
                    .prediction.startsWith("Win Ash (Aton): 48.65%\rDraw: 27.03%\rWin "));
    EXPECT_NEAR(other.outcome.win2, 24.32, 0.005);
}

TEST(PredictionFormulas, SharesAddUpAndFollowTheLocale)
{
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    const Tally tally{set(13, 6, 4, 9), set(11, 3, 5, 4)};
    const auto fc = Prediction::forecast(Base::AllGames, tally);
    const auto& o = fc.outcome;
    EXPECT_NEAR(o.win1 + o.draw + o.win2, 100, 1e-9);
    EXPECT_NEAR(o.over + o.under, 100, 1e-9);
    EXPECT_NEAR(o.over, 13 * 100.0 / 24, 1e-9); // the pooled share of games with 3 goals or more
    const QStringList text = lines(Prediction::texts(Base::AllGames, kHosts, kGuests, tally, fc).prediction);
    EXPECT_EQ(text[4], " Over (2.5): 54,17%");
    EXPECT_EQ(text[5], "Under (2.5): 45,83%");
}

TEST(PredictionFormulas, FourGamesOnBothSidesAreNeeded)
{
    // Exactly 3 home games: no win and draw lines for that side, too little data.
    Tally three{set(3, 3, 0, 1), set(6, 1, 1, 2)};
    auto fc = Prediction::forecast(Base::AllGames, three);
    EXPECT_FALSE(fc.enough);
    EXPECT_EQ(fc.outcome.win1 + fc.outcome.draw + fc.outcome.win2 + fc.outcome.over + fc.outcome.under, 0);
    auto t = Prediction::texts(Base::AllGames, kHosts, kGuests, three, fc);
    EXPECT_EQ(t.prediction, "Insufficiently data");
    EXPECT_EQ(t.diagnostics, "");
    EXPECT_EQ(lines(t.counts),
              (QStringList{"Home games Ash (Aton): 3", "------------", "Away games Newell's (Rosario): 6",
                           "Away wins Newell's (Rosario): 1", "Away draws Newell's (Rosario): 1"}));
    // The same on the away side.
    three = {set(6, 1, 1, 2), set(3, 3, 0, 1)};
    EXPECT_FALSE(Prediction::forecast(Base::AllGames, three).enough);

    const Tally four{set(4, 1, 1, 2), set(4, 1, 1, 1)};
    fc = Prediction::forecast(Base::AllGames, four);
    EXPECT_TRUE(fc.enough);
    EXPECT_EQ(lines(Prediction::texts(Base::AllGames, kHosts, kGuests, four, fc).counts).size(), 11);
}

TEST(PredictionFormulas, NothingWonOrDrawnIsTooLittleData)
{
    // Team 1 lost every home game and Team 2 every away game: PA = 0, the shares 0 / 0.
    const Tally tally{set(5, 0, 0, 2), set(6, 0, 0, 3)};
    const auto fc = Prediction::forecast(Base::AllGames, tally);
    EXPECT_EQ(fc.pa, 0);
    EXPECT_FALSE(fc.enough);
    EXPECT_EQ(fc.outcome.win1, 0);
    const auto t = Prediction::texts(Base::AllGames, kHosts, kGuests, tally, fc);
    EXPECT_EQ(t.prediction, Prediction::insufficientDataCaption());
    EXPECT_EQ(lines(t.counts).size(), 7); // the counts are shown, the goal lines are not
    EXPECT_EQ(Prediction::insufficientDataMessage(), "Insufficiently data for formation of prediction");
}

// Competition 11 of country 1, with a result of another competition that must not count.
class PredictionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Alba");
        db.addDivision(11, 1, "First");
        db.addDivision(12, 1, "Cup");
        db.addTeam(111, "Ash", "Aton", 11);
        db.addTeam(112, "Newell's", "Rosario", 11);
        db.addTeam(113, "Elm", "Eton", 11);
    }

    void result(const QString& home, const QString& away, int g1, int g2, int division = 11)
    {
        ++num;
        db.addResult(num, QDate(2020, 1, 1).addDays(num), 0, 0, home, away, g1, g2, division);
    }

    TDataModule1& module()
    {
        m = std::make_unique<TDataModule1>(db.store());
        m->DataModuleCreate();
        EXPECT_TRUE(m->TableCountry->locate("Code", 1));
        EXPECT_TRUE(m->TableDivision->locate("Code", 11));
        return *m;
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
    int num = 0;
};

TEST_F(PredictionTest, IntramuralFromThePairsGamesInTheCompetition)
{
    // Ash hosted Newell's five times: 3 home wins, a draw, an away win; 3, 1, 4, 2 and 0 goals.
    result(kHosts, kGuests, 2, 1);
    result(kHosts, kGuests, 1, 0);
    result(kHosts, kGuests, 3, 1);
    result(kHosts, kGuests, 0, 2);
    result(kHosts, kGuests, 0, 0);
    result(kGuests, kHosts, 5, 0);                      // the other way round
    result(kHosts, kGuests, 0, 9, 12);                  // another competition
    result(kHosts, QStringLiteral("Elm (Eton)"), 0, 1); // another pairing
    TDataModule1& dm = module();
    const auto r = Prediction::predict(dm, kHosts, kGuests, Base::Intramural);
    EXPECT_EQ(r.tally.home.games, 5);
    EXPECT_EQ(r.tally.away.games, 5);
    EXPECT_EQ(r.tally.home.wins, 3);
    EXPECT_EQ(r.tally.away.wins, 1);
    ASSERT_TRUE(r.forecast.enough);
    EXPECT_EQ(lines(r.texts.diagnostics),
              (QStringList{"PH1(A): 0.6", "PH2(A): 0.2", "PH3(A): 0.2", "PA: 0.333333333333333"}));
    EXPECT_EQ(lines(r.texts.prediction),
              (QStringList{"Win Ash (Aton): 60.00%", "Draw: 20.00%", "Win Newell's (Rosario): 20.00%", "--------",
                           "Over (2.5): 40.00%", "Under (2.5): 60.00%"}));
    EXPECT_EQ(lines(r.texts.counts),
              (QStringList{"Home games Ash (Aton): 5", "Home wins Ash (Aton): 3", "Home draws Ash (Aton): 1",
                           "------------", "Away games Newell's (Rosario): 5", "Away wins Newell's (Rosario): 1",
                           "Away draws Newell's (Rosario): 1", "------------", "Over 2.5 goals :2",
                           "Under 2.5 goals :3", ""}));
    EXPECT_FALSE(dm.TableSortRes->isFiltered());
}

TEST_F(PredictionTest, AllGamesFromEveryHomeAndAwayGame)
{
    const QString elm = QStringLiteral("Elm (Eton)");
    // Ash at home: 2:1 (over), 1:1, 0:1, 3:0 (over), 4:4 (over); Newell's away: 1:1 at Ash,
    // 0:1, 2:2 (over), 3:2 (over), 1:0.
    result(kHosts, elm, 2, 1);
    result(kHosts, kGuests, 1, 1);
    result(kHosts, elm, 0, 1);
    result(kHosts, elm, 3, 0);
    result(kHosts, elm, 4, 4);
    result(elm, kGuests, 0, 1);
    result(elm, kGuests, 2, 2);
    result(elm, kGuests, 3, 2);
    result(elm, kGuests, 1, 0);
    result(kGuests, kHosts, 9, 9); // Newell's at home and Ash away: neither set
    TDataModule1& dm = module();
    const auto r = Prediction::predict(dm, kHosts, kGuests, Base::AllGames);
    EXPECT_EQ(r.tally.home.games, 5);
    EXPECT_EQ(r.tally.home.wins, 2);
    EXPECT_EQ(r.tally.home.draws, 2);
    EXPECT_EQ(r.tally.home.over, 3);
    EXPECT_EQ(r.tally.away.games, 5); // 1:1 at Ash counts too
    EXPECT_EQ(r.tally.away.wins, 1);
    EXPECT_EQ(r.tally.away.draws, 2);
    EXPECT_EQ(r.tally.away.over, 2);
    EXPECT_TRUE(r.forecast.enough);
    EXPECT_FALSE(dm.TableSortRes->isFiltered());
}

TEST_F(PredictionTest, TooLittleDataAndErrorsLeaveTheFilterOff)
{
    result(kHosts, kGuests, 1, 0);
    TDataModule1& dm = module();
    const auto r = Prediction::predict(dm, kHosts, kGuests, Base::Intramural);
    EXPECT_FALSE(r.forecast.enough);
    EXPECT_EQ(r.texts.prediction, "Insufficiently data");
    EXPECT_FALSE(dm.TableSortRes->isFiltered());

    // A country without competitions: the competition filter is refused, and the view
    // is left unfiltered all the same.
    db.addCountry(2, "Bare");
    TDataModule1& bare = module();
    ASSERT_TRUE(bare.TableCountry->locate("Code", 2));
    EXPECT_THROW(Prediction::predict(bare, kHosts, kGuests, Base::AllGames), AppError);
    EXPECT_FALSE(bare.TableSortRes->isFiltered());
}

} // namespace
