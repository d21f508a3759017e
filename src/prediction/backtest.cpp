#include "backtest.h"

#include "datamodule.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace Backtest {

using Prediction::Base;
using Prediction::SetCounts;

namespace {

// The games of one pairing, Team 1 at home: what "Intramural games" reads.
struct PairCounts
{
    SetCounts home; // wins are Team 1's
    SetCounts away; // wins are Team 2's
};

// The counts of every earlier result, kept up to date as the replay goes on.
class History
{
public:
    Prediction::Tally tally(Base base, const Match& m) const
    {
        if (base == Base::Intramural) {
            const auto it = m_pairs.constFind({m.home, m.away});
            if (it == m_pairs.cend())
                return {};
            return {it->home, it->away};
        }
        return {m_home.value(m.home), m_away.value(m.away)};
    }

    void add(const Match& m)
    {
        m_home[m.home].add(m.goal1, m.goal2, true);
        m_away[m.away].add(m.goal1, m.goal2, false);
        PairCounts& pair = m_pairs[{m.home, m.away}];
        pair.home.add(m.goal1, m.goal2, true);
        pair.away.add(m.goal1, m.goal2, false);
        ++m_outcomes[outcomeOf(m)];
    }

    // The shares of home wins, draws and away wins so far; none before the first result.
    std::vector<double> outcomeShares() const
    {
        const double n = m_outcomes[0] + m_outcomes[1] + m_outcomes[2];
        if (n == 0)
            return {};
        return {m_outcomes[0] * 100 / n, m_outcomes[1] * 100 / n, m_outcomes[2] * 100 / n};
    }

    static int outcomeOf(const Match& m) { return m.goal1 > m.goal2 ? 0 : m.goal1 == m.goal2 ? 1 : 2; }

private:
    QHash<QString, SetCounts> m_home;
    QHash<QString, SetCounts> m_away;
    QHash<std::pair<QString, QString>, PairCounts> m_pairs;
    int m_outcomes[3] = {};
};

} // namespace

void Scores::add(const std::vector<double>& percentages, int actual)
{
    const size_t n = percentages.size();
    double cumulative = 0;
    double cumulativeActual = 0;
    double rankedSum = 0;
    double brierSum = 0;
    size_t best = 0;
    for (size_t i = 0; i < n; ++i) {
        const double p = percentages[i] / 100;
        const double o = static_cast<int>(i) == actual ? 1 : 0;
        brierSum += (p - o) * (p - o);
        if (i + 1 < n) {
            cumulative += p;
            cumulativeActual += o;
            rankedSum += (cumulative - cumulativeActual) * (cumulative - cumulativeActual);
        }
        if (percentages[i] > percentages[best])
            best = i;
    }
    ++matches;
    rps += rankedSum / static_cast<double>(n - 1);
    brier += brierSum;
    logLoss += -std::log(std::max(percentages[static_cast<size_t>(actual)] / 100, kProbabilityFloor));
    if (static_cast<int>(best) == actual)
        ++hits;
}

Report replay(const std::vector<Match>& matches, Base base, const QDate& scoreFrom,
              const std::function<void(const Match&, const Prediction::Forecast&)>& onForecast)
{
    Report report;
    History history;
    size_t dayStart = 0;
    while (dayStart < matches.size()) {
        // Every match of one day is predicted before any of them counts.
        size_t dayEnd = dayStart;
        while (dayEnd < matches.size() && matches[dayEnd].date == matches[dayStart].date)
            ++dayEnd;
        for (size_t i = dayStart; i < dayEnd; ++i) {
            const Match& m = matches[i];
            ++report.matches;
            if (scoreFrom.isValid() && m.date < scoreFrom)
                continue;
            ++report.scored;
            const Prediction::Forecast fc = Prediction::forecast(base, history.tally(base, m));
            if (onForecast)
                onForecast(m, fc);
            if (!fc.enough) {
                ++report.tooLittleData;
                continue;
            }
            ++report.predicted;
            const int outcome = History::outcomeOf(m);
            const Prediction::Outcome& o = fc.outcome;
            report.outcome.add({o.win1, o.draw, o.win2}, outcome);
            report.goals.add({o.over, o.under}, m.goal1 + m.goal2 > 2 ? 0 : 1);
            const std::vector<double> shares = history.outcomeShares();
            if (!shares.empty())
                report.baseline.add(shares, outcome);
        }
        for (size_t i = dayStart; i < dayEnd; ++i)
            history.add(matches[i]);
        dayStart = dayEnd;
    }
    return report;
}

std::vector<Match> competitionMatches(TDataModule1& module)
{
    TableView& results = *module.TableResults;
    std::vector<Match> matches;
    const auto rows = results.listValues({QStringLiteral("Date"), QStringLiteral("Team"), QStringLiteral("Team2"),
                                          QStringLiteral("Goal1"), QStringLiteral("Goal2")});
    matches.reserve(rows.size());
    for (const QVariantList& r : rows) {
        const QDate date = r[0].toDate();
        if (date.isValid())
            matches.push_back({date, r[1].toString(), r[2].toString(), r[3].toInt(), r[4].toInt()});
    }
    // The view's order is the competition's dates; a stable sort keeps it and makes sure.
    std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) { return a.date < b.date; });
    return matches;
}

QStringList reportLines(const Report& r)
{
    const auto n = [](double v) { return QString::number(v, 'f', 4); };
    const auto scores = [&](const QString& what, const Scores& s) {
        return what + QStringLiteral(": RPS ") + n(s.meanRps()) + QStringLiteral(", Brier ") + n(s.meanBrier()) +
               QStringLiteral(", log loss ") + n(s.meanLogLoss()) + QStringLiteral(", hit rate ") + n(s.hitRate());
    };
    return {QStringLiteral("Matches: ") + QString::number(r.scored),
            QStringLiteral("Predicted: ") + QString::number(r.predicted),
            QStringLiteral("Too little data: ") + QString::number(r.tooLittleData),
            scores(QStringLiteral("Home/draw/away"), r.outcome),
            scores(QStringLiteral("Over/under 2.5"), r.goals),
            scores(QStringLiteral("Earlier shares (same matches)"), r.baseline)};
}

} // namespace Backtest
