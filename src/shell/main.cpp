#include "apperror.h"
#include "datamodule.h"
#include "tablestore.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

// Start-up: the database in the working directory's folder Table and the data module.
// The windows that work on them join here as they are built.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyfield"));

    TableStore store;
    try {
        store.open(QDir::current().filePath(QStringLiteral("Table")));
        TDataModule1 module(store);
        module.DataModuleCreate();
        QMessageBox::information(nullptr, QStringLiteral("Tallyfield"),
                                 QStringLiteral("The database holds %1 results. The main window comes with the "
                                                "next release of Tallyfield.")
                                     .arg(module.TableSortRes->recordCount()));
    } catch (const AppError& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Tallyfield"), error.message());
        return 1;
    }
    return 0;
}
