#include "apperror.h"
#include "datamodule.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "gauge.h"
#include "imagecolours.h"
#include "localescope.h"
#include "sortedcombobox.h"
#include "stringgrid.h"
#include "testdatabase.h"
#include "textlabel.h"
#include "tmain.h"
#include "tnotice.h"
#include "version.h"
#include "workingdirectory.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kRovers = QStringLiteral("Rovers (Ashby)");
const QString kUnited = QStringLiteral("United (Bexley)");
const QString kAthletic = QStringLiteral("Athletic (Crewe)");
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kGrey(239, 239, 239);

struct Message
{
    Dialogs::Kind kind;
    QString text;
};

// Three countries: Albion with four competitions (one with the head-to-head matches, one
// cup, one without matches, one without teams), Borduria with one, Carpania with none.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addCountry(2, "Borduria");
        db.addCountry(3, "Carpania");
        db.addDivision(11, 1, "First Division");
        db.addDivision(12, 1, "Cup");
        db.addDivision(13, 1, "Reserve League");
        db.addDivision(14, 1, "Women");
        db.addDivision(21, 2, "Premier");
        db.addTeam(111, "United", "Bexley", 11);
        db.addTeam(112, "Rovers", "Ashby", 11);
        db.addTeam(113, "Athletic", "Crewe", 11);
        db.addTeam(121, "Town", "Dale", 12);
        db.addTeam(131, "Reserves", "Ashby", 13);
        db.addTeam(211, "Olimp", "Zyx", 21);
        db.addResult(1, QDate(2020, 8, 1), 112, 111, kRovers, kUnited, 2, 1, 11);
        db.addResult(2, QDate(2021, 2, 1), 111, 112, kUnited, kRovers, 0, 0, 11);
        db.addResult(3, QDate(2022, 3, 5), 111, 112, kUnited, kRovers, 1, 3, 11);
        db.addResult(4, QDate(2021, 5, 5), 112, 113, kRovers, kAthletic, 1, 2, 11);
        db.addResult(5, QDate(2019, 1, 1), 113, 112, kAthletic, kRovers, QVariant(), QVariant(), 11);
        db.addResult(6, QDate(2020, 1, 15), 112, 112, kRovers, kRovers, 3, 0, 11);
        db.addResult(7, QDate(2020, 2, 2), 112, 112, kRovers, kRovers, 0, 1, 11);
        db.addResult(8, QDate(2023, 1, 10), 112, 111, kRovers, kUnited, 4, 4, 12);
        fill();

        Dialogs::setMessageHandler([this](Dialogs::Kind kind, const QString& text) {
            messages.push_back({kind, text});
        });
        // Start-up as the program does it: the main window opens the database in the
        // working directory, the data module opens its views on it, then the notes.
        const WorkingDirectory cwd(QFileInfo(db.folder()).path());
        main = std::make_unique<TMain>();
        module = std::make_unique<TDataModule1>(main->Database1);
        module->DataModuleCreate();
        notice = std::make_unique<TNotice>();
        // As the shell joins them.
        QObject::connect(main.get(), &TMain::addToNotes, notice.get(), &TNotice::addNote);
        main->connectDataModule();
    }

    void TearDown() override { Dialogs::setMessageHandler({}); }

    // More records, before the windows are made.
    virtual void fill() {}

    void chooseCountry(const QString& name) { ASSERT_TRUE(main->DBLookupComboBox2->chooseText(name)); }
    void chooseCompetition(const QString& name) { ASSERT_TRUE(main->DBLookupComboBox1->chooseText(name)); }

    void run(const QString& team1, const QString& team2, bool saveOrder = false, bool allCompetitions = false)
    {
        main->ComboBox1->setEditText(team1);
        main->ComboBox2->setEditText(team2);
        main->CheckBox1->setChecked(saveOrder);
        main->CheckBox2->setChecked(allCompetitions);
        main->Button1->click(); // errors reach the message seam, as for the user
    }

    QStringList row(int r)
    {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << main->StringGrid1->cell(c, r);
        return cells;
    }

    QStringList statistics() { return main->statisticsText().split(QChar(13)); }

    TestDatabase db;
    std::vector<Message> messages;
    std::unique_ptr<TMain> main;
    std::unique_ptr<TDataModule1> module;
    std::unique_ptr<TNotice> notice;
};

TEST_F(MainWindowTest, StartsWithTheHeaderRowAndNothingChosen)
{
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(main->windowTitle(), "Tallyfield v" TALLYFIELD_VERSION);
    EXPECT_EQ(main->StringGrid1->rowCount(), 1);
    EXPECT_EQ(row(0), (QStringList{"№", "Date", "Home", "Away", "Goals"}));
    EXPECT_EQ(main->statisticsText(), "");
    EXPECT_TRUE(main->Button1->isEnabled());
    EXPECT_FALSE(main->SpeedButton1->isEnabled());
    EXPECT_TRUE(main->SpeedButton2->isEnabled());
    EXPECT_TRUE(main->DBImage1->isHidden());
    EXPECT_TRUE(main->DBImage2->isHidden());
    EXPECT_TRUE(main->Gauge1->isHidden());
    EXPECT_EQ(main->DBLookupComboBox2->count(), 3);
    EXPECT_EQ(main->DBLookupComboBox2->text(), "");
    EXPECT_EQ(main->DBLookupComboBox1->count(), 4); // Albion, first by name, is current

    // Fresh, "Show statistics" works on the first competition of the first country.
    run(kRovers, kUnited);
    EXPECT_EQ(statistics()[0], "Games: 3");
}

TEST(MainWindowStartUp, AMissingDatabaseIsShownAndTheRestOfTheStartUpSkipped)
{
    std::vector<QString> errors;
    Dialogs::setMessageHandler([&](Dialogs::Kind kind, const QString& text) {
        EXPECT_EQ(kind, Dialogs::Kind::Error);
        errors.push_back(text);
    });
    QTemporaryDir empty;
    std::unique_ptr<TMain> window;
    {
        const WorkingDirectory cwd(empty.path());
        window = std::make_unique<TMain>();
    }
    Dialogs::setMessageHandler({});
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_FALSE(errors[0].isEmpty());
    EXPECT_FALSE(window->Database1.isOpen());
    EXPECT_EQ(window->StringGrid1->cell(0, 0), ""); // no header row
    EXPECT_FALSE(window->Button1->isEnabled());     // nothing to show statistics of
    EXPECT_EQ(Main, window.get());
}

TEST_F(MainWindowTest, ChoosingACompetitionFillsTheTeamListsAndTheStatusLine)
{
    chooseCountry("Albion");
    main->ComboBox1->setEditText("Olimp (Zyx)"); // typed before: stays
    chooseCompetition("First Division");
    EXPECT_EQ(main->ComboBox1->entries(), (QStringList{kAthletic, kRovers, kUnited}));
    EXPECT_EQ(main->ComboBox2->entries(), main->ComboBox1->entries());
    EXPECT_EQ(main->ComboBox1->currentText(), "Olimp (Zyx)");
    EXPECT_EQ(main->ComboBox2->currentText(), "");
    EXPECT_TRUE(main->Button1->isEnabled());
    EXPECT_EQ(main->Label7->caption(), "Albion - First Division - 7 matches - Statistics for the period since "
                                       "01/01/2019 to 05/03/2022");
    EXPECT_FALSE(module->TableSortRes->isFiltered());
    EXPECT_EQ(module->TableTeam->recordCount(), 3);

    chooseCompetition("First Division"); // again: no duplicates
    EXPECT_EQ(main->ComboBox1->count(), 3);

    chooseCompetition("Reserve League");
    EXPECT_EQ(main->ComboBox1->entries(), QStringList{"Reserves (Ashby)"});
    EXPECT_EQ(main->Label7->caption(), "Albion - Reserve League - 0 matches - Statistics for the period since ? to ?");

    // A competition without teams leaves the lists empty and the button as it was.
    main->disableShowStatistics();
    chooseCompetition("Women");
    EXPECT_EQ(main->ComboBox1->count(), 0);
    EXPECT_FALSE(main->Button1->isEnabled());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindowTest, ChoosingACountryClearsTheResultAndDisablesShowStatistics)
{
    DBLookupComboBox leagueTableChooser;
    leagueTableChooser.setKeyField("Country");
    leagueTableChooser.setListField("Country");
    leagueTableChooser.setListSource(module->DataSourceCountry);
    QObject::connect(main.get(), &TMain::countryChosen, &leagueTableChooser,
                     [&] { leagueTableChooser.setListSource(nullptr); });

    chooseCountry("Albion");
    chooseCompetition("Reserve League");
    run(kRovers, kUnited, false, true);
    ASSERT_TRUE(main->SpeedButton1->isEnabled());

    chooseCountry("Albion"); // the same country again: its competition stays chosen
    EXPECT_EQ(main->Label7->caption(), "Albion");
    EXPECT_EQ(main->DBLookupComboBox1->text(), "Reserve League");
    EXPECT_EQ(module->TableDivision->asString("Division"), "Reserve League");
    EXPECT_TRUE(main->DBImage1->isVisibleTo(main.get()));
    EXPECT_TRUE(main->DBImage2->isVisibleTo(main.get()));
    EXPECT_EQ(main->ComboBox1->currentText(), "");
    EXPECT_EQ(main->ComboBox2->currentText(), "");
    EXPECT_EQ(main->ComboBox1->count(), 1); // the entries stay until the next competition
    EXPECT_EQ(main->statisticsText(), "");
    EXPECT_FALSE(main->SpeedButton1->isEnabled());
    EXPECT_EQ(main->StringGrid1->rowCount(), 1);
    EXPECT_EQ(leagueTableChooser.listSource(), nullptr);
    EXPECT_EQ(leagueTableChooser.count(), 0);
    EXPECT_FALSE(main->Button1->isEnabled());

    chooseCountry("Borduria"); // another country: the competition chooser shows nothing
    EXPECT_EQ(main->DBLookupComboBox1->text(), "");
    EXPECT_EQ(main->DBLookupComboBox1->count(), 1);
    EXPECT_EQ(module->TableDivision->asString("Division"), "Premier");
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindowTest, ACountryWithoutCompetitionsRefusesTheCompetitionChoice)
{
    chooseCountry("Albion");
    chooseCompetition("First Division");
    main->ComboBox1->setEditText(kRovers);
    chooseCountry("Carpania");
    main->ComboBox1->setEditText(kRovers);
    const QString status = main->Label7->caption();
    EXPECT_EQ(status, "Carpania");

    // The user drops the empty competition list down, which closes it at once.
    main->show();
    main->DBLookupComboBox1->showPopup();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Error);
    EXPECT_EQ(messages[0].text, "'' is not a valid integer value");
    EXPECT_EQ(main->ComboBox1->count(), 0);
    EXPECT_EQ(main->ComboBox1->currentText(), kRovers);
    EXPECT_EQ(main->Label7->caption(), status);
    EXPECT_FALSE(main->Button1->isEnabled());
    EXPECT_FALSE(module->TableSortRes->isFiltered());

    // "Show statistics" within the competition needs its code, too.
    main->ComboBox2->setEditText(kUnited);
    try {
        main->Button1Click();
        FAIL() << "the empty competition code was accepted";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "'' is not a valid integer value");
    }
    main->CheckBox2->setChecked(true); // every competition: no code needed
    main->Button1Click();
    EXPECT_EQ(statistics()[0], "Games: 4");
}

TEST_F(MainWindowTest, WorkedExampleListsTheMatchesNewestFirstAndComposesTheText)
{
    chooseCountry("Albion");
    chooseCompetition("First Division");
    run(kRovers, kUnited);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(main->StringGrid1->rowCount(), 4);
    EXPECT_EQ(row(0), (QStringList{"№", "Date", "Home", "Away", "Goals"}));
    EXPECT_EQ(row(1), (QStringList{"3.", "05/03/2022", kUnited, kRovers, "1 : 3"}));
    EXPECT_EQ(row(2), (QStringList{"2.", "01/02/2021", kUnited, kRovers, "0 : 0"}));
    EXPECT_EQ(row(3), (QStringList{"1.", "01/08/2020", kRovers, kUnited, "2 : 1"}));
    EXPECT_EQ(statistics(), (QStringList{"Games: 3", "Rovers (Ashby) wins: 2", " draws: 1", "United (Bexley) wins: 0",
                                         " Goals: 5:2", " Average goals: 2.33", "3 and more goals in 66.67% games"}));
    EXPECT_TRUE(main->SpeedButton1->isEnabled());
    EXPECT_TRUE(main->Gauge1->isHidden());
    EXPECT_EQ(main->Gauge1->progress(), 100);
    EXPECT_FALSE(module->TableSortRes->isFiltered());
    EXPECT_EQ(main->Label6->x() + main->Label6->width(), 488);
    EXPECT_GE(main->Label6->height(), 7 * main->Label6->fontMetrics().height());
}

TEST_F(MainWindowTest, CheckBoxesChooseTheOrderAndTheCompetitions)
{
    chooseCountry("Albion");
    chooseCompetition("First Division");

    run(kRovers, kUnited, true, false); // Rovers at home, this competition
    ASSERT_EQ(main->StringGrid1->rowCount(), 2);
    EXPECT_EQ(row(1), (QStringList{"1.", "01/08/2020", kRovers, kUnited, "2 : 1"}));

    run(kRovers, kUnited, true, true); // Rovers at home, every competition
    ASSERT_EQ(main->StringGrid1->rowCount(), 3);
    EXPECT_EQ(row(1), (QStringList{"2.", "10/01/2023", kRovers, kUnited, "4 : 4"}));
    EXPECT_EQ(row(2)[0], "1.");

    run(kRovers, kUnited, false, true); // both orders, every competition
    ASSERT_EQ(main->StringGrid1->rowCount(), 5);
    EXPECT_EQ(row(1)[0], "4.");
    EXPECT_EQ(row(4)[0], "1.");
    EXPECT_EQ(statistics(), (QStringList{"Games: 4", "Rovers (Ashby) wins: 2", " draws: 2", "United (Bexley) wins: 0",
                                         " Goals: 9:6", " Average goals: 3.75", "3 and more goals in 75.00% games"}));

    run(kUnited, kRovers, true, false); // United at home
    ASSERT_EQ(main->StringGrid1->rowCount(), 3);
    EXPECT_EQ(statistics()[1], "United (Bexley) wins: 0");
    EXPECT_EQ(statistics()[3], "Rovers (Ashby) wins: 1");
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindowTest, ATeamAgainstItselfAndAMatchWithoutGoals)
{
    chooseCountry("Albion");
    chooseCompetition("First Division");
    run(kRovers, kRovers);
    ASSERT_EQ(main->StringGrid1->rowCount(), 3);
    EXPECT_EQ(row(1), (QStringList{"2.", "02/02/2020", kRovers, kRovers, "0 : 1"}));
    EXPECT_EQ(statistics(), (QStringList{"Games: 2", "Rovers (Ashby) wins: 1", " draws: 0", "Rovers (Ashby) wins: 1",
                                         " Goals: 3:1", " Average goals: 2.00", "3 and more goals in 50.00% games"}));

    run(kAthletic, kRovers);
    ASSERT_EQ(main->StringGrid1->rowCount(), 3);
    EXPECT_EQ(row(2), (QStringList{"1.", "01/01/2019", kAthletic, kRovers, " : "}));
    EXPECT_EQ(statistics(), (QStringList{"Games: 2", "Athletic (Crewe) wins: 1", " draws: 1", "Rovers (Ashby) wins: 0",
                                         " Goals: 2:1", " Average goals: 1.50", "3 and more goals in 50.00% games"}));
}

TEST_F(MainWindowTest, NoMatchesGivesTheWarningAndKeepsThePrintState)
{
    QAction print; // the File menu's "Print", as the shell joins it
    QObject::connect(main.get(), &TMain::printEnabledChanged, &print, &QAction::setEnabled);
    chooseCountry("Albion");
    chooseCompetition("First Division");
    run(kRovers, kUnited);
    ASSERT_TRUE(main->SpeedButton1->isEnabled());

    run(kRovers, "Olimp (Zyx)");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Warning);
    EXPECT_EQ(messages[0].text, "Results not found!");
    EXPECT_EQ(main->StringGrid1->rowCount(), 1);
    EXPECT_EQ(main->statisticsText(), "");
    EXPECT_TRUE(main->SpeedButton1->isEnabled());
    EXPECT_FALSE(module->TableSortRes->isFiltered());

    run("rovers (Ashby)", kUnited); // letter case differs: not the stored label
    EXPECT_EQ(messages.size(), 2u);

    // Without a results report the menu's "Print" stays as the menu bar made it.
    print.setEnabled(false);
    run(kRovers, kUnited);
    EXPECT_FALSE(print.isEnabled());
    main->SpeedButton1->click();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].kind, Dialogs::Kind::Information);

    // With one, "Print" goes with the Print button and runs the report.
    int printed = 0;
    main->setResultsPrinter([&] { ++printed; });
    run(kRovers, kUnited);
    EXPECT_TRUE(print.isEnabled());
    main->SpeedButton1->click();
    EXPECT_EQ(printed, 1);
    chooseCountry("Borduria");
    EXPECT_FALSE(print.isEnabled());
    EXPECT_FALSE(main->SpeedButton1->isEnabled());
}

// --- the colours of the grid -------------------------------------------------------------

class GridColoursTest : public MainWindowTest
{
protected:
    QRect cellRect(int col, int r)
    {
        return main->StringGrid1->visualRect(main->StringGrid1->model()->index(r, col)).adjusted(0, 0, 0, -1);
    }
    QColor background(const QImage& shot, int col, int r)
    {
        const QRect rect = cellRect(col, r);
        return shot.pixelColor(rect.right() - 1, rect.top() + 1);
    }
    QImage shot() { return main->StringGrid1->viewport()->grab().toImage(); }
};

TEST_F(GridColoursTest, WinnersGreenLosersRedEverySecondRowGrey)
{
    chooseCountry("Albion");
    chooseCompetition("First Division");
    run(kRovers, kUnited);
    main->resize(600, 510);
    QImage image = shot();

    // Row 1: United 1 : 3 Rovers. Row 2: a draw. Row 3: Rovers 2 : 1 United.
    EXPECT_TRUE(hasNearColour(image, cellRect(2, 1), kRed));
    EXPECT_FALSE(hasNearColour(image, cellRect(2, 1), kGreen));
    EXPECT_TRUE(hasNearColour(image, cellRect(3, 1), kGreen));
    EXPECT_FALSE(hasNearColour(image, cellRect(3, 1), kRed));
    EXPECT_TRUE(hasNearColour(image, cellRect(2, 3), kGreen));
    EXPECT_TRUE(hasNearColour(image, cellRect(3, 3), kRed));
    for (int col = 0; col < 5; ++col) {
        EXPECT_FALSE(hasNearColour(image, cellRect(col, 2), kGreen));
        EXPECT_FALSE(hasNearColour(image, cellRect(col, 2), kRed));
        EXPECT_TRUE(hasNearColour(image, cellRect(col, 2), Qt::black)) << col; // the text is there
        EXPECT_EQ(background(image, col, 2), kGrey) << col;
        EXPECT_EQ(background(image, col, 1), QColor(Qt::white)) << col;
        EXPECT_EQ(background(image, col, 0), QColor(Qt::white)) << col;
        EXPECT_FALSE(hasNearColour(image, cellRect(col, 0), kGreen)); // the header row as drawn
    }
    EXPECT_FALSE(hasNearColour(image, cellRect(0, 1), kGreen));
    EXPECT_FALSE(hasNearColour(image, cellRect(4, 1), kRed));

    // The names are coloured by the texts in the team boxes as they stand now.
    main->ComboBox1->setEditText("Nobody (Nowhere)");
    main->ComboBox2->setEditText("Nobody (Nowhere)");
    image = shot();
    EXPECT_FALSE(hasNearColour(image, cellRect(2, 1), kRed));
    EXPECT_FALSE(hasNearColour(image, cellRect(3, 1), kGreen));
}

TEST_F(GridColoursTest, TheSelectedRowKeepsTheColoursAndTheGrey)
{
    chooseCountry("Albion");
    chooseCompetition("First Division");
    run(kRovers, kUnited, false, true); // 4 : 4, 1 : 3, 0 : 0, 2 : 1
    const QColor highlight = main->StringGrid1->palette().color(QPalette::Active, QPalette::Highlight);

    main->StringGrid1->selectRow(2); // United 1 : 3 Rovers, an even row
    QImage image = shot();
    EXPECT_EQ(background(image, 0, 2), kGrey);
    EXPECT_EQ(background(image, 4, 2), kGrey);
    EXPECT_TRUE(hasNearColour(image, cellRect(2, 2), kRed));
    EXPECT_TRUE(hasNearColour(image, cellRect(3, 2), kGreen));
    EXPECT_TRUE(hasNearColour(image, cellRect(0, 2), highlight)); // readable on the grey

    main->StringGrid1->selectRow(1); // the 4 : 4 draw, an odd row: a pale tint of the highlight
    image = shot();
    const QColor pale = background(image, 2, 1);
    EXPECT_EQ(background(image, 0, 1), pale);
    EXPECT_NE(pale, highlight);
    EXPECT_GT(pale.lightness(), 200);
    EXPECT_LT(pale.red(), pale.blue()); // still the highlight's hue
    EXPECT_FALSE(hasNearColour(image, cellRect(2, 1), kGreen));
    EXPECT_TRUE(hasNearColour(image, cellRect(2, 1), Qt::black, 16));

    main->StringGrid1->selectRow(4); // Rovers 2 : 1 United, even
    image = shot();
    EXPECT_EQ(background(image, 3, 4), kGrey);
    EXPECT_TRUE(hasNearColour(image, cellRect(2, 4), kGreen));
    EXPECT_TRUE(hasNearColour(image, cellRect(3, 4), kRed));

    // An odd row with a winner: the green and red names on the pale tint, where they read
    // about as well as on white.
    run(kRovers, kUnited); // 1 : 3, 0 : 0, 2 : 1
    main->StringGrid1->selectRow(1);
    image = shot();
    EXPECT_EQ(background(image, 2, 1), pale);
    EXPECT_TRUE(hasNearColour(image, cellRect(2, 1), kRed, 16));
    EXPECT_TRUE(hasNearColour(image, cellRect(3, 1), kGreen, 16));
}

// --- texts that must fit, and the frame ---------------------------------------------------

// The longest names there are: a country, a competition and labels of 40 characters and
// more, with dates in a German locale.
class LongTextsTest : public MainWindowTest
{
protected:
    void fill() override
    {
        db.addCountry(4, kCountry);
        db.addDivision(41, 4, kCompetition);
        db.addTeam(411, "Borussia Mönchengladbach", "Mönchengladbach", 41);
        db.addTeam(412, "Wolverhampton Wanderers", "Wolverhampton", 41);
        for (int i = 0; i < 12; ++i)
            db.addResult(100 + i, QDate(2010 + i, 12, 25), i % 2 ? 411 : 412, i % 2 ? 412 : 411,
                         i % 2 ? kLong1 : kLong2, i % 2 ? kLong2 : kLong1, i == 0 ? 1 : 2 + i % 3, 1, 41);
    }

    const QString kCountry = QStringLiteral("Bosnia and Herzegovina");
    const QString kCompetition = QStringLiteral("Premijer Liga Bosne i Hercegovine");
    const QString kLong1 = QStringLiteral("Borussia Mönchengladbach (Mönchengladbach)");
    const QString kLong2 = QStringLiteral("Wolverhampton Wanderers (Wolverhampton)");
};

TEST_F(LongTextsTest, TheStatusLineTheStatisticsAndTheGridShowTheirWholeTexts)
{
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    main->show(); // at the window's own size
    chooseCountry(kCountry);
    chooseCompetition(kCompetition);
    const QString status =
        kCountry + " - " + kCompetition + " - 12 matches - Statistics for the period since 25.12.2010 to 25.12.2021";
    EXPECT_EQ(main->Label7->caption(), status);
    // Whole, in a smaller font where needed, within the strip at the window's own size.
    EXPECT_EQ(main->Label7->text(), status);
    EXPECT_LE(main->Label7->geometry().right(), main->centralWidget()->width() - 8);
    EXPECT_GE(main->Label7->font().pointSizeF(), 6);

    run(kLong1, kLong2);
    ASSERT_EQ(main->StringGrid1->rowCount(), 13);
    // The statistics text stays right of the check boxes and above the grid.
    const QRect text = main->Label6->geometry();
    EXPECT_GT(text.left(), main->CheckBox1->geometry().right());
    EXPECT_GT(text.left(), main->CheckBox2->geometry().right());
    EXPECT_LE(text.right(), 488);
    EXPECT_LE(text.bottom(), main->StringGrid1->geometry().top());
    EXPECT_EQ(main->Label6->caption().split(QChar(13))[1], kLong1 + " wins: 6");
    // Shown whole in a smaller font, or cut with the whole text in the tooltip.
    const QString shown = QString(main->Label6->caption()).replace(QChar(13), '\n');
    EXPECT_TRUE(main->Label6->text() == shown || main->Label6->toolTip() == shown);

    // The grid's long labels are cut and shown whole in the tooltip; the short ones are not.
    EXPECT_EQ(main->StringGrid1->cellToolTip(2, 1), main->StringGrid1->cell(2, 1));
    EXPECT_EQ(main->StringGrid1->cellToolTip(3, 1), main->StringGrid1->cell(3, 1));
    EXPECT_EQ(main->StringGrid1->cellToolTip(4, 1), QString());
    EXPECT_EQ(main->StringGrid1->cellToolTip(1, 1), QString()); // a date fits its column
}

TEST_F(MainWindowTest, TheGridFillsTheWindowBelowTheControlsAtAnySize)
{
    main->show();
    QWidget* client = main->centralWidget();
    EXPECT_EQ(client->size(), QSize(498, 510));
    EXPECT_EQ(main->StringGrid1->geometry(), QRect(0, 240, 498, 270));

    main->resize(700, 700); // taller: no gap under the grid
    QApplication::processEvents();
    EXPECT_EQ(main->StringGrid1->geometry().bottom(), client->height() - 1);
    EXPECT_EQ(main->StringGrid1->geometry().top(), 240);
    EXPECT_EQ(main->StringGrid1->width(), client->width());

    main->resize(main->minimumSize()); // lower: the grid is shortened, the controls stay seen
    QApplication::processEvents();
    EXPECT_EQ(client->height(), 296);
    EXPECT_EQ(main->StringGrid1->geometry().top(), 240);
    EXPECT_EQ(main->StringGrid1->geometry().bottom(), 295);

    // It has no maximize button, and is not maximized by other means either.
    EXPECT_FALSE(main->windowFlags() & Qt::WindowMaximizeButtonHint);
    main->showMaximized();
    QTRY_VERIFY(!main->isMaximized());
}

TEST_F(MainWindowTest, TabLeavesTheGridAndEnterPressesShowStatistics)
{
    chooseCountry("Albion");
    chooseCompetition("First Division");
    main->ComboBox1->setEditText(kRovers);
    main->ComboBox2->setEditText(kUnited);
    main->show();
    main->Button1->setFocus();
    QTest::keyClick(main->Button1, Qt::Key_Return);
    EXPECT_EQ(main->StringGrid1->rowCount(), 4);

    main->StringGrid1->setFocus();
    main->StringGrid1->setCurrentCell(1, 1);
    QTest::keyClick(main->StringGrid1, Qt::Key_Tab);
    EXPECT_FALSE(main->StringGrid1->hasFocus());
    EXPECT_EQ(main->StringGrid1->currentColumn(), 1); // did not walk the cells
    EXPECT_TRUE(messages.empty());
}

// --- start-up with a database another program holds --------------------------------------

TEST(MainWindowStartUp, ALockedDatabaseMayBeTriedAgainOrLeftAlone)
{
    TestDatabase db;
    db.addCountry(1, "Albion");
    db.store().close();
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other program"));
    other.setDatabaseName(QDir(db.folder()).filePath(TableStore::fileName()));
    ASSERT_TRUE(other.open());
    auto lock = std::make_unique<QSqlQuery>(other);
    ASSERT_TRUE(lock->exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")));
    ASSERT_TRUE(lock->exec(QStringLiteral("BEGIN EXCLUSIVE")));

    QStringList errors, questions;
    Dialogs::setMessageHandler([&](Dialogs::Kind, const QString& text) { errors << text; });
    bool tryAgain = false;
    Dialogs::setQuestionHandler([&](Dialogs::Question question, const QString& text) {
        EXPECT_EQ(question, Dialogs::Question::RetryCancel);
        questions << text;
        if (tryAgain) { // the user closes the other program, then tries again
            lock->exec(QStringLiteral("COMMIT"));
            lock.reset();
            other.close();
        }
        return tryAgain;
    });
    const WorkingDirectory cwd(QFileInfo(db.folder()).path());
    {
        TMain cancelled; // the user gives up: no further message, nothing to run
        EXPECT_FALSE(cancelled.Database1.isOpen());
        EXPECT_FALSE(cancelled.Button1->isEnabled());
    }
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains("in use by another program")) << questions[0].toStdString();
    EXPECT_TRUE(errors.isEmpty());

    tryAgain = true;
    TMain window;
    EXPECT_TRUE(window.Database1.isOpen());
    EXPECT_EQ(questions.size(), 2);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(window.StringGrid1->cell(0, 0), "№");
    Dialogs::setMessageHandler({});
    Dialogs::setQuestionHandler({});
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("other program"));
}

// --- notes and the hooks for other windows ------------------------------------------------

TEST_F(MainWindowTest, AddToNoteAppendsThePairTheTextAndALine)
{
    const QString hyphens(50, QLatin1Char('-'));
    main->ComboBox1->setEditText(kRovers);
    main->ComboBox2->setEditText(kUnited);
    main->SpeedButton2->click(); // no result yet
    EXPECT_EQ(notice->text(), QStringList({"Rovers (Ashby) - United (Bexley)", "", hyphens}).join('\n'));
    EXPECT_TRUE(notice->isVisible());

    notice->ToolButton1Click();
    EXPECT_EQ(notice->text(), "");
    chooseCountry("Albion");
    chooseCompetition("First Division");
    run(kRovers, kUnited);
    main->SpeedButton2->click();
    main->SpeedButton2->click();
    const QStringList block{"Rovers (Ashby) - United (Bexley)",
                            "Games: 3",
                            "Rovers (Ashby) wins: 2",
                            " draws: 1",
                            "United (Bexley) wins: 0",
                            " Goals: 5:2",
                            " Average goals: 2.33",
                            "3 and more goals in 66.67% games",
                            hyphens};
    EXPECT_EQ(notice->text(), (block + block).join('\n'));

    // "Clear" can be undone.
    notice->ToolButton1->click();
    EXPECT_EQ(notice->text(), "");
    notice->Memo1->setFocus();
    QTest::keyClick(notice->Memo1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(notice->text(), (block + block).join('\n'));

    QTest::keyClick(notice->Memo1, Qt::Key_Escape); // hides; the text stays
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(notice->Memo1->blockCount(), 18);
    EXPECT_EQ(notice->windowTitle(), "Notes");
}

TEST_F(MainWindowTest, OtherWindowsDetachAndReattachTheCountryChooser)
{
    chooseCountry("Borduria");
    chooseCompetition("Premier");
    module->TableCountry->first(); // another window moves the shared country
    EXPECT_EQ(module->TableDivision->asString("Division"), "First Division");

    main->detachCountryChooser();
    EXPECT_EQ(main->DBLookupComboBox2->count(), 0);
    main->attachCountryChooser();
    EXPECT_EQ(module->TableCountry->asString("Country"), "Borduria");
    EXPECT_EQ(module->TableDivision->asString("Division"), "Premier");
    EXPECT_EQ(main->DBLookupComboBox2->text(), "Borduria");

    main->Button1->setEnabled(true);
    main->disableShowStatistics();
    EXPECT_FALSE(main->Button1->isEnabled());
}

} // namespace
