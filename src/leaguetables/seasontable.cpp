#include "seasontable.h"

#include "apperror.h"
#include "datamodule.h"
#include "filterforms.h"
#include "viewborrow.h"

namespace SeasonTable {

void countByLabel(Counts& counts, const QString& team, const QString& home, const QString& away, int goal1, int goal2)
{
    const bool atHome = home == team;
    const bool atAway = away == team;
    if (atHome && goal1 > goal2) {
        ++counts.win;
        counts.goalsFor += goal1;
        counts.goalsAgainst += goal2;
    }
    if (atAway && goal2 > goal1) {
        ++counts.win;
        counts.goalsFor += goal2;
        counts.goalsAgainst += goal1;
    }
    if (goal1 == goal2) {
        ++counts.draw;
        counts.goalsFor += goal1;
        counts.goalsAgainst += goal2;
    }
    if (atHome && goal1 < goal2) {
        ++counts.lose;
        counts.goalsFor += goal1;
        counts.goalsAgainst += goal2;
    }
    if (atAway && goal2 < goal1) {
        ++counts.lose;
        counts.goalsFor += goal2;
        counts.goalsAgainst += goal1;
    }
}

std::vector<Team> competitionTeams(TDataModule1& module)
{
    TableView& teams = *module.TableTeam;
    std::vector<Team> list;
    for (teams.first(); !teams.eof() && !teams.isEmpty(); teams.next()) {
        list.push_back({teams.asInteger(QStringLiteral("Code")), teamLabel(teams.asString(QStringLiteral("ShortName")),
                                                                           teams.asString(QStringLiteral("City")))});
    }
    teams.first();
    return list;
}

namespace {

// Sets the filter that selects the current competition's matches of the current season in
// which the team with this label plays, and switches it on. Refused, with the date's
// conversion message, when no season is current or the season lacks a date.
void selectSeasonGames(TDataModule1& module, const QString& division, const QString& label)
{
    TableView& season = *module.TableTableHead;
    TableView& results = *module.TableResults;
    results.setFilterText(FilterForms::teamSeasonInDivision(
        season.asString(QStringLiteral("DateStart")), season.asString(QStringLiteral("DateFinish")), division, label));
    results.setFiltered(true);
}

int goals(TableView& results, const QString& field)
{
    return static_cast<int>(results.asInteger(field)); // an empty goal field counts as 0
}

void writeCounts(TableView& rows, const Counts& counts)
{
    rows.setValue(QStringLiteral("Game"), counts.game());
    rows.setValue(QStringLiteral("Win"), counts.win);
    rows.setValue(QStringLiteral("Draw"), counts.draw);
    rows.setValue(QStringLiteral("Lose"), counts.lose);
    rows.setValue(QStringLiteral("BGoal"), counts.goalsFor);
    rows.setValue(QStringLiteral("BMiss"), counts.goalsAgainst);
    rows.setValue(QStringLiteral("Ball"), counts.ball());
    rows.setValue(QStringLiteral("Points"), counts.points());
}

// A row started by the fill that is cancelled unless it was completed: a fill that stops
// half-way must not leave a row in editing for the next move of the view to post, with no
// season or half its matches counted.
class StartedRow
{
public:
    explicit StartedRow(TableView& rows) : m_rows(rows) { m_rows.insert(); }
    ~StartedRow()
    {
        if (!m_completed)
            m_rows.cancel();
    }
    StartedRow(const StartedRow&) = delete;
    StartedRow& operator=(const StartedRow&) = delete;
    void completed() { m_completed = true; }

private:
    TableView& m_rows;
    bool m_completed = false;
};

} // namespace

QString noTeamsMessage()
{
    return QStringLiteral("В дивизионе нет команд: таблица не заполнена.");
}

void fill(TDataModule1& module, const std::vector<Team>& teams)
{
    if (teams.empty())
        throw AppError(noTeamsMessage());
    TableView& rows = *module.TableTableDet;
    TableView& results = *module.TableResults;
    const QString division = QString::number(module.TableDivision->asInteger(QStringLiteral("Code")));
    ViewBorrow borrowed(results);
    borrowed.filter();
    TableStore::Batch batch(module.store());
    int position = 0;
    for (const Team& team : teams) {
        StartedRow row(rows); // saves the row of the previous team
        rows.setValue(QStringLiteral("Position"), ++position);
        rows.setValue(QStringLiteral("Team"), team.label);
        rows.setValue(QStringLiteral("CodeTeam"), team.code);
        // The stored label, cut to the field's width, is the one the results are matched by.
        const QString label = rows.asString(QStringLiteral("Team"));
        selectSeasonGames(module, division, label);
        Counts counts;
        for (results.first(); !results.eof() && !results.isEmpty(); results.next()) {
            countByLabel(counts, label, results.asString(QStringLiteral("Team")),
                         results.asString(QStringLiteral("Team2")), goals(results, QStringLiteral("Goal1")),
                         goals(results, QStringLiteral("Goal2")));
        }
        writeCounts(rows, counts);
        row.completed();
    }
    rows.post();
    batch.commit();
    borrowed.restore();
}

void refresh(TDataModule1& module)
{
    TableView& rows = *module.TableTableDet;
    TableView& results = *module.TableResults;
    const QString division = QString::number(module.TableDivision->asInteger(QStringLiteral("Code")));
    ViewBorrow borrowed(results);
    borrowed.filter();
    TableStore::Batch batch(module.store());
    rows.first();
    const int m = rows.isEmpty() ? 0 : rows.recordCount();
    for (int i = 0; i < m; ++i) {
        selectSeasonGames(module, division, rows.asString(QStringLiteral("Team")));
        rows.edit();
        // Codes are compared as decimal texts: a row without a code is never a side.
        const QString code = rows.asString(QStringLiteral("CodeTeam"));
        Counts counts;
        for (results.first(); !results.eof() && !results.isEmpty(); results.next()) {
            countByCode(counts, code, results.asString(QStringLiteral("CodeTeam")),
                        results.asString(QStringLiteral("CodeTeam2")), goals(results, QStringLiteral("Goal1")),
                        goals(results, QStringLiteral("Goal2")));
        }
        writeCounts(rows, counts);
        rows.post();
        rows.next();
    }
    batch.commit();
    borrowed.restore();
}

void rank(TDataModule1& module, qint64 seasonNum)
{
    TableView& rows = *module.TableSortDet;
    rows.setFilterText(FilterForms::season(QString::number(seasonNum)));
    rows.setFiltered(true);
    TableStore::Batch batch(module.store());
    rows.first();
    const int n = rows.isEmpty() ? 0 : rows.recordCount();
    for (int i = 1; i <= n; ++i) {
        rows.edit();
        rows.setValue(QStringLiteral("Position"), i);
        rows.next(); // saves the row just numbered
    }
    rows.post();
    rows.first();
    batch.commit();
}

} // namespace SeasonTable
