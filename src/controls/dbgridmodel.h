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

// The rows of a view as a table for a grid, widget-free. Row r is the view's visible
// record at place r, read through the view's record set without moving the view; while
// a record is being inserted, it shows as one more row where the view stands.
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

    // Reads the rows first .. last that are not read yet.
    void fetch(int first, int last);
    // Brings the model up to the view now instead of after the current event.
    void refresh();

    // The row of the view's current record (the record being inserted included); -1 when
    // detached or empty.
    int currentRow() const { return m_current; }
    // Moves the view to the record of a row; a record being edited is posted first (the
    // view's implicit post). Throws the view's errors.
    void moveTo(int row);
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
    // The view's current record stands at another row (after the model was brought up to
    // the view).
    void currentRowChanged(int row);
    // A read or a write of the view failed; the message is the view's.
    void failed(const QString& message);
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
    int placeOf(int row) const; // the place in the view's set; -1 for the inserted record
    bool showsEditBuffer(int row) const;
    bool isCell(const QModelIndex& index) const;
    QString cellText(int column, const QVariant& value) const;

    QPointer<DataSource> m_source;
    QPointer<TableView> m_view;
    std::vector<DBGridColumn> m_declared;
    std::vector<DBGridColumn> m_columns;
    std::vector<const ViewField*> m_fields;
    bool m_readOnly = false;

    int m_count = 0;     // visible records shown
    int m_insertAt = -1; // the row of the record being inserted
    int m_current = -1;
    bool m_stale = false;       // the set changed: rows answer nothing until the reset
    bool m_syncPending = false; // the current record moved
    bool m_updateQueued = false;
    int m_lastFirst = -1; // the rows fetched last: the ones on screen
    int m_lastLast = -1;
    mutable int m_missingFirst = -1;
    mutable int m_missingLast = -1;
    mutable bool m_fetchQueued = false;
};
