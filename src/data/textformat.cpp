#include "textformat.h"

#include "apperror.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

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
    if (value == 0)
        value = 0; // no "-0.0"
    if (!std::isfinite(value) || decimals < 0)
        return locale.toString(value, 'f', decimals);
    // The value's shortest decimal form (0.15, not the binary 0.1499999...) is rounded to
    // the shown decimals with halves away from zero, so that a share of 3 in 2000 reads
    // 0.2 and an average of 49.155 reads 49.16 as a person would round them.
    const QString digits = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    if (point >= 0 && digits.size() - point - 1 > decimals) {
        QString kept = digits.left(point + 1 + decimals);
        if (digits.at(point + 1 + decimals) >= QLatin1Char('5')) {
            qsizetype i = kept.size() - 1;
            for (; i >= 0; --i) {
                if (kept.at(i) == QLatin1Char('.'))
                    continue;
                if (kept.at(i) == QLatin1Char('9')) {
                    kept[i] = QLatin1Char('0');
                } else {
                    kept[i] = QChar(kept.at(i).unicode() + 1);
                    break;
                }
            }
            if (i < 0)
                kept.prepend(QLatin1Char('1'));
        }
        const double rounded = kept.toDouble();
        return locale.toString(value < 0 && rounded != 0 ? -rounded : rounded, 'f', decimals);
    }
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
