#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One value of a printed row: a text, a whole number (a number in JSON) or nothing (an
// empty CSV field, null in JSON).
class Cell
{
public:
    static Cell text(const QString& value) { return Cell(value, Kind::Text); }
    static Cell number(qint64 value) { return Cell(QString::number(value), Kind::Number); }
    static Cell none() { return Cell(QString(), Kind::None); }

    const QString& string() const { return m_text; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isNone() const { return m_kind == Kind::None; }

private:
    enum class Kind
    {
        Text,
        Number,
        None
    };
    Cell(const QString& value, Kind kind) : m_text(value), m_kind(kind) {}
    QString m_text;
    Kind m_kind;
};

// Rows under their keys, as a command prints them.
struct Rows
{
    QStringList keys;
    std::vector<std::vector<Cell>> rows;

    void add(std::vector<Cell> row) { rows.push_back(std::move(row)); }
};

namespace Output {

// CSV as RFC 4180 has it, with a header row of the keys and a newline after every row:
// a field holding a comma, a double quote, a carriage return or a newline is quoted, its
// double quotes doubled.
QString csv(const Rows& rows);
QString csvField(const QString& value);
// The records of a CSV text as csv() writes them (RFC 4180): fields split at commas, quoted
// fields with their doubled quotes, line breaks inside them kept; a record ends at a
// newline or a carriage return and newline. Blank lines give no record.
std::vector<QStringList> parseCsv(const QString& text);

// A JSON array of objects with the keys in their order.
QString json(const Rows& rows);
QString jsonString(const QString& value);

// A composed text of the windows, one line per output line: its carriage returns (and any
// newlines) become newlines.
QString lines(const QString& composed);
// The same lines as a JSON array of strings.
QString jsonLines(const QString& composed);

} // namespace Output
