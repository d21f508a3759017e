#pragma once

#include "reportprinter.h"
#include "tablereport.h"

#include <QObject>

class QWidget;

// The printed league table, made once at start-up and never shown as a window. Its
// printer settings stay with it for the run.
class TReportTable : public QObject
{
    Q_OBJECT

public:
    explicit TReportTable(QObject* parent = nullptr);
    ~TReportTable() override;

    // The league table viewer's Print: sets the date line and the footer caption and draws
    // the season's rows as the viewer leaves TableSortDet (filtered to the season, in
    // ranking order) to the output. The viewer's current row is current again afterwards.
    void print(const TableReport::Texts& texts, ReportOutput output, QWidget* parent);

    ReportPrinter QuickRep1;

    // The date line of the last print.
    const QString& dateLine() const { return m_dateLine; }

private:
    QString m_dateLine;
};

// The one league table report of the program; null before it is made.
extern TReportTable* ReportTable;
