#pragma once

#include "window.h"

#include <QDialog>
#include <functional>

class QLabel;
class QToolBar;
class QToolButton;
class DBImage;
class DBLookupComboBox;
class Shape;
class StringGrid;
class TextLabel;

// The competition statistics window: how the matches of the chosen competition ended,
// over all of its results in the summary and season by season in the grid. Opened modally
// from View > "Competitions statistics". It keeps its grid and summary between showings;
// closing the competition chooser's list computes them anew (CompetitionStatistics).
class TStatistic : public Window<QDialog>
{
    Q_OBJECT

public:
    explicit TStatistic(QWidget* parent = nullptr);
    ~TStatistic() override;

    // Binds the choosers and the flag and emblem to the data module DataModule1. Once
    // only; showing the window calls it when the data module exists by then.
    void connectDataModule();

    // Installs the command of "Export to Excel"; until one is installed the button tells
    // that the command is not available yet.
    void setExporter(std::function<void()> exporter) { m_export = std::move(exporter); }

    // --- handlers ---
    void DBLookupComboBox1CloseUp(); // the competition chooser closed: the computation
    void ToolButton1Click();         // "Export to Excel"

    // --- controls ---
    Shape* Shape1;
    QLabel* Label1;
    DBLookupComboBox* DBLookupComboBox2;
    QLabel* Label2;
    DBLookupComboBox* DBLookupComboBox1;
    DBImage* DBImage1;
    DBImage* DBImage2;
    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    StringGrid* StringGrid1;
    TextLabel* Label3;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void emptyRows();

    bool m_connected = false;
    std::function<void()> m_export;
};

// The one competition statistics window of the program; null before it is made.
extern TStatistic* Statistic;
