#pragma once

#include "headtohead.h"
#include "viewborrow.h"

#include <QString>
#include <QStringList>
#include <functional>

class TDataModule1;
class TableView;

// What the main window reads from the shared views when a competition is chosen and when
// "Show statistics" is pressed, apart from the controls that show it, so that every
// caller (the window, the command line) reads the same records in the same way.

// The current competition's teams and the period of its results.
namespace CompetitionChoice {

// The team labels of the current competition, walking TableTeam from its first record.
QStringList teamLabels(TDataModule1& module);

struct Period
{
    int matches = 0;
    QString earliest; // the date text of the earliest result; empty when it has no date
    QString latest;
};

// The number of the current competition's results and the dates of the earliest and the
// latest. The competition filter is set on TableSortRes and switched off again, also when
// the reading stops on an error (an empty competition code is refused by the filter).
Period period(TDataModule1& module);

// "Country - Competition - n matches - Statistics for the period since E to L", with "?"
// for both dates when neither is known.
QString statusLine(const QString& country, const QString& competition, const Period& period);

} // namespace CompetitionChoice

// One head-to-head run over TableSortRes: making it sets the pair filter (a refused filter
// throws before anything else happens), and the view's filter is as it was when it ends.
class HeadToHeadQuery
{
public:
    // team1/team2 are labels; saveOrder keeps T1 at home and T2 away; allCompetitions
    // reads the pair's matches in every competition instead of the current one.
    HeadToHeadQuery(TDataModule1& module, const QString& team1, const QString& team2, bool saveOrder,
                    bool allCompetitions);
    ~HeadToHeadQuery();
    HeadToHeadQuery(const HeadToHeadQuery&) = delete;
    HeadToHeadQuery& operator=(const HeadToHeadQuery&) = delete;

    // The filter expression for a pair; division is the number text of a competition code.
    static QString pairFilter(const QString& division, const QString& team1, const QString& team2, bool saveOrder,
                              bool allCompetitions);

    int matchCount();

    // One match as the results grid shows it: numbered from the oldest (1) to the newest.
    struct Match
    {
        int number = 0;
        QString date;
        QString home;
        QString away;
        QString score;
    };

    // Reads the matches newest first and counts them. onMatch, when given, hears each
    // match with the progress after it in whole percent.
    HeadToHead read(const std::function<void(const Match&, int percent)>& onMatch = {});

private:
    TableView* m_results;
    ViewBorrow m_borrowed;
    QString m_team1;
    QString m_team2;
};
