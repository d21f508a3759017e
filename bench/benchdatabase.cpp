#include "benchdatabase.h"

#include "databasewriter.h"
#include "synthetic.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <cstring>

std::map<int, std::unique_ptr<BenchDatabase>>& BenchDatabase::made()
{
    static std::map<int, std::unique_ptr<BenchDatabase>> databases;
    return databases;
}

BenchDatabase& BenchDatabase::get(int results)
{
    auto& db = made()[results];
    if (!db)
        db.reset(new BenchDatabase(results));
    return *db;
}

void BenchDatabase::releaseAll()
{
    made().clear();
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

double residentMegabytes(bool own)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = own ? QByteArrayLiteral("RssAnon:") : QByteArrayLiteral("VmRSS:");
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

std::vector<int> takeSizes(int& argc, char* argv[], std::vector<int> defaults)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--results=", 10) != 0)
            continue;
        defaults.clear();
        for (const QString& n : QString::fromLatin1(argv[i] + 10).split(QLatin1Char(','), Qt::SkipEmptyParts))
            defaults.push_back(n.toInt());
        for (int j = i; j + 1 < argc; ++j)
            argv[j] = argv[j + 1];
        --argc;
        break;
    }
    return defaults;
}
