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

// One match of the season as the fill and the refresh read it. Empty goals read as 0.
struct Match
{
    QString home, away;         // Team, Team2: the labels
    QString homeCode, awayCode; // CodeTeam, CodeTeam2 as decimal texts
    int goal1 = 0, goal2 = 0;

    // Whether the team with this label plays in it: what selects a row's matches.
    bool involves(const QString& label) const { return home == label || away == label; }
};

// The current competition's matches between the current season's first and last day,
// read once through the results view, which is handed back as it was. A row's matches are
// those of them that name its label at home or away, as a filter on the label would
// select them; reading the season once serves every row. Refused, with the date's
// conversion message, when no season is current or the season lacks a date.
std::vector<Match> seasonMatches(TDataModule1& module)
{
    TableView& season = *module.TableTableHead;
    TableView& results = *module.TableResults;
    ViewBorrow borrowed(results);
    borrowed.filter();
    results.setFilterText(FilterForms::seasonInDivision(
        season.asString(QStringLiteral("DateStart")), season.asString(QStringLiteral("DateFinish")),
        QString::number(module.TableDivision->asInteger(QStringLiteral("Code")))));
    results.setFiltered(true);
    std::vector<Match> matches;
    for (results.first(); !results.eof() && !results.isEmpty(); results.next()) {
        matches.push_back({results.asString(QStringLiteral("Team")), results.asString(QStringLiteral("Team2")),
                           results.asString(QStringLiteral("CodeTeam")), results.asString(QStringLiteral("CodeTeam2")),
                           static_cast<int>(results.asInteger(QStringLiteral("Goal1"))),
                           static_cast<int>(results.asInteger(QStringLiteral("Goal2")))});
    }
    borrowed.restore();
    return matches;
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

} // namespace

QString noTeamsMessage()
{
    return QStringLiteral("В дивизионе нет команд: таблица не заполнена.");
}

void fill(TDataModule1& module, const std::vector<Team>& teams)
{
    if (teams.empty())
        throw AppError(noTeamsMessage());
    // Read before the first row is started, so that a season that cannot be read leaves no
    // row in editing for the next move of the view to post.
    const std::vector<Match> matches = seasonMatches(module);
    TableView& rows = *module.TableTableDet;
    TableStore::Batch batch(module.store());
    int position = 0;
    for (const Team& team : teams) {
        rows.insert(); // saves the row of the previous team
        rows.setValue(QStringLiteral("Position"), ++position);
        rows.setValue(QStringLiteral("Team"), team.label);
        rows.setValue(QStringLiteral("CodeTeam"), team.code);
        // The stored label, cut to the field's width, is the one the results are matched by.
        const QString label = rows.asString(QStringLiteral("Team"));
        Counts counts;
        for (const Match& m : matches) {
            if (m.involves(label))
                countByLabel(counts, label, m.home, m.away, m.goal1, m.goal2);
        }
        writeCounts(rows, counts);
    }
    rows.post();
    batch.commit();
}

void refresh(TDataModule1& module)
{
    const std::vector<Match> matches = seasonMatches(module);
    TableView& rows = *module.TableTableDet;
    TableStore::Batch batch(module.store());
    rows.first();
    const int n = rows.isEmpty() ? 0 : rows.recordCount();
    for (int i = 0; i < n; ++i) {
        const QString label = rows.asString(QStringLiteral("Team"));
        // Codes are compared as decimal texts: a row without a code is never a side.
        const QString code = rows.asString(QStringLiteral("CodeTeam"));
        Counts counts;
        for (const Match& m : matches) {
            if (m.involves(label))
                countByCode(counts, code, m.homeCode, m.awayCode, m.goal1, m.goal2);
        }
        rows.edit();
        writeCounts(rows, counts);
        rows.post();
        rows.next();
    }
    batch.commit();
}

void rank(TDataModule1& module, qint64 seasonNum)
{
    TableView& rows = *module.TableSortDet;
    rows.setFilterText(FilterForms::season(QString::number(seasonNum)));
    rows.setFiltered(true);
    // The rows are numbered in the view's order, 1 for the first, in one statement.
    rows.numberInOrder(QStringLiteral("Position"));
}

} // namespace SeasonTable
