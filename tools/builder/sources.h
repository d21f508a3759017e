#pragma once

#include "report.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

// The open data the shipped database is made from, as read from its files: club and
// stadium lists per country, match files per competition and season, and the builder's
// own catalogue (which countries and competitions to take, under which names, and the
// aliases of clubs that the match files name differently from the club lists).

struct ClubEntry
{
    QString name;             // the club's full name
    QStringList alternatives; // other names the match files may use
    QString city;             // without district or region
    QString stadium;          // name of its ground, empty when the list gives none
    QString asOf;             // the season the entry holds for, when its list says ("= as of 2025/26")
};

struct StadiumEntry
{
    QString name;
    QStringList alternatives;
    std::optional<int> capacity;
    QStringList clubs; // the clubs its line names as playing there
    QString asOf;      // the season the entry holds for, when its list says
};

// No club or stadium has a longer name; a longer one is a damaged source, refused with a
// report line before it costs time or memory.
constexpr qsizetype longestName = 100;

// A name as a report line shows it: at most 40 characters of it.
QString reportedName(const QString& name);

// Reads a club list ("Name, founded, @ Stadium, City (District)" with "| alternative |"
// lines beneath; reserve sides as "ii) Name"). Fields are parted by commas or by a run of
// blanks ("Chemnitzer FC, 1966   Chemnitz"). A heading "= ... as of 2025/26" dates the
// entries beneath it.
std::vector<ClubEntry> parseClubList(const QString& text);

// Reads a stadium list ("Name, capacity with _ as thousands mark, opened, City", with
// alternatives beneath and the home club as a comment), dated by headings as a club list.
std::vector<StadiumEntry> parseStadiumList(const QString& text);

struct SourceMatch
{
    int number = 0; // its place in the file, from 1
    QString round;
    QDate date;
    QString team1; // home
    QString team2; // away
    bool played = false;
    int goal1 = 0;
    int goal2 = 0;
};

struct MatchFile
{
    bool readable = false;
    QString name;
    std::vector<SourceMatch> matches;
};

// Reads one match file. A match that cannot be read (no date, no teams, a score that is
// not two goal counts, a team against itself) is reported with the file and left out.
MatchFile parseMatchFile(const QByteArray& json, const QString& fileName, Report& report);

// The catalogue: datasets/countries.txt, competitions.txt, clubcountries.txt, aliases.txt,
// each a list of lines with fields separated by "|", "#" starting a comment.
struct CatalogueCountry
{
    QString key; // as in the competition keys: "en", "de", "uefa"
    QString name;
    QString capital;
    QStringList clubLists; // club list folders, the first one the country's own
    QString flag;          // its flag: a picture of that name in the flags folder ("dz" -> dz.png), or one
                           // the builder draws ("gb-eng"); empty for none
};

struct CatalogueCompetition
{
    QString key; // the match files' name without .json: "en.1", "de.cup", "uefa.cl"
    QString country;
    QString name;
    enum class Kind
    {
        League,
        Cup,
        International
    } kind = Kind::League;
};

struct Catalogue
{
    std::vector<CatalogueCountry> countries;
    std::vector<CatalogueCompetition> competitions;
    std::map<QString, QString> clubCountries; // the three-letter codes of international names -> club list folder
    std::map<QString, QString> aliases;       // a name in the match files -> the club's name in the club lists

    const CatalogueCountry* country(const QString& key) const;
    const CatalogueCompetition* competition(const QString& key) const;
};

// Reads the catalogue from its folder; a malformed line is reported and skipped.
Catalogue readCatalogue(const QString& folder, Report& report);

// Splits "a | b | c" lines of the catalogue; empty and comment lines give nothing.
std::vector<QStringList> catalogueLines(const QString& text);
