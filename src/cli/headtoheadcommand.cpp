// The head-to-head record of two teams, as "Show statistics" in the main window gives it.
#include "apperror.h"
#include "commands.h"
#include "datamodule.h"
#include "headtoheadquery.h"
#include "selection.h"

namespace {

void headToHead(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    const bool allCompetitions = options.has(QStringLiteral("all-competitions"));
    if (!allCompetitions && !options.has(QStringLiteral("competition")))
        throw UsageError(QStringLiteral("h2h needs --competition unless --all-competitions is given"));
    if (options.has(QStringLiteral("competition")) && !options.has(QStringLiteral("country")))
        throw UsageError(QStringLiteral("--competition needs --country"));

    TDataModule1& module = context.database();
    if (options.has(QStringLiteral("country")))
        Selection::chooseCountry(module, options.value(QStringLiteral("country")));
    if (options.has(QStringLiteral("competition")))
        Selection::chooseCompetition(module, options.value(QStringLiteral("competition")));
    const QString team1 = options.value(QStringLiteral("team1"));
    const QString team2 = options.value(QStringLiteral("team2"));
    Selection::requireTeam(module, QStringLiteral("team 1"), team1);
    Selection::requireTeam(module, QStringLiteral("team 2"), team2);

    HeadToHeadQuery query(module, team1, team2, options.has(QStringLiteral("save-order")), allCompetitions);
    if (query.matchCount() == 0)
        throw AppError(QStringLiteral("Results not found!"));
    Rows rows{{QStringLiteral("number"), QStringLiteral("date"), QStringLiteral("home"), QStringLiteral("away"),
               QStringLiteral("goals")},
              {}};
    const HeadToHead record = query.read([&rows](const HeadToHeadQuery::Match& match, int) {
        rows.add({Cell::number(match.number), Cell::text(match.date), Cell::text(match.home), Cell::text(match.away),
                  Cell::text(match.score)});
    });
    if (options.has(QStringLiteral("rows")))
        context.print(rows);
    else
        context.printText(record.statisticsText());
}

} // namespace

Command headToHeadCommand()
{
    return {
        QStringLiteral("h2h"),
        QStringLiteral("the head-to-head record of two teams"),
        QStringLiteral("Prints the seven lines of the main window's statistics for two teams, or with --rows the "
                       "matches of its results grid, newest first: number, date, home, away, goals."),
        {{QStringLiteral("country"), QStringLiteral("NAME"), QStringLiteral("the country, as the windows name it")},
         {QStringLiteral("competition"), QStringLiteral("NAME"),
          QStringLiteral("a competition of that country (needed unless --all-competitions)")},
         {QStringLiteral("team1"), QStringLiteral("LABEL"), QStringLiteral("the first team, e.g. \"Arsenal (London)\""),
          true},
         {QStringLiteral("team2"), QStringLiteral("LABEL"), QStringLiteral("the second team"), true},
         {QStringLiteral("save-order"), QString(), QStringLiteral("only matches with team 1 at home and team 2 away")},
         {QStringLiteral("all-competitions"), QString(), QStringLiteral("matches of every competition")},
         {QStringLiteral("rows"), QString(), QStringLiteral("print the matches instead of the statistics")}},
        headToHead};
}
