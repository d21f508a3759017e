#include "printing.h"

#include "dialogs.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
Printing::PrinterCheck& printerCheck()
{
    static Printing::PrinterCheck check;
    return check;
}
Printing::SetUpHandler& setUpHandler()
{
    static Printing::SetUpHandler handler;
    return handler;
}
Printing::SendHandler& sendHandler()
{
    static Printing::SendHandler handler;
    return handler;
}
} // namespace

namespace Printing {

bool printerInstalled()
{
    if (printerCheck())
        return printerCheck()();
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool setUpPrinter(QPrinter& printer, int lastPage, QWidget* parent)
{
    if (setUpHandler())
        return setUpHandler()(printer, lastPage);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, lastPage);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return Dialogs::execModal(dialog) == QDialog::Accepted;
}

bool send(QPrinter& printer, const std::function<bool(QPrinter&)>& draw)
{
    if (sendHandler())
        return sendHandler()(printer, draw);
    return draw(printer);
}

void setPrinterCheck(PrinterCheck check)
{
    printerCheck() = std::move(check);
}
void setSetUpHandler(SetUpHandler handler)
{
    setUpHandler() = std::move(handler);
}
void setSendHandler(SendHandler handler)
{
    sendHandler() = std::move(handler);
}

} // namespace Printing
