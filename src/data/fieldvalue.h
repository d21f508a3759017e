#pragma once

#include "schema.h"

#include <QDate>
#include <QString>
#include <QVariant>

// How a value becomes what a field stores, and how a stored value reads back. One rule
// for every way a value reaches a field: a post, a locate and a filter's literal accept
// and refuse the same texts, with the same messages.
//
// Stored values: numbers as qint64 within the field's range (16 bits for Smallint, 32 for
// Integer and AutoInc), dates as ISO text (so that SQL compares them chronologically),
// Float as double, texts and memos as QString, pictures as QByteArray.
namespace FieldValue {

// A literal of a filter, converted to the field's type: "'x' is not a valid integer
// value", "'x' is not a valid date", "'x' is not a valid floating point value", or the
// range message for a number the field cannot hold. A text is taken unchanged (never
// cut: a literal longer than the field simply equals no stored value).
QVariant fromLiteral(const FieldSchema& field, const QString& literal);

// A value put into a field: null for an empty value (an empty or blank text of a number
// or date field too), texts cut to the field's width, number and date texts converted as
// literals are. Throws the same messages as fromLiteral.
QVariant forStore(const FieldSchema& field, const QVariant& value);

// A stored value as the views give it: dates as QDate, everything else as stored.
QVariant fromStored(FieldType type, const QVariant& stored);

// A date as it is stored, yyyy-MM-dd (Qt's ISO text, empty for an invalid date), and a
// stored date text read back (UTF-8 bytes; invalid when it is no date). Dates are written
// and read by the thousand in every walk, so the common form is done by hand.
QString storedDate(const QDate& date);
QDate dateFromStored(const char* text, qsizetype size);

// A value as a text (what asString shows): dates in the short date format, Float with the
// locale's decimal separator, pictures as no text; empty for null.
QString text(FieldType type, const QVariant& value);

// Cuts a text to a width without splitting a surrogate pair.
QString cut(const QString& text, int width);

} // namespace FieldValue
