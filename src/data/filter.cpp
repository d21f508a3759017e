#include "filter.h"

#include "apperror.h"
#include "fieldvalue.h"

#include <vector>

// An and-node or an or-node holds all the operands of one chain of its keyword, so a long
// chain is one flat node and its SQL one flat list, not a nesting as deep as the chain.
struct Filter::Node
{
    enum class Kind
    {
        Compare,
        And,
        Or
    };
    Kind kind = Kind::Compare;
    const FieldSchema* field = nullptr;
    QString op;
    QVariant value;
    std::vector<std::unique_ptr<Node>> operands; // of an and-node or or-node: two or more
};

namespace {

enum class Tok
{
    End,
    Open,
    Close,
    Ident,
    Op,
    Literal
};

// A token's text is a view into the expression; only a literal with a doubled apostrophe
// needs a text of its own (literal), so reading a filter copies next to nothing.
struct Token
{
    Tok kind = Tok::End;
    QStringView text;
    qsizetype pos = 0; // 1-based character position in the expression
    QString literal;   // a literal's value when it differs from text
};

// The operator of a comparison as one of the shared texts, so that a filter's nodes hold no
// copies of their own.
QString comparisonOperator(QStringView op)
{
    static const QString known[] = {QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("<"),
                                    QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=")};
    for (const QString& k : known) {
        if (op == k)
            return k;
    }
    return op.toString();
}

class Parser
{
public:
    Parser(const QString& text, const TableSchema& table) : m_text(text), m_table(table) { advance(); }

    std::unique_ptr<Filter::Node> parseAll(QStringList& fields)
    {
        m_fields = &fields;
        auto node = expression();
        if (m_tok.kind != Tok::End)
            fail(QStringLiteral("unexpected \"%1\"").arg(m_tok.text));
        return node;
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        throw AppError(QStringLiteral("Malformed filter expression: %1 at character %2 of \"%3\".")
                           .arg(what)
                           .arg(m_tok.pos)
                           .arg(m_text));
    }

    void advance()
    {
        const qsizetype n = m_text.size();
        const QStringView all(m_text);
        while (m_at < n && m_text.at(m_at).isSpace())
            ++m_at;
        m_tok.kind = Tok::End;
        m_tok.text = QStringView();
        m_tok.pos = m_at + 1;
        m_tok.literal.clear();
        if (m_at >= n)
            return;
        const QChar c = m_text.at(m_at);
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            m_tok.kind = c == QLatin1Char('(') ? Tok::Open : Tok::Close;
            m_tok.text = all.mid(m_at, 1);
            ++m_at;
            return;
        }
        if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            m_tok.kind = Tok::Op;
            qsizetype length = 1;
            if (m_at + 1 < n && c != QLatin1Char('=')) {
                const QChar d = m_text.at(m_at + 1);
                if (d == QLatin1Char('=') || (c == QLatin1Char('<') && d == QLatin1Char('>')))
                    length = 2;
            }
            m_tok.text = all.mid(m_at, length);
            m_at += length;
            return;
        }
        if (c == QLatin1Char('\'')) {
            m_tok.kind = Tok::Literal;
            ++m_at;
            // The text runs to the next lone apostrophe; a doubled one stands for one.
            bool doubled = false;
            for (;;) {
                const qsizetype close = m_text.indexOf(QLatin1Char('\''), m_at);
                if (close < 0) {
                    m_at = n;
                    fail(QStringLiteral("a text in apostrophes is not closed"));
                }
                const QStringView piece = all.mid(m_at, close - m_at);
                m_at = close + 1;
                if (m_at < n && m_text.at(m_at) == QLatin1Char('\'')) {
                    doubled = true;
                    m_tok.literal += piece;
                    m_tok.literal += QLatin1Char('\'');
                    ++m_at;
                    continue;
                }
                if (doubled)
                    m_tok.literal += piece;
                else
                    m_tok.text = piece;
                return;
            }
        }
        if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            m_tok.kind = Tok::Ident;
            const qsizetype start = m_at;
            while (m_at < n && (m_text.at(m_at).isLetterOrNumber() || m_text.at(m_at) == QLatin1Char('_')))
                ++m_at;
            m_tok.text = all.mid(start, m_at - start);
            return;
        }
        m_tok.text = all.mid(m_at, 1);
        fail(QStringLiteral("unexpected \"%1\"").arg(c));
    }

    // The value of the literal token.
    QString literalText() const { return m_tok.literal.isEmpty() ? m_tok.text.toString() : m_tok.literal; }

    bool isKeyword(const char* word) const
    {
        return m_tok.kind == Tok::Ident && m_tok.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    // Joins two operands by a keyword, adding to a chain of the same keyword on either side.
    static std::unique_ptr<Filter::Node> join(Filter::Node::Kind kind, std::unique_ptr<Filter::Node> l,
                                              std::unique_ptr<Filter::Node> r)
    {
        if (l->kind != kind) {
            auto node = std::make_unique<Filter::Node>();
            node->kind = kind;
            node->operands.push_back(std::move(l));
            l = std::move(node);
        }
        if (r->kind == kind) {
            for (auto& operand : r->operands)
                l->operands.push_back(std::move(operand));
        } else {
            l->operands.push_back(std::move(r));
        }
        return l;
    }

    std::unique_ptr<Filter::Node> expression()
    {
        auto node = term();
        while (isKeyword("or")) {
            advance();
            node = join(Filter::Node::Kind::Or, std::move(node), term());
        }
        return node;
    }

    std::unique_ptr<Filter::Node> term()
    {
        auto node = factor();
        while (isKeyword("and")) {
            advance();
            node = join(Filter::Node::Kind::And, std::move(node), factor());
        }
        return node;
    }

    std::unique_ptr<Filter::Node> factor()
    {
        if (m_tok.kind == Tok::Open) {
            if (m_depth == Filter::maxDepth)
                fail(QStringLiteral("parentheses are nested more than %1 deep").arg(Filter::maxDepth));
            ++m_depth;
            advance();
            auto node = expression();
            --m_depth;
            if (m_tok.kind != Tok::Close)
                fail(m_tok.kind == Tok::End ? QStringLiteral("a closing parenthesis is missing")
                                            : QStringLiteral("expected \")\" but found \"%1\"").arg(m_tok.text));
            advance();
            return node;
        }
        return comparison();
    }

    std::unique_ptr<Filter::Node> comparison()
    {
        if (m_tok.kind != Tok::Ident || isKeyword("and") || isKeyword("or"))
            fail(m_tok.kind == Tok::End ? QStringLiteral("the expression ends where a field name is expected")
                                        : QStringLiteral("expected a field name but found \"%1\"").arg(m_tok.text));
        if (m_comparisons == Filter::maxComparisons)
            fail(QStringLiteral("more than %1 comparisons").arg(Filter::maxComparisons));
        ++m_comparisons;
        const FieldSchema* field = m_table.field(m_tok.text);
        if (!field)
            fail(QStringLiteral("%1 has no field \"%2\"").arg(m_table.name, m_tok.text));
        if (field->isBlob())
            fail(QStringLiteral("the picture field \"%1\" cannot be compared").arg(field->name));
        advance();
        if (m_tok.kind != Tok::Op)
            fail(QStringLiteral("expected =, <>, <, >, <= or >= after %1").arg(field->name));
        const QString op = comparisonOperator(m_tok.text);
        advance();
        if (m_tok.kind != Tok::Literal)
            fail(QStringLiteral("expected a value in apostrophes after %1%2").arg(field->name, op));
        auto node = std::make_unique<Filter::Node>();
        node->field = field;
        node->op = op;
        node->value = FieldValue::fromLiteral(*field, literalText());
        if (!m_fields->contains(field->name))
            m_fields->append(field->name);
        advance();
        return node;
    }

    QString m_text;
    const TableSchema& m_table;
    qsizetype m_at = 0;
    Token m_tok;
    QStringList* m_fields = nullptr;
    int m_depth = 0;       // parentheses open at the current token
    int m_comparisons = 0; // comparisons read so far
};

template <typename T> bool holds(const T& a, const QString& op, const T& b)
{
    if (op == QLatin1String("="))
        return a == b;
    if (op == QLatin1String("<>"))
        return !(a == b);
    if (op == QLatin1String("<"))
        return a < b;
    if (op == QLatin1String(">"))
        return b < a;
    if (op == QLatin1String("<="))
        return !(b < a);
    return !(a < b); // >=
}

// Appends the SQL of a node; an and-node or or-node is one parenthesised list.
void appendSql(const Filter::Node& node, QVariantList& params, QString& sql)
{
    if (node.kind == Filter::Node::Kind::Compare) {
        appendComparisonSql(sql, *node.field, node.op, node.value, params);
        return;
    }
    const QLatin1String keyword(node.kind == Filter::Node::Kind::And ? " AND " : " OR ");
    sql += QLatin1Char('(');
    for (size_t i = 0; i < node.operands.size(); ++i) {
        if (i > 0)
            sql += keyword;
        appendSql(*node.operands[i], params, sql);
    }
    sql += QLatin1Char(')');
}

} // namespace

void appendComparisonSql(QString& sql, const FieldSchema& field, const QString& op, const QVariant& value,
                         QVariantList& params)
{
    bool emptyMatches = false;
    switch (field.type) {
    case FieldType::Date:
        params << value.toString();
        break;
    case FieldType::Float:
        params << value.toDouble();
        break;
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Picture: {
        // A null QString would be bound as NULL, which equals nothing.
        QString text = value.toString();
        if (text.isNull())
            text = QStringLiteral("");
        emptyMatches = holds(QString(), op, text);
        params << std::move(text);
        break;
    }
    default:
        params << value.toLongLong();
        break;
    }
    // "field" op ?, or ("field" op ? OR "field" IS NULL) when the empty text matches too.
    if (emptyMatches)
        sql += QLatin1Char('(');
    sql += QLatin1Char('"');
    sql += field.name;
    sql += QLatin1String("\" ");
    sql += op;
    sql += QLatin1String(" ?");
    if (emptyMatches) {
        sql += QLatin1String(" OR \"");
        sql += field.name;
        sql += QLatin1String("\" IS NULL)");
    }
}

QString comparisonSql(const FieldSchema& field, const QString& op, const QVariant& value, QVariantList& params)
{
    QString sql;
    appendComparisonSql(sql, field, op, value, params);
    return sql;
}

Filter Filter::parse(const QString& text, const TableSchema& table)
{
    Filter filter;
    filter.m_text = text;
    if (text.trimmed().isEmpty())
        return filter;
    Parser parser(text, table);
    filter.m_root = parser.parseAll(filter.m_fields);
    filter.m_sql.reserve(text.size() + 32);
    appendSql(*filter.m_root, filter.m_params, filter.m_sql);
    return filter;
}

QString Filter::sql(QVariantList& params) const
{
    if (!m_root)
        return QStringLiteral("1");
    params += m_params;
    return m_sql;
}
