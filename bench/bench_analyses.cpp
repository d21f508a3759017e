// The analyses of the competition statistics and prediction windows on the large
// synthetic database, each through the unit the windows use, beside the same answer from
// hand-written SQL in the same run. Each pair first checks that both give that answer.

#include "backtest.h"
#include "benchdatabase.h"
#include "competitionstatistics.h"
#include "predictionmodel.h"

#include <QSqlQuery>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLarge = 1000000;
const QString kBench = QStringLiteral("bench");

using CompetitionStatistics::Counts;
using Prediction::Base;
using Prediction::SetCounts;
using Prediction::Tally;

// The competition with the most results.
const BenchDatabase::Competition& largest(BenchDatabase& db)
{
    QSqlQuery q = db.store().exec(
        QStringLiteral("SELECT Division FROM Results GROUP BY Division ORDER BY COUNT(*) DESC, Division LIMIT 1"), {},
        kBench);
    q.next();
    const qint64 code = q.value(0).toLongLong();
    for (const auto& c : db.competitions) {
        if (c.code == code)
            return c;
    }
    return db.competitions.front();
}

// --- competition statistics ---------------------------------------------------------

std::vector<Counts> statisticsBySql(BenchDatabase& db, qint64 code)
{
    static const QString sql = QStringLiteral(
        "SELECT TOTAL(Goal1 > Goal2), TOTAL(Goal1 = Goal2), TOTAL(Goal1 < Goal2), TOTAL(Goal1 + Goal2) "
        "FROM Results WHERE Division = ? UNION ALL "
        "SELECT * FROM (SELECT TOTAL(r.Goal1 > r.Goal2), TOTAL(r.Goal1 = r.Goal2), TOTAL(r.Goal1 < r.Goal2), "
        "TOTAL(r.Goal1 + r.Goal2) FROM TableHead h LEFT JOIN Results r ON r.Division = h.CodeDivision "
        "AND r.Date BETWEEN h.DateStart AND h.DateFinish WHERE h.CodeDivision = ? GROUP BY h.Num ORDER BY h.Num)");
    QSqlQuery q = db.store().exec(sql, {code, code}, kBench);
    std::vector<Counts> rows;
    while (q.next())
        rows.push_back({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt()});
    return rows;
}

bool same(const Counts& a, const Counts& b)
{
    return a.homeWins == b.homeWins && a.draws == b.draws && a.awayWins == b.awayWins && a.goals == b.goals;
}

// The summary and every season's row of the largest competition, as the statistics
// window computes them when its competition chooser closes.
void BM_CompetitionStatistics(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    BenchModule m(db);
    const auto& c = largest(db);
    choose(m.module, c);
    {
        const auto s = CompetitionStatistics::compute(m.module);
        const auto sql = statisticsBySql(db, c.code);
        bool agree = s.hasResults && sql.size() == s.rows.size() + 1 && same(s.total, sql[0]);
        for (size_t r = 0; agree && r < s.rows.size(); ++r)
            agree = same(s.rows[r].counts, sql[r + 1]);
        if (!agree) {
            state.SkipWithError("the statistics differ from the SQL's");
            return;
        }
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CompetitionStatistics::compute(m.module));
    state.counters["results"] = m.module.TableResults->recordCount();
}
BENCHMARK(BM_CompetitionStatistics)->Unit(benchmark::kMillisecond);

void BM_CompetitionStatistics_SQL(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    const qint64 code = largest(db).code;
    for (auto _ : state)
        benchmark::DoNotOptimize(statisticsBySql(db, code));
}
BENCHMARK(BM_CompetitionStatistics_SQL)->Unit(benchmark::kMillisecond);

// --- prediction ---------------------------------------------------------------------

// The pairing of the i-th prediction: two teams of a competition, taken in turn.
struct Pairing
{
    const BenchDatabase::Competition* competition;
    QString home;
    QString away;
};

Pairing pairing(BenchDatabase& db, size_t i)
{
    const auto& c = db.competitions[(i * 37) % db.competitions.size()];
    const size_t n = c.labels.size();
    const size_t h = (i * 7) % n;
    return {&c, c.labels[h], c.labels[(h + 1 + i % (n - 1)) % n]};
}

SetCounts setBySql(BenchDatabase& db, const QString& where, const QVariantList& params, bool homeSide)
{
    QSqlQuery q = db.store().exec(QStringLiteral("SELECT COUNT(*), TOTAL(Goal1 > Goal2), TOTAL(Goal1 < Goal2), "
                                                 "TOTAL(Goal1 = Goal2), TOTAL(Goal1 + Goal2 > 2) FROM Results WHERE ") +
                                      where,
                                  params, kBench);
    q.next();
    return {q.value(0).toInt(), q.value(homeSide ? 1 : 2).toInt(), q.value(3).toInt(), q.value(4).toInt()};
}

// The counts of a prediction by SQL, and its forecast by the same formulas.
Prediction::Forecast predictBySql(BenchDatabase& db, const Pairing& p, Base base, Tally* tally = nullptr)
{
    const qint64 code = p.competition->code;
    Tally t;
    if (base == Base::Intramural) {
        const QString pair = QStringLiteral("Division = ? AND Team = ? AND Team2 = ?");
        t.home = setBySql(db, pair, {code, p.home, p.away}, true);
        t.away = t.home;
        t.away.wins = setBySql(db, pair, {code, p.home, p.away}, false).wins;
    } else {
        t.home = setBySql(db, QStringLiteral("Division = ? AND Team = ?"), {code, p.home}, true);
        t.away = setBySql(db, QStringLiteral("Division = ? AND Team2 = ?"), {code, p.away}, false);
    }
    if (tally)
        *tally = t;
    return Prediction::forecast(base, t);
}

bool same(const SetCounts& a, const SetCounts& b)
{
    return a.games == b.games && a.wins == b.wins && a.draws == b.draws && a.over == b.over;
}

void predictionCase(benchmark::State& state, Base base)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    BenchModule m(db);
    for (size_t i = 0; i < 20; ++i) {
        const Pairing p = pairing(db, i);
        choose(m.module, *p.competition);
        const auto r = Prediction::predict(m.module, p.home, p.away, base);
        Tally sql;
        predictBySql(db, p, base, &sql);
        if (!same(r.tally.home, sql.home) || !same(r.tally.away, sql.away)) {
            state.SkipWithError("the prediction's counts differ from the SQL's");
            return;
        }
    }
    size_t i = 0;
    for (auto _ : state) {
        const Pairing p = pairing(db, i++);
        choose(m.module, *p.competition);
        benchmark::DoNotOptimize(Prediction::predict(m.module, p.home, p.away, base));
    }
}

void predictionSqlCase(benchmark::State& state, Base base)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    BenchModule m(db);
    size_t i = 0;
    for (auto _ : state) {
        const Pairing p = pairing(db, i++);
        choose(m.module, *p.competition); // the same choosing as the unit's case
        benchmark::DoNotOptimize(predictBySql(db, p, base));
    }
}

void BM_PredictionIntramural(benchmark::State& state)
{
    predictionCase(state, Base::Intramural);
}
BENCHMARK(BM_PredictionIntramural)->Unit(benchmark::kMicrosecond);

void BM_PredictionIntramural_SQL(benchmark::State& state)
{
    predictionSqlCase(state, Base::Intramural);
}
BENCHMARK(BM_PredictionIntramural_SQL)->Unit(benchmark::kMicrosecond);

void BM_PredictionAllGames(benchmark::State& state)
{
    predictionCase(state, Base::AllGames);
}
BENCHMARK(BM_PredictionAllGames)->Unit(benchmark::kMicrosecond);

void BM_PredictionAllGames_SQL(benchmark::State& state)
{
    predictionSqlCase(state, Base::AllGames);
}
BENCHMARK(BM_PredictionAllGames_SQL)->Unit(benchmark::kMicrosecond);

// --- backtest -----------------------------------------------------------------------

// The model replayed over the largest competition: its results read once through the
// views, then every match predicted from the days before it.
void BM_Backtest(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    BenchModule m(db);
    const auto& c = largest(db);
    choose(m.module, c);
    Backtest::Report report;
    for (auto _ : state) {
        const auto matches = Backtest::competitionMatches(m.module);
        report = Backtest::replay(matches, static_cast<Base>(state.range(0)));
        benchmark::DoNotOptimize(report);
    }
    state.counters["matches"] = report.matches;
    state.counters["predicted"] = report.predicted;
    state.counters["rps"] = report.outcome.meanRps();
}
BENCHMARK(BM_Backtest)
    ->Arg(static_cast<int>(Base::Intramural))
    ->Arg(static_cast<int>(Base::AllGames))
    ->Unit(benchmark::kMillisecond);

} // namespace
