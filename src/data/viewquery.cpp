#include "viewquery.h"

QString quotedName(const QString& identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

ViewQuery::ViewQuery(const TableSchema& table) : m_table(&table)
{
    QStringList columns{quotedName(table.idColumn)};
    for (size_t i = 0; i < table.fields.size(); ++i) {
        if (table.fields[i].isBlob()) {
            m_fieldColumn.push_back(-1);
        } else {
            columns << quotedName(table.fields[i].name);
            m_columnFields.push_back(static_cast<int>(i));
            m_fieldColumn.push_back(static_cast<int>(m_columnFields.size()));
        }
    }
    m_columns = columns.join(QStringLiteral(", "));
    m_from = QStringLiteral(" FROM ") + quotedName(table.sqlName);
    m_selectAll = QStringLiteral("SELECT ") + m_columns + m_from;
    setOrder({}, false);
}

// The texts that depend only on the order are made once here, not for every statement.
void ViewQuery::setOrder(std::vector<IndexKey> keys, bool idDescending)
{
    m_keys = std::move(keys);
    m_idDescending = idDescending;
    m_orders[0] = order(false);
    m_orders[1] = order(true);
    m_rangeSql = m_keys.empty() ? QString() : quotedName(m_keys.front().field) + QStringLiteral(" = ?");
}

void ViewQuery::setRange(const QVariant& key)
{
    m_ranged = true;
    m_rangeKey = key;
}

void ViewQuery::clearRange()
{
    m_ranged = false;
    m_rangeKey = QVariant();
}

QString ViewQuery::where(QVariantList& params, const QString& extra, const QVariantList& extraParams) const
{
    QString sql;
    const auto add = [&sql](const QString& part) {
        sql += sql.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        sql += part;
    };
    if (m_ranged) {
        if (m_rangeKey.isNull() || m_keys.empty()) {
            add(QStringLiteral("0"));
        } else {
            add(m_rangeSql);
            params << m_rangeKey;
        }
    }
    if (m_filter)
        add(m_filter->sql(params));
    if (!extra.isEmpty()) {
        add(extra);
        params += extraParams;
    }
    return sql;
}

QString ViewQuery::order(bool reversed) const
{
    QStringList keys;
    for (const auto& key : m_keys) {
        QString k = quotedName(key.field);
        const FieldSchema* field = m_table->field(key.field);
        if (field && field->type == FieldType::Text)
            k += QStringLiteral(" COLLATE NOCASE");
        k += key.descending != reversed ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
        keys << k;
    }
    keys << quotedName(m_table->idColumn) +
                (m_idDescending != reversed ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    return QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
}

QString ViewQuery::select(const QString& columns, QVariantList& params, const QString& extra,
                          const QVariantList& extraParams) const
{
    const QString condition = where(params, extra, extraParams);
    if (&columns == &m_columns)
        return m_selectAll + condition;
    return QStringLiteral("SELECT ") + columns + m_from + condition;
}

// The column list of a row that reads only the given columns, the others as NULL so that
// every column keeps its place; made again only when another set of columns is asked for.
const QString& ViewQuery::columnList(quint64 columns) const
{
    const int count = static_cast<int>(m_columnFields.size()) + 1;
    const quint64 all = count >= 64 ? kAllColumns : (quint64(1) << count) - 1;
    if ((columns & all) == all)
        return m_columns;
    if (columns != m_listColumns) {
        QStringList list{quotedName(m_table->idColumn)};
        for (int c = 1; c < count; ++c) {
            const bool read = columnBit(c) == 0 || (columns & columnBit(c)) != 0;
            list << (read ? quotedName(
                                m_table->fields[static_cast<size_t>(m_columnFields[static_cast<size_t>(c - 1)])].name)
                          : QStringLiteral("NULL"));
        }
        m_list = list.join(QStringLiteral(", "));
        m_listColumns = columns;
    }
    return m_list;
}

Statement ViewQuery::edge(bool reversed, quint64 columns) const
{
    Statement s;
    s.sql = select(columnList(columns), s.params) + m_orders[reversed ? 1 : 0] + QStringLiteral(" LIMIT 1");
    return s;
}

Statement ViewQuery::rows(int limit, quint64 columns) const
{
    Statement s;
    s.sql = select(columnList(columns), s.params) + m_orders[0];
    if (limit >= 0)
        s.sql += QStringLiteral(" LIMIT ") + QString::number(limit);
    return s;
}

Statement ViewQuery::window(int offset, int limit, bool reversed, quint64 columns) const
{
    Statement s;
    s.sql = select(columnList(columns), s.params) + m_orders[reversed ? 1 : 0] + QStringLiteral(" LIMIT ? OFFSET ?");
    s.params << limit << offset;
    return s;
}

Statement ViewQuery::ids() const
{
    Statement s;
    s.sql = select(quotedName(m_table->idColumn), s.params) + m_orders[0];
    return s;
}

Statement ViewQuery::count() const
{
    Statement s;
    s.sql = select(QStringLiteral("COUNT(*)"), s.params);
    return s;
}

Statement ViewQuery::numbering(const FieldSchema& field, qint64 highest) const
{
    const QString table = quotedName(m_table->sqlName);
    const QString id = quotedName(m_table->idColumn);
    Statement s;
    // The window's ORDER BY is the view's own (m_orders[0] begins with a blank).
    s.sql = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + quotedName(field.name) +
            QStringLiteral(" = numbered.n FROM (SELECT ") + id + QStringLiteral(" AS id, ROW_NUMBER() OVER (") +
            m_orders[0].mid(1) + QStringLiteral(") AS n") + m_from + where(s.params) +
            QStringLiteral(") AS numbered WHERE ") + table + QLatin1Char('.') + id +
            QStringLiteral(" = numbered.id AND numbered.n <= ? RETURNING ") + table + QLatin1Char('.') + id;
    s.params << highest;
    return s;
}

Statement ViewQuery::locate(const FieldSchema& field, const QVariant& stored) const
{
    QVariantList extraParams;
    const QString extra = stored.isNull() ? quotedName(field.name) + QStringLiteral(" IS NULL")
                                          : comparisonSql(field, QStringLiteral("="), stored, extraParams);
    Statement s;
    s.sql = select(m_columns, s.params, extra, extraParams) + m_orders[0] + QStringLiteral(" LIMIT 1");
    return s;
}

Statement ViewQuery::rowsById(const std::vector<qint64>& ids, quint64 columns) const
{
    Statement s;
    QStringList marks;
    for (const qint64 id : ids) {
        marks << QStringLiteral("?");
        s.params << id;
    }
    s.sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN (%4)")
                .arg(columnList(columns), quotedName(m_table->sqlName), quotedName(m_table->idColumn),
                     marks.join(QLatin1Char(',')));
    return s;
}

Statement ViewQuery::picture(const FieldSchema& field, qint64 id) const
{
    return {QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                .arg(quotedName(field.name), quotedName(m_table->sqlName), quotedName(m_table->idColumn)),
            {id}};
}

Statement ViewQuery::list(const std::vector<const FieldSchema*>& fields) const
{
    QStringList columns;
    for (const FieldSchema* field : fields)
        columns << quotedName(field->name);
    Statement s;
    s.sql = select(columns.join(QStringLiteral(", ")), s.params) + m_orders[0];
    return s;
}

// The texts of writes are made by appending to one string: a fill posts a row after row.
Statement ViewQuery::insert(const QStringList& columns, const QVariantList& values) const
{
    if (columns.isEmpty())
        return {QStringLiteral("INSERT INTO ") + quotedName(m_table->sqlName) + QStringLiteral(" DEFAULT VALUES"), {}};
    if (m_insert.sql.isEmpty() || m_insert.columns != columns) {
        QString sql;
        sql.reserve(columns.size() * 20 + m_table->sqlName.size() + 32);
        sql += QLatin1String("INSERT INTO ");
        sql += quotedName(m_table->sqlName);
        sql += QLatin1String(" (");
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (i > 0)
                sql += QLatin1String(", ");
            sql += QLatin1Char('"');
            sql += columns[i];
            sql += QLatin1Char('"');
        }
        sql += QLatin1String(") VALUES (");
        for (qsizetype i = 0; i < columns.size(); ++i)
            sql += i > 0 ? QLatin1String(", ?") : QLatin1String("?");
        sql += QLatin1Char(')');
        m_insert = {columns, sql};
    }
    return {m_insert.sql, values};
}

Statement ViewQuery::update(const QStringList& columns, const QVariantList& values, qint64 id) const
{
    if (m_update.sql.isEmpty() || m_update.columns != columns) {
        QString sql;
        sql.reserve(columns.size() * 20 + m_table->sqlName.size() + 48);
        sql += QLatin1String("UPDATE ");
        sql += quotedName(m_table->sqlName);
        sql += QLatin1String(" SET ");
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (i > 0)
                sql += QLatin1String(", ");
            sql += QLatin1Char('"');
            sql += columns[i];
            sql += QLatin1String("\" = ?");
        }
        sql += QLatin1String(" WHERE ");
        sql += quotedName(m_table->idColumn);
        sql += QLatin1String(" = ?");
        m_update = {columns, sql};
    }
    Statement s{m_update.sql, values};
    s.params << id;
    return s;
}

Statement ViewQuery::remove(qint64 id) const
{
    return {
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(quotedName(m_table->sqlName), quotedName(m_table->idColumn)),
        {id}};
}
