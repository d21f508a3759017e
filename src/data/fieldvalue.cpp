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
    return QVariant(date.toString(Qt::ISODate));
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
    if (type == FieldType::Date)
        return QVariant(QDate::fromString(stored.toString(), Qt::ISODate));
    return stored;
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
