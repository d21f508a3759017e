#pragma once

#include "tablestore.h"

#include <QAction>
#include <QMainWindow>

// The main window: the choice of country, competition and two teams, and their
// head-to-head record. It owns the database connection Database1 on the working
// directory's folder Table, opened while the window is made.
class TMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMain(QWidget* parent = nullptr);
    ~TMain() override;

    TableStore Database1;

    // "Print options..." and "Print" of the File menu; the shell's menu bar sets them.
    // The window enables and disables "Print" together with its Print button.
    QAction* N16 = nullptr;
    QAction* N15 = nullptr;
};

// The one main window of the program; null before it is made.
extern TMain* Main;
