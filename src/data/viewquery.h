#pragma once

#include "filter.h"
#include "schema.h"

#include <QString>
#include <QVariant>
#include <vector>

// A statement and the values of its placeholders, in order.
struct Statement
{
    QString sql;
    QVariantList params;
};

// The SQL of one view: which records it shows (its master range and its filter), in
// which order, and the statements that read and write them. Pure: it makes texts and
// parameters and runs nothing, so every statement a view runs can be checked without a
// database. Values only ever travel as parameters.
//
// The rows it reads have the record's id in column 0, then every field of the table that
// is not a picture, in the table's order (pictures are read one by one, when asked for).
class ViewQuery
{
public:
    explicit ViewQuery(const TableSchema& table);

    const TableSchema& table() const { return *m_table; }

    // The order: keys of an index (or a field list), then the record id.
    void setOrder(std::vector<IndexKey> keys, bool idDescending);
    const std::vector<IndexKey>& orderKeys() const { return m_keys; }

    // The master range: the records whose first order key equals key; a null key (a
    // master without a current record) selects nothing.
    void setRange(const QVariant& key);
    void clearRange();
    bool hasRange() const { return m_ranged; }
    const QVariant& rangeKey() const { return m_rangeKey; }
    // Bound to a master that stands on no record: no statement is needed to know the set.
    bool selectsNothing() const { return m_ranged && m_rangeKey.isNull(); }

    // The filter in force, or null when the view is not filtered.
    void setFilter(const Filter* filter) { m_filter = filter && !filter->isEmpty() ? filter : nullptr; }
    bool isFiltered() const { return m_filter != nullptr; }

    // The first record, or the last one (reversed).
    Statement edge(bool reversed, quint64 columns = kAllColumns) const;
    // Which columns of a row a statement reads: bit c for column c (the id, column 0, is
    // always read; so is any column past the 64th). A column not read comes as null.
    static constexpr quint64 kAllColumns = ~quint64(0);
    static quint64 columnBit(int column) { return column >= 0 && column < 64 ? quint64(1) << column : 0; }

    // The visible records with their values, at most limit of them (all when limit < 0).
    Statement rows(int limit, quint64 columns = kAllColumns) const;
    // The visible records with their values at places offset .. offset + limit - 1; reversed,
    // the places are counted from the last record backwards.
    Statement window(int offset, int limit, bool reversed, quint64 columns = kAllColumns) const;
    // The ids of the visible records, in order.
    Statement ids() const;
    Statement count() const;
    // Numbers the visible records 1, 2, ... up to highest in the order into a field, in
    // one statement that returns the ids it wrote.
    Statement numbering(const FieldSchema& field, qint64 highest) const;
    // The first visible record, in order, whose field equals a stored value (null: empty).
    Statement locate(const FieldSchema& field, const QVariant& stored) const;
    // Records by id, in any order.
    Statement rowsById(const std::vector<qint64>& ids, quint64 columns = kAllColumns) const;
    // One picture of one record.
    Statement picture(const FieldSchema& field, qint64 id) const;
    // The named fields of the visible records, in order.
    Statement list(const std::vector<const FieldSchema*>& fields) const;

    // Writes. columns and values in the same order; an insert without columns stores a
    // record of empty fields.
    Statement insert(const QStringList& columns, const QVariantList& values) const;
    Statement update(const QStringList& columns, const QVariantList& values, qint64 id) const;
    Statement remove(qint64 id) const;

    // The table field read into column c (c >= 1) of a row.
    const std::vector<int>& columnFields() const { return m_columnFields; }
    // The column a table field is read into; -1 for a picture.
    int columnOf(int tableIndex) const { return m_fieldColumn[static_cast<size_t>(tableIndex)]; }

private:
    QString where(QVariantList& params, const QString& extra = {}, const QVariantList& extraParams = {}) const;
    QString order(bool reversed) const;
    const QString& columnList(quint64 columns) const;
    QString select(const QString& columns, QVariantList& params, const QString& extra = {},
                   const QVariantList& extraParams = {}) const;

    const TableSchema* m_table;
    QString m_columns;
    QString m_selectAll;                         // "SELECT <every column> FROM <table>"
    QString m_from;                              // " FROM <table>"
    QString m_orders[2];                         // the ORDER BY clause, in the order and reversed
    QString m_rangeSql;                          // the condition of the range on the first key
    mutable quint64 m_listColumns = kAllColumns; // the columns of m_list
    mutable QString m_list;
    // The last insert and update written, by their columns: a fill or a ranking writes the
    // same columns record after record.
    struct Written
    {
        QStringList columns;
        QString sql;
    };
    mutable Written m_insert;
    mutable Written m_update;
    std::vector<int> m_columnFields;
    std::vector<int> m_fieldColumn;
    std::vector<IndexKey> m_keys;
    bool m_idDescending = false;
    bool m_ranged = false;
    QVariant m_rangeKey;
    const Filter* m_filter = nullptr;
};

QString quotedName(const QString& identifier);
