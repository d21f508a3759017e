#include "tablestore.h"

#include "apperror.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <algorithm>
#include <atomic>

namespace {

QString newConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("FootballClubs-%1").arg(++counter);
}

// A clearer text for the database messages a user can meet.
QString describe(const QSqlError& error)
{
    return describeDatabaseError(error.databaseText().isEmpty() ? error.text() : error.databaseText());
}

// A value as it can be stored (see storableText).
QVariant storable(const QVariant& value)
{
    if (value.typeId() != QMetaType::QString)
        return value;
    return storableText(value.toString());
}

} // namespace

TableStore::TableStore() : m_connection(newConnectionName()) {}

TableStore::TableStore(const QString& folder) : TableStore()
{
    open(folder);
}

void TableStore::open(const QString& folder)
{
    close();
    m_folder = QDir(folder).absolutePath();
    const QFileInfo dir(m_folder);
    if (!dir.exists() || !dir.isDir())
        throw AppError(QStringLiteral("The database folder \"%1\" does not exist. Start Tallyfield in the folder "
                                      "that holds the folder Table.")
                           .arg(QDir::toNativeSeparators(m_folder)));
    const QFileInfo file(filePath());
    if (!file.exists())
        throw AppError(
            QStringLiteral("The database file \"%1\" does not exist.").arg(QDir::toNativeSeparators(file.filePath())));
    if (!file.isReadable())
        throw AppError(
            QStringLiteral("The database file \"%1\" cannot be read.").arg(QDir::toNativeSeparators(file.filePath())));
    // A file or folder marked read-only is opened for reading only, even where the system
    // would let this user write, so that a marked database is never changed; a write then
    // says that the database is read-only. A folder that cannot be written (a read-only
    // medium) cannot take the database's shared-memory file either: the file is read as one
    // that nothing changes.
    const bool folderReadOnly = !dir.isWritable() || !(dir.permissions() & QFile::WriteOwner);
    m_readOnly = folderReadOnly || !file.isWritable() || !(file.permissions() & QFile::WriteOwner);

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000");
    if (folderReadOnly) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
        db.setDatabaseName(QUrl::fromLocalFile(filePath()).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=ro&immutable=1"));
    } else {
        if (m_readOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setDatabaseName(filePath());
    }
    db.setConnectOptions(options);
    const auto fail = [&](const QString& why, bool inUse = false) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        const QString path = QDir::toNativeSeparators(file.filePath());
        if (inUse)
            throw DatabaseInUse(
                QStringLiteral("The database file \"%1\" is in use by another program, which keeps it locked.")
                    .arg(path));
        throw AppError(QStringLiteral("The database file \"%1\" cannot be used: %2").arg(path, why));
    };
    const auto failOn = [&](const QSqlError& error) {
        const QString text = error.databaseText();
        fail(describe(error), text.contains(QLatin1String("locked")) || text.contains(QLatin1String("busy")));
    };
    if (!db.open())
        failOn(db.lastError());

    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        failOn(q.lastError());
    const int version = q.value(0).toInt();
    if (version == 0)
        fail(QStringLiteral("it is not a Tallyfield database."));
    if (version != Schema::version)
        fail(QStringLiteral("it was made by another version of Tallyfield (version %1).").arg(version));
    for (const auto& table : Schema::tables()) {
        if (!q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table.sqlName)))
            failOn(q.lastError());
        QStringList columns;
        while (q.next())
            columns << q.value(1).toString();
        if (columns.isEmpty())
            fail(QStringLiteral("the table %1 is missing.").arg(table.name));
        for (const auto& field : table.fields) {
            if (!columns.contains(field.name))
                fail(QStringLiteral("the table %1 has no field %2.").arg(table.name, field.name));
        }
    }
    if (!m_readOnly &&
        (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"))))
        failOn(q.lastError());
    // The first 64 MB of the file are read through a memory map (pages not copied into a
    // cache first), the rest through SQLite's page cache of up to 16 MB: a window that runs
    // through a million results keeps at most that much of the file mapped, and counted
    // as the program's memory, instead of the whole file. The shipped database fits the
    // map whole.
    if (!q.exec(QStringLiteral("PRAGMA mmap_size=67108864")) || !q.exec(QStringLiteral("PRAGMA cache_size=-16384")))
        failOn(q.lastError());
    const QVariant handle = db.driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0 || !*static_cast<sqlite3* const*>(handle.constData()))
        fail(QStringLiteral("the database driver gives no SQLite connection."));
    m_statements = std::make_unique<KeptStatements>(*static_cast<sqlite3* const*>(handle.constData()));
    m_open = true;
}

void TableStore::close()
{
    if (!m_open)
        return;
    const std::vector<TableListener*> views = m_views;
    for (TableListener* view : views)
        view->storeClosed();
    m_open = false;
    m_prepared.clear();
    m_statements.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

TableStore::~TableStore()
{
    for (TableListener* view : m_views)
        view->storeGone();
    m_views.clear();
    m_prepared.clear();
    m_statements.reset();
    if (m_open) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

void TableStore::create(const QString& folder)
{
    const QString path = QDir(folder).absolutePath();
    if (!QDir().mkpath(path))
        throw AppError(QStringLiteral("The folder \"%1\" cannot be created.").arg(QDir::toNativeSeparators(path)));
    const QString file = QDir(path).filePath(fileName());
    if (QFileInfo::exists(file))
        throw AppError(QStringLiteral("A database already exists in \"%1\".").arg(QDir::toNativeSeparators(path)));
    const QString connection = newConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        QString error;
        if (db.open()) {
            QSqlQuery q(db);
            QStringList statements{QStringLiteral("PRAGMA journal_mode=WAL"), QStringLiteral("BEGIN")};
            statements << Schema::createStatements();
            statements << QStringLiteral("PRAGMA user_version=%1").arg(Schema::version) << QStringLiteral("COMMIT");
            for (const QString& sql : statements) {
                if (!q.exec(sql)) {
                    error = describe(q.lastError());
                    break;
                }
            }
        } else {
            error = describe(db.lastError());
        }
        db.close();
        if (!error.isEmpty()) {
            QFile::remove(file);
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connection);
            throw AppError(
                QStringLiteral("The database \"%1\" cannot be created: %2").arg(QDir::toNativeSeparators(file), error));
        }
    }
    QSqlDatabase::removeDatabase(connection);
}

QString TableStore::filePath() const
{
    return QDir(m_folder).filePath(fileName());
}

QSqlDatabase TableStore::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

// A statement prepared on the connection, read forward only.
QSqlQuery TableStore::prepare(const QString& sql, const QString& context) const
{
    if (!m_open)
        throw AppError(QStringLiteral("%1: the database is not open.").arg(context));
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw AppError(QStringLiteral("%1: %2").arg(context, describe(q.lastError())));
    return q;
}

QSqlQuery TableStore::exec(const QString& sql, const QVariantList& params, const QString& context) const
{
    QSqlQuery q = prepare(sql, context);
    for (const QVariant& value : params)
        q.addBindValue(storable(value));
    if (!q.exec())
        throw AppError(QStringLiteral("%1: %2").arg(context, describe(q.lastError())));
    return q;
}

// The kept statement of a text, prepared the first time the text is met. When the store
// keeps its limit, the least recently used statement that no reading holds is dropped.
TableStore::Reading::Kept& TableStore::prepared(const QString& sql, const QString& context) const
{
    if (!m_open)
        throw AppError(QStringLiteral("%1: the database is not open.").arg(context));
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        if (m_prepared.size() >= keptLimit) {
            auto oldest = m_prepared.end();
            for (auto k = m_prepared.begin(); k != m_prepared.end(); ++k) {
                if (k->second.users == 0 && (oldest == m_prepared.end() || k->second.lastUse < oldest->second.lastUse))
                    oldest = k;
            }
            if (oldest != m_prepared.end())
                m_prepared.erase(oldest);
        }
        it = m_prepared.emplace(sql, Reading::Kept{prepare(sql, context)}).first;
    }
    it->second.lastUse = ++m_useClock;
    return it->second;
}

// Binds the values and runs a prepared statement.
void TableStore::run(QSqlQuery& q, const QVariantList& params, const QString& context) const
{
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, storable(params[i]));
    if (!q.exec()) {
        const QString message = describe(q.lastError());
        q.finish();
        throw AppError(QStringLiteral("%1: %2").arg(context, message));
    }
}

TableStore::Reading::Reading(Kept* kept, QSqlQuery* query, std::unique_ptr<QSqlQuery> own)
    : m_kept(kept), m_own(std::move(own)), m_query(query)
{
    if (m_kept)
        ++m_kept->users;
}

TableStore::Reading::~Reading()
{
    m_query->finish();
    if (m_kept)
        --m_kept->users;
}

TableStore::Reading TableStore::read(const QString& sql, const QVariantList& params, const QString& context) const
{
    Reading::Kept& kept = prepared(sql, context);
    if (kept.users > 0) {
        // The same text is still being read (a reaction reading what its caller reads):
        // running the kept statement again would reset the caller's rows.
        auto own = std::make_unique<QSqlQuery>(database());
        own->setForwardOnly(true);
        if (!own->prepare(sql))
            throw AppError(QStringLiteral("%1: %2").arg(context, describe(own->lastError())));
        run(*own, params, context);
        QSqlQuery* query = own.get();
        return Reading(nullptr, query, std::move(own));
    }
    run(kept.query, params, context);
    return Reading(&kept, &kept.query, nullptr);
}

// Writes go through SQLite itself, like the views' reads: a post costs one kept statement
// bound and stepped, with no QVariant turned round on the way.
qint64 TableStore::write(const QString& sql, const QVariantList& params, const QString& context) const
{
    if (!m_open)
        throw AppError(QStringLiteral("%1: the database is not open.").arg(context));
    m_statements->run({sql, params}, context);
    return m_statements->lastInsertId();
}

// The depth is raised only once the database has begun the transaction: a refused start
// leaves the store as it was, and the next batch begins one again.
TableStore::Batch::Batch(TableStore& store) : m_store(store)
{
    if (m_store.m_batchDepth == 0)
        m_store.write(QStringLiteral("BEGIN IMMEDIATE"), {}, QStringLiteral("FootballClubs"));
    ++m_store.m_batchDepth;
}

TableStore::Batch::~Batch()
{
    if (!m_open)
        return;
    try {
        commit();
    } catch (...) {
        // The error that stopped the operation is the one the user sees.
    }
}

void TableStore::Batch::commit()
{
    if (!m_open)
        return;
    m_open = false;
    if (--m_store.m_batchDepth > 0 || !m_store.m_open)
        return;
    try {
        m_store.write(QStringLiteral("COMMIT"), {}, QStringLiteral("FootballClubs"));
    } catch (...) {
        QSqlQuery(m_store.database()).exec(QStringLiteral("ROLLBACK"));
        m_store.undone();
        throw;
    }
}

KeptStatements& TableStore::statements() const
{
    if (!m_open)
        throw AppError(QStringLiteral("The database is not open."));
    return *m_statements;
}

// Nothing of an undone batch is stored: every view forgets what it read meanwhile.
void TableStore::undone()
{
    const std::vector<TableListener*> views = m_views;
    for (TableListener* view : views)
        view->reread();
}

void TableStore::attach(TableListener* view)
{
    m_views.push_back(view);
}

void TableStore::detach(TableListener* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void TableStore::notifyChange(const TableSchema& table, Change change, qint64 id, const QStringList& fields,
                              TableListener* source)
{
    // A copy: a view may open or close others while it reacts.
    const std::vector<TableListener*> views = m_views;
    for (TableListener* view : views) {
        if (view != source && &view->listenedTable() == &table)
            view->tableChanged(change, id, fields);
    }
}
