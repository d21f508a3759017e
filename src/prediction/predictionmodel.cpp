#include "predictionmodel.h"

#include "datamodule.h"
#include "filterforms.h"
#include "textformat.h"
#include "viewborrow.h"

#include <QLocale>

namespace Prediction {

namespace {

const QChar kLineBreak(13);

// F format: two decimals, the locale's separator, no grouping.
QString f(double value)
{
    return TextFormat::fixedText(value, 2);
}

// General format with up to 15 significant digits, as the diagnostic readout writes.
QString general(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

// The counts of the results the filter selects, read in one go.
struct Walked
{
    int games = 0;
    int homeWins = 0;
    int awayWins = 0;
    int draws = 0;
    int over = 0;
};

Walked walk(TableView& results, const QString& filter)
{
    results.setFilterText(filter);
    results.setFiltered(true);
    Walked w;
    for (const QVariantList& goals : results.listValues({QStringLiteral("Goal1"), QStringLiteral("Goal2")})) {
        const int g1 = goals[0].toInt(); // an empty goal field reads 0
        const int g2 = goals[1].toInt();
        ++w.games;
        if (g1 > g2)
            ++w.homeWins;
        else if (g1 < g2)
            ++w.awayWins;
        else
            ++w.draws;
        if (g1 + g2 > 2)
            ++w.over;
    }
    return w;
}

SetCounts side(const Walked& w, bool homeSide)
{
    return {w.games, homeSide ? w.homeWins : w.awayWins, w.draws, w.over};
}

} // namespace

QString baseCaption(Base base)
{
    return base == Base::Intramural ? QStringLiteral("Intramural games") : QStringLiteral("All games");
}

void SetCounts::add(int goal1, int goal2, bool homeSide)
{
    ++games;
    if (homeSide ? goal1 > goal2 : goal2 > goal1)
        ++wins;
    if (goal1 == goal2)
        ++draws;
    if (goal1 + goal2 > 2)
        ++over;
}

Forecast forecast(Base base, const Tally& tally)
{
    Forecast fc;
    const SetCounts& home = tally.home;
    const SetCounts& away = tally.away;
    if (home.games < kMinimumGames || away.games < kMinimumGames)
        return fc;
    fc.ph1 = static_cast<double>(home.wins) / home.games;
    fc.ph2 = static_cast<double>(away.wins) / away.games;
    const double draws = home.draws + away.draws;
    const double meanGames = (home.games + away.games) / 2.0;
    // "All games" divides the sum of the draws by the mean number of games, so its draw
    // value is twice the pooled draw rate of the two sets.
    fc.ph3 = base == Base::Intramural ? (draws / 2.0) / meanGames : draws / meanGames;
    const double third = 1.0 / 3.0;
    fc.pa = third * fc.ph1 + third * fc.ph2 + third * fc.ph3;
    if (fc.pa == 0) // nothing won or drawn on either side: the shares would be 0 / 0
        return fc;
    fc.enough = true;
    Outcome& o = fc.outcome;
    o.win1 = third * fc.ph1 / fc.pa * 100;
    o.draw = third * fc.ph3 / fc.pa * 100;
    o.win2 = third * fc.ph2 / fc.pa * 100;
    if (base == Base::Intramural) {
        const double overShare = home.over * 100.0 / home.games;
        o.over = overShare;
        o.under = 100 - overShare;
    } else {
        const double games = home.games + away.games;
        const double r = (home.over + away.over) / games;
        const double s = ((home.games - home.over) + (away.games - away.over)) / games;
        o.over = 0.5 * r / (0.5 * r + 0.5 * s) * 100;
        o.under = 0.5 * s / (0.5 * r + 0.5 * s) * 100;
    }
    return fc;
}

QString insufficientDataMessage()
{
    return QStringLiteral("Insufficiently data for formation of prediction");
}

QString insufficientDataCaption()
{
    return QStringLiteral("Insufficiently data");
}

Texts texts(Base base, const QString& team1, const QString& team2, const Tally& tally, const Forecast& fc)
{
    const QChar br = kLineBreak;
    const QString rule12 = QStringLiteral("------------");
    const SetCounts& home = tally.home;
    const SetCounts& away = tally.away;
    Texts t;

    QString& counts = t.counts;
    counts = QStringLiteral("Home games ") + team1 + QStringLiteral(": ") + QString::number(home.games);
    if (home.games >= kMinimumGames) {
        counts += br + QStringLiteral("Home wins ") + team1 + QStringLiteral(": ") + QString::number(home.wins);
        counts += br + QStringLiteral("Home draws ") + team1 + QStringLiteral(": ") + QString::number(home.draws);
    }
    counts += br + rule12;
    counts += br + QStringLiteral("Away games ") + team2 + QStringLiteral(": ") + QString::number(away.games);
    if (away.games >= kMinimumGames) {
        counts += br + QStringLiteral("Away wins ") + team2 + QStringLiteral(": ") + QString::number(away.wins);
        counts += br + QStringLiteral("Away draws ") + team2 + QStringLiteral(": ") + QString::number(away.draws);
    }
    if (!fc.enough) {
        t.prediction = insufficientDataCaption();
        return t;
    }

    t.diagnostics = QStringLiteral("PH1(A): ") + general(fc.ph1) + br + QStringLiteral("PH2(A): ") + general(fc.ph2) +
                    br + QStringLiteral("PH3(A): ") + general(fc.ph3) + br + QStringLiteral("PA: ") + general(fc.pa);

    const Outcome& o = fc.outcome;
    QString& prediction = t.prediction;
    prediction = QStringLiteral("Win ") + team1 + QStringLiteral(": ") + f(o.win1) + QLatin1Char('%') + br +
                 QStringLiteral("Draw: ") + f(o.draw) + QLatin1Char('%') + br + QStringLiteral("Win ") + team2 +
                 QStringLiteral(": ") + f(o.win2) + QLatin1Char('%');
    counts += br + rule12 + br;
    prediction += br + QStringLiteral("--------") + br;
    if (base == Base::Intramural) {
        counts += QStringLiteral("Over 2.5 goals :") + QString::number(home.over) + br +
                  QStringLiteral("Under 2.5 goals :") + QString::number(home.games - home.over) + br;
        prediction += QStringLiteral("Over (2.5): ") + f(o.over) + QLatin1Char('%') + br +
                      QStringLiteral("Under (2.5): ") + f(o.under) + QLatin1Char('%');
    } else {
        counts += QStringLiteral("Home games ") + team1 + QStringLiteral(" > 2.5 goals : ") +
                  QString::number(home.over) + br + QStringLiteral("Away games ") + team2 +
                  QStringLiteral(" > 2.5 goals : ") + QString::number(away.over) + br;
        prediction += QStringLiteral(" Over (2.5): ") + f(o.over) + QLatin1Char('%') + br +
                      QStringLiteral("Under (2.5): ") + f(o.under) + QLatin1Char('%') + br;
    }
    return t;
}

Result predict(TDataModule1& module, const QString& team1, const QString& team2, Base base)
{
    TableView& results = *module.TableSortRes;
    ViewBorrow borrow(results);
    borrow.filter();
    const QString division = module.TableDivision->asString(QStringLiteral("Code"));
    Result r;
    if (base == Base::Intramural) {
        // Both sets are the games in which Team 1 hosted Team 2: one walk counts both sides.
        const Walked pair = walk(results, FilterForms::pairInDivision(division, team1, team2));
        r.tally = {side(pair, true), side(pair, false)};
    } else {
        const Walked home = walk(results, FilterForms::homeGamesInDivision(division, team1));
        const Walked away = walk(results, FilterForms::awayGamesInDivision(division, team2));
        r.tally = {side(home, true), side(away, false)};
    }
    r.forecast = forecast(base, r.tally);
    r.texts = texts(base, team1, team2, r.tally, r.forecast);
    return r;
}

} // namespace Prediction
