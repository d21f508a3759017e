#include "tableview.h"

#include "apperror.h"
#include "textformat.h"

#include <QLocale>
#include <QSqlQuery>
#include <algorithm>
#include <limits>
#include <unordered_map>

namespace {

// Values are loaded in chunks of this many records. A visible set of up to kEagerRows
// records is loaded with its values in one pass; a larger one loads its ids in that pass
// and its values chunk by chunk as they are read, keeping at most kMaxChunks of them.
constexpr int kChunk = 256;
// A set of at most this many records is read whole when its first record is.
constexpr int kSmallSet = kChunk;
constexpr int kEagerRows = 20000;
constexpr size_t kMaxChunks = 128;

QString quoted(const QString& identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

// Cuts a text to a width without splitting a surrogate pair.
QString cut(const QString& text, int width)
{
    if (width <= 0 || text.size() <= width)
        return text;
    qsizetype n = width;
    if (text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

QString floatText(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

} // namespace

TableView::TableView(TableStore& store, const QString& tableName, const QString& name, QObject* parent)
    : QObject(parent), m_store(store), m_table(Schema::table(tableName)), m_name(name)
{
    if (!m_table)
        throw AppError(QStringLiteral("%1: the table \"%2\" does not exist in the database.").arg(name, tableName));
    setObjectName(name);
    m_store.attach(this);
}

TableView::~TableView()
{
    if (m_master) {
        auto& siblings = m_master->view()->m_details;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    for (TableView* detail : m_details)
        detail->m_master = nullptr;
    if (!m_storeGone)
        m_store.detach(this);
}

// --- declaration --------------------------------------------------------------------

ViewField& TableView::addField(const QString& fieldName)
{
    const int ti = m_table->fieldIndex(fieldName);
    if (ti < 0)
        throw AppError(viewError(QStringLiteral("the table has no field \"%1\"").arg(fieldName)));
    const FieldSchema& fs = m_table->fields[static_cast<size_t>(ti)];
    ViewField vf;
    vf.name = fs.name;
    vf.label = fs.label.isEmpty() ? fs.name : fs.label;
    vf.displayWidth = fs.type == FieldType::Text ? fs.width : 10;
    vf.readOnly = fs.type == FieldType::AutoInc;
    vf.tableIndex = ti;
    vf.type = fs.type;
    m_fields.push_back(vf);
    return m_fields.back();
}

ViewField& TableView::addCalcField(const QString& fieldName, const QString& label, int size)
{
    ViewField vf;
    vf.name = fieldName;
    vf.label = label;
    vf.displayWidth = size;
    vf.size = size;
    vf.calculated = true;
    vf.readOnly = true;
    m_fields.push_back(vf);
    return m_fields.back();
}

const ViewField* TableView::fieldDef(const QString& fieldName) const
{
    const int i = declaredIndex(fieldName);
    return i < 0 ? nullptr : &m_fields[static_cast<size_t>(i)];
}

ViewField& TableView::field(const QString& fieldName)
{
    const int i = declaredIndex(fieldName);
    if (i < 0)
        throw AppError(viewError(QStringLiteral("field \"%1\" not found").arg(fieldName)));
    return m_fields[static_cast<size_t>(i)];
}

int TableView::declaredIndex(const QString& fieldName) const
{
    // Names are nearly always spelt as declared; the case-blind search is the fallback.
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name == fieldName)
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

const ViewField& TableView::declared(const QString& fieldName) const
{
    const int i = declaredIndex(fieldName);
    if (i < 0)
        throw AppError(viewError(QStringLiteral("field \"%1\" not found").arg(fieldName)));
    return m_fields[static_cast<size_t>(i)];
}

QString TableView::viewError(const QString& what) const
{
    return QStringLiteral("%1: %2.").arg(m_name, what);
}

void TableView::setIndexName(const QString& indexName)
{
    const IndexSchema* index = m_table->index(indexName);
    if (!index)
        throw AppError(viewError(QStringLiteral("%1 has no index \"%2\"").arg(m_table->name, indexName)));
    checkBrowseMode();
    m_orderKeys = index->keys;
    m_idDescending = index->idDescending;
    m_orderText = indexName;
    m_orderByIndex = true;
    if (isOpen())
        rangeChanged();
}

void TableView::setIndexFieldNames(const QString& fieldNames)
{
    std::vector<IndexKey> keys;
    for (const QString& name : fieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const FieldSchema* fs = m_table->field(name.trimmed());
        if (!fs)
            throw AppError(viewError(QStringLiteral("the table has no field \"%1\"").arg(name.trimmed())));
        keys.push_back(IndexKey{fs->name, false});
    }
    checkBrowseMode();
    m_orderKeys = keys;
    m_idDescending = false;
    m_orderText = fieldNames;
    m_orderByIndex = false;
    if (isOpen())
        rangeChanged();
}

// --- master link --------------------------------------------------------------------

void TableView::bindTo(DataSource* source, const QString& masterField)
{
    if (m_orderKeys.empty())
        throw AppError(viewError(QStringLiteral("a view needs an order before it can follow a master")));
    checkBrowseMode();
    if (m_master) {
        auto& siblings = m_master->view()->m_details;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    m_master = source;
    m_masterField = masterField;
    source->view()->m_details.push_back(this);
    rangeChanged();
}

void TableView::unbind()
{
    if (!m_master)
        return;
    checkBrowseMode();
    auto& siblings = m_master->view()->m_details;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    m_master = nullptr;
    rangeChanged();
}

void TableView::masterChanged()
{
    checkBrowseMode();
    rangeChanged();
}

void TableView::notifyDetails()
{
    const std::vector<TableView*> details = m_details;
    for (TableView* detail : details)
        detail->masterChanged();
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
    m_staleIds.clear();
    invalidate();
    clearCursor();
    notifyDetails();
    emit stateChanged();
    emit dataSetChanged();
}

void TableView::reread()
{
    if (!isOpen())
        return;
    invalidate();
    m_curRow.reset();
    m_curBlobs.clear();
    m_calc.reset();
    emit dataSetChanged();
    emit recordChanged();
}

void TableView::storeClosing()
{
    m_state = State::Inactive;
    m_storeGone = true;
    m_idsValid = false;
    m_ids.clear();
    m_chunks.clear();
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
    QVariant key;
    bool empty = false;
    if (m_master) {
        TableView* master = m_master->view();
        key = master->isOpen() ? master->value(m_masterField) : QVariant();
        empty = key.isNull();
    }
    m_rangeDirty = false;
    m_rangeKey = key;
    m_rangeEmpty = empty;
    invalidate();
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
    if (!m_idsValid && m_count && *m_count <= kChunk)
        ensureIds();
    fetchEdge(false);
    m_pendingFirst = false;
}

void TableView::invalidate()
{
    if (m_idsValid && !m_ids.empty()) {
        m_staleIds = std::move(m_ids);
        m_stalePos = m_pos;
    }
    m_idsValid = false;
    m_ids.clear();
    m_count.reset();
    m_chunks.clear();
}

void TableView::clearCursor()
{
    m_curId = -1;
    m_pos = -1;
    m_eof = true;
    m_curRow.reset();
    m_curBlobs.clear();
    m_calc.reset();
}

QString TableView::selectColumns() const
{
    QStringList columns{quoted(m_table->idColumn)};
    for (const auto& field : m_table->fields) {
        if (!field.isBlob())
            columns << quoted(field.name);
    }
    return columns.join(QStringLiteral(", "));
}

QString TableView::whereSql(QVariantList& params, const QString& extra, const QVariantList& extraParams)
{
    QStringList parts;
    if (m_master) {
        if (m_rangeEmpty) {
            parts << QStringLiteral("0");
        } else {
            parts << quoted(m_orderKeys.front().field) + QStringLiteral(" = ?");
            params << m_rangeKey;
        }
    }
    if (m_filtered && !m_filter.isEmpty())
        parts << m_filter.sql(params);
    if (!extra.isEmpty()) {
        parts << extra;
        params += extraParams;
    }
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

QString TableView::orderSql(bool reversed) const
{
    QStringList keys;
    for (const auto& key : m_orderKeys) {
        QString k = quoted(key.field);
        if (m_table->field(key.field)->type == FieldType::Text)
            k += QStringLiteral(" COLLATE NOCASE");
        k += key.descending != reversed ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
        keys << k;
    }
    keys << quoted(m_table->idColumn) + (m_idDescending != reversed ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    return QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
}

TableView::Row TableView::readRow(const QSqlQuery& q, int offset) const
{
    Row row(static_cast<qsizetype>(m_table->fields.size()));
    int column = offset;
    for (size_t i = 0; i < m_table->fields.size(); ++i) {
        if (!m_table->fields[i].isBlob())
            row[static_cast<qsizetype>(i)] = q.value(column++);
    }
    return row;
}

bool TableView::fetchEdge(bool lastRecord)
{
    if (m_idsValid) {
        if (m_ids.empty()) {
            clearCursor();
            return false;
        }
        setCurrent(lastRecord ? static_cast<int>(m_ids.size()) - 1 : 0);
        m_eof = false;
        return true;
    }
    if (m_master && m_rangeEmpty) {
        m_idsValid = true;
        m_count = 0;
        clearCursor();
        return false;
    }
    // A filtered view is usually walked next: a small set is read whole at once, so the
    // walk costs no further query.
    if (!lastRecord && walksAhead() && (!m_count || *m_count <= kSmallSet) && readSmallSet()) {
        clearCursor();
        if (m_ids.empty())
            return false;
        setCurrent(0);
        m_eof = false;
        return true;
    }
    QVariantList params;
    const QString sql = QStringLiteral("SELECT %1 FROM %2%3%4 LIMIT 1")
                            .arg(selectColumns(), quoted(m_table->sqlName), whereSql(params), orderSql(lastRecord));
    const TableStore::Reading q = m_store.read(sql, params, m_table->name);
    clearCursor();
    if (!q->next()) {
        m_idsValid = true;
        m_count = 0;
        return false;
    }
    m_curId = q->value(0).toLongLong();
    m_curRow = readRow(*q, 1);
    m_pos = lastRecord ? ensureCount() - 1 : 0;
    m_eof = false;
    return true;
}

bool TableView::walksAhead() const
{
    return m_filtered && !m_filter.isEmpty();
}

// Reads the whole visible set with its values when it holds at most kSmallSet records;
// false, keeping nothing, when it holds more.
bool TableView::readSmallSet()
{
    QVariantList params;
    const QString sql = QStringLiteral("SELECT %1 FROM %2%3%4 LIMIT %5")
                            .arg(selectColumns(), quoted(m_table->sqlName), whereSql(params), orderSql(false))
                            .arg(kSmallSet + 1);
    std::vector<qint64> ids;
    std::vector<Row> rows;
    {
        const TableStore::Reading q = m_store.read(sql, params, m_table->name);
        while (q->next() && static_cast<int>(ids.size()) <= kSmallSet) {
            ids.push_back(q->value(0).toLongLong());
            rows.push_back(readRow(*q, 1));
        }
    }
    if (static_cast<int>(ids.size()) > kSmallSet)
        return false;
    m_ids = std::move(ids);
    m_chunks.clear();
    if (!rows.empty())
        m_chunks[0] = std::move(rows);
    m_idsValid = true;
    m_count = static_cast<int>(m_ids.size());
    return true;
}

int TableView::ensureCount()
{
    if (m_count)
        return *m_count;
    if (m_idsValid) {
        m_count = static_cast<int>(m_ids.size());
        return *m_count;
    }
    if (m_master && m_rangeEmpty) {
        m_count = 0;
        return 0;
    }
    QVariantList params;
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM %1%2").arg(quoted(m_table->sqlName), whereSql(params));
    const TableStore::Reading q = m_store.read(sql, params, m_table->name);
    m_count = q->next() ? q->value(0).toInt() : 0;
    return *m_count;
}

void TableView::ensureIds()
{
    if (m_idsValid)
        return;
    m_ids.clear();
    m_chunks.clear();
    // A set not known to be large is read with its values at once, as far as the eager
    // limit; only a set that turns out larger is read again as ids alone.
    if (!m_count || *m_count <= kEagerRows) {
        QVariantList params;
        const QString sql = QStringLiteral("SELECT %1 FROM %2%3%4 LIMIT %5")
                                .arg(selectColumns(), quoted(m_table->sqlName), whereSql(params), orderSql(false))
                                .arg(kEagerRows + 1);
        const TableStore::Reading q = m_store.read(sql, params, m_table->name);
        while (q->next()) {
            m_chunks[static_cast<int>(m_ids.size()) / kChunk].push_back(readRow(*q, 1));
            m_ids.push_back(q->value(0).toLongLong());
        }
        if (m_ids.size() <= static_cast<size_t>(kEagerRows)) {
            m_idsValid = true;
            m_count = static_cast<int>(m_ids.size());
            return;
        }
        m_ids.clear();
        m_chunks.clear();
    }
    QVariantList params;
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2%3%4")
            .arg(quoted(m_table->idColumn), quoted(m_table->sqlName), whereSql(params), orderSql(false));
    const TableStore::Reading q = m_store.read(sql, params, m_table->name);
    while (q->next())
        m_ids.push_back(q->value(0).toLongLong());
    m_idsValid = true;
    m_count = static_cast<int>(m_ids.size());
}

bool TableView::resolvePos()
{
    ensureIds();
    if (m_curId < 0) {
        m_pos = -1;
        return false;
    }
    const int size = static_cast<int>(m_ids.size());
    if (m_pos >= 0 && m_pos < size && m_ids[static_cast<size_t>(m_pos)] == m_curId)
        return true;
    const auto it = std::find(m_ids.begin(), m_ids.end(), m_curId);
    if (it != m_ids.end()) {
        m_pos = static_cast<int>(it - m_ids.begin());
        return true;
    }
    // The current record has left the visible set (deleted, or changed so that it no longer
    // passes): stand just before the first record that followed it and is still visible.
    int stalePos = m_stalePos;
    if (stalePos < 0 || stalePos >= static_cast<int>(m_staleIds.size()) ||
        m_staleIds[static_cast<size_t>(stalePos)] != m_curId) {
        const auto sit = std::find(m_staleIds.begin(), m_staleIds.end(), m_curId);
        stalePos = sit == m_staleIds.end() ? -1 : static_cast<int>(sit - m_staleIds.begin());
    }
    int successor = size;
    if (stalePos >= 0) {
        std::unordered_map<qint64, int> present;
        present.reserve(m_ids.size());
        for (int i = 0; i < size; ++i)
            present.emplace(m_ids[static_cast<size_t>(i)], i);
        for (size_t i = static_cast<size_t>(stalePos) + 1; i < m_staleIds.size(); ++i) {
            const auto found = present.find(m_staleIds[i]);
            if (found != present.end()) {
                successor = found->second;
                break;
            }
        }
    }
    m_pos = successor - 1;
    return false;
}

void TableView::setCurrent(int pos)
{
    m_pos = pos;
    m_curId = m_ids[static_cast<size_t>(pos)];
    m_curRow.reset();
    m_curBlobs.clear();
    m_calc.reset();
}

void TableView::loadChunk(int chunk)
{
    if (m_chunks.size() >= kMaxChunks)
        m_chunks.clear();
    const size_t begin = static_cast<size_t>(chunk) * kChunk;
    const size_t end = std::min(m_ids.size(), begin + kChunk);
    QStringList marks;
    QVariantList params;
    for (size_t i = begin; i < end; ++i) {
        marks << QStringLiteral("?");
        params << m_ids[i];
    }
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN (%4)")
            .arg(selectColumns(), quoted(m_table->sqlName), quoted(m_table->idColumn), marks.join(QLatin1Char(',')));
    const TableStore::Reading q = m_store.read(sql, params, m_table->name);
    std::unordered_map<qint64, Row> byId;
    while (q->next())
        byId.emplace(q->value(0).toLongLong(), readRow(*q, 1));
    std::vector<Row> rows;
    rows.reserve(end - begin);
    for (size_t i = begin; i < end; ++i) {
        const auto found = byId.find(m_ids[i]);
        rows.push_back(found != byId.end() ? found->second : Row(static_cast<qsizetype>(m_table->fields.size())));
    }
    m_chunks[chunk] = std::move(rows);
}

const TableView::Row& TableView::currentRow()
{
    static const Row none;
    if (m_curId < 0)
        return none;
    if (m_curRow)
        return *m_curRow;
    if (m_idsValid && m_pos >= 0 && m_pos < static_cast<int>(m_ids.size()) &&
        m_ids[static_cast<size_t>(m_pos)] == m_curId) {
        const int chunk = m_pos / kChunk;
        auto it = m_chunks.find(chunk);
        if (it == m_chunks.end()) {
            loadChunk(chunk);
            it = m_chunks.find(chunk);
        }
        m_curRow = it->second[static_cast<size_t>(m_pos % kChunk)];
        return *m_curRow;
    }
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                            .arg(selectColumns(), quoted(m_table->sqlName), quoted(m_table->idColumn));
    const TableStore::Reading q = m_store.read(sql, {m_curId}, m_table->name);
    m_curRow = q->next() ? readRow(*q, 1) : Row(static_cast<qsizetype>(m_table->fields.size()));
    return *m_curRow;
}

QVariant TableView::currentBlob(int tableIndex)
{
    if (m_curId < 0)
        return {};
    const auto it = m_curBlobs.constFind(tableIndex);
    if (it != m_curBlobs.constEnd())
        return *it;
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                            .arg(quoted(m_table->fields[static_cast<size_t>(tableIndex)].name),
                                 quoted(m_table->sqlName), quoted(m_table->idColumn));
    QSqlQuery q = m_store.exec(sql, {m_curId}, m_table->name);
    QVariant blob = q.next() ? q.value(0) : QVariant();
    if (!blob.isNull())
        blob = QVariant(blob.toByteArray());
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
    m_staleIds.clear();
    invalidate();
    clearCursor();
    m_pendingFirst = true;
    scrolled();
    notifyDetails();
    emit dataSetChanged();
    emit recordChanged();
}

// The range or the order changed: the view starts again from its first record when next read.
void TableView::rangeChanged()
{
    m_rangeDirty = true;
    m_staleIds.clear();
    invalidate();
    clearCursor();
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
    if (m_idsValid) {
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
    ensureIds();
    if (m_ids.empty()) {
        clearCursor();
        return;
    }
    const bool stillVisible = resolvePos();
    const int size = static_cast<int>(m_ids.size());
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
    const QVariant stored = convertForField(*fs, value);
    QVariantList extraParams;
    const QString extra = stored.isNull() ? quoted(fs->name) + QStringLiteral(" IS NULL")
                                          : comparisonSql(*fs, QStringLiteral("="), stored, extraParams);
    QVariantList params;
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2%3%4 LIMIT 1")
            .arg(selectColumns(), quoted(m_table->sqlName), whereSql(params, extra, extraParams), orderSql(false));
    QSqlQuery q = m_store.exec(sql, params, m_table->name);
    if (!q.next())
        return false;
    clearCursor();
    m_pendingFirst = false;
    m_curId = q.value(0).toLongLong();
    m_curRow = readRow(q, 1);
    if (m_idsValid)
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
    resolvePos();
    return m_pos;
}

void TableView::moveTo(int position)
{
    checkOpen();
    checkBrowseMode();
    ensureFresh();
    ensureIds();
    if (m_ids.empty())
        return;
    m_pendingFirst = false;
    setCurrent(std::clamp(position, 0, static_cast<int>(m_ids.size()) - 1));
    m_eof = false;
    arrived();
}

// --- filter -------------------------------------------------------------------------

void TableView::setFilterText(const QString& text)
{
    Filter parsed = Filter::parse(text, *m_table); // a refused text changes nothing
    if (m_filtered && isOpen())
        checkBrowseMode();
    m_filterText = text;
    m_filter = std::move(parsed);
    if (m_filtered && isOpen()) {
        restartAtFirst();
    }
}

void TableView::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    if (isOpen())
        checkBrowseMode();
    m_filtered = on;
    if (isOpen()) {
        restartAtFirst();
    }
}

// --- editing ------------------------------------------------------------------------

bool TableView::isModified() const
{
    return std::find(m_modified.begin(), m_modified.end(), true) != m_modified.end();
}

void TableView::insert()
{
    checkWritable();
    checkBrowseMode();
    ensurePositioned(); // a cancel returns to this record
    if (beforeInsert)
        beforeInsert(*this);
    const qsizetype n = static_cast<qsizetype>(m_table->fields.size());
    m_buffer = Row(n);
    m_modified.assign(static_cast<size_t>(n), false);
    m_loaded.assign(static_cast<size_t>(n), true);
    if (m_master && !m_rangeEmpty)
        m_buffer[m_table->fieldIndex(m_orderKeys.front().field)] = m_rangeKey;
    m_state = State::Insert;
    m_calc.reset();
    notifyDetails();
    emit stateChanged();
    emit recordChanged();
    if (afterInsert)
        afterInsert(*this); // a failure here leaves the record begun
}

void TableView::edit()
{
    checkWritable();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    ensurePositioned();
    if (m_curId < 0) {
        insert(); // editing an empty view begins a new record
        return;
    }
    m_buffer = currentRow();
    m_modified.assign(m_table->fields.size(), false);
    m_loaded.assign(m_table->fields.size(), false);
    for (size_t i = 0; i < m_table->fields.size(); ++i)
        m_loaded[i] = !m_table->fields[i].isBlob();
    m_state = State::Edit;
    m_calc.reset();
    emit stateChanged();
}

void TableView::post()
{
    checkOpen();
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    const bool inserting = m_state == State::Insert;
    QStringList changed;
    QStringList assignments;
    QVariantList params;
    for (size_t i = 0; i < m_table->fields.size(); ++i) {
        const FieldSchema& fs = m_table->fields[i];
        if (fs.type == FieldType::AutoInc)
            continue;
        const QVariant& v = m_buffer[static_cast<qsizetype>(i)];
        if (inserting ? (!v.isNull() || m_modified[i]) : m_modified[i]) {
            changed << fs.name;
            assignments << quoted(fs.name);
            params << v;
        }
    }
    const QString table = quoted(m_table->sqlName);
    qint64 id = m_curId;
    // The record and what the after-post reaction writes (a team's new label in its results)
    // are one transaction: a kill or a full disk leaves both or neither.
    TableStore::Batch batch(m_store);
    if (inserting) {
        QString sql;
        if (assignments.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < assignments.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, assignments.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
        id = m_store.write(sql, params, m_table->name);
    } else if (!assignments.isEmpty()) {
        QStringList sets;
        for (const QString& column : assignments)
            sets << column + QStringLiteral(" = ?");
        params << m_curId;
        m_store.write(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                          .arg(table, sets.join(QStringLiteral(", ")), quoted(m_table->idColumn)),
                      params, m_table->name);
    }

    // The record is stored: bring this view's own picture of it up to date.
    bool keyChanged = inserting;
    for (const TableView* detail : m_details)
        keyChanged = keyChanged || changed.contains(detail->m_masterField, Qt::CaseInsensitive);
    if (inserting || affects(changed)) {
        invalidate();
        m_curId = id;
        m_pos = -1;
        m_curRow.reset();
        m_curBlobs.clear();
    } else {
        Row row = m_buffer;
        for (size_t i = 0; i < m_table->fields.size(); ++i) {
            if (m_table->fields[i].isBlob()) {
                if (m_modified[i])
                    m_curBlobs.insert(static_cast<int>(i), m_buffer[static_cast<qsizetype>(i)]);
                row[static_cast<qsizetype>(i)] = QVariant();
            }
        }
        m_curRow = row;
        if (m_idsValid && m_pos >= 0 && m_pos < static_cast<int>(m_ids.size()) &&
            m_ids[static_cast<size_t>(m_pos)] == m_curId) {
            const auto it = m_chunks.find(m_pos / kChunk);
            if (it != m_chunks.end())
                it->second[static_cast<size_t>(m_pos % kChunk)] = row;
        }
    }
    m_state = State::Browse;
    m_buffer.clear();
    m_modified.clear();
    m_calc.reset();
    m_store.notifyChange(*m_table, inserting ? TableStore::Change::Insert : TableStore::Change::Update, id, changed,
                         this);
    if (keyChanged)
        notifyDetails();
    emit stateChanged();
    if (inserting)
        emit dataSetChanged();
    emit recordChanged();
    if (afterPost)
        afterPost(*this);
    batch.commit();
}

void TableView::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    const bool inserting = m_state == State::Insert;
    bool keyChanged = inserting;
    for (const TableView* detail : m_details) {
        const int i = m_table->fieldIndex(detail->m_masterField);
        keyChanged = keyChanged || (i >= 0 && m_modified[static_cast<size_t>(i)]);
    }
    m_state = State::Browse;
    m_buffer.clear();
    m_modified.clear();
    m_calc.reset();
    if (keyChanged)
        notifyDetails();
    emit stateChanged();
    emit recordChanged();
}

void TableView::remove()
{
    checkWritable();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    ensurePositioned();
    if (m_curId < 0)
        throw AppError(viewError(QStringLiteral("cannot delete from an empty view")));
    const qint64 id = m_curId;
    resolvePos(); // where it stands now, so that its successor can be found afterwards
    m_store.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(quoted(m_table->sqlName), quoted(m_table->idColumn)),
                 {id}, m_table->name);
    invalidate();
    m_store.notifyChange(*m_table, TableStore::Change::Delete, id, {}, this);
    // Stand on the record that followed the deleted one, or on the new last record.
    ensureIds();
    resolvePos();
    if (m_ids.empty()) {
        clearCursor();
    } else {
        setCurrent(std::min(m_pos + 1, static_cast<int>(m_ids.size()) - 1));
        m_eof = false;
    }
    scrolled();
    notifyDetails();
    emit dataSetChanged();
    emit recordChanged();
}

QVariant TableView::convertForField(const FieldSchema& field, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    const bool isText = value.typeId() == QMetaType::QString;
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::Smallint:
    case FieldType::AutoInc: {
        qint64 n = 0;
        if (isText) {
            if (value.toString().isEmpty())
                return {};
            n = TextFormat::parseInteger(value.toString());
        } else {
            bool ok = false;
            n = value.toLongLong(&ok);
            if (!ok)
                throw invalidIntegerError(value.toString());
        }
        const qint64 low =
            field.type == FieldType::Smallint ? std::numeric_limits<qint16>::min() : std::numeric_limits<qint32>::min();
        const qint64 high =
            field.type == FieldType::Smallint ? std::numeric_limits<qint16>::max() : std::numeric_limits<qint32>::max();
        if (n < low || n > high)
            throw AppError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4.")
                               .arg(n)
                               .arg(field.name)
                               .arg(low)
                               .arg(high));
        return QVariant(n);
    }
    case FieldType::Text: {
        const QString text = cut(value.toString(), field.width);
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Memo: {
        const QString text = value.toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Date: {
        QDate date;
        if (value.typeId() == QMetaType::QDate) {
            date = value.toDate();
        } else if (value.typeId() == QMetaType::QDateTime) {
            date = value.toDateTime().date();
        } else {
            const QString text = value.toString();
            if (text.trimmed().isEmpty())
                return {};
            date = TextFormat::parseDate(text);
            if (!date.isValid())
                throw invalidDateError(text);
        }
        if (!date.isValid())
            throw invalidDateError(value.toString());
        return QVariant(date.toString(Qt::ISODate));
    }
    case FieldType::Float: {
        bool ok = false;
        double v = 0;
        if (isText) {
            if (value.toString().trimmed().isEmpty())
                return {};
            v = QLocale().toDouble(value.toString().trimmed(), &ok);
        } else {
            v = value.toDouble(&ok);
        }
        if (!ok)
            throw invalidFloatError(value.toString());
        return QVariant(v);
    }
    case FieldType::Picture: {
        const QByteArray bytes = value.toByteArray();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    }
    return value;
}

void TableView::setValue(const QString& fieldName, const QVariant& value)
{
    checkWritable();
    if (m_state != State::Edit && m_state != State::Insert)
        throw AppError(viewError(QStringLiteral("the record is not being edited or inserted")));
    const ViewField& vf = declared(fieldName);
    if (vf.calculated || vf.readOnly)
        throw AppError(viewError(QStringLiteral("the field \"%1\" cannot be modified").arg(vf.name)));
    const FieldSchema& fs = m_table->fields[static_cast<size_t>(vf.tableIndex)];
    m_buffer[vf.tableIndex] = convertForField(fs, value);
    m_modified[static_cast<size_t>(vf.tableIndex)] = true;
    m_loaded[static_cast<size_t>(vf.tableIndex)] = true;
    m_calc.reset();
    for (const TableView* detail : m_details) {
        if (detail->m_masterField.compare(fs.name, Qt::CaseInsensitive) == 0) {
            notifyDetails();
            break;
        }
    }
    emit recordChanged();
}

void TableView::setCalcValue(const QString& fieldName, const QVariant& value)
{
    const int i = declaredIndex(fieldName);
    if (!m_inCalc || i < 0 || !m_fields[static_cast<size_t>(i)].calculated)
        throw AppError(viewError(QStringLiteral("\"%1\" is not a calculated field being computed").arg(fieldName)));
    const ViewField& vf = m_fields[static_cast<size_t>(i)];
    (*m_calc)[i] = value.isNull() ? QVariant() : QVariant(cut(value.toString(), vf.size));
}

void TableView::computeCalc()
{
    if (m_calc)
        return;
    m_calc = QVariantList(static_cast<qsizetype>(m_fields.size()));
    const bool hasRecord = m_curId >= 0 || m_state == State::Insert;
    if (!calcFields || !hasRecord)
        return;
    m_inCalc = true;
    try {
        calcFields(*this);
    } catch (...) {
        m_inCalc = false;
        throw;
    }
    m_inCalc = false;
}

bool TableView::affects(const QStringList& changedFields) const
{
    for (const QString& field : changedFields) {
        if (m_filtered && m_filter.fields().contains(field, Qt::CaseInsensitive))
            return true;
        for (const auto& key : m_orderKeys) {
            if (key.field.compare(field, Qt::CaseInsensitive) == 0)
                return true; // the first key is also the range's
        }
    }
    return false;
}

void TableView::tableChanged(TableStore::Change change, qint64 id, const QStringList& changedFields)
{
    if (!isOpen())
        return;
    if (change == TableStore::Change::Update && !affects(changedFields)) {
        // The set and its order stand; only the values read of the record are stale.
        m_chunks.clear();
        if (m_curId == id) {
            m_curRow.reset();
            m_curBlobs.clear();
            m_calc.reset();
            for (const TableView* detail : m_details) {
                if (changedFields.contains(detail->m_masterField, Qt::CaseInsensitive)) {
                    notifyDetails();
                    break;
                }
            }
            emit recordChanged();
        }
        return;
    }
    invalidate();
    if (m_curId == id) {
        m_curRow.reset();
        m_curBlobs.clear();
        m_calc.reset();
    }
    emit dataSetChanged();
}

// --- reading ------------------------------------------------------------------------

QVariant TableView::value(const QString& fieldName)
{
    checkOpen();
    ensurePositioned();
    const int di = declaredIndex(fieldName);
    if (di < 0)
        throw AppError(viewError(QStringLiteral("field \"%1\" not found").arg(fieldName)));
    const ViewField& vf = m_fields[static_cast<size_t>(di)];
    if (vf.calculated) {
        computeCalc();
        return (*m_calc)[di];
    }
    const int ti = vf.tableIndex;
    const FieldSchema& fs = m_table->fields[static_cast<size_t>(ti)];
    QVariant v;
    if (m_state == State::Edit || m_state == State::Insert) {
        if (m_loaded[static_cast<size_t>(ti)])
            v = m_buffer[ti];
        else
            v = currentBlob(ti);
    } else if (fs.isBlob()) {
        v = currentBlob(ti);
    } else {
        const Row& row = currentRow();
        v = row.isEmpty() ? QVariant() : row[ti];
    }
    if (v.isNull())
        return {};
    if (fs.type == FieldType::Date)
        return QVariant(QDate::fromString(v.toString(), Qt::ISODate));
    return v;
}

qint64 TableView::asInteger(const QString& fieldName)
{
    const QVariant v = value(fieldName);
    return v.isNull() ? 0 : v.toLongLong();
}

double TableView::asFloat(const QString& fieldName)
{
    const QVariant v = value(fieldName);
    return v.isNull() ? 0.0 : v.toDouble();
}

QDate TableView::asDate(const QString& fieldName)
{
    return value(fieldName).toDate();
}

QByteArray TableView::asBytes(const QString& fieldName)
{
    return value(fieldName).toByteArray();
}

QString TableView::asString(const QString& fieldName)
{
    const QVariant v = value(fieldName);
    if (v.isNull())
        return {};
    const ViewField& vf = declared(fieldName);
    if (vf.calculated)
        return v.toString();
    switch (vf.type) {
    case FieldType::Date:
        return TextFormat::dateText(v.toDate());
    case FieldType::Float:
        return floatText(v.toDouble());
    case FieldType::Picture:
        return {};
    case FieldType::Integer:
    case FieldType::Smallint:
    case FieldType::AutoInc:
        return QString::number(v.toLongLong());
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return v.toString();
}

std::vector<QVariantList> TableView::listValues(const QStringList& fieldNames)
{
    checkOpen();
    ensureFresh();
    std::vector<const FieldSchema*> wanted;
    QStringList columns;
    for (const QString& name : fieldNames) {
        const ViewField& vf = declared(name);
        const FieldSchema* fs = vf.calculated ? nullptr : m_table->field(vf.name);
        if (!fs || fs->isBlob())
            throw AppError(viewError(QStringLiteral("cannot list the field \"%1\"").arg(name)));
        wanted.push_back(fs);
        columns << quoted(fs->name);
    }
    std::vector<QVariantList> rows;
    if (columns.isEmpty() || (m_master && m_rangeEmpty))
        return rows;
    QVariantList params;
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2%3%4")
            .arg(columns.join(QStringLiteral(", ")), quoted(m_table->sqlName), whereSql(params), orderSql(false));
    QSqlQuery q = m_store.exec(sql, params, m_table->name);
    while (q.next()) {
        QVariantList row;
        for (size_t i = 0; i < wanted.size(); ++i) {
            QVariant v = q.value(static_cast<int>(i));
            if (!v.isNull() && wanted[i]->type == FieldType::Date)
                v = QVariant(QDate::fromString(v.toString(), Qt::ISODate));
            row << v;
        }
        rows.push_back(row);
    }
    return rows;
}

QString TableView::displayText(const QString& fieldName)
{
    const ViewField& vf = declared(fieldName);
    if (vf.groupedDigits && !vf.calculated) {
        const QVariant v = value(fieldName);
        return v.isNull() ? QString() : TextFormat::capacityText(v.toLongLong());
    }
    return asString(fieldName);
}
