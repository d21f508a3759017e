#include "headtoheadquery.h"

#include "datamodule.h"
#include "filterforms.h"
#include "viewborrow.h"

namespace CompetitionChoice {

QStringList teamLabels(TDataModule1& module)
{
    TableView* teams = module.TableTeam;
    QStringList labels;
    teams->first();
    const int count = teams->recordCount();
    for (int i = 0; i < count; ++i) {
        labels << teamLabel(teams->asString(QStringLiteral("ShortName")), teams->asString(QStringLiteral("City")));
        teams->next();
    }
    return labels;
}

Period period(TDataModule1& module)
{
    TableView* results = module.TableSortRes;
    ViewBorrow borrowed(*results);
    borrowed.filter();
    results->setFilterText(FilterForms::division(module.TableDivision->asString(QStringLiteral("Code"))));
    results->setFiltered(true);

    Period p;
    // The view is ordered newest first.
    results->last();
    p.earliest = results->asString(QStringLiteral("Date"));
    results->first();
    p.latest = results->asString(QStringLiteral("Date"));
    p.matches = results->recordCount();
    borrowed.restore();
    return p;
}

QString statusLine(const QString& country, const QString& competition, const Period& period)
{
    const bool undated = period.earliest.isEmpty() && period.latest.isEmpty();
    return country + QStringLiteral(" - ") + competition + QStringLiteral(" - ") + QString::number(period.matches) +
           QStringLiteral(" matches - Statistics for the period since ") +
           (undated ? QStringLiteral("?") : period.earliest) + QStringLiteral(" to ") +
           (undated ? QStringLiteral("?") : period.latest);
}

} // namespace CompetitionChoice

HeadToHeadQuery::HeadToHeadQuery(TDataModule1& module, const QString& team1, const QString& team2, bool saveOrder,
                                 bool allCompetitions)
    : m_results(module.TableSortRes), m_borrowed(*m_results), m_team1(team1), m_team2(team2)
{
    m_borrowed.filter();
    const QString division = module.TableDivision->asString(QStringLiteral("Code"));
    m_results->setFilterText(pairFilter(division, team1, team2, saveOrder, allCompetitions));
    m_results->setFiltered(true);
}

HeadToHeadQuery::~HeadToHeadQuery() = default;

QString HeadToHeadQuery::pairFilter(const QString& division, const QString& team1, const QString& team2, bool saveOrder,
                                    bool allCompetitions)
{
    if (saveOrder)
        return allCompetitions ? FilterForms::pair(team1, team2) : FilterForms::pairInDivision(division, team1, team2);
    return allCompetitions ? FilterForms::pairBothWays(team1, team2)
                           : FilterForms::pairBothWaysInDivision(division, team1, team2);
}

int HeadToHeadQuery::matchCount()
{
    return m_results->recordCount();
}

HeadToHead HeadToHeadQuery::read(const std::function<void(const Match&, int percent)>& onMatch)
{
    HeadToHead record(m_team1, m_team2);
    m_results->first();
    const int n = m_results->recordCount();
    for (int r = 1; r <= n; ++r) {
        Match match;
        match.number = n - r + 1;
        match.date = m_results->asString(QStringLiteral("Date"));
        match.home = m_results->asString(QStringLiteral("Team"));
        match.away = m_results->asString(QStringLiteral("Team2"));
        match.score = m_results->asString(QStringLiteral("Res"));
        record.addMatch(match.home, match.away, static_cast<int>(m_results->asInteger(QStringLiteral("Goal1"))),
                        static_cast<int>(m_results->asInteger(QStringLiteral("Goal2"))));
        m_results->next();
        if (onMatch)
            onMatch(match, HeadToHead::gaugePercent(r, n));
    }
    return record;
}
