// table and games answer as the league table viewer and the team games window do.
#include "cli.h"
#include "leaguetablefixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

struct Result
{
    int status;
    QString out;
    QString err;
};

class CliLeagueTablesTest : public ::testing::Test
{
protected:
    void SetUp() override { fillLeagueTables(db); }

    Result cli(const QStringList& arguments)
    {
        Result r;
        r.status = Cli::run(QStringList{"--db", QFileInfo(db.folder()).path()} + arguments, r.out, r.err);
        return r;
    }
    static QStringList season(const QString& competition, const QString& name)
    {
        return {"--country", "Albion", "--competition", competition, "--season", name};
    }

    TestDatabase db;
};

TEST_F(CliLeagueTablesTest, TableListsTheStoredPositionsAndRankStoresNewOnes)
{
    // Never ranked: the rows in ranking order without positions; nothing is stored.
    Result r = cli(QStringList{"table"} + season("League", "2020/21"));
    ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
    QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 21);
    EXPECT_EQ(lines[0], "position,team,G,W,D,L,GS,GA,P");
    EXPECT_EQ(lines[1], ",T01 (C01),0,0,0,0,0,0,96");
    EXPECT_EQ(db.scalar("SELECT COUNT(Position) FROM TableDet").toInt(), 0);

    r = cli(QStringList{"table", "--rank"} + season("League", "2020/21"));
    ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
    lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 21);
    for (int i = 1; i <= 20; ++i)
        EXPECT_TRUE(lines[i].startsWith(QString::number(i) + ",")) << lines[i].toStdString();
    EXPECT_EQ(lines[20], "20,T20 (C20),0,0,0,0,0,0,20");
    EXPECT_EQ(db.scalar("SELECT Position FROM TableDet WHERE CodeTeam = 20").toInt(), 20);
    EXPECT_EQ(db.scalar("SELECT SUM(Position) FROM TableDet WHERE CodeTeam IN (5, 6)").toInt(), 11);

    // The stored positions are what a later table prints.
    EXPECT_EQ(cli(QStringList{"table"} + season("League", "2020/21")).out, r.out);
    r = cli(QStringList{"table", "--format", "json"} + season("League", "2021/22"));
    EXPECT_EQ(r.out, "[]\n");
}

TEST_F(CliLeagueTablesTest, GamesListsTheTeamsGamesOfTheSeasonInTheCompetition)
{
    Result r = cli(QStringList{"games", "--team", "T01 (C01)"} + season("League", "2020/21"));
    ASSERT_EQ(r.status, Cli::Success) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 35);
    EXPECT_EQ(lines[0], "number,date,home,away,goals");
    EXPECT_EQ(lines[1], "1,2020-08-01,T01 (C01),T02 (C02),10 : 2");
    EXPECT_EQ(lines[5], "5,2020-08-29,T01 (C01),T06 (C06), : ");
    EXPECT_EQ(lines[34], "34,2021-05-31,T08 (C08),T01 (C01),2 : 2");

    r = cli(QStringList{"games", "--team", "T01 (C01)", "--format", "json"} + season("Cup", "2020/21"));
    EXPECT_EQ(r.status, Cli::Refused); // the Cup has no season of that name
    EXPECT_TRUE(r.err.contains("2020/21")) << r.err.toStdString();

    r = cli(QStringList{"games", "--team", "T01 (c01)"} + season("League", "2020/21"));
    EXPECT_EQ(r.status, Cli::Refused);
    EXPECT_TRUE(r.err.contains("\"T01 (C01)\"")) << r.err.toStdString(); // the closest label offered
    EXPECT_EQ(r.out, "");

    r = cli(QStringList{"games"} + season("League", "2020/21"));
    EXPECT_EQ(r.status, Cli::BadUsage);
}

} // namespace
