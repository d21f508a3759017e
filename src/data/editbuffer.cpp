#include "editbuffer.h"

#include <algorithm>

void EditBuffer::beginInsert(const TableSchema& table)
{
    const size_t n = table.fields.size();
    m_values = QVariantList(static_cast<qsizetype>(n));
    m_modified.assign(n, false);
    m_loaded.assign(n, true);
}

void EditBuffer::beginEdit(const TableSchema& table, QVariantList values)
{
    const size_t n = table.fields.size();
    m_values = std::move(values);
    m_values.resize(static_cast<qsizetype>(n));
    m_modified.assign(n, false);
    m_loaded.assign(n, false);
    for (size_t i = 0; i < n; ++i)
        m_loaded[i] = !table.fields[i].isBlob();
}

void EditBuffer::clear()
{
    m_values.clear();
    m_modified.clear();
    m_loaded.clear();
}

bool EditBuffer::isModified() const
{
    return std::find(m_modified.begin(), m_modified.end(), true) != m_modified.end();
}

void EditBuffer::set(int field, const QVariant& stored)
{
    m_values[field] = stored;
    m_modified[static_cast<size_t>(field)] = true;
    m_loaded[static_cast<size_t>(field)] = true;
}

void EditBuffer::changes(const TableSchema& table, bool inserting, QStringList& columns, QVariantList& values) const
{
    for (size_t i = 0; i < table.fields.size(); ++i) {
        const FieldSchema& fs = table.fields[i];
        if (fs.type == FieldType::AutoInc)
            continue;
        const QVariant& v = m_values[static_cast<qsizetype>(i)];
        if (inserting ? (!v.isNull() || m_modified[i]) : m_modified[i]) {
            columns << fs.name;
            values << v;
        }
    }
}
