#include "treportresults.h"

#include "apperror.h"
#include "datamodule.h"

TReportResults* ReportResults = nullptr;

TReportResults::TReportResults(QObject* parent) : QObject(parent)
{
    ReportResults = this;
}

TReportResults::~TReportResults()
{
    if (ReportResults == this)
        ReportResults = nullptr;
}

void TReportResults::print(const ResultsReport::Texts& texts, Output output, QWidget* parent)
{
    if (!DataModule1)
        throw AppError(QStringLiteral("The data module is not loaded."));
    TDataModule1& module = *DataModule1;
    ResultsReport::withPairSelected(module, texts.team1, texts.team2, [&] {
        m_pairLine = texts.team1 + QStringLiteral(" - ") + texts.team2;
        m_summaryText = texts.statistics;
        QuickRep1.send(ResultsReport::layout(module, texts), output, parent, texts.caption);
    });
}

void TReportResults::N16Click(QWidget* parent)
{
    QuickRep1.setUp(parent);
}
