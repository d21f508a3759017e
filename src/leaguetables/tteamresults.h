#pragma once

#include "window.h"

#include <QDialog>

class QPainter;
class StringGrid;

// The team games window: the games of the league table viewer's selected team in its
// chosen season, the team's name bold, green where it won and red where it lost, every
// second line shaded. The list is made anew each time the window is shown; while it is
// open the results of the current competition stay filtered to the team's games.
class TTeamResults : public Window<QDialog>
{
    Q_OBJECT

public:
    explicit TTeamResults(QWidget* parent = nullptr);
    ~TTeamResults() override;

    // Shows the window modally for the team of TableSortDet's current row in the current
    // season; season is the name the viewer's season chooser shows, for the title.
    void showGames(const QString& season);

    // The team whose games are listed.
    const QString& team() const { return m_team; }

    void done(int result) override;

    // --- handlers ---
    void FormShow();
    void FormClose();
    void StringGrid1DrawCell(QPainter& painter, int col, int row, const QRect& rect, bool selected);

    // --- controls ---
    StringGrid* StringGrid1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_season;
    QString m_team;
};

// The one team games window of the program; null before it is made.
extern TTeamResults* TeamResults;
