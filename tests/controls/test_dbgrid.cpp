#include "datamodule.h"
#include "dbgrid.h"
#include "dialogs.h"
#include "testdatabase.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
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
    DBGridModel& model = *grid.gridModel();
    ASSERT_EQ(model.recordCount(), 30000);
    EXPECT_LT(model.rowCount(), 20);                         // the table holds the screen only
    EXPECT_EQ(model.index(0, 0).data().toString(), "30000"); // newest first
    EXPECT_EQ(model.index(1, 2).data().toString(), "H29999");
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    settle();
    EXPECT_EQ(module.TableSortRes->asInteger("Num"), 1);
    EXPECT_EQ(model.index(model.rowOf(29999), 2).data().toString(), "H1");
    EXPECT_EQ(model.index(model.rowOf(29990), 0).data().toString(), "10");
    module.TableSortRes->first();
    settle();
    EXPECT_EQ(grid.currentIndex().row(), 0);
    EXPECT_EQ(model.firstRecord(), 0);
}

// A grid over more records than fit on its screen: the table holds the rows on screen, the
// grid's own bar spans all the records, and the keys, the wheel and the view move the rows.
class DBGridWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < kRecords; ++i)
            db.addCountry(i + 1, QString::asprintf("C%03d", i), QString::asprintf("Cap%03d", i));
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages.push_back(text); });
        grid.resize(400, 300);
        grid.setColumns({{.field = "Code"}, {.field = "Country", .width = 120}, {.field = "Capital", .width = 120}});
        grid.setDataSource(module->DataSourceCountry);
        grid.show();
        grid.setFocus();
        settle();
        rows = model().windowRows();
    }
    void TearDown() override { Dialogs::setMessageHandler({}); }

    DBGridModel& model() { return *grid.gridModel(); }
    TableView& countries() { return *module->TableCountry; }
    // The country's name on a row of the screen.
    QString shown(int row) { return model().index(row, 1).data().toString(); }
    QString name(int record) { return QString::asprintf("C%03d", record); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&grid, key, modifiers);
        settle();
    }
    // The view's record is selected, on screen.
    void expectSelected(int record)
    {
        EXPECT_EQ(countries().recNo(), record);
        EXPECT_EQ(countries().asString("Country"), name(record));
        ASSERT_TRUE(grid.currentIndex().isValid());
        EXPECT_EQ(shown(grid.currentIndex().row()), name(record));
        EXPECT_TRUE(grid.selectionModel()->isRowSelected(grid.currentIndex().row(), QModelIndex()));
    }

    static constexpr int kRecords = 300;
    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    DBGrid grid;
    int rows = 0;
    std::vector<QString> messages;
};

TEST_F(DBGridWindowTest, TheBarAndTheWheelShowOtherRecordsWithoutMovingTheView)
{
    QAbstractItemModelTester tester(&model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_GT(rows, 3);
    ASSERT_LT(rows, 30);
    EXPECT_EQ(model().rowCount(), rows);
    EXPECT_EQ(model().recordCount(), kRecords);
    // Only whole rows are shown.
    EXPECT_LE(grid.rowViewportPosition(rows - 1) + grid.rowHeight(rows - 1), grid.viewport()->height());
    QScrollBar* bar = grid.recordScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), kRecords - rows);
    EXPECT_EQ(bar->pageStep(), rows);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 0); // the table itself never scrolls
    expectSelected(0);

    bar->setValue(100);
    settle();
    EXPECT_EQ(model().firstRecord(), 100);
    EXPECT_EQ(shown(0), name(100));
    EXPECT_EQ(shown(rows - 1), name(100 + rows - 1));
    EXPECT_EQ(countries().recNo(), 0); // the view stays
    EXPECT_FALSE(grid.currentIndex().isValid());
    // A click on a row moves the view there.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(model().index(2, 1)).center());
    settle();
    expectSelected(102);

    // The wheel scrolls by the lines the desktop asks for.
    QWheelEvent wheel(QPointF(20, 20), grid.mapToGlobal(QPointF(20, 20)), {}, QPoint(0, -120), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(grid.viewport(), &wheel);
    settle();
    EXPECT_EQ(model().firstRecord(), 100 + QApplication::wheelScrollLines());
    EXPECT_EQ(bar->value(), model().firstRecord());

    // Back to the top: the view's record is selected again where it stands.
    bar->setValue(95);
    settle();
    EXPECT_EQ(grid.currentIndex().row(), 102 - 95);
    bar->setValue(bar->maximum());
    settle();
    EXPECT_EQ(shown(rows - 1), name(kRecords - 1));
}

TEST_F(DBGridWindowTest, KeysThatLeaveTheScreenMoveTheRows)
{
    for (int i = 0; i < rows - 1; ++i)
        key(Qt::Key_Down);
    EXPECT_EQ(model().firstRecord(), 0);
    key(Qt::Key_Down); // past the last row on screen
    EXPECT_EQ(model().firstRecord(), 1);
    expectSelected(rows);
    EXPECT_EQ(grid.currentIndex().row(), rows - 1);

    key(Qt::Key_PageDown);
    expectSelected(2 * rows);
    EXPECT_EQ(grid.recordScrollBar()->value(), model().firstRecord());
    key(Qt::Key_PageUp);
    expectSelected(rows);
    key(Qt::Key_End, Qt::ControlModifier);
    expectSelected(kRecords - 1);
    EXPECT_EQ(model().firstRecord(), kRecords - rows);
    EXPECT_EQ(grid.currentIndex().column(), 2);
    key(Qt::Key_Down); // nothing after the last
    expectSelected(kRecords - 1);
    key(Qt::Key_Home, Qt::ControlModifier);
    expectSelected(0);
    EXPECT_EQ(model().firstRecord(), 0);
    EXPECT_EQ(grid.currentIndex().column(), 0);
    key(Qt::Key_Up);
    expectSelected(0);

    // Scrolled away, a key moves on from the view's record, not from the screen.
    grid.recordScrollBar()->setValue(200);
    settle();
    key(Qt::Key_Down);
    expectSelected(1);
    EXPECT_EQ(model().firstRecord(), 1);
}

TEST_F(DBGridWindowTest, TheRowsFollowTheViewWhenItMovesFarAway)
{
    QAbstractItemModelTester tester(&model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    countries().last();
    settle();
    expectSelected(kRecords - 1);
    EXPECT_EQ(model().firstRecord(), kRecords - rows);
    countries().moveTo(150);
    settle();
    expectSelected(150);
    EXPECT_EQ(model().firstRecord(), 150); // the least move that shows it

    // A record inserted while the rows show other records: they move to it.
    grid.recordScrollBar()->setValue(0);
    settle();
    countries().insert();
    settle();
    EXPECT_EQ(model().recordCount(), kRecords + 1);
    EXPECT_EQ(model().rowOf(150), rows - 1); // the new record is the last row on screen
    EXPECT_EQ(grid.currentIndex().row(), rows - 1);
    EXPECT_EQ(shown(rows - 1), "");
    EXPECT_EQ(shown(rows - 2), name(149));
    QTest::keyClick(&grid, Qt::Key_Escape);
    settle();
    EXPECT_EQ(model().recordCount(), kRecords);
    expectSelected(150);
}

TEST_F(DBGridWindowTest, ARecordEditedFarDownIsPostedAndTheTypedTextSurvivesScrolling)
{
    key(Qt::Key_End, Qt::ControlModifier); // the last record, its Capital
    QTest::keyClicks(&grid, "N");
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, &grid);
    QTest::keyClicks(editor, "ewcap");
    // Scrolling away with the editor open keeps what was typed in the record.
    grid.recordScrollBar()->setValue(0);
    settle();
    EXPECT_EQ(countries().state(), TableView::State::Edit);
    EXPECT_EQ(countries().asString("Capital"), "Newcap");
    grid.recordScrollBar()->setValue(grid.recordScrollBar()->maximum());
    settle();
    EXPECT_EQ(model().index(rows - 1, 2).data().toString(), "Newcap");
    key(Qt::Key_Up); // moving to another row posts
    EXPECT_EQ(countries().state(), TableView::State::Browse);
    EXPECT_EQ(db.scalar("SELECT Capital FROM Country WHERE Code = 300").toString(), "Newcap");
    expectSelected(kRecords - 2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DBGridWindowTest, ASetThatShrinksAndGrowsUnderTheRows)
{
    QAbstractItemModelTester tester(&model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    key(Qt::Key_End, Qt::ControlModifier);
    countries().setFilterText("(Code<='5')");
    countries().setFiltered(true);
    settle();
    EXPECT_EQ(model().recordCount(), 5);
    EXPECT_EQ(model().rowCount(), 5);
    EXPECT_EQ(model().firstRecord(), 0);
    EXPECT_EQ(shown(0), name(0));
    EXPECT_FALSE(grid.recordScrollBar()->isVisible()); // all fit
    expectSelected(countries().recNo());
    // A set that fits takes the keys as a plain table does.
    key(Qt::Key_End, Qt::ControlModifier);
    expectSelected(4);

    countries().setFiltered(false);
    settle();
    EXPECT_EQ(model().recordCount(), kRecords);
    EXPECT_TRUE(grid.recordScrollBar()->isVisible());
    EXPECT_EQ(grid.recordScrollBar()->maximum(), kRecords - rows);
    expectSelected(countries().recNo());
    key(Qt::Key_End, Qt::ControlModifier);
    expectSelected(kRecords - 1);
}

} // namespace
