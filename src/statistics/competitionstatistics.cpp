#include "competitionstatistics.h"

#include "datamodule.h"
#include "filterforms.h"
#include "textformat.h"
#include "viewborrow.h"

namespace CompetitionStatistics {

namespace {

const QChar kLineBreak(13);

// Counts every result the view holds, read in one go without moving it.
Counts countResults(TableView& results)
{
    Counts counts;
    for (const QVariantList& goals : results.listValues({QStringLiteral("Goal1"), QStringLiteral("Goal2")}))
        counts.add(goals[0].toInt(), goals[1].toInt()); // an empty goal field reads 0
    return counts;
}

} // namespace

void Counts::add(int goal1, int goal2)
{
    if (goal1 > goal2)
        ++homeWins;
    else if (goal1 == goal2)
        ++draws;
    else
        ++awayWins;
    goals += goal1 + goal2;
}

QString shareText(int count, int games)
{
    return TextFormat::fixedText(count * 100.0 / games, 1);
}

QString averageText(const Counts& counts)
{
    return TextFormat::fixedText(static_cast<double>(counts.goals) / counts.games(), 2);
}

QString countWithShare(int count, int games)
{
    return QString::number(count) + QStringLiteral(" (") + shareText(count, games) + QStringLiteral("%)");
}

QString summaryText(const Counts& c)
{
    const int games = c.games();
    return QStringLiteral("Total goals: ") + QString::number(c.goals) + kLineBreak + QStringLiteral("Home wins: ") +
           countWithShare(c.homeWins, games) + kLineBreak + QStringLiteral("Draws: ") + countWithShare(c.draws, games) +
           kLineBreak + QStringLiteral("Away wins: ") + countWithShare(c.awayWins, games) + kLineBreak +
           QStringLiteral("Average goals: ") + averageText(c);
}

QString notFoundMessage(const QString& country, const QString& competition)
{
    return QStringLiteral("Results not found for \"") + country + QStringLiteral(" - ") + competition +
           QLatin1Char('"');
}

QStringList columnTitles()
{
    return {QStringLiteral("Season"), QStringLiteral("Games"),     QStringLiteral("Home wins"),
            QStringLiteral("Draws"),  QStringLiteral("Away wins"), QStringLiteral("Average goals")};
}

QStringList SeasonRow::cells() const
{
    QStringList out(6);
    out[0] = name;
    if (!counted)
        return out;
    const int games = counts.games();
    out[1] = QString::number(games);
    if (games > 0) {
        out[2] = countWithShare(counts.homeWins, games);
        out[3] = countWithShare(counts.draws, games);
        out[4] = countWithShare(counts.awayWins, games);
        out[5] = averageText(counts);
    }
    return out;
}

Statistics compute(TDataModule1& module)
{
    TableView& results = *module.TableResults;
    TableView& seasons = *module.TableTableHead;
    // Each season's filter is set on the shared results view; the view is unfiltered again
    // afterwards, also when a season's dates stop the work.
    ViewBorrow borrow(results);
    borrow.filter();
    Statistics s;
    results.first();
    // The competition's results are read once; a season's row counts those dated from its
    // first to its last day, both included, as the season's filter selects them, without
    // reading them again for every season.
    struct Result
    {
        QDate date;
        int goal1;
        int goal2;
    };
    std::vector<Result> all;
    for (const QVariantList& r :
         results.listValues({QStringLiteral("Date"), QStringLiteral("Goal1"), QStringLiteral("Goal2")})) {
        all.push_back({r[0].toDate(), r[1].toInt(), r[2].toInt()}); // an empty goal field reads 0
        s.total.add(all.back().goal1, all.back().goal2);
    }
    if (all.empty())
        return s;
    s.hasResults = true;

    const QString division = module.TableDivision->asString(QStringLiteral("Code"));
    seasons.first();
    s.seasonCount = seasons.isEmpty() ? 0 : seasons.recordCount();
    for (int r = 0; r < s.seasonCount; ++r) {
        SeasonRow& row = s.rows.emplace_back();
        row.name = seasons.asString(QStringLiteral("Name"));
        // The season's filter, refused with the conversion message when the season lacks a
        // first or a last day.
        try {
            results.setFilterText(FilterForms::seasonInDivision(seasons.asString(QStringLiteral("DateStart")),
                                                                seasons.asString(QStringLiteral("DateFinish")),
                                                                division));
        } catch (const AppError& error) {
            s.stop = error;
            return s;
        }
        const QDate start = seasons.asDate(QStringLiteral("DateStart"));
        const QDate finish = seasons.asDate(QStringLiteral("DateFinish"));
        for (const Result& result : all) {
            if (result.date.isValid() && result.date >= start && result.date <= finish)
                row.counts.add(result.goal1, result.goal2);
        }
        row.counted = true;
        seasons.next();
    }
    return s;
}

QStringList CompetitionRow::cells() const
{
    const int games = counts.games();
    const QString percent = QStringLiteral("%");
    return {country + QStringLiteral(" (") + competition + QLatin1Char(')'),
            QString::number(counts.homeWins),
            shareText(counts.homeWins, games) + percent,
            QString::number(counts.draws),
            shareText(counts.draws, games) + percent,
            QString::number(counts.awayWins),
            shareText(counts.awayWins, games) + percent,
            QString::number(games),
            averageText(counts)};
}

QStringList competitionColumnTitles()
{
    return {QStringLiteral("Competition"), QStringLiteral("Home wins"), QStringLiteral("Home wins %"),
            QStringLiteral("Draws"),       QStringLiteral("Draws %"),   QStringLiteral("Away wins"),
            QStringLiteral("Away wins %"), QStringLiteral("Total"),     QStringLiteral("Goals/game")};
}

std::vector<CompetitionRow> allCompetitions(TDataModule1& module)
{
    TableView& countries = *module.TableCountry;
    TableView& divisions = *module.TableDivision;
    TableView& results = *module.TableResults;
    // The walk moves the shared views; the country and competition chosen before are
    // found again afterwards.
    ViewBorrow countryBack(countries);
    countryBack.position(QStringLiteral("Code"));
    ViewBorrow divisionBack(divisions);
    divisionBack.position(QStringLiteral("Code"));

    std::vector<CompetitionRow> rows;
    for (countries.first(); !countries.eof() && !countries.isEmpty(); countries.next()) {
        for (divisions.first(); !divisions.eof() && !divisions.isEmpty(); divisions.next()) {
            results.first();
            if (results.isEmpty())
                continue;
            rows.push_back({countries.asString(QStringLiteral("Country")),
                            divisions.asString(QStringLiteral("Division")), countResults(results)});
        }
    }
    countryBack.restore(); // the country first: its competitions are the ones to look in
    divisionBack.restore();
    return rows;
}

} // namespace CompetitionStatistics
