#pragma once

#include "competitionstatistics.h"
#include "workbook.h"

namespace CompetitionStatistics {

// The all-competitions export's sheet "Competitions statistics": the header row with its
// merged cells, one row per competition in the order given, every value as text, the
// numbers right-aligned and the table boxed by columns.
Spreadsheet::Workbook competitionsWorkbook(const std::vector<CompetitionRow>& rows);

} // namespace CompetitionStatistics
