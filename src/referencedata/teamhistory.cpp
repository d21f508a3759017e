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
    std::vector<QDate> dates;
    dates.reserve(rows.size());
    for (const SeasonRow& row : rows)
        dates.push_back(TextFormat::parseDate(row.dateStart));
    // An unreadable day is older than every day.
    const auto later = [](const QDate& a, const QDate& b) { return a.isValid() && (!b.isValid() || a > b); };
    for (size_t q = 0; q + 1 < rows.size(); ++q) {
        for (size_t j = q + 1; j < rows.size(); ++j) {
            if (later(dates[j], dates[q])) {
                std::swap(rows[q], rows[j]);
                std::swap(dates[q], dates[j]);
            }
        }
    }
}

std::vector<SeasonRow> teamSeasons(TDataModule1& module, const QVariant& teamCode)
{
    std::vector<SeasonRow> history;
    if (teamCode.isNull())
        return history;
    TableView& divisions = *module.TableDivision;
    TableView& seasons = *module.TableTableHead;
    const QHash<qint64, TableRow> rows = rowsBySeason(*module.TableTableDet, teamCode);
    if (rows.isEmpty())
        return history;

    // Declared in this order so that, when the walk stops on an error, the competition is
    // found again before its season, as on the normal path.
    ViewBorrow seasonBack(seasons);
    seasonBack.position(QStringLiteral("Num"));
    ViewBorrow divisionBack(divisions);
    divisionBack.position(QStringLiteral("Code"));
    const QVariant current = divisions.isEmpty() ? QVariant() : divisions.value(QStringLiteral("Code"));

    // The walk ends where the last of the team's seasons is found: usually the current
    // competition, whose teams the browser lists.
    qsizetype left = rows.size();
    for (divisions.first(); !divisions.isEmpty() && !divisions.eof(); divisions.next()) {
        const QString competition = divisions.asString(QStringLiteral("Division"));
        for (const QVariantList& s :
             seasons.listValues({QStringLiteral("Num"), QStringLiteral("Name"), QStringLiteral("DateStart")})) {
            const auto row = rows.constFind(s[0].toLongLong());
            if (row == rows.cend())
                continue;
            history.push_back(
                {s[1].toString(), competition, row->position, row->points, TextFormat::dateText(s[2].toDate())});
            --left;
        }
        if (left == 0)
            break;
    }
    if (!current.isNull() && divisions.value(QStringLiteral("Code")) == current)
        divisionBack.keep();
    else
        divisionBack.restore();
    seasonBack.restore();
    sortNewestFirst(history);
    return history;
}

} // namespace TeamHistory
