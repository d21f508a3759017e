#include "apperror.h"
#include "tablestore.h"
#include "testdatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure output.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// Every entry under a folder, with sizes, so that a refused open can be seen to leave
// it exactly as it was.
QStringList listing(const QString& path)
{
    QStringList entries;
    const QDir dir(path);
    const auto infos =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : infos) {
        entries << QStringLiteral("%1 %2").arg(info.fileName()).arg(info.size());
        if (info.isDir())
            for (const QString& inner : listing(info.filePath()))
                entries << info.fileName() + QLatin1Char('/') + inner;
    }
    return entries;
}

// The message the store gives when it refuses the folder; fails the test if it opens.
QString refusal(const QString& folder)
{
    const QStringList connections = QSqlDatabase::connectionNames();
    QString message;
    {
        TableStore store;
        try {
            store.open(folder);
            ADD_FAILURE() << "the store opened " << folder.toStdString();
        } catch (const AppError& e) {
            message = e.message();
        }
        EXPECT_FALSE(store.isOpen());
    }
    // A refused open leaves no connection behind.
    EXPECT_EQ(QSqlDatabase::connectionNames(), connections);
    return message;
}

// A SQLite file made with the given statements, without the store.
void makeSqliteFile(const QString& file, const QStringList& statements)
{
    const QString connection = QStringLiteral("plain-sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& sql : statements)
            ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

void writeBytes(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QString dbFile(const QString& folder)
{
    return QDir(folder).filePath(TableStore::fileName());
}

} // namespace

TEST(TableStoreOpen, MissingFolderOrFile)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString folder = QDir(tmp.path()).filePath(QStringLiteral("Table"));

    QString message = refusal(folder);
    EXPECT_TRUE(message.contains(QStringLiteral("does not exist"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(folder))) << message.toStdString();
    EXPECT_TRUE(listing(tmp.path()).isEmpty());

    ASSERT_TRUE(QDir().mkdir(folder));
    message = refusal(folder);
    EXPECT_TRUE(message.contains(QStringLiteral("does not exist"))) << message.toStdString();
    EXPECT_TRUE(message.contains(TableStore::fileName())) << message.toStdString();
    EXPECT_TRUE(listing(folder).isEmpty());
}

TEST(TableStoreOpen, DamagedOrForeignFile)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString folder = tmp.path();
    const QString file = dbFile(folder);

    // Garbage where the database should be: refused, and left exactly as it was.
    QByteArray garbage;
    for (int i = 0; i < 8192; ++i)
        garbage.append(static_cast<char>((i * 37 + 11) % 251));
    writeBytes(file, garbage);
    QStringList before = listing(folder);
    QString message = refusal(folder);
    EXPECT_TRUE(message.contains(QStringLiteral("damaged"))) << message.toStdString();
    EXPECT_EQ(listing(folder), before);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), garbage);
    f.close();

    // SQLite files that are not a Tallyfield database of this version.
    struct Case
    {
        const char* what;
        QStringList statements; // none: an empty file
        const char* expected;
    };

    const QString setVersion = QStringLiteral("PRAGMA user_version=%1");
    const Case cases[] = {
        {"an empty file", {}, "not a Tallyfield database"},
        {"another program's database",
         {QStringLiteral("CREATE TABLE Country (Code INTEGER, Country TEXT)"),
          QStringLiteral("INSERT INTO Country VALUES (1, 'England')")},
         "not a Tallyfield database"},
        {"a newer version",
         {QStringLiteral("CREATE TABLE x (y)"), setVersion.arg(Schema::version + 1)},
         "another version"},
        {"the right version without the tables",
         {QStringLiteral("CREATE TABLE x (y)"), setVersion.arg(Schema::version)},
         "is missing"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(QFile::remove(file));
        if (c.statements.isEmpty())
            writeBytes(file, {});
        else
            makeSqliteFile(file, c.statements);
        before = listing(folder);
        message = refusal(folder);
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.expected))) << c.what << ": " << message.toStdString();
        EXPECT_EQ(listing(folder), before) << c.what;
    }
}

// A database the user may only read (a read-only copy, a folder on a read-only medium) is
// opened for reading; a write is refused as a write to a read-only database and leaves the
// file as it was. (A writable folder may take SQLite's shared-memory files beside it.)
TEST(TableStoreOpen, ReadOnlyFileOrFolderIsOpenedForReading)
{
    TestDatabase db;
    db.addCountry(1, QStringLiteral("England"));
    db.store().close();
    const QString folder = db.folder();
    const QString parent = QFileInfo(folder).path();
    const QString file = dbFile(folder);
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto folderReadOnly = readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

    const auto contents = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const auto check = [&](const char* what, bool folderWritable) {
        SCOPED_TRACE(what);
        const QStringList before = listing(parent);
        const QByteArray bytes = contents();
        {
            TableStore store(folder);
            ASSERT_TRUE(store.isOpen());
            EXPECT_TRUE(store.isReadOnly());
            {
                const auto reading = store.read(QStringLiteral("SELECT Country FROM Country WHERE Code = 1"), {},
                                                QStringLiteral("TableCountry"));
                ASSERT_TRUE(reading->next());
                EXPECT_EQ(reading->value(0).toString(), QStringLiteral("England"));
            }
            try {
                store.write(QStringLiteral("INSERT INTO Country (Code, Country) VALUES (2, 'Wales')"), {},
                            QStringLiteral("TableCountry"));
                ADD_FAILURE() << "a read-only database took a write";
            } catch (const AppError& e) {
                EXPECT_TRUE(e.message().contains(QStringLiteral("read-only"))) << e.message().toStdString();
            }
        }
        EXPECT_EQ(contents(), bytes);
        if (!folderWritable) {
            EXPECT_EQ(listing(parent), before);
        }
    };
    ASSERT_TRUE(QFile::setPermissions(file, readOnly));
    check("a read-only file", true);
    ASSERT_TRUE(QFile::setPermissions(folder, folderReadOnly));
    check("a read-only file in a read-only folder", false);
    ASSERT_TRUE(QFile::setPermissions(file, readOnly | QFile::WriteOwner));
    check("a read-only folder", false);

    // Writable again, the same file opens for writing.
    ASSERT_TRUE(QFile::setPermissions(folder, folderReadOnly | QFile::WriteOwner));
    TableStore store(folder);
    EXPECT_FALSE(store.isReadOnly());
    store.write(QStringLiteral("INSERT INTO Country (Code, Country) VALUES (2, 'Wales')"), {},
                QStringLiteral("TableCountry"));
}

// A database another program keeps locked is refused as in use, which the program offers
// to try again; once the other program lets go, it opens.
TEST(TableStoreOpen, ALockedDatabaseIsReportedAsInUse)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString folder = QDir(tmp.path()).filePath(QStringLiteral("Table"));
    TableStore::create(folder);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(dbFile(folder));
        ASSERT_TRUE(other.open());
        QSqlQuery q(other);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")));
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        TableStore store;
        try {
            store.open(folder);
            ADD_FAILURE() << "a locked database opened";
        } catch (const DatabaseInUse& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("in use by another program"))) << e.message().toStdString();
        }
        EXPECT_FALSE(store.isOpen());
        ASSERT_TRUE(q.exec(QStringLiteral("COMMIT")));
        q.finish();
        other.close();
        store.open(folder);
        EXPECT_TRUE(store.isOpen());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

TEST(TableStoreCreate, RefusesToOverwrite)
{
    TestDatabase db;
    db.addCountry(1, QStringLiteral("England"));
    db.store().close();

    try {
        TableStore::create(db.folder());
        ADD_FAILURE() << "create overwrote a database";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("already exists"))) << e.message().toStdString();
    }
    db.reopen();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Country FROM Country WHERE Code = 1")).toString(),
              QStringLiteral("England"));
}

TEST(TableStoreWrite, RecordSurvivesReopen)
{
    TestDatabase db;
    db.addCountry(1, QStringLiteral("England"), QStringLiteral("London"));
    db.addDivision(11, 1, QStringLiteral("Premier League"));

    // Stored the moment the write returns: a second store on the same file sees it.
    {
        TableStore other(db.folder());
        QSqlQuery q = other.exec(QStringLiteral("SELECT Division FROM Division WHERE Code = ?"), {11}, {});
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("Premier League"));
    }

    db.reopen();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Capital FROM Country WHERE Code = 1")).toString(),
              QStringLiteral("London"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Division")).toInt(), 1);
}

TEST(TableStoreWrite, TextsRoundTripExactly)
{
    TestDatabase db;
    const QString names[] = {
        QStringLiteral("Newell's Old Boys"), QStringLiteral("Динамо (Київ)"), QStringLiteral("Bayern München"),
        QStringLiteral("Atlético"),          QStringLiteral("'';--"),         QStringLiteral("Ñandú \"Ü\"")};
    int code = 0;
    for (const QString& name : names)
        db.addCountry(++code, name);
    db.reopen();

    code = 0;
    for (const QString& name : names) {
        ++code;
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT Country FROM Country WHERE Code = ?"), {code}).toString(), name);
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT Code FROM Country WHERE Country = ?"), {name}).toInt(), code)
            << name.toStdString();
    }
}

TEST(TableStoreWrite, DuplicateCodeIsKeyViolation)
{
    TestDatabase db;
    db.addDivision(5, 1, QStringLiteral("Premier League"));
    try {
        db.addDivision(5, 1, QStringLiteral("Championship"));
        ADD_FAILURE() << "a second Division with Code 5 was stored";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Key violation"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("Code"))) << e.message().toStdString();
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Division")).toInt(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Division FROM Division WHERE Code = 5")).toString(),
              QStringLiteral("Premier League"));

    // The store goes on working after the refusal.
    db.addDivision(6, 1, QStringLiteral("Championship"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Division")).toInt(), 2);
}

namespace {

// A second connection to the same file, as another program would hold it.
class OtherConnection
{
public:
    explicit OtherConnection(const QString& folder)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name());
        db.setDatabaseName(dbFile(folder));
        EXPECT_TRUE(db.open());
    }
    ~OtherConnection()
    {
        QSqlDatabase::database(name(), false).close();
        QSqlDatabase::removeDatabase(name());
    }
    OtherConnection(const OtherConnection&) = delete;
    OtherConnection& operator=(const OtherConnection&) = delete;

    void exec(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(name(), false));
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    int count(const QString& table)
    {
        QSqlQuery q(QSqlDatabase::database(name(), false));
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table));
        return q.next() ? q.value(0).toInt() : -1;
    }

private:
    static QString name() { return QStringLiteral("other-program"); }
};

} // namespace

TEST(TableStoreBatch, ARefusedStartLeavesLaterBatchesTheirTransactions)
{
    TestDatabase db;
    {
        OtherConnection other(db.folder());
        other.exec(QStringLiteral("BEGIN IMMEDIATE")); // holds the database for writing
        EXPECT_THROW(TableStore::Batch batch(db.store()), AppError);
        other.exec(QStringLiteral("ROLLBACK"));
    }
    // The next batch is a transaction again: nothing it writes is stored before it ends.
    OtherConnection other(db.folder());
    {
        TableStore::Batch batch(db.store());
        db.addCountry(1, QStringLiteral("England"));
        db.addCountry(2, QStringLiteral("Spain"));
        EXPECT_EQ(other.count(QStringLiteral("Country")), 0);
        batch.commit();
    }
    EXPECT_EQ(other.count(QStringLiteral("Country")), 2);
}

TEST(TableStoreBatch, ABatchThatCannotBeStoredIsUndoneWholeAndTheNextOneWorks)
{
    TestDatabase db;
    db.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    db.exec(QStringLiteral("CREATE TABLE Absent (y INTEGER PRIMARY KEY)"));
    db.exec(QStringLiteral("CREATE TABLE Guard (x INTEGER REFERENCES Absent(y) DEFERRABLE INITIALLY DEFERRED)"));
    {
        TableStore::Batch batch(db.store());
        db.addCountry(1, QStringLiteral("England"));
        db.exec(QStringLiteral("INSERT INTO Guard VALUES (1)")); // refused only when the batch ends
        EXPECT_THROW(batch.commit(), AppError);
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Country")).toInt(), 0);
    {
        TableStore::Batch batch(db.store());
        db.addCountry(2, QStringLiteral("Spain"));
        batch.commit();
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Country")).toInt(), 1);
}

TEST(TableStoreRead, AHeldReadingSurvivesAFullStatementCache)
{
    TestDatabase db;
    for (int code = 1; code <= 3; ++code)
        db.addCountry(code, QStringLiteral("Country %1").arg(code));
    const QString sql = QStringLiteral("SELECT Country FROM Country ORDER BY Code");
    const TableStore::Reading held = db.store().read(sql, {}, QStringLiteral("test"));
    ASSERT_TRUE(held->next());
    EXPECT_EQ(held->value(0).toString(), QStringLiteral("Country 1"));
    // Many other statements prepared while it is held, more than the store keeps; one of
    // them is the same text again, which must not reset the held rows.
    for (size_t i = 0; i < 2 * TableStore::keptLimit; ++i) {
        const TableStore::Reading other =
            db.store().read(QStringLiteral("SELECT %1 + Code FROM Country").arg(i), {}, QStringLiteral("test"));
        ASSERT_TRUE(other->next());
    }
    {
        const TableStore::Reading again = db.store().read(sql, {}, QStringLiteral("test"));
        ASSERT_TRUE(again->next());
        EXPECT_EQ(again->value(0).toString(), QStringLiteral("Country 1"));
    }
    ASSERT_TRUE(held->next());
    EXPECT_EQ(held->value(0).toString(), QStringLiteral("Country 2"));
    ASSERT_TRUE(held->next());
    EXPECT_EQ(held->value(0).toString(), QStringLiteral("Country 3"));
}

TEST(TableStoreWrite, ALoneSurrogateIsStoredAsTheReplacementCharacter)
{
    TestDatabase db;
    const QChar high(0xD800), low(0xDC00);
    const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80"); // a character beyond 16 bits
    const struct
    {
        QString posted, stored;
    } cases[] = {
        {QStringLiteral("s") + high + QStringLiteral("x"), QStringLiteral("s\uFFFDx")},
        {QStringLiteral("ab") + high, QStringLiteral("ab\uFFFD")},
        {low + QStringLiteral("y"), QStringLiteral("\uFFFDy")},
        {QString(high) + high + pair, QStringLiteral("\uFFFD\uFFFD") + pair},
        {pair + low + high, pair + QStringLiteral("\uFFFD\uFFFD")},
    };
    int code = 0;
    for (const auto& c : cases)
        db.addCountry(++code, c.posted);
    db.reopen();
    code = 0;
    for (const auto& c : cases) {
        ++code;
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT Country FROM Country WHERE Code = ?"), {code}).toString(), c.stored);
        // Looking it up by the text as posted finds it: values are bound by the same rule.
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT Code FROM Country WHERE Country = ?"), {c.posted}).toInt(), code);
    }
}
