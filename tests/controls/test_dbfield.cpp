#include "datamodule.h"
#include "dbfield.h"
#include "dbimage.h"
#include "dialogs.h"
#include "testdatabase.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

// The controls of one field of the current record, and the picture box's clipboard.
namespace {

QImage square(const QColor& colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class FieldControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(7, "England", "London");
        db.addCountry(3, "Spain", "Madrid");
        db.addDivision(71, 7, "Premier League");
        db.addSeason(711, "2020/21", 71, QDate(2020, 9, 12), QDate(2021, 5, 23));
        db.exec("UPDATE TableHead SET Note = 'first line' WHERE Num = 711");
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages.push_back(text); });
    }
    void TearDown() override { Dialogs::setMessageHandler({}); }

    TableView& countries() { return *module->TableCountry; }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    std::vector<QString> messages;
};

TEST_F(FieldControlTest, AnEditWritesWhenLeftAndTheViewPostsIt)
{
    DBEdit edit;
    edit.setDataSource(module->DataSourceCountry);
    edit.setDataField("Capital");
    edit.show();
    EXPECT_EQ(edit.text(), "London");
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClicks(&edit, "derry");
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(countries().state(), TableView::State::Edit);
    countries().next(); // the view's implicit post
    EXPECT_EQ(db.scalar("SELECT Capital FROM Country WHERE Code = 7").toString(), "Londonderry");
    EXPECT_EQ(edit.text(), "Madrid"); // it follows the view

    // Escape cancels what was typed and the record's edit.
    QTest::keyClicks(&edit, "X");
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_EQ(edit.text(), "Madrid");
    EXPECT_EQ(countries().state(), TableView::State::Browse);

    // A number the field refuses is shown once; the record keeps its value.
    DBEdit code;
    code.setDataSource(module->DataSourceCountry);
    code.setDataField("Code");
    code.show();
    QTest::keyClicks(&code, "x");
    QTest::keyClick(&code, Qt::Key_Return);
    ASSERT_EQ(messages, std::vector<QString>{"'3x' is not a valid integer value"});
    countries().cancel();
    EXPECT_EQ(code.text(), "3");

    // Read-only, or detached: nothing can be typed, nothing is shown when detached.
    edit.setFieldReadOnly(true);
    EXPECT_TRUE(edit.isReadOnly());
    edit.setDataSource(nullptr);
    EXPECT_EQ(edit.text(), "");
    edit.setDataSource(module->DataSourceCountry);
    EXPECT_EQ(edit.text(), "Madrid");
}

TEST_F(FieldControlTest, AMemoWritesAsItIsTypedAndATextFollowsTheRecord)
{
    DBMemo memo;
    memo.setDataSource(module->DataSourceTableHead);
    memo.setDataField("Note");
    memo.show();
    EXPECT_EQ(memo.toPlainText(), "first line");
    memo.moveCursor(QTextCursor::End);
    QTest::keyClicks(&memo, " and more");
    EXPECT_EQ(module->TableTableHead->state(), TableView::State::Edit);
    module->TableTableHead->post();
    EXPECT_EQ(db.scalar("SELECT Note FROM TableHead WHERE Num = 711").toString(), "first line and more");
    EXPECT_EQ(memo.toPlainText(), "first line and more");

    DBText text;
    text.setDataSource(module->DataSourceTableHead);
    text.setDataField("Name");
    EXPECT_EQ(text.text(), "2020/21");
    // Another competition has no season: the text and the memo go empty.
    db.addDivision(72, 7, "Championship");
    module->TableDivision->locate("Code", 72);
    EXPECT_EQ(text.text(), "");
    EXPECT_EQ(memo.toPlainText(), "");
    memo.setFieldReadOnly(true);
    EXPECT_TRUE(memo.isReadOnly());
}

TEST_F(FieldControlTest, APictureIsPastedAsPngCopiedAndCut)
{
    DBImage image;
    image.resize(20, 20);
    image.setDataSource(module->DataSourceCountry);
    image.setDataField("Flag");
    QAction* cut = image.actions().at(0);
    QAction* copy = image.actions().at(1);
    QAction* paste = image.actions().at(2);
    ASSERT_EQ(paste->text(), "Paste");
    // Read-only at first: pasting changes nothing.
    QGuiApplication::clipboard()->setImage(square(Qt::red));
    EXPECT_FALSE(paste->isEnabled());
    paste->trigger();
    EXPECT_EQ(countries().state(), TableView::State::Browse);

    image.setReadOnly(false);
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    EXPECT_EQ(countries().state(), TableView::State::Edit);
    EXPECT_EQ(image.picture().toImage().pixelColor(3, 3), QColor(Qt::red));
    countries().post();
    const QByteArray stored = db.scalar("SELECT Flag FROM Country WHERE Code = 7").toByteArray();
    EXPECT_TRUE(stored.startsWith("\x89PNG"));
    EXPECT_EQ(QImage::fromData(stored).pixelColor(3, 3), QColor(Qt::red));

    QGuiApplication::clipboard()->clear();
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().pixelColor(3, 3), QColor(Qt::red));
    QGuiApplication::clipboard()->clear();
    cut->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().pixelColor(3, 3), QColor(Qt::red));
    countries().post();
    EXPECT_TRUE(db.scalar("SELECT Flag FROM Country WHERE Code = 7").isNull());
    EXPECT_TRUE(image.picture().isNull());
}

} // namespace
