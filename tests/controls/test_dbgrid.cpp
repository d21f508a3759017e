#include "datamodule.h"
#include "dbgrid.h"
#include "dialogs.h"
#include "testdatabase.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

// The data grid over the data module's views, driven as a user drives it.
namespace {

void settle()
{
    for (int i = 0; i < 4; ++i)
        QApplication::processEvents();
}

class DBGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(7, "England", "London");
        db.addCountry(5, "Italy", "Rome");
        db.addCountry(3, "Spain", "Madrid");
        db.addStadium(71, "Wembley", 90000, 7);
        db.addStadium(72, "Anfield", 61276, 7);
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages.push_back(text); });
        Dialogs::setQuestionHandler([this](Dialogs::Question, const QString& text) {
            questions.push_back(text);
            return answer;
        });
        grid = new DBGrid(&window);
        after = new QPushButton("after", &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(after);
        window.resize(400, 300);
        grid->setColumns({{.field = "Code", .title = "Код"},
                          {.field = "Country", .title = "Страна", .width = 186},
                          {.field = "Capital", .title = "Столица", .width = 190}});
        grid->setDataSource(module->DataSourceCountry);
        window.show();
        grid->setFocus();
        settle();
    }
    void TearDown() override
    {
        Dialogs::setMessageHandler({});
        Dialogs::setQuestionHandler({});
    }

    QString cell(int row, int column) { return grid->model()->index(row, column).data().toString(); }
    TableView& countries() { return *module->TableCountry; }
    void type(const QString& text, Qt::Key end = Qt::Key_Return)
    {
        QTest::keyClicks(grid, text.left(1));
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid) << "typing opened no editor";
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, end);
        settle();
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    QWidget window;
    DBGrid* grid = nullptr;
    QPushButton* after = nullptr;
    std::vector<QString> messages;
    std::vector<QString> questions;
    bool answer = false;
};

TEST_F(DBGridTest, ShowsTheViewInItsOrderUnderTheModelTester)
{
    QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(cell(0, 1), "England");
    EXPECT_EQ(cell(2, 2), "Madrid");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "Страна");
    EXPECT_EQ(grid->columnWidth(1), 186);
    // Numbers keep to the right, texts to the left.
    EXPECT_TRUE(grid->model()->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_TRUE(grid->model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);

    // Inserts, posts, deletes and detaching pass under the tester's eyes.
    countries().insert();
    settle();
    EXPECT_EQ(grid->model()->rowCount(), 4);
    countries().setValue("Code", 9);
    countries().setValue("Country", "Albania");
    countries().post();
    settle();
    ASSERT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(cell(0, 1), "Albania");
    EXPECT_EQ(grid->currentIndex().row(), 0);
    countries().remove();
    settle();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    grid->setDataSource(nullptr);
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_EQ(grid->model()->columnCount(), 3); // the declared columns stay
}

TEST_F(DBGridTest, TheSelectedRowIsTheViewsCurrentRecordBothWays)
{
    EXPECT_EQ(grid->currentIndex().row(), 0);
    ASSERT_TRUE(countries().locate("Country", "Spain"));
    settle();
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(2, QModelIndex())); // the whole row

    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(countries().asString("Country"), "Italy");
    const QRect first = grid->visualRect(grid->model()->index(0, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(countries().asString("Country"), "England");
    settle();
    EXPECT_EQ(grid->currentIndex().row(), 0);
}

TEST_F(DBGridTest, TypingEditsMovingPostsAndEscapeCancels)
{
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    ASSERT_EQ(grid->currentIndex().column(), 2);
    // Typing starts editing; Enter keeps the value in the record, not yet posted.
    type("Londinium");
    EXPECT_EQ(countries().state(), TableView::State::Edit);
    EXPECT_EQ(cell(0, 2), "Londinium");
    EXPECT_EQ(db.scalar("SELECT Capital FROM Country WHERE Code = 7").toString(), "London");
    // Moving to another row posts it.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(countries().state(), TableView::State::Browse);
    EXPECT_EQ(db.scalar("SELECT Capital FROM Country WHERE Code = 7").toString(), "Londinium");
    EXPECT_EQ(countries().asString("Country"), "Italy");

    // Escape cancels the record's edit: the stored and the shown values stay.
    type("Roma");
    EXPECT_EQ(cell(1, 2), "Roma");
    QTest::keyClick(grid, Qt::Key_Escape);
    settle();
    EXPECT_EQ(countries().state(), TableView::State::Browse);
    EXPECT_EQ(cell(1, 2), "Rome");
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(db.scalar("SELECT Capital FROM Country WHERE Code = 5").toString(), "Rome");

    // A value the field refuses is shown once and changes nothing.
    QTest::keyClick(grid, Qt::Key_Home);
    type("abc");
    ASSERT_EQ(messages, std::vector<QString>{"'abc' is not a valid integer value"});
    EXPECT_EQ(cell(0, 0), "7");
}

TEST_F(DBGridTest, ANewRecordIsEditedInItsOwnRowAndPostedByMovingAway)
{
    countries().insert();
    settle();
    ASSERT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_EQ(cell(1, 1), "England");
    type("1");
    QTest::keyClick(grid, Qt::Key_Right);
    type("Andorra");
    EXPECT_EQ(cell(0, 1), "Andorra");
    // Clicking another row posts the new record; the view lands on the record clicked,
    // though the new one took its place in the order.
    const QRect spain = grid->visualRect(grid->model()->index(3, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, spain.center());
    settle();
    EXPECT_EQ(db.scalar("SELECT Code FROM Country WHERE Country = 'Andorra'").toInt(), 1);
    EXPECT_EQ(countries().asString("Country"), "Spain");
    ASSERT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(cell(0, 1), "Andorra");
    EXPECT_EQ(grid->currentIndex().row(), 3);

    // A new record left unchanged goes away with Escape.
    countries().insert();
    settle();
    QTest::keyClick(grid, Qt::Key_Escape);
    settle();
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(countries().asString("Country"), "Spain");
}

TEST_F(DBGridTest, CtrlDeleteAsksBeforeDeleting)
{
    ASSERT_TRUE(countries().locate("Country", "Italy"));
    settle();
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(questions, std::vector<QString>{"Delete record?"});
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Country").toInt(), 3); // No keeps it
    answer = true;
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Country WHERE Code = 5").toInt(), 0);
    settle();
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(cell(1, 1), "Spain");
    EXPECT_EQ(grid->currentIndex().row(), 1); // on the record that followed
    // A read-only grid neither asks nor deletes.
    grid->setReadOnly(true);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(questions.size(), 2u);
}

TEST_F(DBGridTest, DetachedShowsNothingAndAttachingShowsTheViewAsItStands)
{
    grid->setDataSource(nullptr);
    settle();
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_FALSE(grid->currentIndex().isValid());
    // The view moves and changes while the grid is detached; the grid does not follow.
    ASSERT_TRUE(countries().locate("Country", "Italy"));
    countries().edit();
    countries().setValue("Capital", "Roma");
    countries().post();
    settle();
    EXPECT_EQ(grid->model()->rowCount(), 0);
    grid->setDataSource(module->DataSourceCountry);
    settle();
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(cell(1, 2), "Roma");
}

TEST_F(DBGridTest, ARowChangedThroughAnotherViewShowsItsNewValue)
{
    EXPECT_EQ(cell(2, 2), "Madrid");
    TableView other(db.store(), "Country.db", "other");
    other.addField("Code");
    other.addField("Capital");
    other.open();
    ASSERT_TRUE(other.locate("Code", 3));
    other.edit();
    other.setValue("Capital", "Toledo");
    other.post();
    settle();
    EXPECT_EQ(cell(2, 2), "Toledo");
    EXPECT_EQ(grid->currentIndex().row(), 0); // the grid's own record stays selected
}

TEST_F(DBGridTest, TabLeavesTheGridAndItsSignalsReachTheWindow)
{
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());

    int clicked = -1;
    int released = 0;
    int doubleClicks = 0;
    QObject::connect(grid, &DBGrid::cellClick, [&](int column) { clicked = column; });
    QObject::connect(grid, &DBGrid::keyUp, [&](int key) { released = key; });
    QObject::connect(grid, &DBGrid::dblClick, [&] { ++doubleClicks; });
    const QRect italy = grid->visualRect(grid->model()->index(1, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, italy.center());
    EXPECT_EQ(clicked, 2);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(released, Qt::Key_Down);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, italy.center());
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(countries().state(), TableView::State::Browse); // a double click edits nothing
}

TEST_F(DBGridTest, EllipsisButtonFormatsAndReadOnlyColumns)
{
    ASSERT_TRUE(countries().locate("Country", "England"));
    grid->setDataSource(module->DataSourceStadium);
    grid->setColumns({{.field = "Stadium", .width = 200, .titleAlignment = Qt::AlignRight},
                      {.field = "Capacity", .displayFormat = "### ###", .ellipsis = true},
                      {.field = "Code", .readOnly = true}});
    settle();
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(cell(0, 1), "90 000");
    EXPECT_EQ(grid->model()->index(0, 1).data(Qt::EditRole).toString(), "90000");
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Стадион"); // the field's label
    EXPECT_TRUE(grid->model()->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignRight);
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 2)) & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable);

    int pressed = 0;
    QObject::connect(grid, &DBGrid::editButtonClick, [&] { ++pressed; });
    const QRect button = grid->ellipsisRect();
    ASSERT_FALSE(button.isEmpty());
    EXPECT_TRUE(grid->visualRect(grid->model()->index(0, 1)).contains(button));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, button.center());
    EXPECT_EQ(pressed, 1);

    // A read-only grid lets nothing be typed.
    grid->setReadOnly(true);
    QTest::keyClicks(grid, "5");
    EXPECT_EQ(module->TableStadium->state(), TableView::State::Browse);
}

// A grid over a set too large to be read whole: it counts, reads the rows it shows, and
// follows jumps to either end.
TEST(DBGridLarge, ShowsBothEndsOfALargeSet)
{
    TestDatabase db;
    db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30000) "
            "INSERT INTO Results (Num, Date, Team, Team2, Goal1, Goal2, Division) "
            "SELECT i, date('1950-01-01', '+' || i || ' days'), 'H' || i, 'A' || i, i % 7, i % 5, 1 FROM n");
    TDataModule1 module(db.store());
    module.DataModuleCreate();
    DBGrid grid;
    grid.resize(500, 300);
    grid.setColumns({{.field = "Num"}, {.field = "Date"}, {.field = "Team"}});
    grid.setDataSource(module.DataSourceSortRes);
    grid.show();
    settle();
    ASSERT_EQ(grid.model()->rowCount(), 30000);
    EXPECT_EQ(grid.model()->index(0, 0).data().toString(), "30000"); // newest first
    EXPECT_EQ(grid.model()->index(1, 2).data().toString(), "H29999");
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    settle();
    EXPECT_EQ(module.TableSortRes->asInteger("Num"), 1);
    EXPECT_EQ(grid.model()->index(29999, 2).data().toString(), "H1");
    EXPECT_EQ(grid.model()->index(29990, 0).data().toString(), "10");
    module.TableSortRes->first();
    settle();
    EXPECT_EQ(grid.currentIndex().row(), 0);
}

} // namespace
