#pragma once

#include "schema.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

// A record filter: a short expression such as (Division='7')and(Team='Arsenal (London)')
// over the fields of one table. It is parsed once, when its text is set, into a small
// syntax tree whose literals are already converted to their fields' types; the database
// evaluates it as a WHERE clause with bound parameters.
//
// Grammar: expression = term {"or" term}; term = factor {"and" factor};
// factor = "(" expression ")" | comparison; comparison = field operator literal;
// operator = "=" | "<>" | "<" | ">" | "<=" | ">="; literal = "'" characters "'", where a
// doubled apostrophe stands for one. Keywords and field names ignore letter case, blanks
// may stand between any two tokens. An empty text selects every record.
//
// A text is refused when its parentheses are nested more than maxDepth deep or it holds
// more than maxComparisons comparisons: within these the database evaluates any text (its
// own parser and expression depth have limits), and the forms the program builds stay far
// below them.
//
// An empty text field compares as the empty text, so (ShortName='') selects the teams
// without a short name. An empty number or date is no value at all and satisfies no
// comparison: a team posted without a code must not claim the results that lack one.
class Filter
{
public:
    Filter() = default;

    static constexpr int maxDepth = 10;
    static constexpr int maxComparisons = 256;

    // Throws AppError: "'x' is not a valid integer value", "'x' is not a valid date", or a
    // message that says what is wrong with a malformed expression and where.
    static Filter parse(const QString& text, const TableSchema& table);

    bool isEmpty() const { return !m_root; }
    const QString& text() const { return m_text; }

    // The names of the fields the expression compares (as the schema spells them).
    const QStringList& fields() const { return m_fields; }

    // The expression as SQL, appending the values of its placeholders to params.
    QString sql(QVariantList& params) const;

    struct Node;

private:
    QString m_text;
    QStringList m_fields;
    std::shared_ptr<const Node> m_root;
    // Worked out once, when the text is parsed: a view runs the same filter many times.
    QString m_sql;
    QVariantList m_params;
};

// The SQL condition "field op value" as a filter compares it, with the value as the field
// stores it (qint64, double, QString; a date as ISO text). Used by locate as well.
QString comparisonSql(const FieldSchema& field, const QString& op, const QVariant& value, QVariantList& params);
// The same, appended to the SQL being built.
void appendComparisonSql(QString& sql, const FieldSchema& field, const QString& op, const QVariant& value,
                         QVariantList& params);
