#pragma once

#include <QDate>
#include <QString>

// Texts of numbers and dates shared by every window. All of them follow the current
// default QLocale, so the whole program speaks the user's locale in one way.
namespace TextFormat {

// The locale's short date format with the year widened to four digits, so that a date
// written into a filter reads back as the same day ("M/d/yy" becomes "M/d/yyyy").
QString shortDateFormat();

// A date in shortDateFormat(); an invalid date gives an empty text.
QString dateText(const QDate& date);

// Reads a date written in shortDateFormat() (ISO yyyy-MM-dd is accepted too);
// an invalid QDate when the text is not a date.
QDate parseDate(const QString& text);

// A decimal integer text: digits with an optional sign, no grouping, no blanks, within
// 32 bits. Throws AppError "'text' is not a valid integer value" otherwise.
int parseInteger(const QString& text);

// Joins two number texts and reads the result as an integer: how every generated code is
// made (7 and 3 give 73, 0 and 1 give 1). Throws the integer conversion error when the
// joined text does not fit 32 bits.
int joinCodes(qint64 head, qint64 tail);

// Fixed-point text with the locale's decimal separator and no group separator, rounded
// to the given decimals with halves away from zero (12.5 stays, 16.666... reads 16.7,
// 0.15 to one decimal reads 0.2).
QString fixedText(double value, int decimals);

// Whole number in groups of three digits separated by a blank: 45000 gives "45 000".
QString capacityText(qint64 value);

// Doubles every apostrophe of a value and wraps it in apostrophes, as a filter literal.
QString quoteLiteral(const QString& value);
// The same, appended to a text being built.
void appendQuotedLiteral(QString& out, const QString& value);

} // namespace TextFormat
