#include "synthetic.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Draws from the engine's raw output only, so the numbers do not depend on the standard
// library's distributions, which differ between implementations.
class Draw
{
public:
    explicit Draw(quint32 seed) : m_engine(seed) {}
    double uniform() { return (static_cast<double>(m_engine()) + 0.5) / 4294967296.0; }
    int below(int n) { return static_cast<int>(uniform() * n); }
    // Goals of one side: a Poisson count with the given mean, at most 9.
    int goals(double mean)
    {
        const double limit = std::exp(-mean);
        double product = uniform();
        int k = 0;
        while (product > limit && k < 9) {
            product *= uniform();
            ++k;
        }
        return k;
    }

private:
    std::mt19937 m_engine;
};

QString numbered(const char* word, int n, int width)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(word)).arg(n, width, 10, QLatin1Char('0'));
}

} // namespace

Dataset syntheticDataset(const SyntheticSize& size)
{
    Dataset data;
    Draw draw(size.seed);
    const int countries = std::max(1, size.countries);
    const int competitions = std::max(countries, size.competitions);
    const int teamsPer = std::max(2, size.teams / competitions);
    const int seasons = std::max(1, size.seasons);
    const int matchesPer = std::max(1, size.results / (competitions * seasons));

    for (int c = 1; c <= countries; ++c)
        data.countries.push_back({numbered("Country", c, 2), numbered("Capital", c, 2), {}});
    for (int m = 0; m < competitions; ++m)
        data.competitions.push_back({m % countries, numbered("League", m / countries + 1, 1), true});
    // The competitions of one country are together, as their codes are made per country.
    std::stable_sort(data.competitions.begin(), data.competitions.end(),
                     [](const auto& a, const auto& b) { return a.country < b.country; });

    std::vector<double> strength;
    for (int m = 0; m < competitions; ++m) {
        for (int t = 0; t < teamsPer; ++t) {
            const int n = static_cast<int>(data.teams.size()) + 1;
            Dataset::Stadium stadium{data.competitions[static_cast<size_t>(m)].country, numbered("Stadium", n, 4),
                                     5000 + draw.below(75000)};
            data.stadiums.push_back(stadium);
            Dataset::Team team;
            team.competition = m;
            team.fullName = numbered("Club", n, 4) + QStringLiteral(" FC");
            team.shortName = numbered("Club", n, 4);
            team.city = numbered("City", n, 4);
            team.stadium = n - 1;
            data.teams.push_back(team);
            strength.push_back(0.6 * (draw.uniform() - 0.5));
        }
    }

    // Each season plays the double round robin of its competition round by round, one
    // round a week from the first of August, as far as the season's share of results goes.
    std::vector<std::pair<int, int>> schedule; // (home, away) places, round after round
    {
        const int n = teamsPer + (teamsPer % 2);
        std::vector<int> ring(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            ring[static_cast<size_t>(i)] = i;
        std::vector<std::pair<int, int>> firstHalf;
        for (int round = 0; round < n - 1; ++round) {
            for (int i = 0; i < n / 2; ++i) {
                int a = ring[static_cast<size_t>(i)];
                int b = ring[static_cast<size_t>(n - 1 - i)];
                if (round % 2)
                    std::swap(a, b);
                if (a < teamsPer && b < teamsPer)
                    firstHalf.emplace_back(a, b);
            }
            std::rotate(ring.begin() + 1, ring.end() - 1, ring.end());
        }
        schedule = firstHalf;
        for (const auto& [a, b] : firstHalf)
            schedule.emplace_back(b, a);
    }
    const int perRound = teamsPer / 2;
    for (int m = 0; m < competitions; ++m) {
        const int firstTeam = m * teamsPer;
        for (int s = 0; s < seasons; ++s) {
            Dataset::Season season;
            season.competition = m;
            const int year = 2001 + s;
            season.name = QStringLiteral("%1/%2").arg(year).arg((year + 1) % 100, 2, 10, QLatin1Char('0'));
            const QDate opening(year, 8, 1);
            const int seasonIndex = static_cast<int>(data.seasons.size());
            for (int k = 0; k < matchesPer; ++k) {
                const auto& [a, b] = schedule[static_cast<size_t>(k) % schedule.size()];
                const int home = firstTeam + a;
                const int away = firstTeam + b;
                const QDate date = opening.addDays(7 * (k / perRound) + (k % 3));
                const double edge = strength[static_cast<size_t>(home)] - strength[static_cast<size_t>(away)];
                data.results.push_back({seasonIndex, date, home, away, draw.goals(1.45 * std::exp(edge)),
                                        draw.goals(1.15 * std::exp(-edge))});
                if (!season.start.isValid() || date < season.start)
                    season.start = date;
                if (!season.finish.isValid() || date > season.finish)
                    season.finish = date;
            }
            for (int t = 0; t < teamsPer; ++t)
                season.teams.push_back(firstTeam + t);
            data.seasons.push_back(season);
        }
    }
    std::stable_sort(data.results.begin(), data.results.end(),
                     [](const auto& a, const auto& b) { return a.date < b.date; });
    return data;
}
