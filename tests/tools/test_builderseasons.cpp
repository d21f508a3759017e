#include "databasewriter.h"
#include "opendatafixture.h"
#include "seasonrules.h"

namespace {

QByteArray match(const char* round, const char* date, const char* home, const char* away, int goal1, int goal2)
{
    return QStringLiteral(R"({"round": "%1", "date": "%2", "team1": "%3", "team2": "%4", "score": {"ft": [%5, %6]}})")
        .arg(QLatin1String(round), QLatin1String(date), QLatin1String(home), QLatin1String(away))
        .arg(goal1)
        .arg(goal2)
        .toUtf8();
}

QByteArray matchFile(const QList<QByteArray>& matches)
{
    return R"({"name": "a league", "matches": [)" + matches.join(",\n") + "]}";
}

const Dataset::Season* seasonNamed(const Dataset& data, const QString& competition, const QString& name)
{
    for (const Dataset::Season& s : data.seasons)
        if (s.name == name && data.competitions[static_cast<size_t>(s.competition)].name == competition)
            return &s;
    return nullptr;
}

} // namespace

TEST(SeasonRules, RegularRoundsAndTournamentsByTheirNames)
{
    for (const char* regular : {"Matchday 12", "12. Round", "Championship, Matchday 3", "Playoff I, Matchday 3",
                                "Apertura, Matchday 1", "ECL Playoffs, Matchday 2"})
        EXPECT_TRUE(SeasonRules::isRegularRound(regular)) << regular;
    for (const char* playOff : {"Final", "Semifinals", "", "Aufstieg, Round 1", "Relegation, Round 2",
                                "Apertura Playoffs, Final", "Finals, Elimination Final", "Europa League, Round 1",
                                "Relegation, 13.-14. Platz Playoffs", "Matchday 12 replay"})
        EXPECT_FALSE(SeasonRules::isRegularRound(playOff)) << playOff;
    EXPECT_EQ(SeasonRules::tournamentOf("Apertura Playoffs, Final"), "Apertura");
    EXPECT_EQ(SeasonRules::tournamentOf("Clausura, Matchday 4"), "Clausura");
    EXPECT_EQ(SeasonRules::tournamentOf("Matchday 4"), "");
    EXPECT_EQ(SeasonRules::tournamentSeasonName("Apertura", 2019), "Apert. 2019");
    EXPECT_LE(SeasonRules::tournamentSeasonName("Clausura", 2020).size(), 11);
}

TEST_F(OpenDataFixture, MatchesDatedAYearOffTheirRoundsAreCorrectedAndReported)
{
    // Played after a pause but dated a year early, inside the season's days...
    write("matches/2019-20/en.1.json",
          matchFile({match("Matchday 1", "2020-06-20", "Arsenal FC", "Tottenham", 1, 0),
                     match("Matchday 2", "2020-06-27", "Tottenham", "Cardiff City FC", 2, 0),
                     match("Matchday 3", "2019-07-01", "Cardiff City FC", "Arsenal FC", 0, 0),
                     match("Matchday 4", "2019-07-05", "Arsenal FC", "Cardiff City FC", 3, 1),
                     // ... and one a year off that no round around it can place.
                     match("Matchday 5", "2018-01-01", "Tottenham", "Arsenal FC", 1, 1)}));
    // ... and dated a year early outside them.
    write("matches/2022-23/en.1.json",
          matchFile({match("Matchday 22", "2022-12-26", "Arsenal FC", "Tottenham", 1, 0),
                     match("Matchday 23", "2022-12-30", "Tottenham", "Cardiff City FC", 2, 0),
                     match("Matchday 24", "2022-01-02", "Cardiff City FC", "Arsenal FC", 0, 0)}));
    const OpenData open = read();
    EXPECT_EQ(open.corrected, 3);
    EXPECT_TRUE(reported("2019-20/en.1.json: match 3 (2019-07-01, Cardiff City FC v Arsenal FC): dated a year off its "
                         "round (Matchday 3); stored on 2020-07-01"));
    EXPECT_TRUE(reported("2019-20/en.1.json: match 4 (2019-07-05"));
    EXPECT_TRUE(reported("2022-23/en.1.json: match 3 (2022-01-02, Cardiff City FC v Arsenal FC): dated a year off "
                         "its round (Matchday 24); stored on 2023-01-02"));
    EXPECT_TRUE(reported("2019-20/en.1.json: match 5 (2018-01-01, Tottenham v Arsenal FC): dated outside its season"));

    const Dataset::Season* season = seasonNamed(open.dataset, "Premier League", "2019/20");
    ASSERT_TRUE(season);
    EXPECT_EQ(season->start, QDate(2020, 6, 20));
    EXPECT_EQ(season->finish, QDate(2020, 7, 5));
    season = seasonNamed(open.dataset, "Premier League", "2022/23");
    ASSERT_TRUE(season);
    EXPECT_EQ(season->finish, QDate(2023, 1, 2));
    const auto storedOn = [&](const QDate& day) {
        return std::count_if(open.dataset.results.begin(), open.dataset.results.end(),
                             [&](const Dataset::Result& r) { return r.date == day; });
    };
    EXPECT_EQ(storedOn({2020, 7, 1}) + storedOn({2020, 7, 5}) + storedOn({2023, 1, 2}), 3);
    EXPECT_EQ(storedOn({2019, 7, 1}) + storedOn({2019, 7, 5}) + storedOn({2022, 1, 2}), 0);
}

TEST_F(OpenDataFixture, ASeasonFileRepeatingAnotherCompetitionsIsRefused)
{
    // The cup file of 2020-21 is the league's file under another name.
    QFile league(m_dir.filePath("matches/2020-21/en.1.json"));
    ASSERT_TRUE(league.open(QIODevice::ReadOnly));
    write("matches/2020-21/en.cup.json", league.readAll());
    const OpenData open = read();
    EXPECT_TRUE(reported("2020-21/en.cup.json: its matches repeat those of 2020-21/en.1.json; refused"));
    EXPECT_EQ(open.refused, 4);
    EXPECT_EQ(open.dataset.results.size(), 8u);
    for (const Dataset::Competition& c : open.dataset.competitions)
        EXPECT_NE(c.name, "FA Cup");
}

TEST_F(OpenDataFixture, AMatchListedAgainWithTheSidesReversedIsKeptOnce)
{
    write("matches/2022-23/en.1.json", matchFile({match("Semifinals", "2022-12-08", "Arsenal FC", "Tottenham", 0, 2),
                                                  match("Semifinals", "2022-12-08", "Tottenham", "Arsenal FC", 2, 0),
                                                  // The return match on another day is another match.
                                                  match("Semifinals", "2022-12-11", "Tottenham", "Arsenal FC", 1, 1)}));
    const OpenData open = read();
    EXPECT_TRUE(reported("2022-23/en.1.json: match 2 (2022-12-08, Tottenham v Arsenal FC): the same match is listed "
                         "twice; the second is skipped"));
    EXPECT_EQ(open.dataset.results.size(), 8u + 2u);
}

TEST_F(OpenDataFixture, PlayOffRoundsLieOutsideTheSeasonsDaysAndItsTable)
{
    write("matches/2022-23/en.1.json",
          matchFile({match("Matchday 1", "2022-08-06", "Arsenal FC", "Tottenham", 1, 0),
                     match("Matchday 2", "2022-08-13", "Tottenham", "Cardiff City FC", 2, 0),
                     // Groups the league splits into stay in the table.
                     match("Championship, Matchday 1", "2022-08-20", "Cardiff City FC", "Arsenal FC", 0, 0),
                     match("Semifinals", "2022-08-27", "Leyton Orient FC", "Arsenal FC", 4, 0),
                     match("Final", "2022-09-03", "Cardiff City FC", "Leyton Orient FC", 2, 1)}));
    const Dataset data = read().dataset;
    const Dataset::Season* season = seasonNamed(data, "Premier League", "2022/23");
    ASSERT_TRUE(season);
    EXPECT_EQ(season->start, QDate(2022, 8, 6));
    EXPECT_EQ(season->finish, QDate(2022, 8, 20));
    EXPECT_EQ(season->teams.size(), 3u); // Leyton Orient played the play-offs only
    EXPECT_TRUE(reported("2022-23/en.1.json: 2022/23: 2 play-off matches kept as results outside the table "
                         "(\"Final\" 1, \"Semifinals\" 1); the season's days are 2022-08-06 to 2022-08-20"));

    writeDatabase(data, table());
    TableStore store(table());
    EXPECT_EQ(rows(store, "SELECT COUNT(*) FROM Results WHERE Date >= '2022-08-01'"), (std::vector<QVariantList>{{5}}));
    EXPECT_EQ(rows(store, "SELECT t.Team, t.Game FROM TableDet t JOIN TableHead h ON h.Num = t.CodeSeason "
                          "WHERE h.Name = '2022/23' ORDER BY t.Team"),
              (std::vector<QVariantList>{
                  {"Arsenal (London)", 2}, {"Cardiff City (Cardiff)", 2}, {"Tottenham Hotspur (London)", 2}}));
}

TEST_F(OpenDataFixture, PlayOffMatchesBetweenRegularRoundsAreReported)
{
    write("matches/2022-23/en.1.json",
          matchFile({match("Matchday 1", "2022-08-06", "Arsenal FC", "Tottenham", 1, 0),
                     match("Europa League, Round 1", "2022-08-10", "Tottenham", "Cardiff City FC", 2, 0),
                     match("Matchday 2", "2022-08-13", "Tottenham", "Cardiff City FC", 2, 0)}));
    read();
    EXPECT_TRUE(reported("2022-23/en.1.json: 2022/23: 1 play-off matches fall between regular rounds"));
}

TEST_F(OpenDataFixture, ALeagueOfTwoTournamentsAYearHasTwoSeasons)
{
    write("matches/2019-20/en.1.json",
          matchFile({match("Apertura, Matchday 1", "2019-07-20", "Arsenal FC", "Tottenham", 1, 0),
                     match("Apertura, Matchday 2", "2019-07-27", "Tottenham", "Cardiff City FC", 2, 0),
                     match("Apertura Playoffs, Final", "2019-12-20", "Tottenham", "Arsenal FC", 3, 3),
                     match("Clausura, Matchday 1", "2020-01-10", "Cardiff City FC", "Arsenal FC", 0, 0),
                     match("Clausura, Matchday 2", "2020-01-17", "Arsenal FC", "Cardiff City FC", 0, 1)}));
    const Dataset data = read().dataset;
    EXPECT_TRUE(reported("2019-20/en.1.json: two tournaments, each a season of its own: Apert. 2019 and Claus. 2020"));
    const Dataset::Season* apertura = seasonNamed(data, "Premier League", "Apert. 2019");
    const Dataset::Season* clausura = seasonNamed(data, "Premier League", "Claus. 2020");
    ASSERT_TRUE(apertura && clausura);
    EXPECT_EQ(apertura->start, QDate(2019, 7, 20));
    EXPECT_EQ(apertura->finish, QDate(2019, 7, 27));
    EXPECT_EQ(clausura->start, QDate(2020, 1, 10));
    EXPECT_EQ(clausura->finish, QDate(2020, 1, 17));
    EXPECT_EQ(clausura->teams.size(), 2u);
    EXPECT_EQ(std::count_if(
                  data.results.begin(), data.results.end(),
                  [&](const Dataset::Result& r) { return &data.seasons[static_cast<size_t>(r.season)] == apertura; }),
              3);
}

TEST_F(OpenDataFixture, ANameOfFormWordsOnlyStandsForNoOtherClub)
{
    // "AFC" and "SV" are both only the words of a club's form: neither stands for the other.
    write("clubs/europe/germany/de.clubs.txt", "Ajax Hamburg, Hamburg\n  | SV\n");
    write("matches/2022-23/en.1.json", matchFile({match("Matchday 1", "2022-08-06", "AFC", "Tottenham", 1, 0)}));
    const Dataset data = read().dataset;
    EXPECT_TRUE(reported("2022-23/en.1.json: AFC: no club of that name in the club lists; kept as named"));
    EXPECT_TRUE(std::none_of(data.teams.begin(), data.teams.end(),
                             [](const Dataset::Team& t) { return t.fullName == "Ajax Hamburg"; }));
}
