#include "apperror.h"
#include "localescope.h"
#include "predictionslist.h"

#include <gtest/gtest.h>

namespace {

using Prediction::Outcome;

const QString kA = QStringLiteral("Ash (Aton)");
const QString kB = QStringLiteral("Birch (Bton)");

const Outcome kIntramural{60, 20, 20, 40, 60};
const Outcome kAllGames{38.297872340425535, 42.553191489361694, 19.148936170212764, 55.555555555555557,
                        44.444444444444443};

QStringList rowOf(const QString& t1, const QString& t2, const QStringList& values, const QString& base)
{
    return QStringList{t1, t2} + values + QStringList{base};
}

TEST(PredictionsListRows, SamePairingTwiceAddsAMixedRowWhateverTheBases)
{
    PredictionsList list;
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.rows()[0], (QStringList{"Team 1", "Team 2", "Win 1", "Draw", "Win 2", "Over", "Under", "Based on"}));
    EXPECT_EQ(list.add(kA, kB, kIntramural, "Intramural games"), 1);
    EXPECT_EQ(list.add(kA, kB, kAllGames, "All games"), 2);
    ASSERT_EQ(list.rowCount(), 4);
    EXPECT_EQ(list.rows()[1], rowOf(kA, kB, {"60.00", "20.00", "20.00", "40.00", "60.00"}, "Intramural games"));
    EXPECT_EQ(list.rows()[2], rowOf(kA, kB, {"38.30", "42.55", "19.15", "55.56", "44.44"}, "All games"));
    // The averages of the two rows' texts: (60.00 + 38.30) / 2 = 49.15; 20.00 and 19.15 give
    // 19.575, a half, which rounds away from zero.
    EXPECT_EQ(list.rows()[3], rowOf(kA, kB, {"49.15", "31.28", "19.58", "47.78", "52.22"}, "Mixed"));
    EXPECT_TRUE(PredictionsList::isMixed(list.rows()[3]));
    EXPECT_FALSE(PredictionsList::isMixed(list.rows()[2]));
}

TEST(PredictionsListRows, ThirdInARowIsAveragedWithTheMixedRowAbove)
{
    PredictionsList list;
    list.add(kA, kB, {60, 20, 20, 40, 60}, "Intramural games");
    list.add(kA, kB, {40, 30, 30, 50, 50}, "All games");
    EXPECT_EQ(list.add(kA, kB, {10, 10, 80, 90, 10}, "Intramural games"), 2);
    ASSERT_EQ(list.rowCount(), 6);
    QStringList bases;
    for (int r = 1; r < list.rowCount(); ++r)
        bases << list.cell(7, r);
    EXPECT_EQ(bases, (QStringList{"Intramural games", "All games", "Mixed", "Intramural games", "Mixed"}));
    EXPECT_EQ(list.rows()[3], rowOf(kA, kB, {"50.00", "25.00", "25.00", "45.00", "55.00"}, "Mixed"));
    EXPECT_EQ(list.rows()[5], rowOf(kA, kB, {"30.00", "17.50", "52.50", "67.50", "32.50"}, "Mixed"));
}

TEST(PredictionsListRows, OtherPairingsSwappedTeamsAndClearGiveNoMixedRow)
{
    PredictionsList list;
    list.add(kA, kB, kIntramural, "Intramural games");
    EXPECT_EQ(list.add(kB, kA, kIntramural, "Intramural games"), 1);                    // swapped
    EXPECT_EQ(list.add(kB, QStringLiteral("ash (Aton)"), kIntramural, "All games"), 1); // case counts
    EXPECT_EQ(list.rowCount(), 4);

    list.clear();
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.rows()[0][0], "Team 1");
    EXPECT_EQ(list.add(kA, kB, kIntramural, "All games"), 1);

    // Team texts that read like the titles are never paired with the title row (whose
    // "Win 1" is no number).
    list.clear();
    EXPECT_EQ(list.add("Team 1", "Team 2", kIntramural, "All games"), 1);
    EXPECT_EQ(list.rowCount(), 2);
}

TEST(PredictionsListRows, DecimalCommaIsWrittenAndReadBack)
{
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    PredictionsList list;
    list.add(kA, kB, kIntramural, "Intramural games");
    list.add(kA, kB, kAllGames, "All games");
    EXPECT_EQ(list.cell(2, 2), "38,30");
    EXPECT_EQ(list.cell(2, 3), "49,15");
    EXPECT_THROW(PredictionsList::value("49.15x"), AppError);
}

TEST(PredictionsListPaint, TheGreatestValueReadAtOneDecimalIsMarked)
{
    // 45.27 and 45.21 both read 45.2: no outcome is the greatest alone.
    EXPECT_EQ(PredictionsList::likeliestOutcomeColumn(rowOf(kA, kB, {"45.27", "45.21", "9.52", "50.00", "50.00"}, "")),
              std::nullopt);
    EXPECT_EQ(PredictionsList::likeliestOutcomeColumn(rowOf(kA, kB, {"45.30", "45.21", "9.49", "50.00", "50.00"}, "")),
              2);
    EXPECT_EQ(PredictionsList::likeliestOutcomeColumn(rowOf(kA, kB, {"20.00", "30.00", "50.00", "0.00", "0.00"}, "")),
              4);
    EXPECT_EQ(PredictionsList::likeliestOutcomeColumn(rowOf(kA, kB, {"20.00", "60.00", "20.00", "0.00", "0.00"}, "")),
              3);
    // A too-little-data row: all zero, nothing marked.
    const QStringList zero = rowOf(kA, kB, {"0.00", "0.00", "0.00", "0.00", "0.00"}, "All games");
    EXPECT_EQ(PredictionsList::likeliestOutcomeColumn(zero), std::nullopt);
    EXPECT_FALSE(PredictionsList::isGreaterGoalsCell(zero, 5));
    EXPECT_FALSE(PredictionsList::isGreaterGoalsCell(zero, 6));

    const QStringList over = rowOf(kA, kB, {"1.00", "1.00", "98.00", "55.56", "44.44"}, "All games");
    EXPECT_TRUE(PredictionsList::isGreaterGoalsCell(over, 5));
    EXPECT_FALSE(PredictionsList::isGreaterGoalsCell(over, 6));
    const QStringList under = rowOf(kA, kB, {"1.00", "1.00", "98.00", "40.00", "60.00"}, "All games");
    EXPECT_FALSE(PredictionsList::isGreaterGoalsCell(under, 5));
    EXPECT_TRUE(PredictionsList::isGreaterGoalsCell(under, 6));
}

} // namespace
