#pragma once

#include "predictionslist.h"
#include "window.h"

#include <QWidget>
#include <functional>

class QPainter;
class QToolBar;
class QToolButton;
class StringGrid;

// The predictions list window: the predictions handed over by the prediction window, one
// row each, with a Mixed row after two of the same pairing in succession (PredictionsList).
// A modeless window shown by every add; closing it hides it and keeps the rows. The grid
// marks the likeliest outcome of each row.
class TPredictionExport : public Window<QWidget>
{
    Q_OBJECT

public:
    explicit TPredictionExport(QWidget* parent = nullptr);
    ~TPredictionExport() override;

    const PredictionsList& list() const { return m_list; }

    // Installs the command of "Export to Excel"; until one is installed the button tells
    // that the command is not available yet.
    void setExporter(std::function<void()> exporter) { m_export = std::move(exporter); }

    // Adds a prediction (and a Mixed row where the rule gives one), then shows the window
    // and brings it to the front.
    void add(const QString& team1, const QString& team2, const Prediction::Outcome& outcome,
             const QString& baseCaption);

    // --- handlers ---
    void ToolButton1Click(); // "Clear"
    void ToolButton2Click(); // "Export to Excel"
    void StringGrid1DrawCell(QPainter& painter, int col, int row, const QRect& rect, bool selected);

    // --- controls ---
    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    StringGrid* StringGrid1;

private:
    void showRows();

    PredictionsList m_list;
    std::function<void()> m_export;
};

// The one predictions list window of the program; null before it is made.
extern TPredictionExport* PredictionExport;
