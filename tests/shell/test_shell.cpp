#include "apperror.h"
#include "datamodule.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "helpwindow.h"
#include "pdfpages.h"
#include "printing.h"
#include "reportprinter.h"
#include "shell.h"
#include "show.h"
#include "sortedcombobox.h"
#include "testdatabase.h"
#include "tinfo.h"
#include "tmain.h"
#include "tnotice.h"
#include "tprediction.h"
#include "tpredictionexport.h"
#include "tprompt.h"
#include "tstatistic.h"
#include "tteamresults.h"
#include "tturtable.h"
#include "tturtableedit.h"
#include "version.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <chrono>

using namespace std::chrono_literals;

namespace {

struct Message
{
    Dialogs::Kind kind;
    QString text;
};

// Runs the shell in a working directory of its own, with message boxes and modal windows
// answered by the test.
class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previousDirectory = QDir::currentPath();
        QDir::setCurrent(workingDirectory());
        Dialogs::setMessageHandler([this](Dialogs::Kind kind, const QString& text) {
            messages.push_back({kind, text});
        });
        Dialogs::setModalHandler([this](QDialog& dialog) {
            modals << dialog.objectName();
            return answer ? answer(dialog) : 0;
        });
    }

    void TearDown() override
    {
        shell.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Dialogs::setMessageHandler({});
        Dialogs::setModalHandler({});
        QDir::setCurrent(m_previousDirectory);
    }

    virtual QString workingDirectory()
    {
        db.addCountry(1, QStringLiteral("England"));
        db.addDivision(11, 1, QStringLiteral("Premier League"));
        db.addTeam(111, QStringLiteral("Arsenal"), QStringLiteral("London"), 11);
        return QFileInfo(db.folder()).path();
    }

    void start()
    {
        shell = std::make_unique<Shell>();
        shell->start();
    }

    TestDatabase db;
    std::unique_ptr<Shell> shell;
    std::vector<Message> messages;
    QStringList modals;
    std::function<int(QDialog&)> answer;

private:
    QString m_previousDirectory;
};

std::vector<bool> openStates(const TDataModule1& module)
{
    std::vector<bool> states;
    for (const TableView* view : module.views())
        states.push_back(view->isOpen());
    return states;
}

} // namespace

// Every window of the program in the order the start-up makes it, also when the database
// is missing or unreadable.
const QStringList kWindowSet{
    "TMain",      "TCountryEdit",  "TDataModule1", "TDivisionEdit", "TStadiumEdit",      "TTeamEdit",    "TTeam",
    "TFullSize",  "TTurTableEdit", "TTurTable",    "TTeamResults",  "TReportResults",    "TReportTable", "TAbout",
    "TStatistic", "TNotice",       "TPrompt",      "TPrediction",   "TPredictionExport", "TInfo"};

TEST_F(ShellTest, StartUpMakesTheWindowsOnceInTheirOrderAndOpensEveryView)
{
    start();
    EXPECT_EQ(shell->createdWindows(), kWindowSet);
    ASSERT_TRUE(Main && DataModule1 && Notice && Prompt && Info);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(&DataModule1->store(), &Main->Database1);
    EXPECT_EQ(openStates(*DataModule1), std::vector<bool>(10, true));
    EXPECT_EQ(DataModule1->TableCountry->asString(QStringLiteral("Country")), QStringLiteral("England"));

    // Nothing but the main window is due to be seen; the splash's time already runs.
    EXPECT_FALSE(Main->isVisible() || Notice->isVisible() || Prompt->isVisible() || Info->isVisible());
    EXPECT_TRUE(Prompt->Timer1->isActive());
    EXPECT_EQ(Prompt->Timer1->interval(), 6800);

    // The splash picture and the information page travel inside the program.
    EXPECT_FALSE(Prompt->Image1->pixmap().isNull());
    EXPECT_TRUE(Info->WebBrowser1->toPlainText().contains(QStringLiteral("Show statistics")));
}

// A table whose rows cannot be read: the database opens, the view on the table does not.
class UnreadableTableTest : public ShellTest
{
protected:
    QString workingDirectory() override
    {
        const QString directory = ShellTest::workingDirectory();
        db.exec(QStringLiteral("ALTER TABLE Stadium RENAME TO StadiumRows"));
        db.exec(QStringLiteral("CREATE VIEW Stadium AS SELECT * FROM StadiumRows "
                               "WHERE abs(-9223372036854775807 - 1) IS NOT NULL"));
        return directory;
    }
};

TEST_F(UnreadableTableTest, TheErrorIsShownTheLaterViewsStayClosedAndStartUpGoesOn)
{
    start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("overflow"))) << messages[0].text.toStdString();
    // Country and competitions open; the stadiums failed; nothing after them was tried.
    std::vector<bool> expected(10, false);
    expected[0] = expected[1] = true;
    EXPECT_EQ(openStates(*DataModule1), expected);
    EXPECT_EQ(shell->createdWindows(), kWindowSet);
    EXPECT_TRUE(shell->MainMenu1 && Prompt->Timer1->isActive());
}

class MissingDatabaseTest : public ShellTest
{
protected:
    QString workingDirectory() override { return m_empty.path(); }
    QTemporaryDir m_empty;
};

TEST_F(MissingDatabaseTest, TheStoresMessageIsShownAndStartUpGoesOnWithEveryViewClosed)
{
    shell = std::make_unique<Shell>();
    shell->start();
    // One clear message, none from the views that could not open after it.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("does not exist"))) << messages[0].text.toStdString();
    EXPECT_EQ(openStates(*DataModule1), std::vector<bool>(10, false));
    EXPECT_EQ(shell->createdWindows(), kWindowSet);

    // Then quiet, empty windows: the choosers do not open, "Show statistics" is off.
    Main->show();
    for (DBLookupComboBox* chooser : {Main->DBLookupComboBox2, Main->DBLookupComboBox1}) {
        chooser->showPopup();
        QApplication::processEvents();
        EXPECT_EQ(chooser->count(), 0);
    }
    EXPECT_FALSE(Main->Button1->isEnabled());
    Main->SpeedButton2->click(); // the notes work without a database
    EXPECT_TRUE(Notice->isVisible());
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(ShellTest, TheMenuBarHoldsEveryEntryWithItsNameCaptionAndState)
{
    start();
    ASSERT_EQ(Main->menuBar(), shell->MainMenu1);
    EXPECT_EQ(shell->MainMenu1->objectName(), QStringLiteral("MainMenu1"));

    struct Expected
    {
        const char* name;
        const char* caption;
        bool visible;
        std::vector<std::tuple<const char*, const char*, bool>> entries; // name, caption, enabled
    };
    const std::vector<Expected> menus = {
        {"N1",
         "File",
         true,
         {{"N16", "Print options...", true},
          {"N20", "Print preview...", false},
          {"N21", "Export to PDF...", false},
          {"N15", "Print", false},
          {"N2", "Exit", true}}},
        {"N3",
         "View",
         true,
         {{"N4", "Teams", true},
          {"N5", "League table", true},
          {"N17", "Competitions statistics", true},
          {"N18", "Notes", true},
          {"N19", "Prediction", true}}},
        {"N6",
         "Редактировать",
         false,
         {{"N7", "Страны", true},
          {"N8", "Дивизион", true},
          {"N9", "Стадионы", true},
          {"N10", "Команды", true},
          {"N11", "Турнирная таблица", true}}},
        {"N12", "Help", true, {{"N13", "Help", true}, {"N14", "About...", true}}},
    };
    const QList<QAction*> bar = shell->MainMenu1->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
    for (size_t m = 0; m < menus.size(); ++m) {
        SCOPED_TRACE(menus[m].name);
        QMenu* menu = bar[static_cast<qsizetype>(m)]->menu();
        ASSERT_TRUE(menu);
        EXPECT_EQ(menu->objectName(), QString::fromUtf8(menus[m].name));
        EXPECT_EQ(QString(menu->title()).remove(QLatin1Char('&')), QString::fromUtf8(menus[m].caption));
        EXPECT_EQ(menu->menuAction()->isVisible(), menus[m].visible);
        const QList<QAction*> entries = menu->actions();
        ASSERT_EQ(entries.size(), static_cast<qsizetype>(menus[m].entries.size()));
        for (size_t e = 0; e < menus[m].entries.size(); ++e) {
            const auto& [name, caption, enabled] = menus[m].entries[e];
            QAction* action = entries[static_cast<qsizetype>(e)];
            EXPECT_EQ(action->objectName(), QString::fromUtf8(name));
            EXPECT_EQ(action->text(), QString::fromUtf8(caption));
            EXPECT_EQ(action->isEnabled(), enabled) << name;
        }
    }
    EXPECT_EQ(shell->N13->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(Main->findChild<QAction*>(QStringLiteral("N15")), shell->N15);
}

TEST_F(ShellTest, ViewOpensTheStatisticsModallyOnTheSharedViews)
{
    start();
    ASSERT_TRUE(Statistic);
    answer = [](QDialog& dialog) {
        dialog.show(); // bound to the data module when first shown
        EXPECT_TRUE(Statistic->DBLookupComboBox2->chooseText(QStringLiteral("England")));
        EXPECT_TRUE(Statistic->DBLookupComboBox1->chooseText(QStringLiteral("Premier League")));
        dialog.hide();
        return 0;
    };
    shell->N17->trigger();
    EXPECT_EQ(modals, QStringList{QStringLiteral("Statistic")});
    // A competition without results: the window's own message, nothing else.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Results not found for \"England - Premier League\""));
}

TEST_F(ShellTest, ExportToExcelOpensTheStatisticsAndThePredictionsListAsWorkbooks)
{
    db.addResult(1, {2020, 3, 1}, 111, 111, "Arsenal (London)", "Arsenal (London)", 2, 1, 11);
    start();
    ASSERT_TRUE(Statistic && PredictionExport);
    QStringList opened;
    Spreadsheet::setOpener([&opened](const QString& path) {
        opened << path;
        return true;
    });
    Statistic->ToolButton1->click();
    PredictionExport->ToolButton2->click();
    Spreadsheet::setOpener({});
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].endsWith("/Competitions statistics.xlsx"));
    EXPECT_TRUE(opened[1].endsWith("/Tallyfield.xlsx"));
    for (const QString& path : opened) {
        EXPECT_GT(QFileInfo(path).size(), 0);
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
    }
}

TEST_F(ShellTest, TheHiddenEditingMenuOpensTheSeasonTableEditorModally)
{
    start();
    ASSERT_TRUE(TurTableEdit);
    answer = [](QDialog& dialog) {
        dialog.show(); // bound to the data module when first shown
        EXPECT_EQ(TurTableEdit->DBGrid1->dataSource(), DataModule1->DataSourceTableHead);
        dialog.reject();
        return 0;
    };
    shell->N11->trigger();
    EXPECT_EQ(modals, QStringList{QStringLiteral("TurTableEdit")});
    EXPECT_TRUE(messages.empty());
}

// The league table window and the main window share the current country: choosing one
// in either lets go of the other's country chooser, and closing the league table gives
// the main window its country back.
TEST_F(ShellTest, TheLeagueTableWindowAndTheMainWindowTakeTurnsWithTheCountry)
{
    db.addCountry(2, QStringLiteral("Scotland"));
    db.addDivision(21, 2, QStringLiteral("Premiership"));
    start();
    Main->connectDataModule();
    ASSERT_TRUE(TurTable && TeamResults);
    ASSERT_TRUE(Main->DBLookupComboBox2->chooseText(QStringLiteral("England")));
    ASSERT_TRUE(Main->DBLookupComboBox1->chooseText(QStringLiteral("Premier League")));
    Main->ComboBox1->setEditText(QStringLiteral("Arsenal (London)"));
    Main->ComboBox2->setEditText(QStringLiteral("Arsenal (London)"));
    ASSERT_TRUE(Main->Button1->isEnabled());
    answer = [this](QDialog& dialog) {
        dialog.show();
        EXPECT_TRUE(TurTable->DBLookupComboBox2->chooseText(QStringLiteral("Scotland")));
        EXPECT_EQ(Main->DBLookupComboBox2->text(), QString());
        EXPECT_FALSE(Main->Button1->isEnabled());
        EXPECT_EQ(DataModule1->TableCountry->asString(QStringLiteral("Country")), QStringLiteral("Scotland"));
        dialog.close();
        return 0;
    };
    shell->N5->trigger();
    EXPECT_EQ(modals, QStringList{QStringLiteral("TurTable")});
    EXPECT_EQ(Main->DBLookupComboBox2->text(), QStringLiteral("England"));
    EXPECT_EQ(DataModule1->TableCountry->asString(QStringLiteral("Country")), QStringLiteral("England"));

    // The main window's choice lets go of the league table's; showing it takes it back.
    ASSERT_TRUE(Main->DBLookupComboBox2->chooseText(QStringLiteral("England")));
    EXPECT_EQ(TurTable->DBLookupComboBox2->text(), QString());
    answer = [](QDialog& dialog) {
        dialog.show();
        EXPECT_EQ(TurTable->DBLookupComboBox2->text(), QStringLiteral("Scotland"));
        dialog.close();
        return 0;
    };
    shell->N5->trigger();
    EXPECT_TRUE(messages.empty());
}

// "Print", "Print preview..." and "Export to PDF..." wait for a result; then they report
// the main window's pair, and without a printer "Print" offers the PDF instead.
TEST_F(ShellTest, TheFileMenuPrintsTheMainWindowsResultOnceThereIsOne)
{
    db.addTeam(112, QStringLiteral("Chelsea"), QStringLiteral("London"), 11);
    db.addResult(1, QDate(2020, 1, 4), 111, 112, QStringLiteral("Arsenal (London)"), QStringLiteral("Chelsea (London)"),
                 2, 1, 11);
    start();
    Main->connectDataModule();
    ASSERT_TRUE(Main->DBLookupComboBox1->chooseText(QStringLiteral("Premier League")));
    Main->ComboBox1->setEditText(QStringLiteral("Arsenal (London)"));
    Main->ComboBox2->setEditText(QStringLiteral("Chelsea (London)"));
    EXPECT_FALSE(shell->N15->isEnabled() || shell->N20->isEnabled() || shell->N21->isEnabled());
    Main->Button1->click();
    EXPECT_TRUE(shell->N15->isEnabled() && shell->N20->isEnabled() && shell->N21->isEnabled());

    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("h2h.pdf"));
    Dialogs::setSaveFileHandler([&](const QString&, const QString&) { return file; });
    QStringList questions;
    Dialogs::setQuestionHandler([&](Dialogs::Question, const QString& text) {
        questions << text;
        return false;
    });
    Printing::setPrinterCheck([] { return false; });
    shell->N21->trigger();
    const PdfPages pdf(file);
    ASSERT_EQ(pdf.count(), 1);
    EXPECT_TRUE(pdf.lineTexts(0).contains(QStringLiteral("1 04/01/2020 Arsenal (London) Chelsea (London) 2 : 1")));
    EXPECT_EQ(pdf.lineTexts(0).back(), QStringLiteral("Tallyfield v" TALLYFIELD_VERSION " - page 1 of 1"));

    shell->N15->trigger();
    EXPECT_EQ(questions.size(), 1);
    const qsizetype modalsBefore = modals.size();
    shell->N20->trigger(); // the preview, a modal window
    EXPECT_EQ(modals.size(), modalsBefore + 1);
    EXPECT_TRUE(messages.empty());
    Dialogs::setSaveFileHandler({});
    Dialogs::setQuestionHandler({});
    Printing::setPrinterCheck({});
}

// What the league table viewer's Print calls: the season as TableSortDet holds it, under the
// main window's caption.
TEST_F(ShellTest, TheLeagueTableIsPrintedUnderTheMainWindowsCaption)
{
    db.addSeason(111, QStringLiteral("2019/20"), 11, {2019, 8, 9}, {2020, 7, 26});
    db.addRow(111, 111, QStringLiteral("Arsenal (London)"), 56, 8);
    start();
    ASSERT_TRUE(DataModule1->TableTableHead->locate(QStringLiteral("Num"), 111));
    DataModule1->TableSortDet->setFilterText(QStringLiteral("(CodeSeason='111')"));
    DataModule1->TableSortDet->setFiltered(true);

    // The viewer's "Export to PDF" draws the same report into the file the user names.
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("table.pdf"));
    Dialogs::setSaveFileHandler([&](const QString&, const QString&) { return file; });
    TurTable->ToolButton7Click();
    Dialogs::setSaveFileHandler({});
    const PdfPages pdf(file);
    ASSERT_EQ(pdf.count(), 1);
    EXPECT_TRUE(pdf.lineTexts(0).contains(QStringLiteral("Arsenal (London) 56")))
        << pdf.lineTexts(0).join('|').toStdString();
    EXPECT_EQ(pdf.lineTexts(0).back(), QStringLiteral("Tallyfield v" TALLYFIELD_VERSION " - page 1 of 1"));
    EXPECT_TRUE(messages.empty());

    // The viewer's Print prints at once; here without a printer, the PDF is offered.
    QStringList questions;
    Dialogs::setQuestionHandler([&](Dialogs::Question, const QString& text) {
        questions << text;
        return false;
    });
    Printing::setPrinterCheck([] { return false; });
    TurTable->ToolButton4Click();
    Dialogs::setQuestionHandler({});
    Printing::setPrinterCheck({});
    EXPECT_EQ(questions,
              QStringList({QStringLiteral("No printer is installed. Save the report as a PDF file instead?")}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ShellTest, TheFirstShowingOfTheMainWindowGreetsWithSplashThenInfoOnce)
{
    start();
    QPointer<TPrompt> prompt = Prompt;
    QString captionOnSplash;
    answer = [&](QDialog& dialog) {
        if (&dialog == prompt) {
            dialog.show();
            captionOnSplash = Prompt->Label1->text();
            QTest::keyClick(&dialog, Qt::Key_Space);
        } else if (&dialog == Info) {
            EXPECT_FALSE(prompt && prompt->isVisible());
        }
        return 0;
    };
    Main->show();
    EXPECT_EQ(modals, QStringList({"Prompt", "Info"}));
    EXPECT_EQ(captionOnSplash, QStringLiteral("Tallyfield v" TALLYFIELD_VERSION));
    QTRY_VERIFY(!prompt);
    EXPECT_EQ(Prompt, nullptr);

    // Shown again later, the main window greets no more; the info window stays for the run.
    Main->hide();
    Main->show();
    EXPECT_EQ(modals.size(), 2);
    EXPECT_TRUE(Info && !Info->isVisible());
}

TEST_F(ShellTest, ASplashWhoseTimeRanOutBeforeTheLoopRanLeavesOnlyTheInfoWindow)
{
    start();
    Prompt->close();
    QTRY_VERIFY(!Prompt);
    Main->show();
    EXPECT_EQ(modals, QStringList({"Info"}));
}

TEST(SplashTest, AKeyClosesItWhereverItIsPressedButAClickDoesNot)
{
    const std::vector<std::pair<const char*, Qt::Key>> presses = {
        {"Prompt", Qt::Key_F1}, {"Image1", Qt::Key_Return}, {"Label2", Qt::Key_A}};
    for (const auto& [target, key] : presses) {
        SCOPED_TRACE(target);
        QPointer<TPrompt> prompt = new TPrompt();
        prompt->show();
        QWidget* receiver = prompt->objectName() == QLatin1String(target)
                                ? prompt.data()
                                : prompt->findChild<QWidget*>(QString::fromLatin1(target));
        ASSERT_TRUE(receiver);
        QTest::mouseClick(receiver, Qt::LeftButton);
        QTest::mouseDClick(receiver, Qt::LeftButton);
        QCoreApplication::processEvents();
        ASSERT_TRUE(prompt && prompt->isVisible());
        QTest::keyClick(receiver, key);
        QTRY_VERIFY(!prompt);
    }
}

TEST(SplashTest, ItsTimeCountsFromCreationNotFromShowing)
{
    QPointer<TPrompt> prompt = new TPrompt(300ms);
    QTest::qSleep(400); // start-up work after the splash was made, with no event loop running
    // Shown modally now, it closes as soon as the loop runs.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, prompt, &QWidget::close);
    guard.start(5000);
    QElapsedTimer shown;
    shown.start();
    prompt->exec();
    EXPECT_LT(shown.elapsed(), 1000);
    EXPECT_TRUE(guard.isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(prompt);
}

namespace {
void writeHelp(const QString& directory, const QString& title)
{
    ASSERT_TRUE(QDir(directory).mkpath(QStringLiteral("Help")));
    QFile page(QDir(directory).filePath(QStringLiteral("Help/contents.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(
        QStringLiteral("<html><body><h1>%1</h1><a href=\"other.htm\">other</a></body></html>").arg(title).toUtf8());
}
} // namespace

TEST_F(ShellTest, ExitWithTheNotesAndTheHelpOpenEndsTheProgram)
{
    writeHelp(QDir::currentPath(), QStringLiteral("Contents"));
    start();
    // Once the greeting is over, the user opens the notes and the help and chooses Exit.
    answer = [this](QDialog& dialog) {
        if (&dialog == Info)
            QTimer::singleShot(0, shell.get(), [this] {
                shell->N18->trigger();
                shell->N13->trigger();
                EXPECT_TRUE(Notice->isVisible() && shell->helpWindow()->isVisible() && Main->isVisible());
                shell->N2->trigger();
            });
        return 0;
    };
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(shell->run(), 0);
    EXPECT_EQ(modals, QStringList({"Prompt", "Info"}));
    EXPECT_FALSE(Main->isVisible());
}

TEST_F(ShellTest, TheNotesOpenBesideTheMainWindowAndF10OrAltFOpenTheMenus)
{
    start();
    Main->show(); // the greeting's windows are answered at once
    EXPECT_EQ(modals, QStringList({"Prompt", "Info"}));
    const QRect screen = Main->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(Main->frameGeometry()));

    shell->N18->trigger();
    ASSERT_TRUE(Notice->isVisible());
    // Beside the main window where there is room, else over it; never centred on the
    // screen regardless of the main window.
    EXPECT_EQ(Notice->frameGeometry().top(), Main->frameGeometry().top());
    EXPECT_TRUE(screen.contains(Notice->frameGeometry()));

    // "Add to note" in the main window reaches the notes.
    Main->ComboBox1->setEditText(QStringLiteral("Arsenal (London)"));
    Main->SpeedButton2->click();
    EXPECT_TRUE(Notice->text().startsWith(QStringLiteral("Arsenal (London) - ")));

    Main->activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == Main);
    QTest::keyClick(Main, Qt::Key_F10);
    QTRY_VERIFY(shell->N1->isVisible());
    shell->N1->hide();
    QTRY_VERIFY(QApplication::activeWindow() == Main);
    QTest::keyClick(Main, Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(shell->N12->isVisible());
    shell->N12->hide();
    EXPECT_TRUE(messages.empty());
}

TEST(HelpWindowTest, EscapeClosesIt)
{
    HelpWindow help;
    help.show();
    QTest::keyClick(help.browser(), Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

TEST_F(ShellTest, HelpIsLookedUpInTheWorkingDirectoryOfTheMomentEachTime)
{
    QTemporaryDir first, second, without;
    writeHelp(first.path(), QStringLiteral("First help"));
    writeHelp(second.path(), QStringLiteral("Second help"));
    start();

    QDir::setCurrent(first.path());
    shell->N13->trigger();
    HelpWindow* help = shell->helpWindow();
    ASSERT_TRUE(help && help->isVisible());
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("First help")));
    EXPECT_EQ(help->browser()->source(),
              QUrl::fromLocalFile(QDir(first.path()).filePath(QStringLiteral("Help/contents.htm"))));

    QDir::setCurrent(second.path());
    shell->N13->trigger();
    EXPECT_EQ(shell->helpWindow(), help);
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Second help")));
    EXPECT_FALSE(help->browser()->isBackwardAvailable()); // no way back into the other folder's pages
    EXPECT_TRUE(messages.empty());

    // A folder without help: the user is told where the help was looked for.
    QDir::setCurrent(without.path());
    shell->N13->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(QDir(without.path()).filePath("Help"))))
        << messages[0].text.toStdString();
}

// The pages shipped in resources/Help: a contents page and an index, and every link of
// every page leads to a page that is there.
TEST(ShippedHelpTest, EveryLinkLeadsToAShippedPage)
{
    const QDir help(QStringLiteral(TALLYFIELD_HELP_DIR));
    ASSERT_TRUE(help.exists(HelpWindow::contentsPage()));
    ASSERT_TRUE(help.exists(HelpWindow::indexPage()));
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)"));
    int links = 0;
    for (const QString& name : help.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
        QFile page(help.filePath(name));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(help.exists(target)) << name.toStdString() << " -> " << target.toStdString();
            ++links;
        }
    }
    EXPECT_GT(links, 10);
}

TEST_F(ShellTest, ThePredictionFillsTheListAndLeadsToTheUpdatePage)
{
    writeHelp(QDir::currentPath(), QStringLiteral("Contents"));
    QFile page(QDir::current().filePath(QStringLiteral("Help/updating.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Updating</title></head><body>Updating</body></html>");
    page.close();
    start();
    ASSERT_TRUE(PredictionWindow && PredictionExport);
    EXPECT_EQ(PredictionWindow->windowModality(), Qt::WindowModal);
    answer = [this](QDialog& dialog) {
        dialog.show();
        PredictionWindow->SpeedButton2->setEnabled(true);
        PredictionWindow->SpeedButton2->click(); // a prediction of too little data: zeros
        PredictionWindow->HyperLink6Click();
        dialog.hide();
        return 0;
    };
    shell->N19->trigger();
    EXPECT_EQ(modals, QStringList{QStringLiteral("Prediction")});
    EXPECT_TRUE(PredictionExport->isVisible());
    EXPECT_EQ(PredictionExport->list().rowCount(), 2);
    ASSERT_TRUE(shell->helpWindow());
    EXPECT_TRUE(shell->helpWindow()->browser()->source().toLocalFile().endsWith(QStringLiteral("Help/updating.htm")));
    EXPECT_TRUE(messages.empty());
    PredictionExport->hide();
    shell->helpWindow()->hide();
}
