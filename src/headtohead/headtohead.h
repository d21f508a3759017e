#pragma once

#include <QString>
#include <optional>

// The head-to-head record of two teams, T1 and T2 (team labels), counted match by match:
// wins of each, draws, goals of each, and matches with three or more goals. Labels are
// compared character for character.
class HeadToHead
{
public:
    HeadToHead(const QString& team1, const QString& team2) : m_team1(team1), m_team2(team2) {}

    // Counts one match; empty goals count as 0. A home win goes to T1 when T1 is the home
    // team and to T2 otherwise; an away win to T2 when T2 is the away team and to T1
    // otherwise; the goals go with the winner the same way.
    void addMatch(const QString& home, const QString& away, int homeGoals, int awayGoals);

    int games() const { return m_games; }
    int wins1() const { return m_wins1; }
    int wins2() const { return m_wins2; }
    int draws() const { return m_draws; }
    int goals1() const { return m_goals1; }
    int goals2() const { return m_goals2; }
    int threeOrMore() const { return m_threeOrMore; }

    // The seven lines of the statistics text, separated by carriage returns, with the
    // average goals and the share of games with three or more goals to two decimals in
    // the locale's notation. Only for at least one game.
    QString statisticsText() const;

    // The progress gauge after k of n matches: k * 100 / n in whole percent, halves away
    // from zero.
    static int gaugePercent(int k, int n);

    // The home and away goals of a score text such as "2 : 1"; none when either side is
    // not a whole number (a match without goals shows " : ").
    static std::optional<std::pair<int, int>> parseScore(const QString& score);

    // How a team's name is marked in the results grid: the winner's name green, the
    // loser's red; none for a draw, a match without goals or a name that is neither T1
    // nor T2. homeSide tells whether the name stands in the home column.
    enum class NameMark
    {
        Winner,
        Loser
    };
    static std::optional<NameMark> nameMark(const QString& name, bool homeSide, const QString& score,
                                            const QString& team1, const QString& team2);

private:
    QString m_team1;
    QString m_team2;
    int m_games = 0;
    int m_wins1 = 0;
    int m_wins2 = 0;
    int m_draws = 0;
    int m_goals1 = 0;
    int m_goals2 = 0;
    int m_threeOrMore = 0;
};
