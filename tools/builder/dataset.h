#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// A whole competition database in memory, before it has codes: what the open data or the
// synthetic generator describe, and what the writer stores. Records refer to each other by
// their index in these lists; the writer gives them codes by the program's own rules, in
// list order.
struct Dataset
{
    struct Country
    {
        QString name;
        QString capital;
        QByteArray flag; // a PNG picture, empty for none
    };
    struct Competition
    {
        int country = 0;
        QString name;
        bool league = true; // a league gets a table for each season; a cup does not
    };
    struct Stadium
    {
        int country = 0;
        QString name;
        std::optional<int> capacity;
    };
    struct Team
    {
        int competition = 0; // its Division; the team's code is made under that competition's country
        QString fullName;
        QString shortName;
        QString city;
        int stadium = -1;
        QString label() const;
    };
    struct Season
    {
        int competition = 0;
        QString name;
        QDate start;
        QDate finish;
        std::vector<int> teams; // those that played in it, in the order the table is filled
    };
    struct Result
    {
        int season = 0;
        QDate date;
        int home = 0;
        int away = 0;
        int goal1 = 0;
        int goal2 = 0;
    };

    std::vector<Country> countries;
    std::vector<Competition> competitions;
    std::vector<Stadium> stadiums;
    std::vector<Team> teams;     // in the order their codes are given within each country
    std::vector<Season> seasons; // in each competition, oldest first
    std::vector<Result> results; // in the order of their numbers
};
