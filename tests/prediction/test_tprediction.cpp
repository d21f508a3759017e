#include "datamodule.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "sortedcombobox.h"
#include "stringgrid.h"
#include "testdatabase.h"
#include "textlabel.h"
#include "tprediction.h"
#include "tpredictionexport.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString kAsh = QStringLiteral("Ash (Aton)");
const QString kBirch = QStringLiteral("Birch (Bton)");

struct Message
{
    Dialogs::Kind kind;
    QString text;
};

// Albion's "League": Ash hosted Birch five times (3 home wins, a draw, an away win), and
// Birch hosted Ash once. Borduria has no competition with results.
class PredictionWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addCountry(2, "Borduria");
        db.addDivision(11, 1, "League");
        db.addDivision(21, 2, "Quiet");
        db.addTeam(111, "Birch", "Bton", 11);
        db.addTeam(112, "Ash", "Aton", 11);
        result({2020, 1, 5}, kAsh, kBirch, 2, 1);
        result({2020, 2, 5}, kAsh, kBirch, 1, 0);
        result({2020, 3, 5}, kAsh, kBirch, 3, 1);
        result({2020, 4, 5}, kAsh, kBirch, 0, 2);
        result({2021, 5, 9}, kAsh, kBirch, 0, 0);
        result({2020, 6, 5}, kBirch, kAsh, 1, 1);

        Dialogs::setMessageHandler([this](Dialogs::Kind kind, const QString& text) {
            messages.push_back({kind, text});
        });
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        window = std::make_unique<TPrediction>();
        list = std::make_unique<TPredictionExport>();
        QObject::connect(window.get(), &TPrediction::addToPredictionsList, list.get(), &TPredictionExport::add);
        window->connectDataModule();
    }

    void TearDown() override { Dialogs::setMessageHandler({}); }

    void result(const QDate& date, const QString& home, const QString& away, int g1, int g2)
    {
        db.addResult(++num, date, 0, 0, home, away, g1, g2, 11);
    }

    void choose(const QString& country, const QString& competition)
    {
        ASSERT_TRUE(window->DBLookupComboBox2->chooseText(country));
        ASSERT_TRUE(window->DBLookupComboBox1->chooseText(competition));
    }

    void predict(const QString& t1, const QString& t2, bool allGames)
    {
        window->ComboBox1->setEditText(t1);
        window->ComboBox2->setEditText(t2);
        (allGames ? window->RadioButton2 : window->RadioButton1)->setChecked(true);
        window->Button1->click();
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    std::unique_ptr<TPrediction> window;
    std::unique_ptr<TPredictionExport> list;
    std::vector<Message> messages;
    int num = 0;
};

TEST_F(PredictionWindowTest, ControlsAsTheyStart)
{
    EXPECT_EQ(window->windowTitle(), "Prediction");
    EXPECT_EQ(window->PageControl1->tabText(0), "Prediction on game reasult");
    EXPECT_TRUE(window->RadioButton1->isChecked());
    EXPECT_EQ(window->RadioButton1->text(), "Intramural games");
    EXPECT_EQ(window->RadioButton2->text(), "All games");
    EXPECT_FALSE(window->SpeedButton2->isEnabled());
    EXPECT_EQ(window->SpeedButton2->toolTip(), "Add to predictions list");
    EXPECT_TRUE(window->Label8->isHidden());
    EXPECT_TRUE(window->Label3->isHidden());
    EXPECT_EQ(window->Label9->text(), "Before compose preditction update DB");
    EXPECT_EQ(window->HyperLink6->text(), "Update now");
    EXPECT_EQ(list->windowTitle(), "Predictions list");
}

TEST_F(PredictionWindowTest, ChoosingFillsTheTeamsAndThePeriod)
{
    window->ComboBox1->setEditText("typed");
    ASSERT_TRUE(window->DBLookupComboBox2->chooseText("Albion"));
    EXPECT_EQ(window->Label7->text(), "Albion");
    EXPECT_EQ(window->ComboBox1->currentText(), ""); // a country empties the team texts
    window->ComboBox1->setEditText("kept");
    ASSERT_TRUE(window->DBLookupComboBox1->chooseText("League"));
    EXPECT_EQ(window->ComboBox1->currentText(), "kept"); // a competition keeps them
    EXPECT_EQ(window->ComboBox1->entries(), (QStringList{kAsh, kBirch}));
    EXPECT_EQ(window->ComboBox2->entries(), (QStringList{kAsh, kBirch}));
    EXPECT_EQ(window->Label7->text(),
              "Albion - League - 6 matches - Statistics for the period since 05/01/2020 to 09/05/2021");
    EXPECT_FALSE(module->TableSortRes->isFiltered());
}

TEST_F(PredictionWindowTest, PredictShowsTheCountsAndTheShares)
{
    choose("Albion", "League");
    predict(kAsh, kBirch, false);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(window->Label8->isHidden());
    EXPECT_FALSE(window->Label3->isHidden());
    EXPECT_TRUE(window->Label6->isHidden());
    EXPECT_TRUE(window->SpeedButton2->isEnabled());
    EXPECT_EQ(window->Label8->caption(), QString("Win Ash (Aton): 60.00%\rDraw: 20.00%\rWin Birch (Bton): 20.00%\r"
                                                 "--------\rOver (2.5): 40.00%\rUnder (2.5): 60.00%"));
    EXPECT_TRUE(window->Label3->caption().endsWith("\r------------\rOver 2.5 goals :2\rUnder 2.5 goals :3\r"));
    EXPECT_TRUE(window->Label6->caption().startsWith("PH1(A): 0.6\r"));
    const auto& last = window->lastPrediction();
    EXPECT_DOUBLE_EQ(last.win1 + last.draw + last.win2, 100);
    EXPECT_NEAR(last.over, 40, 1e-9);
    EXPECT_FALSE(module->TableSortRes->isFiltered());
}

TEST_F(PredictionWindowTest, TooLittleDataWarnsAndHandsOnZeros)
{
    choose("Albion", "League");
    predict(kAsh, kBirch, false);
    predict(kBirch, kAsh, false); // Birch hosted Ash once
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Warning);
    EXPECT_EQ(messages[0].text, "Insufficiently data for formation of prediction");
    EXPECT_EQ(window->Label8->caption(), "Insufficiently data");
    EXPECT_EQ(window->Label3->caption(), QString("Home games Birch (Bton): 1\r------------\rAway games Ash (Aton): 1"));
    EXPECT_EQ(window->lastPrediction().win1, 0);
    EXPECT_EQ(window->lastPrediction().over, 0);
    EXPECT_TRUE(window->SpeedButton2->isEnabled());
    EXPECT_FALSE(module->TableSortRes->isFiltered());
    window->SpeedButton2->click();
    ASSERT_EQ(list->list().rowCount(), 2);
    EXPECT_EQ(list->list().rows()[1].mid(2, 5), QStringList(5, "0.00"));
}

TEST_F(PredictionWindowTest, TheAddButtonIsDisabledByAListOrAnotherBase)
{
    choose("Albion", "League");
    predict(kAsh, kBirch, false);
    window->ComboBox1->setEditText("typing does not disable it");
    EXPECT_TRUE(window->SpeedButton2->isEnabled());
    window->RadioButton2->click();
    EXPECT_FALSE(window->SpeedButton2->isEnabled());
    window->Button1->click();
    EXPECT_TRUE(window->SpeedButton2->isEnabled());
    window->ComboBox2->showPopup();
    window->ComboBox2->hidePopup();
    EXPECT_FALSE(window->SpeedButton2->isEnabled());
}

TEST_F(PredictionWindowTest, AddingTheSamePairingTwiceGivesAMixedRow)
{
    choose("Albion", "League");
    predict(kAsh, kBirch, false);
    window->SpeedButton2->click();
    EXPECT_TRUE(list->isVisible());
    predict(kAsh, kBirch, false);
    window->SpeedButton2->click();
    ASSERT_EQ(list->StringGrid1->rowCount(), 4);
    EXPECT_EQ(list->StringGrid1->cell(7, 1), "Intramural games");
    EXPECT_EQ(list->StringGrid1->cell(7, 3), "Mixed");
    EXPECT_EQ(list->StringGrid1->cell(2, 3), "60.00");
    list->ToolButton1->click();
    EXPECT_EQ(list->StringGrid1->rowCount(), 1);
    EXPECT_EQ(list->StringGrid1->cell(0, 0), "Team 1");
    list->ToolButton2->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Dialogs::Kind::Information);
}

TEST_F(PredictionWindowTest, UpdateNowAsksForThePage)
{
    QSignalSpy asked(window.get(), &TPrediction::updatePageRequested);
    QTest::mouseClick(window->HyperLink6, Qt::LeftButton);
    EXPECT_EQ(asked.count(), 1);
}

// The colours of a cell as painted: whether any pixel is of the colour given.
bool cellHas(StringGrid* grid, int col, int row, const std::function<bool(QColor)>& test)
{
    const QImage image = grid->viewport()->grab().toImage();
    const QRect rect = grid->visualRect(grid->model()->index(row, col));
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (test(image.pixelColor(x, y)))
                return true;
        }
    }
    return false;
}

bool greenish(QColor c)
{
    return c.green() > c.red() + 60 && c.green() > c.blue() + 60 && c.red() < 100;
}

TEST_F(PredictionWindowTest, TheLikeliestOutcomeIsGreenAtOneDecimal)
{
    list->show();
    list->add(kAsh, kBirch, {45.27, 45.21, 9.52, 50, 50}, "All games");
    list->add(kBirch, kAsh, {45.30, 45.21, 9.49, 55.56, 44.44}, "All games");
    list->add(kBirch, kAsh, {45.30, 45.21, 9.49, 55.56, 44.44}, "Intramural games");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    StringGrid* grid = list->StringGrid1;
    // 45.27 and 45.21 both read 45.2: nothing green in the first row.
    for (int col = 2; col <= 6; ++col)
        EXPECT_FALSE(cellHas(grid, col, 1, greenish)) << col;
    // 45.30 against 45.21: Win 1 green, and Over.
    EXPECT_TRUE(cellHas(grid, 2, 2, greenish));
    EXPECT_FALSE(cellHas(grid, 3, 2, greenish));
    EXPECT_TRUE(cellHas(grid, 5, 2, greenish));
    EXPECT_FALSE(cellHas(grid, 6, 2, greenish));
    // The outcome cells on light grey; the Mixed cell filled with its green.
    EXPECT_TRUE(cellHas(grid, 4, 2, [](QColor c) { return c == QColor(218, 218, 218); }));
    EXPECT_FALSE(cellHas(grid, 5, 1, [](QColor c) { return c == QColor(218, 218, 218); }));
    ASSERT_EQ(grid->cell(7, 4), "Mixed");
    EXPECT_TRUE(cellHas(grid, 7, 4, [](QColor c) { return c == QColor(116, 227, 15); }));
    EXPECT_FALSE(cellHas(grid, 7, 3, [](QColor c) { return c == QColor(116, 227, 15); }));
}

} // namespace
