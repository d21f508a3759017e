#pragma once

#include "predictionmodel.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// How well the prediction model would have done: it is replayed over a competition's
// results in date order, each match predicted from the results dated before it only, and
// the shares it gave are scored against what happened. The counts are kept up to date
// match day by match day, so a replay reads the results once.
namespace Backtest {

// One result as the replay takes it.
struct Match
{
    QDate date;
    QString home;
    QString away;
    int goal1 = 0;
    int goal2 = 0;
};

// Scores summed over the predicted matches; the means divide by `matches`.
//
// For the three outcomes (home win, draw, away win) with shares p and what happened o (1
// for the outcome that happened, else 0): the ranked probability score is
// ((p1 - o1)^2 + (p1 + p2 - o1 - o2)^2) / 2, the Brier score the sum over the outcomes of
// (p - o)^2, the log loss -ln of the share of what happened (floored at 0.001), and a hit
// is a match whose greatest share (the first of equal ones) is what happened. For over and
// under 2.5 goals the same with two outcomes: over first, then under.
struct Scores
{
    int matches = 0;
    double rps = 0;
    double brier = 0;
    double logLoss = 0;
    int hits = 0;

    // Scores one match: shares in percent, in the order of the outcomes; actual is the
    // index of what happened.
    void add(const std::vector<double>& percentages, int actual);

    double meanRps() const { return matches ? rps / matches : 0; }
    double meanBrier() const { return matches ? brier / matches : 0; }
    double meanLogLoss() const { return matches ? logLoss / matches : 0; }
    double hitRate() const { return matches ? static_cast<double>(hits) / matches : 0; }
};

// Shares below this count as it in the log loss, so that a single sure miss does not make
// the mean infinite.
constexpr double kProbabilityFloor = 0.001;

struct Report
{
    int matches = 0;       // results replayed (those with a date)
    int scored = 0;        // of them from the first day scored on
    int predicted = 0;     // scored matches the model gave a prediction for
    int tooLittleData = 0; // scored matches with too little data before them
    Scores outcome;        // home win, draw, away win
    Scores goals;          // over and under 2.5 goals
    // The same matches scored with the shares of home wins, draws and away wins of all of
    // the competition's earlier results: what the model has to beat.
    Scores baseline;
};

// Replays the model over the matches, which must be in date order. Matches before
// scoreFrom (when valid) are not scored, but count for the matches after them.
// onForecast, when given, hears every scored match with the model's forecast for it.
Report replay(const std::vector<Match>& matches, Prediction::Base base, const QDate& scoreFrom = QDate(),
              const std::function<void(const Match&, const Prediction::Forecast&)>& onForecast = {});

// The current competition's results with a date, in date order, read through
// TableResults (detail of the current competition).
std::vector<Match> competitionMatches(TDataModule1& module);

// The report's lines, numbers in the C locale with four decimals.
QStringList reportLines(const Report& report);

} // namespace Backtest
