#pragma once

#include "headtohead.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TDataModule1;

// What the league table viewer shows, apart from its widgets: the rows of a season as its
// grid shows them, and the team its panel shows. The viewer, the command line and the
// benchmarks read them through here; ranking itself is SeasonTable::rank.
namespace LeagueTable {

// One row of a season's table, in the grid's columns.
struct Row
{
    int position = 0; // 0: never ranked
    QString team;
    int game = 0;
    int win = 0;
    int draw = 0;
    int lose = 0;
    int goalsFor = 0;     // BGoal, "GS"
    int goalsAgainst = 0; // BMiss, "GA"
    int points = 0;
};

// The grid's column titles, in order: "№", "Team", "G", "W", "D", "L", "GS", "GA", "P".
QStringList columnTitles();

// The filter of TableSortDet for the current season (TableTableHead's current record);
// without a current season, one that lets no row through.
QString currentSeasonFilter(TDataModule1& module);

// TableSortDet filtered to the current season and switched on, its rows in ranking order
// with the positions stored at the season's last ranking: what the viewer shows when it
// is opened again.
void showCurrentSeason(TDataModule1& module);

// The rows TableSortDet lets through, in its order, read without moving it.
std::vector<Row> rows(TDataModule1& module);

// TableSortTeam filtered to the teams whose short name is the one in the label (the text
// before its first "(", less the blank before it; empty without a "("), switched on and
// on its first team in name order: the team the panel and the teams browser show.
void showTeam(TDataModule1& module, const QString& label);

} // namespace LeagueTable

// The games of one team in the current season of the current competition, as the team
// games window lists and colours them.
namespace TeamGames {

// "Games: " the team " season " the season's name.
QString title(const QString& team, const QString& season);

// The headers of the list's five columns: "№", "Date", "Home", "Away", "Goals".
QStringList headers();

// One game in the list's columns.
struct Game
{
    QString date; // as the results show it
    QString home;
    QString away;
    QString score; // "2 : 1", in full; " : " without goals
};

// Filters the current competition's results (TableResults) to the team's games between
// the current season's first and last day and switches the filter on, then reads them in
// the results' order. The filter stays on, as the window keeps it while it is open: its
// closing switches it off. A season without a date is refused by the filter.
std::vector<Game> select(TDataModule1& module, const QString& team);

// The five cells of the list's row for the game numbered `number` (from 1).
QStringList cells(int number, const Game& game);

// How the cell in column `col` of list row `row` (from 1, row 0 being the headers) is
// painted over the grid's own painting. The team's name is bold wherever it stands, green
// where the team won and red where it lost (no colour after a draw or for a score that
// is not a number); every even row is shaded. Names are compared exactly.
struct CellLook
{
    bool bold = false;
    std::optional<HeadToHead::NameMark> mark; // Winner: green, Loser: red
    bool shaded = false;
};
CellLook cellLook(int col, int row, const QString& text, const QString& score, const QString& team);

} // namespace TeamGames
