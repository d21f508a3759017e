#include "textformat.h"

#include "apperror.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace TextFormat {

namespace {

QString widenedShortDateFormat()
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

// The format of the default locale, worked out again only when the default changes, and
// whether it is made of two-digit days and months, four-digit years and single
// separators in the locale's ASCII digits: then a date is written and read here, digit
// by digit, as QLocale would, without its general parser.
struct DateFormat
{
    QLocale locale;
    QString format;
    bool plain = false;
};

const DateFormat& currentDateFormat()
{
    static thread_local DateFormat current{QLocale(QLocale::C), QString(), false};
    static thread_local bool made = false;
    const QLocale locale;
    if (made && current.locale == locale)
        return current;
    current.locale = locale;
    current.format = widenedShortDateFormat();
    current.plain = locale.zeroDigit() == QLatin1String("0");
    int d = 0, m = 0, y = 0;
    for (qsizetype i = 0; i < current.format.size() && current.plain;) {
        const QChar c = current.format.at(i);
        const auto run = [&](QChar letter) {
            qsizetype n = 0;
            while (i + n < current.format.size() && current.format.at(i + n) == letter)
                ++n;
            return n;
        };
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            const qsizetype n = run(c);
            const qsizetype wanted = c == QLatin1Char('y') ? 4 : 2;
            int& seen = c == QLatin1Char('d') ? d : c == QLatin1Char('M') ? m : y;
            current.plain = n == wanted && ++seen == 1;
            i += n;
        } else {
            current.plain = !c.isLetterOrNumber() && c != QLatin1Char('\'') && c.unicode() < 128;
            ++i;
        }
    }
    current.plain = current.plain && d == 1 && m == 1 && y == 1;
    made = true;
    return current;
}

} // namespace

QString shortDateFormat()
{
    return currentDateFormat().format;
}

QString dateText(const QDate& date)
{
    if (!date.isValid())
        return {};
    const DateFormat& f = currentDateFormat();
    if (!f.plain || date.year() < 1000 || date.year() > 9999)
        return QLocale().toString(date, f.format);
    QString text = f.format;
    const auto put = [&text](QChar letter, int value, int digits) {
        qsizetype at = text.indexOf(letter);
        for (int k = digits - 1; k >= 0; --k, value /= 10)
            text[at + k] = QChar(u'0' + value % 10);
    };
    put(QLatin1Char('d'), date.day(), 2);
    put(QLatin1Char('M'), date.month(), 2);
    put(QLatin1Char('y'), date.year(), 4);
    return text;
}

QDate parseDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const DateFormat& f = currentDateFormat();
    if (f.plain && trimmed.size() == f.format.size()) {
        // The text stands digit for letter and separator for separator in the format.
        int day = 0, month = 0, year = 0;
        bool matches = true;
        for (qsizetype i = 0; i < trimmed.size() && matches; ++i) {
            const QChar letter = f.format.at(i), c = trimmed.at(i);
            if (letter == QLatin1Char('d') || letter == QLatin1Char('M') || letter == QLatin1Char('y')) {
                matches = c >= QLatin1Char('0') && c <= QLatin1Char('9');
                int& part = letter == QLatin1Char('d') ? day : letter == QLatin1Char('M') ? month : year;
                part = part * 10 + (c.unicode() - u'0');
            } else {
                matches = c == letter;
            }
        }
        const QDate date(year, month, day);
        if (matches && date.isValid())
            return date;
    }
    QDate date = QLocale().toDate(trimmed, f.format);
    if (!date.isValid())
        date = QDate::fromString(trimmed, Qt::ISODate);
    return date;
}

int parseInteger(const QString& text)
{
    // Digits with an optional sign in front.
    const qsizetype sign = !text.isEmpty() && (text.front() == QLatin1Char('+') || text.front() == QLatin1Char('-'));
    const bool digits = text.size() > sign && std::all_of(text.begin() + sign, text.end(), [](QChar c) {
                            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                        });
    if (!digits)
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

void appendQuotedLiteral(QString& out, const QString& value)
{
    out += QLatin1Char('\'');
    if (value.contains(QLatin1Char('\''))) {
        for (const QChar c : value) {
            if (c == QLatin1Char('\''))
                out += c;
            out += c;
        }
    } else {
        out += value;
    }
    out += QLatin1Char('\'');
}

QString quoteLiteral(const QString& value)
{
    QString quoted;
    quoted.reserve(value.size() + 2);
    appendQuotedLiteral(quoted, value);
    return quoted;
}

} // namespace TextFormat
