#include "headtohead.h"

#include "textformat.h"

#include <cmath>

void HeadToHead::addMatch(const QString& home, const QString& away, int homeGoals, int awayGoals)
{
    ++m_games;
    bool forFirst = true; // the goals go to T1 and T2 as home and away goals
    if (homeGoals > awayGoals) {
        forFirst = home == m_team1;
        ++(forFirst ? m_wins1 : m_wins2);
    } else if (homeGoals < awayGoals) {
        forFirst = away == m_team2;
        ++(forFirst ? m_wins2 : m_wins1);
    } else {
        ++m_draws;
    }
    m_goals1 += forFirst ? homeGoals : awayGoals;
    m_goals2 += forFirst ? awayGoals : homeGoals;
    if (homeGoals + awayGoals >= 3)
        ++m_threeOrMore;
}

QString HeadToHead::statisticsText() const
{
    const QChar cr(13);
    const double n = m_games;
    const double average = (m_goals1 + m_goals2) / n;
    const double share = m_threeOrMore * 100 / n;
    return QStringLiteral("Games: ") + QString::number(m_games) + cr + m_team1 + QStringLiteral(" wins: ") +
           QString::number(m_wins1) + cr + QStringLiteral(" draws: ") + QString::number(m_draws) + cr + m_team2 +
           QStringLiteral(" wins: ") + QString::number(m_wins2) + cr + QStringLiteral(" Goals: ") +
           QString::number(m_goals1) + QLatin1Char(':') + QString::number(m_goals2) + cr +
           QStringLiteral(" Average goals: ") + TextFormat::fixedText(average, 2) + cr +
           QStringLiteral("3 and more goals in ") + TextFormat::fixedText(share, 2) + QStringLiteral("% games");
}

int HeadToHead::gaugePercent(int k, int n)
{
    if (n <= 0)
        return 0;
    return static_cast<int>(std::lround(k * 100.0 / n));
}

std::optional<std::pair<int, int>> HeadToHead::parseScore(const QString& score)
{
    const qsizetype colon = score.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    bool homeOk = false;
    bool awayOk = false;
    const int home = score.left(colon).trimmed().toInt(&homeOk);
    const int away = score.mid(colon + 1).trimmed().toInt(&awayOk);
    if (!homeOk || !awayOk)
        return std::nullopt;
    return std::make_pair(home, away);
}

std::optional<HeadToHead::NameMark> HeadToHead::nameMark(const QString& name, bool homeSide, const QString& score,
                                                         const QString& team1, const QString& team2)
{
    if (name != team1 && name != team2)
        return std::nullopt;
    const auto goals = parseScore(score);
    if (!goals || goals->first == goals->second)
        return std::nullopt;
    const bool homeWon = goals->first > goals->second;
    return homeWon == homeSide ? NameMark::Winner : NameMark::Loser;
}
