#pragma once

#include "keptstatements.h"
#include "tablestore.h"
#include "viewquery.h"

#include <QVariant>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Rows as they were read, flat: one cell per column, texts kept as the database's UTF-8
// and decoded only when a value is asked for.
class RowBlock
{
public:
    // Room for rows rows is taken at once.
    RowBlock(int columns, int rows) : m_columns(columns)
    {
        m_cells.reserve(static_cast<size_t>(columns * rows));
        m_text.reserve(static_cast<size_t>(rows) * 64);
    }
    int columns() const { return m_columns; }
    // The columns its rows were read with (ViewQuery::columnBit); the others read as null.
    void setRead(quint64 columns) { m_read = columns; }
    bool holds(quint64 columns) const { return (m_read & columns) == columns; }
    int rows() const { return m_columns ? static_cast<int>(m_cells.size()) / m_columns : 0; }

    void append(const KeptStatements::Cursor& cursor); // the cursor's current row
    void appendValues(const QVariantList& stored);     // a row of stored values, by column
    void replace(int row, const RowBlock& other, int otherRow);
    void reverseRows(); // the last row first

    qint64 id(int row) const { return cell(row, 0).integer; }
    bool isNull(int row, int column) const { return cell(row, column).kind == Kind::Null; }
    qint64 integer(int row, int column) const;
    // The value as the views give it (a Date text as QDate) or as it is stored.
    QVariant value(int row, int column, FieldType type) const;
    QVariant stored(int row, int column) const;

private:
    enum class Kind : quint8
    {
        Null,
        Integer,
        Float,
        Text
    };
    struct Cell
    {
        Kind kind = Kind::Null;
        quint32 size = 0;
        union {
            qint64 integer;
            double real;
            quint64 offset; // of a text in m_text
        };
    };
    const Cell& cell(int row, int column) const { return m_cells[static_cast<size_t>(row * m_columns + column)]; }
    QString text(const Cell& c) const;
    void appendText(Cell& c, const char* data, int size);

    int m_columns;
    quint64 m_read = ViewQuery::kAllColumns;
    std::vector<Cell> m_cells;
    std::vector<char> m_text;
};

// One record's row: a place in a block, kept alive as long as someone reads it.
class Row
{
public:
    Row() = default;
    Row(std::shared_ptr<const RowBlock> block, int index) : m_block(std::move(block)), m_index(index) {}
    bool isValid() const { return m_block != nullptr; }
    // Valid and read with these columns.
    bool holds(quint64 columns) const { return m_block && m_block->holds(columns); }
    qint64 id() const { return m_block->id(m_index); }
    bool isNull(int column) const { return !m_block || m_block->isNull(m_index, column); }
    qint64 integer(int column) const { return m_block ? m_block->integer(m_index, column) : 0; }
    QVariant value(int column, FieldType type) const
    {
        return m_block ? m_block->value(m_index, column, type) : QVariant();
    }
    QVariant stored(int column) const { return m_block ? m_block->stored(m_index, column) : QVariant(); }

    // A row made of stored values by table field (pictures left out), with its id.
    static Row fromStored(const ViewQuery& query, qint64 id, const QVariantList& byField);

    const RowBlock* block() const { return m_block.get(); }
    int index() const { return m_index; }

private:
    std::shared_ptr<const RowBlock> m_block;
    int m_index = 0;
};

// The visible records of a view: their ids in order, their count, their values in chunks,
// and what the set was before its last change (to find where a record that left it
// stood). Any record can be read by its place without moving a cursor, which is what a
// grid needs. Everything is worked out when first asked for and kept until reset().
//
// Records are read with the columns the view has asked for of any record so far (every
// column until it first asks): a walk that reads two fields of every record does not copy
// the rest. A row asked for with a column it was not read with is read again with it.
//
// A large set that has only been counted is read by place, chunk by chunk, without its
// ids, as long as the chunk is near one of its ends: a grid over a million records shows
// its first or its last screen after one count and one short read. A chunk further in
// loads the ids. The chunk at either end is first read only from that end as far as the
// records asked for (at least kFirstRead of them), the rest of it when a record of the
// rest is asked for: the first or the last screen costs about a screen, not a chunk.
class RecordSet
{
public:
    RecordSet(TableStore& store, const ViewQuery& query, const QString& context)
        : m_store(store), m_query(query), m_context(context)
    {
    }

    // Forgets the set; its ids are kept as the past set, to find successors in.
    void reset();
    // Forgets the past set as well (the order or the range changed).
    void forgetPast();
    // Forgets the values read, keeping the ids (a record changed where the order and the
    // filter do not look).
    void dropValues() { m_chunks.clear(); }
    // The record changed: its cached values are replaced by the row's.
    void patch(const Row& row);
    // The record changed elsewhere: its cached values are read again when next asked for.
    void markChanged(qint64 id);

    bool isLoaded() const { return m_loaded; }
    std::optional<int> knownCount() const { return m_count; }
    int count();
    // Loads the ids (with the values, when the set is not large).
    void load();
    // Loads the whole set with its values when it holds at most kSmallSet records; false,
    // keeping nothing, when it holds more.
    bool loadSmall();
    // The set is known to be empty without asking the database.
    void setEmpty();

    // After load():
    int size() const { return static_cast<int>(m_ids.size()); }
    qint64 idAt(int index) const { return m_ids[static_cast<size_t>(index)]; }
    // The record at a place with at least the given columns, read with its chunk when not
    // cached so; before load() the chunk is read by place (counting the set first). An
    // invalid row beyond the end.
    Row rowAt(int index, quint64 columns = ViewQuery::kAllColumns);
    // Reads the records first .. last that are not cached with the given columns (by
    // chunks, as rowAt() does).
    void fetch(int first, int last, quint64 columns = ViewQuery::kAllColumns);
    // The record at a place as far as it is cached with current values and the given
    // columns; queries nothing.
    Row cachedRow(int index, quint64 columns = ViewQuery::kAllColumns) const;
    // The view read this column of a record: later reads of records include it.
    void use(int column);
    // The place of a record, -1 when it is not in the set; hint is where it is expected.
    int indexOf(qint64 id, int hint = -1);
    // Where a record that has left the set would stand: the place of the first record
    // that followed it in the past set and is still in it; size() when none does.
    int successorOf(qint64 id);

    // One record read by one statement: the first or last, or the first whose field
    // equals a stored value, or any by id. An invalid row when there is none.
    Row edge(bool last);
    Row locate(const FieldSchema& field, const QVariant& stored);
    Row byId(qint64 id);
    QVariant picture(const FieldSchema& field, qint64 id);
    // The named fields of every visible record, as the views give them.
    std::vector<QVariantList> list(const std::vector<const FieldSchema*>& fields);

    static constexpr int kChunk = 256;
    static constexpr int kSmallSet = kChunk;
    static constexpr int kEagerRows = 20000;
    static constexpr size_t kMaxChunks = 128;
    static constexpr int kFirstRead = 32;

private:
    struct Chunk
    {
        std::shared_ptr<RowBlock> block;
        quint64 used = 0;
        int from = 0;         // the place in the chunk of the block's first row
        bool partial = false; // read in part: the records of the chunk beyond the block are not read
        bool covers(int r) const { return r >= from && r < from + block->rows(); }
    };
    Row single(const Statement& statement, quint64 columns = ViewQuery::kAllColumns);
    std::shared_ptr<RowBlock> readById(int chunk, quint64 columns);
    // The records of a chunk at places from .. to - 1 in it (to -1: to its end).
    std::shared_ptr<RowBlock> readByPlace(int chunk, quint64 columns, int from = 0, int to = -1);
    // The chunk holding a record, read when it is not cached so; first and last are the
    // places in it that are asked for, and an end chunk is first read for at least least
    // records.
    Chunk& chunkFor(int chunk, int first, int last, quint64 columns, int least);
    // Reads at most limit rows of the statement (read with the given columns) into chunks;
    // false when there were more.
    bool readWhole(const Statement& statement, int limit, quint64 columns);
    Statement smallSet() const { return m_query.rows(kSmallSet + 1, m_readColumns); }
    Chunk& keep(int chunk, std::shared_ptr<RowBlock> block, int from = 0, bool partial = false);
    int columns() const { return static_cast<int>(m_query.columnFields().size()) + 1; }

    KeptStatements::Cursor read(const Statement& statement) { return m_store.statements().read(statement, m_context); }

    TableStore& m_store;
    const ViewQuery& m_query;
    QString m_context;

    quint64 m_used = 0;                             // the columns the view has read
    quint64 m_readColumns = ViewQuery::kAllColumns; // the columns records are read with
    bool m_loaded = false;
    std::vector<qint64> m_ids;
    std::optional<int> m_count;
    std::unordered_map<int, Chunk> m_chunks;
    quint64 m_clock = 0;
    std::unordered_map<qint64, int> m_index; // built on the first look-up that misses its hint
    std::vector<qint64> m_pastIds;
    bool m_large = false;                 // known to hold more than kSmallSet records
    std::unordered_set<qint64> m_changed; // records whose cached values are stale
    // Statements whose last set was too large to read whole: the next set of the same
    // statement (other values) is not read whole on speculation, until one is counted small.
    std::unordered_set<QString> m_largeStatements;
};
