// history and summary print what the teams browser and the about box show.
#include "cli.h"
#include "testdatabase.h"

#include <QFileInfo>
#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

struct Result
{
    int status;
    QString out;
    QString err;
};

// Albion's "League" with two seasons and "Cup" with one; Ash has rows in both League
// seasons and in the Cup season, and a namesake in Borduria.
class CliReferenceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "Albion");
        db.addCountry(2, "Borduria");
        db.addDivision(11, 1, "League");
        db.addDivision(12, 1, "Cup");
        db.addDivision(21, 2, "Top");
        db.addTeam(111, "Ash", "Aton", 11);
        db.addTeam(211, "Ash", "Aton", 21);
        db.addSeason(111, "2020", 11, {2020, 1, 1}, {2020, 12, 31});
        db.addSeason(112, "2021", 11, {2021, 1, 1}, {2021, 12, 31});
        db.addSeason(121, "2020/21", 12, {2020, 7, 1}, {2021, 6, 30});
        db.addSeason(211, "2022", 21, {2022, 1, 1}, {2022, 12, 31});
        db.exec("INSERT INTO TableDet (CodeSeason, CodeTeam, Team, Position, Points) VALUES "
                "(111, 111, 'Ash (Aton)', 2, 40), (112, 111, 'Ash (Aton)', 1, 51), (121, 111, 'Ash (Aton)', NULL, 9), "
                "(211, 211, 'Ash (Aton)', 4, 30)");
        db.addResult(1, {2020, 3, 1}, 111, 111, "Ash (Aton)", "Ash (Aton)", 1, 0, 11);
    }

    Result cli(const QStringList& arguments)
    {
        Result r;
        r.status = Cli::run(QStringList{"--db", QFileInfo(db.folder()).path()} + arguments, r.out, r.err);
        return r;
    }

    TestDatabase db;
};

TEST_F(CliReferenceTest, HistoryPrintsTheTeamsSeasonsOfTheCountryNewestFirst)
{
    const Result r = cli({"history", "--country", "Albion", "--team", "Ash (Aton)"});
    ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
    EXPECT_EQ(r.out, "season,competition,position,points\n2021,League,1,51\n2020/21,Cup,,9\n2020,League,2,40\n");

    // The namesake of Borduria is the team there.
    const Result other = cli({"history", "--country", "Borduria", "--team", "Ash (Aton)", "--format", "json"});
    EXPECT_EQ(other.out, "[\n  {\"season\": \"2022\", \"competition\": \"Top\", \"position\": 4, \"points\": 30}\n]\n");

    const Result unknown = cli({"history", "--country", "Albion", "--team", "ash (Aton)"});
    EXPECT_EQ(unknown.status, Cli::Refused);
    EXPECT_TRUE(unknown.err.contains("ash (Aton)")) << unknown.err.toStdString();
    EXPECT_EQ(cli({"history", "--team", "Ash (Aton)"}).status, Cli::BadUsage);
}

TEST_F(CliReferenceTest, SummaryPrintsTheAboutBoxLines)
{
    const Result r = cli({"summary"});
    ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
    EXPECT_EQ(r.out, "Countrys: 2\nFootball teams: 2\nStadiums: 0\nResults of matches: 1\n-------------------\n"
                     "Albion - League - 1 matches - (2020-03-01 - 2020-03-01)\nAlbion - Cup - 0 matches - (? - ?)\n"
                     "Borduria - Top - 0 matches - (? - ?)\n");
}

} // namespace
