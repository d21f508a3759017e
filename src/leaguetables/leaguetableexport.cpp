#include "leaguetableexport.h"

#include "datamodule.h"

Spreadsheet::Workbook leagueTableWorkbook(TDataModule1& module)
{
    Spreadsheet::Workbook book;
    book.setSheetName(QStringLiteral("Tallyfield"));
    book.setVerticalAlignment(Spreadsheet::VerticalAlignment::Center);
    book.setFontSize(10);
    book.range(QStringLiteral("A1"), QStringLiteral("I1")).setBold(true);
    book.range(QStringLiteral("A1"), QStringLiteral("A1")).setColumnWidth(4);
    book.range(QStringLiteral("B1"), QStringLiteral("B1")).setColumnWidth(25);
    book.range(QStringLiteral("C1"), QStringLiteral("I1")).setColumnWidth(5);
    book.range(QStringLiteral("A1"), QStringLiteral("I1")).borderAround();
    const QStringList headers{QStringLiteral("№"),  QStringLiteral("Team"), QStringLiteral("G"),
                              QStringLiteral("W"),  QStringLiteral("D"),    QStringLiteral("L"),
                              QStringLiteral("BG"), QStringLiteral("BM"),   QStringLiteral("P")};
    for (int column = 1; column <= headers.size(); ++column)
        book.setCell(1, column, headers[column - 1]);

    // Ball and Kf stay out; the positions are the stored ones, not renumbered.
    static const QStringList counters{QStringLiteral("Game"),  QStringLiteral("Win"),   QStringLiteral("Draw"),
                                      QStringLiteral("Lose"),  QStringLiteral("BGoal"), QStringLiteral("BMiss"),
                                      QStringLiteral("Points")};
    QStringList fields{QStringLiteral("Position"), QStringLiteral("Team")};
    fields += counters;
    TableView& rows = *module.TableSortDet;
    int row = 1;
    for (const QVariantList& values : rows.listValues(fields)) {
        ++row;
        for (int i = 0; i < values.size(); ++i) {
            if (i == 1)
                book.setCell(row, i + 1, values[i].toString());
            else if (!values[i].isNull()) // an empty field stays an empty cell
                book.setCell(row, i + 1, values[i].toLongLong());
        }
    }
    if (row > 1) {
        rows.last();
        // No frame around an empty table: there is no row for it to go around.
        book.range(QStringLiteral("A2"), QStringLiteral("I") + QString::number(row)).borderAround();
    }
    return book;
}
