#include "apperror.h"
#include "datamodule.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "gauge.h"
#include "pictures.h"
#include "sortedcombobox.h"
#include "stringgrid.h"
#include "testdatabase.h"
#include "textlabel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Lets the queued work of a closed list run.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

class ChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(7, "England");
        db.addCountry(3, "Spain");
        db.addCountry(5, "Italy");
        db.addDivision(71, 7, "Premier League");
        db.addDivision(72, 7, "Championship");
        db.addDivision(31, 3, "La Liga");
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        countries.setKeyField("Country");
        countries.setListField("Country");
        connect();
    }

    void connect()
    {
        QObject::connect(&countries, &DBLookupComboBox::closeUp, [this] {
            ++closeUps;
            seenAtCloseUp = module->TableCountry->asString("Country");
        });
    }

    QString current() { return module->TableCountry->asString("Country"); }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    DBLookupComboBox countries;
    int closeUps = 0;
    QString seenAtCloseUp;
};

TEST_F(ChooserTest, ListsTheViewInItsOrderAndChoosingMakesTheRecordCurrent)
{
    countries.setListSource(module->DataSourceCountry);
    ASSERT_EQ(countries.count(), 3);
    EXPECT_EQ(countries.itemText(0), "England");
    EXPECT_EQ(countries.itemText(2), "Spain");
    EXPECT_EQ(countries.currentIndex(), -1); // nothing chosen yet
    EXPECT_TRUE(countries.keyValue().isNull());

    countries.choose(2);
    EXPECT_EQ(closeUps, 1);
    EXPECT_EQ(seenAtCloseUp, "Spain"); // current before the handler runs
    EXPECT_EQ(countries.keyValue().toString(), "Spain");
    EXPECT_EQ(module->TableDivision->asString("Division"), "La Liga");

    // Other windows move the view; the chooser keeps showing its own choice.
    module->TableCountry->first();
    EXPECT_EQ(countries.text(), "Spain");
}

TEST_F(ChooserTest, CloseUpFiresOncePerClosingOfTheList)
{
    countries.setListSource(module->DataSourceCountry);
    countries.show();
    QAbstractItemView* list = countries.view();

    // Picked in the open list with the keyboard.
    countries.showPopup();
    ASSERT_TRUE(list->isVisible());
    list->setCurrentIndex(list->model()->index(1, 0)); // Italy
    QTest::keyClick(list, Qt::Key_Return);
    settle();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(closeUps, 1);
    EXPECT_EQ(current(), "Italy");
    EXPECT_EQ(seenAtCloseUp, "Italy");

    // Closed without a new choice: the previous choice is made current again.
    module->TableCountry->first();
    countries.showPopup();
    QTest::keyClick(list, Qt::Key_Escape);
    settle();
    EXPECT_EQ(closeUps, 2);
    EXPECT_EQ(current(), "Italy");

    // Picked with the mouse.
    countries.showPopup();
    const QRect cell = list->visualRect(list->model()->index(2, 0));
    QTest::mouseMove(list->viewport(), cell.center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    settle();
    if (list->isVisible()) // some styles ignore a release this soon after opening
        countries.hidePopup();
    settle();
    EXPECT_EQ(closeUps, 3);

    // Closing twice in a row is one closing; hiding a closed list is none.
    countries.showPopup();
    countries.hidePopup();
    countries.hidePopup();
    settle();
    countries.hidePopup();
    settle();
    EXPECT_EQ(closeUps, 4);
}

TEST_F(ChooserTest, ReattachingLooksTheRememberedChoiceUp)
{
    countries.setListSource(module->DataSourceCountry);
    countries.choose(countries.findText("Spain"));

    countries.setListSource(nullptr);
    EXPECT_EQ(countries.count(), 0);
    EXPECT_EQ(countries.keyValue().toString(), "Spain");
    module->TableCountry->first(); // another window makes England current

    countries.setListSource(module->DataSourceCountry);
    EXPECT_EQ(current(), "Spain");
    EXPECT_EQ(countries.text(), "Spain");
    EXPECT_EQ(module->TableDivision->asString("Division"), "La Liga");
    EXPECT_EQ(closeUps, 1); // attaching is not a choice

    // A choice that is no longer listed: the chooser shows nothing, the view stays.
    ASSERT_TRUE(module->TableCountry->locate("Country", "Spain"));
    module->TableCountry->remove();
    const QString before = current();
    countries.setListSource(nullptr);
    countries.setListSource(module->DataSourceCountry);
    EXPECT_EQ(countries.currentIndex(), -1);
    EXPECT_TRUE(countries.keyValue().isNull());
    EXPECT_EQ(current(), before);
}

TEST_F(ChooserTest, AnEmptyListOpensAndClosesAtOnce)
{
    DBLookupComboBox competitions;
    competitions.setKeyField("Code");
    competitions.setListField("Division");
    int closed = 0;
    QObject::connect(&competitions, &DBLookupComboBox::closeUp, [&] { ++closed; });
    ASSERT_TRUE(module->TableCountry->locate("Country", "Italy"));
    competitions.setListSource(module->DataSourceDivision);
    EXPECT_EQ(competitions.count(), 0);
    competitions.showPopup();
    settle();
    EXPECT_EQ(closed, 1);

    // The list is read when it drops down: the competitions of the country current now.
    ASSERT_TRUE(module->TableCountry->locate("Country", "England"));
    competitions.choose(1);
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(module->TableDivision->asString("Division"), "Championship");
}

// Without a database the views stay closed: a chooser on one has no list to offer and
// nothing to report, where an empty list of an open view still runs its close-up.
TEST_F(ChooserTest, AChooserWithoutAListToReadDoesNotOpen)
{
    std::vector<QString> shown;
    Dialogs::setMessageHandler([&](Dialogs::Kind, const QString& text) { shown.push_back(text); });
    countries.showPopup(); // never attached
    settle();
    module->TableCountry->close();
    countries.setListSource(module->DataSourceCountry);
    countries.show();
    countries.showPopup();
    settle();
    Dialogs::setMessageHandler({});
    EXPECT_EQ(countries.count(), 0);
    EXPECT_EQ(closeUps, 0);
    EXPECT_TRUE(shown.empty());
}

TEST_F(ChooserTest, AnErrorInTheCloseUpHandlerIsShownAndTheProgramGoesOn)
{
    std::vector<QString> shown;
    Dialogs::setMessageHandler([&](Dialogs::Kind kind, const QString& text) {
        EXPECT_EQ(kind, Dialogs::Kind::Error);
        shown.push_back(text);
    });
    QObject::connect(&countries, &DBLookupComboBox::closeUp, [] { throw AppError("'' is not a valid integer value"); });
    countries.setListSource(module->DataSourceCountry);
    countries.show();
    countries.showPopup();
    countries.hidePopup();
    settle();
    Dialogs::setMessageHandler({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "'' is not a valid integer value");
    EXPECT_EQ(closeUps, 1);
}

TEST_F(ChooserTest, PictureBoxShowsThePictureOfTheCurrentRecord)
{
    db.exec("UPDATE Country SET Flag = ? WHERE Code = 3", {solidPng(Qt::red)});
    module.reset();
    module = std::make_unique<TDataModule1>(db.store());
    module->DataModuleCreate();

    DBImage image;
    image.resize(20, 20);
    image.setDataSource(module->DataSourceCountry);
    image.setDataField("Flag");
    EXPECT_TRUE(image.picture().isNull()); // England has no flag
    ASSERT_TRUE(module->TableCountry->locate("Country", "Spain"));
    const QImage shot = image.grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::red)); // centred at its own size
    EXPECT_NE(shot.pixelColor(1, 1), QColor(Qt::red));   // not stretched
    module->TableCountry->first();
    EXPECT_TRUE(image.picture().isNull());
}

// --- the text grid -------------------------------------------------------------------

class GridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.setColCount(2);
        grid.setRowCount(3);
        grid.setColWidth(0, 40);
        grid.setColWidth(1, 60);
        grid.setDefaultRowHeight(16);
        grid.resize(120, 80);
        grid.setFrameShape(QFrame::NoFrame);
        grid.setCell(0, 0, "A");
        grid.setCell(1, 2, "B");
    }

    StringGrid grid;
};

TEST_F(GridTest, CellsRowsAndTheDefaultPainting)
{
    EXPECT_EQ(grid.cell(0, 0), "A");
    EXPECT_EQ(grid.cell(1, 1), "");
    grid.setRowCount(1);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.cell(1, 2), ""); // dropped with its row
    grid.setRowCount(3);
    EXPECT_EQ(grid.cell(1, 2), "");
    EXPECT_EQ(grid.rowHeight(0), 17); // 16 and the grid line

    const QImage shot = grid.grab().toImage();
    EXPECT_EQ(shot.pixelColor(30, 5), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(30, 16), grid.gridLineColor()); // horizontal line under row 0
    EXPECT_EQ(shot.pixelColor(39, 5), QColor(Qt::white));     // and no vertical line
    bool textFound = false;
    for (int x = 2; x < 12 && !textFound; ++x)
        for (int y = 2; y < 15 && !textFound; ++y)
            textFound = shot.pixelColor(x, y) == QColor(Qt::black);
    EXPECT_TRUE(textFound);
    for (int y = 0; y < 2; ++y) // the text starts 2 pixels below the cell's top
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(shot.pixelColor(x, y), QColor(Qt::white));
}

TEST_F(GridTest, PaintHookRunsAfterTheDefaultPaintingForEveryCell)
{
    std::vector<std::tuple<int, int, QRect, QColor>> calls;
    grid.drawCell = [&](QPainter& p, int col, int row, const QRect& rect, StringGrid::DrawState state) {
        calls.emplace_back(col, row, rect, p.pen().color());
        if (row == 1 && col == 1)
            p.fillRect(rect, QColor(1, 2, 3)); // paints over the default
        if (state.selected)
            p.fillRect(rect.adjusted(0, 0, 0, -10), QColor(4, 5, 6));
    };
    grid.selectRow(2);
    const QImage shot = grid.grab().toImage();
    ASSERT_EQ(calls.size(), 6u);
    for (const auto& [col, row, rect, pen] : calls) {
        EXPECT_EQ(rect.height(), 16);
        EXPECT_EQ(rect.width(), col == 0 ? 40 : 60);
        EXPECT_EQ(rect.top(), row * 17);
        EXPECT_EQ(pen,
                  row == 2 ? grid.palette().color(QPalette::Active, QPalette::HighlightedText) : QColor(Qt::black));
    }
    EXPECT_EQ(shot.pixelColor(70, 17 + 8), QColor(1, 2, 3));
    EXPECT_EQ(shot.pixelColor(30, 34 + 2), QColor(4, 5, 6));
    EXPECT_EQ(shot.pixelColor(30, 34 + 12), grid.palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(2, {}));
    EXPECT_FALSE(grid.selectionModel()->isSelected(grid.model()->index(1, 0)));
}

TEST_F(GridTest, AFixedRowIsTheHeaderAndNotPainted)
{
    int hooked = 0;
    grid.drawCell = [&](QPainter&, int, int row, const QRect&, StringGrid::DrawState) {
        EXPECT_NE(row, 0);
        ++hooked;
    };
    grid.setFixedRows(1);
    grid.setCell(1, 0, "Title");
    EXPECT_TRUE(grid.isRowHidden(0));
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), "Title");
    grid.grab();
    EXPECT_EQ(hooked, 4);
}

// --- small controls --------------------------------------------------------------------

TEST(SmallControls, GaugeCountsWholePercentOfItsRange)
{
    Gauge gauge;
    EXPECT_EQ(gauge.percentDone(), 0);
    gauge.setProgress(33);
    EXPECT_EQ(gauge.percentDone(), 33);
    gauge.setProgress(250);
    EXPECT_EQ(gauge.progress(), 100);
    gauge.setMinValue(50);
    gauge.setMaxValue(150);
    gauge.setProgress(75);
    EXPECT_EQ(gauge.percentDone(), 25);
    gauge.resize(100, 20);
    const QImage shot = gauge.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 10), gauge.palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(shot.pixelColor(90, 3), QColor(Qt::white));
}

TEST(SmallControls, LabelBreaksLinesAtCarriageReturnsAndKeepsItsRightEdge)
{
    QWidget parent;
    TextLabel label(&parent);
    label.setAlignment(Qt::AlignRight | Qt::AlignTop);
    label.placeAt(200, 10);
    const QString composed = QStringLiteral("Games: 3") + QChar(13) + QStringLiteral("a much longer second line");
    label.setCaption(composed);
    EXPECT_EQ(label.caption(), composed);
    EXPECT_EQ(label.text(), "Games: 3\na much longer second line");
    EXPECT_EQ(label.x() + label.width(), 200);
    EXPECT_EQ(label.y(), 10);
    EXPECT_GE(label.height(), 2 * label.fontMetrics().height());
    const int wide = label.width();
    label.setCaption("short");
    EXPECT_EQ(label.x() + label.width(), 200);
    EXPECT_LT(label.width(), wide);
    label.setCaption(QString());
    EXPECT_EQ(label.x() + label.width(), 200);
}

TEST(SmallControls, SortedListKeepsOrderAndTheTypedText)
{
    SortedComboBox box;
    box.setEditText("typed");
    for (const char* name : {"united (Bexley)", "Rovers (Ashby)", "Athletic (Crewe)", "Rovers (Ashby)"})
        box.addSorted(name);
    EXPECT_EQ(box.entries(), (QStringList{"Athletic (Crewe)", "Rovers (Ashby)", "Rovers (Ashby)", "united (Bexley)"}));
    EXPECT_EQ(box.currentText(), "typed");
    box.clearEntries();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.currentText(), "typed");
}

} // namespace
