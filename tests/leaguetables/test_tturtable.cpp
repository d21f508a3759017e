#include "datamodule.h"
#include "dbfield.h"
#include "dbgrid.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "imagecolours.h"
#include "leaguetablefixture.h"
#include "stringgrid.h"
#include "tteamresults.h"
#include "tturtable.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QSqlQuery>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kGrey(239, 239, 239);

// The pixels of an area dark enough to be ink rather than background.
int inkPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
    return count;
}

class LeagueTableWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fillLeagueTables(db);
        db.exec("UPDATE TableHead SET Note = 'Ended early' WHERE Num = 111");
        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages << text; });
        // A modal window is shown and left open, so that the test can look at it.
        Dialogs::setModalHandler([this](QDialog& dialog) {
            modals << dialog.objectName();
            dialog.show();
            return 0;
        });
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        games = std::make_unique<TTeamResults>();
        window = std::make_unique<TTurTable>();
        QObject::connect(window.get(), &TTurTable::countryChosen, [this] { heard << "country"; });
        QObject::connect(window.get(), &TTurTable::competitionChosen, [this] { heard << "competition"; });
        QObject::connect(window.get(), &TTurTable::closed, [this] { heard << "closed"; });
        window->show();
    }

    void TearDown() override
    {
        window.reset();
        games.reset();
        module.reset();
        Dialogs::setMessageHandler({});
        Dialogs::setModalHandler({});
    }

    void choose(const QString& country, const QString& competition, const QString& season = QString())
    {
        ASSERT_TRUE(window->DBLookupComboBox2->chooseText(country));
        ASSERT_TRUE(window->DBLookupComboBox1->chooseText(competition));
        if (!season.isEmpty()) {
            ASSERT_TRUE(window->DBLookupComboBox3->chooseText(season));
        }
    }

    QString gridCell(int row, int col)
    {
        DBGridModel* model = window->DBGrid1->gridModel();
        model->refresh();
        model->fetch(0, model->rowCount() - 1);
        return model->data(model->index(row, col)).toString();
    }

    void selectRow(int row)
    {
        window->DBGrid1->gridModel()->refresh();
        const QRect cell = window->DBGrid1->visualRect(window->DBGrid1->gridModel()->index(row, 1));
        QTest::mouseClick(window->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // Changes a field of a team's row of the season, as the season table editor does.
    void setRowValue(int team, const QString& field, const QVariant& value)
    {
        TableView* rows = module->TableTableDet;
        ASSERT_TRUE(rows->locate("CodeTeam", team));
        rows->edit();
        rows->setValue(field, value);
        rows->post();
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    std::unique_ptr<TTeamResults> games;
    std::unique_ptr<TTurTable> window;
    QStringList messages;
    QStringList modals;
    QStringList heard;
};

TEST_F(LeagueTableWindowTest, ChoosingASeasonRanksAndShowsItsRows)
{
    EXPECT_EQ(window->windowTitle(), "League table");
    // Every tool button fits in the window's width: none is put away behind the tool bar's
    // overflow arrow.
    for (QToolButton* button : window->ToolBar1->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        if (button->objectName().startsWith("ToolButton")) {
            EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
            EXPECT_LE(button->geometry().right(), window->ToolBar1->width()) << button->objectName().toStdString();
        }
    }
    for (QToolButton* button : {window->ToolButton4, window->ToolButton6, window->ToolButton7})
        EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(window->DBImage1->isVisible());
    choose("Albion", "League");
    EXPECT_TRUE(window->DBImage1->isVisible());
    EXPECT_EQ(heard, (QStringList{"country", "competition"}));
    EXPECT_EQ(window->DBGrid1->dataSource(), nullptr); // empty until a season is chosen
    EXPECT_EQ(window->DBEdit1->text(), "");

    ASSERT_TRUE(window->DBLookupComboBox3->chooseText("2020/21"));
    for (QToolButton* button : {window->ToolButton4, window->ToolButton6, window->ToolButton7})
        EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(window->DBEdit1->text(), "01/08/2020");
    EXPECT_EQ(window->DBEdit2->text(), "31/05/2021");
    EXPECT_EQ(window->DBMemo1->toPlainText(), "Ended early");
    EXPECT_EQ(window->DBMemo1->palette().color(QPalette::Text), QColor(Qt::red));
    ASSERT_EQ(window->DBGrid1->gridModel()->rowCount(), 20);
    QStringList titles;
    for (int c = 0; c < 9; ++c)
        titles << window->DBGrid1->gridModel()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"№", "Team", "G", "W", "D", "L", "GS", "GA", "P"}));
    for (int r = 0; r < 20; ++r)
        EXPECT_EQ(gridCell(r, 0), QString::number(r + 1));
    EXPECT_EQ(gridCell(0, 1), "T01 (C01)");
    EXPECT_EQ(gridCell(19, 1), "T20 (C20)");
    QSqlQuery q = db.store().exec("SELECT Position FROM TableDet WHERE CodeTeam IN (5, 6) ORDER BY Position", {}, "t");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 5);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 6);

    // Choosing another competition empties the table again, also across closing and
    // showing the window, until a season is chosen; no team of the hidden rows is shown.
    heard.clear();
    ASSERT_TRUE(window->DBLookupComboBox1->chooseText("League"));
    EXPECT_EQ(window->DBGrid1->dataSource(), nullptr);
    EXPECT_EQ(module->TableSortDet->recordCount(), 20);
    window->ToolButton1->click();
    window->ToolButton2->click();
    EXPECT_FALSE(window->Panel1->isVisible());
    EXPECT_TRUE(modals.isEmpty());
    ASSERT_TRUE(window->DBLookupComboBox1->chooseText("Cup"));
    EXPECT_EQ(heard, (QStringList{"competition", "competition"}));
    EXPECT_EQ(window->DBGrid1->dataSource(), nullptr);
    window->close();
    EXPECT_FALSE(module->TableSortDet->isFiltered());
    EXPECT_EQ(heard, (QStringList{"competition", "competition", "closed"}));
    window->show();
    EXPECT_EQ(window->DBGrid1->dataSource(), nullptr);
    EXPECT_EQ(window->DBLookupComboBox2->text(), "Albion");
    EXPECT_EQ(window->DBLookupComboBox1->text(), "Cup");
    EXPECT_TRUE(window->ToolButton4->isEnabled()); // stays enabled for the run
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(LeagueTableWindowTest, ShowingAgainBringsBackTheChoicesAndTheStoredPositions)
{
    choose("Albion", "League", "2020/21");
    window->close();
    // A refresh in the season table editor changes the figures, not the positions.
    setRowValue(1, "Points", 0);
    // Another window makes Borduria current and detaches this window's country chooser.
    ASSERT_TRUE(module->TableCountry->locate("Code", 2));
    window->detachCountryChooser();
    EXPECT_EQ(window->DBLookupComboBox2->text(), "");

    window->show();
    EXPECT_EQ(window->DBLookupComboBox2->text(), "Albion");
    EXPECT_EQ(window->DBLookupComboBox1->text(), "League");
    EXPECT_EQ(window->DBLookupComboBox3->text(), "2020/21");
    EXPECT_EQ(module->TableCountry->asString("Country"), "Albion");
    EXPECT_EQ(gridCell(0, 0), "2");
    EXPECT_EQ(gridCell(0, 1), "T02 (C02)");
    EXPECT_EQ(gridCell(19, 0), "1");
    EXPECT_EQ(gridCell(19, 1), "T01 (C01)");
    // Choosing the season again numbers the rows anew.
    window->DBLookupComboBox3->choose(-1);
    EXPECT_EQ(gridCell(0, 0), "1");
    EXPECT_EQ(gridCell(19, 0), "20");
    EXPECT_EQ(gridCell(19, 1), "T01 (C01)");
}

TEST_F(LeagueTableWindowTest, TheTeamPanelFollowsTheSelectedRow)
{
    choose("Albion", "League", "2020/21");
    EXPECT_FALSE(window->Panel1->isVisible());
    window->ToolButton1->click();
    EXPECT_TRUE(window->Panel1->isVisible());
    EXPECT_EQ(window->DBText1->text(), "T01");
    EXPECT_EQ(window->DBText1->toolTip(), "Показать подробную информацию");
    selectRow(2);
    EXPECT_EQ(module->TableSortDet->asString("Team"), "T03 (C03)");
    EXPECT_EQ(window->DBText1->text(), "T03");
    QTest::keyClick(window->DBGrid1, Qt::Key_Down);
    EXPECT_EQ(window->DBText1->text(), "T04");
    // The context menu's entry hides the open panel, as the button does.
    window->N1->trigger();
    EXPECT_FALSE(window->Panel1->isVisible());

    // A row whose label has no "(": only a team without a short name can be shown.
    setRowValue(4, "Team", "Plain");
    window->DBLookupComboBox3->choose(-1); // ranks the season again
    selectRow(3);
    EXPECT_EQ(module->TableSortDet->asString("Team"), "Plain");
    window->ToolButton1->click();
    EXPECT_TRUE(window->Panel1->isVisible());
    EXPECT_EQ(module->TableSortTeam->recordCount(), 1);
    EXPECT_EQ(module->TableSortTeam->asInteger("Code"), 21);
    EXPECT_EQ(window->DBText1->text(), "");

    // A click on the panel hides it and opens the teams browser, once one is installed.
    QTest::mouseClick(window->DBText1, Qt::LeftButton);
    EXPECT_FALSE(window->Panel1->isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("not available yet"));
    int browsed = 0;
    window->setTeamBrowser([&] { ++browsed; });
    window->ToolButton1->click();
    QTest::mouseClick(window->DBImage3, Qt::LeftButton);
    EXPECT_EQ(browsed, 1);
    EXPECT_FALSE(window->Panel1->isVisible());

    window->close();
    EXPECT_FALSE(module->TableSortTeam->isFiltered());
}

TEST_F(LeagueTableWindowTest, PrintAndExportCallTheirCommandsOnceInstalled)
{
    choose("Albion", "League", "2020/21");
    for (QToolButton* button : {window->ToolButton4, window->ToolButton6, window->ToolButton7, window->ToolButton5})
        button->click();
    EXPECT_EQ(messages, (QStringList{"Printing is not available yet.", "Print preview is not available yet.",
                                     "Export to PDF is not available yet.", "Export to Excel is not available yet."}));
    QStringList called;
    window->setPrinter([&] { called << "print"; });
    window->setPreviewer([&] { called << "preview"; });
    window->setPdfExporter([&] { called << "pdf"; });
    window->setExcelExporter([&] { called << "excel"; });
    for (QToolButton* button : {window->ToolButton4, window->ToolButton6, window->ToolButton7, window->ToolButton5})
        button->click();
    EXPECT_EQ(called, (QStringList{"print", "preview", "pdf", "excel"}));
}

class TeamGamesWindowTest : public LeagueTableWindowTest
{
protected:
    QRect cellRect(int col, int r)
    {
        StringGrid* grid = games->StringGrid1;
        return grid->visualRect(grid->model()->index(r, col)).adjusted(0, 0, 0, -1);
    }
    QColor background(const QImage& shot, int col, int r)
    {
        const QRect rect = cellRect(col, r);
        return shot.pixelColor(rect.right() - 1, rect.top() + 1);
    }
    QImage shot() { return games->StringGrid1->viewport()->grab().toImage(); }
};

TEST_F(TeamGamesWindowTest, ListsTheTeamsGamesOfTheSeason)
{
    choose("Albion", "League", "2020/21");
    window->ToolButton2->click(); // the first row: T01
    ASSERT_EQ(modals, QStringList{"TeamResults"});
    EXPECT_EQ(games->windowTitle(), "Games: T01 (C01) season 2020/21");
    StringGrid* grid = games->StringGrid1;
    ASSERT_EQ(grid->rowCount(), 35);
    EXPECT_EQ(grid->fixedRows(), 0);
    QStringList header, first, last;
    for (int c = 0; c < 5; ++c) {
        header << grid->cell(c, 0);
        first << grid->cell(c, 1);
        last << grid->cell(c, 34);
    }
    EXPECT_EQ(header, (QStringList{"№", "Date", "Home", "Away", "Goals"}));
    EXPECT_EQ(first, (QStringList{"1.", "01/08/2020", "T01 (C01)", "T02 (C02)", "10 : 2"}));
    EXPECT_EQ(last, (QStringList{"34.", "31/05/2021", "T08 (C08)", "T01 (C01)", "2 : 2"}));
    EXPECT_TRUE(module->TableResults->isFiltered());
    games->close();
    EXPECT_FALSE(module->TableResults->isFiltered());

    // A double click on another row lists that team's games; the list is made anew.
    selectRow(1);
    emit window->DBGrid1->dblClick();
    EXPECT_EQ(games->windowTitle(), "Games: T02 (C02) season 2020/21");
    EXPECT_EQ(grid->rowCount(), 2);
    games->close();
    window->N2->trigger();
    EXPECT_EQ(modals.size(), 3);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(TeamGamesWindowTest, TheTeamsNameIsBoldAndColouredEveryEvenRowGrey)
{
    choose("Albion", "League", "2020/21");
    window->ToolButton2->click();
    games->resize(600, 700);
    QImage image = shot();
    // Row 1: T01 won 10 : 2 at home. Row 2: an away draw. Row 3: a home loss. Row 4: an
    // away win. Row 5: a score never entered.
    EXPECT_TRUE(hasNearColour(image, cellRect(2, 1), kGreen));
    EXPECT_FALSE(hasNearColour(image, cellRect(3, 1), kRed)); // the opponent stays plain
    EXPECT_FALSE(hasNearColour(image, cellRect(3, 2), kGreen));
    EXPECT_FALSE(hasNearColour(image, cellRect(3, 2), kRed));
    EXPECT_TRUE(hasNearColour(image, cellRect(2, 3), kRed));
    EXPECT_TRUE(hasNearColour(image, cellRect(3, 4), kGreen));
    EXPECT_FALSE(hasNearColour(image, cellRect(2, 5), kGreen));
    EXPECT_FALSE(hasNearColour(image, cellRect(2, 5), kRed));
    for (int col = 0; col < 5; ++col) {
        EXPECT_EQ(background(image, col, 2), kGrey) << col;
        EXPECT_EQ(background(image, col, 4), kGrey) << col;
        EXPECT_EQ(background(image, col, 3), QColor(Qt::white)) << col;
        EXPECT_EQ(background(image, col, 0), QColor(Qt::white)) << col;
    }
    // Bold: the team's name holds more ink than an opponent's name of as many letters.
    EXPECT_GT(inkPixels(image, cellRect(2, 5)), inkPixels(image, cellRect(2, 2)) * 5 / 4); // T01 (C01), T03 (C03)
    EXPECT_GT(inkPixels(image, cellRect(2, 2)), 0);

    // The selected even row stays grey, its names keep their marks.
    games->StringGrid1->selectRow(4);
    image = shot();
    EXPECT_EQ(background(image, 0, 4), kGrey);
    EXPECT_TRUE(hasNearColour(image, cellRect(3, 4), kGreen));
    games->close();
}

} // namespace
