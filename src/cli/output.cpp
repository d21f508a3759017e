#include "output.h"

#include <QRegularExpression>

namespace Output {

QString csvField(const QString& value)
{
    static const QRegularExpression special(QStringLiteral("[\",\r\n]"));
    if (!value.contains(special))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csv(const Rows& rows)
{
    QString text;
    const auto addLine = [&text](const QStringList& fields) {
        text += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    };
    QStringList header;
    for (const QString& key : rows.keys)
        header << csvField(key);
    addLine(header);
    for (const auto& row : rows.rows) {
        QStringList fields;
        for (const Cell& cell : row)
            fields << csvField(cell.string());
        addLine(fields);
    }
    return text;
}

std::vector<QStringList> parseCsv(const QString& text)
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;   // inside a quoted field
    bool anything = false; // the record has begun
    const auto endField = [&] {
        record << field;
        field.clear();
    };
    const auto endRecord = [&] {
        endField();
        records.push_back(record);
        record.clear();
        anything = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
            anything = true;
        } else if (c == QLatin1Char(',')) {
            endField();
            anything = true;
        } else if (c == QLatin1Char('\n') ||
                   (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))) {
            if (c == QLatin1Char('\r'))
                ++i;
            if (anything)
                endRecord();
        } else {
            field += c;
            anything = true;
        }
    }
    if (anything)
        endRecord();
    return records;
}

QString jsonString(const QString& value)
{
    QString text = QStringLiteral("\"");
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '"':
            text += QStringLiteral("\\\"");
            break;
        case '\\':
            text += QStringLiteral("\\\\");
            break;
        case '\n':
            text += QStringLiteral("\\n");
            break;
        case '\r':
            text += QStringLiteral("\\r");
            break;
        case '\t':
            text += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                text += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                text += c;
        }
    }
    return text + QLatin1Char('"');
}

QString json(const Rows& rows)
{
    if (rows.rows.empty())
        return QStringLiteral("[]\n");
    QString text = QStringLiteral("[\n");
    for (std::size_t r = 0; r < rows.rows.size(); ++r) {
        const auto& row = rows.rows[r];
        QStringList members;
        for (qsizetype k = 0; k < rows.keys.size(); ++k) {
            const Cell& cell = row.at(static_cast<std::size_t>(k));
            const QString value = cell.isNone()     ? QStringLiteral("null")
                                  : cell.isNumber() ? cell.string()
                                                    : jsonString(cell.string());
            members << jsonString(rows.keys[k]) + QStringLiteral(": ") + value;
        }
        text += QStringLiteral("  {") + members.join(QStringLiteral(", ")) + QLatin1Char('}') +
                (r + 1 < rows.rows.size() ? QStringLiteral(",\n") : QStringLiteral("\n"));
    }
    return text + QStringLiteral("]\n");
}

namespace {

QStringList splitLines(const QString& composed)
{
    QString text = composed;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

} // namespace

QString lines(const QString& composed)
{
    if (composed.isEmpty())
        return {};
    return splitLines(composed).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString jsonLines(const QString& composed)
{
    QStringList items;
    if (!composed.isEmpty()) {
        for (const QString& line : splitLines(composed))
            items << QStringLiteral("  ") + jsonString(line);
    }
    if (items.isEmpty())
        return QStringLiteral("[]\n");
    return QStringLiteral("[\n") + items.join(QStringLiteral(",\n")) + QStringLiteral("\n]\n");
}

} // namespace Output
