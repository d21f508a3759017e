#include "teamhistory.h"

#include "datamodule.h"
#include "filterforms.h"
#include "textformat.h"
#include "viewborrow.h"

#include <QHash>

namespace TeamHistory {

namespace {

QString numberText(const QVariant& value)
{
    return value.isNull() ? QString() : QString::number(value.toLongLong());
}

struct TableRow
{
    QString position;
    QString points;
};

// The team's first league table row of every season it has one in, read in one pass over
// the whole table: the rows of a season in the order a season's table lists them.
QHash<qint64, TableRow> rowsBySeason(TableView& rows, const QVariant& teamCode)
{
    ViewBorrow borrow(rows);
    borrow.filter().master();
    rows.unbind();
    rows.setFilterText(FilterForms::rowsOfTeamCode(QString::number(teamCode.toLongLong())));
    rows.setFiltered(true);
    QHash<qint64, TableRow> found;
    for (const QVariantList& r :
         rows.listValues({QStringLiteral("CodeSeason"), QStringLiteral("Position"), QStringLiteral("Points")})) {
        const qint64 season = r[0].toLongLong();
        if (!found.contains(season))
            found.insert(season, {numberText(r[1]), numberText(r[2])});
    }
    borrow.restore();
    return found;
}

} // namespace

QStringList columnTitles()
{
    return {QStringLiteral("Season"), QStringLiteral("Competition"), QStringLiteral("№"), QStringLiteral("P")};
}

void sortNewestFirst(std::vector<SeasonRow>& rows)
{
    // A missing day is older than every day.
    const auto later = [](const QDate& a, const QDate& b) { return a.isValid() && (!b.isValid() || a > b); };
    for (size_t q = 0; q + 1 < rows.size(); ++q) {
        for (size_t j = q + 1; j < rows.size(); ++j) {
            if (later(rows[j].start, rows[q].start))
                std::swap(rows[q], rows[j]);
        }
    }
}

std::vector<SeasonRow> teamSeasons(TDataModule1& module, const QVariant& teamCode)
{
    std::vector<SeasonRow> history;
    if (teamCode.isNull())
        return history;
    const QHash<qint64, TableRow> rows = rowsBySeason(*module.TableTableDet, teamCode);
    if (rows.isEmpty())
        return history;

    // The country's competitions, read without moving the current one.
    QHash<qint64, QString> competitions;
    for (const QVariantList& d : module.TableDivision->listValues({QStringLiteral("Code"), QStringLiteral("Division")}))
        competitions.insert(d[0].toLongLong(), d[1].toString());
    if (competitions.isEmpty())
        return history;

    // The seasons of the team's rows in one read: the seasons view, out of its master's
    // range, lists them by competition code and then in each competition's own order,
    // which is the order of the country's competitions and of their seasons. Seasons of
    // other countries' competitions are passed over. The current season is found again.
    QStringList numbers;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it)
        numbers << QString::number(it.key());
    TableView& seasons = *module.TableTableHead;
    ViewBorrow borrow(seasons);
    borrow.filter().master().position(QStringLiteral("Num"));
    seasons.unbind();
    seasons.setFilterText(FilterForms::seasonsNumbered(numbers));
    seasons.setFiltered(true);
    for (const QVariantList& s : seasons.listValues({QStringLiteral("Num"), QStringLiteral("Name"),
                                                     QStringLiteral("CodeDivision"), QStringLiteral("DateStart")})) {
        const auto competition = competitions.constFind(s[2].toLongLong());
        if (competition == competitions.cend())
            continue;
        const auto row = rows.constFind(s[0].toLongLong());
        const QDate start = s[3].toDate();
        history.push_back(
            {s[1].toString(), *competition, row->position, row->points, TextFormat::dateText(start), start});
    }
    borrow.restore();
    sortNewestFirst(history);
    return history;
}

} // namespace TeamHistory
