#pragma once

#include <QString>
#include <memory>

class QPrinter;
class QWidget;
struct Report;

// Where a report goes when the user asks for it.
enum class ReportOutput
{
    Printer, // at once, without preview
    Preview,
    Pdf, // a file the user names
};

// A report's printer and its settings (printer, copies, orientation, page range), kept for
// the run, and the ways a drawn report leaves the program: the printer, the preview and a
// PDF file. At first: the default printer, one copy, A4 portrait, every page.
class ReportPrinter
{
public:
    ReportPrinter();
    ~ReportPrinter();
    ReportPrinter(const ReportPrinter&) = delete;
    ReportPrinter& operator=(const ReportPrinter&) = delete;

    QPrinter& printer() { return *m_printer; }

    // Pages of the report when it was last drawn; 0 before.
    int preparedPages() const { return m_preparedPages; }

    // Prints the report at once, without preview, on the printer of the settings and the
    // pages of its range. Where no printer is installed, or the printer refuses the report,
    // the user is told so and offered to save the report as a PDF file instead.
    void print(const Report& report, QWidget* parent, const QString& creator);

    // The printer set-up dialog; its choices stay with the report. True when confirmed.
    bool setUp(QWidget* parent);

    // The report in the print preview window, on the settings' page.
    void preview(const Report& report, QWidget* parent);

    // Asks for a file name (the suggested one first) and writes the report there as PDF.
    // False when the user cancels.
    bool exportPdf(const Report& report, QWidget* parent, const QString& creator, const QString& suggestedName);

    // The report to the output: print(), preview() or exportPdf() with the suggested name.
    void send(const Report& report, ReportOutput output, QWidget* parent, const QString& creator);

    // A file name for the report in the user's home folder: its name, less the characters
    // a file name cannot hold, with ".pdf".
    static QString suggestedFileName(const Report& report);

private:
    bool offerPdf(const QString& reason, const Report& report, QWidget* parent, const QString& creator);

    std::unique_ptr<QPrinter> m_printer;
    int m_preparedPages = 0;
};
