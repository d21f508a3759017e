#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class TDataModule1;

// A team's season history: its final position and points in every season of the current
// country's competitions in which it has a league table row, newest season first. The
// teams browser shows it beside the team; the command line prints the same rows.
namespace TeamHistory {

// One season of the history.
struct SeasonRow
{
    QString season;      // the season's name
    QString competition; // the competition's name
    QString position;    // the team's stored position, empty when none is stored
    QString points;
    QString dateStart; // the season's first day in the short date format, as the grid keeps it
    QDate start;       // the same day, by which the rows are sorted

    // The five cells of a grid row: season, competition, position, points, first day.
    QStringList cells() const { return {season, competition, position, points, dateStart}; }
};

// The titles of the four shown columns.
QStringList columnTitles();

// The seasons, in the order found, sorted newest first by their first day. The rows are
// exchanged pairwise as the browser always did, so seasons that start on the same day
// keep the order the walk gives them in the end. A season without a first day counts as
// older than any other and goes to the end.
void sortNewestFirst(std::vector<SeasonRow>& rows);

// The history of the team with this code (null: no team, no rows), over the current
// country's competitions in their order and each one's seasons in theirs. The current
// competition does not move; the current season is current again afterwards.
std::vector<SeasonRow> teamSeasons(TDataModule1& module, const QVariant& teamCode);

} // namespace TeamHistory
