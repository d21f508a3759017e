// The about box: the summary computed once, and the training movie links.
#include "datamodule.h"
#include "dialogs.h"
#include "tabout.h"
#include "testdatabase.h"
#include "workingdirectory.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class AboutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addDivision(11, 1, "League");
        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages << text; });
        Dialogs::setOpenFileHandler([this](const QString& path) {
            opened << path;
            return true;
        });
        m = std::make_unique<TDataModule1>(db.store());
        m->DataModuleCreate();
    }

    void TearDown() override
    {
        Dialogs::setMessageHandler({});
        Dialogs::setOpenFileHandler({});
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> m;
    QStringList messages;
    QStringList opened;
};

TEST_F(AboutTest, TheSummaryIsComputedOnceAndKeptForTheRun)
{
    TAbout about;
    about.show();
    EXPECT_TRUE(about.Button2->isVisible());
    EXPECT_FALSE(about.Memo1->isVisible());
    about.Button2->click();
    EXPECT_FALSE(about.Button2->isVisible());
    EXPECT_TRUE(about.Memo1->isVisible());
    const QString first = about.Memo1->toPlainText();
    EXPECT_EQ(first.split('\n').value(0), "Countrys: 1");
    EXPECT_EQ(first.split('\n').value(5), "Albion - League - 0 matches - (? - ?)");

    about.close();
    db.addCountry(2, "Borduria");
    about.show();
    EXPECT_EQ(about.Memo1->toPlainText(), first);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(AboutTest, AMovieLinkOpensThePageOrSaysClearlyThatItIsMissing)
{
    QTemporaryDir folder;
    const WorkingDirectory cwd(folder.path());
    TAbout about;
    about.show();
    QTest::mouseClick(about.HyperLink2, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(QDir(folder.path()).filePath("Movie/Teams.htm"))))
        << messages[0].toStdString();
    EXPECT_TRUE(opened.isEmpty());

    ASSERT_TRUE(QDir(folder.path()).mkdir("Movie"));
    QFile page(QDir(folder.path()).filePath("Movie/VS.htm"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    QTest::mouseClick(about.HyperLink1, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList({QDir(folder.path()).filePath("Movie/VS.htm")}));
    // A release of another button, or outside the link, opens nothing.
    QTest::mouseClick(about.HyperLink1, Qt::RightButton);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(messages.size(), 1);
}

} // namespace
