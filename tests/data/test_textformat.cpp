#include "apperror.h"
#include "localescope.h"
#include "textformat.h"

#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure output.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

static void PrintTo(const QDate& date, std::ostream* os)
{
    *os << (date.isValid() ? date.toString(Qt::ISODate).toStdString() : std::string("invalid date"));
}

using namespace TextFormat;

namespace {

const QLocale russian(QLocale::Russian, QLocale::Russia);
const QLocale german(QLocale::German, QLocale::Germany);
const QLocale american(QLocale::English, QLocale::UnitedStates);

// The message of the AppError that f throws; fails the test when it throws nothing.
template <typename F> QString errorOf(F f)
{
    try {
        f();
    } catch (const AppError& e) {
        return e.message();
    }
    ADD_FAILURE() << "no AppError thrown";
    return {};
}

// Every date written with dateText reads back as the same day, whatever century.
void expectRoundTrips()
{
    const QDate days[] = {QDate(1999, 12, 31), QDate(2031, 1, 2), QDate(1968, 7, 14),
                          QDate(2000, 2, 29),  QDate(1901, 5, 6), QDate(2024, 11, 9)};
    for (const QDate& day : days) {
        const QString text = dateText(day);
        EXPECT_FALSE(text.isEmpty()) << day.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(parseDate(text), day) << text.toStdString();
    }
}

} // namespace

TEST(TextFormatDate, BritishLocale)
{
    EXPECT_EQ(shortDateFormat(), QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(dateText(QDate(2031, 3, 7)), QStringLiteral("07/03/2031"));
    EXPECT_EQ(parseDate(QStringLiteral("07/03/2031")), QDate(2031, 3, 7));
    EXPECT_EQ(parseDate(QStringLiteral("  25/12/1999 ")), QDate(1999, 12, 25));
    // ISO dates are accepted as well.
    EXPECT_EQ(parseDate(QStringLiteral("1999-12-25")), QDate(1999, 12, 25));
    EXPECT_TRUE(dateText(QDate()).isEmpty());
    expectRoundTrips();
}

TEST(TextFormatDate, DottedLocales)
{
    {
        LocaleScope scope(russian);
        EXPECT_EQ(shortDateFormat(), QStringLiteral("dd.MM.yyyy"));
        EXPECT_EQ(dateText(QDate(1999, 8, 1)), QStringLiteral("01.08.1999"));
        EXPECT_EQ(parseDate(QStringLiteral("01.08.1999")), QDate(1999, 8, 1));
        expectRoundTrips();
    }
    {
        // German writes a two-digit year; it must be widened as well.
        LocaleScope scope(german);
        EXPECT_EQ(shortDateFormat(), QStringLiteral("dd.MM.yyyy"));
        EXPECT_EQ(dateText(QDate(2031, 8, 1)), QStringLiteral("01.08.2031"));
        expectRoundTrips();
    }
}

// Where the short format is two-digit days and months and a four-digit year, dates are
// written and read digit by digit: exactly as QLocale writes and reads them.
TEST(TextFormatDate, DigitByDigitAgreesWithTheLocale)
{
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedKingdom), russian, german}) {
        LocaleScope scope(locale);
        const QString format = shortDateFormat();
        for (QDate day(1901, 1, 1); day.year() < 2100; day = day.addDays(97)) {
            EXPECT_EQ(dateText(day), locale.toString(day, format));
            EXPECT_EQ(parseDate(dateText(day)), day);
        }
        const QString nearly[] = {
            QStringLiteral("7/3/2031"),   QStringLiteral("07/3/2031"),  QStringLiteral("07.03.31"),
            QStringLiteral("07/03/203x"), QStringLiteral("31/02/2031"), QStringLiteral("31.02.2031"),
            QStringLiteral("00.00.0000"), QStringLiteral("07-03-2031"), QStringLiteral("2031-03-07")};
        for (const QString& text : nearly) {
            QDate expected = locale.toDate(text, format);
            if (!expected.isValid())
                expected = QDate::fromString(text, Qt::ISODate);
            EXPECT_EQ(parseDate(text), expected) << text.toStdString() << " in " << format.toStdString();
        }
    }
}

TEST(TextFormatDate, TwoDigitYearIsWidened)
{
    LocaleScope scope(american);
    EXPECT_EQ(shortDateFormat(), QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(dateText(QDate(1999, 12, 31)), QStringLiteral("12/31/1999"));
    EXPECT_EQ(dateText(QDate(2031, 1, 2)), QStringLiteral("1/2/2031"));
    EXPECT_EQ(parseDate(QStringLiteral("1/2/2031")), QDate(2031, 1, 2));
    EXPECT_EQ(parseDate(QStringLiteral("12/31/1999")), QDate(1999, 12, 31));
    expectRoundTrips();
}

TEST(TextFormatDate, UnconfiguredLocaleWritesIsoDates)
{
    LocaleScope scope(QLocale::c());
    EXPECT_EQ(dateText(QDate(2025, 11, 30)), QStringLiteral("2025-11-30"));
    EXPECT_EQ(parseDate(QStringLiteral("2025-11-30")), QDate(2025, 11, 30));
    expectRoundTrips();
}

TEST(TextFormatDate, GarbageIsInvalid)
{
    const QString texts[] = {QString(),
                             QStringLiteral("   "),
                             QStringLiteral("abc"),
                             QStringLiteral("31/02/2020"),
                             QStringLiteral("12/31/1999"),
                             QStringLiteral("2020-13-01"),
                             QStringLiteral("01/01")};
    for (const QString& text : texts)
        EXPECT_FALSE(parseDate(text).isValid()) << text.toStdString();
}

TEST(TextFormatNumber, FixedText)
{
    EXPECT_EQ(fixedText(12345.678, 2), QStringLiteral("12345.68"));
    EXPECT_EQ(fixedText(2.0 / 3.0 * 100.0, 2), QStringLiteral("66.67"));
    EXPECT_EQ(fixedText(7.0 / 3.0, 2), QStringLiteral("2.33"));
    EXPECT_EQ(fixedText(1234567.0, 0), QStringLiteral("1234567"));
    EXPECT_EQ(fixedText(1.5, 3), QStringLiteral("1.500"));
    // Halves away from zero on the decimal value, also where the binary value lies below
    // the half (0.15, 1.005) or a carry runs through the nines.
    EXPECT_EQ(fixedText(1 * 100.0 / 8, 1), QStringLiteral("12.5"));
    EXPECT_EQ(fixedText(1 * 100.0 / 6, 1), QStringLiteral("16.7"));
    EXPECT_EQ(fixedText(8.0 / 3, 2), QStringLiteral("2.67"));
    EXPECT_EQ(fixedText(3 * 100.0 / 2000, 1), QStringLiteral("0.2"));
    EXPECT_EQ(fixedText(1.005, 2), QStringLiteral("1.01"));
    EXPECT_EQ(fixedText((60.00 + 38.31) / 2, 2), QStringLiteral("49.16"));
    EXPECT_EQ(fixedText(99.95, 1), QStringLiteral("100.0"));
    EXPECT_EQ(fixedText(-0.15, 1), QStringLiteral("-0.2"));
    EXPECT_EQ(fixedText(-0.04, 1), QStringLiteral("0.0"));
    EXPECT_EQ(fixedText(0.0, 2), QStringLiteral("0.00"));
    EXPECT_EQ(fixedText(0.14, 1), QStringLiteral("0.1"));
    {
        LocaleScope scope(russian);
        EXPECT_EQ(fixedText(12345.678, 2), QStringLiteral("12345,68"));
        EXPECT_EQ(fixedText(7.0 / 3.0, 2), QStringLiteral("2,33"));
        EXPECT_EQ(fixedText(3 * 100.0 / 2000, 1), QStringLiteral("0,2"));
    }
    {
        LocaleScope scope(german);
        EXPECT_EQ(fixedText(1234567.891, 1), QStringLiteral("1234567,9"));
        EXPECT_EQ(fixedText(2.0 / 3.0 * 100.0, 2), QStringLiteral("66,67"));
    }
}

TEST(TextFormatNumber, CapacityText)
{
    EXPECT_EQ(capacityText(45000), QStringLiteral("45 000"));
    EXPECT_EQ(capacityText(999), QStringLiteral("999"));
    EXPECT_EQ(capacityText(0), QStringLiteral("0"));
    EXPECT_EQ(capacityText(1234567), QStringLiteral("1 234 567"));
    EXPECT_EQ(capacityText(100000), QStringLiteral("100 000"));
    EXPECT_EQ(capacityText(1000), QStringLiteral("1 000"));
    // The blank is a plain space in every locale.
    LocaleScope scope(russian);
    EXPECT_EQ(capacityText(45000), QStringLiteral("45 000"));
}

TEST(TextFormatInteger, ParseInteger)
{
    EXPECT_EQ(parseInteger(QStringLiteral("0")), 0);
    EXPECT_EQ(parseInteger(QStringLiteral("007")), 7);
    EXPECT_EQ(parseInteger(QStringLiteral("-15")), -15);
    EXPECT_EQ(parseInteger(QStringLiteral("+15")), 15);
    EXPECT_EQ(parseInteger(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(parseInteger(QStringLiteral("-2147483648")), -2147483647 - 1);

    const QString bad[] = {QString(),
                           QStringLiteral("1a"),
                           QStringLiteral("2147483648"),
                           QStringLiteral("-2147483649"),
                           QStringLiteral(" 12"),
                           QStringLiteral("12 "),
                           QStringLiteral("12\n"),
                           QStringLiteral("1,000"),
                           QStringLiteral("1.5"),
                           QStringLiteral("-"),
                           QStringLiteral("0x1F")};
    for (const QString& text : bad) {
        EXPECT_EQ(errorOf([&] { parseInteger(text); }), QStringLiteral("'%1' is not a valid integer value").arg(text))
            << "text: [" << text.toStdString() << "]";
    }
    EXPECT_EQ(errorOf([] { parseInteger(QString()); }), QStringLiteral("'' is not a valid integer value"));
}

TEST(TextFormatInteger, JoinCodes)
{
    EXPECT_EQ(joinCodes(7, 3), 73);
    EXPECT_EQ(joinCodes(7, 10), 710);
    EXPECT_EQ(joinCodes(12, 1), 121);
    EXPECT_EQ(joinCodes(0, 1), 1); // "01"
    EXPECT_EQ(joinCodes(214748364, 7), 2147483647);
    EXPECT_EQ(errorOf([] { joinCodes(2147483648LL, 0); }),
              QStringLiteral("'21474836480' is not a valid integer value"));
    EXPECT_EQ(errorOf([] { joinCodes(214748364, 8); }), QStringLiteral("'2147483648' is not a valid integer value"));
    EXPECT_EQ(errorOf([] { joinCodes(123456, 78901); }), QStringLiteral("'12345678901' is not a valid integer value"));
}

TEST(TextFormatLiteral, QuoteLiteral)
{
    EXPECT_EQ(quoteLiteral(QStringLiteral("Newell's")), QStringLiteral("'Newell''s'"));
    EXPECT_EQ(quoteLiteral(QStringLiteral("''")), QStringLiteral("''''''"));
    EXPECT_EQ(quoteLiteral(QString()), QStringLiteral("''"));
    EXPECT_EQ(quoteLiteral(QStringLiteral("Динамо")), QStringLiteral("'Динамо'"));
}
