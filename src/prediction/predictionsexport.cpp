#include "predictionsexport.h"

namespace {

const int kLikeliestColor = Spreadsheet::colorValue(0, 128, 64);

QString cell(int column, int row)
{
    return Spreadsheet::cellName(row, column);
}

} // namespace

Spreadsheet::Workbook predictionsWorkbook(const PredictionsList& list)
{
    Spreadsheet::Workbook book;
    book.setSheetName(QStringLiteral("Tallyfield"));
    book.setVerticalAlignment(Spreadsheet::VerticalAlignment::Center);
    book.setFontSize(10);
    book.range(QStringLiteral("A1"), QStringLiteral("H1")).setBold(true);
    // The widths are set through ranges of row 2, as for the other exports' columns.
    book.range(QStringLiteral("A2"), QStringLiteral("B2")).setColumnWidth(15);
    book.range(QStringLiteral("C2"), QStringLiteral("E2")).setColumnWidth(7);
    book.range(QStringLiteral("F2"), QStringLiteral("G2")).setColumnWidth(11);
    book.range(QStringLiteral("H2"), QStringLiteral("H2")).setColumnWidth(15);
    const QStringList titles = PredictionsList::columnTitles();
    for (int column = 1; column <= PredictionsList::kColumns; ++column)
        book.setCell(1, column, titles[column - 1]);

    // Grid row r is sheet row r + 1: a Mixed row in grid row r frames A(r - 1) to H(r + 1),
    // the two predictions it averages and itself.
    const int n = list.rowCount() - 1;
    for (int r = 1; r <= n; ++r) {
        if (PredictionsList::isMixed(list.rows()[static_cast<size_t>(r)]))
            book.range(cell(1, r - 1), cell(8, r + 1)).borderAround();
    }

    for (int r = 1; r <= n; ++r) {
        const QStringList& row = list.rows()[static_cast<size_t>(r)];
        for (int column = 1; column <= PredictionsList::kColumns; ++column)
            book.setCell(r + 1, column, row.value(column - 1));
        const double win1 = PredictionsList::value(row.value(2));
        const double draw = PredictionsList::value(row.value(3));
        const double win2 = PredictionsList::value(row.value(4));
        const double over = PredictionsList::value(row.value(5));
        const double under = PredictionsList::value(row.value(6));
        const auto colour = [&book, r](int column) { book.range(cell(column, r + 1)).setFontColor(kLikeliestColor); };
        if (win1 > draw && win1 > win2)
            colour(3);
        if (draw > win1 && draw > win2)
            colour(4);
        if (win2 > win1 && win2 > draw)
            colour(5);
        if (over > under)
            colour(6);
        if (under > over)
            colour(7);
    }
    return book;
}
