#include "databasewriter.h"
#include "opendatafixture.h"
#include "sources.h"

#include <QImage>

namespace {

const Dataset::Team* teamNamed(const Dataset& data, const QString& fullName)
{
    for (const Dataset::Team& t : data.teams)
        if (t.fullName == fullName)
            return &t;
    return nullptr;
}

} // namespace

TEST(ClubLists, FieldsArePartedByRunsOfBlanksAndHeadingsDateTheEntries)
{
    const auto clubs = parseClubList("= Germany, as of 2025/26\n"
                                     "Chemnitzer FC, 1966       Chemnitz\n"
                                     "Dundee United, 1909,   @ Tannadice Park  Dundee\n"
                                     "Le Mans FC,   Le Mans ›  Pays de la Loire\n"
                                     "IF Brommapojkarna,   1942, @  Grimsta IP,    Stockholm (Bromma)\n"
                                     "Miami Fusion     (1998-2001),  Fort Lauderdale › Florida\n");
    ASSERT_EQ(clubs.size(), 5u);
    EXPECT_EQ(clubs[0].city, "Chemnitz");
    EXPECT_EQ(clubs[0].asOf, "2025/26");
    EXPECT_EQ(clubs[1].stadium, "Tannadice Park");
    EXPECT_EQ(clubs[1].city, "Dundee");
    EXPECT_EQ(clubs[2].city, "Le Mans"); // the region is no city of its own
    EXPECT_EQ(clubs[3].stadium, "Grimsta IP");
    EXPECT_EQ(clubs[3].city, "Stockholm");
    EXPECT_EQ(clubs[4].name, "Miami Fusion");
    EXPECT_EQ(clubs[4].city, "Fort Lauderdale");

    const auto stadiums = parseStadiumList("= as of 2024/25\nVoith-Arena, 15_000, Heidenheim\n");
    ASSERT_EQ(stadiums.size(), 1u);
    EXPECT_EQ(stadiums[0].asOf, "2024/25");
}

TEST_F(OpenDataFixture, TheBuildersOwnListsCorrectCitiesAndKeepClubsOfABorrowedNameApart)
{
    // The open list gives Tottenham's district as its city and names Cardiff's neighbour
    // as one of Cardiff's names; the builder's own list corrects the one and lists the other.
    write("clubs/europe/england/eng.clubs.txt", "Arsenal FC, 1886, @ Emirates Stadium, London\n"
                                                "Tottenham Hotspur FC, 1882, Tottenham\n"
                                                "Leyton Orient FC,  @ Brisbane Road,  London\n"
                                                "Newport County AFC\n");
    write("clubs/europe/wales/wal.clubs.txt", "Cardiff City FC, 1899, Cardiff\n  | Swansea City | Cardiff\n");
    write("catalogue/clubs/europe/england/eng-more.clubs.txt", "= England, as of 2025/26\n"
                                                               "Tottenham Hotspur FC,   London\n"
                                                               "Newport County AFC,     Newport\n");
    write("catalogue/clubs/europe/wales/wal-more.clubs.txt", "Swansea City AFC, Swansea\n  | Swansea\n");
    write("matches/2022-23/en.1.json", R"json({"name": "Premier League", "matches": [
        {"date": "2022-08-06", "team1": "Swansea City", "team2": "Cardiff City FC", "score": {"ft": [1, 0]}},
        {"date": "2022-08-13", "team1": "Newport County AFC", "team2": "Tottenham Hotspur FC", "score": {"ft": [0, 2]}}]})json");
    const Dataset data = read().dataset;

    const Dataset::Team* spurs = teamNamed(data, "Tottenham Hotspur FC");
    ASSERT_TRUE(spurs);
    EXPECT_EQ(spurs->city, "London");
    EXPECT_TRUE(reported("Tottenham Hotspur FC: city \"Tottenham\" corrected to \"London\" (as of 2025/26)"));
    const Dataset::Team* newport = teamNamed(data, "Newport County AFC");
    ASSERT_TRUE(newport);
    EXPECT_EQ(newport->city, "Newport");
    EXPECT_TRUE(reported("given one by the builder's own lists: 1"));

    // Swansea is a club of its own, and Cardiff keeps its other names.
    const Dataset::Team* swansea = teamNamed(data, "Swansea City AFC");
    ASSERT_TRUE(swansea);
    EXPECT_EQ(swansea->city, "Swansea");
    EXPECT_TRUE(teamNamed(data, "Cardiff City FC"));
    EXPECT_TRUE(
        reported("Cardiff City FC: the name \"Swansea City\" is that of the club Swansea City AFC, kept apart"));
}

TEST_F(OpenDataFixture, TheBuildersOwnStadiumListsGiveTheCurrentGroundAndCapacity)
{
    // The open lists: Arsenal at the Emirates (60,361), Tottenham at its stadium, Leyton
    // Orient at Brisbane Road without a capacity. The builder's own list moves Tottenham,
    // enlarges the Emirates and gives Brisbane Road, under its newer name, a capacity.
    write("catalogue/clubs/europe/england/eng-more.stadiums.txt",
          "= England, as of 2025/26\n"
          "Emirates Stadium, 60_704, London          # Arsenal FC\n"
          "New Lane, 70_000, London                  # Tottenham Hotspur FC\n"
          "Breyer Group Stadium, 9_271, London       # Leyton Orient FC\n"
          "  | Brisbane Road\n");
    write("matches/2020-21/en.cup.json", R"json({"name": "FA Cup", "matches": [
        {"date": "2020-11-07", "team1": "Leyton Orient FC", "team2": "Tottenham", "score": {"ft": [0, 1]}}]})json");
    const Dataset data = read().dataset;
    const auto ground = [&](const QString& club) -> std::pair<QString, std::optional<int>> {
        for (const Dataset::Team& t : data.teams)
            if (t.fullName == club && t.stadium >= 0) {
                const Dataset::Stadium& s = data.stadiums[static_cast<size_t>(t.stadium)];
                return {s.name, s.capacity};
            }
        return {};
    };
    EXPECT_EQ(ground("Arsenal FC"), std::make_pair(QString("Emirates Stadium"), std::optional<int>(60704)));
    EXPECT_EQ(ground("Tottenham Hotspur FC"), std::make_pair(QString("New Lane"), std::optional<int>(70000)));
    EXPECT_EQ(ground("Leyton Orient FC"), std::make_pair(QString("Breyer Group Stadium"), std::optional<int>(9271)));
    EXPECT_EQ(ground("Cardiff City FC").first, "Cardiff City Stadium"); // the open list's, left as it was

    EXPECT_TRUE(reported("Emirates Stadium: capacity 60361 corrected to 60704 (as of 2025/26)"));
    EXPECT_TRUE(reported(
        "Tottenham Hotspur FC: ground \"Tottenham Hotspur Stadium\" replaced by \"New Lane\" (as of 2025/26)"));
    // Another name of the same ground is no change of ground.
    EXPECT_FALSE(reported("Leyton Orient FC: ground"));
}

TEST_F(OpenDataFixture, ShortNamesThatDoNotFitAreNeverCutMidWord)
{
    write("clubs/europe/germany/de-more.clubs.txt",
          "1. FC Heidenheim, 2007, @ Albstadion, Heidenheim an der Brenz\n"
          "  | 1. FC Heidenh. | FC Heidenheim | 1. Fußballclub Heidenheim 1846\n"
          "SV St. Jakob/Rosental,   St. Jakob im Rosental\n"
          "  | SV St. Jakob/R.\n"
          "Defensa y Justicia,   Gobernador Julio A. Costa\n"
          "USV Scheiblingkirchen-Warth, Scheiblingkirchen-Warth\n");
    write("matches/2022-23/de.1.json", R"json({"name": "Bundesliga", "matches": [
        {"date": "2022-08-06", "team1": "1. FC Heidenheim", "team2": "SV St. Jakob/Rosental", "score": {"ft": [1, 0]}},
        {"date": "2022-08-13", "team1": "Defensa y Justicia", "team2": "USV Scheiblingkirchen-Warth", "score": {"ft": [0, 2]}}]})json");
    const Dataset data = read().dataset;
    const auto shortName = [&](const QString& club) {
        const Dataset::Team* team = teamNamed(data, club);
        return team ? team->shortName : QString();
    };
    EXPECT_EQ(shortName("1. FC Heidenheim"), "FC Heidenheim");  // the longest alternative not cut
    EXPECT_EQ(shortName("SV St. Jakob/Rosental"), "St. Jakob"); // up to a whole part of a word
    EXPECT_EQ(shortName("Defensa y Justicia"), "Defensa");      // never ending on "y"
    EXPECT_EQ(shortName("USV Scheiblingkirchen-Warth"), "USV"); // the form of a club named as its town
    for (const Dataset::Team& t : data.teams)
        EXPECT_LE(t.label().size(), 40) << t.label().toStdString();
}

TEST_F(OpenDataFixture, CountriesGetTheirFlagsScaledToTheWindowsBoxes)
{
    // Germany's picture as the picture set gives it, 320 by 240; Europe's is missing.
    QImage german(320, 240, QImage::Format_ARGB32);
    german.fill(Qt::transparent);
    for (int y = 27; y < 213; ++y)
        for (int x = 27; x < 293; ++x)
            german.setPixelColor(x, y, y < 89 ? Qt::black : y < 151 ? Qt::red : Qt::yellow);
    QDir().mkpath(m_dir.filePath("flags"));
    ASSERT_TRUE(german.save(m_dir.filePath("flags/de.png")));

    const Dataset data = read().dataset;
    ASSERT_EQ(data.countries.size(), 3u);
    QImage england, germany;
    ASSERT_TRUE(england.loadFromData(data.countries[0].flag, "PNG"));
    ASSERT_TRUE(germany.loadFromData(data.countries[1].flag, "PNG"));
    EXPECT_TRUE(data.countries[2].flag.isEmpty());
    EXPECT_TRUE(reported("eu.png: no flag picture"));
    EXPECT_TRUE(reported("de.png: 320 by 240 pixels, scaled down to 72 by 54"));

    // Both fit the 74-pixel boxes they are drawn in at their own size.
    EXPECT_EQ(england.size(), QSize(72, 54));
    EXPECT_EQ(germany.size(), QSize(72, 54));
    // St George's cross: red at the centre and on the arms, white in the quarters,
    // transparent outside the flag.
    const QColor red = england.pixelColor(36, 27);
    EXPECT_GT(red.red(), 180);
    EXPECT_LT(red.green(), 60);
    EXPECT_EQ(england.pixelColor(36, 10), red);
    EXPECT_EQ(england.pixelColor(10, 27), red);
    EXPECT_EQ(england.pixelColor(20, 15), QColor(Qt::white));
    EXPECT_EQ(england.pixelColor(1, 1).alpha(), 0);
    EXPECT_EQ(germany.pixelColor(36, 12), QColor(Qt::black));

    // The flags are the same bytes in every build, and stored in the Country table.
    Report again;
    EXPECT_EQ(readOpenData({m_dir.filePath("catalogue"), m_dir.filePath("matches"), m_dir.filePath("clubs"),
                            m_dir.filePath("flags")},
                           again)
                  .dataset.countries[0]
                  .flag,
              data.countries[0].flag);
    writeDatabase(data, table());
    TableStore store(table());
    const auto stored = rows(store, "SELECT Country, Flag FROM Country ORDER BY Code");
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0][1].toByteArray(), data.countries[0].flag);
    EXPECT_FALSE(stored[2][1].isValid()); // Europe without a picture has no flag
}
