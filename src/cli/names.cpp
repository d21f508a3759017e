#include "names.h"

#include <algorithm>
#include <vector>

namespace Names {

int distance(const QString& a, const QString& b)
{
    const QString x = a.toCaseFolded();
    const QString y = b.toCaseFolded();
    std::vector<int> previous(static_cast<std::size_t>(y.size()) + 1);
    std::vector<int> current(previous.size());
    for (std::size_t j = 0; j < previous.size(); ++j)
        previous[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= x.size(); ++i) {
        current[0] = static_cast<int>(i);
        for (qsizetype j = 1; j <= y.size(); ++j) {
            const int substitution = previous[static_cast<std::size_t>(j - 1)] + (x[i - 1] == y[j - 1] ? 0 : 1);
            current[static_cast<std::size_t>(j)] =
                std::min({previous[static_cast<std::size_t>(j)] + 1, current[static_cast<std::size_t>(j - 1)] + 1,
                          substitution});
        }
        std::swap(previous, current);
    }
    return previous.back();
}

QStringList closest(const QString& name, const QStringList& candidates, int max)
{
    struct Ranked
    {
        int group; // 0 equal but for case, 1 contains or contained, 2 by distance alone
        int distance;
        qsizetype order;
    };
    const QString folded = name.toCaseFolded().trimmed();
    std::vector<Ranked> ranked;
    QStringList seen;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const QString& candidate = candidates[i];
        if (seen.contains(candidate))
            continue;
        seen << candidate;
        const QString c = candidate.toCaseFolded();
        int group = 2;
        if (c == folded)
            group = 0;
        else if (!folded.isEmpty() && (c.contains(folded) || folded.contains(c)))
            group = 1;
        ranked.push_back({group, distance(candidate, name), i});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.group != b.group)
            return a.group < b.group;
        return a.distance < b.distance;
    });
    // A candidate more than a third of the name away shares little with it; such
    // candidates are listed only when there is nothing closer.
    const int near = std::max<int>(2, static_cast<int>(name.size() / 3));
    const auto related = [near](const Ranked& r) { return r.group < 2 || r.distance <= near; };
    const bool anyRelated = std::any_of(ranked.begin(), ranked.end(), related);
    QStringList result;
    for (const Ranked& r : ranked) {
        if (result.size() >= max)
            break;
        if (!anyRelated || related(r))
            result << candidates[r.order];
    }
    return result;
}

QString unknownMessage(const QString& what, const QString& name, const QStringList& candidates)
{
    QString message = QStringLiteral("No %1 \"%2\".").arg(what, name);
    const QStringList near = closest(name, candidates);
    if (near.isEmpty())
        return message + QStringLiteral(" There is none to choose from.");
    QStringList quoted;
    for (const QString& n : near)
        quoted << QLatin1Char('"') + n + QLatin1Char('"');
    return message + QStringLiteral(" Closest: ") + quoted.join(QStringLiteral(", ")) + QLatin1Char('.');
}

} // namespace Names
