#include "dbgridmodel.h"

#include "apperror.h"
#include "fieldvalue.h"
#include "textformat.h"

#include <algorithm>

namespace {

bool isNumber(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Smallint:
    case FieldType::Float:
    case FieldType::AutoInc:
        return true;
    default:
        return false;
    }
}

} // namespace

DBGridModel::DBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

TableView* DBGridModel::view() const
{
    return m_view;
}

// --- binding ------------------------------------------------------------------------

void DBGridModel::setDataSource(DataSource* source)
{
    beginResetModel();
    detachView();
    m_source = source;
    attachView();
    endResetModel();
    emit columnsChanged();
    emit currentRecordChanged(m_current);
}

void DBGridModel::attachView()
{
    m_view = m_source ? m_source->view() : nullptr;
    if (m_source)
        connect(m_source, &QObject::destroyed, this, [this] { setDataSource(nullptr); });
    if (m_view) {
        connect(m_view, &TableView::dataSetChanged, this, [this] {
            m_stale = true;
            scheduleUpdate();
        });
        connect(m_view, &TableView::recordChanged, this, &DBGridModel::recordChanged);
        connect(m_view, &TableView::stateChanged, this, &DBGridModel::stateChanged);
        connect(m_view, &TableView::rowChanged, this, &DBGridModel::rowChanged);
        connect(m_view, &QObject::destroyed, this, [this] { setDataSource(nullptr); });
    }
    resolveColumns();
    resetRows();
}

void DBGridModel::detachView()
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    if (m_view)
        disconnect(m_view, nullptr, this, nullptr);
    m_view = nullptr;
    m_source = nullptr;
}

void DBGridModel::setColumns(std::vector<DBGridColumn> columns)
{
    beginResetModel();
    m_declared = std::move(columns);
    resolveColumns();
    endResetModel();
    emit columnsChanged();
}

void DBGridModel::resolveColumns()
{
    m_columns = m_declared;
    if (m_columns.empty() && m_view) {
        for (const ViewField& field : m_view->fields()) {
            if (field.type != FieldType::Picture)
                m_columns.push_back({.field = field.name});
        }
    }
    m_fields.clear();
    for (DBGridColumn& column : m_columns) {
        const ViewField* field = m_view ? m_view->fieldDef(column.field) : nullptr;
        m_fields.push_back(field);
        if (column.title.isEmpty())
            column.title = field ? field->label : column.field;
    }
}

const ViewField* DBGridModel::columnField(int column) const
{
    return column >= 0 && column < static_cast<int>(m_fields.size()) ? m_fields[static_cast<size_t>(column)] : nullptr;
}

// --- following the view -------------------------------------------------------------

// Reads the count and where the view stands, and moves the window there; only inside a
// reset of the model.
void DBGridModel::resetRows()
{
    m_stale = false;
    m_syncPending = false;
    m_count = 0;
    m_insertAt = -1;
    m_current = -1;
    m_first = 0;
    if (!m_view || !m_view->isOpen())
        return;
    try {
        m_count = m_view->recordCount();
        const int at = m_count == 0 ? -1 : m_view->recNo();
        if (m_view->state() == TableView::State::Insert) {
            m_insertAt = std::max(at, 0);
            m_current = m_insertAt;
        } else {
            m_current = at;
        }
    } catch (const AppError& e) {
        m_count = 0;
        m_insertAt = -1;
        m_current = -1;
        emit failed(e.message());
    }
    m_first = firstShowing(m_current, m_rows);
}

// --- the window -----------------------------------------------------------------------

int DBGridModel::clampedFirst(int first, int rows) const
{
    return rows <= 0 ? 0 : std::clamp(first, 0, std::max(recordCount() - rows, 0));
}

int DBGridModel::firstShowing(int record, int rows) const
{
    int first = m_first;
    if (rows > 0 && record >= 0) {
        if (record < first)
            first = record;
        else if (record >= first + rows)
            first = record - rows + 1;
    }
    return clampedFirst(first, rows);
}

bool DBGridModel::showsAll() const
{
    return m_rows <= 0 || recordCount() <= m_rows;
}

void DBGridModel::setWindow(int first, int rows)
{
    rows = std::max(rows, 0);
    first = clampedFirst(first, rows);
    const int shown = rows <= 0 ? recordCount() - first : std::min(recordCount() - first, rows);
    if (shown == rowCount()) { // as many rows: they show other records, or the same
        const bool moved = first != m_first;
        m_first = first;
        m_rows = rows;
        if (moved) {
            if (shown > 0 && columnCount() > 0)
                emit dataChanged(index(0, 0), index(shown - 1, columnCount() - 1));
            emit windowMoved();
        }
        return;
    }
    beginResetModel();
    m_first = first;
    m_rows = rows;
    endResetModel();
}

int DBGridModel::rowOf(int record) const
{
    const int row = record - m_first;
    return record >= 0 && row >= 0 && row < rowCount() ? row : -1;
}

void DBGridModel::emitRecordChanged(int record)
{
    const int row = rowOf(record);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DBGridModel::scheduleUpdate()
{
    if (m_updateQueued)
        return;
    m_updateQueued = true;
    QMetaObject::invokeMethod(this, &DBGridModel::applyUpdate, Qt::QueuedConnection);
}

void DBGridModel::applyUpdate()
{
    m_updateQueued = false;
    if (m_stale) {
        beginResetModel();
        resetRows();
        endResetModel();
        emit currentRecordChanged(m_current);
    } else if (m_syncPending) {
        syncCurrent();
    }
}

void DBGridModel::refresh()
{
    if (m_stale || m_syncPending)
        applyUpdate();
}

void DBGridModel::syncCurrent()
{
    m_syncPending = false;
    if (!m_view || !m_view->isOpen())
        return;
    int row = m_insertAt;
    if (row < 0) {
        try {
            row = m_count == 0 ? -1 : m_view->recNo();
        } catch (const AppError& e) {
            emit failed(e.message());
            return;
        }
    }
    const int previous = m_current;
    m_current = row;
    const int first = previous == row ? m_first : firstShowing(row, m_rows);
    if (first != m_first) { // the view went where the window does not reach
        beginResetModel();
        m_first = first;
        endResetModel();
    } else if (previous != row) {
        emitRecordChanged(previous);
    }
    emit currentRecordChanged(row);
}

void DBGridModel::recordChanged()
{
    if (isEditing() && !m_stale)
        emitRecordChanged(m_current); // the edited values
    m_syncPending = true;
    scheduleUpdate();
}

void DBGridModel::stateChanged()
{
    if (m_stale)
        return; // the reset that follows sees the state
    const bool inserting = m_view && m_view->isOpen() && m_view->state() == TableView::State::Insert;
    if (inserting && m_insertAt < 0) {
        int at = 0;
        try {
            at = m_count == 0 ? 0 : std::max(m_view->recNo(), 0);
        } catch (const AppError&) {
        }
        if (m_rows <= 0 || recordCount() < m_rows) { // one more row in a window that shows all
            beginInsertRows(QModelIndex(), at, at);
            m_insertAt = at;
            m_current = at;
            endInsertRows();
        } else { // the window moves to show the new record
            beginResetModel();
            m_insertAt = at;
            m_current = at;
            m_first = firstShowing(at, m_rows);
            endResetModel();
        }
        emit currentRecordChanged(at);
    } else if (!inserting && m_insertAt >= 0) {
        if (showsAll()) {
            beginRemoveRows(QModelIndex(), m_insertAt, m_insertAt);
            m_insertAt = -1;
            m_current = -1;
            endRemoveRows();
        } else {
            beginResetModel();
            m_insertAt = -1;
            m_current = -1;
            m_first = clampedFirst(m_first, m_rows);
            endResetModel();
        }
        m_syncPending = true;
        scheduleUpdate();
    } else {
        emitRecordChanged(m_current); // an edit ended
    }
}

// A row changed through another view: the rows shown last are read again.
void DBGridModel::rowChanged()
{
    if (m_lastLast >= 0)
        requestRows(m_lastFirst, m_lastLast);
}

// --- reading ------------------------------------------------------------------------

int DBGridModel::placeOf(int record) const
{
    if (m_insertAt < 0 || record < m_insertAt)
        return record;
    return record == m_insertAt ? -1 : record - 1;
}

bool DBGridModel::showsEditBuffer(int record) const
{
    return record == m_insertAt || (record == m_current && m_view->state() == TableView::State::Edit);
}

void DBGridModel::fetch(int first, int last)
{
    if (!m_view || !m_view->isOpen() || m_stale)
        return;
    first = std::max(first, 0);
    last = std::min(last, recordCount() - 1);
    if (first > last)
        return;
    m_lastFirst = first;
    m_lastLast = last;
    bool missing = false;
    for (int record = first; record <= last && !missing; ++record) {
        const int place = placeOf(record);
        missing = place >= 0 && !m_view->cachedRow(place).isValid();
    }
    if (!missing)
        return;
    try {
        m_view->fetchRows(placeOf(first) < 0 ? placeOf(first + 1) : placeOf(first),
                          placeOf(last) < 0 ? placeOf(last - 1) : placeOf(last));
    } catch (const AppError& e) {
        emit failed(e.message());
        return;
    }
    const int firstRow = std::max(first - m_first, 0);
    const int lastRow = std::min(last - m_first, rowCount() - 1);
    if (firstRow <= lastRow)
        emit dataChanged(index(firstRow, 0), index(lastRow, columnCount() - 1));
}

void DBGridModel::requestRows(int first, int last) const
{
    m_missingFirst = m_missingFirst < 0 ? first : std::min(m_missingFirst, first);
    m_missingLast = std::max(m_missingLast, last);
    if (m_fetchQueued)
        return;
    m_fetchQueued = true;
    auto* self = const_cast<DBGridModel*>(this); // data() is const; the read runs after it
    QMetaObject::invokeMethod(self, &DBGridModel::fetchRequested, Qt::QueuedConnection);
}

void DBGridModel::fetchRequested()
{
    const int first = m_missingFirst;
    const int last = m_missingLast;
    m_fetchQueued = false;
    m_missingFirst = m_missingLast = -1;
    fetch(first, last);
}

QString DBGridModel::cellText(int column, const QVariant& value) const
{
    if (value.isNull())
        return {};
    const ViewField& field = *m_fields[static_cast<size_t>(column)];
    const QString& format = m_columns[static_cast<size_t>(column)].displayFormat;
    // The program's one display format groups digits by threes with a blank.
    const bool grouped = format.isEmpty() ? field.groupedDigits : format.contains(QLatin1Char(' '));
    if (grouped && isNumber(field.type))
        return TextFormat::capacityText(value.toLongLong());
    return FieldValue::text(field.type, value);
}

bool DBGridModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < columnCount();
}

int DBGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    const int rest = std::max(recordCount() - m_first, 0);
    return m_rows <= 0 ? rest : std::min(rest, m_rows);
}

int DBGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant DBGridModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    const ViewField* field = m_fields[static_cast<size_t>(index.column())];
    if (role == Qt::TextAlignmentRole) {
        const bool right = field && isNumber(field->type) && !field->alignLeft;
        return QVariant::fromValue((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    // Calculated fields belong to the current record alone; a grid shows none.
    if (!field || field->calculated || field->type == FieldType::Picture || !m_view || !m_view->isOpen() || m_stale)
        return {};
    const int record = recordOf(index.row());
    QVariant value;
    if (showsEditBuffer(record)) {
        try {
            value = m_view->value(field->name);
        } catch (const AppError&) {
            return {};
        }
    } else {
        const Row row = m_view->cachedRow(placeOf(record));
        if (!row.isValid()) {
            requestRows(record, record);
            return {};
        }
        value = m_view->fieldValue(row, *field);
    }
    return role == Qt::EditRole ? QVariant(FieldValue::text(field->type, value))
                                : QVariant(cellText(index.column(), value));
}

QVariant DBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    const DBGridColumn& column = m_columns[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole)
        return column.title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column.titleAlignment | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags DBGridModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const ViewField* field = m_fields[static_cast<size_t>(index.column())];
    const bool editable = !m_readOnly && m_view && m_view->isOpen() && !m_view->isReadOnly() && field &&
                          !field->readOnly && !field->calculated && field->type != FieldType::Picture &&
                          field->type != FieldType::AutoInc && !m_columns[static_cast<size_t>(index.column())].readOnly;
    return editable ? flags | Qt::ItemIsEditable : flags;
}

// --- writing ------------------------------------------------------------------------

bool DBGridModel::isEditing() const
{
    return m_view && m_view->isOpen() &&
           (m_view->state() == TableView::State::Edit || m_view->state() == TableView::State::Insert);
}

bool DBGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int record = recordOf(index.row());
    try {
        refresh();
        if (record != m_current)
            moveTo(record);
        if (m_view->state() == TableView::State::Browse)
            m_view->edit();
        m_view->setValue(m_fields[static_cast<size_t>(index.column())]->name, value);
    } catch (const AppError& e) {
        emit failed(e.message());
        return false;
    }
    return true;
}

void DBGridModel::moveTo(int record)
{
    if (!m_view)
        return;
    refresh();
    if (record < 0 || record >= recordCount() || record == m_insertAt)
        return;
    const int place = placeOf(record);
    if (isEditing()) {
        // Posting may move rows (a new record takes its place in the order): the record
        // the row showed is found again by its id.
        const Row target = m_view->cachedRow(place);
        if (target.isValid() && m_view->moveToRecord(target.id()))
            return;
    }
    m_view->moveTo(place);
    if (!m_stale && m_insertAt < 0)
        m_current = record;
}

void DBGridModel::removeCurrent()
{
    if (!m_view)
        return;
    refresh();
    m_view->remove();
}

void DBGridModel::cancelEdit()
{
    if (isEditing())
        m_view->cancel();
}
