#include "apperror.h"
#include "databasewriter.h"
#include "opendatafixture.h"

TEST(DatabaseWriter, TextsAreCutToTheirFieldsWidthsByTheRuleOfEveryWrite)
{
    Dataset data;
    // A character outside the basic plane straddles the 50th place: it is not split.
    const QString country = QString(49, 'x') + QString::fromUtf8("\xF0\x9D\x94\xB8") + QString(89, 'y');
    data.countries.push_back({country, QString(60, 'c')});
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
