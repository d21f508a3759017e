#include "benchdatabase.h"

#include "databasewriter.h"
#include "synthetic.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

namespace {

std::map<int, std::unique_ptr<BenchDatabase>>& madeDatabases()
{
    static std::map<int, std::unique_ptr<BenchDatabase>> made;
    return made;
}

} // namespace

void BenchDatabase::releaseAll()
{
    madeDatabases().clear();
}

BenchDatabase& BenchDatabase::get(int results)
{
    auto& db = madeDatabases()[results];
    if (!db)
        db.reset(new BenchDatabase(results));
    return *db;
}

BenchDatabase::BenchDatabase(int results)
{
    const QString cache = qEnvironmentVariable("TALLYFIELD_BENCH_CACHE");
    const QString folder = cache.isEmpty() ? QDir(m_dir.path()).filePath(QStringLiteral("Table"))
                                           : QDir(cache).filePath(QStringLiteral("%1/Table").arg(results));
    if (!QFile::exists(QDir(folder).filePath(TableStore::fileName()))) {
        SyntheticSize size;
        size.results = results;
        if (results < 100000) { // a small database of the same shape
            size.countries = 4;
            size.competitions = 8;
            size.teams = 160;
            size.seasons = 5;
        }
        writeDatabase(syntheticDataset(size), folder);
    }
    m_store = std::make_unique<TableStore>(folder);
    m_store->exec(QStringLiteral("ANALYZE"), {}, QStringLiteral("bench"));

    std::map<qint64, size_t> index;
    QSqlQuery q = m_store->exec(QStringLiteral("SELECT Code, Country FROM Division ORDER BY Code"), {}, {});
    while (q.next()) {
        index[q.value(0).toLongLong()] = competitions.size();
        competitions.push_back({q.value(0).toLongLong(), q.value(1).toLongLong(), {}, {}, {}});
    }
    q = m_store->exec(QStringLiteral("SELECT Division, Code, ShortName || ' (' || City || ')' FROM Team ORDER BY Code"),
                      {}, {});
    while (q.next()) {
        Competition& c = competitions[index.at(q.value(0).toLongLong())];
        c.teams.push_back(q.value(1).toLongLong());
        c.labels.push_back(q.value(2).toString());
    }
    q = m_store->exec(QStringLiteral("SELECT CodeDivision, Num FROM TableHead ORDER BY Num"), {}, {});
    while (q.next())
        competitions[index.at(q.value(0).toLongLong())].seasons.push_back(q.value(1).toLongLong());
}

void choose(TDataModule1& m, const BenchDatabase::Competition& c)
{
    m.TableCountry->locate(QStringLiteral("Code"), c.country);
    m.TableDivision->locate(QStringLiteral("Code"), c.code);
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}
