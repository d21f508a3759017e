// What the program's operations cost on a large database through the data module's views,
// each beside the same answer from one hand-written SQL query in the same run. Both sides
// run kept (prepared) statements on the plans the program gets, and before a case is
// measured both compute its answer for a few competitions: a case whose two answers
// differ is reported as an error and the binary exits with 1.
// Run: build/bench/tallyfield_bench [--results=1000000,100000] (see README.md).

#include "benchdatabase.h"
#include "competitionstatistics.h"
#include "databasesummary.h"
#include "datamodule.h"
#include "fieldvalue.h"
#include "filterforms.h"
#include "headtoheadquery.h"
#include "seasontable.h"
#include "teamhistory.h"
#include "textformat.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlRecord>
#include <benchmark/benchmark.h>
#include <iostream>
#include <memory>

namespace {

const QString kBench = QStringLiteral("bench");
bool g_mismatch = false;

using Competition = BenchDatabase::Competition;

// A stored date in the short date format, read the way the data layer reads it.
QString dateOf(const QVariant& iso)
{
    if (iso.isNull())
        return QString();
    const QByteArray text = iso.toString().toUtf8();
    return TextFormat::dateText(FieldValue::dateFromStored(text.constData(), text.size()));
}

// One operation of the program, done through the views and by one SQL statement. A case
// that writes prepares the database before each run and takes its writes out again
// after it, outside the measured time; what a run left in the database is part of its
// answer.
class Case
{
public:
    explicit Case(BenchDatabase& database) : db(database), module(database.store()) { module.DataModuleCreate(); }
    virtual ~Case() = default;
    Case(const Case&) = delete;
    Case& operator=(const Case&) = delete;

    virtual QStringList views(const Competition& c) = 0;
    virtual QStringList sql(const Competition& c) = 0;
    virtual bool writes() const { return false; }
    virtual void prepare(const Competition&) {}
    virtual QStringList stored(const Competition&) { return {}; }
    virtual void undo(const Competition&) {}

    // The competition of the i-th run: spread over the database, the same for both sides.
    const Competition& pick(size_t i) const { return db.competitions[(i * 37) % db.competitions.size()]; }

    QStringList answer(bool throughViews, size_t i)
    {
        const Competition& c = pick(i);
        prepare(c);
        QStringList result = throughViews ? views(c) : sql(c);
        result += stored(c);
        undo(c);
        return result;
    }

    BenchDatabase& db;
    TDataModule1 module;
};

QStringList rowTexts(QSqlQuery& q, int columns)
{
    QStringList texts;
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < columns; ++i)
            row << q.value(i).toString();
        texts << row.join(QLatin1Char(' '));
    }
    return texts;
}

// Choosing a competition: form 1 on the sorted results, its earliest and latest date and
// its count.
class ChooseCompetition : public Case
{
public:
    using Case::Case;
    QStringList views(const Competition& c) override
    {
        TableView* view = module.TableSortRes;
        view->setFilterText(FilterForms::division(QString::number(c.code)));
        view->setFiltered(true);
        view->last();
        const QString earliest = view->asString(QStringLiteral("Date"));
        view->first();
        const QString latest = view->asString(QStringLiteral("Date"));
        const int count = view->recordCount();
        view->setFiltered(false);
        return {QString::number(count), earliest, latest};
    }
    QStringList sql(const Competition& c) override
    {
        const TableStore::Reading q =
            db.store().read(QStringLiteral("SELECT (SELECT COUNT(*) FROM Results WHERE Division = ?), "
                                           "(SELECT MIN(Date) FROM Results WHERE Division = ?), "
                                           "(SELECT MAX(Date) FROM Results WHERE Division = ?)"),
                            {c.code, c.code, c.code}, kBench);
        q->next();
        return {q->value(0).toString(), dateOf(q->value(1)), dateOf(q->value(2))};
    }
};

// Head-to-head through the main window's unit: the pair's matches both ways within the
// competition (form 4) and in every competition (form 5), each read newest first with the
// texts the results grid shows (date, home, away, score) and counted. The competition is
// chosen before each run, outside the measured time, as the user chose it before the pair.
class PairHeadToHead : public Case
{
public:
    using Case::Case;
    bool writes() const override { return true; }
    void prepare(const Competition& c) override { choose(module, c); }
    QStringList views(const Competition& c) override { return {walk(c, false), walk(c, true)}; }
    QStringList sql(const Competition& c) override
    {
        static const QString pair = QStringLiteral(
            "SELECT Date, Team, Team2, Goal1, Goal2, Goal1 || ' : ' || Goal2 FROM Results WHERE %1 ((Team = ? AND "
            "Team2 = ?) OR (Team = ? AND Team2 = ?)) ORDER BY Date DESC, RecId DESC");
        const QString &t1 = c.labels[0], &t2 = c.labels[1];
        QStringList answer;
        for (const bool within : {true, false}) {
            QVariantList params{t1, t2, t2, t1};
            if (within)
                params.prepend(c.code);
            const TableStore::Reading q =
                db.store().read(pair.arg(within ? QStringLiteral("Division = ? AND") : QString()), params, kBench);
            int games = 0, wins = 0, goals = 0;
            while (q->next()) {
                benchmark::DoNotOptimize(dateOf(q->value(0)));
                const QString home = q->value(1).toString();
                benchmark::DoNotOptimize(q->value(2).toString());
                const int g1 = q->value(3).toInt(), g2 = q->value(4).toInt();
                benchmark::DoNotOptimize(q->value(5).toString());
                wins += ((home == t1) ? g1 > g2 : g2 > g1) ? 1 : 0;
                goals += g1 + g2;
                ++games;
            }
            answer << QStringLiteral("%1 %2 %3").arg(games).arg(wins).arg(goals);
        }
        return answer;
    }

private:
    QString walk(const Competition& c, bool allCompetitions)
    {
        HeadToHeadQuery query(module, c.labels[0], c.labels[1], false, allCompetitions);
        const HeadToHead counted =
            query.read([](const HeadToHeadQuery::Match& m, int) { benchmark::DoNotOptimize(m); });
        return QStringLiteral("%1 %2 %3")
            .arg(counted.games())
            .arg(counted.wins1())
            .arg(counted.goals1() + counted.goals2());
    }
};

// Filling one 20-team season (form 9 per team) and ranking it. The season's rows are taken
// out before each run, so that both sides rank the same 20 rows, and put back with their
// own numbers afterwards, so that the database stays as it was.
class FillSeason : public Case
{
public:
    using Case::Case;
    static qint64 season(const Competition& c) { return c.seasons[c.seasons.size() / 2]; }

    bool writes() const override { return true; }
    void prepare(const Competition& c) override
    {
        const TableStore::Reading q =
            db.store().read(QStringLiteral("SELECT * FROM TableDet WHERE CodeSeason = ?"), {season(c)}, kBench);
        m_saved.clear();
        while (q->next()) {
            QVariantList row;
            for (int i = 0; i < q->record().count(); ++i)
                row << q->value(i);
            m_saved.push_back(row);
        }
        empty(c);
        chooseSeason(module, c);
    }
    // The competition and the season are chosen before each run, outside the measured
    // time, as the user chose them before pressing the button.
    static void chooseSeason(TDataModule1& m, const Competition& c)
    {
        choose(m, c);
        m.TableTableHead->locate(QStringLiteral("Num"), season(c));
    }
    QStringList views(const Competition& c) override
    {
        std::vector<SeasonTable::Team> teams;
        for (size_t t = 0; t < c.teams.size(); ++t)
            teams.push_back({c.teams[t], c.labels[t]});
        SeasonTable::fill(module, teams);
        SeasonTable::rank(module, season(c));
        module.TableResults->setFiltered(false);
        module.TableSortDet->setFiltered(false);
        return {};
    }
    QStringList sql(const Competition& c) override
    {
        // The rows counted, ranked and stored by one statement.
        insertCounted(c, QStringLiteral("3 * w + d DESC, gf - ga DESC, gf DESC, t.Code"));
        return {};
    }
    QStringList stored(const Competition& c) override
    {
        const TableStore::Reading q = db.store().read(
            QStringLiteral("SELECT Position, CodeTeam, Team, Game, Win, Draw, Lose, BGoal, BMiss, Ball, Points "
                           "FROM TableDet WHERE CodeSeason = ? ORDER BY Position"),
            {season(c)}, kBench);
        return rowTexts(*q, 11);
    }
    void undo(const Competition& c) override
    {
        empty(c);
        if (m_saved.empty())
            return;
        QStringList marks;
        for (qsizetype i = 0; i < m_saved.front().size(); ++i)
            marks << QStringLiteral("?");
        TableStore::Batch batch(db.store());
        for (const QVariantList& row : m_saved)
            db.store().write(QStringLiteral("INSERT INTO TableDet VALUES (%1)").arg(marks.join(QLatin1Char(','))), row,
                             kBench);
        batch.commit();
    }

protected:
    // Inserts one row per team of the competition into its season, numbered by the order
    // given for ROW_NUMBER, in one statement.
    void insertCounted(const Competition& c, const QString& order)
    {
        db.store().write(
            QStringLiteral(
                "INSERT INTO TableDet (CodeSeason, Position, CodeTeam, Team, Game, Win, Draw, Lose, BGoal, BMiss, "
                "Ball, Points) SELECT h.Num, ROW_NUMBER() OVER (ORDER BY %1), t.Code, t.label, w + d + l, w, d, l, "
                "gf, ga, gf - ga, 3 * w + d FROM TableHead h JOIN ("
                "  SELECT t.Code, t.ShortName || ' (' || t.City || ')' AS label,"
                "    COUNT(CASE WHEN (r.CodeTeam = t.Code AND r.Goal1 > r.Goal2) OR (r.CodeTeam2 = t.Code AND "
                "      r.Goal2 > r.Goal1) THEN 1 END) AS w,"
                "    COUNT(CASE WHEN r.Goal1 = r.Goal2 THEN 1 END) AS d,"
                "    COUNT(CASE WHEN (r.CodeTeam = t.Code AND r.Goal1 < r.Goal2) OR (r.CodeTeam2 = t.Code AND "
                "      r.Goal2 < r.Goal1) THEN 1 END) AS l,"
                "    TOTAL(CASE WHEN r.CodeTeam = t.Code THEN r.Goal1 ELSE r.Goal2 END) AS gf,"
                "    TOTAL(CASE WHEN r.CodeTeam = t.Code THEN r.Goal2 ELSE r.Goal1 END) AS ga"
                "  FROM Team t, TableHead s LEFT JOIN Results r ON r.Division = s.CodeDivision"
                "    AND r.Date BETWEEN s.DateStart AND s.DateFinish AND (r.CodeTeam = t.Code OR r.CodeTeam2 = t.Code)"
                "  WHERE t.Division = ? AND s.Num = ? GROUP BY t.Code) t WHERE h.Num = ?")
                .arg(order),
            {c.code, season(c), season(c)}, kBench);
    }

private:
    void empty(const Competition& c)
    {
        db.store().write(QStringLiteral("DELETE FROM TableDet WHERE CodeSeason = ?"), {season(c)}, kBench);
    }
    std::vector<QVariantList> m_saved;
};

// The season table editor's fill of a 20-team season, as its button does it: the
// competition's teams taken from the team view and one row each added in that order, not
// ranked. The season's rows are taken out before each run and put back afterwards.
class EditorFill : public FillSeason
{
public:
    using FillSeason::FillSeason;
    QStringList views(const Competition&) override
    {
        SeasonTable::fill(module, SeasonTable::competitionTeams(module));
        return {};
    }
    QStringList sql(const Competition& c) override
    {
        insertCounted(c, QStringLiteral("t.Code")); // the team list's order
        return {};
    }
};

// The season table editor's refresh of a 20-team season: each row's matches selected by
// its label and attributed by its code, the row's counts rewritten. The counts are
// emptied before each run (outside the measured time), so that both sides write every
// row; the refresh itself puts them back.
class RefreshSeason : public Case
{
public:
    using Case::Case;
    bool writes() const override { return true; }
    void prepare(const Competition& c) override
    {
        db.store().write(QStringLiteral("UPDATE TableDet SET Game = 0, Win = 0, Draw = 0, Lose = 0, BGoal = 0, "
                                        "BMiss = 0, Ball = 0, Points = 0 WHERE CodeSeason = ?"),
                         {FillSeason::season(c)}, kBench);
        FillSeason::chooseSeason(module, c);
    }
    QStringList views(const Competition&) override
    {
        SeasonTable::refresh(module);
        return {};
    }
    QStringList sql(const Competition& c) override
    {
        db.store().write(
            QStringLiteral(
                "UPDATE TableDet SET Game = w + d + l, Win = w, Draw = d, Lose = l, BGoal = gf, BMiss = ga, "
                "Ball = gf - ga, Points = 3 * w + d FROM ("
                "  SELECT t.Num AS id,"
                "    COUNT(CASE WHEN (r.CodeTeam = t.CodeTeam AND r.Goal1 > r.Goal2) OR (r.CodeTeam2 = t.CodeTeam AND "
                "      r.Goal2 > r.Goal1) THEN 1 END) AS w,"
                "    COUNT(CASE WHEN r.Goal1 = r.Goal2 THEN 1 END) AS d,"
                "    COUNT(CASE WHEN (r.CodeTeam = t.CodeTeam AND r.Goal1 < r.Goal2) OR (r.CodeTeam2 = t.CodeTeam AND "
                "      r.Goal2 < r.Goal1) THEN 1 END) AS l,"
                "    TOTAL(CASE WHEN r.CodeTeam = t.CodeTeam THEN r.Goal1 ELSE r.Goal2 END) AS gf,"
                "    TOTAL(CASE WHEN r.CodeTeam = t.CodeTeam THEN r.Goal2 ELSE r.Goal1 END) AS ga"
                "  FROM TableDet t JOIN TableHead s ON s.Num = t.CodeSeason LEFT JOIN Results r"
                "    ON r.Division = s.CodeDivision AND r.Date BETWEEN s.DateStart AND s.DateFinish"
                "    AND (r.Team = t.Team OR r.Team2 = t.Team)"
                "  WHERE t.CodeSeason = ? GROUP BY t.Num) c WHERE TableDet.Num = c.id"),
            {FillSeason::season(c)}, kBench);
        return {};
    }
    QStringList stored(const Competition& c) override
    {
        const TableStore::Reading q = db.store().read(
            QStringLiteral("SELECT Position, CodeTeam, Team, Game, Win, Draw, Lose, BGoal, BMiss, Ball, Points "
                           "FROM TableDet WHERE CodeSeason = ? ORDER BY Num"),
            {FillSeason::season(c)}, kBench);
        return rowTexts(*q, 11);
    }
};

// Competition statistics through the window's unit: the competition's results read once and
// counted whole and season by season (each season's filter set, as form 11 checks its dates).
class StatisticsOfCompetition : public Case
{
public:
    using Case::Case;
    QStringList views(const Competition& c) override
    {
        choose(module, c);
        const CompetitionStatistics::Statistics s = CompetitionStatistics::compute(module);
        QStringList answer{text(s.total)};
        for (const CompetitionStatistics::SeasonRow& row : s.rows)
            answer << text(row.counts);
        return answer;
    }
    QStringList sql(const Competition& c) override
    {
        const TableStore::Reading q = db.store().read(
            QStringLiteral("SELECT COUNT(*), TOTAL(Goal1 > Goal2), TOTAL(Goal1 = Goal2), TOTAL(Goal1 < Goal2), "
                           "TOTAL(Goal1 + Goal2) FROM Results WHERE Division = ? UNION ALL "
                           "SELECT * FROM (SELECT COUNT(r.RecId), TOTAL(r.Goal1 > r.Goal2), TOTAL(r.Goal1 = r.Goal2), "
                           "TOTAL(r.Goal1 < r.Goal2), TOTAL(r.Goal1 + r.Goal2) FROM TableHead h LEFT JOIN Results r "
                           "ON r.Division = h.CodeDivision AND r.Date BETWEEN h.DateStart AND h.DateFinish "
                           "WHERE h.CodeDivision = ? GROUP BY h.Num ORDER BY h.Num)"),
            {c.code, c.code}, kBench);
        QStringList answer;
        while (q->next()) {
            answer << QStringLiteral("%1 %2 %3 %4 %5")
                          .arg(q->value(0).toInt())
                          .arg(q->value(1).toInt())
                          .arg(q->value(2).toInt())
                          .arg(q->value(3).toInt())
                          .arg(q->value(4).toInt());
        }
        return answer;
    }

private:
    static QString text(const CompetitionStatistics::Counts& c)
    {
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(c.games())
            .arg(c.homeWins)
            .arg(c.draws)
            .arg(c.awayWins)
            .arg(c.goals);
    }
};

// The database summary of the about box: the counts of four tables, then every
// competition's count and first and last date by form 1 on the sorted results.
class Summary : public Case
{
public:
    using Case::Case;
    QStringList views(const Competition&) override
    {
        // The unit's lines: the four counts (their numbers), the hyphens left out, then
        // one line per competition.
        QStringList lines = DatabaseSummary::compute(module).split(QChar(13), Qt::SkipEmptyParts);
        for (int i = 0; i < 4 && i < lines.size(); ++i)
            lines[i] = lines[i].section(QStringLiteral(": "), 1);
        if (lines.size() > 4)
            lines.removeAt(4);
        return lines;
    }
    QStringList sql(const Competition&) override
    {
        const TableStore::Reading q = db.store().read(
            QStringLiteral("SELECT (SELECT COUNT(*) FROM Country), (SELECT COUNT(*) FROM Team), "
                           "(SELECT COUNT(*) FROM Stadium), (SELECT COUNT(*) FROM Results), c.Country, d.Division, "
                           "(SELECT COUNT(*) FROM Results r WHERE r.Division = d.Code), "
                           "(SELECT MIN(Date) FROM Results r WHERE r.Division = d.Code), "
                           "(SELECT MAX(Date) FROM Results r WHERE r.Division = d.Code) "
                           "FROM Country c JOIN Division d ON d.Country = c.Code "
                           "ORDER BY c.Country COLLATE NOCASE, c.RecId, d.Code, d.RecId"),
            {}, kBench);
        QStringList lines;
        while (q->next()) {
            if (lines.isEmpty()) {
                for (int i = 0; i < 4; ++i)
                    lines << q->value(i).toString();
            }
            const QString first = dateOf(q->value(7));
            const QString last = dateOf(q->value(8));
            const bool none = first.isEmpty() && last.isEmpty();
            lines << line(q->value(4).toString(), q->value(5).toString(), q->value(6).toInt(),
                          none ? QStringLiteral("?") : first, none ? QStringLiteral("?") : last);
        }
        return lines;
    }

private:
    static QString line(const QString& country, const QString& division, int count, const QString& first,
                        const QString& last)
    {
        return QStringLiteral("%1 - %2 - %3 matches - (%4 - %5)").arg(country, division).arg(count).arg(first, last);
    }
};

// The teams browser's season history of a team: its rows in every season of its
// country's five competitions of 25 seasons each, newest first, with the current
// competition and season found again afterwards.
class TeamSeasons : public Case
{
public:
    using Case::Case;
    // The competition is chosen before each run, outside the measured time, as the user
    // chose it before selecting the team (the run writes nothing).
    bool writes() const override { return true; }
    void prepare(const Competition& c) override { choose(module, c); }
    QStringList views(const Competition& c) override
    {
        QStringList rows;
        for (const TeamHistory::SeasonRow& row : TeamHistory::teamSeasons(module, c.teams.back()))
            rows << row.cells().join(QLatin1Char(' '));
        return rows;
    }
    QStringList sql(const Competition& c) override
    {
        const TableStore::Reading q = db.store().read(
            QStringLiteral("SELECT h.Name, d.Division, t.Position, t.Points, h.DateStart FROM TableDet t "
                           "JOIN TableHead h ON h.Num = t.CodeSeason JOIN Division d ON d.Code = h.CodeDivision "
                           "WHERE t.CodeTeam = ? AND d.Country = ? ORDER BY h.DateStart DESC, d.Code, h.Num"),
            {c.teams.back(), c.country}, kBench);
        QStringList rows;
        while (q->next())
            rows << QStringList{q->value(0).toString(), q->value(1).toString(), q->value(2).toString(),
                                q->value(3).toString(), dateOf(q->value(4))}
                        .join(QLatin1Char(' '));
        return rows;
    }
};

// Renaming a team with about 500 results: the team's post and the cascade that writes
// its new label into its results and league-table rows. The old name is put back after
// each run.
class RenameTeam : public Case
{
public:
    using Case::Case;
    bool writes() const override { return true; }
    QStringList views(const Competition& c) override
    {
        choose(module, c);
        TableView* teams = module.TableTeam;
        teams->locate(QStringLiteral("Code"), c.teams[kTeam]);
        teams->edit();
        teams->setValue(QStringLiteral("ShortName"), renamed(c));
        teams->post();
        return {};
    }
    QStringList sql(const Competition& c) override
    {
        relabel(c, renamed(c));
        return {};
    }
    QStringList stored(const Competition& c) override
    {
        const qint64 code = c.teams[kTeam];
        const TableStore::Reading q =
            db.store().read(QStringLiteral("SELECT (SELECT ShortName || ' (' || City || ')' FROM Team WHERE Code = ?), "
                                           "(SELECT COUNT(*) FROM Results WHERE CodeTeam = ? AND Team = ?), "
                                           "(SELECT COUNT(*) FROM Results WHERE CodeTeam2 = ? AND Team2 = ?), "
                                           "(SELECT COUNT(*) FROM TableDet WHERE CodeTeam = ? AND Team = ?)"),
                            {code, code, renamedLabel(c), code, renamedLabel(c), code, renamedLabel(c)}, kBench);
        return rowTexts(*q, 4);
    }
    void undo(const Competition& c) override { relabel(c, shortName(c)); }

private:
    static constexpr size_t kTeam = 5;
    static QString shortName(const Competition& c) { return FilterForms::shortNameOfLabel(c.labels[kTeam]); }
    static QString renamed(const Competition& c) { return shortName(c) + QStringLiteral("'s"); }
    static QString renamedLabel(const Competition& c) { return renamed(c) + c.labels[kTeam].mid(shortName(c).size()); }
    void relabel(const Competition& c, const QString& name)
    {
        const qint64 code = c.teams[kTeam];
        const QString label = name + c.labels[kTeam].mid(shortName(c).size());
        TableStore::Batch batch(db.store());
        db.store().write(QStringLiteral("UPDATE Team SET ShortName = ? WHERE Code = ?"), {name, code}, kBench);
        db.store().write(QStringLiteral("UPDATE Results SET Team = CASE WHEN CodeTeam = ? THEN ? ELSE Team END, "
                                        "Team2 = CASE WHEN CodeTeam2 = ? THEN ? ELSE Team2 END "
                                        "WHERE CodeTeam = ? OR CodeTeam2 = ?"),
                         {code, label, code, label, code, code}, kBench);
        db.store().write(QStringLiteral("UPDATE TableDet SET Team = ? WHERE CodeTeam = ?"), {label, code}, kBench);
        batch.commit();
    }
};

// Measures one side of a case. The views' side first checks, for a few competitions,
// that both sides give the same answer.
template <typename C> void measure(benchmark::State& state, bool throughViews)
{
    BenchDatabase& db = BenchDatabase::get(static_cast<int>(state.range(0)));
    C c(db);
    if (throughViews) {
        for (size_t i = 0; i < 3; ++i) {
            const QStringList viewAnswer = c.answer(true, i);
            const QStringList sqlAnswer = c.answer(false, i);
            if (viewAnswer != sqlAnswer || viewAnswer.isEmpty()) {
                g_mismatch = true;
                std::cerr << "views:\n  " << viewAnswer.join(QStringLiteral("\n  ")).toStdString() << "\nSQL:\n  "
                          << sqlAnswer.join(QStringLiteral("\n  ")).toStdString() << '\n';
                state.SkipWithError("the views and the SQL give different answers");
                return;
            }
        }
    }
    size_t i = 0;
    for (auto _ : state) {
        const Competition& competition = c.pick(i++);
        if (c.writes()) {
            state.PauseTiming();
            c.prepare(competition);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(throughViews ? c.views(competition) : c.sql(competition));
        if (c.writes()) {
            state.PauseTiming();
            c.undo(competition);
            state.ResumeTiming();
        }
    }
}

// Start-up: the ten views opened in order.
void openTenViews(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TDataModule1 module(db.store());
        module.DataModuleCreate();
        benchmark::DoNotOptimize(module.TableSortRes->asInteger(QStringLiteral("Num")));
    }
    state.counters["rss_MB"] = residentMegabytes();
}

template <typename C> void add(const char* name, benchmark::TimeUnit unit, const std::vector<int>& sizes)
{
    auto* views = benchmark::RegisterBenchmark(name, [](benchmark::State& s) { measure<C>(s, true); });
    auto* sql = benchmark::RegisterBenchmark((std::string(name) + "_SQL").c_str(),
                                             [](benchmark::State& s) { measure<C>(s, false); });
    for (int size : sizes) {
        views->Arg(size)->Unit(unit);
        sql->Arg(size)->Unit(unit);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<int> sizes = takeSizes(argc, argv, {1000000, 100000});
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    benchmark::Initialize(&argc, argv);
    auto* open = benchmark::RegisterBenchmark("OpenTenViews", openTenViews)->Unit(benchmark::kMillisecond);
    for (int size : sizes)
        open->Arg(size);
    add<ChooseCompetition>("ChooseCompetition", benchmark::kMicrosecond, sizes);
    add<PairHeadToHead>("HeadToHead", benchmark::kMicrosecond, sizes);
    add<FillSeason>("FillSeason", benchmark::kMillisecond, sizes);
    add<EditorFill>("EditorFill", benchmark::kMillisecond, sizes);
    add<RefreshSeason>("RefreshSeason", benchmark::kMillisecond, sizes);
    add<StatisticsOfCompetition>("CompetitionStatistics", benchmark::kMillisecond, sizes);
    add<Summary>("DatabaseSummary", benchmark::kMillisecond, sizes);
    add<TeamSeasons>("TeamSeasons", benchmark::kMicrosecond, sizes);
    add<RenameTeam>("RenameTeam", benchmark::kMillisecond, sizes);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The stores close before the application and Qt's registry of connections go.
    BenchDatabase::releaseAll();
    return g_mismatch ? 1 : 0;
}
