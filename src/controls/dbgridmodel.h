#pragma once

#include "tableview.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

// A column of a data grid: a declared field of the view with its title, width, the
// alignment of its title and its display format.
struct DBGridColumn
{
    QString field{};
    QString title{};    // empty: the field's label
    int width = 0;      // in pixels; 0: widthChars characters
    int widthChars = 0; // 0: the field's display width
    Qt::Alignment titleAlignment = Qt::AlignLeft;
    QString displayFormat{}; // "### ###": digits in groups of three; empty: the field's own
    bool readOnly = false;
    bool ellipsis = false; // an ellipsis button in the cell of the current row
};

// The records of a view as a table for a grid, widget-free. Record r is the view's
// visible record at place r, read through the view's record set without moving the view;
// while a record is being inserted, it shows as one more record where the view stands.
//
// The model's rows are a window over the records: row r is record firstRecord() + r, and
// there are at most windowRows() of them, the ones on the grid's screen. Qt's views keep an
// entry per row; a window keeps a million records as cheap as a screenful. The window
// moves to keep the view's current record in it when the view moves to another record.
// Without a window (rows 0), every record is a row.
//
// data() never queries: it answers from what was read, and a row not read yet shows
// empty while a read of it is queued. fetch() reads rows ahead of showing them. Changes
// of the view reach the model through its signals: a new set resets the model once the
// current event is handled (a window walking a view costs no reads here), a changed row
// is read again, the record being edited shows its edited values.
class DBGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DBGridModel(QObject* parent = nullptr);

    // Null detaches: no rows. Attaching shows the view as it stands.
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    TableView* view() const;

    // Declared columns; none: every declared field of the view that is not a picture.
    void setColumns(std::vector<DBGridColumn> columns);
    const std::vector<DBGridColumn>& columns() const { return m_columns; }
    // The view's field of a column; null when the column names no declared field.
    const ViewField* columnField(int column) const;

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

    // Shows the records first .. first + rows - 1 as the rows (rows 0: every record); first
    // is kept within the records so that a window at the end is full. As many rows as
    // before show other records (windowMoved), other rows reset the model.
    void setWindow(int first, int rows);
    int firstRecord() const { return m_first; }
    int windowRows() const { return m_rows; }
    // The records shown or to be shown, the record being inserted included.
    int recordCount() const { return m_count + (m_insertAt >= 0 ? 1 : 0); }
    // The row of a record; -1 when the window does not show it.
    int rowOf(int record) const;
    int recordOf(int row) const { return m_first + row; }
    // The first record of a window of rows rows that shows the record, as near as it can be
    // to the window's first record now.
    int firstShowing(int record, int rows) const;

    // Reads the records first .. last that are not read yet.
    void fetch(int first, int last);
    // Brings the model up to the view now instead of after the current event.
    void refresh();

    // The view's current record (the record being inserted included); -1 when detached or
    // empty.
    int currentRecord() const { return m_current; }
    // Moves the view to a record; a record being edited is posted first (the view's
    // implicit post). Throws the view's errors.
    void moveTo(int record);
    // Asks the view to delete its current record. Throws the view's errors.
    void removeCurrent();
    // Cancels the edit or insert in progress.
    void cancelEdit();
    bool isEditing() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Starts editing the row's record (moving there first) and sets the field; a value the
    // field refuses is reported by failed() and false is returned.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // The view's current record is another record (after the model was brought up to the
    // view and the window moved to show it).
    void currentRecordChanged(int record);
    // A read or a write of the view failed; the message is the view's.
    void failed(const QString& message);
    // The rows show other records, as many as before (setWindow).
    void windowMoved();
    // The columns were declared or resolved anew (after attaching): widths apply again.
    void columnsChanged();

private:
    void attachView();
    void detachView();
    void scheduleUpdate();
    void applyUpdate();
    void resetRows();
    void syncCurrent();
    void stateChanged();
    void recordChanged();
    void rowChanged();
    void resolveColumns();
    void requestRows(int first, int last) const;
    void fetchRequested();
    int placeOf(int record) const; // the place in the view's set; -1 for the inserted record
    bool showsEditBuffer(int record) const;
    bool showsAll() const; // the window holds every record
    int clampedFirst(int first, int rows) const;
    void emitRecordChanged(int record);
    bool isCell(const QModelIndex& index) const;
    QString cellText(int column, const QVariant& value) const;

    QPointer<DataSource> m_source;
    QPointer<TableView> m_view;
    std::vector<DBGridColumn> m_declared;
    std::vector<DBGridColumn> m_columns;
    std::vector<const ViewField*> m_fields;
    bool m_readOnly = false;

    int m_count = 0;     // visible records shown
    int m_insertAt = -1; // the record being inserted
    int m_current = -1;
    int m_first = 0; // the window
    int m_rows = 0;
    bool m_stale = false;       // the set changed: rows answer nothing until the reset
    bool m_syncPending = false; // the current record moved
    bool m_updateQueued = false;
    int m_lastFirst = -1; // the records fetched last: the ones on screen
    int m_lastLast = -1;
    mutable int m_missingFirst = -1;
    mutable int m_missingLast = -1;
    mutable bool m_fetchQueued = false;
};
