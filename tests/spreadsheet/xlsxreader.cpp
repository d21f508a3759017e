#include "xlsxreader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// "1.0" for a name with the row after the letters, so that A10 sorts after A9.
QString sortKey(const QString& name)
{
    qsizetype i = 0;
    while (i < name.size() && name[i].isLetter())
        ++i;
    return name.mid(i).rightJustified(8, QLatin1Char('0')) + name.left(i);
}

} // namespace

XlsxSheet XlsxSheet::read(const QString& path)
{
    XlsxSheet sheet;
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(TALLYFIELD_READXLSX), path});
    const bool finished = python.waitForFinished(60000);
    const QByteArray out = python.readAllStandardOutput();
    EXPECT_TRUE(finished && python.exitCode() == 0)
        << "openpyxl could not read " << path.toStdString() << ": " << python.readAllStandardError().toStdString();
    const QJsonObject root = QJsonDocument::fromJson(out).object();
    for (const QJsonValue& name : root.value(QStringLiteral("sheets")).toArray())
        sheet.sheets << name.toString();
    for (const QJsonValue& range : root.value(QStringLiteral("merged")).toArray())
        sheet.merged << range.toString();
    sheet.widths = root.value(QStringLiteral("widths")).toObject();
    sheet.cells = root.value(QStringLiteral("cells")).toObject();
    return sheet;
}

QString XlsxSheet::text(const QString& name) const
{
    const QJsonObject c = cell(name);
    EXPECT_EQ(c.value(QStringLiteral("type")).toString(), QStringLiteral("s")) << name.toStdString();
    return c.value(QStringLiteral("value")).toString();
}

double XlsxSheet::number(const QString& name) const
{
    const QJsonObject c = cell(name);
    EXPECT_EQ(c.value(QStringLiteral("type")).toString(), QStringLiteral("n")) << name.toStdString();
    EXPECT_TRUE(c.value(QStringLiteral("value")).isDouble()) << name.toStdString();
    return c.value(QStringLiteral("value")).toDouble();
}

double XlsxSheet::width(const QString& column) const
{
    // The file holds the width with the padding of the default font (5 pixels on a 7-pixel
    // digit) added, as the spreadsheet programs store it.
    if (!widths.contains(column))
        return 8.43; // the spreadsheet's default
    const double stored = widths.value(column).toDouble();
    return std::round((stored * 7 - 5) / 7 * 100) / 100;
}

QStringList XlsxSheet::filled() const
{
    QStringList names;
    for (auto i = cells.begin(); i != cells.end(); ++i) {
        if (!i.value().toObject().value(QStringLiteral("value")).isNull())
            names << i.key();
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return sortKey(a) < sortKey(b); });
    return names;
}
