#include "opendatafixture.h"
#include "sources.h"

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
