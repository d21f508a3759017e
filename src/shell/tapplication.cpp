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
        report(error.message());
    } catch (const std::exception& error) {
        report(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

void TApplication::report(const QString& text)
{
    // An error raised while a window paints comes back with every repaint that the error
    // box itself causes; one box per text is enough until the user has closed it.
    if (m_reporting.contains(text))
        return;
    m_reporting.insert(text);
    Dialogs::error(text, activeWindow());
    m_reporting.remove(text);
}
