#pragma once

#include "report.h"

#include <QColor>
#include <QString>
#include <functional>

class TDataModule1;

// The head-to-head list: every match between two teams, newest first and numbered from 1,
// under a title with the current country's flag, emblem and name and the pair, with the
// statistics text of the main window below the list and the program's caption and the
// page number at the foot of every page.
namespace ResultsReport {

struct Texts
{
    QString team1; // labels: the pair line is T1 - T2
    QString team2;
    QString statistics; // lines separated by carriage returns
    QString caption;    // the program's caption, before " - page n of m"
    QColor captionColour;
};

// The bands over TableSortRes as it stands when the report is drawn, and the current record
// of TableCountry. The module must outlive the report.
Report layout(TDataModule1& module, const Texts& texts);

// Selects every match between the two labels, both home-and-away orders, in every
// competition, on TableSortRes; runs draw; and switches the filter off again, also when
// draw stops on an error.
void withPairSelected(TDataModule1& module, const QString& team1, const QString& team2,
                      const std::function<void()>& draw);

} // namespace ResultsReport
