#pragma once

#include "window.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QToolBar;
class QToolButton;
class DBGrid;
class DBImage;
class DBLookupComboBox;
class DBMemo;
class Shape;

// The season table editor: the seasons of a competition are created, dated and annotated
// here, and each season's league table is filled from the results, counted again after
// further results and corrected by hand. Opened modally from the hidden editing menu
// ("Редактировать" > "Турнирная таблица"). It owns no data: its choosers and grids work on
// the shared views, so it shows whatever country, competition and season are current.
// The counting itself is SeasonTable's.
class TTurTableEdit : public Window<QDialog>
{
    Q_OBJECT

public:
    explicit TTurTableEdit(QWidget* parent = nullptr);
    ~TTurTableEdit() override;

    // Binds the choosers, pictures, note and grids to the data module DataModule1. Once
    // only; showing the window calls it when the data module exists by then.
    void connectDataModule();

    // Closing the editor switches the results filter off.
    void done(int result) override;

    // --- handlers ---
    void DBLookupComboBox2CloseUp(); // the country chooser closed
    void ToolButton1Click();         // "Добавить": a new season
    void ToolButton2Click();         // "Удалить": the season deleted at once
    void ToolButton4Click();         // "Подтвердить изменения": the season saved
    void Button1Click();             // "Заполнить": the fill
    void BitBtn1Click();             // "Обновить": the refresh
    void Button3Click();             // "Принять": the table row saved
    void Button2Click();             // "Удалить": the table row deleted at once

    // --- controls ---
    Shape* Shape1;
    QLabel* Label1;
    DBLookupComboBox* DBLookupComboBox2;
    QLabel* Label2;
    DBLookupComboBox* DBLookupComboBox1;
    DBImage* DBImage1;
    DBImage* DBImage2;
    QLabel* Label3;
    DBMemo* DBMemo1;
    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton4;
    QLabel* Label4;
    DBGrid* DBGrid1;
    QLabel* Label5;
    QPushButton* Button1;
    QPushButton* BitBtn1;
    QPushButton* Button3;
    QPushButton* Button2;
    DBGrid* DBGrid2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_connected = false;
};

// The one season table editor of the program; null before it is made.
extern TTurTableEdit* TurTableEdit;
