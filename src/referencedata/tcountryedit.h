#pragma once

#include "referenceeditor.h"

class QPushButton;
class DBGrid;

// The country editor: the countries with their flags and emblems.
class TCountryEdit : public ReferenceEditor
{
    Q_OBJECT

public:
    explicit TCountryEdit(QWidget* parent = nullptr);
    ~TCountryEdit() override;

    void Button1Click(); // "Редактировать запись"

    DBGrid* DBGrid1;
    QLabel* Label1;
    DBImage* DBImage1;
    QLabel* Label2;
    DBImage* DBImage2;
    QPushButton* Button1;

protected:
    TableView& editedView() override;
    void bindControls() override;
};

// The division editor: the competitions of the chosen country.
class TDivisionEdit : public ReferenceEditor
{
    Q_OBJECT

public:
    explicit TDivisionEdit(QWidget* parent = nullptr);
    ~TDivisionEdit() override;

    QLabel* Label1;
    DBLookupComboBox* DBLookupComboBox1;
    DBGrid* DBGrid1;

protected:
    TableView& editedView() override;
    void bindControls() override;
    void resizeEvent(QResizeEvent* event) override;
};

// The one country editor and the one division editor of the program; null before made.
extern TCountryEdit* CountryEdit;
extern TDivisionEdit* DivisionEdit;
