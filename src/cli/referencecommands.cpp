// A team's season history, as the teams browser shows it, and the database summary of
// the about box.
#include "commands.h"
#include "databasesummary.h"
#include "datamodule.h"
#include "selection.h"
#include "teamhistory.h"

#include <QSet>

namespace {

Cell numberOrNone(const QString& text)
{
    return text.isEmpty() ? Cell::none() : Cell::number(text.toLongLong());
}

// The code of the team with that label: the first in the teams' name order among the
// country's teams, or, when the country has none of that label, among all teams (its
// history in the country is then empty).
QVariant teamCode(TDataModule1& module, const QString& label)
{
    QSet<qint64> divisions;
    for (const QVariantList& d : module.TableDivision->listValues({QStringLiteral("Code")}))
        divisions.insert(d[0].toLongLong());
    QVariant anywhere;
    for (const QVariantList& t :
         module.TableSortTeam->listValues({QStringLiteral("Code"), QStringLiteral("ShortName"), QStringLiteral("City"),
                                           QStringLiteral("Division")})) {
        if (teamLabel(t[1].toString(), t[2].toString()) != label)
            continue;
        if (divisions.contains(t[3].toLongLong()))
            return t[0];
        if (anywhere.isNull())
            anywhere = t[0];
    }
    return anywhere;
}

void history(CommandContext& context)
{
    TDataModule1& module = context.database();
    Selection::chooseCountry(module, context.options().value(QStringLiteral("country")));
    const QString label = context.options().value(QStringLiteral("team"));
    Selection::requireTeam(module, QStringLiteral("team"), label);
    Rows rows{
        {QStringLiteral("season"), QStringLiteral("competition"), QStringLiteral("position"), QStringLiteral("points")},
        {}};
    for (const TeamHistory::SeasonRow& row : TeamHistory::teamSeasons(module, teamCode(module, label)))
        rows.add({Cell::text(row.season), Cell::text(row.competition), numberOrNone(row.position),
                  numberOrNone(row.points)});
    context.print(rows);
}

void summary(CommandContext& context)
{
    context.printText(DatabaseSummary::compute(context.database()));
}

} // namespace

Command historyCommand()
{
    return {QStringLiteral("history"),
            QStringLiteral("a team's position and points in every season of the country's competitions"),
            QStringLiteral("Prints the season history the teams browser shows beside a team: every season of the "
                           "country's competitions in which the team has a league table row, newest first, with "
                           "the team's stored position and its points."),
            {{QStringLiteral("country"), QStringLiteral("NAME"), QStringLiteral("the country, as the windows name it"),
              true},
             {QStringLiteral("team"), QStringLiteral("LABEL"),
              QStringLiteral("the team by its label, e.g. \"Arsenal (London)\""), true}},
            history};
}

Command summaryCommand()
{
    return {QStringLiteral("summary"),
            QStringLiteral("the database summary of the about box"),
            QStringLiteral("Prints the lines of \"DB analysis\" in the about box: the numbers of countries, teams, "
                           "stadiums and results, then every competition with its number of results and the dates "
                           "of its first and last result (\"?\" for a competition without results)."),
            {},
            summary};
}
