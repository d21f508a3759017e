#pragma once

#include <QString>

class TDataModule1;

// The summary of the whole database that the about box shows under "DB analysis" and the
// command line prints: the numbers of countries, teams, stadiums and results, a line of
// hyphens, then for every competition of every country its number of results and the
// dates of its first and last result.
namespace DatabaseSummary {

// The summary's lines joined by carriage returns (character 13).
//
// The country, team, results and stadium views lose any filter other windows set on them
// and show every record while they are counted; then they follow their usual masters
// again, with their filters off. The walk over the countries and competitions moves the
// current country and competition; both are current again afterwards. The sorted results
// view is left without a filter.
QString compute(TDataModule1& module);

} // namespace DatabaseSummary
