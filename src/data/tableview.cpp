#include "tableview.h"

#include "apperror.h"
#include "fieldvalue.h"

#include <algorithm>

TableView::TableView(TableStore& store, const QString& tableName, const QString& name, QObject* parent)
    : QObject(parent), m_store(store), m_table(Schema::table(tableName)), m_name(name),
      m_query(m_table ? *m_table : Schema::tables().front()), m_records(store, m_query, tableName)
{
    if (!m_table)
        throw AppError(QStringLiteral("%1: the table \"%2\" does not exist in the database.").arg(name, tableName));
    setObjectName(name);
    m_store.attach(this);
}

TableView::~TableView()
{
    if (m_master)
        detachFromMaster();
    for (TableView* detail : m_details)
        detail->m_master = nullptr;
    if (!m_storeGone)
        m_store.detach(this);
}

// --- life ---------------------------------------------------------------------------

void TableView::open()
{
    if (isOpen())
        return;
    if (m_storeGone || !m_store.isOpen())
        throw AppError(viewError(QStringLiteral("the database is not open")));
    m_state = State::Browse;
    m_rangeDirty = true;
    try {
        ensurePositioned();
    } catch (...) {
        m_state = State::Inactive; // a view that could not be read stays closed
        throw;
    }
    scrolled();
    emit stateChanged();
    emit dataSetChanged();
    emit recordChanged();
}

void TableView::close()
{
    if (!isOpen())
        return;
    checkBrowseMode();
    m_state = State::Inactive;
    startOver();
    notifyDetails();
    emit stateChanged();
    emit dataSetChanged();
}

void TableView::storeGone()
{
    m_state = State::Inactive;
    m_storeGone = true;
    m_records.reset();
    m_records.forgetPast();
    clearCursor();
}

void TableView::checkOpen() const
{
    if (!isOpen())
        throw AppError(viewError(QStringLiteral("cannot perform this operation on a closed view")));
}

void TableView::checkWritable() const
{
    checkOpen();
    if (m_readOnly)
        throw AppError(viewError(QStringLiteral("cannot modify a read-only view")));
}

void TableView::checkBrowseMode()
{
    if (m_state == State::Edit || m_state == State::Insert) {
        if (isModified())
            post();
        else
            cancel();
    }
}

// --- the visible records ------------------------------------------------------------

void TableView::ensureFresh()
{
    if (!m_rangeDirty || !isOpen())
        return;
    if (m_master) {
        TableView* master = m_master->view();
        m_query.setRange(master->isOpen() ? master->value(m_masterField) : QVariant());
    } else {
        m_query.clearRange();
    }
    m_rangeDirty = false;
    forget();
    clearCursor();
    m_pendingFirst = true;
}

void TableView::ensurePositioned()
{
    ensureFresh();
    if (!m_pendingFirst)
        return;
    // A small set whose size is known is loaded whole at once: the walk that usually
    // follows then needs no further query.
    if (!m_records.isLoaded() && m_records.knownCount() && *m_records.knownCount() <= RecordSet::kChunk)
        m_records.load();
    fetchEdge(false);
    m_pendingFirst = false;
}

void TableView::forget()
{
    m_query.setFilter(m_filtered ? &m_filter : nullptr);
    m_records.reset();
}

// The set is worked out anew, without regard to what it was, and the view stands nowhere.
void TableView::startOver()
{
    m_records.forgetPast();
    forget();
    clearCursor();
}

void TableView::clearCursor()
{
    m_curId = -1;
    m_pos = -1;
    m_eof = true;
    m_curRow = Row();
    m_curBlobs.clear();
    m_calc.reset();
}

bool TableView::fetchEdge(bool lastRecord)
{
    // A filtered view is usually walked next: a small set is read whole at once, so the
    // walk costs no further query.
    if (m_records.isLoaded() || (!lastRecord && m_query.isFiltered() && m_records.loadSmall())) {
        clearCursor();
        if (m_records.size() == 0)
            return false;
        setCurrent(lastRecord ? m_records.size() - 1 : 0);
        m_eof = false;
        return true;
    }
    const Row row = m_records.edge(lastRecord);
    clearCursor();
    if (!row.isValid()) {
        m_records.setEmpty();
        return false;
    }
    m_curId = row.id();
    m_curRow = row;
    // The last record's place is known when the set has been counted; otherwise it is
    // found only when something asks for it.
    m_pos = !lastRecord ? 0 : m_records.knownCount() ? *m_records.knownCount() - 1 : -1;
    m_eof = false;
    return true;
}

int TableView::ensureCount()
{
    return m_records.count();
}

// Finds where the current record stands; false when it has left the visible set, and
// then the view stands just before the first record that followed it and still shows.
bool TableView::resolvePos()
{
    m_records.load();
    if (m_curId < 0) {
        m_pos = -1;
        return false;
    }
    const int index = m_records.indexOf(m_curId, m_pos);
    if (index >= 0) {
        m_pos = index;
        return true;
    }
    m_pos = m_records.successorOf(m_curId) - 1;
    return false;
}

void TableView::setCurrent(int pos)
{
    m_pos = pos;
    m_curId = m_records.idAt(pos);
    forgetValues();
}

// The values read of the current record are read again when next asked for.
void TableView::forgetValues()
{
    m_curRow = Row();
    m_curBlobs.clear();
    m_calc.reset();
}

// The current record's row with at least the given columns.
const Row& TableView::currentRow(quint64 columns)
{
    if (m_curId < 0 || m_curRow.holds(columns))
        return m_curRow;
    // Where the record stands in the set, its chunk is read (again, with the columns).
    bool inPlace = false;
    if (m_records.isLoaded()) {
        inPlace = m_pos >= 0 && m_pos < m_records.size() && m_records.idAt(m_pos) == m_curId;
    } else if (m_pos >= 0) {
        const Row cached = m_records.cachedRow(m_pos, ViewQuery::columnBit(0));
        inPlace = cached.isValid() && cached.id() == m_curId;
    }
    if (inPlace)
        m_curRow = m_records.rowAt(m_pos, columns);
    else
        m_curRow = m_records.byId(m_curId);
    if (!m_curRow.isValid())
        m_curRow = Row::fromStored(m_query, m_curId, {}); // deleted meanwhile: empty fields
    return m_curRow;
}

QVariant TableView::currentBlob(int tableIndex)
{
    if (m_curId < 0)
        return {};
    const auto it = m_curBlobs.constFind(tableIndex);
    if (it != m_curBlobs.constEnd())
        return *it;
    const QVariant blob = m_records.picture(m_table->fields[static_cast<size_t>(tableIndex)], m_curId);
    m_curBlobs.insert(tableIndex, blob);
    return blob;
}

// The view stands on another record: its reaction runs, its details follow it.
void TableView::arrived()
{
    scrolled();
    notifyDetails();
    emit recordChanged();
}

// The filter changed: the set is worked out anew and the view moves to its first record.
void TableView::restartAtFirst()
{
    startOver();
    m_pendingFirst = true;
    newSetShown();
}

// The view shows another set, and stands on another record in it.
void TableView::newSetShown()
{
    scrolled();
    notifyDetails();
    emit dataSetChanged();
    emit recordChanged();
}

// The range or the order changed: the view starts again from its first record when next read.
void TableView::rangeChanged()
{
    m_rangeDirty = true;
    startOver();
    notifyDetails();
    emit dataSetChanged();
    emit recordChanged();
}

void TableView::scrolled()
{
    if (afterScroll) {
        ensurePositioned();
        afterScroll(*this);
    }
}

// --- moving -------------------------------------------------------------------------

void TableView::first()
{
    checkOpen();
    checkBrowseMode();
    ensureFresh();
    if (m_records.isLoaded()) {
        m_pendingFirst = false;
        fetchEdge(false);
    } else {
        clearCursor();
        m_pendingFirst = true;
    }
    arrived();
}

void TableView::last()
{
    checkOpen();
    checkBrowseMode();
    ensureFresh();
    m_pendingFirst = false;
    fetchEdge(true);
    arrived();
}

void TableView::next()
{
    checkOpen();
    checkBrowseMode();
    ensurePositioned();
    m_records.load();
    if (m_records.size() == 0) {
        clearCursor();
        return;
    }
    const bool stillVisible = resolvePos();
    const int size = m_records.size();
    if (m_pos + 1 < size) {
        setCurrent(m_pos + 1);
        m_eof = false;
    } else {
        m_eof = true;
        if (stillVisible || m_pos < 0)
            return;
        setCurrent(size - 1); // the current record has gone: stay on the last one
    }
    arrived();
}

bool TableView::eof()
{
    checkOpen();
    ensurePositioned();
    return m_eof;
}

bool TableView::isEmpty()
{
    checkOpen();
    ensureFresh();
    return (m_pendingFirst || m_curId < 0) && ensureCount() == 0;
}

int TableView::recordCount()
{
    checkOpen();
    ensureFresh();
    return ensureCount();
}

bool TableView::locate(const QString& fieldName, const QVariant& value)
{
    checkOpen();
    const FieldSchema* fs = m_table->field(fieldName);
    if (!fs || fs->isBlob())
        throw AppError(viewError(QStringLiteral("cannot locate by the field \"%1\"").arg(fieldName)));
    checkBrowseMode();
    ensureFresh();
    const Row row = m_records.locate(*fs, FieldValue::forStore(*fs, value));
    if (!row.isValid())
        return false;
    clearCursor();
    m_pendingFirst = false;
    m_curId = row.id();
    m_curRow = row;
    if (m_records.isLoaded())
        resolvePos();
    m_eof = false;
    arrived();
    return true;
}

int TableView::recNo()
{
    checkOpen();
    ensurePositioned();
    if (m_curId < 0)
        return -1;
    // In a large set read by place, the record standing where the view thinks it stands
    // proves the place without loading every id.
    if (!m_records.isLoaded() && m_pos >= 0) {
        const quint64 id = ViewQuery::columnBit(0);
        Row row = m_records.cachedRow(m_pos, id);
        if (!row.isValid() && isLargeSet())
            row = m_records.rowAt(m_pos, id);
        if (row.isValid() && row.id() == m_curId)
            return m_pos;
    }
    resolvePos();
    return m_pos;
}

void TableView::moveTo(int position)
{
    checkOpen();
    checkBrowseMode();
    ensureFresh();
    // A set known to be large is read by place; any other is loaded as a walk would.
    if (!isLargeSet())
        m_records.load();
    const int count = m_records.count();
    if (count == 0)
        return;
    const int pos = std::clamp(position, 0, count - 1);
    const Row row = m_records.rowAt(pos, ViewQuery::columnBit(0)); // the values as they are asked for
    if (!row.isValid())
        return;
    m_pendingFirst = false;
    m_pos = pos;
    m_curId = row.id();
    forgetValues();
    m_curRow = row;
    m_eof = false;
    arrived();
}

bool TableView::moveToRecord(qint64 id)
{
    checkOpen();
    checkBrowseMode();
    ensureFresh();
    m_records.load();
    const int index = m_records.indexOf(id, m_pos);
    if (index < 0)
        return false;
    m_pendingFirst = false;
    setCurrent(index);
    m_eof = false;
    arrived();
    return true;
}

bool TableView::isLargeSet() const
{
    return !m_records.isLoaded() && m_records.knownCount() && *m_records.knownCount() > RecordSet::kSmallSet;
}

// --- filter -------------------------------------------------------------------------

void TableView::setFilterText(const QString& text)
{
    Filter parsed = Filter::parse(text, *m_table); // a refused text changes nothing
    if (m_filtered && isOpen())
        checkBrowseMode();
    m_filterText = text;
    m_filter = std::move(parsed);
    if (m_filtered && isOpen())
        restartAtFirst();
}

void TableView::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    if (isOpen())
        checkBrowseMode();
    m_filtered = on;
    m_query.setFilter(m_filtered ? &m_filter : nullptr);
    if (isOpen())
        restartAtFirst();
}
