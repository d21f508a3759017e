#pragma once

#include "dbgridmodel.h"

#include <QTableView>

class QScrollBar;

// A grid bound to a view: the view's visible records as rows, in the view's order, with
// declared columns. The selected row is the view's current record and follows it both
// ways. Where the grid, the view, the column and the field allow it, typing starts editing
// the cell; moving to another row posts the record (the view's implicit post), Escape
// cancels the edit, Ctrl+Delete asks "Delete record?" and deletes the record on Yes. Tab
// leaves the grid. Rows are read in chunks around the visible ones as the grid scrolls;
// painting never queries. A null data source detaches the grid: it shows no rows.
//
// The table holds only the records on screen (the model's window); the grid's own
// vertical scroll bar spans all the records and moves the window, as do the wheel and
// the keys that leave the screen (Up, Down, PageUp, PageDown, Ctrl+Home, Ctrl+End).
// Only whole rows are shown.
class DBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DBGrid(QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_model->dataSource(); }
    void setColumns(std::vector<DBGridColumn> columns) { m_model->setColumns(std::move(columns)); }
    void setReadOnly(bool readOnly) { m_model->setReadOnly(readOnly); }
    bool isReadOnly() const { return m_model->isReadOnly(); }
    // Lines between the rows and between the columns, each on or off.
    void setRowLines(bool on);
    void setColumnLines(bool on);
    bool rowLines() const { return m_rowLines; }
    bool columnLines() const { return m_columnLines; }

    DBGridModel* gridModel() const { return m_model; }
    // The vertical scroll bar over all the records; hidden while they all fit on screen.
    QScrollBar* recordScrollBar() const { return m_bar; }
    // The rectangle of the ellipsis button in the current row's cell of its column; empty
    // when no column has one or the row is not shown.
    QRect ellipsisRect() const;

signals:
    void cellClick(int column);
    void keyUp(int key);
    void dblClick();
    void editButtonClick(); // the ellipsis button of the current row was pressed

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    class Delegate;

    void applyWidths();
    void fetchVisible();
    void followView(int record);
    void windowMoved();
    void fitWindow();
    void showFrom(int first);
    void reveal(int record);
    void commitEditor();
    void syncScrollBar();
    void askToDelete();
    int ellipsisColumn() const;

    DBGridModel* m_model;
    QScrollBar* m_bar;
    bool m_rowLines = true;
    bool m_columnLines = true;
    bool m_following = false; // the selection is being moved to the view's record
    bool m_barQueued = false; // the bar is shown or hidden once the event is handled
    int m_column = 0;         // the column of the selected cell, kept while the window moves
};
