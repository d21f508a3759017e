#pragma once

#include "window.h"

#include <QDialog>

class QLabel;
class DBEdit;
class DBGrid;
class DBImage;
class DBLookupComboBox;
class DBText;
class StringGrid;

// The teams browser: the teams of a competition with each team's emblem, its stadium with
// name, capacity and four photos, and the team's season history. Opened modally from
// View > "Teams", or from the league table viewer's team panel (showForPanelTeam), where it
// shows the team the viewer filtered the sorted teams view to. It keeps no data of its own:
// everything it shows is a current record of the shared views.
class TTeam : public Window<QDialog>
{
    Q_OBJECT

public:
    explicit TTeam(QWidget* parent = nullptr);
    ~TTeam() override;

    // Binds the choosers and pictures to the data module DataModule1. Once only; showing
    // the window calls it when the data module exists by then.
    void connectDataModule();

    // Shows the browser modally as the league table viewer's team panel opens it: both
    // choosers blank, the teams grid on TableSortTeam as the viewer filtered it, and the
    // season history of its team.
    void showForPanelTeam();

    // The thumbnail (1 to 4) that has the window's input focus; 0 when none has.
    int focusedThumbnail() const;

    // --- handlers ---
    void FormShow();
    void FormClose();
    void DBLookupComboBox1CloseUp(); // a country chosen
    void DBLookupComboBox2CloseUp(); // a competition chosen
    void DBGrid1CellClick();         // a team selected, by the mouse or a key
    void DBImage3Click(int thumbnail);
    // The season history of the current team of TableSortTeam.
    void ShowTeamSeasons();

    // --- controls ---
    QLabel* Label1;
    DBLookupComboBox* DBLookupComboBox1;
    QLabel* Label2;
    DBLookupComboBox* DBLookupComboBox2;
    DBImage* DBImage1;
    DBImage* DBImage2;
    DBGrid* DBGrid1;
    DBImage* DBImage7;
    QLabel* Label3;
    DBEdit* DBEdit1;
    QLabel* Label4;
    DBText* DBText1;
    DBImage* DBImage3;
    DBImage* DBImage4;
    DBImage* DBImage5;
    DBImage* DBImage6;
    StringGrid* StringGrid1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    void done(int result) override;

private:
    DBImage* thumbnail(int n) const;

    bool m_connected = false;
    bool m_fromPanel = false;
};

// The one teams browser of the program; null before it is made.
extern TTeam* TeamWindow;
