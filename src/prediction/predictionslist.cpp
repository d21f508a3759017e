#include "predictionslist.h"

#include "apperror.h"
#include "textformat.h"

#include <QLocale>

namespace {

// The value the drawing compares: the text with its last character cut, so that a share
// shown with two decimals is compared at one decimal, cut and not rounded.
double cutValue(const QString& text)
{
    return PredictionsList::value(text.left(text.size() - 1));
}

} // namespace

PredictionsList::PredictionsList()
{
    m_rows.push_back(columnTitles());
}

QStringList PredictionsList::columnTitles()
{
    return {QStringLiteral("Team 1"), QStringLiteral("Team 2"), QStringLiteral("Win 1"), QStringLiteral("Draw"),
            QStringLiteral("Win 2"),  QStringLiteral("Over"),   QStringLiteral("Under"), QStringLiteral("Based on")};
}

double PredictionsList::value(const QString& text)
{
    bool ok = false;
    const double v = QLocale().toDouble(text, &ok);
    if (!ok)
        throw invalidFloatError(text);
    return v;
}

int PredictionsList::add(const QString& team1, const QString& team2, const Prediction::Outcome& outcome,
                         const QString& baseCaption)
{
    const auto f = [](double v) { return TextFormat::fixedText(v, 2); };
    m_rows.push_back({team1, team2, f(outcome.win1), f(outcome.draw), f(outcome.win2), f(outcome.over),
                      f(outcome.under), baseCaption});
    const int r = rowCount() - 1;
    // The title row is never a pairing: a Mixed row needs two data rows, also when the
    // team texts happen to read "Team 1" and "Team 2".
    if (r < 2)
        return 1;
    const QStringList& row = m_rows[r];
    const QStringList& above = m_rows[r - 1];
    if (row[0] != above[0] || row[1] != above[1])
        return 1;
    QStringList mixed{row[0], row[1]};
    for (int col = 2; col <= 6; ++col)
        mixed << f((value(row[col]) + value(above[col])) / 2);
    mixed << mixedCaption();
    m_rows.push_back(mixed);
    return 2;
}

void PredictionsList::clear()
{
    m_rows.resize(1);
}

std::optional<int> PredictionsList::likeliestOutcomeColumn(const QStringList& row)
{
    const double v[3] = {cutValue(row.value(2)), cutValue(row.value(3)), cutValue(row.value(4))};
    for (int i = 0; i < 3; ++i) {
        if (v[i] > v[(i + 1) % 3] && v[i] > v[(i + 2) % 3])
            return 2 + i;
    }
    return std::nullopt;
}

bool PredictionsList::isGreaterGoalsCell(const QStringList& row, int col)
{
    const double over = cutValue(row.value(5));
    const double under = cutValue(row.value(6));
    return col == 5 ? over > under : under > over;
}
