// The league table viewer on the large synthetic database: choosing a season (its rows
// ranked, the positions stored, and the rows the grid shows read) and the team games
// window's list, each through the unit the windows use, beside the same answer from
// hand-written SQL in the same run. Each pair first checks that both give that answer.

#include "benchdatabase.h"
#include "leaguetable.h"
#include "seasontable.h"
#include "textformat.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kLarge = 1000000;
const QString kBench = QStringLiteral("bench");

// The competition the cases work on, and its seasons and teams in turn.
const BenchDatabase::Competition& competition(BenchDatabase& db)
{
    return db.competitions[db.competitions.size() / 2];
}

QString dateOf(const QVariant& iso)
{
    return iso.isNull() ? QString() : TextFormat::dateText(QDate::fromString(iso.toString(), Qt::ISODate));
}

// --- choosing a season: the ranking ---------------------------------------------------

QStringList rankedByViews(TDataModule1& m, qint64 season)
{
    m.TableTableHead->locate(QStringLiteral("Num"), season);
    SeasonTable::rank(m, season);
    QStringList texts;
    // Each row as a text made the way the SQL side makes its own.
    for (const LeagueTable::Row& r : LeagueTable::rows(m)) {
        texts << QStringList{QString::number(r.position), r.team,
                             QString::number(r.game),     QString::number(r.win),
                             QString::number(r.draw),     QString::number(r.lose),
                             QString::number(r.goalsFor), QString::number(r.goalsAgainst),
                             QString::number(r.points)}
                     .join(QLatin1Char(' '));
    }
    return texts;
}

QStringList rankedBySql(BenchDatabase& db, qint64 season)
{
    static const QString order = QStringLiteral("Points DESC, Ball DESC, BGoal DESC, Num");
    db.store().write(QStringLiteral("UPDATE TableDet SET Position = r.p FROM (SELECT Num, ROW_NUMBER() OVER "
                                    "(ORDER BY %1) AS p FROM TableDet WHERE CodeSeason = ?) AS r "
                                    "WHERE TableDet.Num = r.Num")
                         .arg(order),
                     {season}, kBench);
    const TableStore::Reading q =
        db.store().read(QStringLiteral("SELECT Position, Team, Game, Win, Draw, Lose, BGoal, BMiss, Points "
                                       "FROM TableDet WHERE CodeSeason = ? ORDER BY %1")
                            .arg(order),
                        {season}, kBench);
    QStringList texts;
    while (q->next()) {
        QStringList row;
        for (int i = 0; i < 9; ++i)
            row << (i == 1 ? q->value(i).toString() : QString::number(q->value(i).toInt()));
        texts << row.join(QLatin1Char(' '));
    }
    return texts;
}

void BM_ChooseSeason(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    BenchModule m(db);
    const auto& c = competition(db);
    choose(m.module, c);
    for (const qint64 season : {c.seasons.front(), c.seasons.back()}) {
        const QStringList views = rankedByViews(m.module, season);
        if (views.size() != 20 || views != rankedBySql(db, season)) {
            state.SkipWithError("the ranked rows differ from the SQL's");
            return;
        }
    }
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rankedByViews(m.module, c.seasons[i++ % c.seasons.size()]));
}
BENCHMARK(BM_ChooseSeason)->Unit(benchmark::kMicrosecond);

void BM_ChooseSeason_SQL(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    const auto& c = competition(db);
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rankedBySql(db, c.seasons[i++ % c.seasons.size()]));
}
BENCHMARK(BM_ChooseSeason_SQL)->Unit(benchmark::kMicrosecond);

// --- the team games window's list ---------------------------------------------------

QStringList gamesByViews(TDataModule1& m, qint64 season, const QString& team)
{
    m.TableTableHead->locate(QStringLiteral("Num"), season);
    QStringList texts;
    for (const TeamGames::Game& g : TeamGames::select(m, team))
        texts << g.date + QLatin1Char('|') + g.home + QLatin1Char('|') + g.away + QLatin1Char('|') + g.score;
    m.TableResults->setFiltered(false);
    return texts;
}

QStringList gamesBySql(BenchDatabase& db, qint64 division, qint64 season, const QString& team)
{
    const TableStore::Reading q = db.store().read(
        QStringLiteral(
            "SELECT r.Date, r.Team, r.Team2, r.Goal1, r.Goal2 FROM TableHead h JOIN Results r "
            "ON r.Division = ? AND r.Date BETWEEN h.DateStart AND h.DateFinish AND (r.Team = ? OR r.Team2 = ?) "
            "WHERE h.Num = ? ORDER BY r.Date, r.RecId"),
        {division, team, team, season}, kBench);
    QStringList texts;
    while (q->next()) {
        texts << dateOf(q->value(0)) + QLatin1Char('|') + q->value(1).toString() + QLatin1Char('|') +
                     q->value(2).toString() + QLatin1Char('|') + q->value(3).toString() + QStringLiteral(" : ") +
                     q->value(4).toString();
    }
    return texts;
}

// The i-th list asked for: the seasons and the teams of the competition in turn.
struct Pick
{
    qint64 season;
    QString team;
};
Pick pick(const BenchDatabase::Competition& c, size_t i)
{
    return {c.seasons[i % c.seasons.size()], c.labels[(i * 7) % c.labels.size()]};
}

void BM_TeamGames(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    BenchModule m(db);
    const auto& c = competition(db);
    choose(m.module, c);
    for (size_t i = 0; i < 3; ++i) {
        const Pick p = pick(c, i);
        const QStringList views = gamesByViews(m.module, p.season, p.team);
        if (views.isEmpty() || views != gamesBySql(db, c.code, p.season, p.team)) {
            state.SkipWithError("the team's games differ from the SQL's");
            return;
        }
    }
    size_t i = 0;
    for (auto _ : state) {
        const Pick p = pick(c, i++);
        benchmark::DoNotOptimize(gamesByViews(m.module, p.season, p.team));
    }
}
BENCHMARK(BM_TeamGames)->Unit(benchmark::kMicrosecond);

void BM_TeamGames_SQL(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(kLarge);
    const auto& c = competition(db);
    size_t i = 0;
    for (auto _ : state) {
        const Pick p = pick(c, i++);
        benchmark::DoNotOptimize(gamesBySql(db, c.code, p.season, p.team));
    }
}
BENCHMARK(BM_TeamGames_SQL)->Unit(benchmark::kMicrosecond);

} // namespace
