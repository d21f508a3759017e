#pragma once

#include "report.h"

#include <QString>

class QPagedPaintDevice;

// Lays a report out on pages and draws it. The page is that of the device (A4 portrait
// unless the printer was set otherwise), the bands start at the 10 mm margins; a page
// ends where the page footer band begins, and the next page starts with the column header.
namespace ReportRenderer {

constexpr double kMargin = 10; // millimetres on all four sides

// The pages the report takes on a page of the given height in millimetres. Walks the rows.
int pageCount(const Report& report, double pageHeight);

// Draws the pages fromPage..toPage (counted from 1; 0 for either: from the first, to the
// last) onto the device, and returns the report's page count, or 0 when the device cannot
// be painted on (a printer that refuses). Walks the rows twice: once to count the pages
// for "page n of m", once to draw.
int render(const Report& report, QPagedPaintDevice& device, int fromPage = 0, int toPage = 0);

// Writes the report as an A4 PDF file; creator names the program in the file. The file is
// replaced only once the whole report is written; throws AppError when it cannot be.
void writePdf(const Report& report, const QString& fileName, const QString& creator);

} // namespace ReportRenderer
