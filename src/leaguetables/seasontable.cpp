#include "seasontable.h"

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

void fill(TDataModule1& module, const std::vector<Team>& teams)
{
    TableView& rows = *module.TableTableDet;
    TableView& results = *module.TableResults;
    TableView& season = *module.TableTableHead;
    const QString division = QString::number(module.TableDivision->asInteger(QStringLiteral("Code")));
    ViewBorrow borrowed(results);
    borrowed.filter();
    TableStore::Batch batch(module.store());
    int position = 0;
    for (const Team& team : teams) {
        rows.insert(); // saves the row of the previous team
        rows.setValue(QStringLiteral("Position"), ++position);
        rows.setValue(QStringLiteral("Team"), team.label);
        rows.setValue(QStringLiteral("CodeTeam"), team.code);
        // The stored label, cut to the field's width, is the one the results are matched by.
        const QString label = rows.asString(QStringLiteral("Team"));
        results.setFilterText(FilterForms::teamSeasonInDivision(season.asString(QStringLiteral("DateStart")),
                                                                season.asString(QStringLiteral("DateFinish")), division,
                                                                label));
        results.setFiltered(true);
        Counts counts;
        for (results.first(); !results.eof() && !results.isEmpty(); results.next()) {
            countByLabel(counts, label, results.asString(QStringLiteral("Team")),
                         results.asString(QStringLiteral("Team2")),
                         static_cast<int>(results.asInteger(QStringLiteral("Goal1"))),
                         static_cast<int>(results.asInteger(QStringLiteral("Goal2"))));
        }
        rows.setValue(QStringLiteral("Win"), counts.win);
        rows.setValue(QStringLiteral("Draw"), counts.draw);
        rows.setValue(QStringLiteral("Lose"), counts.lose);
        rows.setValue(QStringLiteral("BGoal"), counts.goalsFor);
        rows.setValue(QStringLiteral("BMiss"), counts.goalsAgainst);
        rows.setValue(QStringLiteral("Game"), counts.game());
        rows.setValue(QStringLiteral("Ball"), counts.ball());
        rows.setValue(QStringLiteral("Points"), counts.points());
    }
    rows.post();
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
