#include "tapplication.h"

#include "apperror.h"
#include "dialogs.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The title names the program in the task bar and heads every message box. It is the
    // display name too, which Qt derives from it; setting the display name explicitly
    // would make the window system append it to every caption ("Notes — Tallyfield").
    setApplicationName(title());
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError& error) {
        Dialogs::error(error.message(), activeWindow());
    } catch (const std::exception& error) {
        Dialogs::error(QString::fromLocal8Bit(error.what()), activeWindow());
    }
    return false;
}
