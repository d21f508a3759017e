#include "keptstatements.h"

#include "fieldvalue.h"

#include "apperror.h"

#include <QDate>
#include <sqlite3.h>

QString describeDatabaseError(const QString& text)
{
    if (text.contains(QLatin1String("UNIQUE constraint failed"))) {
        const QString field = text.section(QLatin1Char('.'), -1).trimmed();
        return QStringLiteral("Key violation: another record already has this %1.").arg(field);
    }
    if (text.contains(QLatin1String("malformed")) || text.contains(QLatin1String("not a database")))
        return QStringLiteral("The database file is damaged (%1).").arg(text);
    if (text.contains(QLatin1String("readonly")) || text.contains(QLatin1String("read-only")))
        return QStringLiteral("The database is read-only; the change was not saved (%1).").arg(text);
    if (text.contains(QLatin1String("locked")) || text.contains(QLatin1String("busy")))
        return QStringLiteral("The database is in use by another program; try again (%1).").arg(text);
    return text;
}

QString storableText(QString text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

namespace {

int bind(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, index, static_cast<sqlite3_int64>(value.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob64(statement, index, bytes.constData(), static_cast<sqlite3_uint64>(bytes.size()),
                                   SQLITE_TRANSIENT);
    }
    case QMetaType::QDate: {
        const QByteArray iso = FieldValue::storedDate(value.toDate()).toUtf8();
        return sqlite3_bind_text64(statement, index, iso.constData(), static_cast<sqlite3_uint64>(iso.size()),
                                   SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    default: {
        // A lone surrogate becomes the replacement character rather than taking its
        // neighbour with it.
        const QByteArray text = storableText(value.toString()).toUtf8();
        return sqlite3_bind_text64(statement, index, text.constData(), static_cast<sqlite3_uint64>(text.size()),
                                   SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
}

} // namespace

KeptStatements::~KeptStatements()
{
    for (auto& [sql, kept] : m_kept)
        sqlite3_finalize(kept.statement);
}

void KeptStatements::fail(const QString& context) const
{
    throw AppError(
        QStringLiteral("%1: %2").arg(context, describeDatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)))));
}

KeptStatements::Cursor KeptStatements::read(const Statement& s, const QString& context)
{
    sqlite3_stmt* statement = nullptr;
    bool* busy = nullptr;
    auto it = m_kept.find(s.sql);
    if (it != m_kept.end() && !it->second.busy) {
        statement = it->second.statement;
        busy = &it->second.busy;
    } else {
        const QByteArray sql = s.sql.toUtf8();
        const bool keep = it == m_kept.end();
        if (sqlite3_prepare_v3(m_db, sql.constData(), static_cast<int>(sql.size()),
                               keep ? SQLITE_PREPARE_PERSISTENT : 0, &statement, nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement);
            fail(context);
        }
        if (keep) {
            if (m_kept.size() >= kLimit) {
                // Forget the statements not being read; those being read stay.
                for (auto k = m_kept.begin(); k != m_kept.end();) {
                    if (k->second.busy) {
                        ++k;
                    } else {
                        sqlite3_finalize(k->second.statement);
                        k = m_kept.erase(k);
                    }
                }
            }
            busy = &m_kept.emplace(s.sql, Kept{statement, false}).first->second.busy;
        }
    }
    if (busy)
        *busy = true;
    Cursor cursor(this, statement, busy, context);
    for (int i = 0; i < s.params.size(); ++i) {
        if (bind(statement, i + 1, s.params[i]) != SQLITE_OK)
            fail(context); // the cursor resets and releases the statement
    }
    return cursor;
}

void KeptStatements::run(const Statement& statement, const QString& context)
{
    Cursor cursor = read(statement, context);
    while (cursor.next()) {
    }
}

qint64 KeptStatements::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

KeptStatements::Cursor::Cursor(Cursor&& other) noexcept
    : m_owner(other.m_owner), m_statement(other.m_statement), m_busy(other.m_busy), m_context(other.m_context)
{
    other.m_statement = nullptr;
}

KeptStatements::Cursor::~Cursor()
{
    if (!m_statement)
        return;
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    if (m_busy)
        *m_busy = false;
    else
        sqlite3_finalize(m_statement);
}

bool KeptStatements::Cursor::next()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_owner->fail(m_context);
}

KeptStatements::Cursor::Kind KeptStatements::Cursor::kind(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return Kind::Integer;
    case SQLITE_FLOAT:
        return Kind::Float;
    case SQLITE_TEXT:
        return Kind::Text;
    case SQLITE_BLOB:
        return Kind::Blob;
    default:
        return Kind::Null;
    }
}

qint64 KeptStatements::Cursor::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double KeptStatements::Cursor::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

const char* KeptStatements::Cursor::text(int column, int& size) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    size = sqlite3_column_bytes(m_statement, column);
    return text ? text : "";
}

QByteArray KeptStatements::Cursor::blob(int column) const
{
    const void* data = sqlite3_column_blob(m_statement, column);
    const int size = sqlite3_column_bytes(m_statement, column);
    return data ? QByteArray(static_cast<const char*>(data), size) : QByteArray("");
}

QVariant KeptStatements::Cursor::value(int column) const
{
    switch (kind(column)) {
    case Kind::Integer:
        return QVariant(integer(column));
    case Kind::Float:
        return QVariant(real(column));
    case Kind::Text: {
        int size = 0;
        const char* data = text(column, size);
        return QVariant(QString::fromUtf8(data, size));
    }
    case Kind::Blob:
        return QVariant(blob(column));
    case Kind::Null:
        break;
    }
    return {};
}
