#pragma once

#include "window.h"

#include <QDialog>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class DBEdit;
class DBGrid;
class DBImage;
class DBLookupComboBox;
class DBMemo;
class DBText;
class Shape;

// The league table viewer: the table of one season of one competition, ranked when the
// season is chosen (SeasonTable::rank stores the positions), with the selected team's
// emblem in a panel and its games of the season in the team games window. Opened modally
// from View > "League table"; its choosers remember their choices between showings.
//
// It reaches other windows only through its signals and the commands installed in it:
// the shell makes the main window's country chooser and "Show statistics" follow it.
class TTurTable : public Window<QDialog>
{
    Q_OBJECT

public:
    explicit TTurTable(QWidget* parent = nullptr);
    ~TTurTable() override;

    // Binds the choosers, pictures and fields to the data module DataModule1. Once only;
    // showing the window calls it when the data module exists by then.
    void connectDataModule();

    // The commands of "Print", "Print preview", "Export to PDF", "Export to Excel" and of a
    // click on the team panel (the teams browser, for the team the panel shows). Until one
    // is installed, its command tells that it is not available yet.
    void setPrinter(std::function<void()> print) { m_print = std::move(print); }
    void setPreviewer(std::function<void()> preview) { m_preview = std::move(preview); }
    void setPdfExporter(std::function<void()> exporter) { m_pdf = std::move(exporter); }
    void setExcelExporter(std::function<void()> exporter) { m_export = std::move(exporter); }
    void setTeamBrowser(std::function<void()> browser) { m_teamBrowser = std::move(browser); }

    // Detaches the country chooser from its list; showing the window attaches it again
    // (another window has made another country current meanwhile).
    void detachCountryChooser();

    void done(int result) override;

    // --- handlers ---
    void FormShow();
    void FormClose();
    void DBLookupComboBox2CloseUp(); // country chosen
    void DBLookupComboBox1CloseUp(); // competition chosen
    void DBLookupComboBox3CloseUp(); // season chosen: the ranking
    void ToolButton1Click();         // "Team info"
    void ToolButton2Click();         // "Show games"
    void ToolButton4Click();         // "Print"
    void ToolButton5Click();         // "Export to Excel"
    void ToolButton6Click();         // "Print preview"
    void ToolButton7Click();         // "Export to PDF"
    void DBGrid1CellClick();
    void DBGrid1KeyUp();
    void DBText1Click(); // the team panel's name or emblem

    // --- controls ---
    Shape* Shape1;
    QLabel* Label1;
    DBLookupComboBox* DBLookupComboBox2;
    QLabel* Label2;
    DBLookupComboBox* DBLookupComboBox1;
    QLabel* Label3;
    DBLookupComboBox* DBLookupComboBox3;
    DBEdit* DBEdit1;
    QLabel* Label4;
    DBEdit* DBEdit2;
    DBImage* DBImage1;
    DBImage* DBImage2;
    DBMemo* DBMemo1;
    QToolBar* ToolBar1;
    QToolButton* ToolButton4;
    QToolButton* ToolButton5;
    QToolButton* ToolButton6;
    QToolButton* ToolButton7;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    DBGrid* DBGrid1;
    QMenu* PopupMenu1;
    QAction* N1; // "Team info"
    QAction* N2; // "Show games"
    QFrame* Panel1;
    DBImage* DBImage3;
    DBText* DBText1;

signals:
    // A country has been chosen here: the main window's country chooser lets go of its
    // country, and its "Show statistics" waits for a competition chosen there.
    void countryChosen();
    // A competition has been chosen here.
    void competitionChosen();
    // The window has closed: the main window's country chooser takes its country back.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void attachRows(bool attach);
    void followRow();
    bool showsRows() const;

    bool m_connected = false;
    std::function<void()> m_print;
    std::function<void()> m_preview;
    std::function<void()> m_pdf;
    std::function<void()> m_export;
    std::function<void()> m_teamBrowser;
};

// The one league table viewer of the program; null before it is made.
extern TTurTable* TurTable;
