#pragma once

#include <functional>

class QPrinter;
class QWidget;

// The printer as the reports reach it, so that a test can stand in for the printer and the
// printer set-up dialog. The preview and the file dialog go through the Dialogs seam.
namespace Printing {

// Whether the system has a printer to print on.
bool printerInstalled();

// The printer set-up dialog on the printer's settings, with a page range of 1 to lastPage
// (9999 when the report has not been drawn yet). True when the user confirmed; the dialog
// has then written the choices into the printer. On cancel nothing changes.
bool setUpPrinter(QPrinter& printer, int lastPage, QWidget* parent);

// Sends a document to the printer: draw paints it on the printer and answers whether the
// printer took it.
bool send(QPrinter& printer, const std::function<bool(QPrinter&)>& draw);

using PrinterCheck = std::function<bool()>;
using SetUpHandler = std::function<bool(QPrinter& printer, int lastPage)>;
using SendHandler = std::function<bool(QPrinter& printer, const std::function<bool(QPrinter&)>& draw)>;

// Replace the printer check, the set-up dialog or the sending; an empty handler restores
// the default.
void setPrinterCheck(PrinterCheck check);
void setSetUpHandler(SetUpHandler handler);
void setSendHandler(SendHandler handler);

} // namespace Printing
