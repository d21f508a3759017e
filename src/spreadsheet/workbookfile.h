#pragma once

#include <QString>

namespace Spreadsheet {

class Workbook;

// Writes the workbook as an .xlsx file: its one sheet with every value, format, width and
// merge the model holds. The file appears whole or not at all: it is written under a
// passing name beside `path` and takes its name only when complete, so an earlier file of
// that name stays as it was when the writing fails. Throws AppError with the reason when
// the file cannot be written.
void writeFile(const Workbook& workbook, const QString& path);

} // namespace Spreadsheet
