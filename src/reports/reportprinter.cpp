#include "reportprinter.h"

#include "dialogs.h"
#include "printing.h"
#include "reportrenderer.h"

#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>

ReportPrinter::ReportPrinter() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    // The bands are placed from the paper's corner; the report keeps its own margins.
    m_printer->setFullPage(true);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setPageOrientation(QPageLayout::Portrait);
    m_printer->setCopyCount(1);
}

ReportPrinter::~ReportPrinter() = default;

void ReportPrinter::print(const Report& report, QWidget* parent, const QString& creator)
{
    if (!Printing::printerInstalled()) {
        offerPdf(QStringLiteral("No printer is installed."), report, parent, creator);
        return;
    }
    // The output stays as the set-up left it: a printer, or the file the user chose there.
    QPrinter& p = *m_printer;
    p.setDocName(report.name);
    p.setCreator(creator);
    const bool ranged = p.printRange() == QPrinter::PageRange;
    const bool taken = Printing::send(p, [&](QPrinter& target) {
        const int pages =
            ReportRenderer::render(report, target, ranged ? target.fromPage() : 0, ranged ? target.toPage() : 0);
        if (pages > 0)
            m_preparedPages = pages;
        return pages > 0;
    });
    if (!taken)
        offerPdf(QStringLiteral("The printer \"%1\" cannot print the report.").arg(p.printerName()), report, parent,
                 creator);
}

bool ReportPrinter::setUp(QWidget* parent)
{
    return Printing::setUpPrinter(*m_printer, m_preparedPages > 0 ? m_preparedPages : 9999, parent);
}

void ReportPrinter::preview(const Report& report, QWidget* parent)
{
    QPrintPreviewDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(report.name);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        const int pages = ReportRenderer::render(report, *target);
        if (pages > 0)
            m_preparedPages = pages;
    });
    Dialogs::execModal(dialog);
}

bool ReportPrinter::exportPdf(const Report& report, QWidget* parent, const QString& creator,
                              const QString& suggestedName)
{
    const QString fileName = Dialogs::saveFileName(QStringLiteral("Export to PDF"), suggestedName,
                                                   QStringLiteral("PDF files (*.pdf)"), parent);
    if (fileName.isEmpty())
        return false;
    ReportRenderer::writePdf(report, fileName, creator);
    return true;
}

void ReportPrinter::send(const Report& report, ReportOutput output, QWidget* parent, const QString& creator)
{
    switch (output) {
    case ReportOutput::Printer:
        print(report, parent, creator);
        break;
    case ReportOutput::Preview:
        preview(report, parent);
        break;
    case ReportOutput::Pdf:
        exportPdf(report, parent, creator, suggestedFileName(report));
        break;
    }
}

bool ReportPrinter::offerPdf(const QString& reason, const Report& report, QWidget* parent, const QString& creator)
{
    if (!Dialogs::ask(Dialogs::Question::YesNo, reason + QStringLiteral(" Save the report as a PDF file instead?"),
                      parent))
        return false;
    return exportPdf(report, parent, creator, suggestedFileName(report));
}

QString ReportPrinter::suggestedFileName(const Report& report)
{
    QString name = report.name;
    static const QString notInNames = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : name) {
        if (notInNames.contains(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    }
    return QDir::home().filePath(name.trimmed() + QStringLiteral(".pdf"));
}
