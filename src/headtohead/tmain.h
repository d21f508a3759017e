#pragma once

#include "tablestore.h"
#include "window.h"

#include <QMainWindow>
#include <functional>

class QCheckBox;
class QLabel;
class QPainter;
class QPushButton;
class QToolButton;
class DBImage;
class DBLookupComboBox;
class Gauge;
class Shape;
class SortedComboBox;
class StringGrid;
class TextLabel;

// The main window: the choice of country, competition and two teams, and their
// head-to-head record. It owns the database connection Database1 on the working
// directory's folder Table, opened while the window is made.
//
// The window is made before the data module. Its choosers and pictures are bound to the
// data module's views by connectDataModule(), which the start-up calls once the data
// module has opened its views; if it has not been called when the window is first shown
// and the data module exists by then, showing the window calls it.
//
// Other windows and the shell hear from it through its signals and use the hooks it
// offers; none of them writes its members.
class TMain : public Window<QMainWindow>
{
    Q_OBJECT

public:
    explicit TMain(QWidget* parent = nullptr);
    ~TMain() override;

    TableStore Database1;

    // Binds the choosers and the flag and emblem to the data module DataModule1. Once only.
    void connectDataModule();
    bool isDataModuleConnected() const { return m_connected; }

    // --- offered to other windows ---
    // Turns "Show statistics" off, so that a competition must be chosen here before the
    // next run (the league table window calls it when it changes country or competition).
    void disableShowStatistics();
    // Detaches the country chooser from its list, and attaches it again. Attaching reads
    // the list anew and looks up the country the chooser showed: if found, that country
    // becomes the current country again (and with it the competitions of that country);
    // if not, the chooser shows nothing.
    void detachCountryChooser();
    void attachCountryChooser();

    // Installs the command that prints the results report (the report itself comes with
    // its own window). Until one is installed the Print button tells that printing is
    // not available, and printEnabledChanged is not emitted, so that the File menu's
    // "Print" stays as the menu bar made it.
    void setResultsPrinter(std::function<void()> print);
    bool printingAvailable() const { return static_cast<bool>(m_printResults); }

    // --- handlers ---
    void DBLookupComboBox2CloseUp(); // country chosen
    void DBLookupComboBox1CloseUp(); // competition chosen
    void Button1Click();             // "Show statistics"
    void StringGrid1DrawCell(QPainter& painter, int col, int row, const QRect& rect, bool selected);
    void SpeedButton1Click(); // Print
    void SpeedButton2Click(); // Add to note

    // The statistics text as composed, with its carriage returns.
    QString statisticsText() const;

    // --- controls ---
    Shape* Shape1;
    QLabel* Label2;
    DBLookupComboBox* DBLookupComboBox2;
    QLabel* Label1;
    DBLookupComboBox* DBLookupComboBox1;
    DBImage* DBImage1;
    DBImage* DBImage2;
    Shape* Shape2;
    TextLabel* Label7;
    QLabel* Label4;
    SortedComboBox* ComboBox1;
    QLabel* Label5;
    SortedComboBox* ComboBox2;
    QPushButton* Button1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    TextLabel* Label6;
    QLabel* Label3;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    Gauge* Gauge1;
    StringGrid* StringGrid1;

signals:
    // A country has been chosen here: the league table window detaches its country
    // chooser from its list (it attaches it again when it is shown).
    void countryChosen();
    // The Print button has been enabled or disabled; the File menu's "Print" follows it.
    void printEnabledChanged(bool enabled);
    // "Add to note": these lines go to the end of the notes, and the notes window comes to
    // the front.
    void addToNotes(const QStringList& lines);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool openDatabase();
    void buildControls();
    void arrangeControls();
    void setPrintEnabled(bool enabled);

    QWidget* m_client = nullptr;
    bool m_connected = false;
    bool m_shownOnce = false;
    std::function<void()> m_printResults;
};

// The one main window of the program; null before it is made.
extern TMain* Main;
