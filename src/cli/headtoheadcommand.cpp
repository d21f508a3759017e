// The head-to-head record of two teams, as "Show statistics" in the main window gives it,
// and the head-to-head list as its Print draws it.
#include "apperror.h"
#include "commands.h"
#include "datamodule.h"
#include "headtoheadquery.h"
#include "reportrenderer.h"
#include "resultsreport.h"
#include "selection.h"
#include "version.h"

namespace {

// Chooses the country and competition the options name, checks the two teams and reads
// their matches as "Show statistics" does; "Results not found!" when they never met.
HeadToHead readPair(CommandContext& context, const QString& command, Rows* rows = nullptr)
{
    const ParsedOptions& options = context.options();
    const bool allCompetitions = options.has(QStringLiteral("all-competitions"));
    if (!allCompetitions && !options.has(QStringLiteral("competition")))
        throw UsageError(QStringLiteral("%1 needs --competition unless --all-competitions is given").arg(command));
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
    return query.read([rows](const HeadToHeadQuery::Match& match, int) {
        if (rows)
            rows->add({Cell::number(match.number), Cell::text(match.date), Cell::text(match.home),
                       Cell::text(match.away), Cell::text(match.score)});
    });
}

void headToHead(CommandContext& context)
{
    Rows rows{{QStringLiteral("number"), QStringLiteral("date"), QStringLiteral("home"), QStringLiteral("away"),
               QStringLiteral("goals")},
              {}};
    const HeadToHead record = readPair(context, QStringLiteral("h2h"), &rows);
    if (context.options().has(QStringLiteral("rows")))
        context.print(rows);
    else
        context.printText(record.statisticsText());
}

// The head-to-head list as the main window's Print draws it: every match of the pair, both
// orders and every competition, under the statistics of the options' selection.
void resultsReport(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    const HeadToHead record = readPair(context, QStringLiteral("report results"));
    ResultsReport::Texts texts;
    texts.team1 = options.value(QStringLiteral("team1"));
    texts.team2 = options.value(QStringLiteral("team2"));
    texts.statistics = record.statisticsText();
    texts.caption = QStringLiteral(TALLYFIELD_CAPTION);
    texts.captionColour = ReportItems::titleBarColour();
    TDataModule1& module = context.database();
    ResultsReport::withPairSelected(module, texts.team1, texts.team2, [&] {
        ReportRenderer::writePdf(ResultsReport::layout(module, texts), options.value(QStringLiteral("pdf")),
                                 texts.caption);
    });
}

std::vector<OptionSpec> pairOptions()
{
    return {
        {QStringLiteral("country"), QStringLiteral("NAME"), QStringLiteral("the country, as the windows name it")},
        {QStringLiteral("competition"), QStringLiteral("NAME"),
         QStringLiteral("a competition of that country (needed unless --all-competitions)")},
        {QStringLiteral("team1"), QStringLiteral("LABEL"), QStringLiteral("the first team, e.g. \"Arsenal (London)\""),
         true},
        {QStringLiteral("team2"), QStringLiteral("LABEL"), QStringLiteral("the second team"), true},
        {QStringLiteral("save-order"), QString(), QStringLiteral("only matches with team 1 at home and team 2 away")},
        {QStringLiteral("all-competitions"), QString(), QStringLiteral("matches of every competition")}};
}

} // namespace

Command headToHeadCommand()
{
    std::vector<OptionSpec> options = pairOptions();
    options.push_back(
        {QStringLiteral("rows"), QString(), QStringLiteral("print the matches instead of the statistics")});
    return {QStringLiteral("h2h"), QStringLiteral("the head-to-head record of two teams"),
            QStringLiteral("Prints the seven lines of the main window's statistics for two teams, or with --rows the "
                           "matches of its results grid, newest first: number, date, home, away, goals."),
            options, headToHead};
}

Command reportResultsCommand()
{
    std::vector<OptionSpec> options = pairOptions();
    options.front().required = true; // the country's flag and name head the report
    options.push_back({QStringLiteral("pdf"), QStringLiteral("FILE"), QStringLiteral("the PDF file to write"), true});
    Command command{
        QStringLiteral("report results"), QStringLiteral("the printed head-to-head list of two teams, as PDF"),
        QStringLiteral("Draws the report the main window prints into a PDF file: every match of the two teams, "
                       "both home-and-away orders and every competition, newest first and numbered from 1, "
                       "under the country's flag, emblem and name, with the statistics that h2h prints for the "
                       "same options below the list."),
        options, resultsReport};
    command.drawsPages = true;
    return command;
}
