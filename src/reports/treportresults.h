#pragma once

#include "reportprinter.h"
#include "resultsreport.h"

#include <QObject>

class QWidget;

// The printed head-to-head list, made once at start-up and never shown as a window. Its
// printer settings stay with it for the run; its pair line and statistics text keep those
// of the last print until the next.
class TReportResults : public QObject
{
    Q_OBJECT

public:
    explicit TReportResults(QObject* parent = nullptr);
    ~TReportResults() override;

    using Output = ReportOutput;

    // The main window's Print: selects every match between the two teams, both orders and
    // every competition, whatever its check boxes say; sets the pair line and the summary
    // text; draws the report to the output; and switches the results filter off again.
    void print(const ResultsReport::Texts& texts, Output output, QWidget* parent);

    // "Print options...": the printer set-up dialog for this report.
    void N16Click(QWidget* parent);

    ReportPrinter QuickRep1;

    const QString& pairLine() const { return m_pairLine; }
    const QString& summaryText() const { return m_summaryText; }

private:
    QString m_pairLine;
    QString m_summaryText;
};

// The one results report of the program; null before it is made.
extern TReportResults* ReportResults;
