#include "opendatafixture.h"

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

} // namespace

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
