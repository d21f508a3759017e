#include "testdatabase.h"

#include <QDir>

TestDatabase::TestDatabase()
{
    TableStore::create(folder());
    m_store = std::make_unique<TableStore>(folder());
}

QString TestDatabase::folder() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("Table"));
}

void TestDatabase::reopen()
{
    m_store.reset();
    m_store = std::make_unique<TableStore>(folder());
}

void TestDatabase::exec(const QString& sql, const QVariantList& params)
{
    m_store->exec(sql, params, QStringLiteral("test"));
}

QVariant TestDatabase::scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery q = m_store->exec(sql, params, QStringLiteral("test"));
    return q.next() ? q.value(0) : QVariant();
}

void TestDatabase::addCountry(int code, const QString& name, const QString& capital)
{
    exec(QStringLiteral("INSERT INTO Country (Code, Country, Capital) VALUES (?, ?, ?)"), {code, name, capital});
}

void TestDatabase::addDivision(int code, int country, const QString& name)
{
    exec(QStringLiteral("INSERT INTO Division (Code, Country, Division) VALUES (?, ?, ?)"), {code, country, name});
}

void TestDatabase::addStadium(int code, const QString& name, int capacity, int country)
{
    exec(QStringLiteral("INSERT INTO Stadium (Code, Stadium, Capacity, Country) VALUES (?, ?, ?, ?)"),
         {code, name, capacity, country});
}

void TestDatabase::addTeam(int code, const QString& shortName, const QString& city, int division, int stadium,
                           const QString& fullName)
{
    exec(QStringLiteral("INSERT INTO Team (Code, Team, ShortName, City, Division, Stadium) VALUES (?, ?, ?, ?, ?, ?)"),
         {code, fullName.isEmpty() ? shortName : fullName, shortName, city, division,
          stadium ? QVariant(stadium) : QVariant()});
}

void TestDatabase::addResult(int num, const QDate& date, int home, int away, const QString& homeLabel,
                             const QString& awayLabel, const QVariant& goals1, const QVariant& goals2, int division)
{
    exec(QStringLiteral("INSERT INTO Results (Num, Date, CodeTeam, CodeTeam2, Team, Team2, Goal1, Goal2, Division) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {num, date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant(), home, away, homeLabel, awayLabel,
          goals1, goals2, division});
}

void TestDatabase::addSeason(int num, const QString& name, int division, const QDate& start, const QDate& finish)
{
    exec(
        QStringLiteral("INSERT INTO TableHead (Num, Name, CodeDivision, DateStart, DateFinish) VALUES (?, ?, ?, ?, ?)"),
        {num, name, division, start.toString(Qt::ISODate), finish.toString(Qt::ISODate)});
}

void TestDatabase::addRow(int season, int team, const QString& label, int points, int ball)
{
    exec(QStringLiteral("INSERT INTO TableDet (CodeSeason, CodeTeam, Team, Points, Ball) VALUES (?, ?, ?, ?, ?)"),
         {season, team, label, points, ball});
}
