#pragma once

#include "predictionslist.h"
#include "workbook.h"

// The predictions list's export: the sheet "Tallyfield" with the list's rows as texts, a
// frame around each Mixed row and the two rows it averages, and the likeliest outcome and
// the greater of Over and Under coloured. Unlike the window's grid, the colours compare
// the whole cell texts (45.27 beats 45.21 here). A share that is no number throws AppError
// with the conversion message.
Spreadsheet::Workbook predictionsWorkbook(const PredictionsList& list);
