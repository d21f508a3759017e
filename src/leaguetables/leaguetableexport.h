#pragma once

#include "workbook.h"

class TDataModule1;

// The league table's export: the sheet "Tallyfield" with the rows of TableSortDet as its
// filter stands (the viewer's season, in ranking order), each with its stored position,
// the team and the seven counters as numbers, the header row and the table each framed.
// The rows are read from the first to the last; the view is left on the last one, where
// the viewer's grid then stands.
Spreadsheet::Workbook leagueTableWorkbook(TDataModule1& module);
