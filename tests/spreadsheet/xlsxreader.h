#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// A written .xlsx file as an independent reader sees it: openpyxl, run by Debian's own
// Python (/usr/bin/python3), prints it through readxlsx.py and the tests check that.
struct XlsxSheet
{
    QStringList sheets;
    QJsonObject widths; // by column letter, as stored (the shown width plus the cell padding)
    QStringList merged;
    QJsonObject cells; // by cell name

    static XlsxSheet read(const QString& path); // fails the test when the reader does

    QJsonObject cell(const QString& name) const { return cells.value(name).toObject(); }
    QString text(const QString& name) const;  // a text cell's value; fails for another type
    double number(const QString& name) const; // a number cell's value; fails for another type
    QString border(const QString& name) const { return cell(name).value(QStringLiteral("border")).toString(); }
    bool bold(const QString& name) const { return cell(name).value(QStringLiteral("bold")).toBool(); }
    QString color(const QString& name) const { return cell(name).value(QStringLiteral("color")).toString(); }
    QString horizontal(const QString& name) const { return cell(name).value(QStringLiteral("horizontal")).toString(); }
    // The width a spreadsheet program shows for the column, in characters, to two decimals;
    // 8.43 for a column the file gives no width.
    double width(const QString& column) const;
    // The cells that hold a value, by name, sorted.
    QStringList filled() const;
};
