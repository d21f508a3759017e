#include "datamodule.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "seasontable.h"
#include "testdatabase.h"
#include "tturtableedit.h"

#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct Message
{
    Dialogs::Kind kind;
    QString text;
};

// Albion: "League" with two teams and season 111, "Empty" without teams, season 121;
// Borduria: "Top" with a team and no season.
class TurTableEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addCountry(2, "Borduria");
        db.addDivision(11, 1, "League");
        db.addDivision(12, 1, "Empty");
        db.addDivision(21, 2, "Top");
        db.addTeam(111, "Alpha", "Aton", 11);
        db.addTeam(112, "Beta", "Bton", 11);
        db.addTeam(211, "Gamma", "Gton", 21);
        db.addSeason(111, "2020/21", 11, {2020, 8, 1}, {2021, 5, 31});
        db.addSeason(121, "2020/21", 12, {2020, 8, 1}, {2021, 5, 31});
        db.addResult(1, {2020, 9, 1}, 111, 112, "Alpha (Aton)", "Beta (Bton)", 2, 1, 11);
        Dialogs::setMessageHandler([this](Dialogs::Kind kind, const QString& text) {
            messages.push_back({kind, text});
        });
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        window = std::make_unique<TTurTableEdit>();
        window->connectDataModule();
    }
    void TearDown() override { Dialogs::setMessageHandler({}); }

    void choose(const QString& country, const QString& competition)
    {
        ASSERT_TRUE(window->DBLookupComboBox2->chooseText(country));
        ASSERT_TRUE(window->DBLookupComboBox1->chooseText(competition));
    }
    int rows() { return db.scalar("SELECT COUNT(*) FROM TableDet").toInt(); }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    std::unique_ptr<TTurTableEdit> window;
    std::vector<Message> messages;
};

} // namespace

TEST_F(TurTableEditTest, TheCountryChooserShowsThePicturesAndLooksTheCompetitionUpAgain)
{
    EXPECT_TRUE(window->DBImage1->isHidden() && window->DBImage2->isHidden());
    choose("Albion", "League");
    EXPECT_FALSE(window->DBImage1->isHidden() || window->DBImage2->isHidden());
    ASSERT_TRUE(window->DBLookupComboBox2->chooseText("Borduria"));
    EXPECT_EQ(window->DBLookupComboBox1->text(), ""); // League is not Borduria's
    ASSERT_TRUE(window->DBLookupComboBox2->chooseText("Albion"));
    EXPECT_EQ(window->DBLookupComboBox1->text(), ""); // forgotten when not found
    choose("Albion", "Empty");
    ASSERT_TRUE(window->DBLookupComboBox2->chooseText("Albion"));
    EXPECT_EQ(window->DBLookupComboBox1->text(), "Empty");
    EXPECT_EQ(module->TableDivision->asInteger("Code"), 12);
}

TEST_F(TurTableEditTest, FillRefreshRowButtonsAndSeasonsWorkOnTheCurrentSeason)
{
    choose("Albion", "League");
    window->Button1->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(db.scalar("SELECT Points FROM TableDet WHERE CodeTeam = 111").toInt(), 3);
    window->BitBtn1->click();
    EXPECT_EQ(rows(), 2);

    // A row deleted at once, without a question.
    window->Button2->click();
    EXPECT_EQ(rows(), 1);
    EXPECT_TRUE(messages.empty());

    // A new season gets its number by the rule; deleting it goes without a question, and
    // deleting a season leaves its rows in the table.
    window->ToolButton1->click();
    EXPECT_EQ(module->TableTableHead->state(), TableView::State::Insert);
    module->TableTableHead->setValue("Name", "2021/22");
    window->ToolButton4->click();
    EXPECT_EQ(db.scalar("SELECT Name FROM TableHead WHERE Num = 112").toString(), "2021/22");
    ASSERT_TRUE(module->TableTableHead->locate("Num", 111));
    window->ToolButton2->click();
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM TableHead WHERE CodeDivision = 11").toInt(), 1);
    EXPECT_EQ(rows(), 1);

    // Closing switches the results filter off.
    module->TableResults->setFilterText("(Division='11')");
    module->TableResults->setFiltered(true);
    window->show();
    window->close();
    EXPECT_FALSE(module->TableResults->isFiltered());
    EXPECT_TRUE(messages.empty());
}

TEST_F(TurTableEditTest, AFillThatCannotRunSaysWhyAndLeavesNoRow)
{
    choose("Albion", "Empty");
    window->Button1->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Error);
    EXPECT_EQ(messages[0].text, SeasonTable::noTeamsMessage());

    choose("Borduria", "Top"); // a team but no season
    window->Button1->click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "'' is not a valid date");
    EXPECT_EQ(module->TableTableDet->state(), TableView::State::Browse);
    EXPECT_EQ(rows(), 0);
}

TEST_F(TurTableEditTest, AStoreErrorWhileSavingARowIsShownAndTheRowStaysInEditing)
{
    choose("Albion", "League");
    window->Button1->click();
    db.exec("CREATE TRIGGER locked BEFORE UPDATE ON TableDet BEGIN SELECT RAISE(ABORT, 'row locked'); END");
    window->show();
    TableView& det = *module->TableTableDet;
    det.edit();
    det.setValue("Kf", 1.25);
    window->Button3->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("row locked")) << messages[0].text.toStdString();
    EXPECT_EQ(det.state(), TableView::State::Edit);
    EXPECT_TRUE(window->isVisible());
}
