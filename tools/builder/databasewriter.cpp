#include "databasewriter.h"

#include "apperror.h"
#include "codes.h"
#include "datamodule.h"
#include "fieldvalue.h"
#include "schema.h"
#include "seasontable.h"
#include "tablestore.h"
#include "tableview.h"
#include "textformat.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

QString Dataset::Team::label() const
{
    return teamLabel(shortName, city);
}

namespace {
const FieldSchema& fieldOf(const QString& table, const QString& field)
{
    const TableSchema* schema = Schema::table(table);
    const FieldSchema* f = schema ? schema->field(field) : nullptr;
    if (!f)
        throw AppError(QStringLiteral("The builder knows no field %1 of the table %2.").arg(field, table));
    return *f;
}
} // namespace

QString storedText(const QString& table, const QString& field, const QString& text)
{
    return FieldValue::forStore(fieldOf(table, field), text).toString();
}

QString storedText(const QString& text, int width)
{
    return FieldValue::forStore(FieldSchema{QString(), FieldType::Text, std::max(width, 1), QString()}, text)
        .toString();
}

namespace {

// One prepared statement run once per record, inside the writer's transaction. Every
// value is converted for its field as any write of the program converts it, so that a text
// longer than its field is cut by the same rule.
class Insert
{
public:
    Insert(TableStore& store, const QString& table, const QStringList& columns) : m_query(store.database())
    {
        for (const QString& column : columns)
            m_fields.push_back(&fieldOf(table, column));
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(Schema::table(table)->sqlName, columns.join(QStringLiteral(", ")),
                                     QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
        if (!m_query.prepare(sql))
            throw AppError(
                QStringLiteral("The builder cannot prepare \"%1\": %2").arg(sql, m_query.lastError().text()));
    }
    void operator()(const QVariantList& values)
    {
        for (int i = 0; i < values.size(); ++i)
            m_query.bindValue(i, FieldValue::forStore(*m_fields.at(static_cast<size_t>(i)), values[i]));
        if (!m_query.exec())
            throw AppError(
                QStringLiteral("The builder cannot store a record (%1): %2")
                    .arg(values.isEmpty() ? QString() : values.front().toString(), m_query.lastError().text()));
    }

private:
    QSqlQuery m_query;
    std::vector<const FieldSchema*> m_fields;
};

QVariant dateValue(const QDate& date)
{
    return date.isValid() ? QVariant(date) : QVariant();
}

void removeFolder(const QString& path)
{
    QDir dir(path);
    if (dir.exists() && !dir.removeRecursively())
        throw AppError(QStringLiteral("The builder cannot remove the folder \"%1\".").arg(path));
}

WriteFigures writeInto(const Dataset& data, const QString& folder)
{
    TableStore::create(folder);
    TableStore store(folder);
    WriteFigures figures;

    std::vector<qint64> countryCode, competitionCode, stadiumCode, teamCode, seasonCode;
    {
        TableStore::Batch batch(store);
        Insert country(store, QStringLiteral("Country"), {"Code", "Country", "Capital", "Flag"});
        for (size_t i = 0; i < data.countries.size(); ++i) {
            countryCode.push_back(firstCountryCode + static_cast<qint64>(i));
            if (countryCode.back() > 99)
                throw AppError(QStringLiteral("The builder gives two-digit codes to at most 90 countries."));
            country({countryCode.back(), data.countries[i].name, data.countries[i].capital, data.countries[i].flag});
        }

        // A competition's, stadium's or team's code: the country's code followed by the
        // number of its kind in that country so far, plus one.
        std::vector<int> perCountry(data.countries.size(), 0);
        Insert competition(store, QStringLiteral("Division"), {"Code", "Country", "Division"});
        for (const Dataset::Competition& c : data.competitions) {
            const qint64 parent = countryCode.at(static_cast<size_t>(c.country));
            competitionCode.push_back(Codes::nextInCountry(parent, perCountry[static_cast<size_t>(c.country)]++));
            competition({competitionCode.back(), parent, c.name});
        }

        std::fill(perCountry.begin(), perCountry.end(), 0);
        Insert stadium(store, QStringLiteral("Stadium"), {"Code", "Stadium", "Capacity", "Country"});
        for (const Dataset::Stadium& s : data.stadiums) {
            const qint64 parent = countryCode.at(static_cast<size_t>(s.country));
            stadiumCode.push_back(Codes::nextInCountry(parent, perCountry[static_cast<size_t>(s.country)]++));
            stadium({stadiumCode.back(), s.name, s.capacity ? QVariant(*s.capacity) : QVariant(), parent});
        }

        std::fill(perCountry.begin(), perCountry.end(), 0);
        Insert team(store, QStringLiteral("Team"), {"Code", "Team", "ShortName", "City", "Division", "Stadium"});
        for (const Dataset::Team& t : data.teams) {
            const size_t c = static_cast<size_t>(data.competitions.at(static_cast<size_t>(t.competition)).country);
            teamCode.push_back(Codes::nextInCountry(countryCode[c], perCountry[c]++));
            team({teamCode.back(), t.fullName, t.shortName, t.city, competitionCode[static_cast<size_t>(t.competition)],
                  t.stadium >= 0 ? QVariant(stadiumCode.at(static_cast<size_t>(t.stadium))) : QVariant()});
        }

        // A season's number: the competition's code followed by the number of its earlier
        // seasons, plus one.
        std::vector<int> perCompetition(data.competitions.size(), 0);
        Insert season(store, QStringLiteral("TableHead"), {"Num", "Name", "CodeDivision", "DateStart", "DateFinish"});
        for (const Dataset::Season& s : data.seasons) {
            const size_t c = static_cast<size_t>(s.competition);
            seasonCode.push_back(Codes::nextSeason(competitionCode.at(c), perCompetition[c]++));
            season({seasonCode.back(), s.name, competitionCode[c], dateValue(s.start), dateValue(s.finish)});
        }

        Insert result(store, QStringLiteral("Results"),
                      {"Num", "Date", "CodeTeam", "CodeTeam2", "Team", "Team2", "Goal1", "Goal2", "Division"});
        std::vector<QString> labels;
        for (const Dataset::Team& t : data.teams)
            labels.push_back(t.label());
        int num = 0;
        for (const Dataset::Result& r : data.results) {
            const size_t home = static_cast<size_t>(r.home);
            const size_t away = static_cast<size_t>(r.away);
            const Dataset::Season& s = data.seasons.at(static_cast<size_t>(r.season));
            result({++num, dateValue(r.date), teamCode.at(home), teamCode.at(away), labels[home], labels[away], r.goal1,
                    r.goal2, competitionCode[static_cast<size_t>(s.competition)]});
        }
        batch.commit();
    }

    // The league tables, filled and ranked through the data module as the program does.
    TDataModule1 module(store);
    module.DataModuleCreate();
    for (size_t i = 0; i < data.seasons.size(); ++i) {
        const Dataset::Season& s = data.seasons[i];
        const Dataset::Competition& c = data.competitions[static_cast<size_t>(s.competition)];
        if (!c.league || s.teams.empty())
            continue;
        if (!module.TableCountry->locate(QStringLiteral("Code"), countryCode[static_cast<size_t>(c.country)]) ||
            !module.TableDivision->locate(QStringLiteral("Code"),
                                          competitionCode[static_cast<size_t>(s.competition)]) ||
            !module.TableTableHead->locate(QStringLiteral("Num"), seasonCode[i]))
            throw AppError(
                QStringLiteral("The builder cannot find the season %1 it has just stored.").arg(seasonCode[i]));
        std::vector<SeasonTable::Team> teams;
        for (int t : s.teams)
            teams.push_back({teamCode.at(static_cast<size_t>(t)), data.teams[static_cast<size_t>(t)].label()});
        SeasonTable::fill(module, teams);
        SeasonTable::rank(module, seasonCode[i]);
        figures.tableRows += static_cast<int>(teams.size());
    }
    // Ranking leaves the season's rows filtered, as the viewer shows them; the database
    // is left with no filter on.
    module.TableSortDet->setFiltered(false);
    // Statistics of the indexes, so that SQLite picks the selective index for a filter
    // on two teams rather than the one on the competition.
    store.exec(QStringLiteral("ANALYZE"), {}, QStringLiteral("FootballClubs"));

    figures.countries = static_cast<int>(data.countries.size());
    figures.competitions = static_cast<int>(data.competitions.size());
    figures.stadiums = static_cast<int>(data.stadiums.size());
    figures.teams = static_cast<int>(data.teams.size());
    figures.seasons = static_cast<int>(data.seasons.size());
    figures.results = static_cast<int>(data.results.size());
    return figures;
}

} // namespace

WriteFigures writeDatabase(const Dataset& dataset, const QString& tableFolder)
{
    const QFileInfo target(tableFolder);
    const QString building = target.absoluteFilePath() + QStringLiteral(".building");
    const QString previous = target.absoluteFilePath() + QStringLiteral(".previous");
    if (!QDir().mkpath(target.absolutePath()))
        throw AppError(QStringLiteral("The builder cannot make the folder \"%1\".").arg(target.absolutePath()));
    removeFolder(building);
    WriteFigures figures;
    try {
        figures = writeInto(dataset, building);
    } catch (...) {
        QDir(building).removeRecursively();
        throw;
    }
    // The finished database takes the place of the old one in two renames.
    removeFolder(previous);
    if (target.exists() && !QDir().rename(target.absoluteFilePath(), previous))
        throw AppError(QStringLiteral("The builder cannot move the old folder \"%1\" aside.").arg(tableFolder));
    if (!QDir().rename(building, target.absoluteFilePath()))
        throw AppError(QStringLiteral("The builder cannot put the new database in \"%1\".").arg(tableFolder));
    removeFolder(previous);
    return figures;
}
