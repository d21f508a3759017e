#pragma once

#include "dataset.h"
#include "report.h"

#include <QString>

// Where the open data lies: the builder's catalogue, the match files (one folder per
// season, one file per competition) and the club lists (one folder per country).
struct OpenDataFolders
{
    QString catalogue;
    QString matches;
    QString clubs;
    QString flags; // the countries' flag pictures; none are stored without it
};

// What the open data describes, with the clubs of the match files resolved to the club
// lists, and figures of how complete it is.
struct OpenData
{
    Dataset dataset;
    int clubsWithCity = 0;
    int clubsWithStadium = 0;
    int fixtures = 0;  // matches without a score, which are not results
    int corrected = 0; // matches dated a year off their rounds, stored with the corrected date
    int refused = 0;   // played matches of season files that repeat another competition's
};

// Reads the open data. Whatever cannot be used is reported with its file and record and
// left out; a club the lists do not know is kept under the name the match file gives it.
OpenData readOpenData(const OpenDataFolders& folders, Report& report);

// The short name a club's full name gives: the name without the club-form words before
// or after it ("FC Bayern München" -> "Bayern München", "Arsenal FC" -> "Arsenal").
QString shortNameOf(const QString& fullName);

// The name as the builder compares names: lower case, without accents, blanks or marks.
QString comparableName(const QString& name);
// ... and without the words of a club's form ("FC", "SC") or particles ("de", "la").
QString coreName(const QString& name);
