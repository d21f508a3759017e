#include "apperror.h"
#include "dialogs.h"
#include "shell.h"
#include "tapplication.h"

int main(int argc, char* argv[])
{
    TApplication app(argc, argv);
    Shell shell;
    try {
        shell.start();
    } catch (const AppError& error) {
        // A window that cannot be made leaves nothing to run.
        Dialogs::error(error.message());
        return 1;
    } catch (const std::exception& error) {
        Dialogs::error(QString::fromLocal8Bit(error.what()));
        return 1;
    }
    return shell.run();
}
