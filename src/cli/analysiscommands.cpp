// The competition statistics, the prediction of a match and its backtest, as the
// statistics and prediction windows compute them.
#include "apperror.h"
#include "backtest.h"
#include "commands.h"
#include "competitionstatistics.h"
#include "datamodule.h"
#include "predictionmodel.h"
#include "selection.h"
#include "textformat.h"

namespace {

const QChar kLineBreak(13);

OptionSpec countryOption(bool required = true)
{
    return {QStringLiteral("country"), QStringLiteral("NAME"), QStringLiteral("the country, as the windows name it"),
            required};
}

OptionSpec competitionOption(bool required = true)
{
    return {QStringLiteral("competition"), QStringLiteral("NAME"), QStringLiteral("a competition of that country"),
            required};
}

OptionSpec baseOption()
{
    return {QStringLiteral("base"), QStringLiteral("intramural|all"),
            QStringLiteral("\"Intramural games\" (team 1 at home to team 2) or \"All games\" (every home game of "
                           "team 1 and every away game of team 2)"),
            true};
}

void chooseCompetition(CommandContext& context)
{
    TDataModule1& module = context.database();
    Selection::chooseCountry(module, context.options().value(QStringLiteral("country")));
    Selection::chooseCompetition(module, context.options().value(QStringLiteral("competition")));
}

Prediction::Base baseNamed(const QString& name)
{
    if (name == QLatin1String("intramural"))
        return Prediction::Base::Intramural;
    if (name == QLatin1String("all"))
        return Prediction::Base::AllGames;
    throw UsageError(QStringLiteral("--base is intramural or all, not \"%1\"").arg(name));
}

Cell textOrNone(const QString& text)
{
    return text.isEmpty() ? Cell::none() : Cell::text(text);
}

// The rows of the all-competitions export: every competition with results.
void allCompetitions(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    if (options.has(QStringLiteral("country")) || options.has(QStringLiteral("competition")))
        throw UsageError(QStringLiteral("stats --all takes no --country or --competition"));
    Rows rows{{QStringLiteral("competition"), QStringLiteral("home_wins"), QStringLiteral("home_wins_share"),
               QStringLiteral("draws"), QStringLiteral("draws_share"), QStringLiteral("away_wins"),
               QStringLiteral("away_wins_share"), QStringLiteral("total"), QStringLiteral("goals_per_game")},
              {}};
    for (const auto& row : CompetitionStatistics::allCompetitions(context.database())) {
        const QStringList cells = row.cells();
        rows.add({Cell::text(cells[0]), Cell::number(row.counts.homeWins), Cell::text(cells[2]),
                  Cell::number(row.counts.draws), Cell::text(cells[4]), Cell::number(row.counts.awayWins),
                  Cell::text(cells[6]), Cell::number(row.counts.games()), Cell::text(cells[8])});
    }
    context.print(rows);
}

// The five summary lines, then the season rows.
void statistics(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    if (options.has(QStringLiteral("all"))) {
        allCompetitions(context);
        return;
    }
    if (!options.has(QStringLiteral("country")) || !options.has(QStringLiteral("competition")))
        throw UsageError(QStringLiteral("stats needs --country and --competition, or --all"));
    chooseCompetition(context);
    TDataModule1& module = context.database();
    const CompetitionStatistics::Statistics s = CompetitionStatistics::compute(module);
    if (!s.hasResults)
        throw AppError(
            CompetitionStatistics::notFoundMessage(module.TableCountry->asString(QStringLiteral("Country")),
                                                   module.TableDivision->asString(QStringLiteral("Division"))));
    if (s.stop)
        throw *s.stop;
    Rows rows{{QStringLiteral("season"), QStringLiteral("games"), QStringLiteral("home_wins"), QStringLiteral("draws"),
               QStringLiteral("away_wins"), QStringLiteral("average_goals")},
              {}};
    for (const CompetitionStatistics::SeasonRow& season : s.rows) {
        const QStringList cells = season.cells();
        rows.add({Cell::text(cells[0]), Cell::number(season.counts.games()), textOrNone(cells[2]), textOrNone(cells[3]),
                  textOrNone(cells[4]), textOrNone(cells[5])});
    }
    context.printTextAndRows(QStringLiteral("summary"), s.summary(), QStringLiteral("seasons"), rows);
}

// The counts text, an empty line and the prediction text; in JSON the counts and the five
// shares (null with too little data).
void predict(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    const Prediction::Base base = baseNamed(options.value(QStringLiteral("base")));
    chooseCompetition(context);
    TDataModule1& module = context.database();
    const QString team1 = options.value(QStringLiteral("team1"));
    const QString team2 = options.value(QStringLiteral("team2"));
    Selection::requireTeam(module, QStringLiteral("team 1"), team1);
    Selection::requireTeam(module, QStringLiteral("team 2"), team2);
    const Prediction::Result r = Prediction::predict(module, team1, team2, base);
    if (context.format() == Format::Json) {
        const Prediction::Tally& t = r.tally;
        const Prediction::Outcome& o = r.forecast.outcome;
        const auto share = [&r](double v) {
            return r.forecast.enough ? Cell::text(TextFormat::fixedText(v, 2)) : Cell::none();
        };
        Rows rows{{QStringLiteral("home_games"), QStringLiteral("home_wins"), QStringLiteral("home_draws"),
                   QStringLiteral("home_over"), QStringLiteral("away_games"), QStringLiteral("away_wins"),
                   QStringLiteral("away_draws"), QStringLiteral("away_over"), QStringLiteral("win1"),
                   QStringLiteral("draw"), QStringLiteral("win2"), QStringLiteral("over"), QStringLiteral("under")},
                  {}};
        rows.add({Cell::number(t.home.games), Cell::number(t.home.wins), Cell::number(t.home.draws),
                  Cell::number(t.home.over), Cell::number(t.away.games), Cell::number(t.away.wins),
                  Cell::number(t.away.draws), Cell::number(t.away.over), share(o.win1), share(o.draw), share(o.win2),
                  share(o.over), share(o.under)});
        context.print(rows);
        return;
    }
    // The counts end with a line break when the goal lines were added.
    const QString gap = r.texts.counts.endsWith(kLineBreak) ? QString(kLineBreak) : QString(2, kLineBreak);
    context.printText(r.texts.counts + gap + r.texts.prediction);
}

void backtest(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    const Prediction::Base base = baseNamed(options.value(QStringLiteral("base")));
    chooseCompetition(context);
    TDataModule1& module = context.database();
    QDate from;
    if (options.has(QStringLiteral("from"))) {
        const QString name = options.value(QStringLiteral("from"));
        TableView& seasons = *module.TableTableHead;
        if (!seasons.locate(QStringLiteral("Name"), name))
            throw AppError(
                QStringLiteral("No season \"%1\" in %2.").arg(name, options.value(QStringLiteral("competition"))));
        from = seasons.asDate(QStringLiteral("DateStart"));
        if (!from.isValid())
            throw AppError(QStringLiteral("The season \"%1\" has no first day.").arg(name));
    }
    const Backtest::Report report = Backtest::replay(Backtest::competitionMatches(module), base, from);
    context.printText(Backtest::reportLines(report).join(kLineBreak));
}

} // namespace

Command statisticsCommand()
{
    return {QStringLiteral("stats"),
            QStringLiteral("how the matches of a competition ended, in all and season by season"),
            QStringLiteral("Prints the five lines of the statistics window's summary, an empty line and its season "
                           "rows; with --all the row of every competition with results, as the all-competitions "
                           "export writes them."),
            {countryOption(false),
             competitionOption(false),
             {QStringLiteral("all"), QString(), QStringLiteral("every competition of every country, one row each")}},
            statistics};
}

Command predictCommand()
{
    return {QStringLiteral("predict"),
            QStringLiteral("the prediction of a match, team 1 at home to team 2"),
            QStringLiteral("Prints the counts the prediction window shows, an empty line and its prediction; with "
                           "--format json the counts and the five shares (null with too little data)."),
            {countryOption(),
             competitionOption(),
             {QStringLiteral("team1"), QStringLiteral("LABEL"),
              QStringLiteral("the home team, e.g. \"Arsenal (London)\""), true},
             {QStringLiteral("team2"), QStringLiteral("LABEL"), QStringLiteral("the away team"), true},
             baseOption()},
            predict};
}

Command backtestCommand()
{
    return {QStringLiteral("backtest"),
            QStringLiteral("the prediction replayed over a competition's results"),
            QStringLiteral("Predicts every match of the competition, in date order, from the results of the days "
                           "before it only, and prints how many matches were predicted and how many had too little "
                           "data, then the ranked probability score, Brier score, log loss (shares floored at 0.001) "
                           "and hit rate of home win, draw and away win, the same for over and under 2.5 goals, and "
                           "for comparison the scores of the shares of all earlier results of the competition."),
            {countryOption(),
             competitionOption(),
             baseOption(),
             {QStringLiteral("from"), QStringLiteral("SEASON"),
              QStringLiteral("score the matches from this season's first day on (earlier ones still count)")}},
            backtest};
}
