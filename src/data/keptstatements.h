#pragma once

#include "viewquery.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// The database's own text of a failure turned into one a user can act on.
QString describeDatabaseError(const QString& text);

// A text as it can be stored: SQLite reads a lone half of a surrogate pair together with
// the character after it, so such a half becomes U+FFFD and its neighbour stays itself.
QString storableText(QString text);

// Statements kept prepared on the store's connection and read through SQLite itself:
// a column is decoded only when it is asked for, by its stored type, without a QVariant
// per value. A statement being read is never finalized, also when more statements are
// prepared meanwhile than the cache keeps; a second reading of the same text while the
// first goes on gets a statement of its own.
class KeptStatements
{
public:
    explicit KeptStatements(sqlite3* db) : m_db(db) {}
    ~KeptStatements();
    KeptStatements(const KeptStatements&) = delete;
    KeptStatements& operator=(const KeptStatements&) = delete;

    class Cursor
    {
    public:
        Cursor(Cursor&& other) noexcept;
        Cursor& operator=(Cursor&&) = delete;
        Cursor(const Cursor&) = delete;
        Cursor& operator=(const Cursor&) = delete;
        ~Cursor(); // resets the statement, releasing its snapshot

        // The next row; false at the end. Throws AppError when SQLite fails.
        bool next();
        enum class Kind
        {
            Null,
            Integer,
            Float,
            Text,
            Blob
        };
        Kind kind(int column) const;
        qint64 integer(int column) const;
        double real(int column) const;
        // UTF-8 text of a column, valid until the next step.
        const char* text(int column, int& size) const;
        QByteArray blob(int column) const;
        // A column as Qt would give it (null, qint64, double, QString, QByteArray).
        QVariant value(int column) const;

    private:
        friend class KeptStatements;
        Cursor(const KeptStatements* owner, sqlite3_stmt* statement, bool* busy, const QString& context)
            : m_owner(owner), m_statement(statement), m_busy(busy), m_context(context)
        {
        }
        const KeptStatements* m_owner;
        sqlite3_stmt* m_statement;
        bool* m_busy; // the kept statement's flag; null for a statement of its own
        QString m_context;
    };

    // Binds the values and starts a reading; throws AppError (with the context in front
    // of the database's message) when the statement cannot be prepared or bound.
    Cursor read(const Statement& statement, const QString& context);
    // Runs a statement that returns no rows.
    void run(const Statement& statement, const QString& context);
    // The id of the record the last insert on the connection stored.
    qint64 lastInsertId() const;

    size_t size() const { return m_kept.size(); }
    static constexpr size_t kLimit = 256;

private:
    struct Kept
    {
        sqlite3_stmt* statement = nullptr;
        bool busy = false;
    };
    [[noreturn]] void fail(const QString& context) const;

    sqlite3* m_db;
    std::unordered_map<QString, Kept> m_kept;
};
