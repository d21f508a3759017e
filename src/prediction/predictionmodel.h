#pragma once

#include <QString>

class TDataModule1;

// The prediction of a coming match of one competition, Team 1 at home and Team 2 away,
// from the stored results: the shares of a home win, a draw and an away win, and of a
// match with more or fewer than 2.5 goals. The prediction window, the command line and
// the backtest all compute through here.
namespace Prediction {

// What the estimate is based on.
enum class Base
{
    Intramural, // the earlier games in which Team 1 hosted Team 2
    AllGames    // every home game of Team 1 and every away game of Team 2
};

// "Intramural games" or "All games": the caption of the base's radio button.
QString baseCaption(Base base);

// The counts of one set of results. For the home set a win is a home win; for the away
// set it is an away win.
struct SetCounts
{
    int games = 0;
    int wins = 0;
    int draws = 0;
    int over = 0; // results with more than 2.5 goals

    void add(int goal1, int goal2, bool homeSide);
};

// The counts behind one prediction. With "Intramural games" both sets are the pair's
// games, so home and away hold the same numbers (the away wins being Team 2's wins).
struct Tally
{
    SetCounts home;
    SetCounts away;
};

// The last prediction, each a percentage from 0 to 100; all 0 when there was too little
// data.
struct Outcome
{
    double win1 = 0;
    double draw = 0;
    double win2 = 0;
    double over = 0;
    double under = 0;
};

// A set is used only with more than 3 games.
constexpr int kMinimumGames = 4;

struct Forecast
{
    // False when either set has fewer than 4 games, or when nothing was won or drawn on
    // either side (PA = 0, which leaves the shares undefined): too little data.
    bool enough = false;
    double ph1 = 0; // PH1(A): home wins / home games
    double ph2 = 0; // PH2(A): away wins / away games
    double ph3 = 0; // PH3(A): the draw value of the base
    double pa = 0;  // PA: the weighted sum of the three
    Outcome outcome;
};

Forecast forecast(Base base, const Tally& tally);

// The texts the prediction window shows.
struct Texts
{
    QString counts;      // the counts behind the prediction (Label3)
    QString prediction;  // the five shares, or "Insufficiently data" (Label8)
    QString diagnostics; // PH1(A), PH2(A), PH3(A) and PA; empty with too little data (Label6)
};

// Lines are separated by carriage returns (character 13) alone.
Texts texts(Base base, const QString& team1, const QString& team2, const Tally& tally, const Forecast& forecast);

QString insufficientDataMessage(); // "Insufficiently data for formation of prediction"
QString insufficientDataCaption(); // "Insufficiently data"

struct Result
{
    Tally tally;
    Forecast forecast;
    Texts texts;
};

// Predicts from the current competition's results (its code is TableDivision's Code),
// read through TableSortRes with the filters of the base. The filter is switched off
// again on every path.
Result predict(TDataModule1& module, const QString& team1, const QString& team2, Base base);

} // namespace Prediction
