#include "treporttable.h"

#include "apperror.h"
#include "datamodule.h"
#include "viewborrow.h"

TReportTable* ReportTable = nullptr;

TReportTable::TReportTable(QObject* parent) : QObject(parent)
{
    ReportTable = this;
}

TReportTable::~TReportTable()
{
    if (ReportTable == this)
        ReportTable = nullptr;
}

void TReportTable::print(const TableReport::Texts& texts, ReportOutput output, QWidget* parent)
{
    if (!DataModule1)
        throw AppError(QStringLiteral("The data module is not loaded."));
    TDataModule1& module = *DataModule1;
    // Drawing walks the rows to the last; the viewer's grid keeps its selected row.
    ViewBorrow borrow(*module.TableSortDet);
    borrow.position(QStringLiteral("Num"));
    m_dateLine = TableReport::dateLine(module);
    QuickRep1.send(TableReport::layout(module, texts), output, parent, texts.caption);
    borrow.restore();
}
