#include "apperror.h"
#include "databasewriter.h"
#include "datamodule.h"
#include "opendata.h"
#include "opendatafixture.h"
#include "sources.h"
#include "synthetic.h"
#include "tablestore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ClubLists, ReadNamesAlternativesCitiesStadiumsAndReserveSides)
{
    const auto clubs = parseClubList("= Spain\n== Madrid ==\n"
                                     "Real Madrid,   Madrid › Comunidad de Madrid   # note\n"
                                     "  | Real M. | Real Madrid CF [en]\n"
                                     "ii) Real Madrid B\n"
                                     "Dalian Pro (2009-2024),  1982, @ $Suoyuwan$ Stadium, Dalian (Jinzhou)\n"
                                     "  Some Street 1 // 116000 Dalian\n");
    ASSERT_EQ(clubs.size(), 3u);
    EXPECT_EQ(clubs[0].name, "Real Madrid");
    EXPECT_EQ(clubs[0].city, "Madrid");
    EXPECT_EQ(clubs[0].alternatives, QStringList({"Real M.", "Real Madrid CF"}));
    EXPECT_EQ(clubs[1].name, "Real Madrid B");
    EXPECT_EQ(clubs[1].city, "Madrid"); // a reserve side plays in its club's city
    EXPECT_EQ(clubs[2].name, "Dalian Pro");
    EXPECT_EQ(clubs[2].city, "Dalian");
    EXPECT_EQ(clubs[2].stadium, "Suoyuwan Stadium");

    const auto stadiums = parseStadiumList("Stadio Giuseppe Meazza, 80_074, 1926,   Milano  # AC Milano, Inter\n"
                                           "  | San Siro\n"
                                           "Estadio Monumental, 72_054, Buenos Aires\n"
                                           "# club: River Plate\n"
                                           "Small Ground, 1990, Somewhere\n"
                                           "Estadio Azteca, 105_084, 1966,  México\n"
                                           "  # es.wikipedia: Estadio_Azteca\n"
                                           "  # clubs: América, Cruz Azul\n");
    ASSERT_EQ(stadiums.size(), 4u);
    EXPECT_EQ(stadiums[3].clubs, QStringList({"América", "Cruz Azul"}));
    EXPECT_EQ(stadiums[0].capacity, 80074);
    EXPECT_EQ(stadiums[0].clubs, QStringList({"AC Milano", "Inter"}));
    EXPECT_EQ(stadiums[1].clubs, QStringList({"River Plate"}));
    EXPECT_FALSE(stadiums[2].capacity.has_value()); // 1990 is the year it opened
}

TEST(ClubLists, ShortNamesDropTheWordsOfTheClubsForm)
{
    EXPECT_EQ(shortNameOf("Arsenal FC"), "Arsenal");
    EXPECT_EQ(shortNameOf("FC Bayern München"), "Bayern München");
    EXPECT_EQ(shortNameOf("AS Monaco FC"), "Monaco");
    EXPECT_EQ(shortNameOf("Hamburger SV"), "Hamburger SV");
    EXPECT_EQ(shortNameOf("1. FC Köln"), "1. FC Köln");
    EXPECT_EQ(shortNameOf("FC"), "FC");
}

TEST_F(OpenDataFixture, NamesResolveThroughAlternativesAliasesAndCountryCodes)
{
    const OpenData open = read();
    const Dataset& data = open.dataset;
    QStringList labels;
    for (const Dataset::Team& t : data.teams)
        labels << t.label();
    // England's clubs of its league by name, then Germany's, then the international-only club.
    EXPECT_EQ(labels, QStringList({"Arsenal (London)", "Cardiff City (Cardiff)", "Tottenham Hotspur (London)",
                                   "Unknown Town ()", "Bayern München (München)", "Bayern München II (München)",
                                   "Real Madrid (Madrid)"}));
    EXPECT_EQ(data.teams[0].fullName, "Arsenal FC");
    EXPECT_EQ(data.competitions[static_cast<size_t>(data.teams[6].competition)].name, "Champions League");
    EXPECT_TRUE(reported("2020-21/en.1.json: Unknown Town FC: no club of that name"));
    EXPECT_EQ(open.clubsWithCity, 6);

    // Stadiums by the club line's "@" or by the stadium list's comment, with capacities.
    ASSERT_EQ(data.stadiums.size(), 4u);
    EXPECT_EQ(data.stadiums[static_cast<size_t>(data.teams[0].stadium)].name, "Emirates Stadium");
    EXPECT_EQ(data.stadiums[static_cast<size_t>(data.teams[0].stadium)].capacity, 60361);
    EXPECT_EQ(data.stadiums[static_cast<size_t>(data.teams[2].stadium)].name, "Tottenham Hotspur Stadium");
    EXPECT_FALSE(data.stadiums[static_cast<size_t>(data.teams[1].stadium)].capacity.has_value());
    EXPECT_EQ(data.teams[5].stadium, -1);
}

TEST_F(OpenDataFixture, BadRecordsAreReportedWithTheirFileAndMatchAndSkipped)
{
    const OpenData open = read();
    EXPECT_TRUE(reported("countries.txt: line \"xx | broken line\": malformed"));
    EXPECT_TRUE(reported("2021-22/en.1.json: match 2 (no date, Arsenal FC v Tottenham): no valid date"));
    EXPECT_TRUE(reported("2021-22/en.1.json: match 3 (2021-08-15, Cardiff City FC v Tottenham): the full-time score"));
    EXPECT_TRUE(reported("2021-22/en.1.json: match 4 (2021-08-16, Cardiff City FC v Arsenal): the full-time score"));
    EXPECT_TRUE(reported("match 5 (2021-08-21, Arsenal FC v Arsenal): both names are the same club"));
    EXPECT_TRUE(reported("match 6 (2021-08-14, Arsenal v Tottenham Hotspur FC): the same match is listed twice"));
    EXPECT_TRUE(reported("match 7 (2019-01-01, Cardiff City FC v Tottenham): dated outside its season"));
    EXPECT_TRUE(reported("match 8 (2021-09-11, Tottenham v Tottenham): a team plays itself"));
    EXPECT_TRUE(reported("2021-22/de.1.json: not a match file"));
    EXPECT_TRUE(reported("2021-22/xx.1.json: not a competition of the catalogue"));
    EXPECT_EQ(open.fixtures, 1);
    // 4 + 1 + 2 of the first season, 1 of the second.
    EXPECT_EQ(open.dataset.results.size(), 8u);
}

TEST_F(OpenDataFixture, TheStoredDatabaseHasTheProgramsCodesAndAHandCountedTable)
{
    const WriteFigures figures = writeDatabase(read().dataset, table());
    EXPECT_EQ(figures.results, 8);
    EXPECT_EQ(figures.tableRows, 4 + 2 + 2); // en.1 twice, de.1 once; none for the Champions League
    TableStore store(table());

    EXPECT_EQ(
        rows(store, "SELECT Code, Country, Capital FROM Country ORDER BY Code"),
        (std::vector<QVariantList>{{10, "England", "London"}, {11, "Germany", "Berlin"}, {12, "Europe", "Nyon"}}));
    EXPECT_EQ(rows(store, "SELECT Code, Country, Division FROM Division ORDER BY Code"),
              (std::vector<QVariantList>{
                  {101, 10, "Premier League"}, {111, 11, "Bundesliga"}, {121, 12, "Champions League"}}));
    EXPECT_EQ(rows(store, "SELECT Code, ShortName, City, Division, Stadium FROM Team ORDER BY Code"),
              (std::vector<QVariantList>{{101, "Arsenal", "London", 101, 101},
                                         {102, "Cardiff City", "Cardiff", 101, 102},
                                         {103, "Tottenham Hotspur", "London", 101, 103},
                                         {104, "Unknown Town", QVariant(), 101, QVariant()},
                                         {111, "Bayern München", "München", 111, 111},
                                         {112, "Bayern München II", "München", 111, QVariant()},
                                         {121, "Real Madrid", "Madrid", 121, QVariant()}}));
    EXPECT_EQ(rows(store, "SELECT Num, Name, CodeDivision, DateStart, DateFinish FROM TableHead ORDER BY Num"),
              (std::vector<QVariantList>{{1011, "2020/21", 101, "2020-09-12", "2020-10-03"},
                                         {1012, "2021/22", 101, "2021-08-14", "2021-08-14"},
                                         {1111, "2020/21", 111, "2020-09-18", "2020-09-18"},
                                         {1211, "2020/21", 121, "2020-10-21", "2020-11-03"}}));
    EXPECT_EQ(rows(store, "SELECT Num, Date, CodeTeam, CodeTeam2, Team, Team2, Goal1, Goal2, Division FROM Results "
                          "WHERE Num = 2"),
              (std::vector<QVariantList>{
                  {2, "2020-09-18", 111, 112, "Bayern München (München)", "Bayern München II (München)", 8, 0, 111}}));

    // Counted by hand: Cardiff 1-0-... ranks on goal difference ahead of Arsenal; Unknown
    // Town and Tottenham have a point each and Unknown Town the better goal difference.
    EXPECT_EQ(rows(store, "SELECT Position, CodeTeam, Team, Game, Win, Draw, Lose, BGoal, BMiss, Ball, Points "
                          "FROM TableDet WHERE CodeSeason = 1011 ORDER BY Position"),
              (std::vector<QVariantList>{{1, 102, "Cardiff City (Cardiff)", 2, 1, 1, 0, 3, 1, 2, 4},
                                         {2, 101, "Arsenal (London)", 3, 1, 1, 1, 4, 5, -1, 4},
                                         {3, 104, "Unknown Town ()", 1, 0, 1, 0, 1, 1, 0, 1},
                                         {4, 103, "Tottenham Hotspur (London)", 2, 0, 1, 1, 1, 2, -1, 1}}));
}

TEST_F(OpenDataFixture, RecordsAddedInTheProgramContinueTheCodeScheme)
{
    writeDatabase(read().dataset, table());
    TableStore store(table());
    TDataModule1 module(store);
    module.DataModuleCreate();
    ASSERT_TRUE(module.TableCountry->locate("Code", 10));
    module.TableDivision->insert();
    module.TableDivision->setValue("Division", "FA Cup");
    module.TableDivision->post();
    EXPECT_EQ(module.TableDivision->asInteger("Code"), 102);
    ASSERT_TRUE(module.TableDivision->locate("Code", 101));
    module.TableTeam->insert();
    EXPECT_EQ(module.TableTeam->asInteger("Code"), 105);
    module.TableTeam->cancel();
    module.TableTableHead->insert();
    EXPECT_EQ(module.TableTableHead->asInteger("Num"), 1013);
    module.TableTableHead->cancel();
}

TEST_F(OpenDataFixture, ABuildIsRepeatableAndAFailedOneLeavesTheOldDatabase)
{
    const Dataset data = read().dataset;
    writeDatabase(data, table());
    const QByteArray first = fileHash(table() + "/FootballClubs.sqlite");
    writeDatabase(data, table());
    EXPECT_EQ(fileHash(table() + "/FootballClubs.sqlite"), first);

    Dataset broken = data;
    broken.countries.resize(95, broken.countries.front()); // more than two-digit codes allow
    EXPECT_THROW(writeDatabase(broken, table()), AppError);
    EXPECT_EQ(fileHash(table() + "/FootballClubs.sqlite"), first);
    EXPECT_FALSE(QDir(table() + ".building").exists());
}

TEST(SyntheticDatabase, HasTheAskedSizeFilledTablesAndIsRepeatable)
{
    SyntheticSize size;
    size.countries = 2;
    size.competitions = 4;
    size.teams = 24;
    size.seasons = 3;
    size.results = 360;
    const Dataset data = syntheticDataset(size);
    const Dataset again = syntheticDataset(size);
    ASSERT_EQ(data.results.size(), 360u);
    for (size_t i = 0; i < data.results.size(); ++i) {
        EXPECT_EQ(data.results[i].goal1, again.results[i].goal1);
        EXPECT_EQ(data.results[i].date, again.results[i].date);
    }

    QTemporaryDir dir;
    const WriteFigures figures = writeDatabase(data, dir.filePath("Table"));
    EXPECT_EQ(figures.teams, 24);
    EXPECT_EQ(figures.seasons, 12);
    EXPECT_EQ(figures.tableRows, 12 * 6);
    TableStore store(dir.filePath("Table"));
    // Every result is counted once for each of its two teams, in its own season only.
    EXPECT_EQ(rows(store, "SELECT SUM(Game), SUM(Win) + SUM(Draw) / 2, COUNT(DISTINCT CodeDivision) FROM TableDet "
                          "JOIN TableHead ON TableHead.Num = CodeSeason JOIN Division ON Division.Code = CodeDivision"),
              (std::vector<QVariantList>{{720, 360, 4}}));
}
