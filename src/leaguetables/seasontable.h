#pragma once

#include <QString>

#include <vector>

class TDataModule1;

// How a season's league table is counted from the results and ranked. The season table
// editor, the league table viewer and the database builder all go through here, so a
// table reads the same whichever of them made it.
namespace SeasonTable {

// The counts of one team in one season.
struct Counts
{
    int win = 0;
    int draw = 0;
    int lose = 0;
    int goalsFor = 0;     // BGoal
    int goalsAgainst = 0; // BMiss

    int game() const { return win + draw + lose; }
    int ball() const { return goalsFor - goalsAgainst; }
    int points() const { return 3 * win + draw; }
};

// Counts one match for the team whose label is `team`, the side decided by the labels
// (exact, case-sensitive). Every one of the five rules is tried: a win at home, a win
// away, a draw (whichever side), a loss at home, a loss away.
void countByLabel(Counts& counts, const QString& team, const QString& home, const QString& away, int goal1, int goal2);

// Counts one match for the team whose code has the decimal text `code`, the side decided
// by the decimal texts of the match's codes; the five rules as above. An empty code is
// never a side, so such a team gets only the draws.
inline void countByCode(Counts& counts, const QString& code, const QString& homeCode, const QString& awayCode,
                        int goal1, int goal2)
{
    countByLabel(counts, code, homeCode, awayCode, goal1, goal2);
}

// A team of a season's table: its code and its label.
struct Team
{
    qint64 code = 0;
    QString label;
};

// Adds one row per team to the current season (TableTableHead) in the given order,
// Position 1..n, each counted from the current competition's results between the
// season's first and last day (both included): the matches are the row's by its label
// (exact, case-sensitive) and the side is decided by the label. The results view is
// borrowed and handed back as it was; rows the season already has are left as they are,
// so a second fill adds a second set.
//
// Without teams nothing is added and an AppError says that the competition has none
// (noTeamsMessage). When the season's results cannot be selected (no season is current,
// or it lacks a date) the date's conversion error is raised before any row is started.
void fill(TDataModule1& module, const std::vector<Team>& teams);

// What a fill without teams says.
QString noTeamsMessage();

// Counts the current season's rows (TableTableDet in its order) anew from the results:
// each row's matches are selected by its label, as the fill does, and attributed by its
// team code; Game, Win, Draw, Lose, BGoal, BMiss, Ball and Points are rewritten and
// Position, Team, CodeTeam and Kf stay. A season without rows is left as it is. When the
// results cannot be selected the refresh stops before it changes a row.
void refresh(TDataModule1& module);

// The teams of the current competition (TableTeam in its order) as the fill takes them.
std::vector<Team> competitionTeams(TDataModule1& module);

// Numbers the rows of season `seasonNum` 1..n in ranking order (points, then goal
// difference, then goals scored, then the order they were added) and stores the numbers.
// TableSortDet is left filtered to the season, on its first row.
void rank(TDataModule1& module, qint64 seasonNum);

} // namespace SeasonTable
