// The league table of a season and a team's games in it, as the league table viewer and
// the team games window show them, and the season's table as the viewer's Print draws it.
#include "commands.h"
#include "datamodule.h"
#include "leaguetable.h"
#include "reportrenderer.h"
#include "seasontable.h"
#include "selection.h"
#include "tablereport.h"
#include "version.h"
#include "viewborrow.h"

namespace {

std::vector<OptionSpec> seasonOptions()
{
    return {
        {QStringLiteral("country"), QStringLiteral("NAME"), QStringLiteral("the country, as the windows name it"),
         true},
        {QStringLiteral("competition"), QStringLiteral("NAME"), QStringLiteral("a competition of that country"), true},
        {QStringLiteral("season"), QStringLiteral("NAME"), QStringLiteral("a season of that competition, e.g. 2019/20"),
         true}};
}

void chooseSeason(CommandContext& context)
{
    TDataModule1& module = context.database();
    const ParsedOptions& options = context.options();
    Selection::chooseCountry(module, options.value(QStringLiteral("country")));
    Selection::chooseCompetition(module, options.value(QStringLiteral("competition")));
    Selection::chooseSeason(module, options.value(QStringLiteral("season")));
}

// The season's rows in ranking order; with --rank numbered anew and stored first, as
// choosing the season in the viewer does, else with the positions stored before.
void table(CommandContext& context)
{
    chooseSeason(context);
    TDataModule1& module = context.database();
    if (context.options().has(QStringLiteral("rank")))
        SeasonTable::rank(module, module.TableTableHead->asInteger(QStringLiteral("Num")));
    else
        LeagueTable::showCurrentSeason(module);
    Rows rows{{QStringLiteral("position"), QStringLiteral("team")}, {}};
    rows.keys += LeagueTable::columnTitles().mid(2);
    for (const LeagueTable::Row& r : LeagueTable::rows(module)) {
        rows.add({r.position > 0 ? Cell::number(r.position) : Cell::none(), Cell::text(r.team), Cell::number(r.game),
                  Cell::number(r.win), Cell::number(r.draw), Cell::number(r.lose), Cell::number(r.goalsFor),
                  Cell::number(r.goalsAgainst), Cell::number(r.points)});
    }
    module.TableSortDet->setFiltered(false);
    context.print(rows);
}

void games(CommandContext& context)
{
    chooseSeason(context);
    TDataModule1& module = context.database();
    const QString team = context.options().value(QStringLiteral("team"));
    Selection::requireTeam(module, QStringLiteral("team"), team);
    const std::vector<TeamGames::Game> list = TeamGames::select(module, team);
    module.TableResults->setFiltered(false);
    Rows rows{{QStringLiteral("number"), QStringLiteral("date"), QStringLiteral("home"), QStringLiteral("away"),
               QStringLiteral("goals")},
              {}};
    int number = 0;
    for (const TeamGames::Game& game : list) {
        rows.add({Cell::number(++number), Cell::text(game.date), Cell::text(game.home), Cell::text(game.away),
                  Cell::text(game.score)});
    }
    context.print(rows);
}

// The rows as the viewer shows them, in ranking order with the positions stored at the
// season's last ranking; nothing is ranked here.
void tableReport(CommandContext& context)
{
    chooseSeason(context);
    TDataModule1& module = context.database();
    ViewBorrow borrow(*module.TableSortDet);
    borrow.filter();
    LeagueTable::showCurrentSeason(module);
    const TableReport::Texts texts{QStringLiteral(TALLYFIELD_CAPTION), ReportItems::titleBarColour()};
    ReportRenderer::writePdf(TableReport::layout(module, texts), context.options().value(QStringLiteral("pdf")),
                             texts.caption);
    borrow.restore();
}

} // namespace

Command tableCommand()
{
    std::vector<OptionSpec> options = seasonOptions();
    options.push_back({QStringLiteral("rank"), QString(),
                       QStringLiteral("number the rows in ranking order and store the positions first")});
    return {QStringLiteral("table"), QStringLiteral("the league table of a season"),
            QStringLiteral("Prints the season's league table as the league table viewer shows it, in ranking order: "
                           "position, team, G, W, D, L, GS, GA, P. The positions are those stored when the season "
                           "was last ranked; with --rank the rows are numbered anew and the numbers stored first, "
                           "as choosing the season in the viewer does."),
            options, table};
}

Command gamesCommand()
{
    std::vector<OptionSpec> options = seasonOptions();
    options.push_back({QStringLiteral("team"), QStringLiteral("LABEL"),
                       QStringLiteral("the team, by its label, e.g. \"Liverpool (Liverpool)\""), true});
    return {QStringLiteral("games"), QStringLiteral("a team's games of a season"),
            QStringLiteral("Prints the team's games of the season in the competition, as the team games window lists "
                           "them: number, date, home, away, goals."),
            options, games};
}

Command reportTableCommand()
{
    std::vector<OptionSpec> options = seasonOptions();
    options.push_back({QStringLiteral("pdf"), QStringLiteral("FILE"), QStringLiteral("the PDF file to write"), true});
    Command command{
        QStringLiteral("report table"), QStringLiteral("the printed league table of a season, as PDF"),
        QStringLiteral("Draws the report the league table viewer prints into a PDF file: the season's rows in "
                       "ranking order with their stored positions (see table --rank), under the season's name "
                       "and dates, the country's flag, emblem and name and the competition, with the season's "
                       "note below the table."),
        options, tableReport};
    command.drawsPages = true;
    return command;
}
