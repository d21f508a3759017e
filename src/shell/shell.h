#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

class HelpWindow;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class TPrompt;
enum class ReportOutput;

// The application shell: makes every window of the program once, in a fixed order, owns
// the main window's menu bar, greets the user with the splash and the information window
// when the main window first appears, and ends the program when the main window closes.
class Shell : public QObject
{
    Q_OBJECT

public:
    Shell();
    ~Shell() override;

    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // Makes the windows in the order of the window set, with the main window's frame and
    // menu bar. An error while the data module opens its views is shown and start-up goes
    // on. Throws AppError when a window cannot be made at all.
    void start();

    // Shows the main window (greeting first) and runs the event loop until the main window
    // is closed. Returns the loop's exit code.
    int run();

    // The class names of the windows made by start(), in the order they were made.
    const QStringList& createdWindows() const { return m_created; }

    // The menu bar of the main window and its menus and entries.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* N1 = nullptr;    // File
    QMenu* N3 = nullptr;    // View
    QMenu* N6 = nullptr;    // Редактировать, hidden
    QMenu* N12 = nullptr;   // Help
    QAction* N16 = nullptr; // Print options...
    QAction* N20 = nullptr; // Print preview...
    QAction* N21 = nullptr; // Export to PDF...
    QAction* N15 = nullptr; // Print
    QAction* N2 = nullptr;
    QAction* N4 = nullptr;
    QAction* N5 = nullptr;
    QAction* N17 = nullptr;
    QAction* N18 = nullptr;
    QAction* N19 = nullptr;
    QAction* N7 = nullptr;
    QAction* N8 = nullptr;
    QAction* N9 = nullptr;
    QAction* N10 = nullptr;
    QAction* N11 = nullptr;
    QAction* N13 = nullptr;
    QAction* N14 = nullptr;

    // Menu commands.
    void N15Click(); // Print: the main window's Print button
    void N16Click(); // Print options...: the results report's printer set-up
    void N20Click(); // Print preview... of the results report
    void N21Click(); // Export to PDF...: the results report as a PDF file
    void N2Click();  // Exit
    void N5Click();  // League table
    void N18Click(); // Notes
    void N13Click(); // Help
    void N17Click(); // Competitions statistics
    void N19Click(); // Prediction
    void N11Click(); // Турнирная таблица: the season table editor
    void N4Click();  // Teams
    void N14Click(); // About...
    void N7Click();  // Страны
    void N8Click();  // Дивизион
    void N9Click();  // Стадионы
    void N10Click(); // Команды

    // The league table viewer's Print (and its preview and PDF): the season as the viewer
    // shows it, under the main window's caption; parent is the window the dialogs belong to.
    void printTable(ReportOutput output, QWidget* parent);

    // Shows a page of the help in the working directory's folder Help; an error box when
    // the folder has no such page.
    void showHelp(const QString& page);

    // The help window; null until help has been asked for.
    HelpWindow* helpWindow() const { return m_help.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeMain();
    void makeDataModule();
    void makeTurTable();
    void makeTeamResults();
    void makeStatistic();
    void makeTurTableEdit();
    void makePrediction();
    void makePredictionExport();
    void makeNotice();
    void makePrompt();
    void makeReportResults();
    void makeCountryEdit();
    void makeDivisionEdit();
    void makeStadiumEdit();
    void makeTeamEdit();
    void makeTeam();
    void makeFullSize();
    void makeAbout();
    void makeReportTable();
    void makeInfo();

    void buildMainMenu();
    void greet();
    void endIfMainClosed();

    // The windows made at start-up, in the order made; released in the reverse order.
    std::vector<std::unique_ptr<QObject>> m_windows;
    QStringList m_created;
    // The splash destroys itself when it closes.
    QPointer<TPrompt> m_prompt;
    std::unique_ptr<HelpWindow> m_help;
    bool m_greeted = false;
};
