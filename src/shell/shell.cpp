#include "shell.h"

#include "apperror.h"
#include "competitionsexport.h"
#include "datamodule.h"
#include "dialogs.h"
#include "helpwindow.h"
#include "leaguetableexport.h"
#include "predictionsexport.h"
#include "show.h"
#include "sortedcombobox.h"
#include "tabout.h"
#include "tcountryedit.h"
#include "tfullsize.h"
#include "tinfo.h"
#include "tmain.h"
#include "tnotice.h"
#include "tprediction.h"
#include "tpredictionexport.h"
#include "tprompt.h"
#include "treportresults.h"
#include "treporttable.h"
#include "tstadiumedit.h"
#include "tstatistic.h"
#include "tteam.h"
#include "tteamedit.h"
#include "tteamresults.h"
#include "tturtable.h"
#include "tturtableedit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace {

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// The main window's pair and statistics text, printed by the results report to the output.
void printResults(TReportResults::Output output)
{
    if (!ReportResults || !Main)
        return;
    ResultsReport::Texts texts;
    texts.team1 = Main->ComboBox1->currentText();
    texts.team2 = Main->ComboBox2->currentText();
    texts.statistics = Main->statisticsText();
    texts.caption = Main->windowTitle();
    texts.captionColour = ReportItems::titleBarColour();
    ReportResults->print(texts, output, Main);
}

} // namespace

Shell::Shell() = default;

Shell::~Shell()
{
    m_help.reset();
    delete m_prompt.data();
    while (!m_windows.empty())
        m_windows.pop_back();
}

void Shell::start()
{
    // The program ends when its main window closes, whatever other window is open then
    // (the notes, the help), so the shell decides that, not the count of open windows.
    QApplication::setQuitOnLastWindowClosed(false);

    struct WindowSlot
    {
        const char* className;
        void (Shell::*make)(); // null: the window is not part of the program yet
    };
    // The window set in the order the windows are made. The main window comes first, as it
    // opens the database connection that the data module's views open on; the splash's
    // timer runs from its making here, not from its showing.
    static constexpr WindowSlot windowSet[] = {
        {"TMain", &Shell::makeMain},
        {"TCountryEdit", &Shell::makeCountryEdit},
        {"TDataModule1", &Shell::makeDataModule},
        {"TDivisionEdit", &Shell::makeDivisionEdit},
        {"TStadiumEdit", &Shell::makeStadiumEdit},
        {"TTeamEdit", &Shell::makeTeamEdit},
        {"TTeam", &Shell::makeTeam},
        {"TFullSize", &Shell::makeFullSize},
        {"TTurTableEdit", &Shell::makeTurTableEdit},
        {"TTurTable", &Shell::makeTurTable},
        {"TTeamResults", &Shell::makeTeamResults},
        {"TReportResults", &Shell::makeReportResults},
        {"TReportTable", &Shell::makeReportTable},
        {"TAbout", &Shell::makeAbout},
        {"TStatistic", &Shell::makeStatistic},
        {"TNotice", &Shell::makeNotice},
        {"TPrompt", &Shell::makePrompt},
        {"TPrediction", &Shell::makePrediction},
        {"TPredictionExport", &Shell::makePredictionExport},
        {"TInfo", &Shell::makeInfo},
    };
    for (const WindowSlot& slot : windowSet) {
        if (!slot.make)
            continue;
        (this->*slot.make)();
        m_created << QString::fromLatin1(slot.className);
    }
}

int Shell::run()
{
    QTimer::singleShot(0, Main, [] {
        if (Main)
            Main->show();
    });
    return QCoreApplication::exec();
}

void Shell::makeMain()
{
    try {
        m_windows.push_back(std::make_unique<TMain>());
    } catch (...) {
        // The window that failed half-way must not stay behind as the program's main window.
        Main = nullptr;
        throw;
    }
    Main->installEventFilter(this);
    buildMainMenu();
    connect(Main, &TMain::printEnabledChanged, N15, &QAction::setEnabled);
}

void Shell::makeDataModule()
{
    auto module = std::make_unique<TDataModule1>(Main->Database1);
    TDataModule1* created = module.get();
    m_windows.push_back(std::move(module));
    // Without a database the user has been told so once; the views stay closed quietly.
    if (!Main->Database1.isOpen())
        return;
    // A view that cannot be opened is reported; it and the views after it stay closed and
    // the windows show empty lists.
    try {
        created->DataModuleCreate();
    } catch (const AppError& error) {
        Dialogs::error(error.message());
    }
}

void Shell::makeTurTableEdit()
{
    m_windows.push_back(std::make_unique<TTurTableEdit>());
}

void Shell::makeTurTable()
{
    m_windows.push_back(std::make_unique<TTurTable>());
    // The viewer and the main window choose the program's one current country: each lets
    // go of its country chooser when the other chooses, and the main window's takes its
    // country back when the viewer closes.
    connect(Main, &TMain::countryChosen, TurTable, &TTurTable::detachCountryChooser);
    connect(TurTable, &TTurTable::countryChosen, Main, [] {
        Main->detachCountryChooser();
        Main->disableShowStatistics();
    });
    connect(TurTable, &TTurTable::competitionChosen, Main, &TMain::disableShowStatistics);
    connect(TurTable, &TTurTable::closed, Main, &TMain::attachCountryChooser);
    // The team panel opens the teams browser on the panel's team.
    TurTable->setTeamBrowser([] { TeamWindow->showForPanelTeam(); });
    // "Export to Excel": the season's rows as the grid shows them, into a new workbook.
    TurTable->setExcelExporter([] { Spreadsheet::show(leagueTableWorkbook(loadedDataModule()), TurTable); });
}

void Shell::makeTeamResults()
{
    m_windows.push_back(std::make_unique<TTeamResults>());
}

void Shell::makeStatistic()
{
    m_windows.push_back(std::make_unique<TStatistic>());
    Statistic->setExporter([] {
        Spreadsheet::show(
            CompetitionStatistics::competitionsWorkbook(CompetitionStatistics::allCompetitions(*DataModule1)),
            Statistic);
    });
}

void Shell::makePrediction()
{
    // Modal over the main window only, so that the predictions list it fills can be
    // scrolled and cleared while it is open.
    m_windows.push_back(std::make_unique<TPrediction>(Main));
    PredictionWindow->setWindowModality(Qt::WindowModal);
    connect(PredictionWindow, &TPrediction::updatePageRequested, this,
            [this] { Dialogs::runHandler([this] { showHelp(QStringLiteral("updating.htm")); }, PredictionWindow); });
}

void Shell::makePredictionExport()
{
    m_windows.push_back(std::make_unique<TPredictionExport>());
    connect(PredictionWindow, &TPrediction::addToPredictionsList, PredictionExport, &TPredictionExport::add);
    PredictionExport->setExporter(
        [] { Spreadsheet::show(predictionsWorkbook(PredictionExport->list()), PredictionExport); });
}

void Shell::makeNotice()
{
    m_windows.push_back(std::make_unique<TNotice>());
    Notice->placeBeside(Main);
    connect(Main, &TMain::addToNotes, Notice, &TNotice::addNote);
}

void Shell::makePrompt()
{
    m_prompt = new TPrompt();
}

void Shell::makeReportResults()
{
    m_windows.push_back(std::make_unique<TReportResults>());
    Main->setResultsPrinter([] { printResults(TReportResults::Output::Printer); });
    N16->setEnabled(true);
}

void Shell::makeCountryEdit()
{
    m_windows.push_back(std::make_unique<TCountryEdit>());
}

void Shell::makeDivisionEdit()
{
    m_windows.push_back(std::make_unique<TDivisionEdit>());
}

void Shell::makeStadiumEdit()
{
    m_windows.push_back(std::make_unique<TStadiumEdit>());
}

void Shell::makeTeamEdit()
{
    m_windows.push_back(std::make_unique<TTeamEdit>());
    // A double click in the stadium editor gives the team being edited that stadium.
    StadiumEdit->setStadiumPick([] {
        if (TeamEdit)
            TeamEdit->StadiumPicked();
    });
}

void Shell::makeTeam()
{
    m_windows.push_back(std::make_unique<TTeam>());
}

void Shell::makeFullSize()
{
    m_windows.push_back(std::make_unique<TFullSize>());
    // The photo window starts on the photo of the browser's focused thumbnail.
    FullSize->setFocusedThumbnail([] { return TeamWindow ? TeamWindow->focusedThumbnail() : 0; });
}

void Shell::makeAbout()
{
    m_windows.push_back(std::make_unique<TAbout>());
    // The program's web page is the local page on bringing the database up to date, as
    // the prediction window's "Update now" opens it.
    About->setWebSite(QStringLiteral("Help/updating.htm"), [this] { showHelp(QStringLiteral("updating.htm")); });
}

void Shell::makeReportTable()
{
    m_windows.push_back(std::make_unique<TReportTable>());
    TurTable->setPrinter([this] { printTable(ReportOutput::Printer, TurTable); });
    TurTable->setPreviewer([this] { printTable(ReportOutput::Preview, TurTable); });
    TurTable->setPdfExporter([this] { printTable(ReportOutput::Pdf, TurTable); });
}

void Shell::printTable(ReportOutput output, QWidget* parent)
{
    if (!ReportTable || !Main)
        return;
    ReportTable->print({Main->windowTitle(), ReportItems::titleBarColour()}, output, parent);
}

void Shell::makeInfo()
{
    m_windows.push_back(std::make_unique<TInfo>());
}

void Shell::buildMainMenu()
{
    MainMenu1 = Main->menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    struct MenuSlot
    {
        QMenu* Shell::*menu;
        const char* name;
        const char* caption;
    };
    static constexpr MenuSlot menus[] = {
        {&Shell::N1, "N1", "&File"}, // Alt+F opens it
        {&Shell::N3, "N3", "&View"},
        {&Shell::N6, "N6", "Редактировать"},
        {&Shell::N12, "N12", "&Help"},
    };
    for (const MenuSlot& slot : menus) {
        QMenu* menu = MainMenu1->addMenu(utf8(slot.caption));
        menu->setObjectName(QString::fromLatin1(slot.name));
        this->*slot.menu = menu;
    }
    // The editing menu is part of the menu bar, but nothing in the program shows it.
    N6->menuAction()->setVisible(false);

    struct EntrySlot
    {
        QMenu* Shell::*menu;
        QAction* Shell::*action;
        const char* name;
        const char* caption;
        Qt::Key shortcut;
        void (Shell::*click)(); // null: the command is not part of the program yet; disabled
    };
    static constexpr Qt::Key none = Qt::Key_unknown;
    static constexpr EntrySlot entries[] = {
        {&Shell::N1, &Shell::N16, "N16", "Print options...", none, &Shell::N16Click},
        {&Shell::N1, &Shell::N20, "N20", "Print preview...", none, &Shell::N20Click},
        {&Shell::N1, &Shell::N21, "N21", "Export to PDF...", none, &Shell::N21Click},
        {&Shell::N1, &Shell::N15, "N15", "Print", none, &Shell::N15Click},
        {&Shell::N1, &Shell::N2, "N2", "Exit", none, &Shell::N2Click},
        {&Shell::N3, &Shell::N4, "N4", "Teams", none, &Shell::N4Click},
        {&Shell::N3, &Shell::N5, "N5", "League table", none, &Shell::N5Click},
        {&Shell::N3, &Shell::N17, "N17", "Competitions statistics", none, &Shell::N17Click},
        {&Shell::N3, &Shell::N18, "N18", "Notes", none, &Shell::N18Click},
        {&Shell::N3, &Shell::N19, "N19", "Prediction", none, &Shell::N19Click},
        {&Shell::N6, &Shell::N7, "N7", "Страны", none, &Shell::N7Click},
        {&Shell::N6, &Shell::N8, "N8", "Дивизион", none, &Shell::N8Click},
        {&Shell::N6, &Shell::N9, "N9", "Стадионы", none, &Shell::N9Click},
        {&Shell::N6, &Shell::N10, "N10", "Команды", none, &Shell::N10Click},
        {&Shell::N6, &Shell::N11, "N11", "Турнирная таблица", none, &Shell::N11Click},
        {&Shell::N12, &Shell::N13, "N13", "Help", Qt::Key_F1, &Shell::N13Click},
        {&Shell::N12, &Shell::N14, "N14", "About...", none, &Shell::N14Click},
    };
    for (const EntrySlot& slot : entries) {
        QAction* action = (this->*slot.menu)->addAction(utf8(slot.caption));
        action->setObjectName(QString::fromLatin1(slot.name));
        if (slot.shortcut != none)
            action->setShortcut(QKeySequence(slot.shortcut));
        if (slot.click)
            Dialogs::connectHandler(action, &QAction::triggered, this,
                                    [this, click = slot.click] { (this->*click)(); });
        else
            action->setEnabled(false);
        this->*slot.action = action;
    }

    // The results report's entries wait for the report; "Print" follows the main window's
    // Print button, and the preview and the PDF follow "Print".
    for (QAction* action : {N16, N20, N21, N15})
        action->setEnabled(false);
    for (QAction* follower : {N20, N21})
        connect(N15, &QAction::enabledChanged, follower, &QAction::setEnabled);

    // F10 opens the first menu, as in other desktop programs.
    auto* openMenus = new QAction(Main);
    openMenus->setObjectName(QStringLiteral("OpenMenus"));
    openMenus->setShortcut(QKeySequence(Qt::Key_F10));
    Main->addAction(openMenus);
    connect(openMenus, &QAction::triggered, this, [this] { MainMenu1->setActiveAction(N1->menuAction()); });
}

bool Shell::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Main) {
        if (event->type() == QEvent::Show && !m_greeted) {
            // Just before the main window first becomes visible.
            m_greeted = true;
            greet();
        } else if (event->type() == QEvent::Close) {
            // Whether the window accepted the close is known once the event is through.
            QTimer::singleShot(0, this, &Shell::endIfMainClosed);
        }
    }
    return QObject::eventFilter(watched, event);
}

void Shell::greet()
{
    // The splash is gone already when its time ran out before the event loop ran.
    if (m_prompt)
        Dialogs::execModal(*m_prompt);
    if (Info)
        Dialogs::execModal(*Info);
}

void Shell::endIfMainClosed()
{
    if (!Main || !Main->isVisible())
        QCoreApplication::quit();
}

void Shell::N2Click()
{
    Main->close();
}

void Shell::N15Click()
{
    Main->SpeedButton1Click();
}

void Shell::N16Click()
{
    if (ReportResults)
        ReportResults->N16Click(Main);
}

void Shell::N20Click()
{
    printResults(TReportResults::Output::Preview);
}

void Shell::N21Click()
{
    printResults(TReportResults::Output::Pdf);
}

void Shell::N18Click()
{
    Notice->showNotes();
}

void Shell::N5Click()
{
    Dialogs::execModal(*TurTable);
}

void Shell::N17Click()
{
    Dialogs::execModal(*Statistic);
}

void Shell::N11Click()
{
    Dialogs::execModal(*TurTableEdit);
}

void Shell::N19Click()
{
    Dialogs::execModal(*PredictionWindow);
}

void Shell::N7Click()
{
    Dialogs::execModal(*CountryEdit);
}

void Shell::N8Click()
{
    Dialogs::execModal(*DivisionEdit);
}

void Shell::N9Click()
{
    Dialogs::execModal(*StadiumEdit);
}

void Shell::N10Click()
{
    Dialogs::execModal(*TeamEdit);
}

void Shell::N4Click()
{
    Dialogs::execModal(*TeamWindow);
}

void Shell::N14Click()
{
    Dialogs::execModal(*About);
}

void Shell::N13Click()
{
    showHelp(HelpWindow::contentsPage());
}

void Shell::showHelp(const QString& page)
{
    // The help folder is that of the working directory at this moment.
    const QString folder = HelpWindow::currentHelpFolder();
    if (!m_help)
        m_help = std::make_unique<HelpWindow>();
    if (!m_help->openContents(folder, page)) {
        Dialogs::error(QStringLiteral("The help file \"%1\" cannot be found. Tallyfield reads its help from the "
                                      "folder Help in the folder it was started in.")
                           .arg(QDir::toNativeSeparators(QDir(folder).filePath(page))),
                       Main);
        return;
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}
