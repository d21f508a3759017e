#pragma once

#include "referenceeditor.h"

#include <functional>

class QPushButton;
class DBGrid;

// The stadium editor: the stadiums of the chosen country with their four photos. Opened
// modally from the editing menu, or from the team editor to pick a team's stadium: then a
// double click in the grid gives the team that stadium (the pick hook) and closes the
// editor.
class TStadiumEdit : public ReferenceEditor
{
    Q_OBJECT

public:
    explicit TStadiumEdit(QWidget* parent = nullptr);
    ~TStadiumEdit() override;

    // What a double click in the grid does; the team editor installs it.
    void setStadiumPick(std::function<void()> pick) { m_pick = std::move(pick); }
    // Closes the editor once the event at hand has been handled.
    void askToClose();

    // --- handlers ---
    void ToolButton6Click();          // the stadium search
    void DeletePhotoClick(int photo); // Button1Click ... Button4Click: "Удалить" beside "Фото1" ... "Фото4"
    void DBGrid1DblClick();

    // --- controls ---
    QLabel* Label1;
    DBLookupComboBox* DBLookupComboBox1;
    DBGrid* DBGrid1;
    DBImage* DBImage1;
    DBImage* DBImage2;
    DBImage* DBImage3;
    DBImage* DBImage4;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;

protected:
    TableView& editedView() override;
    void bindControls() override;

private:
    std::function<void()> m_pick;
};

// The one stadium editor of the program; null before it is made.
extern TStadiumEdit* StadiumEdit;
