#include "cli.h"
#include "names.h"
#include "output.h"
#include "testdatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Result
{
    int status;
    QString out;
    QString err;
};

Result runCli(const QStringList& arguments)
{
    Result r;
    r.status = Cli::run(arguments, r.out, r.err);
    return r;
}

TEST(CliOutput, CsvQuotesOnlyTheFieldsThatNeedIt)
{
    EXPECT_EQ(Output::csvField("Arsenal (London)"), "Arsenal (London)");
    EXPECT_EQ(Output::csvField(""), "");
    EXPECT_EQ(Output::csvField("Bosnia, and"), "\"Bosnia, and\"");
    EXPECT_EQ(Output::csvField("the \"Gunners\""), "\"the \"\"Gunners\"\"\"");
    EXPECT_EQ(Output::csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(Output::csvField("cr\rhere"), "\"cr\rhere\"");

    Rows rows{{"code", "name"}, {}};
    rows.add({Cell::number(7), Cell::text("a,b")});
    rows.add({Cell::none(), Cell::text("Newell's")});
    EXPECT_EQ(Output::csv(rows), "code,name\n7,\"a,b\"\n,Newell's\n");
    EXPECT_EQ(Output::csv(Rows{{"code"}, {}}), "code\n"); // the header row even without rows
}

TEST(CliOutput, JsonKeepsTheKeysInOrderAndEscapesTexts)
{
    Rows rows{{"code", "name", "capital"}, {}};
    rows.add({Cell::number(-3), Cell::text("Côte \"d\" \\ Ivoire\n\t\x01"), Cell::none()});
    rows.add({Cell::number(12), Cell::text("Россия"), Cell::text("")});
    EXPECT_EQ(Output::json(rows), "[\n"
                                  "  {\"code\": -3, \"name\": \"Côte \\\"d\\\" \\\\ Ivoire\\n\\t\\u0001\", "
                                  "\"capital\": null},\n"
                                  "  {\"code\": 12, \"name\": \"Россия\", \"capital\": \"\"}\n"
                                  "]\n");
    EXPECT_EQ(Output::json(Rows{{"code"}, {}}), "[]\n");
}

TEST(CliOutput, ComposedTextsPrintLineByLine)
{
    const QString composed = QString("Games: 3") + QChar(13) + " draws: 1" + QChar(13) + "last";
    EXPECT_EQ(Output::lines(composed), "Games: 3\n draws: 1\nlast\n");
    EXPECT_EQ(Output::jsonLines(composed), "[\n  \"Games: 3\",\n  \" draws: 1\",\n  \"last\"\n]\n");
    EXPECT_EQ(Output::lines(""), "");
}

TEST(CliNames, ClosestNamesComeByCaseThenContainmentThenDistance)
{
    const QStringList countries{"Wales", "England", "Scotland", "Northern Ireland", "Ireland", "Spain"};
    EXPECT_EQ(Names::closest("england", countries), QStringList{"England"});
    EXPECT_EQ(Names::closest("Englnd", countries).first(), "England");
    EXPECT_EQ(Names::closest("Ireland ", countries).mid(0, 2), (QStringList{"Ireland", "Northern Ireland"}));
    EXPECT_EQ(Names::closest("land", countries, 2), (QStringList{"England", "Ireland"})); // ties in order
    // Nothing close: the nearest are still offered rather than nothing.
    EXPECT_EQ(Names::closest("Xyzzyq", countries, 3).size(), 3);
    EXPECT_TRUE(Names::closest("Spain", {}).isEmpty());
    EXPECT_EQ(Names::distance("Arsenal", "arsenl"), 1);
    EXPECT_EQ(Names::unknownMessage("country", "Englnd", {"England", "Wales"}),
              "No country \"Englnd\". Closest: \"England\".");
}

// A database with two countries; Albion's First Division has the head-to-head matches.
class CliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion", "Ashby");
        db.addCountry(2, "Borduria, \"the\" North", "Szohôd");
        db.addDivision(11, 1, "First Division");
        db.addDivision(12, 1, "Cup");
        db.addDivision(21, 2, "Premier");
        db.addStadium(1001, "Ashby Park", 45000, 1);
        db.addTeam(111, "United", "Bexley", 11);
        db.addTeam(112, "Rovers", "Ashby", 11, 1001, "Ashby Rovers FC");
        db.addResult(1, QDate(2020, 8, 1), 112, 111, kRovers, kUnited, 2, 1, 11);
        db.addResult(2, QDate(2021, 2, 1), 111, 112, kUnited, kRovers, 0, 0, 11);
        db.addResult(3, QDate(2022, 3, 5), 111, 112, kUnited, kRovers, 1, 3, 11);
        db.addResult(4, QDate(2023, 1, 10), 112, 111, kRovers, kUnited, 4, 4, 12);
        db.addSeason(111, "2020/21", 11, QDate(2020, 8, 1), QDate(2021, 5, 30));
        db.addSeason(112, "2021/22", 11, QDate(2021, 8, 1), QDate(2022, 5, 30));
    }

    Result cli(QStringList arguments) { return runCli(QStringList{"--db", home()} + arguments); }
    QString home() const { return QFileInfo(db.folder()).path(); }

    const QString kRovers = "Rovers (Ashby)";
    const QString kUnited = "United (Bexley)";
    TestDatabase db;
};

TEST_F(CliTest, ListsPrintAsCsvOrJson)
{
    Result r = cli({"countries"});
    EXPECT_EQ(r.status, Cli::Success) << r.err.toStdString();
    EXPECT_EQ(r.out, "code,country,capital\n1,Albion,Ashby\n2,\"Borduria, \"\"the\"\" North\",Szohôd\n");
    EXPECT_EQ(r.err, "");

    r = cli({"countries", "--format", "json"});
    EXPECT_EQ(r.out, "[\n  {\"code\": 1, \"country\": \"Albion\", \"capital\": \"Ashby\"},\n"
                     "  {\"code\": 2, \"country\": \"Borduria, \\\"the\\\" North\", \"capital\": \"Szohôd\"}\n]\n");

    r = cli({"competitions", "--country", "Albion"});
    EXPECT_EQ(r.out, "code,competition,results,first,last\n"
                     "11,First Division,3,2020-08-01,2022-03-05\n"
                     "12,Cup,1,2023-01-10,2023-01-10\n");
    r = cli({"competitions", "--country", "Borduria, \"the\" North", "--format=json"});
    EXPECT_EQ(r.out, "[\n  {\"code\": 21, \"competition\": \"Premier\", \"results\": 0, \"first\": null, "
                     "\"last\": null}\n]\n");

    r = cli({"seasons", "--country", "Albion", "--competition", "First Division"});
    EXPECT_EQ(r.out, "number,name,start,end\n111,2020/21,2020-08-01,2021-05-30\n112,2021/22,2021-08-01,2022-05-30\n");

    r = cli({"teams", "--country", "Albion", "--competition", "First Division"});
    EXPECT_EQ(r.out, "code,label,team,short_name,city,stadium,capacity\n"
                     "111,United (Bexley),United,United,Bexley,,\n"
                     "112,Rovers (Ashby),Ashby Rovers FC,Rovers,Ashby,Ashby Park,45000\n");
}

TEST_F(CliTest, HeadToHeadPrintsTheSevenLinesOrTheRows)
{
    const QStringList pair{"h2h",     "--country", "Albion",  "--competition", "First Division",
                           "--team1", kRovers,     "--team2", kUnited};
    Result r = cli(pair);
    EXPECT_EQ(r.status, Cli::Success) << r.err.toStdString();
    EXPECT_EQ(r.out, "Games: 3\nRovers (Ashby) wins: 2\n draws: 1\nUnited (Bexley) wins: 0\n Goals: 5:2\n"
                     " Average goals: 2.33\n3 and more goals in 66.67% games\n");

    r = cli(pair + QStringList{"--rows"});
    EXPECT_EQ(r.out, "number,date,home,away,goals\n"
                     "3,2022-03-05,United (Bexley),Rovers (Ashby),1 : 3\n"
                     "2,2021-02-01,United (Bexley),Rovers (Ashby),0 : 0\n"
                     "1,2020-08-01,Rovers (Ashby),United (Bexley),2 : 1\n");

    r = cli(pair + QStringList{"--save-order"});
    EXPECT_TRUE(r.out.startsWith("Games: 1\n")) << r.out.toStdString();
    r = cli(pair + QStringList{"--all-competitions"});
    EXPECT_TRUE(r.out.startsWith("Games: 4\n")) << r.out.toStdString();
    // Every competition needs neither a country nor a competition.
    r = cli({"h2h", "--all-competitions", "--team1", kRovers, "--team2", kUnited, "--format", "json"});
    EXPECT_EQ(r.status, Cli::Success) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("[\n  \"Games: 4\",\n  \"Rovers (Ashby) wins: 2\",\n")) << r.out.toStdString();
}

TEST_F(CliTest, ALocaleWritesNumbersAndDatesAsTheWindowsDo)
{
    const QStringList pair{"h2h",     "--country", "Albion",  "--competition", "First Division",
                           "--team1", kRovers,     "--team2", kUnited};
    Result r = cli(pair + QStringList{"--locale", "de_DE"});
    EXPECT_EQ(r.status, Cli::Success) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\n Average goals: 2,33\n3 and more goals in 66,67% games\n")) << r.out.toStdString();
    r = cli(pair + QStringList{"--rows", "--locale", "de_DE"});
    EXPECT_TRUE(r.out.contains("\n3,05.03.2022,United (Bexley)")) << r.out.toStdString();
    r = cli({"teams", "--country", "Albion", "--competition", "First Division", "--locale", "ru_RU"});
    EXPECT_TRUE(r.out.endsWith(",Ashby Park,45 000\n")) << r.out.toStdString();

    // The caller's locale is left as it was.
    EXPECT_EQ(QLocale().name(), "en_GB");
    r = cli(pair + QStringList{"--locale", "Klingon"});
    EXPECT_EQ(r.status, Cli::BadUsage);
    EXPECT_TRUE(r.err.contains("unknown locale \"Klingon\""));
}

TEST_F(CliTest, UnknownNamesAreRefusedWithTheClosestOnes)
{
    Result r = cli({"competitions", "--country", "albion"});
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "No country \"albion\". Closest: \"Albion\".\n");

    r = cli({"seasons", "--country", "Albion", "--competition", "First Divison"});
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_EQ(r.err, "No competition in Albion \"First Divison\". Closest: \"First Division\".\n");

    // A competition of another country is not one of this country's.
    r = cli({"teams", "--country", "Albion", "--competition", "Premier"});
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_TRUE(r.err.startsWith("No competition in Albion \"Premier\". Closest: ")) << r.err.toStdString();

    r = cli({"h2h", "--country", "Albion", "--competition", "Cup", "--team1", "Rovers", "--team2", kUnited});
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_EQ(r.err, "No team 1 \"Rovers\". Closest: \"Rovers (Ashby)\".\n");

    // Known teams that never met: the window's own message.
    db.addTeam(113, "Athletic", "Crewe", 11);
    r = cli({"h2h", "--country", "Albion", "--competition", "First Division", "--team1", kRovers, "--team2",
             "Athletic (Crewe)"});
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Results not found!\n");
}

TEST_F(CliTest, BadUsageGivesStatusTwoAndAOneLineHint)
{
    const auto expectUsage = [this](const QStringList& arguments, const QString& part) {
        const Result r = cli(arguments);
        EXPECT_EQ(r.status, Cli::BadUsage) << arguments.join(' ').toStdString();
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.contains(part)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("--help")) << r.err.toStdString();
    };
    expectUsage({}, "no command given");
    expectUsage({"contries"}, "unknown command \"contries\"; did you mean countries");
    expectUsage({"countries", "--colour"}, "unknown option --colour");
    expectUsage({"countries", "extra"}, "unexpected argument \"extra\"");
    expectUsage({"competitions"}, "competitions needs --country");
    expectUsage({"seasons", "--country"}, "--country needs a value");
    expectUsage({"countries", "--format", "xml"}, "--format is csv or json");
    expectUsage({"h2h", "--team1", kRovers, "--team2", kUnited}, "h2h needs --competition");
    expectUsage({"h2h", "--competition", "Cup", "--team1", kRovers, "--team2", kUnited, "--all-competitions"},
                "--competition needs --country");
    expectUsage({"h2h", "--rows=yes", "--team1", kRovers, "--team2", kUnited}, "--rows takes no value");
}

TEST_F(CliTest, HelpNeedsNoDatabase)
{
    QTemporaryDir empty;
    for (const QStringList& arguments : {QStringList{"--help"}, QStringList{"help"}, QStringList{"h2h", "--help"},
                                         QStringList{"--help", "teams"}, QStringList{"help", "seasons"}}) {
        const Result r = runCli(QStringList{"--db", empty.path()} + arguments);
        EXPECT_EQ(r.status, Cli::Success) << arguments.join(' ').toStdString();
        EXPECT_TRUE(r.out.startsWith("Usage: tallyfield-cli")) << r.out.toStdString();
    }
    Result r = runCli({"--help"});
    for (const char* command : {"countries", "competitions", "seasons", "teams", "h2h"})
        EXPECT_TRUE(r.out.contains(QString("\n  %1 ").arg(command))) << command;
    r = runCli({"h2h", "--help"});
    EXPECT_TRUE(r.out.contains("--team1 LABEL --team2 LABEL [--save-order]")) << r.out.toStdString();
}

TEST_F(CliTest, AMissingDatabaseIsRefusedWithTheWindowsMessage)
{
    QTemporaryDir empty;
    const Result r = runCli({"--db", empty.path(), "countries"});
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.startsWith("The database folder \"")) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith("Start Tallyfield in the folder that holds the folder Table.\n"));
}

TEST_F(CliTest, CommandsWriteNothingToTheDatabase)
{
    const auto contents = [this] {
        QFile file(QDir(db.folder()).filePath("FootballClubs.sqlite"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    };
    const QByteArray before = contents();
    const qint64 results = db.scalar("SELECT COUNT(*) FROM Results").toLongLong();
    for (const QStringList& arguments :
         {QStringList{"countries"}, QStringList{"competitions", "--country", "Albion"},
          QStringList{"teams", "--country", "Albion", "--competition", "Cup"},
          QStringList{"h2h", "--all-competitions", "--team1", kRovers, "--team2", kUnited, "--rows"}})
        EXPECT_EQ(cli(arguments).status, Cli::Success) << arguments.join(' ').toStdString();
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Results").toLongLong(), results);
}

} // namespace
