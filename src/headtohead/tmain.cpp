#include "tmain.h"

#include "dialogs.h"

#include <QDir>

TMain* Main = nullptr;

TMain::TMain(QWidget* parent) : QMainWindow(parent)
{
    Main = this;
    setWindowTitle(QStringLiteral("Tallyfield v3.0.4"));
    Database1.close();
    Database1.open(QDir::current().filePath(QStringLiteral("Table")));
}

TMain::~TMain()
{
    if (Main == this)
        Main = nullptr;
}
