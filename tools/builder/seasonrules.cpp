#include "seasonrules.h"

#include <QRegularExpression>

#include <algorithm>

namespace SeasonRules {

QString seasonName(const QString& folder)
{
    QString name = folder;
    name.replace(QLatin1Char('-'), QLatin1Char('/'));
    return name;
}

std::pair<QDate, QDate> seasonWindow(const QString& folder)
{
    const int year = folder.left(4).toInt();
    if (folder.size() > 4)
        return {QDate(year, 6, 1), QDate(year + 1, 8, 31)};
    return {QDate(year, 1, 1), QDate(year + 1, 3, 31)};
}

bool isRegularRound(const QString& round)
{
    static const QRegularExpression numbered(QStringLiteral("^(?:[^,]+, )?Matchday \\d+$|^\\d+\\. Round$"));
    return numbered.match(round).hasMatch();
}

QString tournamentOf(const QString& round)
{
    static const QRegularExpression tournament(QStringLiteral("^(Apertura|Clausura)\\b"));
    return tournament.match(round).captured(1);
}

QString tournamentSeasonName(const QString& tournament, int year)
{
    return tournament.left(5) + QStringLiteral(". ") + QString::number(year);
}

namespace {

// The middle day of a run of matches of one round.
QDate middleDay(const std::vector<SourceMatch>& matches, size_t begin, size_t end)
{
    std::vector<QDate> days;
    for (size_t i = begin; i < end; ++i)
        days.push_back(matches[i].date);
    std::nth_element(days.begin(), days.begin() + static_cast<std::ptrdiff_t>(days.size() / 2), days.end());
    return days[days.size() / 2];
}

} // namespace

int correctYearOffDates(std::vector<SourceMatch>& matches, const std::pair<QDate, QDate>& window, const QString& file,
                        Report& report)
{
    // More than half a year off the round before is no postponement; a year's shift that
    // lands within two months of that round puts the match back among its rounds.
    constexpr qint64 farOff = 183;
    constexpr qint64 closeTo = 60;
    int corrected = 0;
    QDate before; // the middle day of the run of matches before, once corrected
    for (size_t begin = 0; begin < matches.size();) {
        size_t end = begin + 1;
        while (end < matches.size() && matches[end].round == matches[begin].round)
            ++end;
        for (size_t i = begin; before.isValid() && i < end; ++i) {
            SourceMatch& m = matches[i];
            const qint64 off = before.daysTo(m.date);
            if (off > -farOff && off < farOff)
                continue;
            const QDate moved = m.date.addYears(off < 0 ? 1 : -1);
            if (moved < before.addDays(-closeTo) || moved > before.addDays(farOff) || moved < window.first ||
                moved > window.second)
                continue;
            if (m.played) {
                report.add(file,
                           QStringLiteral("match %1 (%2, %3 v %4)")
                               .arg(m.number)
                               .arg(m.date.toString(Qt::ISODate), reportedName(m.team1), reportedName(m.team2)),
                           QStringLiteral("dated a year off its round (%1); stored on %2")
                               .arg(m.round, moved.toString(Qt::ISODate)));
                ++corrected;
            }
            m.date = moved;
        }
        before = middleDay(matches, begin, end);
        begin = end;
    }
    return corrected;
}

} // namespace SeasonRules
