#include "fieldvalue.h"

#include "apperror.h"
#include "textformat.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <limits>

namespace {

qint64 inRange(const FieldSchema& field, qint64 n)
{
    const bool small = field.type == FieldType::Smallint;
    const qint64 low = small ? std::numeric_limits<qint16>::min() : std::numeric_limits<qint32>::min();
    const qint64 high = small ? std::numeric_limits<qint16>::max() : std::numeric_limits<qint32>::max();
    if (n < low || n > high)
        throw AppError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4.")
                           .arg(n)
                           .arg(field.name)
                           .arg(low)
                           .arg(high));
    return n;
}

QVariant isoDate(const QDate& date, const QString& shown)
{
    if (!date.isValid())
        throw invalidDateError(shown);
    return QVariant(FieldValue::storedDate(date));
}

double floating(const QString& text)
{
    bool ok = false;
    const double v = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw invalidFloatError(text);
    return v;
}

} // namespace

namespace FieldValue {

QVariant fromLiteral(const FieldSchema& field, const QString& literal)
{
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::Smallint:
    case FieldType::AutoInc:
        return QVariant(inRange(field, TextFormat::parseInteger(literal)));
    case FieldType::Date:
        return isoDate(TextFormat::parseDate(literal), literal);
    case FieldType::Float:
        return QVariant(floating(literal));
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Picture:
        break;
    }
    return QVariant(literal);
}

QVariant forStore(const FieldSchema& field, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    const bool isText = value.typeId() == QMetaType::QString;
    switch (field.type) {
    case FieldType::Integer:
    case FieldType::Smallint:
    case FieldType::AutoInc: {
        if (isText)
            return value.toString().isEmpty() ? QVariant() : fromLiteral(field, value.toString());
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (!ok)
            throw invalidIntegerError(value.toString());
        return QVariant(inRange(field, n));
    }
    case FieldType::Text: {
        const QString text = cut(value.toString(), field.width);
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Memo: {
        const QString text = value.toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Date:
        if (value.typeId() == QMetaType::QDate)
            return isoDate(value.toDate(), value.toString());
        if (value.typeId() == QMetaType::QDateTime)
            return isoDate(value.toDateTime().date(), value.toString());
        return value.toString().trimmed().isEmpty() ? QVariant() : fromLiteral(field, value.toString());
    case FieldType::Float: {
        if (isText)
            return value.toString().trimmed().isEmpty() ? QVariant() : QVariant(floating(value.toString()));
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (!ok)
            throw invalidFloatError(value.toString());
        return QVariant(v);
    }
    case FieldType::Picture: {
        const QByteArray bytes = value.toByteArray();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    }
    return value;
}

QVariant fromStored(FieldType type, const QVariant& stored)
{
    if (stored.isNull())
        return {};
    if (type == FieldType::Date) {
        const QByteArray text = stored.toString().toUtf8();
        return QVariant(dateFromStored(text.constData(), text.size()));
    }
    return stored;
}

QString storedDate(const QDate& date)
{
    const int year = date.year();
    if (!date.isValid() || year < 0 || year > 9999)
        return date.toString(Qt::ISODate);
    char16_t text[10];
    const auto put = [&text](int at, int value, int digits) {
        for (int k = digits - 1; k >= 0; --k, value /= 10)
            text[at + k] = static_cast<char16_t>(u'0' + value % 10);
    };
    put(0, year, 4);
    text[4] = u'-';
    put(5, date.month(), 2);
    text[7] = u'-';
    put(8, date.day(), 2);
    return QString(reinterpret_cast<const QChar*>(text), 10);
}

QDate dateFromStored(const char* s, qsizetype size)
{
    const auto digit = [&](int i) { return s[i] >= '0' && s[i] <= '9'; };
    if (size == 10 && s[4] == '-' && s[7] == '-' && digit(0) && digit(1) && digit(2) && digit(3) && digit(5) &&
        digit(6) && digit(8) && digit(9)) {
        const auto n = [&](int i, int len) {
            int v = 0;
            for (int k = 0; k < len; ++k)
                v = v * 10 + (s[i + k] - '0');
            return v;
        };
        return QDate(n(0, 4), n(5, 2), n(8, 2));
    }
    return QDate::fromString(QString::fromUtf8(s, size), Qt::ISODate);
}

QString text(FieldType type, const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (type) {
    case FieldType::Date:
        return TextFormat::dateText(value.toDate());
    case FieldType::Float: {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(value.toDouble(), 'g', 15);
    }
    case FieldType::Picture:
        return {};
    case FieldType::Integer:
    case FieldType::Smallint:
    case FieldType::AutoInc:
        return QString::number(value.toLongLong());
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return value.toString();
}

QString cut(const QString& text, int width)
{
    if (width <= 0 || text.size() <= width)
        return text;
    qsizetype n = width;
    if (text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

} // namespace FieldValue
