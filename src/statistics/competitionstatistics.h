#pragma once

#include "apperror.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class TDataModule1;

// How the matches of a competition ended: home wins, draws, away wins and goals, over all
// of its results and season by season. The statistics window, its export and the command
// line all count through here.
namespace CompetitionStatistics {

// The counts of one pass over results.
struct Counts
{
    int homeWins = 0;
    int draws = 0;
    int awayWins = 0;
    int goals = 0;

    int games() const { return homeWins + draws + awayWins; }
    // Counts one result; an empty goal field counts as 0.
    void add(int goal1, int goal2);
};

// A count's share of the games in percent, one decimal ("33.3"); only for games > 0.
QString shareText(int count, int games);
// Goals per game, two decimals ("2.67"); only for games > 0.
QString averageText(const Counts& counts);
// "1 (33.3%)": a count followed by its share in brackets.
QString countWithShare(int count, int games);

// The five lines of the summary joined by carriage returns (character 13): total goals,
// home wins, draws, away wins and average goals. Only for at least one game.
QString summaryText(const Counts& counts);

// "Results not found for "Country - Competition"".
QString notFoundMessage(const QString& country, const QString& competition);

// The grid's column titles.
QStringList columnTitles();

// One season's row of the grid.
struct SeasonRow
{
    QString name;
    bool counted = false; // false when the season's dates could not be read into a filter
    Counts counts;

    // The six cell texts: the name alone when not counted; the name and the number of
    // games, with empty cells 2 to 5, for a season without results.
    QStringList cells() const;
};

// The statistics of the current competition.
struct Statistics
{
    bool hasResults = false;
    Counts total;
    int seasonCount = 0;          // the seasons of the competition (the grid shows this many rows)
    std::vector<SeasonRow> rows;  // the rows worked out, in the seasons' order
    std::optional<AppError> stop; // the error that stopped the work at the last row, if any

    QString summary() const { return hasResults ? summaryText(total) : QString(); }
};

// Counts the current competition's results (TableResults, detail of the current
// competition), then every season of TableTableHead by its dates. A season whose dates do
// not make a filter stops the work there: that row holds its name only, and `stop` the
// message. The results filter is off again afterwards on every path; the seasons view is
// left after its last season. Without results no season is counted.
Statistics compute(TDataModule1& module);

// One row of the all-competitions table: every competition with at least one result.
struct CompetitionRow
{
    QString country;
    QString competition;
    Counts counts;

    // Competition, home wins, share%, draws, share%, away wins, share%, games, goals/game.
    QStringList cells() const;
};

// The titles of the all-competitions table's columns, one per cell of a row.
QStringList competitionColumnTitles();

// Every competition of every country in the views' orders (countries by name, then their
// competitions), counted over all their results. The current country and competition
// are put back afterwards.
std::vector<CompetitionRow> allCompetitions(TDataModule1& module);

} // namespace CompetitionStatistics
