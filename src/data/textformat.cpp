#include "textformat.h"

#include "apperror.h"

#include <QLocale>
#include <QRegularExpression>

namespace TextFormat {

QString shortDateFormat()
{
    // The C locale (an unconfigured system) writes the month as a word ("5 Mar 2026"),
    // too wide for the date columns; it gets the ISO form instead.
    if (QLocale().language() == QLocale::C)
        return QStringLiteral("yyyy-MM-dd");
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    // Any run of year letters other than four (y, yy, yyy) becomes yyyy.
    static const QRegularExpression yearRun(QStringLiteral("y+"));
    QString widened;
    qsizetype last = 0;
    auto it = yearRun.globalMatch(format);
    while (it.hasNext()) {
        const auto match = it.next();
        widened += format.mid(last, match.capturedStart() - last);
        widened += QStringLiteral("yyyy");
        last = match.capturedEnd();
    }
    widened += format.mid(last);
    return widened;
}

QString dateText(const QDate& date)
{
    if (!date.isValid())
        return {};
    return QLocale().toString(date, shortDateFormat());
}

QDate parseDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    QDate date = QLocale().toDate(trimmed, shortDateFormat());
    if (!date.isValid())
        date = QDate::fromString(trimmed, Qt::ISODate);
    return date;
}

int parseInteger(const QString& text)
{
    static const QRegularExpression integer(QRegularExpression::anchoredPattern(QStringLiteral("[+-]?[0-9]+")));
    if (!integer.match(text).hasMatch())
        throw invalidIntegerError(text);
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw invalidIntegerError(text);
    return value;
}

int joinCodes(qint64 head, qint64 tail)
{
    return parseInteger(QString::number(head) + QString::number(tail));
}

QString fixedText(double value, int decimals)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}

QString capacityText(qint64 value)
{
    const QString digits = QString::number(value < 0 ? -value : value);
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += QLatin1Char(' ');
        grouped += digits.at(i);
    }
    return value < 0 ? QLatin1Char('-') + grouped : grouped;
}

QString quoteLiteral(const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace TextFormat
