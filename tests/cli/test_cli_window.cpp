// The command line answers as the main window does, to the character.
#include "cli.h"
#include "datamodule.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "sortedcombobox.h"
#include "stringgrid.h"
#include "testdatabase.h"
#include "textlabel.h"
#include "tmain.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString kRovers = QStringLiteral("Rovers (Ashby)");
const QString kUnited = QStringLiteral("United (Bexley)");

class CliAgainstWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addDivision(11, 1, "First Division");
        db.addDivision(12, 1, "Cup");
        db.addTeam(111, "United", "Bexley", 11);
        db.addTeam(112, "Rovers", "Ashby", 11);
        db.addResult(1, QDate(2020, 8, 1), 112, 111, kRovers, kUnited, 2, 1, 11);
        db.addResult(2, QDate(2021, 2, 1), 111, 112, kUnited, kRovers, 0, 0, 11);
        db.addResult(3, QDate(2022, 3, 5), 111, 112, kUnited, kRovers, 1, 3, 11);
        db.addResult(4, QDate(2021, 5, 5), 112, 111, kRovers, kUnited, QVariant(), QVariant(), 11);
        db.addResult(5, QDate(2023, 1, 10), 112, 111, kRovers, kUnited, 4, 4, 12);
        db.addResult(6, QDate(2019, 3, 9), 111, 112, kUnited, kRovers, 10, 9, 12);

        Dialogs::setMessageHandler([](Dialogs::Kind, const QString& text) { FAIL() << text.toStdString(); });
        const QString previous = QDir::currentPath();
        QDir::setCurrent(home());
        main = std::make_unique<TMain>();
        QDir::setCurrent(previous);
        module = std::make_unique<TDataModule1>(main->Database1);
        module->DataModuleCreate();
        main->connectDataModule();
        ASSERT_TRUE(main->DBLookupComboBox2->chooseText("Albion"));
        ASSERT_TRUE(main->DBLookupComboBox1->chooseText("First Division"));
    }

    void TearDown() override { Dialogs::setMessageHandler({}); }

    QString home() const { return QFileInfo(db.folder()).path(); }

    QString cli(const QStringList& arguments)
    {
        QString out;
        QString err;
        EXPECT_EQ(Cli::run(QStringList{"--db", home(), "--locale", QLocale().name()} + arguments, out, err),
                  Cli::Success)
            << err.toStdString();
        return out;
    }

    // The window's statistics text and grid rows, written as the command prints them.
    std::pair<QString, QString> window(bool saveOrder, bool allCompetitions)
    {
        main->ComboBox1->setEditText(kRovers);
        main->ComboBox2->setEditText(kUnited);
        main->CheckBox1->setChecked(saveOrder);
        main->CheckBox2->setChecked(allCompetitions);
        main->Button1->click();
        QString lines = main->statisticsText();
        lines.replace(QChar(13), QChar('\n'));
        QString rows = "number,date,home,away,goals\n";
        for (int r = 1; r < main->StringGrid1->rowCount(); ++r) {
            QString number = main->StringGrid1->cell(0, r);
            number.chop(1); // the grid writes "3."
            rows += number;
            for (int c = 1; c < 5; ++c)
                rows += ',' + main->StringGrid1->cell(c, r);
            rows += '\n';
        }
        return {lines + '\n', rows};
    }

    TestDatabase db;
    std::unique_ptr<TMain> main;
    std::unique_ptr<TDataModule1> module;
};

TEST_F(CliAgainstWindowTest, HeadToHeadEqualsTheMainWindowInEveryOrderAndLocale)
{
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::German),
                                  QLocale(QLocale::Russian, QLocale::Russia)}) {
        QLocale::setDefault(locale);
        for (const bool saveOrder : {false, true}) {
            for (const bool allCompetitions : {false, true}) {
                SCOPED_TRACE(QString("%1 save order %2 all %3")
                                 .arg(locale.name())
                                 .arg(saveOrder)
                                 .arg(allCompetitions)
                                 .toStdString());
                QStringList arguments{"h2h",     "--country", "Albion",  "--competition", "First Division",
                                      "--team1", kRovers,     "--team2", kUnited};
                if (saveOrder)
                    arguments << "--save-order";
                if (allCompetitions)
                    arguments << "--all-competitions";
                const auto [lines, rows] = window(saveOrder, allCompetitions);
                EXPECT_EQ(cli(arguments), lines);
                EXPECT_EQ(cli(arguments + QStringList{"--rows"}), rows);
            }
        }
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}

TEST_F(CliAgainstWindowTest, CompetitionPeriodEqualsTheStatusLine)
{
    const QString status = main->Label7->caption();
    EXPECT_EQ(status, "Albion - First Division - 4 matches - Statistics for the period since 01/08/2020 to "
                      "05/03/2022");
    EXPECT_TRUE(cli({"competitions", "--country", "Albion"}).contains("\n11,First Division,4,01/08/2020,05/03/2022\n"));
}

} // namespace
