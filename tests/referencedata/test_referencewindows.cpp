// The teams browser, the stadium photo window and the editors, driven as a user drives them.
#include "datamodule.h"
#include "dbgrid.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "stringgrid.h"
#include "tcountryedit.h"
#include "testdatabase.h"
#include "tfullsize.h"
#include "tstadiumedit.h"
#include "tteam.h"
#include "tteamedit.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QByteArray png(const QColor& colour, QSize size = {8, 6})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Albion: "League" with Ash and Birch, "Empty" without teams; two stadiums with photos.
class ReferenceWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addDivision(11, 1, "League");
        db.addDivision(12, 1, "Empty");
        db.addStadium(11, "Park", 45000, 1);
        db.addStadium(12, "Ground", 1200, 1);
        db.addTeam(111, "Ash", "Aton", 11, 11, "Ash Athletic");
        db.addTeam(112, "Birch", "Bton", 11, 12, "Birch Rovers");
        for (int n = 1; n <= 4; ++n)
            db.exec(QStringLiteral("UPDATE Stadium SET LogoStadium%1 = ?").arg(n), {png(Qt::red, {10 * n, 8})});
        db.exec("UPDATE Team SET Logo = ?", {png(Qt::blue)});
        db.addSeason(111, "2020", 11, {2020, 1, 1}, {2020, 12, 31});
        db.addSeason(112, "2021", 11, {2021, 1, 1}, {2021, 12, 31});
        db.exec("INSERT INTO TableDet (CodeSeason, CodeTeam, Team, Position, Points) VALUES "
                "(111, 111, 'Ash (Aton)', 2, 40), (112, 111, 'Ash (Aton)', 1, 51)");

        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages << text; });
        m = std::make_unique<TDataModule1>(db.store());
        m->DataModuleCreate();
    }

    void TearDown() override
    {
        Dialogs::setMessageHandler({});
        Dialogs::setModalHandler({});
    }

    QVariant scalar(const QString& sql) { return db.scalar(sql); }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
    QStringList messages;
};

class TeamBrowserTest : public ReferenceWindowsTest
{
protected:
    void SetUp() override
    {
        ReferenceWindowsTest::SetUp();
        photo = std::make_unique<TFullSize>();
        browser = std::make_unique<TTeam>();
        photo->setFocusedThumbnail([this] { return browser->focusedThumbnail(); });
        browser->connectDataModule();
    }

    QStringList history()
    {
        QStringList rows;
        for (int r = 0; r < browser->StringGrid1->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << browser->StringGrid1->cell(c, r);
            rows << cells.join('|');
        }
        return rows;
    }

    std::unique_ptr<TFullSize> photo;
    std::unique_ptr<TTeam> browser;
};

TEST_F(TeamBrowserTest, ChoosingACompetitionListsItsTeamsWithTheFirstTeamsHistoryAndStadium)
{
    browser->show();
    EXPECT_EQ(browser->DBGrid1->dataSource(), nullptr); // empty until a competition is chosen
    EXPECT_EQ(history(), QStringList({"Season|Competition|№|P"}));
    ASSERT_TRUE(browser->DBLookupComboBox1->chooseText("Albion"));
    ASSERT_TRUE(browser->DBLookupComboBox2->chooseText("League"));
    QApplication::processEvents(); // the grid reads its new rows once the event is handled
    EXPECT_EQ(browser->DBGrid1->dataSource(), m->DataSourceSortTeam);
    EXPECT_EQ(browser->DBGrid1->model()->rowCount(), 2);
    EXPECT_EQ(history(), QStringList({"Season|Competition|№|P", "2021|League|1|51", "2020|League|2|40"}));
    EXPECT_EQ(browser->DBEdit1->text(), "Park");
    EXPECT_EQ(browser->DBText1->text(), "45 000");
    EXPECT_EQ(browser->windowTitle(), "Teams");

    // Birch, without table rows: the header only; the title names the team.
    m->TableSortTeam->next();
    browser->DBGrid1CellClick();
    EXPECT_EQ(history(), QStringList({"Season|Competition|№|P"}));
    EXPECT_EQ(browser->windowTitle(), "Teams - \"Birch\"");
    EXPECT_EQ(browser->DBEdit1->text(), "Ground");

    browser->close();
    EXPECT_EQ(browser->windowTitle(), QString::fromUtf8("Команды"));
    EXPECT_FALSE(m->TableSortTeam->isFiltered());
}

TEST_F(TeamBrowserTest, FromTheViewersPanelBothChoosersAreBlankAndOnlyThePanelsTeamIsListed)
{
    ASSERT_TRUE(browser->DBLookupComboBox1->chooseText("Albion"));
    m->TableSortTeam->setFilterText("(ShortName='Ash')");
    m->TableSortTeam->setFiltered(true);
    QStringList seen;
    Dialogs::setModalHandler([&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        seen << browser->DBLookupComboBox1->currentText() << browser->DBLookupComboBox2->currentText()
             << QString::number(browser->DBGrid1->model()->rowCount())
             << QString::number(browser->StringGrid1->rowCount());
        dialog.reject();
        return 0;
    });
    browser->showForPanelTeam();
    EXPECT_EQ(seen, QStringList({"", "", "1", "3"}));
    EXPECT_FALSE(m->TableSortTeam->isFiltered());

    // Opened from the menu afterwards, the choosers come back with their choices.
    browser->show();
    EXPECT_EQ(browser->DBLookupComboBox1->currentText(), "Albion");
}

TEST_F(TeamBrowserTest, TheSecondThumbnailOpensThePhotoWindowOnTheSecondPhoto)
{
    browser->show();
    ASSERT_TRUE(browser->DBLookupComboBox1->chooseText("Albion"));
    ASSERT_TRUE(browser->DBLookupComboBox2->chooseText("League"));
    QString title;
    int shown = 0;
    bool secondIsDefault = false;
    Dialogs::setModalHandler([&](QDialog& dialog) {
        dialog.show();
        title = dialog.windowTitle();
        shown = photo->photo();
        secondIsDefault = photo->Button2->isDefault() && !photo->Button1->isDefault();
        dialog.reject();
        return 0;
    });
    QTest::mouseClick(browser->DBImage4, Qt::LeftButton);
    EXPECT_EQ(title, "Ash Athletic");
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(secondIsDefault);
    EXPECT_EQ(photo->DBImage1->picture().width(), 20); // the second photo at its own size

    photo->Button4->click();
    EXPECT_EQ(photo->DBImage1->dataField(), "LogoStadium4");
    EXPECT_TRUE(photo->Button4->isDefault() && !photo->Button2->isDefault());
}

class EditorsTest : public ReferenceWindowsTest
{
protected:
    void SetUp() override
    {
        ReferenceWindowsTest::SetUp();
        stadiums = std::make_unique<TStadiumEdit>();
        teams = std::make_unique<TTeamEdit>();
        stadiums->setStadiumPick([this] { teams->StadiumPicked(); });
        stadiums->connectDataModule();
        teams->connectDataModule();
        ASSERT_TRUE(teams->DBLookupComboBox1->chooseText("Albion"));
        ASSERT_TRUE(teams->DBLookupComboBox2->chooseText("League"));
    }

    std::unique_ptr<TStadiumEdit> stadiums;
    std::unique_ptr<TTeamEdit> teams;
};

TEST_F(EditorsTest, ConfirmWithNothingEditedChangesNothing)
{
    TCountryEdit countries;
    countries.connectDataModule();
    countries.ToolButton4->click();
    teams->ToolButton4->click();
    EXPECT_EQ(m->TableTeam->state(), TableView::State::Browse);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Team").toInt(), 2);
    EXPECT_TRUE(messages.isEmpty());

    countries.Button1->click(); // "Редактировать запись"
    EXPECT_EQ(m->TableCountry->state(), TableView::State::Edit);
    countries.ToolButton4->click();
    EXPECT_EQ(m->TableCountry->state(), TableView::State::Browse);
}

TEST_F(EditorsTest, AnEmptiedPhotoIsWrittenOnMovingAnEmptiedLogoAtOnce)
{
    ASSERT_TRUE(m->TableStadium->locate("Code", 11));
    stadiums->Button2->click();
    EXPECT_EQ(m->TableStadium->state(), TableView::State::Edit);
    EXPECT_FALSE(scalar("SELECT LogoStadium2 FROM Stadium WHERE Code = 11").isNull());
    m->TableStadium->next();
    EXPECT_TRUE(scalar("SELECT LogoStadium2 FROM Stadium WHERE Code = 11").isNull());
    EXPECT_FALSE(scalar("SELECT LogoStadium1 FROM Stadium WHERE Code = 11").isNull());

    ASSERT_TRUE(m->TableTeam->locate("Code", 112));
    teams->Button1->click();
    EXPECT_EQ(m->TableTeam->state(), TableView::State::Browse);
    EXPECT_TRUE(scalar("SELECT Logo FROM Team WHERE Code = 112").isNull());
    EXPECT_FALSE(scalar("SELECT Logo FROM Team WHERE Code = 111").isNull());
}

TEST_F(EditorsTest, SearchesMatchExactlyAndStaySilentOtherwise)
{
    ASSERT_TRUE(m->TableTeam->locate("Code", 112));
    teams->Edit1->setText("ash");
    teams->ToolButton6->click();
    EXPECT_EQ(m->TableTeam->asInteger("Code"), 112);
    teams->Edit1->setText("Ash");
    teams->ToolButton6->click();
    EXPECT_EQ(m->TableTeam->asInteger("Code"), 111);

    ASSERT_TRUE(m->TableStadium->locate("Code", 11));
    stadiums->Edit1->setText("GROUND");
    stadiums->ToolButton6->click();
    EXPECT_EQ(m->TableStadium->asInteger("Code"), 11);
    stadiums->Edit1->setText("Ground");
    stadiums->ToolButton6->click();
    EXPECT_EQ(m->TableStadium->asInteger("Code"), 12);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(EditorsTest, ADoubleClickAssignsTheStadiumOnlyWhenTheTeamEditorIsShowing)
{
    // From the menu: nothing happens to the team.
    ASSERT_TRUE(m->TableStadium->locate("Code", 12));
    stadiums->DBGrid1DblClick();
    EXPECT_EQ(scalar("SELECT Stadium FROM Team WHERE Code = 111").toInt(), 11);
    EXPECT_EQ(m->TableTeam->state(), TableView::State::Browse);

    // From the team's Stadium cell: the editor opens on the team's stadium; a double click
    // on another one gives it to the team and closes the editor.
    teams->show();
    ASSERT_TRUE(m->TableTeam->locate("Code", 111));
    int openedOn = 0;
    bool closed = false;
    Dialogs::setModalHandler([&](QDialog& dialog) {
        dialog.show();
        openedOn = static_cast<int>(m->TableStadium->asInteger("Code"));
        m->TableStadium->locate("Code", 12);
        stadiums->DBGrid1DblClick();
        for (int i = 0; i < 100 && dialog.isVisible(); ++i)
            QApplication::processEvents();
        closed = !dialog.isVisible();
        return 0;
    });
    teams->DBGrid1EditButtonClick();
    EXPECT_EQ(openedOn, 11);
    EXPECT_TRUE(closed);
    EXPECT_EQ(scalar("SELECT Stadium FROM Team WHERE Code = 111").toInt(), 12);
    EXPECT_EQ(m->TableTeam->state(), TableView::State::Browse);
}

TEST_F(EditorsTest, TheCountLabelFollowsTheChooserOnly)
{
    EXPECT_EQ(teams->Label4->text(), QString::fromUtf8("Кол-во команд: 2"));
    teams->ToolButton1->click(); // a new team of the competition
    m->TableTeam->setValue("ShortName", "Cedar");
    teams->ToolButton4->click();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Team").toInt(), 3);
    EXPECT_EQ(teams->Label4->text(), QString::fromUtf8("Кол-во команд: 2"));
    teams->DBLookupComboBox2->choose(-1); // closed again without a new choice
    EXPECT_EQ(teams->Label4->text(), QString::fromUtf8("Кол-во команд: 3"));
    ASSERT_TRUE(teams->DBLookupComboBox2->chooseText("Empty"));
    EXPECT_EQ(teams->Label4->text(), QString::fromUtf8("Кол-во команд: 0"));
}

TEST_F(EditorsTest, ARefusalIsTheDataLayersMessageAndTheRecordStays)
{
    ASSERT_TRUE(teams->DBLookupComboBox2->chooseText("Empty"));
    teams->ToolButton2->click(); // delete in an empty view
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("empty")) << messages[0].toStdString();

    // A second stadium with the code of the first: refused by the table's key.
    ASSERT_TRUE(m->TableStadium->locate("Code", 12));
    m->TableStadium->edit();
    m->TableStadium->setValue("Code", 11);
    stadiums->ToolButton4->click();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Stadium WHERE Code = 12").toInt(), 1);
    EXPECT_EQ(m->TableStadium->asInteger("Code"), 11); // still as typed, in editing
    EXPECT_EQ(m->TableStadium->state(), TableView::State::Edit);
}

} // namespace
