#pragma once

#include "report.h"

#include <QColor>
#include <QString>

class TDataModule1;

// The printed league table of a season: under a title with the season's name and dates,
// the current country's flag, emblem and name and the competition, one line per row of
// the season in ranking order with its stored position, the season's note below the
// list, and the program's caption and the page number at the foot of every page.
namespace TableReport {

struct Texts
{
    QString caption; // the program's caption, before " - page n of m"
    QColor captionColour;
};

// The line under the season's name: "(" first day " - " last day ")", in the short date
// format, of the current season.
QString dateLine(TDataModule1& module);

// The bands over TableSortDet as it stands when the report is drawn, and the current
// records of TableTableHead, TableCountry and TableDivision. The module must outlive the
// report.
Report layout(TDataModule1& module, const Texts& texts);

} // namespace TableReport
