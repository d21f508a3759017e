// What the program's operations cost on a large database through the data module's views,
// each beside the same answer from one hand-written SQL query in the same run.
// Run: build/bench/tallyfield_bench (see README.md).

#include "benchdatabase.h"
#include "datamodule.h"
#include "filterforms.h"
#include "seasontable.h"
#include "textformat.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlQuery>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLarge = 1000000;

const QString kBench = QStringLiteral("bench");

using Module = BenchModule;

const BenchDatabase::Competition& pick(BenchDatabase& db, size_t& i)
{
    return db.competitions[(i++ * 37) % db.competitions.size()];
}

// Start-up: the ten views opened in order.
void BM_OpenTenViews(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TDataModule1 module(db.store());
        module.DataModuleCreate();
        benchmark::DoNotOptimize(module.TableSortRes->asInteger(QStringLiteral("Num")));
    }
    state.counters["rss_MB"] = residentMegabytes();
}
BENCHMARK(BM_OpenTenViews)->Arg(1000)->Arg(kLarge)->Unit(benchmark::kMillisecond);

// Choosing a competition: form 1 on the sorted results, its count, earliest and latest date.
void BM_ChooseCompetition(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    Module m(db);
    TableView* view = m.module.TableSortRes;
    size_t i = 0;
    for (auto _ : state) {
        view->setFilterText(FilterForms::division(QString::number(pick(db, i).code)));
        view->setFiltered(true);
        view->last();
        benchmark::DoNotOptimize(view->asString(QStringLiteral("Date")));
        view->first();
        benchmark::DoNotOptimize(view->asString(QStringLiteral("Date")));
        benchmark::DoNotOptimize(view->recordCount());
        view->setFiltered(false);
    }
}
BENCHMARK(BM_ChooseCompetition)->Unit(benchmark::kMicrosecond);

void BM_ChooseCompetition_SQL(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    size_t i = 0;
    for (auto _ : state) {
        QSqlQuery q =
            db.store().exec(QStringLiteral("SELECT COUNT(*), MIN(Date), MAX(Date) FROM Results WHERE Division = ?"),
                            {pick(db, i).code}, kBench);
        q.next();
        benchmark::DoNotOptimize(q.value(0).toInt());
    }
}
BENCHMARK(BM_ChooseCompetition_SQL)->Unit(benchmark::kMicrosecond);

// Head-to-head: the pair's matches both ways within the competition (form 4) and in every
// competition (form 5), each walked newest first and counted.
int walkPair(TableView* view, const QString& filter, const QString& t1)
{
    view->setFilterText(filter);
    view->setFiltered(true);
    view->first();
    int wins = 0;
    const int n = view->recordCount();
    for (int r = 0; r < n; ++r) {
        const qint64 g1 = view->asInteger(QStringLiteral("Goal1")), g2 = view->asInteger(QStringLiteral("Goal2"));
        const bool home = view->asString(QStringLiteral("Team")) == t1;
        wins += (home ? g1 > g2 : g2 > g1) ? 1 : 0;
        benchmark::DoNotOptimize(view->asString(QStringLiteral("Res")));
        view->next();
    }
    view->setFiltered(false);
    return wins;
}

void BM_HeadToHead(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    Module m(db);
    size_t i = 0;
    for (auto _ : state) {
        const auto& c = pick(db, i);
        const QString d = QString::number(c.code);
        benchmark::DoNotOptimize(walkPair(
            m.module.TableSortRes, FilterForms::pairBothWaysInDivision(d, c.labels[0], c.labels[1]), c.labels[0]));
        benchmark::DoNotOptimize(
            walkPair(m.module.TableSortRes, FilterForms::pairBothWays(c.labels[0], c.labels[1]), c.labels[0]));
    }
}
BENCHMARK(BM_HeadToHead)->Unit(benchmark::kMicrosecond);

void BM_HeadToHead_SQL(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    size_t i = 0;
    const QString pair = QStringLiteral("SELECT Goal1, Goal2, Team FROM Results WHERE %1 ((Team = ? AND Team2 = ?) OR "
                                        "(Team = ? AND Team2 = ?)) ORDER BY Date DESC, RecId DESC");
    for (auto _ : state) {
        const auto& c = pick(db, i);
        const QString &t1 = c.labels[0], &t2 = c.labels[1];
        for (const bool within : {true, false}) {
            QVariantList params{t1, t2, t2, t1};
            if (within)
                params.prepend(c.code);
            QSqlQuery q =
                db.store().exec(pair.arg(within ? QStringLiteral("Division = ? AND") : QString()), params, kBench);
            int wins = 0;
            while (q.next()) {
                const bool home = q.value(2).toString() == t1;
                wins += (home ? q.value(0).toInt() > q.value(1).toInt() : q.value(1).toInt() > q.value(0).toInt());
            }
            benchmark::DoNotOptimize(wins);
        }
    }
}
BENCHMARK(BM_HeadToHead_SQL)->Unit(benchmark::kMicrosecond);

// The number of the last league-table row, and the removal of the rows added after it:
// a fill's rows are taken out again outside the measured time.
qint64 lastRowNumber(BenchDatabase& db)
{
    QSqlQuery last = db.store().exec(QStringLiteral("SELECT MAX(Num) FROM TableDet"), {}, kBench);
    return last.next() ? last.value(0).toLongLong() : 0;
}

void removeRowsAfter(BenchDatabase& db, qint64 number)
{
    db.store().exec(QStringLiteral("DELETE FROM TableDet WHERE Num > ?"), {number}, kBench);
}

// Filling one 20-team season (form 9 per team) and ranking it; the rows are taken out
// again outside the measured time.
void BM_FillSeason(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    Module m(db);
    size_t i = 0;
    for (auto _ : state) {
        const auto& c = pick(db, i);
        choose(m.module, c);
        const qint64 season = c.seasons[c.seasons.size() / 2];
        m.module.TableTableHead->locate(QStringLiteral("Num"), season);
        std::vector<SeasonTable::Team> teams;
        for (size_t t = 0; t < c.teams.size(); ++t)
            teams.push_back({c.teams[t], c.labels[t]});
        const qint64 before = lastRowNumber(db);
        SeasonTable::fill(m.module, teams);
        SeasonTable::rank(m.module, season);
        state.PauseTiming();
        m.module.TableResults->setFiltered(false);
        m.module.TableSortDet->setFiltered(false);
        removeRowsAfter(db, before);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillSeason)->Unit(benchmark::kMillisecond);

// The same rows counted, ranked and stored by one statement.
void BM_FillSeason_SQL(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    size_t i = 0;
    const QString sql = QStringLiteral(
        "INSERT INTO TableDet (CodeSeason, Position, CodeTeam, Team, Game, Win, Draw, Lose, BGoal, BMiss, Ball, "
        "Points) "
        "SELECT h.Num, ROW_NUMBER() OVER (ORDER BY 3 * w + d DESC, gf - ga DESC, gf DESC, t.Code), t.Code, t.label, "
        "w + d + l, w, d, l, gf, ga, gf - ga, 3 * w + d FROM TableHead h JOIN ("
        "  SELECT t.Code, t.ShortName || ' (' || t.City || ')' AS label,"
        "    COUNT(CASE WHEN (r.CodeTeam = t.Code AND r.Goal1 > r.Goal2) OR (r.CodeTeam2 = t.Code AND r.Goal2 > "
        "r.Goal1)"
        "      THEN 1 END) AS w,"
        "    COUNT(CASE WHEN r.Goal1 = r.Goal2 THEN 1 END) AS d,"
        "    COUNT(CASE WHEN (r.CodeTeam = t.Code AND r.Goal1 < r.Goal2) OR (r.CodeTeam2 = t.Code AND r.Goal2 < "
        "r.Goal1)"
        "      THEN 1 END) AS l,"
        "    TOTAL(CASE WHEN r.CodeTeam = t.Code THEN r.Goal1 ELSE r.Goal2 END) AS gf,"
        "    TOTAL(CASE WHEN r.CodeTeam = t.Code THEN r.Goal2 ELSE r.Goal1 END) AS ga"
        "  FROM Team t, TableHead s LEFT JOIN Results r ON r.Division = s.CodeDivision"
        "    AND r.Date BETWEEN s.DateStart AND s.DateFinish AND (r.CodeTeam = t.Code OR r.CodeTeam2 = t.Code)"
        "  WHERE t.Division = ? AND s.Num = ? GROUP BY t.Code) t WHERE h.Num = ?");
    for (auto _ : state) {
        const auto& c = pick(db, i);
        const qint64 season = c.seasons[c.seasons.size() / 2];
        const qint64 before = lastRowNumber(db);
        db.store().exec(sql, {c.code, season, season}, kBench);
        state.PauseTiming();
        removeRowsAfter(db, before);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillSeason_SQL)->Unit(benchmark::kMillisecond);

// The database summary: the counts of four tables, then every competition's count and
// first and last date by form 1 on the sorted results.
void BM_DatabaseSummary(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    Module m(db);
    TDataModule1& dm = m.module;
    for (auto _ : state) {
        for (TableView* v : {dm.TableCountry, dm.TableTeam, dm.TableResults, dm.TableStadium})
            v->setFiltered(false);
        dm.TableTeam->unbind();
        dm.TableResults->unbind();
        dm.TableStadium->unbind();
        QStringList lines;
        for (TableView* v : {dm.TableCountry, dm.TableTeam, dm.TableStadium, dm.TableResults})
            lines << QString::number(v->recordCount());
        dm.TableTeam->bindTo(dm.DataSourceDivision, QStringLiteral("Division"));
        dm.TableResults->bindTo(dm.DataSourceDivision, QStringLiteral("Division"));
        dm.TableStadium->bindTo(dm.DataSourceCountry, QStringLiteral("Country"));
        TableView* sorted = dm.TableSortRes;
        for (dm.TableCountry->first(); !dm.TableCountry->eof(); dm.TableCountry->next()) {
            for (dm.TableDivision->first(); !dm.TableDivision->eof() && !dm.TableDivision->isEmpty();
                 dm.TableDivision->next()) {
                sorted->setFilterText(
                    FilterForms::division(QString::number(dm.TableDivision->asInteger(QStringLiteral("Code")))));
                sorted->setFiltered(true);
                sorted->last();
                const QString first = sorted->asString(QStringLiteral("Date"));
                sorted->first();
                lines << QStringLiteral("%1 - %2 - %3 matches - (%4 - %5)")
                             .arg(dm.TableCountry->asString(QStringLiteral("Country")),
                                  dm.TableDivision->asString(QStringLiteral("Division")))
                             .arg(sorted->recordCount())
                             .arg(first, sorted->asString(QStringLiteral("Date")));
            }
        }
        sorted->setFiltered(false);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_DatabaseSummary)->Unit(benchmark::kMillisecond);

void BM_DatabaseSummary_SQL(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    const QString sql = QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM Country), (SELECT COUNT(*) FROM Team), (SELECT COUNT(*) FROM Stadium), "
        "(SELECT COUNT(*) FROM Results), c.Country, d.Division, "
        "(SELECT COUNT(*) FROM Results r WHERE r.Division = d.Code), "
        "(SELECT MIN(Date) FROM Results r WHERE r.Division = d.Code), "
        "(SELECT MAX(Date) FROM Results r WHERE r.Division = d.Code) "
        "FROM Country c JOIN Division d ON d.Country = c.Code ORDER BY c.Country COLLATE NOCASE, d.Code");
    for (auto _ : state) {
        QSqlQuery q = db.store().exec(sql, {}, kBench);
        QStringList lines;
        while (q.next())
            lines << q.value(4).toString() + q.value(6).toString();
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_DatabaseSummary_SQL)->Unit(benchmark::kMillisecond);

// Renaming a team with about 500 results: the cascade of posts into its results.
void BM_RenameTeam(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    Module m(db);
    const auto& c = db.competitions[7];
    choose(m.module, c);
    m.module.TableTeam->locate(QStringLiteral("Code"), c.teams[5]);
    const QString original = m.module.TableTeam->asString(QStringLiteral("ShortName"));
    bool renamed = false;
    const auto rename = [&](bool on) {
        m.module.TableTeam->edit();
        m.module.TableTeam->setValue(QStringLiteral("ShortName"), on ? original + QStringLiteral("'s") : original);
        m.module.TableTeam->post();
    };
    for (auto _ : state)
        rename(renamed = !renamed);
    if (renamed)
        rename(false);
    QSqlQuery q = db.store().exec(QStringLiteral("SELECT COUNT(*) FROM Results WHERE CodeTeam = ? OR CodeTeam2 = ?"),
                                  {c.teams[5], c.teams[5]}, kBench);
    q.next();
    state.counters["results"] = q.value(0).toDouble();
}
BENCHMARK(BM_RenameTeam)->Unit(benchmark::kMillisecond);

void BM_RenameTeam_SQL(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    const auto& c = db.competitions[7];
    const qint64 team = c.teams[5];
    const QString sql = QStringLiteral("UPDATE Results SET Team = CASE WHEN CodeTeam = ? THEN ? ELSE Team END, "
                                       "Team2 = CASE WHEN CodeTeam2 = ? THEN ? ELSE Team2 END "
                                       "WHERE CodeTeam = ? OR CodeTeam2 = ?");
    const auto params = [&](const QString& label) { return QVariantList{team, label, team, label, team, team}; };
    bool renamed = false;
    for (auto _ : state) {
        renamed = !renamed;
        db.store().exec(sql, params(renamed ? c.labels[5] + QStringLiteral("'s") : c.labels[5]), kBench);
    }
    if (renamed)
        db.store().exec(sql, params(c.labels[5]), kBench);
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
    BenchDatabase::releaseAll();
    return 0;
}
