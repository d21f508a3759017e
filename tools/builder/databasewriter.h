#pragma once

#include "dataset.h"

#include <QString>

// Stores a dataset as the folder Table: every record with its code made by the same rules
// as records added in the program (a competition, stadium or team: the country's code
// followed by its number within the country; a season: the competition's code followed by
// the number of its earlier seasons, plus one), every result, and the league table of
// every league season counted and ranked by the program's own season-table code.
//
// The database is made beside `tableFolder` and takes its place only when complete, so a
// failure (an AppError) leaves whatever was there before untouched.
struct WriteFigures
{
    int countries = 0;
    int competitions = 0;
    int stadiums = 0;
    int teams = 0;
    int seasons = 0;
    int results = 0;
    int tableRows = 0;
};

// Country codes start at 10, so that every code has two digits and no joined code of one
// country can be the joined code of another.
constexpr int firstCountryCode = 10;

// A text as a field of the database stores it: cut to the field's width by the rule of
// every write, so that what the builder derives from it (a team's label) is what the
// program derives from the stored record.
QString storedText(const QString& table, const QString& field, const QString& text);
// ... and as a text field of the given width would store it.
QString storedText(const QString& text, int width);

WriteFigures writeDatabase(const Dataset& dataset, const QString& tableFolder);
