#pragma once

#include "opendata.h"
#include "report.h"
#include "tablestore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// Shows a compared record readably when a test fails.
inline void PrintTo(const QVariant& value, std::ostream* os)
{
    *os << value.toString().toStdString();
}

// Small hand-made open data: England (with a Welsh club), Germany, the Champions League,
// two seasons of one league and a few records that must be skipped.
class OpenDataFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        write("catalogue/countries.txt", "# key | country | capital | club lists | flag\n"
                                         "en   | England | London | europe/england, europe/wales | gb-eng\n"
                                         "de   | Germany | Berlin | europe/germany | de\n"
                                         "uefa | Europe  | Nyon   |  | eu\n"
                                         "xx   | broken line\n");
        write("catalogue/competitions.txt", "en.1    | en   | Premier League   | league\n"
                                            "en.cup  | en   | FA Cup           | cup\n"
                                            "de.1    | de   | Bundesliga       | league\n"
                                            "uefa.cl | uefa | Champions League | international\n");
        write("catalogue/clubcountries.txt", "ENG | europe/england\nGER | europe/germany\nESP | europe/spain\n");
        write("catalogue/aliases.txt", "Spurs FC | Tottenham Hotspur FC\n");
        write("clubs/europe/england/eng.clubs.txt",
              "= England\n\n"
              "Arsenal FC, 1886, @ Emirates Stadium, London (Highbury)   ## Greater London\n"
              "  | Arsenal | FC Arsenal\n"
              "Tottenham Hotspur FC, 1882, London (Tottenham)\n"
              "  | Tottenham | Spurs\n"
              "Leyton Orient FC,  @ Brisbane Road,  London\n"
              " Brisbane Road // London E10 5NF\n");
        write("clubs/europe/england/eng.stadiums.txt", "Ashburton Grove, 60_361, 2006, London   # FC Arsenal\n"
                                                       "  | $Emirates$ Stadium\n\n"
                                                       "Tottenham Hotspur Stadium, 62_850, 2019, London\n"
                                                       "# club: Tottenham\n");
        write("clubs/europe/wales/wal.clubs.txt", "Cardiff City FC, 1899, @ Cardiff City Stadium, Cardiff\n");
        write("clubs/europe/germany/de.clubs.txt", "== Bayern ==\n\n"
                                                   "Bayern München, 1900, @ Allianz Arena, München\n"
                                                   "  | FC Bayern München | Bayern Munich [en]\n"
                                                   "ii) Bayern München II\n"
                                                   "  | Bayern II\n");
        write("clubs/europe/spain/es.clubs.txt", "Real Madrid,  Madrid › Comunidad de Madrid\n"
                                                 "  | Real Madrid CF\n");
        write("matches/2020-21/en.1.json", R"json({"name": "English Premier League 2020/21", "matches": [
            {"round": "1", "date": "2020-09-12", "team1": "Arsenal FC", "team2": "Tottenham", "score": {"ft": [2, 1]}},
            {"round": "2", "date": "2020-09-19", "team1": "Spurs FC", "team2": "Cardiff City FC", "score": {"ft": [0, 0]}},
            {"round": "3", "date": "2020-09-26", "team1": "Arsenal", "team2": "Cardiff City FC", "score": {"ht": [0, 1], "ft": [1, 3]}},
            {"round": "4", "date": "2020-10-03", "team1": "Unknown Town FC", "team2": "Arsenal FC", "score": {"ft": [1, 1]}},
            {"round": "5", "date": "2020-10-10", "team1": "Leyton Orient FC", "team2": "Arsenal FC"}]})json");
        write("matches/2020-21/de.1.json", R"json({"name": "Bundesliga", "matches": [
            {"date": "2020-09-18", "team1": "Bayern München", "team2": "Bayern II", "score": {"ft": [8, 0]}}]})json");
        write("matches/2020-21/uefa.cl.json", R"json({"name": "UEFA Champions League 2020/21", "matches": [
            {"date": "2020-10-21", "team1": "Arsenal FC (ENG)", "team2": "FC Bayern München (GER)", "score": {"ft": [0, 2]}},
            {"date": "2020-11-03", "team1": "Real Madrid CF (ESP)", "team2": "Arsenal FC (ENG)", "score": {"ft": [1, 1]}}]})json");
        write("matches/2021-22/en.1.json", R"json({"name": "English Premier League 2021/22", "matches": [
            {"round": "1", "date": "2021-08-14", "team1": "Arsenal FC", "team2": "Tottenham", "score": {"ft": [1, 0]}},
            {"round": "1", "team1": "Arsenal FC", "team2": "Tottenham", "score": {"ft": [1, 0]}},
            {"round": "1", "date": "2021-08-15", "team1": "Cardiff City FC", "team2": "Tottenham", "score": {"ft": [1]}},
            {"round": "1", "date": "2021-08-16", "team1": "Cardiff City FC", "team2": "Arsenal", "score": {"ft": ["2", "1"]}},
            {"round": "2", "date": "2021-08-21", "team1": "Arsenal FC", "team2": "Arsenal", "score": {"ft": [1, 1]}},
            {"round": "2", "date": "2021-08-14", "team1": "Arsenal", "team2": "Tottenham Hotspur FC", "score": {"ft": [3, 3]}},
            {"round": "3", "date": "2019-01-01", "team1": "Cardiff City FC", "team2": "Tottenham", "score": {"ft": [0, 1]}},
            {"round": "4", "date": "2021-09-11", "team1": "Tottenham", "team2": "Tottenham", "score": {"ft": [0, 1]}}]})json");
        write("matches/2021-22/de.1.json", "{oops");
        write("matches/2021-22/xx.1.json", R"json({"name": "X", "matches": []})json");
    }

    void write(const QString& path, const QByteArray& text)
    {
        const QString full = m_dir.filePath(path);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    OpenData read()
    {
        return readOpenData(
            {m_dir.filePath("catalogue"), m_dir.filePath("matches"), m_dir.filePath("clubs"), m_dir.filePath("flags")},
            report);
    }

    QString table() const { return m_dir.filePath("run/Table"); }

    bool reported(const QString& text) const
    {
        return std::any_of(report.lines().begin(), report.lines().end(),
                           [&](const QString& line) { return line.contains(text); });
    }

    QTemporaryDir m_dir;
    Report report;
};

inline std::vector<QVariantList> rows(TableStore& store, const QString& sql)
{
    std::vector<QVariantList> out;
    QSqlQuery q = store.exec(sql, {}, QStringLiteral("test"));
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i)
            row << (q.isNull(i) ? QVariant() : q.value(i));
        out.push_back(row);
    }
    return out;
}

inline QByteArray fileHash(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
