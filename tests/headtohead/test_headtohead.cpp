#include "headtohead.h"
#include "localescope.h"

#include <gtest/gtest.h>

namespace {

const QString kRovers = QStringLiteral("Rovers (Ashby)");
const QString kUnited = QStringLiteral("United (Bexley)");

QStringList lines(const QString& text)
{
    return text.split(QChar(13));
}

TEST(HeadToHeadRecord, WorkedExampleGivesTheSevenLines)
{
    HeadToHead record(kRovers, kUnited);
    record.addMatch(kUnited, kRovers, 1, 3); // newest first
    record.addMatch(kUnited, kRovers, 0, 0);
    record.addMatch(kRovers, kUnited, 2, 1);
    EXPECT_EQ(record.games(), 3);
    EXPECT_EQ(record.wins1(), 2);
    EXPECT_EQ(record.wins2(), 0);
    EXPECT_EQ(record.draws(), 1);
    EXPECT_EQ(record.goals1(), 5);
    EXPECT_EQ(record.goals2(), 2);
    EXPECT_EQ(record.threeOrMore(), 2);
    EXPECT_EQ(lines(record.statisticsText()),
              (QStringList{"Games: 3", "Rovers (Ashby) wins: 2", " draws: 1", "United (Bexley) wins: 0", " Goals: 5:2",
                           " Average goals: 2.33", "3 and more goals in 66.67% games"}));
    EXPECT_FALSE(record.statisticsText().contains(QLatin1Char('\n')));
}

TEST(HeadToHeadRecord, NumbersFollowTheLocaleWithoutGrouping)
{
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    HeadToHead record(kRovers, kUnited);
    for (int i = 0; i < 1500; ++i) // 1 500 games of 3 goals: no group separator anywhere
        record.addMatch(kRovers, kUnited, 2, 1);
    const QStringList text = lines(record.statisticsText());
    EXPECT_EQ(text[0], "Games: 1500");
    EXPECT_EQ(text[4], " Goals: 3000:1500");
    EXPECT_EQ(text[5], " Average goals: 3,00");
    EXPECT_EQ(text[6], "3 and more goals in 100,00% games");
}

TEST(HeadToHeadRecord, WinsAndGoalsGoToTheWinnerWhicheverSideItPlayed)
{
    // T1 and T2 the same label: a home win counts for T1, an away win for T2.
    HeadToHead same(kRovers, kRovers);
    same.addMatch(kRovers, kRovers, 2, 0);
    same.addMatch(kRovers, kRovers, 1, 3);
    EXPECT_EQ(same.wins1(), 1);
    EXPECT_EQ(same.wins2(), 1);
    EXPECT_EQ(same.goals1(), 3);
    EXPECT_EQ(same.goals2(), 3);

    // A match without goals is a goalless draw; a single match gives 0.00 or 100.00.
    HeadToHead single(kRovers, kUnited);
    single.addMatch(kRovers, kUnited, 0, 0);
    EXPECT_EQ(single.draws(), 1);
    EXPECT_EQ(lines(single.statisticsText()).mid(4),
              (QStringList{" Goals: 0:0", " Average goals: 0.00", "3 and more goals in 0.00% games"}));

    // Labels are compared exactly: a name in other letter case is not T1.
    HeadToHead cased(QStringLiteral("rovers (Ashby)"), kUnited);
    cased.addMatch(kRovers, kUnited, 10, 9);
    EXPECT_EQ(cased.wins1(), 0);
    EXPECT_EQ(cased.wins2(), 1);
    EXPECT_EQ(cased.goals2(), 10);
}

TEST(HeadToHeadRecord, GaugeRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(HeadToHead::gaugePercent(1, 1), 100);
    EXPECT_EQ(HeadToHead::gaugePercent(1, 3), 33);
    EXPECT_EQ(HeadToHead::gaugePercent(2, 3), 67);
    EXPECT_EQ(HeadToHead::gaugePercent(1, 8), 13);  // 12.5
    EXPECT_EQ(HeadToHead::gaugePercent(1, 200), 1); // 0.5
    EXPECT_EQ(HeadToHead::gaugePercent(1, 201), 0);
    EXPECT_EQ(HeadToHead::gaugePercent(0, 0), 0);
}

TEST(HeadToHeadRecord, NameMarksFollowTheScore)
{
    const auto winner = HeadToHead::NameMark::Winner;
    const auto loser = HeadToHead::NameMark::Loser;
    EXPECT_EQ(HeadToHead::nameMark(kRovers, true, "2 : 1", kRovers, kUnited), winner);
    EXPECT_EQ(HeadToHead::nameMark(kUnited, false, "2 : 1", kRovers, kUnited), loser);
    EXPECT_EQ(HeadToHead::nameMark(kRovers, false, "1 : 3", kUnited, kRovers), winner);
    EXPECT_EQ(HeadToHead::nameMark(kUnited, true, "10 : 9", kRovers, kUnited), winner); // two digits
    EXPECT_EQ(HeadToHead::nameMark(kUnited, false, "9 : 10", kRovers, kUnited), winner);
    EXPECT_FALSE(HeadToHead::nameMark(kRovers, true, "0 : 0", kRovers, kUnited));
    EXPECT_FALSE(HeadToHead::nameMark(kRovers, true, " : ", kRovers, kUnited)); // no goals
    EXPECT_FALSE(HeadToHead::nameMark("Athletic (Crewe)", true, "2 : 1", kRovers, kUnited));
    EXPECT_EQ(HeadToHead::parseScore("12 : 10"), std::make_pair(12, 10));
    EXPECT_FALSE(HeadToHead::parseScore("3 : "));
}

} // namespace
