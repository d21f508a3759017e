#pragma once

#include "referenceeditor.h"

class QPushButton;
class DBGrid;

// The team editor: the teams of the chosen competition with their emblems. The Stadium
// cell's ellipsis opens the stadium editor on the team's stadium, where a double click
// gives the team the stadium there (StadiumPicked). The "!" button, never shown, fills the
// team codes of the current competition's league tables (TeamCodes).
class TTeamEdit : public ReferenceEditor
{
    Q_OBJECT

public:
    explicit TTeamEdit(QWidget* parent = nullptr);
    ~TTeamEdit() override;

    // --- handlers ---
    void DBLookupComboBox2CloseUp(); // the count label
    void ToolButton6Click();         // the team search
    void DBGrid1EditButtonClick();   // the Stadium cell's ellipsis: the stadium choice
    void Button1Click();             // "Удалить" under "Логотип"
    void Button2Click();             // "!"
    // A double click in the stadium editor: while this editor is showing, the current team
    // gets the current stadium, the stadium editor closes and the team is posted.
    void StadiumPicked();

    // --- controls ---
    QLabel* Label1;
    DBLookupComboBox* DBLookupComboBox1;
    QLabel* Label2;
    DBLookupComboBox* DBLookupComboBox2;
    DBGrid* DBGrid1;
    QLabel* Label3;
    DBImage* DBImage1;
    QPushButton* Button1;
    QLabel* Label4;
    QPushButton* Button2;

protected:
    TableView& editedView() override;
    void bindControls() override;
    void resizeEvent(QResizeEvent* event) override;
};

// The one team editor of the program; null before it is made.
extern TTeamEdit* TeamEdit;
