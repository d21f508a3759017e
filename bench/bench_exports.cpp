// The all-competitions statistics export on the large synthetic database: the walk over
// every country and competition through the shared views, beside the same rows from one
// hand-written SQL query, and the writing of its .xlsx file.

#include "benchdatabase.h"
#include "competitionsexport.h"
#include "competitionstatistics.h"
#include "workbookfile.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLarge = 1000000;
const QString kBench = QStringLiteral("bench");

using CompetitionStatistics::CompetitionRow;

// Every competition with results, countries by name and their competitions by code, as
// the views order them, counted by SQLite.
std::vector<CompetitionRow> allCompetitionsBySql(BenchDatabase& db)
{
    static const QString sql = QStringLiteral(
        "SELECT c.Country, d.Division, TOTAL(r.Goal1 > r.Goal2), TOTAL(r.Goal1 = r.Goal2), "
        "TOTAL(r.Goal1 < r.Goal2), TOTAL(r.Goal1 + r.Goal2) FROM Country c JOIN Division d ON d.Country = c.Code "
        "JOIN Results r ON r.Division = d.Code GROUP BY d.Code ORDER BY c.Country, c.Code, d.Code");
    QSqlQuery q = db.store().exec(sql, {}, kBench);
    std::vector<CompetitionRow> rows;
    while (q.next())
        rows.push_back({q.value(0).toString(),
                        q.value(1).toString(),
                        {q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt(), q.value(5).toInt()}});
    return rows;
}

bool same(const std::vector<CompetitionRow>& a, const std::vector<CompetitionRow>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].cells() != b[i].cells() || a[i].counts.goals != b[i].counts.goals)
            return false;
    }
    return true;
}

// The walk of the export: every country, every competition, all its results counted.
void BM_AllCompetitionsExportWalk(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    BenchModule m(db);
    const auto rows = CompetitionStatistics::allCompetitions(m.module);
    if (!same(rows, allCompetitionsBySql(db))) {
        state.SkipWithError("the competitions' rows differ from the SQL's");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CompetitionStatistics::allCompetitions(m.module));
    state.counters["competitions"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_AllCompetitionsExportWalk)->Unit(benchmark::kMillisecond);

void BM_AllCompetitionsExportWalk_SQL(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    for (auto _ : state)
        benchmark::DoNotOptimize(allCompetitionsBySql(db));
}
BENCHMARK(BM_AllCompetitionsExportWalk_SQL)->Unit(benchmark::kMillisecond);

// The sheet of the walked rows built and written as an .xlsx file.
void BM_AllCompetitionsExportXlsx(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    const auto rows = allCompetitionsBySql(db);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Competitions statistics.xlsx"));
    for (auto _ : state)
        Spreadsheet::writeFile(CompetitionStatistics::competitionsWorkbook(rows), path);
    state.counters["rows"] = static_cast<double>(rows.size());
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(BM_AllCompetitionsExportXlsx)->Unit(benchmark::kMillisecond);

} // namespace
