#include "apperror.h"
#include "databasewriter.h"
#include "opendatafixture.h"

#include <QProcess>

namespace {

QString teamLabels(const Dataset& data)
{
    QStringList labels;
    for (const Dataset::Team& t : data.teams)
        labels << t.label();
    return labels.join(QLatin1Char('|'));
}

} // namespace

TEST_F(OpenDataFixture, CollidingLongNamesAreNumberedWithinTheShortNamesWidth)
{
    // The three names give the same 30 characters, and so does each one's full name.
    write("matches/2022-23/en.1.json", R"json({"name": "Premier League", "matches": [
        {"date": "2022-08-06", "team1": "Athletic Club of the Very Long Name Alpha",
         "team2": "Athletic Club of the Very Long Name Beta", "score": {"ft": [1, 0]}},
        {"date": "2022-08-13", "team1": "Athletic Club of the Very Long Name Gamma",
         "team2": "Athletic Club of the Very Long Name Alpha", "score": {"ft": [2, 2]}}]})json");
    const Dataset data = read().dataset;
    std::set<QString> labels;
    int longClubs = 0;
    for (const Dataset::Team& t : data.teams) {
        if (!t.fullName.startsWith("Athletic Club"))
            continue;
        ++longClubs;
        EXPECT_LE(t.shortName.size(), 30) << t.shortName.toStdString();
        EXPECT_LE(t.label().size(), 40) << t.label().toStdString();
        labels.insert(t.label());
    }
    EXPECT_EQ(longClubs, 3);
    EXPECT_EQ(labels.size(), 3u) << teamLabels(data).toStdString();
    EXPECT_TRUE(reported("is taken; named"));
}

TEST_F(OpenDataFixture, MissingOrEmptySourcesAreRefused)
{
    const auto readFrom = [&](const QString& catalogue, const QString& matches) {
        Report findings;
        readOpenData({catalogue, matches, m_dir.filePath("clubs"), QString()}, findings);
    };
    EXPECT_THROW(readFrom(m_dir.filePath("no-catalogue"), m_dir.filePath("matches")), AppError);
    EXPECT_THROW(readFrom(m_dir.filePath("catalogue"), m_dir.filePath("no-matches")), AppError);
    EXPECT_THROW(readFrom(m_dir.filePath("catalogue"), m_dir.filePath("matches/2020-21/en.1.json")), AppError);
    QDir().mkpath(m_dir.filePath("empty"));
    EXPECT_THROW(readFrom(m_dir.filePath("catalogue"), m_dir.filePath("empty")), AppError);
    QDir().mkpath(m_dir.filePath("only-folders/2020-21"));
    EXPECT_THROW(readFrom(m_dir.filePath("catalogue"), m_dir.filePath("only-folders")), AppError);
    try {
        readFrom(m_dir.filePath("catalogue"), m_dir.filePath("empty"));
    } catch (const AppError& error) {
        EXPECT_TRUE(error.message().contains(m_dir.filePath("empty"))) << error.message().toStdString();
    }
}

TEST_F(OpenDataFixture, TheBuilderRefusesWrongSourcesWithExitOneAndKeepsTheOldTable)
{
    writeDatabase(read().dataset, table());
    const QByteArray before = fileHash(table() + "/FootballClubs.sqlite");
    QDir().mkpath(m_dir.filePath("empty"));
    const QStringList wrong[] = {
        {"--catalogue", m_dir.filePath("no-catalogue"), "--matches", m_dir.filePath("matches")},
        {"--catalogue", m_dir.filePath("catalogue"), "--matches", m_dir.filePath("no-matches")},
        {"--catalogue", m_dir.filePath("catalogue"), "--matches", m_dir.filePath("empty")},
    };
    for (const QStringList& arguments : wrong) {
        QProcess builder;
        builder.start(QStringLiteral(TALLYFIELD_BUILDER_EXE),
                      arguments + QStringList{"--clubs", m_dir.filePath("clubs"), "--out", table()});
        ASSERT_TRUE(builder.waitForFinished(60000));
        const QString errors = QString::fromUtf8(builder.readAllStandardError());
        EXPECT_EQ(builder.exitCode(), 1) << errors.toStdString();
        EXPECT_TRUE(errors.contains(arguments[1]) || errors.contains(arguments[3])) << errors.toStdString();
        EXPECT_EQ(fileHash(table() + "/FootballClubs.sqlite"), before);
    }
}

TEST(DatabaseWriter, TextsAreCutToTheirFieldsWidthsByTheRuleOfEveryWrite)
{
    Dataset data;
    // A character outside the basic plane straddles the 50th place: it is not split.
    const QString country = QString(49, 'x') + QString::fromUtf8("\xF0\x9D\x94\xB8") + QString(89, 'y');
    data.countries.push_back({country, QString(60, 'c'), {}});
    data.competitions.push_back({0, QString(45, 'd'), true});
    data.stadiums.push_back({0, QString(70, 's'), 1000});
    data.teams.push_back({0, QString(70, 't'), "Short", QString(36, 'k'), 0});
    data.teams.push_back({0, "Other", "Other", "Town", -1});
    data.seasons.push_back({0, "a season name of forty-three characters long", {2020, 1, 1}, {2020, 2, 1}, {0, 1}});
    data.results.push_back({0, {2020, 1, 5}, 0, 1, 1, 0});
    QTemporaryDir dir;
    writeDatabase(data, dir.filePath("Table"));
    TableStore store(dir.filePath("Table"));
    EXPECT_EQ(rows(store, "SELECT length(Country), length(Capital) FROM Country"),
              (std::vector<QVariantList>{{49, 50}}));
    EXPECT_EQ(rows(store, "SELECT length(Division) FROM Division"), (std::vector<QVariantList>{{30}}));
    EXPECT_EQ(rows(store, "SELECT length(Stadium) FROM Stadium"), (std::vector<QVariantList>{{60}}));
    EXPECT_EQ(rows(store, "SELECT length(Team), length(City) FROM Team ORDER BY Code"),
              (std::vector<QVariantList>{{60, 35}, {5, 4}}));
    EXPECT_EQ(rows(store, "SELECT Name FROM TableHead"), (std::vector<QVariantList>{{"a season na"}}));
    EXPECT_EQ(rows(store, "SELECT length(Team), length(Team2) FROM Results"), (std::vector<QVariantList>{{40, 12}}));
    EXPECT_EQ(rows(store, "SELECT length(Team) FROM TableDet ORDER BY Position"),
              (std::vector<QVariantList>{{40}, {12}}));
}

TEST_F(OpenDataFixture, AClubsListedTextsAreCutAsTheTeamTableStoresThem)
{
    // A character outside the basic plane straddles the name's 60th place.
    write("clubs/europe/england/eng.clubs.txt",
          "Arsenal FC, 1886, @ Emirates Stadium, London (Highbury)\n"
          "Tottenham Hotspur Football and Athletic Club of North Londo\xF0\x9D\x94\xB8 Limited, "
          "London Borough of Haringey Tottenham Hale\n"
          "  | Tottenham | Spurs | Spurs FC | Tottenham Hotspur FC\n");
    const OpenData open = read();
    const auto tottenham = std::find_if(open.dataset.teams.begin(), open.dataset.teams.end(),
                                        [](const Dataset::Team& t) { return t.fullName.startsWith("Tottenham"); });
    ASSERT_NE(tottenham, open.dataset.teams.end());
    EXPECT_EQ(tottenham->fullName.size(), 59);
    EXPECT_EQ(tottenham->city.size(), 35);
    EXPECT_LE(tottenham->label().size(), 40);
}

TEST_F(OpenDataFixture, AMatchInTwoSeasonFoldersOfACompetitionIsStoredOnce)
{
    // "2020" holds three of the matches of "2020-21" and one of its own.
    write("matches/2020/en.1.json", R"json({"name": "Premier League 2020", "matches": [
        {"date": "2020-09-12", "team1": "Arsenal FC", "team2": "Tottenham", "score": {"ft": [2, 1]}},
        {"date": "2020-09-19", "team1": "Spurs FC", "team2": "Cardiff City FC", "score": {"ft": [0, 0]}},
        {"date": "2020-09-26", "team1": "Arsenal", "team2": "Cardiff City FC", "score": {"ft": [1, 3]}},
        {"date": "2020-09-26", "team1": "Tottenham", "team2": "Leyton Orient FC", "score": {"ft": [4, 0]}}]})json");
    const OpenData open = read();
    EXPECT_EQ(open.dataset.results.size(), 8u + 1u);
    EXPECT_TRUE(reported("2020-21/en.1.json: 3 matches are those of 2020/en.1.json; stored once"));
    int overlapping = 0;
    for (const Dataset::Result& r : open.dataset.results)
        overlapping += r.date == QDate(2020, 9, 12) && r.goal1 == 2 && r.goal2 == 1;
    EXPECT_EQ(overlapping, 1);
    // The same pair on another day is another match.
    EXPECT_FALSE(reported("2021-22/en.1.json: 1 matches are those"));
}

TEST_F(OpenDataFixture, AnOverlongClubNameIsRefusedWithAReportLine)
{
    const QByteArray huge(1000000, 'H');
    write("matches/2022-23/en.1.json", R"json({"name": "Premier League", "matches": [
        {"date": "2022-08-06", "team1": ")json" +
                                           huge + R"json(", "team2": "Arsenal FC", "score": {"ft": [1, 0]}},
        {"date": "2022-08-13", "team1": "Tottenham", "team2": "Arsenal FC", "score": {"ft": [2, 2]}}]})json");
    write("clubs/europe/wales/wal.clubs.txt",
          "Cardiff City FC, 1899, @ Cardiff City Stadium, Cardiff\n" + huge + ", 1900, Nowhere\n");
    const OpenData open = read();
    EXPECT_TRUE(reported("2022-23/en.1.json: match 1 (2022-08-06, HHHHH"));
    EXPECT_TRUE(reported("a name longer than 100 characters; skipped"));
    EXPECT_TRUE(reported("europe/wales: HHHH"));
    EXPECT_TRUE(reported("a club name longer than 100 characters; skipped"));
    for (const QString& line : report.lines())
        EXPECT_LT(line.size(), 1000);
    for (const Dataset::Team& t : open.dataset.teams)
        EXPECT_FALSE(t.fullName.startsWith("HHHH"));
    EXPECT_EQ(open.dataset.results.size(), 8u + 1u);
}
