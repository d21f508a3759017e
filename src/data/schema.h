#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The seven tables of the competition database: fields, types, text widths and the
// orders (indexes) the views ask for.

enum class FieldType
{
    Integer,
    Smallint,
    Text,
    Date,
    Float,
    AutoInc,
    Picture,
    Memo
};

struct FieldSchema
{
    QString name;
    FieldType type;
    int width = 0; // characters, for Text fields
    QString label; // column title of the data-entry grids

    bool isNumber() const
    {
        return type == FieldType::Integer || type == FieldType::Smallint || type == FieldType::AutoInc;
    }
    bool isBlob() const { return type == FieldType::Picture; }
};

// One key of an order. Text keys sort without regard to letter case.
struct IndexKey
{
    QString field;
    bool descending = false;
};

// A named order of a table. The first key is what master links range on; the keys after
// it settle the order within a range, and the record id breaks the remaining ties.
struct IndexSchema
{
    QString name;
    std::vector<IndexKey> keys;
    bool idDescending = false;
};

struct TableSchema
{
    QString name;     // the name the program opens it by, e.g. "Results.db"
    QString sqlName;  // the SQL table, e.g. Results
    QString idColumn; // the column that identifies a record
    std::vector<FieldSchema> fields;
    std::vector<IndexSchema> indexes;
    QStringList uniqueFields;               // codes that identify a record to the user
    std::vector<QStringList> lookupIndexes; // further SQL indexes that make filters fast

    int fieldIndex(QStringView fieldName) const; // -1 when absent; names compare case-insensitively
    const FieldSchema* field(QStringView fieldName) const;
    const IndexSchema* index(const QString& indexName) const;
};

namespace Schema {

// The tables in the order the program knows them.
const std::vector<TableSchema>& tables();

// Looks a table up by the name the program uses ("Team.db"), by its SQL name ("Team"),
// or by either without regard to case. Null when unknown.
const TableSchema* table(const QString& name);

// Statements that create the empty database with every table and index.
QStringList createStatements();

// Version written into a new database; a store refuses any other.
constexpr int version = 1;

} // namespace Schema
