#pragma once

class TDataModule1;

// The team codes of league table rows filled in from the teams' labels: in every season of
// the current competition, the first row whose team text equals a team's label exactly
// (letter case, the blank before the bracket and the city included) gets that team's
// code. A row whose text spells the team any other way is left as it is. Every team of
// the database is looked for; where two teams have the same label, the later one in the
// team view's order is the one written. The team view follows the current competition
// again afterwards, and the current season is the one it was.
namespace TeamCodes {

void fillIntoSeasonTables(TDataModule1& module);

} // namespace TeamCodes
