#pragma once

#include "schema.h"

#include <QStringList>
#include <QVariant>
#include <vector>

// The record being edited or inserted: its stored values by table field, which of them
// were set, and which were read (pictures are read only when asked for).
class EditBuffer
{
public:
    // A new record of empty fields.
    void beginInsert(const TableSchema& table);
    // The current record's values; pictures are not read yet.
    void beginEdit(const TableSchema& table, QVariantList values);
    void clear();

    const QVariantList& values() const { return m_values; }
    const QVariant& value(int field) const { return m_values[field]; }
    bool isLoaded(int field) const { return m_loaded[static_cast<size_t>(field)]; }
    bool isModified() const;
    bool isModified(int field) const { return m_modified[static_cast<size_t>(field)]; }

    // A value the user or the program sets (already converted for the field).
    void set(int field, const QVariant& stored);
    // The key a record inserted into a master's range takes; not a change of the user's.
    void preset(int field, const QVariant& stored) { m_values[field] = stored; }

    // What a post writes: every field set, and for a new record every field that is not
    // empty; never an AutoInc field, which the store fills.
    void changes(const TableSchema& table, bool inserting, QStringList& columns, QVariantList& values) const;

private:
    QVariantList m_values;
    std::vector<bool> m_modified;
    std::vector<bool> m_loaded;
};
