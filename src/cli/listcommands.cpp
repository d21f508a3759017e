// The lists of the reference data, as the choosers and lists of the windows show them.
#include "commands.h"
#include "datamodule.h"
#include "headtoheadquery.h"
#include "selection.h"
#include "textformat.h"

#include <QDate>
#include <QHash>

namespace {

OptionSpec countryOption()
{
    return {QStringLiteral("country"), QStringLiteral("NAME"), QStringLiteral("the country, as the windows name it"),
            true};
}

OptionSpec competitionOption()
{
    return {QStringLiteral("competition"), QStringLiteral("NAME"), QStringLiteral("a competition of that country"),
            true};
}

void chooseCompetition(CommandContext& context)
{
    TDataModule1& module = context.database();
    Selection::chooseCountry(module, context.options().value(QStringLiteral("country")));
    Selection::chooseCompetition(module, context.options().value(QStringLiteral("competition")));
}

Cell textOrNone(const QVariant& value)
{
    return value.isNull() ? Cell::none() : Cell::text(value.toString());
}

Cell numberOrNone(const QVariant& value)
{
    return value.isNull() ? Cell::none() : Cell::number(value.toLongLong());
}

Cell dateOrNone(const QVariant& value)
{
    const QDate date = value.toDate();
    return date.isValid() ? Cell::text(TextFormat::dateText(date)) : Cell::none();
}

void countries(CommandContext& context)
{
    TDataModule1& module = context.database();
    Rows rows{{QStringLiteral("code"), QStringLiteral("country"), QStringLiteral("capital")}, {}};
    const auto values =
        module.TableCountry->listValues({QStringLiteral("Code"), QStringLiteral("Country"), QStringLiteral("Capital")});
    for (const QVariantList& v : values)
        rows.add({numberOrNone(v[0]), textOrNone(v[1]), textOrNone(v[2])});
    context.print(rows);
}

// Each competition of the country with the number of its results and their first and last
// dates, read as choosing the competition in the main window reads them.
void competitions(CommandContext& context)
{
    TDataModule1& module = context.database();
    Selection::chooseCountry(module, context.options().value(QStringLiteral("country")));
    Rows rows{{QStringLiteral("code"), QStringLiteral("competition"), QStringLiteral("results"),
               QStringLiteral("first"), QStringLiteral("last")},
              {}};
    TableView* divisions = module.TableDivision;
    divisions->first();
    const int count = divisions->recordCount();
    for (int i = 0; i < count; ++i) {
        const CompetitionChoice::Period period = CompetitionChoice::period(module);
        rows.add({numberOrNone(divisions->value(QStringLiteral("Code"))),
                  Cell::text(divisions->asString(QStringLiteral("Division"))), Cell::number(period.matches),
                  period.earliest.isEmpty() ? Cell::none() : Cell::text(period.earliest),
                  period.latest.isEmpty() ? Cell::none() : Cell::text(period.latest)});
        divisions->next();
    }
    context.print(rows);
}

void seasons(CommandContext& context)
{
    chooseCompetition(context);
    TDataModule1& module = context.database();
    Rows rows{{QStringLiteral("number"), QStringLiteral("name"), QStringLiteral("start"), QStringLiteral("end")}, {}};
    const auto values = module.TableTableHead->listValues(
        {QStringLiteral("Num"), QStringLiteral("Name"), QStringLiteral("DateStart"), QStringLiteral("DateFinish")});
    for (const QVariantList& v : values)
        rows.add({numberOrNone(v[0]), textOrNone(v[1]), dateOrNone(v[2]), dateOrNone(v[3])});
    context.print(rows);
}

// The competition's teams with their stadium, which is one of the country's stadiums.
void teams(CommandContext& context)
{
    chooseCompetition(context);
    TDataModule1& module = context.database();
    struct Stadium
    {
        QString name;
        QVariant capacity;
    };
    QHash<qint64, Stadium> stadiums;
    for (const QVariantList& v : module.TableStadium->listValues(
             {QStringLiteral("Code"), QStringLiteral("Stadium"), QStringLiteral("Capacity")}))
        stadiums.insert(v[0].toLongLong(), {v[1].toString(), v[2]});

    Rows rows{{QStringLiteral("code"), QStringLiteral("label"), QStringLiteral("team"), QStringLiteral("short_name"),
               QStringLiteral("city"), QStringLiteral("stadium"), QStringLiteral("capacity")},
              {}};
    const auto values =
        module.TableTeam->listValues({QStringLiteral("Code"), QStringLiteral("ShortName"), QStringLiteral("City"),
                                      QStringLiteral("Team"), QStringLiteral("Stadium")});
    for (const QVariantList& v : values) {
        const auto stadium = v[4].isNull() ? stadiums.end() : stadiums.find(v[4].toLongLong());
        Cell name = Cell::none();
        Cell capacity = Cell::none();
        if (stadium != stadiums.end()) {
            name = Cell::text(stadium->name);
            // The windows show a capacity in groups of three digits (45 000).
            if (!stadium->capacity.isNull())
                capacity = context.localeGiven() ? Cell::text(TextFormat::capacityText(stadium->capacity.toLongLong()))
                                                 : Cell::number(stadium->capacity.toLongLong());
        }
        rows.add({numberOrNone(v[0]), Cell::text(teamLabel(v[1].toString(), v[2].toString())), textOrNone(v[3]),
                  textOrNone(v[1]), textOrNone(v[2]), name, capacity});
    }
    context.print(rows);
}

} // namespace

Command countriesCommand()
{
    return {QStringLiteral("countries"),
            QStringLiteral("the countries: code, country, capital"),
            QStringLiteral("Prints the countries in name order: code, country, capital."),
            {},
            countries};
}

Command competitionsCommand()
{
    return {QStringLiteral("competitions"),
            QStringLiteral("a country's competitions with the number and period of their results"),
            QStringLiteral("Prints the country's competitions: code, competition, the number of its results and "
                           "the dates of the first and the last."),
            {countryOption()},
            competitions};
}

Command seasonsCommand()
{
    return {QStringLiteral("seasons"),
            QStringLiteral("a competition's seasons"),
            QStringLiteral("Prints the competition's seasons: number, name, start and end."),
            {countryOption(), competitionOption()},
            seasons};
}

Command teamsCommand()
{
    return {QStringLiteral("teams"),
            QStringLiteral("a competition's teams with their stadiums"),
            QStringLiteral("Prints the competition's teams: code, label (as the team lists show it), team, short "
                           "name, city, stadium and its capacity."),
            {countryOption(), competitionOption()},
            teams};
}
