#include "datamodule.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "stringgrid.h"
#include "testdatabase.h"
#include "textlabel.h"
#include "tstatistic.h"

#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct Message
{
    Dialogs::Kind kind;
    QString text;
};

// Albion: "League" with three seasons, "Cup" with one, "Empty" without results;
// Borduria: "Top" with a season lacking its first day.
class StatisticWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addCountry(2, "Borduria");
        db.addDivision(11, 1, "League");
        db.addDivision(12, 1, "Cup");
        db.addDivision(13, 1, "Empty");
        db.addDivision(21, 2, "Top");
        db.addSeason(111, "2019/20", 11, {2019, 8, 1}, {2020, 5, 31});
        db.addSeason(112, "2020/21", 11, {2020, 8, 1}, {2021, 5, 31});
        db.addSeason(113, "2021/22", 11, {2021, 8, 1}, {2022, 5, 31});
        db.addSeason(121, "2020", 12, {2020, 1, 1}, {2020, 12, 31});
        db.addSeason(211, "A", 21, {2020, 1, 1}, {2020, 12, 31});
        db.addSeason(212, "B", 21, {2021, 1, 1}, {2021, 12, 31});
        db.addSeason(213, "C", 21, {2022, 1, 1}, {2022, 12, 31});
        db.exec("UPDATE TableHead SET DateStart = NULL WHERE Num = 212");
        result({2019, 9, 1}, 2, 1, 11);
        result({2020, 9, 1}, 1, 1, 11);
        result({2020, 10, 1}, 0, 3, 11);
        result({2020, 6, 1}, 3, 3, 12);
        result({2020, 3, 1}, 1, 0, 21);
        result({2021, 3, 1}, 1, 0, 21);

        Dialogs::setMessageHandler([this](Dialogs::Kind kind, const QString& text) {
            messages.push_back({kind, text});
        });
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        window = std::make_unique<TStatistic>();
        window->connectDataModule();
    }

    void TearDown() override { Dialogs::setMessageHandler({}); }

    void result(const QDate& date, int g1, int g2, int division)
    {
        db.addResult(++num, date, 0, 0, "Home (H)", "Away (A)", g1, g2, division);
    }

    void choose(const QString& country, const QString& competition)
    {
        ASSERT_TRUE(window->DBLookupComboBox2->chooseText(country));
        ASSERT_TRUE(window->DBLookupComboBox1->chooseText(competition));
    }

    QStringList row(int r)
    {
        QStringList cells;
        for (int c = 0; c < window->StringGrid1->colCount(); ++c)
            cells << window->StringGrid1->cell(c, r);
        return cells;
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    std::unique_ptr<TStatistic> window;
    std::vector<Message> messages;
    int num = 0;
};

TEST_F(StatisticWindowTest, StartsWithTheTitlesAndTheWordStatistics)
{
    EXPECT_EQ(window->windowTitle(), "Competitions statistics");
    EXPECT_EQ(row(0), (QStringList{"Season", "Games", "Home wins", "Draws", "Away wins", "Average goals"}));
    EXPECT_EQ(window->StringGrid1->rowCount(), 2);
    EXPECT_EQ(row(1), QStringList(6));
    EXPECT_EQ(window->Label3->caption(), "Statistics");
    EXPECT_EQ(window->ToolButton1->toolTip(), "Export to Excel");
}

TEST_F(StatisticWindowTest, ClosingTheCompetitionListFillsSummaryAndSeasons)
{
    choose("Albion", "League");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window->Label3->caption(), QString("Total goals: 8\rHome wins: 1 (33.3%)\rDraws: 1 (33.3%)\r"
                                                 "Away wins: 1 (33.3%)\rAverage goals: 2.67"));
    ASSERT_EQ(window->StringGrid1->rowCount(), 4);
    EXPECT_EQ(row(1), (QStringList{"2019/20", "1", "1 (100.0%)", "0 (0.0%)", "0 (0.0%)", "3.00"}));
    EXPECT_EQ(row(2), (QStringList{"2020/21", "2", "0 (0.0%)", "1 (50.0%)", "1 (50.0%)", "2.50"}));
    EXPECT_EQ(row(3), (QStringList{"2021/22", "0", "", "", "", ""}));
    EXPECT_FALSE(module->TableResults->isFiltered());

    // Fewer seasons: the grid is shortened, its first row is the new competition's.
    choose("Albion", "Cup");
    ASSERT_EQ(window->StringGrid1->rowCount(), 2);
    EXPECT_EQ(row(1), (QStringList{"2020", "1", "0 (0.0%)", "1 (100.0%)", "0 (0.0%)", "6.00"}));

    // No results: the message, an empty summary, the rows emptied but kept.
    choose("Albion", "League");
    choose("Albion", "Empty");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Information);
    EXPECT_EQ(messages[0].text, "Results not found for \"Albion - Empty\"");
    EXPECT_EQ(window->Label3->caption(), "");
    ASSERT_EQ(window->StringGrid1->rowCount(), 4);
    for (int r = 1; r < 4; ++r)
        EXPECT_EQ(row(r), QStringList(6)) << r;
    EXPECT_EQ(row(0)[0], "Season");
    EXPECT_FALSE(module->TableResults->isFiltered());
}

TEST_F(StatisticWindowTest, ClosingTheListWithoutAChoiceCountsAgain)
{
    choose("Albion", "League");
    window->StringGrid1->setCell(1, 1, "x");
    window->Label3->setCaption("y");
    window->DBLookupComboBox1->choose(-1);
    EXPECT_EQ(row(1)[1], "1");
    EXPECT_TRUE(window->Label3->caption().startsWith("Total goals: 8\r"));
}

TEST_F(StatisticWindowTest, SeasonWithoutFirstDayStopsWithTheMessageAndTheFilterOff)
{
    choose("Borduria", "Top");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(messages[0].text.contains("is not a valid date"));
    EXPECT_TRUE(window->Label3->caption().startsWith("Total goals: 2\r"));
    ASSERT_EQ(window->StringGrid1->rowCount(), 4);
    EXPECT_EQ(row(1)[1], "1");
    EXPECT_EQ(row(2), (QStringList{"B", "", "", "", "", ""}));
    EXPECT_EQ(row(3), QStringList(6));
    EXPECT_FALSE(module->TableResults->isFiltered());
}

TEST_F(StatisticWindowTest, ExportSaysItIsNotAvailableYet)
{
    window->ToolButton1->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Information);
    bool exported = false;
    window->setExporter([&] { exported = true; });
    window->ToolButton1->click();
    EXPECT_TRUE(exported);
    EXPECT_EQ(messages.size(), 1u);
}

} // namespace
