#pragma once

#include "testdatabase.h"

#include <QDate>
#include <QString>

// Albion's "League" (11) with twenty teams T01 (C01) ... T20 (C20) and the season
// "2020/21" (111, 1 August 2020 to 31 May 2021) whose table has a row for each, added
// from T20 to T01, T01 best and T05 and T06 level on points and goal difference; "Cup"
// (12) in the same country, and Borduria's "Top" (21) without seasons, whose one team has
// no short name.
// T01 played 34 League games in the season, on its first and last days among them; its
// first five are a home win 10 : 2, an away draw 1 : 1, a home loss 0 : 1, an away win
// 0 : 2 and a home game whose score was never entered. T01 also played outside the
// season's days and in the Cup.
inline QString teamLabel(int i)
{
    return QStringLiteral("T%1 (C%1)").arg(i, 2, 10, QLatin1Char('0'));
}

inline void fillLeagueTables(TestDatabase& db)
{
    db.addCountry(1, "Albion");
    db.addCountry(2, "Borduria");
    db.addDivision(11, 1, "League");
    db.addDivision(12, 1, "Cup");
    db.addDivision(21, 2, "Top");
    for (int i = 1; i <= 20; ++i)
        db.addTeam(i, QStringLiteral("T%1").arg(i, 2, 10, QLatin1Char('0')),
                   QStringLiteral("C%1").arg(i, 2, 10, QLatin1Char('0')), 11);
    db.addTeam(21, "", "Nowhere", 21, 0, "Nameless FC"); // no short name
    db.addSeason(111, "2020/21", 11, {2020, 8, 1}, {2021, 5, 31});
    db.addSeason(112, "2021/22", 11, {2021, 8, 1}, {2022, 5, 31});
    for (int i = 20; i >= 1; --i) {
        const bool tied = i == 5 || i == 6;
        db.addRow(111, i, teamLabel(i), tied ? 78 : 100 - 4 * i, tied ? 0 : 20 - i);
    }
    int num = 0;
    const auto game = [&](const QDate& date, int home, int away, const QVariant& g1, const QVariant& g2,
                          int division = 11) {
        db.addResult(++num, date, home, away, teamLabel(home), teamLabel(away), g1, g2, division);
    };
    game({2020, 8, 1}, 1, 2, 10, 2); // the season's first day
    game({2020, 8, 8}, 3, 1, 1, 1);
    game({2020, 8, 15}, 1, 4, 0, 1);
    game({2020, 8, 22}, 5, 1, 0, 2);
    game({2020, 8, 29}, 1, 6, QVariant(), QVariant());
    for (int k = 0; k < 28; ++k)
        game(QDate(2020, 9, 5).addDays(7 * k), k % 2 ? 1 : 7 + k % 10, k % 2 ? 7 + k % 10 : 1, k % 3, 1);
    game({2021, 5, 31}, 8, 1, 2, 2);     // the last day
    game({2020, 7, 31}, 1, 9, 3, 0);     // the day before
    game({2021, 6, 1}, 10, 1, 3, 0);     // the day after
    game({2020, 9, 9}, 1, 11, 5, 5, 12); // in the Cup
    game({2020, 9, 10}, 12, 13, 1, 0);   // a game without T01
}
