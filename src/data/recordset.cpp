#include "recordset.h"

#include "fieldvalue.h"

#include <QDate>
#include <algorithm>

// --- rows ---------------------------------------------------------------------------

void RowBlock::appendText(Cell& c, const char* data, int size)
{
    c.kind = Kind::Text;
    c.offset = static_cast<quint64>(m_text.size());
    c.size = static_cast<quint32>(size);
    m_text.insert(m_text.end(), data, data + size);
}

void RowBlock::append(const KeptStatements::Cursor& cursor)
{
    for (int column = 0; column < m_columns; ++column) {
        Cell c;
        c.integer = 0;
        switch (cursor.kind(column)) {
        case KeptStatements::Cursor::Kind::Integer:
            c.kind = Kind::Integer;
            c.integer = cursor.integer(column);
            break;
        case KeptStatements::Cursor::Kind::Float:
            c.kind = Kind::Float;
            c.real = cursor.real(column);
            break;
        case KeptStatements::Cursor::Kind::Text: {
            int size = 0;
            const char* data = cursor.text(column, size);
            appendText(c, data, size);
            break;
        }
        case KeptStatements::Cursor::Kind::Blob:
        case KeptStatements::Cursor::Kind::Null:
            break;
        }
        m_cells.push_back(c);
    }
}

void RowBlock::appendValues(const QVariantList& stored)
{
    for (int column = 0; column < m_columns; ++column) {
        const QVariant& v = column < stored.size() ? stored[column] : QVariant();
        Cell c;
        c.integer = 0;
        if (v.isNull()) {
        } else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
            c.kind = Kind::Float;
            c.real = v.toDouble();
        } else if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QDate) {
            const QByteArray text = v.typeId() == QMetaType::QDate ? FieldValue::storedDate(v.toDate()).toUtf8()
                                                                   : storableText(v.toString()).toUtf8();
            appendText(c, text.constData(), static_cast<int>(text.size()));
        } else if (v.typeId() != QMetaType::QByteArray) {
            c.kind = Kind::Integer;
            c.integer = v.toLongLong();
        }
        m_cells.push_back(c);
    }
}

// The cells move; the texts they point into stay where they are.
void RowBlock::reverseRows()
{
    const auto width = static_cast<std::ptrdiff_t>(m_columns);
    for (std::ptrdiff_t a = 0, b = rows() - 1; a < b; ++a, --b)
        std::swap_ranges(m_cells.begin() + a * width, m_cells.begin() + (a + 1) * width, m_cells.begin() + b * width);
}

void RowBlock::replace(int row, const RowBlock& other, int otherRow)
{
    for (int column = 0; column < m_columns && column < other.m_columns; ++column) {
        Cell c = other.cell(otherRow, column);
        if (c.kind == Kind::Text)
            appendText(c, other.m_text.data() + c.offset, static_cast<int>(c.size));
        m_cells[static_cast<size_t>(row * m_columns + column)] = c;
    }
}

QString RowBlock::text(const Cell& c) const
{
    return QString::fromUtf8(m_text.data() + c.offset, static_cast<qsizetype>(c.size));
}

qint64 RowBlock::integer(int row, int column) const
{
    const Cell& c = cell(row, column);
    switch (c.kind) {
    case Kind::Integer:
        return c.integer;
    case Kind::Float:
        return static_cast<qint64>(c.real);
    case Kind::Text:
        return text(c).toLongLong();
    case Kind::Null:
        break;
    }
    return 0;
}

QVariant RowBlock::value(int row, int column, FieldType type) const
{
    const Cell& c = cell(row, column);
    switch (c.kind) {
    case Kind::Integer:
        return type == FieldType::Float ? QVariant(static_cast<double>(c.integer)) : QVariant(c.integer);
    case Kind::Float:
        return QVariant(c.real);
    case Kind::Text:
        if (type == FieldType::Date)
            return QVariant(FieldValue::dateFromStored(m_text.data() + c.offset, static_cast<int>(c.size)));
        return QVariant(text(c));
    case Kind::Null:
        break;
    }
    return {};
}

QVariant RowBlock::stored(int row, int column) const
{
    const Cell& c = cell(row, column);
    switch (c.kind) {
    case Kind::Integer:
        return QVariant(c.integer);
    case Kind::Float:
        return QVariant(c.real);
    case Kind::Text:
        return QVariant(text(c));
    case Kind::Null:
        break;
    }
    return {};
}

Row Row::fromStored(const ViewQuery& query, qint64 id, const QVariantList& byField)
{
    const std::vector<int>& fields = query.columnFields();
    auto block = std::make_shared<RowBlock>(static_cast<int>(fields.size()) + 1, 1);
    QVariantList values{id};
    for (const int field : fields)
        values << (field < byField.size() ? byField[field] : QVariant());
    block->appendValues(values);
    return Row(std::move(block), 0);
}

// --- the set ------------------------------------------------------------------------

void RecordSet::use(int column)
{
    const quint64 bit = ViewQuery::columnBit(column);
    if (m_used & bit)
        return;
    m_used |= bit;
    if (m_readColumns != ViewQuery::kAllColumns)
        m_readColumns |= bit;
}

void RecordSet::reset()
{
    // The next set is read with the columns asked for so far.
    if (m_used)
        m_readColumns = m_used | ViewQuery::columnBit(0);
    if (m_loaded && !m_ids.empty())
        m_pastIds = std::move(m_ids);
    m_loaded = false;
    m_ids.clear();
    m_count.reset();
    m_chunks.clear();
    m_index.clear();
    m_changed.clear();
    m_large = false;
}

void RecordSet::forgetPast()
{
    m_pastIds.clear();
}

void RecordSet::setEmpty()
{
    reset();
    m_loaded = true;
    m_count = 0;
}

void RecordSet::markChanged(qint64 id)
{
    if (!m_chunks.empty())
        m_changed.insert(id);
}

void RecordSet::patch(const Row& row)
{
    if (!row.isValid())
        return;
    if (!m_loaded) {
        // Chunks read by place: the record is looked for among them.
        for (auto& [chunk, c] : m_chunks) {
            for (int r = 0; r < c.block->rows(); ++r) {
                if (c.block->id(r) == row.id()) {
                    c.block->replace(r, *row.block(), row.index());
                    return;
                }
            }
        }
        return;
    }
    const int index = indexOf(row.id());
    if (index < 0)
        return;
    const auto it = m_chunks.find(index / kChunk);
    if (it != m_chunks.end() && it->second.covers(index % kChunk))
        it->second.block->replace(index % kChunk - it->second.from, *row.block(), row.index());
}

int RecordSet::count()
{
    if (m_count)
        return *m_count;
    if (m_query.selectsNothing()) {
        setEmpty();
        return 0;
    }
    // A filtered set is usually walked after it is counted: a small one is read whole,
    // which answers the count and the walk with one statement.
    if (m_query.isFiltered() && loadSmall())
        return *m_count;
    {
        KeptStatements::Cursor cursor = read(m_query.count());
        m_count = cursor.next() ? static_cast<int>(cursor.integer(0)) : 0;
    }
    if (*m_count <= kSmallSet)
        m_largeStatements.erase(smallSet().sql);
    return *m_count;
}

RecordSet::Chunk& RecordSet::keep(int chunk, std::shared_ptr<RowBlock> block, int from, bool partial)
{
    if (m_chunks.size() >= kMaxChunks && !m_chunks.count(chunk)) {
        // The chunk read longest ago makes room.
        const auto oldest = std::min_element(m_chunks.begin(), m_chunks.end(), [](const auto& a, const auto& b) {
            return a.second.used < b.second.used;
        });
        m_chunks.erase(oldest);
    }
    Chunk& c = m_chunks[chunk];
    c.block = std::move(block);
    c.used = ++m_clock;
    c.from = from;
    c.partial = partial;
    return c;
}

bool RecordSet::readWhole(const Statement& statement, int limit, quint64 columns)
{
    std::vector<qint64> ids;
    std::vector<std::shared_ptr<RowBlock>> blocks;
    {
        KeptStatements::Cursor cursor = read(statement);
        while (cursor.next()) {
            if (static_cast<int>(ids.size()) == limit)
                return false;
            if (ids.size() % kChunk == 0) {
                blocks.push_back(std::make_shared<RowBlock>(this->columns(), std::min(limit, kChunk)));
                blocks.back()->setRead(columns);
            }
            blocks.back()->append(cursor);
            ids.push_back(cursor.integer(0));
        }
    }
    m_ids = std::move(ids);
    m_chunks.clear();
    m_index.clear();
    for (size_t i = 0; i < blocks.size(); ++i)
        keep(static_cast<int>(i), std::move(blocks[i]));
    m_loaded = true;
    m_count = static_cast<int>(m_ids.size());
    return true;
}

bool RecordSet::loadSmall()
{
    if (m_loaded)
        return size() <= kSmallSet;
    if (m_large || (m_count && *m_count > kSmallSet))
        return false;
    if (m_query.selectsNothing()) {
        setEmpty();
        return true;
    }
    const Statement statement = smallSet();
    if (!m_count && m_largeStatements.count(statement.sql)) {
        m_large = true;
        return false;
    }
    if (readWhole(statement, kSmallSet, m_readColumns)) {
        m_largeStatements.erase(statement.sql);
        return true;
    }
    m_largeStatements.insert(statement.sql);
    m_large = true;
    return false;
}

void RecordSet::load()
{
    if (m_loaded)
        return;
    if (m_query.selectsNothing()) {
        setEmpty();
        return;
    }
    // A set not known to be large is read with its values at once, as far as the eager
    // limit; only a set that turns out larger is read again as ids alone.
    if ((!m_count || *m_count <= kEagerRows) &&
        readWhole(m_query.rows(kEagerRows + 1, m_readColumns), kEagerRows, m_readColumns))
        return;
    // Chunks already read by place stay: they hold the same records at the same places.
    m_index.clear();
    m_ids.clear();
    KeptStatements::Cursor cursor = read(m_query.ids());
    while (cursor.next())
        m_ids.push_back(cursor.integer(0));
    m_loaded = true;
    m_count = static_cast<int>(m_ids.size());
}

std::shared_ptr<RowBlock> RecordSet::readById(int chunk, quint64 columns)
{
    const size_t begin = static_cast<size_t>(chunk) * kChunk;
    const size_t end = std::min(m_ids.size(), begin + kChunk);
    const std::vector<qint64> ids(m_ids.begin() + static_cast<std::ptrdiff_t>(std::min(begin, end)),
                                  m_ids.begin() + static_cast<std::ptrdiff_t>(end));
    RowBlock fetched(this->columns(), static_cast<int>(ids.size()));
    if (!ids.empty()) {
        KeptStatements::Cursor cursor = read(m_query.rowsById(ids, columns));
        while (cursor.next())
            fetched.append(cursor);
    }
    std::unordered_map<qint64, int> found;
    for (int r = 0; r < fetched.rows(); ++r)
        found.emplace(fetched.id(r), r);
    auto block = std::make_shared<RowBlock>(this->columns(), static_cast<int>(ids.size()));
    block->setRead(columns);
    for (const qint64 id : ids) {
        const auto f = found.find(id);
        block->appendValues({id}); // a record deleted meanwhile reads as empty
        if (f != found.end())
            block->replace(block->rows() - 1, fetched, f->second);
    }
    return block;
}

std::shared_ptr<RowBlock> RecordSet::readByPlace(int chunk, quint64 columns, int from, int to)
{
    const int total = count();
    const int chunkBegin = chunk * kChunk;
    const int chunkEnd = std::min(total, chunkBegin + kChunk);
    const int begin = chunkBegin + from;
    const int end = to < 0 ? chunkEnd : std::min(chunkEnd, chunkBegin + to);
    auto block = std::make_shared<RowBlock>(this->columns(), std::max(0, end - begin));
    block->setRead(columns);
    if (end <= begin)
        return block;
    if (chunkBegin <= total - chunkEnd) {
        KeptStatements::Cursor cursor = read(m_query.window(begin, end - begin, false, columns));
        while (cursor.next())
            block->append(cursor);
        return block;
    }
    // Nearer the end: read from the last record backwards, so that the database skips
    // the fewer records, and put the rows back in the view's order.
    {
        KeptStatements::Cursor cursor = read(m_query.window(total - end, end - begin, true, columns));
        while (cursor.next())
            block->append(cursor);
    }
    block->reverseRows();
    return block;
}

RecordSet::Chunk& RecordSet::chunkFor(int chunk, int first, int last, quint64 columns, int least)
{
    auto it = m_chunks.find(chunk);
    if (it != m_chunks.end() && it->second.block->holds(columns) &&
        (!it->second.partial || (it->second.covers(first) && it->second.covers(last)))) {
        it->second.used = ++m_clock;
        return it->second;
    }
    const int total = count();
    const int size = std::min(kChunk, total - chunk * kChunk);
    // Reading by place costs as many records as the database skips: far from both
    // ends, loading the ids once is cheaper than skipping again for every chunk.
    if (!m_loaded && std::min(chunk * kChunk, total - (chunk + 1) * kChunk) > kEagerRows)
        load();
    const quint64 read = m_readColumns | columns;
    if (m_loaded)
        return keep(chunk, readById(chunk, read));
    const bool atStart = chunk == 0;
    const bool atEnd = (chunk + 1) * kChunk >= total;
    if (it == m_chunks.end() && size > least && (atStart || atEnd)) {
        // An end chunk not read yet: from the set's end as far as asked.
        const int from = atStart ? 0 : std::min(first, size - least);
        const int to = atStart ? std::max(last + 1, least) : size;
        if (to - from < size)
            return keep(chunk, readByPlace(chunk, read, from, to), from, true);
    }
    return keep(chunk, readByPlace(chunk, read));
}

Row RecordSet::rowAt(int index, quint64 columns)
{
    if (index < 0)
        return {};
    const int r = index % kChunk;
    // One record (the view's own, usually) is read with a screenful of its neighbours.
    Chunk& c = chunkFor(index / kChunk, r, r, columns, kFirstRead);
    if (!c.covers(r))
        return {};
    const int b = r - c.from;
    const qint64 id = c.block->id(b);
    if (!m_changed.empty() && m_changed.erase(id)) {
        const Row fresh = byId(id);
        if (fresh.isValid())
            c.block->replace(b, *fresh.block(), fresh.index());
    }
    return Row(c.block, b);
}

void RecordSet::fetch(int first, int last, quint64 columns)
{
    first = std::max(first, 0);
    last = std::min(last, count() - 1);
    for (int chunk = first / kChunk; first <= last && chunk <= last / kChunk; ++chunk) {
        const int begin = chunk * kChunk;
        const int from = std::max(first, begin);
        const int to = std::min(last, begin + kChunk - 1);
        chunkFor(chunk, from - begin, to - begin, columns, 1);
        for (int index = from; !m_changed.empty() && index <= to; ++index)
            rowAt(index, columns); // a record changed elsewhere is read again
    }
}

Row RecordSet::cachedRow(int index, quint64 columns) const
{
    if (index < 0)
        return {};
    const auto it = m_chunks.find(index / kChunk);
    if (it == m_chunks.end() || !it->second.covers(index % kChunk) || !it->second.block->holds(columns))
        return {};
    Row row(it->second.block, index % kChunk - it->second.from);
    if (!m_changed.empty() && m_changed.count(row.id()))
        return {};
    return row;
}

int RecordSet::indexOf(qint64 id, int hint)
{
    if (hint >= 0 && hint < size() && m_ids[static_cast<size_t>(hint)] == id)
        return hint;
    if (m_index.empty() && !m_ids.empty()) {
        m_index.reserve(m_ids.size());
        for (size_t i = 0; i < m_ids.size(); ++i)
            m_index.emplace(m_ids[i], static_cast<int>(i));
    }
    const auto it = m_index.find(id);
    return it == m_index.end() ? -1 : it->second;
}

int RecordSet::successorOf(qint64 id)
{
    const auto at = std::find(m_pastIds.begin(), m_pastIds.end(), id);
    if (at != m_pastIds.end()) {
        for (auto it = at + 1; it != m_pastIds.end(); ++it) {
            const int index = indexOf(*it);
            if (index >= 0)
                return index;
        }
    }
    return size();
}

Row RecordSet::single(const Statement& statement, quint64 columns)
{
    KeptStatements::Cursor cursor = read(statement);
    if (!cursor.next())
        return {};
    auto block = std::make_shared<RowBlock>(this->columns(), 1);
    block->setRead(columns);
    block->append(cursor);
    return Row(std::move(block), 0);
}

Row RecordSet::edge(bool last)
{
    if (m_query.selectsNothing())
        return {};
    // Read with the columns asked for so far: the first or last record of a competition's
    // results then often comes from an index alone. A column asked for later is read then.
    return single(m_query.edge(last, m_readColumns), m_readColumns);
}

Row RecordSet::locate(const FieldSchema& field, const QVariant& stored)
{
    if (m_query.selectsNothing())
        return {};
    return single(m_query.locate(field, stored));
}

Row RecordSet::byId(qint64 id)
{
    return single(m_query.rowsById({id}));
}

QVariant RecordSet::picture(const FieldSchema& field, qint64 id)
{
    KeptStatements::Cursor cursor = read(m_query.picture(field, id));
    if (!cursor.next() || cursor.kind(0) == KeptStatements::Cursor::Kind::Null)
        return {};
    return QVariant(cursor.blob(0));
}

std::vector<QVariantList> RecordSet::list(const std::vector<const FieldSchema*>& fields)
{
    std::vector<QVariantList> rows;
    if (fields.empty() || m_query.selectsNothing())
        return rows;
    KeptStatements::Cursor cursor = read(m_query.list(fields));
    while (cursor.next()) {
        QVariantList row;
        row.reserve(static_cast<qsizetype>(fields.size()));
        for (size_t i = 0; i < fields.size(); ++i) {
            const int column = static_cast<int>(i);
            if (fields[i]->type == FieldType::Date && cursor.kind(column) == KeptStatements::Cursor::Kind::Text) {
                int size = 0;
                const char* text = cursor.text(column, size);
                row << QVariant(FieldValue::dateFromStored(text, size));
            } else {
                row << FieldValue::fromStored(fields[i]->type, cursor.value(column));
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}
