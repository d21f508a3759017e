#include "apperror.h"
#include "datamodule.h"
#include "testdatabase.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure output.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

class DataModuleTest : public ::testing::Test
{
protected:
    void open()
    {
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        m = module.get();
    }

    // Begins a new record in a view and reads the code its reaction gave it.
    qint64 newCode(TableView* view, const char* field)
    {
        view->insert();
        const qint64 code = view->asInteger(field);
        view->cancel();
        return code;
    }

    void choose(int countryCode, int divisionCode = 0)
    {
        ASSERT_TRUE(m->TableCountry->locate("Code", countryCode));
        if (divisionCode) {
            ASSERT_TRUE(m->TableDivision->locate("Code", divisionCode));
        }
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    TDataModule1* m = nullptr;
};

TEST_F(DataModuleTest, CompetitionAndStadiumCodesJoinTheCountryCodeAndTheCount)
{
    db.addCountry(7, "England");
    db.addCountry(12, "Italy");
    db.addCountry(0, "Nowhere");
    db.addCountry(71, "Wales");
    db.addDivision(71, 7, "One");
    db.addDivision(72, 7, "Two");
    for (int i = 1; i <= 10; ++i)
        db.addStadium(70 + i * 1000, QStringLiteral("S%1").arg(i), 100, 7); // codes unlike the rule's
    open();

    choose(7);
    EXPECT_EQ(newCode(m->TableDivision, "Code"), 73);
    EXPECT_EQ(newCode(m->TableStadium, "Code"), 711); // 10 stadiums
    choose(71);
    EXPECT_EQ(newCode(m->TableStadium, "Code"), 711); // codes of two countries can meet
    choose(12);
    EXPECT_EQ(newCode(m->TableDivision, "Code"), 121);
    choose(0);
    EXPECT_EQ(newCode(m->TableDivision, "Code"), 1); // "01" reads as 1

    for (int i = 3; i <= 9; ++i)
        db.addDivision(70 + i, 7, QStringLiteral("D%1").arg(i));
    choose(7);
    EXPECT_EQ(newCode(m->TableDivision, "Code"), 710);
}

TEST_F(DataModuleTest, TeamCodesCountTheTeamsOfEveryCompetitionOfTheCountry)
{
    db.addCountry(7, "England");
    db.addCountry(8, "France");
    db.addDivision(71, 7, "One");
    db.addDivision(72, 7, "Two");
    db.addDivision(81, 8, "Ligue 1");
    for (int i = 1; i <= 10; ++i)
        db.addTeam(7000 + i, QStringLiteral("A%1").arg(i), "X", 71);
    for (int i = 1; i <= 8; ++i)
        db.addTeam(7100 + i, QStringLiteral("B%1").arg(i), "X", 72);
    db.addTeam(8001, "Lyon", "Lyon", 81);
    open();

    choose(7, 72);
    EXPECT_EQ(newCode(m->TableTeam, "Code"), 719);
    EXPECT_EQ(m->teamTotal, 18);
    // The count leaves the current competition, and the range the team goes into, alone.
    EXPECT_EQ(m->TableDivision->asInteger("Code"), 72);
    m->TableTeam->insert();
    EXPECT_EQ(m->TableTeam->asInteger("Division"), 72);
    m->TableTeam->setValue("ShortName", "New");
    m->TableTeam->post();
    EXPECT_EQ(db.scalar("SELECT Division FROM Team WHERE Code = 719").toInt(), 72);

    choose(7, 71);
    EXPECT_EQ(newCode(m->TableTeam, "Code"), 720);
    choose(8);
    EXPECT_EQ(newCode(m->TableTeam, "Code"), 82);
}

TEST_F(DataModuleTest, SeasonNumbersAddOneToTheJoinedNumber)
{
    db.addCountry(7, "England");
    db.addDivision(73, 7, "Three");
    open();
    choose(7, 73);
    const auto addSeasons = [&](int upTo) {
        for (int i = m->TableTableHead->recordCount(); i < upTo; ++i)
            db.addSeason(90000 + i, QStringLiteral("S%1").arg(i), 73, QDate(2000 + i, 7, 1), QDate(2001 + i, 6, 30));
        m->TableDivision->first(); // re-read the range
    };
    EXPECT_EQ(newCode(m->TableTableHead, "Num"), 731);
    addSeasons(2);
    EXPECT_EQ(newCode(m->TableTableHead, "Num"), 733);
    addSeasons(9);
    EXPECT_EQ(newCode(m->TableTableHead, "Num"), 740);
    addSeasons(10);
    EXPECT_EQ(newCode(m->TableTableHead, "Num"), 7311);
}

TEST_F(DataModuleTest, ACodeThatDoesNotFit32BitsIsRefusedAndTheRecordStaysBegun)
{
    db.addCountry(214748364, "Huge");
    for (int i = 1; i <= 7; ++i)
        db.addDivision(i, 214748364, QStringLiteral("D%1").arg(i));
    open();
    try {
        m->TableDivision->insert();
        FAIL() << "the joined code was accepted";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "'2147483648' is not a valid integer value");
    }
    EXPECT_EQ(m->TableDivision->state(), TableView::State::Insert);
    EXPECT_TRUE(m->TableDivision->isNull("Code"));
    m->TableDivision->setValue("Code", 99);
    m->TableDivision->setValue("Division", "Typed by hand");
    m->TableDivision->post();
    EXPECT_EQ(m->TableDivision->recordCount(), 8);
}

TEST_F(DataModuleTest, ScoreTextInBothWidths)
{
    db.addCountry(7, "England");
    db.addDivision(71, 7, "One");
    db.addResult(1, QDate(2020, 1, 1), 1, 2, "A (a)", "B (b)", 2, 1, 71);
    db.addResult(2, QDate(2020, 1, 2), 1, 2, "A (a)", "B (b)", QVariant(), QVariant(), 71);
    db.addResult(3, QDate(2020, 1, 3), 1, 2, "A (a)", "B (b)", 10, 2, 71);
    db.addResult(4, QDate(2020, 1, 4), 1, 2, "A (a)", "B (b)", 12, 10, 71);
    open();
    QStringList wide, narrow;
    m->TableSortRes->first(); // newest first
    m->TableResults->first(); // oldest first
    for (int i = 0; i < 4; ++i) {
        wide.prepend(m->TableSortRes->asString("Res"));
        narrow << m->TableResults->asString("Res");
        m->TableSortRes->next();
        m->TableResults->next();
    }
    EXPECT_EQ(wide, (QStringList{"2 : 1", " : ", "10 : 2", "12 : 10"}));
    EXPECT_EQ(narrow, (QStringList{"2 : 1", " : ", "10 : ", "12 : "}));
    // An empty goal counts as 0.
    m->TableResults->first();
    m->TableResults->next();
    EXPECT_EQ(m->TableResults->asInteger("Goal1"), 0);
}

// A team renamed: its label follows into every result and league-table row, on both
// sides and in every competition and season; other teams keep theirs.
class RenameTest : public DataModuleTest
{
protected:
    void SetUp() override
    {
        db.addCountry(7, "England");
        db.addDivision(71, 7, "One");
        db.addDivision(72, 7, "Cup");
        db.addTeam(711, "Rovers", "Ashby", 71);
        db.addTeam(712, "United", "Bexley", 71);
        db.addResult(1, QDate(2020, 1, 1), 711, 712, "Rovers (Ashby)", "United (Bexley)", 1, 0, 71);
        db.addResult(2, QDate(2020, 2, 1), 712, 711, "United (Bexley)", "Rovers (Ashby)", 1, 1, 71);
        db.addResult(3, QDate(2020, 3, 1), 711, 711, "Rovers (Ashby)", "Rovers (Ashby)", 2, 2, 72);
        db.addResult(4, QDate(2020, 4, 1), 712, 712, "United (Bexley)", "United (Bexley)", 0, 2, 72);
        db.addSeason(711, "2019/20", 71, QDate(2019, 7, 1), QDate(2020, 6, 30));
        db.addSeason(712, "2020/21", 71, QDate(2020, 7, 1), QDate(2021, 6, 30));
        db.addRow(711, 711, "Rovers (Ashby)", 4, 1);
        db.addRow(712, 711, "Rovers (Ashby)", 3, 0);
        db.addRow(711, 712, "United (Bexley)", 1, -1);
        open();
        choose(7, 71);
        ASSERT_TRUE(m->TableTeam->locate("Code", 711));
    }

    QStringList column(const QString& sql)
    {
        QStringList values;
        QSqlQuery q = db.store().exec(sql, {}, "test");
        while (q.next())
            values << q.value(0).toString();
        return values;
    }
};

TEST_F(RenameTest, ANewShortNameReachesEveryResultAndRow)
{
    m->TableTeam->edit();
    m->TableTeam->setValue("ShortName", "Athletic");
    m->TableTeam->post();
    EXPECT_EQ(column("SELECT Team || ' - ' || Team2 FROM Results ORDER BY Num"),
              (QStringList{"Athletic (Ashby) - United (Bexley)", "United (Bexley) - Athletic (Ashby)",
                           "Athletic (Ashby) - Athletic (Ashby)", "United (Bexley) - United (Bexley)"}));
    EXPECT_EQ(column("SELECT Team FROM TableDet ORDER BY Num"),
              (QStringList{"Athletic (Ashby)", "Athletic (Ashby)", "United (Bexley)"}));

    // The borrowed views are back on their masters with their filters off.
    EXPECT_EQ(m->TableResults->masterSource(), m->DataSourceDivision);
    EXPECT_FALSE(m->TableResults->isFiltered());
    EXPECT_EQ(m->TableResults->recordCount(), 2);
    EXPECT_EQ(m->TableTableDet->masterSource(), m->DataSourceTableHead);
    EXPECT_FALSE(m->TableTableDet->isFiltered());
    EXPECT_EQ(m->TableTableDet->recordCount(), 2);
    // The other views see the new labels.
    m->TableSortRes->first();
    EXPECT_EQ(m->TableSortRes->asString("Team2"), "United (Bexley)");
    m->TableSortRes->next();
    EXPECT_EQ(m->TableSortRes->asString("Team"), "Athletic (Ashby)");
}

TEST_F(RenameTest, ViewsStandingOnTheTeamsRecordsStayAndShowTheNewLabel)
{
    // Views that have read the records before the rename keep their places and read the
    // new labels; a filtered view keeps its filter.
    m->TableResults->next();
    ASSERT_EQ(m->TableResults->asInteger("Num"), 2);
    ASSERT_EQ(m->TableResults->asString("Team2"), "Rovers (Ashby)");
    m->TableSortRes->setFilterText("(Division='72')");
    m->TableSortRes->setFiltered(true);
    m->TableSortRes->last();
    ASSERT_EQ(m->TableSortRes->asString("Team"), "Rovers (Ashby)");
    m->TableTableDet->first();
    ASSERT_EQ(m->TableTableDet->asString("Team"), "Rovers (Ashby)");

    m->TableTeam->edit();
    m->TableTeam->setValue("ShortName", "Athletic");
    m->TableTeam->post();

    EXPECT_EQ(m->TableResults->recNo(), 1);
    EXPECT_EQ(m->TableResults->asString("Team2"), "Athletic (Ashby)");
    m->TableResults->first();
    EXPECT_EQ(m->TableResults->asString("Team"), "Athletic (Ashby)");
    EXPECT_TRUE(m->TableSortRes->isFiltered());
    EXPECT_EQ(m->TableSortRes->recordCount(), 2);
    EXPECT_EQ(m->TableSortRes->asString("Team2"), "Athletic (Ashby)");
    EXPECT_EQ(m->TableTableDet->asString("Team"), "Athletic (Ashby)");
}

TEST_F(RenameTest, ALongLabelIsStoredCutAndANewTeamRewritesAbsent)
{
    m->TableTeam->edit();
    m->TableTeam->setValue("City", "Ashby-de-la-Zouch, Leicestershire, England");
    m->TableTeam->post();
    const QString full = "Rovers (Ashby-de-la-Zouch, Leicestershire, England)";
    EXPECT_EQ(column("SELECT Team FROM Results WHERE Num = 1"), QStringList{full.left(40)});
    EXPECT_EQ(column("SELECT Team FROM TableDet WHERE Num = 1"), QStringList{full.left(40)});

    m->TableTeam->insert();
    m->TableTeam->setValue("ShortName", "Rovers");
    m->TableTeam->setValue("City", "Elsewhere");
    m->TableTeam->post();
    EXPECT_EQ(column("SELECT COUNT(*) FROM Results WHERE Team LIKE '%Elsewhere%' OR Team2 LIKE '%Elsewhere%'"),
              QStringList{"0"});
}

TEST_F(RenameTest, AFailedPostInTheCascadeStillRestoresTheViews)
{
    // A trigger stands in for a locked record: the second result refuses the new label.
    db.exec("CREATE TRIGGER refuse BEFORE UPDATE OF Team2 ON Results WHEN NEW.Num = 2 "
            "BEGIN SELECT RAISE(ABORT, 'record locked'); END");
    m->TableTeam->edit();
    m->TableTeam->setValue("ShortName", "Athletic");
    EXPECT_THROW(m->TableTeam->post(), AppError);
    // The team record itself is stored, the result before the failure keeps its new label.
    EXPECT_EQ(column("SELECT ShortName FROM Team WHERE Code = 711"), QStringList{"Athletic"});
    EXPECT_EQ(column("SELECT Team FROM Results WHERE Num = 1"), QStringList{"Athletic (Ashby)"});
    EXPECT_EQ(m->TableResults->masterSource(), m->DataSourceDivision);
    EXPECT_FALSE(m->TableResults->isFiltered());
    EXPECT_EQ(m->TableResults->state(), TableView::State::Browse);
    EXPECT_EQ(m->TableResults->recordCount(), 2);
}

// What another program (or the same file after a kill) sees: only what was committed.
QString committed(const QString& folder, const QString& sql)
{
    const QString connection = QStringLiteral("outside-reader");
    QString value;
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        other.setDatabaseName(QDir(folder).filePath(TableStore::fileName()));
        EXPECT_TRUE(other.open());
        QSqlQuery q(other);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        if (q.next())
            value = q.value(0).toString();
        q.finish();
        other.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return value;
}

TEST_F(RenameTest, TheTeamAndItsCascadeAreStoredInOneTransaction)
{
    // Until the cascade ends, nothing of the rename is stored for anyone else to see: a kill
    // at that moment loses the whole rename, never half of it.
    const auto cascade = m->TableTeam->afterPost;
    QString seenDuringCascade;
    m->TableTeam->afterPost = [&](TableView& v) {
        seenDuringCascade = committed(db.folder(), "SELECT ShortName FROM Team WHERE Code = 711");
        cascade(v);
    };
    m->TableTeam->edit();
    m->TableTeam->setValue("ShortName", "Athletic");
    m->TableTeam->post();
    EXPECT_EQ(seenDuringCascade, "Rovers");
    EXPECT_EQ(committed(db.folder(), "SELECT ShortName FROM Team WHERE Code = 711"), "Athletic");
    EXPECT_EQ(committed(db.folder(), "SELECT COUNT(*) FROM Results WHERE Team = 'Athletic (Ashby)' "
                                     "OR Team2 = 'Athletic (Ashby)'"),
              "3");
}

TEST_F(RenameTest, ARenameThatCannotBeStoredLeavesNeitherTheTeamNorItsResultsChanged)
{
    // A deferred check that fails only when the transaction ends stands in for a full disk.
    db.exec("PRAGMA foreign_keys = ON");
    db.exec("CREATE TABLE Absent (y INTEGER PRIMARY KEY)");
    db.exec("CREATE TABLE Guard (x INTEGER REFERENCES Absent(y) DEFERRABLE INITIALLY DEFERRED)");
    db.exec("CREATE TRIGGER full AFTER UPDATE OF Team2 ON Results WHEN NEW.Num = 2 "
            "BEGIN INSERT INTO Guard VALUES (1); END");
    m->TableTeam->edit();
    m->TableTeam->setValue("ShortName", "Athletic");
    EXPECT_THROW(m->TableTeam->post(), AppError);
    EXPECT_EQ(column("SELECT ShortName FROM Team WHERE Code = 711"), QStringList{"Rovers"});
    EXPECT_EQ(column("SELECT COUNT(*) FROM Results WHERE Team LIKE 'Athletic%' OR Team2 LIKE 'Athletic%'"),
              QStringList{"0"});
    EXPECT_EQ(column("SELECT COUNT(*) FROM TableDet WHERE Team LIKE 'Athletic%'"), QStringList{"0"});
    // The views show what is stored, not what was undone.
    EXPECT_EQ(m->TableTeam->asString("ShortName"), "Rovers");
    EXPECT_EQ(m->TableResults->state(), TableView::State::Browse);
    m->TableResults->first();
    EXPECT_EQ(m->TableResults->asString("Team"), "Rovers (Ashby)");
    // The store goes on working: the next rename is stored whole.
    db.exec("DROP TRIGGER full");
    m->TableTeam->edit();
    m->TableTeam->setValue("ShortName", "Athletic");
    m->TableTeam->post();
    EXPECT_EQ(column("SELECT COUNT(*) FROM Results WHERE Team = 'Athletic (Ashby)' OR Team2 = 'Athletic (Ashby)'"),
              QStringList{"3"});
}

TEST_F(DataModuleTest, TheStadiumViewFollowsTheBrowsedTeamWithinTheCurrentCountry)
{
    db.addCountry(7, "England");
    db.addCountry(8, "France");
    db.addDivision(71, 7, "One");
    db.addStadium(71, "Highbury", 38419, 7);
    db.addStadium(72, "Stamford Bridge", 40341, 7);
    db.addStadium(81, "Parc des Princes", 47929, 8);
    db.addTeam(711, "Arsenal", "London", 71, 71);
    db.addTeam(712, "Chelsea", "London", 71, 72);
    db.addTeam(811, "PSG", "Paris", 81, 81);
    open();
    EXPECT_EQ(m->TableStadium->asString("Stadium"), "Highbury"); // after opening: Arsenal's
    ASSERT_TRUE(m->TableSortTeam->locate("ShortName", "Chelsea"));
    EXPECT_EQ(m->TableStadium->asString("Stadium"), "Stamford Bridge");
    EXPECT_EQ(m->TableStadium->displayText("Capacity"), "40 341");
    ASSERT_TRUE(m->TableSortTeam->locate("ShortName", "PSG"));
    EXPECT_EQ(m->TableStadium->asString("Stadium"), "Stamford Bridge"); // France is not current
}

TEST_F(DataModuleTest, ViewsDeclareTheirFieldsWithLabels)
{
    db.addCountry(7, "England");
    open();
    EXPECT_EQ(m->TableSortRes->fieldDef("Team")->label, QStringLiteral("Команда1"));
    EXPECT_EQ(m->TableSortRes->fieldDef("Team")->displayWidth, 30);
    EXPECT_EQ(m->TableResults->fieldDef("Team")->label, QStringLiteral("Хозяева"));
    EXPECT_EQ(m->TableSortDet->fieldDef("BGoal")->label, QStringLiteral("МЗ"));
    EXPECT_EQ(m->TableSortDet->fieldDef("CodeTeam"), nullptr);
    EXPECT_TRUE(m->TableTableDet->fieldDef("Num")->readOnly);
    // A view that fails to open stops the sequence: later views stay closed.
    db.exec("DROP TABLE TableDet");
    TDataModule1 broken(db.store());
    EXPECT_THROW(broken.DataModuleCreate(), AppError);
    EXPECT_TRUE(broken.TableTableHead->isOpen());
    EXPECT_FALSE(broken.TableSortDet->isOpen());
    EXPECT_FALSE(broken.TableSortTeam->isOpen());
}

} // namespace
