#pragma once

#include <QString>
#include <QStringList>

// The filter expressions the program sets on its views, built in one place. Every value
// goes in as a quoted literal whose apostrophes are doubled, so that a team such as
// Newell's Old Boys (Rosario) is selected like any other. D is the number text of a
// competition's code (empty when there is no competition, which the filter refuses),
// T1/T2/L team labels, S/E season dates in the short date format.
namespace FilterForms {

// (Division='D'): a competition's results, or its teams.
QString division(const QString& d);
// (Division='D')and(Team='T1')and(Team2='T2')
QString pairInDivision(const QString& d, const QString& t1, const QString& t2);
// (Team='T1')and(Team2='T2')
QString pair(const QString& t1, const QString& t2);
// Both home-and-away orders of a pair within a competition (relies on and before or).
QString pairBothWaysInDivision(const QString& d, const QString& t1, const QString& t2);
// Both home-and-away orders of a pair in every competition.
QString pairBothWays(const QString& t1, const QString& t2);
// (Division='D')and(Team='T1'): T1's home games.
QString homeGamesInDivision(const QString& d, const QString& t1);
// (Division='D')and(Team2='T2')and(Team='T1')
QString pairAwayFirstInDivision(const QString& d, const QString& t2, const QString& t1);
// (Division='D')and(Team2='T2'): T2's away games.
QString awayGamesInDivision(const QString& d, const QString& t2);
// A team's games of a season within a competition.
QString teamSeasonInDivision(const QString& s, const QString& e, const QString& d, const QString& l);
// A team's games of a season, written with blanks between some tokens and at the end.
QString teamSeason(const QString& s, const QString& e, const QString& l);
// A season's games within a competition.
QString seasonInDivision(const QString& s, const QString& e, const QString& d);
// Every result in which the team with code C plays, at home or away.
QString resultsOfTeamCode(const QString& c);
// Every league-table row of the team with code C.
QString rowsOfTeamCode(const QString& c);
// (CodeSeason='N'): the rows of one season.
QString season(const QString& n);
// (Num='N1')or(Num='N2')...: the seasons of these numbers, on the seasons view unbound
// from its master (empty for no season).
QString seasonsNumbered(const QStringList& ns);
// (ShortName='H')
QString shortName(const QString& h);

// The short name in a team label: the text before its first opening parenthesis, less
// the blank before it; empty when there is no parenthesis.
QString shortNameOfLabel(const QString& label);

} // namespace FilterForms
