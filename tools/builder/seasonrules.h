#pragma once

#include "report.h"
#include "sources.h"

#include <QDate>
#include <QString>

#include <utility>
#include <vector>

// What a season's match file says beyond its scores: the days its matches may fall on,
// which of its rounds are the regular season that a league table counts, which tournament
// of a year of two a round belongs to, and which matches are dated a year off their rounds.
namespace SeasonRules {

// "2020-21" -> "2020/21"; "2025" stays.
QString seasonName(const QString& folder);

// The days a season folder's matches may fall on: "2020-21" from June 2020 to August 2021,
// "2020" from January 2020 to March 2021 (late seasons and replays included).
std::pair<QDate, QDate> seasonWindow(const QString& folder);

// A round of the regular season: a numbered matchday ("Matchday 12", "12. Round"), also
// of a group the league splits into ("Championship, Matchday 3", "Playoff I, Matchday 3").
// Every other round ("Final", "Semifinals", "Aufstieg, Round 1", "Apertura Playoffs,
// Final", an unnamed one) is a play-off round: a result of its competition that the
// table of the season does not count.
bool isRegularRound(const QString& round);

// The tournament a round belongs to in a league of two tournaments a year ("Apertura",
// "Clausura"); empty for any other round.
QString tournamentOf(const QString& round);

// A tournament's season name within the season name's 11 characters: "Apert. 2019".
QString tournamentSeasonName(const QString& tournament, int year);

// Corrects the played matches dated exactly a year before or after the rounds around
// them: a match more than half a year off the round before it (in the file's order) whose
// date a year later or earlier follows that round and lies in the season's days. Each
// correction is reported; returns how many there were.
int correctYearOffDates(std::vector<SourceMatch>& matches, const std::pair<QDate, QDate>& window, const QString& file,
                        Report& report);

} // namespace SeasonRules
