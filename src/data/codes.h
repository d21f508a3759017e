#pragma once

#include <QtGlobal>

// How the codes of new records are made: the parent's code joined, as decimal texts, with
// a count. The data module's reactions and the database builder both number by these, so
// that records added in the program continue the builder's numbering.
namespace Codes {

// A new competition, stadium or team of a country: the country's code followed by the
// number of its records of that kind so far plus one (country 12 with two competitions
// gives its third 123). Throws the integer conversion error past 32 bits.
int nextInCountry(qint64 country, qint64 existing);

// A competition's new season: the competition's code followed by the number of its
// seasons so far, plus one (competition 101 with nine seasons gives 1020, with none 1011).
// Throws the integer conversion error past 32 bits.
int nextSeason(qint64 competition, qint64 existing);

} // namespace Codes
