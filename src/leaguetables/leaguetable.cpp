#include "leaguetable.h"

#include "datamodule.h"
#include "filterforms.h"

namespace LeagueTable {

QStringList columnTitles()
{
    return {QStringLiteral("№"), QStringLiteral("Team"), QStringLiteral("G"),  QStringLiteral("W"), QStringLiteral("D"),
            QStringLiteral("L"), QStringLiteral("GS"),   QStringLiteral("GA"), QStringLiteral("P")};
}

QString currentSeasonFilter(TDataModule1& module)
{
    // A competition without seasons has no current season: its table has no rows. Season
    // numbers start at 1, so 0 selects none (an empty number would be refused).
    TableView& season = *module.TableTableHead;
    const bool none = season.isEmpty() || season.isNull(QStringLiteral("Num"));
    return FilterForms::season(none ? QStringLiteral("0") : season.asString(QStringLiteral("Num")));
}

void showCurrentSeason(TDataModule1& module)
{
    TableView& rowsView = *module.TableSortDet;
    rowsView.setFilterText(currentSeasonFilter(module));
    rowsView.setFiltered(true);
}

std::vector<Row> rows(TDataModule1& module)
{
    static const QStringList fields{QStringLiteral("Position"), QStringLiteral("Team"),  QStringLiteral("Game"),
                                    QStringLiteral("Win"),      QStringLiteral("Draw"),  QStringLiteral("Lose"),
                                    QStringLiteral("BGoal"),    QStringLiteral("BMiss"), QStringLiteral("Points")};
    std::vector<Row> table;
    for (const QVariantList& v : module.TableSortDet->listValues(fields)) {
        const auto number = [&v](int i) { return v[i].toInt(); };
        table.push_back(
            {number(0), v[1].toString(), number(2), number(3), number(4), number(5), number(6), number(7), number(8)});
    }
    return table;
}

void showTeam(TDataModule1& module, const QString& label)
{
    TableView& teams = *module.TableSortTeam;
    teams.setFilterText(FilterForms::shortName(FilterForms::shortNameOfLabel(label)));
    teams.setFiltered(true);
    teams.first();
}

} // namespace LeagueTable

namespace TeamGames {

QString title(const QString& team, const QString& season)
{
    return QStringLiteral("Games: ") + team + QStringLiteral(" season ") + season;
}

QStringList headers()
{
    return {QStringLiteral("№"), QStringLiteral("Date"), QStringLiteral("Home"), QStringLiteral("Away"),
            QStringLiteral("Goals")};
}

std::vector<Game> select(TDataModule1& module, const QString& team)
{
    TableView& season = *module.TableTableHead;
    TableView& results = *module.TableResults;
    results.setFilterText(FilterForms::teamSeason(season.asString(QStringLiteral("DateStart")),
                                                  season.asString(QStringLiteral("DateFinish")), team));
    results.setFiltered(true);
    results.first();
    std::vector<Game> games;
    const int n = results.isEmpty() ? 0 : results.recordCount();
    games.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        // The score in full: the results view's own score text is cut to five characters,
        // which would turn a 10 : 2 win into "10 : " and lose its colour.
        games.push_back({results.displayText(QStringLiteral("Date")), results.asString(QStringLiteral("Team")),
                         results.asString(QStringLiteral("Team2")), scoreText(results)});
        results.next();
    }
    return games;
}

QStringList cells(int number, const Game& game)
{
    return {QString::number(number) + QLatin1Char('.'), game.date, game.home, game.away, game.score};
}

CellLook cellLook(int col, int row, const QString& text, const QString& score, const QString& team)
{
    CellLook look;
    if (row < 1)
        return look;
    if ((col == 2 || col == 3) && text == team) {
        look.bold = true;
        look.mark = HeadToHead::nameMark(text, col == 2, score, team, team);
    }
    look.shaded = row % 2 == 0;
    return look;
}

} // namespace TeamGames
