// What the views cost on a large database, each beside the same answer from one
// hand-written SQL query in the same run. Run: build/bench/tallyfield_bench
// (the database is made once per size in a temporary folder and reused within the run).

#include "datamodule.h"
#include "filterforms.h"
#include "tablestore.h"
#include "textformat.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

constexpr int kCountries = 40;
constexpr int kDivisionsPerCountry = 5;
constexpr int kTeamsPerDivision = 20;

QString label(int team)
{
    return QStringLiteral("Team %1 (City %1)").arg(team);
}

// A deterministic database: kCountries countries of kDivisionsPerCountry competitions of
// kTeamsPerDivision teams, and the given number of results spread over the competitions
// and over 25 years, with scores from a fixed sequence.
class SyntheticDatabase
{
public:
    explicit SyntheticDatabase(int results)
    {
        // TALLYFIELD_BENCH_CACHE names a folder where the databases are kept between runs.
        const QString cache = qEnvironmentVariable("TALLYFIELD_BENCH_CACHE");
        m_folder = cache.isEmpty() ? QDir(dir.path()).filePath(QStringLiteral("Table"))
                                   : QDir(cache).filePath(QStringLiteral("%1/Table").arg(results));
        const bool made = QFile::exists(QDir(m_folder).filePath(TableStore::fileName()));
        if (!made)
            TableStore::create(folder());
        store = std::make_unique<TableStore>(folder());
        if (made)
            layOut();
        else
            fill(results);
    }

    QString folder() const { return m_folder; }

    QTemporaryDir dir;
    std::unique_ptr<TableStore> store;
    std::vector<int> divisions;
    std::map<int, std::vector<int>> teamsOf;

private:
    // The codes of the competitions and teams, as fill() makes them.
    void layOut()
    {
        for (int c = 0; c < kCountries; ++c) {
            const int countryCode = 10 + c;
            for (int d = 1; d <= kDivisionsPerCountry; ++d) {
                const int divisionCode = TextFormat::joinCodes(countryCode, d);
                divisions.push_back(divisionCode);
                for (int t = 1; t <= kTeamsPerDivision; ++t)
                    teamsOf[divisionCode].push_back(
                        TextFormat::joinCodes(countryCode, (d - 1) * kTeamsPerDivision + t));
            }
        }
    }

    void fill(int results)
    {
        layOut();
        auto exec = [&](const QString& sql) { store->exec(sql, {}, QStringLiteral("bench")); };
        exec(QStringLiteral("BEGIN"));
        QSqlQuery country(store->database()), division(store->database()), team(store->database()),
            result(store->database());
        country.prepare(QStringLiteral("INSERT INTO Country (Code, Country) VALUES (?, ?)"));
        division.prepare(QStringLiteral("INSERT INTO Division (Code, Country, Division) VALUES (?, ?, ?)"));
        team.prepare(QStringLiteral("INSERT INTO Team (Code, Team, ShortName, City, Division) VALUES (?, ?, ?, ?, ?)"));
        result.prepare(QStringLiteral("INSERT INTO Results (Num, Date, CodeTeam, CodeTeam2, Team, Team2, Goal1, "
                                      "Goal2, Division) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int c = 0; c < kCountries; ++c) {
            country.addBindValue(10 + c);
            country.addBindValue(QStringLiteral("Country %1").arg(10 + c));
            country.exec();
        }
        for (const auto& [divisionCode, teams] : teamsOf) {
            division.addBindValue(divisionCode);
            division.addBindValue(divisionCode / 10);
            division.addBindValue(QStringLiteral("Division %1").arg(divisionCode));
            division.exec();
            for (const int teamCode : teams) {
                team.addBindValue(teamCode);
                team.addBindValue(QStringLiteral("Team %1").arg(teamCode));
                team.addBindValue(QStringLiteral("Team %1").arg(teamCode));
                team.addBindValue(QStringLiteral("City %1").arg(teamCode));
                team.addBindValue(divisionCode);
                team.exec();
            }
        }
        const QDate start(2000, 7, 1);
        for (int i = 0; i < results; ++i) {
            const int divisionCode = divisions[static_cast<size_t>(i) % divisions.size()];
            const auto& teams = teamsOf[divisionCode];
            const int round = i / static_cast<int>(divisions.size());
            const int home = teams[static_cast<size_t>((round * 7) % kTeamsPerDivision)];
            const int away =
                teams[static_cast<size_t>((round * 7 + 1 + round / kTeamsPerDivision % 19) % kTeamsPerDivision)];
            result.addBindValue(i + 1);
            result.addBindValue(
                start.addDays(static_cast<qint64>(round) * 9125 / (results / 200 + 1)).toString(Qt::ISODate));
            result.addBindValue(home);
            result.addBindValue(away);
            result.addBindValue(label(home));
            result.addBindValue(label(away));
            result.addBindValue((i * 7) % 5);
            result.addBindValue((i * 11) % 4);
            result.addBindValue(divisionCode);
            result.exec();
        }
        exec(QStringLiteral("COMMIT"));
        exec(QStringLiteral("ANALYZE"));
        exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }

    QString m_folder;
};

SyntheticDatabase& database(int results)
{
    static std::map<int, std::unique_ptr<SyntheticDatabase>> made;
    auto& db = made[results];
    if (!db)
        db = std::make_unique<SyntheticDatabase>(results);
    return *db;
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

void BM_OpenTenViews(benchmark::State& state)
{
    auto& db = database(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TDataModule1 module(*db.store);
        module.DataModuleCreate();
        benchmark::DoNotOptimize(module.TableSortRes->asInteger(QStringLiteral("Num")));
    }
    state.counters["rss_MB"] = residentMegabytes();
}
BENCHMARK(BM_OpenTenViews)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Choosing a competition: the count and the first and last dates of its results.
void BM_ChooseCompetition(benchmark::State& state)
{
    auto& db = database(1000000);
    TDataModule1 module(*db.store);
    module.DataModuleCreate();
    TableView* view = module.TableSortRes;
    size_t i = 0;
    for (auto _ : state) {
        const int division = db.divisions[i++ % db.divisions.size()];
        view->setFilterText(FilterForms::division(QString::number(division)));
        view->setFiltered(true);
        view->last();
        const QString earliest = view->asString(QStringLiteral("Date"));
        view->first();
        const QString latest = view->asString(QStringLiteral("Date"));
        benchmark::DoNotOptimize(view->recordCount());
        view->setFiltered(false);
    }
}
BENCHMARK(BM_ChooseCompetition)->Unit(benchmark::kMicrosecond);

void BM_ChooseCompetition_SQL(benchmark::State& state)
{
    auto& db = database(1000000);
    size_t i = 0;
    for (auto _ : state) {
        const int division = db.divisions[i++ % db.divisions.size()];
        QSqlQuery q =
            db.store->exec(QStringLiteral("SELECT COUNT(*), MIN(Date), MAX(Date) FROM Results WHERE Division = ?"),
                           {division}, QStringLiteral("bench"));
        q.next();
        benchmark::DoNotOptimize(q.value(0).toInt());
    }
}
BENCHMARK(BM_ChooseCompetition_SQL)->Unit(benchmark::kMicrosecond);

// Head-to-head over every competition: walk the pair's matches and count the wins.
void BM_HeadToHead(benchmark::State& state)
{
    auto& db = database(1000000);
    TDataModule1 module(*db.store);
    module.DataModuleCreate();
    TableView* view = module.TableSortRes;
    size_t i = 0;
    for (auto _ : state) {
        const auto& teams = db.teamsOf[db.divisions[i++ % db.divisions.size()]];
        const QString t1 = label(teams[0]), t2 = label(teams[1]);
        view->setFilterText(FilterForms::pairBothWays(t1, t2));
        view->setFiltered(true);
        view->first();
        int wins = 0;
        const int n = view->recordCount();
        for (int r = 0; r < n; ++r) {
            const qint64 g1 = view->asInteger(QStringLiteral("Goal1")), g2 = view->asInteger(QStringLiteral("Goal2"));
            wins += (g1 > g2 && view->asString(QStringLiteral("Team")) == t1) ? 1 : 0;
            benchmark::DoNotOptimize(view->asString(QStringLiteral("Res")));
            view->next();
        }
        view->setFiltered(false);
        benchmark::DoNotOptimize(wins);
    }
}
BENCHMARK(BM_HeadToHead)->Unit(benchmark::kMicrosecond);

void BM_HeadToHead_SQL(benchmark::State& state)
{
    auto& db = database(1000000);
    size_t i = 0;
    for (auto _ : state) {
        const auto& teams = db.teamsOf[db.divisions[i++ % db.divisions.size()]];
        const QString t1 = label(teams[0]), t2 = label(teams[1]);
        QSqlQuery q =
            db.store->exec(QStringLiteral("SELECT Goal1, Goal2, Team FROM Results WHERE (Team = ? AND Team2 = "
                                          "?) OR (Team = ? AND Team2 = ?) ORDER BY Date DESC"),
                           {t1, t2, t2, t1}, QStringLiteral("bench"));
        int wins = 0;
        while (q.next())
            wins += (q.value(0).toInt() > q.value(1).toInt() && q.value(2).toString() == t1) ? 1 : 0;
        benchmark::DoNotOptimize(wins);
    }
}
BENCHMARK(BM_HeadToHead_SQL)->Unit(benchmark::kMicrosecond);

// A whole competition walked through the bound results view, summing its goals.
void BM_WalkCompetition(benchmark::State& state)
{
    auto& db = database(1000000);
    TDataModule1 module(*db.store);
    module.DataModuleCreate();
    size_t i = 0;
    for (auto _ : state) {
        module.TableCountry->locate(QStringLiteral("Code"), db.divisions[i % db.divisions.size()] / 10);
        module.TableDivision->locate(QStringLiteral("Code"), db.divisions[i++ % db.divisions.size()]);
        TableView* view = module.TableResults;
        view->first();
        qint64 goals = 0;
        const int n = view->recordCount();
        for (int r = 0; r < n; ++r) {
            goals += view->asInteger(QStringLiteral("Goal1")) + view->asInteger(QStringLiteral("Goal2"));
            view->next();
        }
        benchmark::DoNotOptimize(goals);
    }
}
BENCHMARK(BM_WalkCompetition)->Unit(benchmark::kMillisecond);

void BM_WalkCompetition_SQL(benchmark::State& state)
{
    auto& db = database(1000000);
    size_t i = 0;
    for (auto _ : state) {
        QSqlQuery q = db.store->exec(QStringLiteral("SELECT SUM(Goal1 + Goal2) FROM Results WHERE Division = ?"),
                                     {db.divisions[i++ % db.divisions.size()]}, QStringLiteral("bench"));
        q.next();
        benchmark::DoNotOptimize(q.value(0).toLongLong());
    }
}
BENCHMARK(BM_WalkCompetition_SQL)->Unit(benchmark::kMillisecond);

// Renaming a team with about 500 results: the cascade of posts into its results.
void BM_RenameTeam(benchmark::State& state)
{
    auto& db = database(1000000);
    TDataModule1 module(*db.store);
    module.DataModuleCreate();
    const int division = db.divisions[7];
    const int team = db.teamsOf[division][5];
    module.TableCountry->locate(QStringLiteral("Code"), division / 10);
    module.TableDivision->locate(QStringLiteral("Code"), division);
    module.TableTeam->locate(QStringLiteral("Code"), team);
    const QString original = module.TableTeam->asString(QStringLiteral("ShortName"));
    bool renamed = false;
    for (auto _ : state) {
        renamed = !renamed;
        module.TableTeam->edit();
        module.TableTeam->setValue(QStringLiteral("ShortName"), renamed ? original + QStringLiteral("'s") : original);
        module.TableTeam->post();
    }
    if (renamed) {
        module.TableTeam->edit();
        module.TableTeam->setValue(QStringLiteral("ShortName"), original);
        module.TableTeam->post();
    }
    QSqlQuery q = db.store->exec(QStringLiteral("SELECT COUNT(*) FROM Results WHERE CodeTeam = ? OR CodeTeam2 = ?"),
                                 {team, team}, QStringLiteral("bench"));
    q.next();
    state.counters["results"] = q.value(0).toDouble();
}
BENCHMARK(BM_RenameTeam)->Unit(benchmark::kMillisecond);

const QString kRenameSql = QStringLiteral("UPDATE Results SET Team = CASE WHEN CodeTeam = ? THEN ? ELSE Team END, "
                                          "Team2 = CASE WHEN CodeTeam2 = ? THEN ? ELSE Team2 END "
                                          "WHERE CodeTeam = ? OR CodeTeam2 = ?");

void BM_RenameTeam_SQL(benchmark::State& state)
{
    auto& db = database(1000000);
    const int team = db.teamsOf[db.divisions[7]][5];
    const QString original = label(team);
    bool renamed = false;
    for (auto _ : state) {
        renamed = !renamed;
        const QString name = renamed ? QStringLiteral("Team %1's (City %1)").arg(team) : original;
        db.store->exec(kRenameSql, {team, name, team, name, team, team}, QStringLiteral("bench"));
    }
    if (renamed)
        db.store->exec(kRenameSql, {team, original, team, original, team, team}, QStringLiteral("bench"));
}
BENCHMARK(BM_RenameTeam_SQL)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
