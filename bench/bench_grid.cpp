// What a data grid over every result costs on the large synthetic database, beside the
// SQL that reads the same rows in the same run: the first screen (the count and the
// first rows), a jump to the last row (Ctrl+End), and the resident memory after the grid
// was scrolled from the top to the end. Before measuring, the grid's rows are checked
// against the SQL's; a difference is reported as an error and the binary exits with 1.
// Run: build/bench/tallyfield_bench_grid [--results=1000000] (see README.md).

#include "benchdatabase.h"
#include "datamodule.h"
#include "dbgrid.h"
#include "textformat.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <iostream>
#include <memory>

namespace {

const QString kBench = QStringLiteral("bench");
const QStringList kFields{QStringLiteral("Num"),   QStringLiteral("Date"),  QStringLiteral("Team"),
                          QStringLiteral("Team2"), QStringLiteral("Goal1"), QStringLiteral("Goal2")};
const QString kOrder = QStringLiteral("Date DESC, RecId DESC");
const QString kReversed = QStringLiteral("Date ASC, RecId ASC");
bool g_mismatch = false;

// A grid over the sorted results, as a window would show it, with the view just opened.
class GridOnScreen
{
public:
    explicit GridOnScreen(BenchDatabase& db)
    {
        std::vector<DBGridColumn> columns;
        for (const QString& field : kFields)
            columns.push_back({.field = field});
        grid.setColumns(columns);
        grid.resize(640, 420);
        grid.show();
        open(db);
    }
    void open(BenchDatabase& db)
    {
        grid.setDataSource(nullptr);
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
    }
    void attach() { grid.setDataSource(module->DataSourceSortRes); }
    void paint() { grid.viewport()->render(&canvas); }
    void jumpToLast()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QCoreApplication::sendEvent(&grid, &press);
    }
    int visibleRows() const { return grid.viewport()->height() / grid.verticalHeader()->defaultSectionSize() + 1; }
    // The texts of the rows on screen, as the grid shows them.
    QStringList screen()
    {
        QStringList rows;
        const int first = grid.rowAt(0);
        for (int r = first; r >= 0 && r < first + visibleRows() && r < grid.model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < kFields.size(); ++c)
                cells << grid.model()->index(r, c).data(Qt::EditRole).toString();
            rows << cells.join(QLatin1Char(' '));
        }
        return rows;
    }

    DBGrid grid;
    std::unique_ptr<TDataModule1> module;
    QPixmap canvas{640, 420};
};

QString columns()
{
    return kFields.join(QStringLiteral(", "));
}

// The SQL that reads a screen: the count and the first rows, or the last rows read
// backwards (the count being known).
QStringList sqlScreen(BenchDatabase& db, int rows, bool last)
{
    QStringList texts;
    int count = 0;
    if (!last) {
        const TableStore::Reading q = db.store().read(QStringLiteral("SELECT COUNT(*) FROM Results"), {}, kBench);
        q->next();
        count = q->value(0).toInt();
    }
    const TableStore::Reading q = db.store().read(
        QStringLiteral("SELECT %1 FROM Results ORDER BY %2 LIMIT ?").arg(columns(), last ? kReversed : kOrder), {rows},
        kBench);
    while (q->next()) {
        QStringList cells;
        for (int c = 0; c < kFields.size(); ++c)
            cells << q->value(c).toString();
        texts << cells.join(QLatin1Char(' '));
    }
    if (last)
        std::reverse(texts.begin(), texts.end());
    benchmark::DoNotOptimize(count);
    return texts;
}

bool sameRows(GridOnScreen& g, BenchDatabase& db, bool last)
{
    const QStringList shown = g.screen();
    QStringList expected = sqlScreen(db, g.visibleRows(), last);
    if (last)
        expected = expected.mid(expected.size() - shown.size());
    else
        expected = expected.mid(0, shown.size());
    // The grid shows dates in the short date format; the SQL reads them as stored.
    const QStringList& grid = shown;
    QStringList sql;
    for (QString row : expected) {
        QStringList cells = row.split(QLatin1Char(' '));
        if (cells.size() > 1)
            cells[1] = TextFormat::dateText(QDate::fromString(cells[1], Qt::ISODate));
        sql << cells.join(QLatin1Char(' '));
    }
    if (grid != sql || grid.isEmpty()) {
        std::cerr << "grid:\n  " << grid.join(QStringLiteral("\n  ")).toStdString() << "\nSQL:\n  "
                  << sql.join(QStringLiteral("\n  ")).toStdString() << '\n';
        return false;
    }
    return true;
}

// With painted set, the screen is also painted (the SQL has nothing to paint).
void firstScreen(benchmark::State& state, bool painted)
{
    BenchDatabase& db = BenchDatabase::get(static_cast<int>(state.range(0)));
    GridOnScreen g(db);
    g.attach();
    if (!sameRows(g, db, false)) {
        g_mismatch = true;
        state.SkipWithError("the grid and the SQL show different rows");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        g.open(db);
        state.ResumeTiming();
        g.attach();
        if (painted)
            g.paint();
    }
}

void firstScreenSql(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(static_cast<int>(state.range(0)));
    GridOnScreen g(db);
    const int rows = g.visibleRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(sqlScreen(db, rows, false));
}

void jumpToLast(benchmark::State& state, bool painted)
{
    BenchDatabase& db = BenchDatabase::get(static_cast<int>(state.range(0)));
    GridOnScreen g(db);
    g.attach();
    g.jumpToLast();
    QCoreApplication::processEvents();
    if (g.module->TableSortRes->recNo() != g.grid.gridModel()->recordCount() - 1 || !sameRows(g, db, true)) {
        g_mismatch = true;
        state.SkipWithError("the grid's last screen is not the SQL's");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        g.open(db);
        g.attach();
        g.paint();
        state.ResumeTiming();
        g.jumpToLast();
        if (painted)
            g.paint();
    }
}

void jumpToLastSql(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(static_cast<int>(state.range(0)));
    GridOnScreen g(db);
    const int rows = g.visibleRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(sqlScreen(db, rows, true));
}

// Dragging the scroll bar from the top to the end in a thousand steps, each screen read
// and painted; the resident memory afterwards.
void scrollToTheEnd(benchmark::State& state)
{
    BenchDatabase& db = BenchDatabase::get(static_cast<int>(state.range(0)));
    GridOnScreen g(db);
    for (auto _ : state) {
        state.PauseTiming();
        g.open(db);
        g.attach();
        state.ResumeTiming();
        QScrollBar* bar = g.grid.recordScrollBar();
        for (int step = 0; step <= 1000; ++step) {
            bar->setValue(static_cast<int>(static_cast<qint64>(bar->maximum()) * step / 1000));
            g.paint();
        }
    }
    state.counters["rss_MB"] = residentMegabytes();
    state.counters["own_MB"] = residentMegabytes(true);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<int> sizes = takeSizes(argc, argv, {1000000});
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    benchmark::Initialize(&argc, argv);
    const auto add = [&](const char* name, void (*run)(benchmark::State&), benchmark::TimeUnit unit) {
        auto* b = benchmark::RegisterBenchmark(name, run)->Unit(unit);
        for (int size : sizes)
            b->Arg(size);
        return b;
    };
    add(
        "GridFirstScreen", [](benchmark::State& s) { firstScreen(s, false); }, benchmark::kMillisecond);
    add(
        "GridFirstScreenPainted", [](benchmark::State& s) { firstScreen(s, true); }, benchmark::kMillisecond);
    add("GridFirstScreen_SQL", firstScreenSql, benchmark::kMillisecond);
    add(
        "GridJumpToLast", [](benchmark::State& s) { jumpToLast(s, false); }, benchmark::kMillisecond);
    add(
        "GridJumpToLastPainted", [](benchmark::State& s) { jumpToLast(s, true); }, benchmark::kMillisecond);
    add("GridJumpToLast_SQL", jumpToLastSql, benchmark::kMillisecond);
    add("GridScrollToTheEnd", scrollToTheEnd, benchmark::kMillisecond)->Iterations(1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    BenchDatabase::releaseAll();
    return g_mismatch ? 1 : 0;
}
