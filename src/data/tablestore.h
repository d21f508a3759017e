#pragma once

#include "apperror.h"
#include "keptstatements.h"
#include "schema.h"
#include "tablelistener.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <unordered_map>
#include <vector>

// The database is locked by another program; opening it again later may succeed.
class DatabaseInUse : public AppError
{
public:
    using AppError::AppError;
};

// The competition database: the seven tables in one SQLite file inside the folder
// Table. The store checks the folder and the file when it opens, runs every statement
// with bound values, turns every failure into an AppError with a message the user can
// act on, and tells the open views of a table what was written to it.
//
// Every write is its own transaction (write-ahead log): a post is stored the moment it
// returns, and the file stays consistent if the process is killed at any moment.
//
// A text that cannot be stored as it is (a lone half of a UTF-16 surrogate pair) is
// stored with the replacement character U+FFFD in place of that half.
class TableStore
{
public:
    // A store that is not connected yet; views can be made on it and open once it is.
    TableStore();
    // Opens the database in the folder at once (see open()).
    explicit TableStore(const QString& folder);
    ~TableStore();

    // Opens the database in the folder (normally "<working directory>/Table"), closing the
    // one open before. Throws AppError when the folder or the file is missing, damaged or
    // not a Tallyfield database, DatabaseInUse when another program keeps it locked. A
    // read-only file or folder is opened for reading only. Never creates anything.
    void open(const QString& folder);
    void close();
    bool isOpen() const { return m_open; }
    // Opened for reading only: every write is refused as a write to a read-only database.
    bool isReadOnly() const { return m_readOnly; }

    TableStore(const TableStore&) = delete;
    TableStore& operator=(const TableStore&) = delete;

    // Creates a new, empty database in the folder (making the folder if needed).
    // Throws AppError when a database is already there.
    static void create(const QString& folder);

    static QString fileName() { return QStringLiteral("FootballClubs.sqlite"); }

    const QString& folder() const { return m_folder; }
    QString filePath() const;
    QSqlDatabase database() const;

    // Prepares and runs a statement with bound values; throws AppError on failure with the
    // context (usually the table's name) in front of the database's own message.
    QSqlQuery exec(const QString& sql, const QVariantList& params, const QString& context) const;

    // The same for a read whose rows are taken at once: the prepared statement is kept and
    // run again next time, which spares parsing the views' frequent queries anew. The
    // statement is the store's own and stays in use until the returned reading ends, when
    // it is reset (its snapshot released); the store never drops or runs again a kept
    // statement while a reading holds it, so other reads may be made meanwhile.
    class Reading
    {
    public:
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;
        QSqlQuery* operator->() const { return m_query; }
        QSqlQuery& operator*() const { return *m_query; }

    private:
        friend class TableStore;
        struct Kept
        {
            QSqlQuery query;
            int users = 0;       // readings that hold it now
            quint64 lastUse = 0; // when it was last run, on the store's use clock
        };
        Reading(Kept* kept, QSqlQuery* query, std::unique_ptr<QSqlQuery> own);
        Kept* m_kept;
        std::unique_ptr<QSqlQuery> m_own; // a statement of its own when the kept one was in use
        QSqlQuery* m_query;
    };
    Reading read(const QString& sql, const QVariantList& params, const QString& context) const;
    // A write through a kept statement, like read(); returns the id of an inserted record.
    qint64 write(const QString& sql, const QVariantList& params, const QString& context) const;

    // How many prepared statements the store keeps at most; the least recently used one not
    // in use makes room for a new one.
    static constexpr size_t keptLimit = 256;
    size_t keptCount() const { return m_prepared.size(); }

    // Groups the posts of one operation (a record posted with what its reactions write, a
    // team's new name written into its results, say) into one transaction: they are stored
    // together when the outermost batch ends, also when the operation stops on an error, so
    // the posts made before the error stay. A batch that cannot be stored is undone whole,
    // and every view reads its table again.
    class Batch
    {
    public:
        explicit Batch(TableStore& store); // throws AppError when the database refuses to begin
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void commit(); // ends the batch now; throws AppError when the posts cannot be stored

    private:
        TableStore& m_store;
        bool m_open = true;
    };

    // The statements the views read their records through (the same connection); throws
    // AppError when the store is not open.
    KeptStatements& statements() const;

    // Views register themselves so that a write through one reaches the others.
    void attach(TableListener* view);
    void detach(TableListener* view);

    using Change = TableListener::Change;
    // Called by a view after it has written a record; every view of the table hears of it.
    void notifyChange(const TableSchema& table, Change change, qint64 id, const QStringList& fields,
                      TableListener* source);

private:
    QString m_folder;
    QString m_connection;
    bool m_open = false;
    bool m_readOnly = false;
    int m_batchDepth = 0;
    std::vector<TableListener*> m_views;
    mutable std::unordered_map<QString, Reading::Kept> m_prepared;
    mutable quint64 m_useClock = 0;
    std::unique_ptr<KeptStatements> m_statements;
    Reading::Kept& prepared(const QString& sql, const QString& context) const;
    QSqlQuery prepare(const QString& sql, const QString& context) const;
    void run(QSqlQuery& q, const QVariantList& params, const QString& context) const;
    void undone();
};
