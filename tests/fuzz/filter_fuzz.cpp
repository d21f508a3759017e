// Fuzzes the record filter: every input is a filter text set on a view of one of the three
// tables the program filters (results, league-table rows, teams). A text may be refused
// when it is set; a text that is accepted must be evaluated by the database, so a read
// that fails stops the run, as does anything the sanitizers see.
//
// The first byte chooses the table and how the rest is read (UTF-8, or UTF-16 so that
// lone surrogates come through). With the arguments --write-seeds DIR the program writes
// a seed corpus of every filter form the program builds and ends.

#include "apperror.h"
#include "filterforms.h"
#include "tablestore.h"
#include "tableview.h"
#include "textformat.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char* const kTables[] = {"Results.db", "TableDet.DB", "Team.db"};

struct Fixture
{
    QTemporaryDir dir;
    std::unique_ptr<TableStore> store;
    std::vector<std::unique_ptr<TableView>> views;
};
Fixture* fixture = nullptr;

void writeSeed(const QString& folder, int number, int table, const QString& text)
{
    QFile file(QDir(folder).filePath(QStringLiteral("form%1").arg(number, 2, 10, QLatin1Char('0'))));
    if (!file.open(QIODevice::WriteOnly))
        std::exit(1);
    file.write(QByteArray(1, static_cast<char>(table * 2)) + text.toUtf8());
}

// One seed per filter form, with values as the program writes them.
void writeSeeds(const QString& folder)
{
    QDir().mkpath(folder);
    const QString d = QStringLiteral("71"), t1 = QStringLiteral("Rovers (Ashby)"),
                  t2 = QStringLiteral("Newell's Old Boys (Rosario)");
    const QString s = TextFormat::dateText(QDate(2019, 7, 1)), e = TextFormat::dateText(QDate(2020, 6, 30));
    using namespace FilterForms;
    const std::pair<int, QString> forms[] = {
        {0, division(d)},
        {0, pairInDivision(d, t1, t2)},
        {0, pair(t1, t2)},
        {0, pairBothWaysInDivision(d, t1, t2)},
        {0, pairBothWays(t1, t2)},
        {0, homeGamesInDivision(d, t1)},
        {0, pairAwayFirstInDivision(d, t2, t1)},
        {0, awayGamesInDivision(d, t2)},
        {0, teamSeasonInDivision(s, e, d, t1)},
        {0, teamSeason(s, e, t2)},
        {0, seasonInDivision(s, e, d)},
        {0, resultsOfTeamCode(QStringLiteral("711"))},
        {1, rowsOfTeamCode(QStringLiteral("711"))},
        {1, season(QStringLiteral("711"))},
        {2, shortName(shortNameOfLabel(t2))},
        {2, division(d)},
    };
    int number = 0;
    for (const auto& [table, text] : forms)
        writeSeed(folder, ++number, table, text);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    if (*argc == 3 && std::strcmp((*argv)[1], "--write-seeds") == 0) {
        writeSeeds(QString::fromLocal8Bit((*argv)[2]));
        std::exit(0);
    }
    fixture = new Fixture;
    const QString folder = QDir(fixture->dir.path()).filePath(QStringLiteral("Table"));
    try {
        TableStore::create(folder);
        fixture->store = std::make_unique<TableStore>(folder);
        TableStore& store = *fixture->store;
        store.exec(QStringLiteral("INSERT INTO Team (Code, Team, ShortName, City, Division) VALUES "
                                  "(711, 'Rovers', 'Rovers', 'Ashby', 71), (712, 'Newell''s', 'Newell''s Old Boys', "
                                  "'Rosario', 71), (713, NULL, NULL, NULL, NULL)"),
                   {}, QStringLiteral("Team"));
        store.exec(QStringLiteral("INSERT INTO Results (Num, Date, CodeTeam, CodeTeam2, Team, Team2, Goal1, Goal2, "
                                  "Division) VALUES (1, '2019-08-01', 711, 712, 'Rovers (Ashby)', "
                                  "'Newell''s Old Boys (Rosario)', 2, 1, 71), (2, NULL, NULL, NULL, NULL, NULL, "
                                  "NULL, NULL, NULL)"),
                   {}, QStringLiteral("Results"));
        store.exec(QStringLiteral("INSERT INTO TableDet (CodeSeason, CodeTeam, Team, Points, Ball, Kf) VALUES "
                                  "(711, 711, 'Rovers (Ashby)', 3, 1, 0.5), (711, NULL, NULL, NULL, NULL, NULL)"),
                   {}, QStringLiteral("TableDet"));
        for (const char* table : kTables) {
            auto view = std::make_unique<TableView>(store, QString::fromLatin1(table), QStringLiteral("fuzz"));
            for (const FieldSchema& field : view->table().fields)
                view->addField(field.name);
            view->open();
            fixture->views.push_back(std::move(view));
        }
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        std::exit(1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    TableView& view = *fixture->views[(data[0] / 2) % 3];
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const auto length = static_cast<qsizetype>(size - 1);
    const QString text = data[0] % 2 ? QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes), length / 2)
                                     : QString::fromUtf8(bytes, length);
    try {
        view.setFilterText(text);
    } catch (const AppError&) {
        return 0; // refused when set, as it should be when it cannot be evaluated
    }
    try {
        view.setFiltered(true);
        const int count = view.recordCount();
        view.last();
        for (view.first(); !view.eof(); view.next())
            view.value(QStringLiteral("Team"));
        view.setFiltered(false);
        if (count < 0)
            std::abort();
    } catch (const AppError& e) {
        std::fprintf(stderr, "An accepted filter was not evaluated: %s\n", e.what());
        std::abort();
    }
    return 0;
}
