#include "competitionsexport.h"

namespace CompetitionStatistics {

Spreadsheet::Workbook competitionsWorkbook(const std::vector<CompetitionRow>& rows)
{
    using Spreadsheet::HorizontalAlignment;
    Spreadsheet::Workbook book;
    book.setSheetName(QStringLiteral("Competitions statistics"));

    book.setVerticalAlignment(Spreadsheet::VerticalAlignment::Center);
    book.setFontSize(10);
    book.range(QStringLiteral("A1"), QStringLiteral("I1")).setBold(true);
    book.range(QStringLiteral("A1"), QStringLiteral("A1")).setColumnWidth(23.43);
    book.range(QStringLiteral("B1"), QStringLiteral("G1")).setColumnWidth(6);
    book.range(QStringLiteral("H1"), QStringLiteral("H1")).setColumnWidth(6);
    book.range(QStringLiteral("I1"), QStringLiteral("I1")).setColumnWidth(11);
    book.range(QStringLiteral("B1"), QStringLiteral("C1")).merge();
    book.range(QStringLiteral("D1"), QStringLiteral("E1")).merge();
    book.range(QStringLiteral("F1"), QStringLiteral("G1")).merge();
    book.range(QStringLiteral("A1"), QStringLiteral("I1")).borderAround();

    book.setCell(1, 1, QStringLiteral("Competition"));
    book.setCell(1, 2, QStringLiteral("Home wins"));
    book.setCell(1, 4, QStringLiteral("Draws"));
    book.setCell(1, 6, QStringLiteral("Away wins"));
    book.setCell(1, 8, QStringLiteral("Total"));
    book.setCell(1, 9, QStringLiteral("Goals/game"));

    int row = 1;
    for (const CompetitionRow& competition : rows) {
        ++row;
        const QStringList cells = competition.cells();
        for (int column = 1; column <= cells.size(); ++column)
            book.setCell(row, column, cells[column - 1]);
    }

    const int last = row;
    const QString lastText = QString::number(last);
    book.range(QStringLiteral("B1"), QStringLiteral("I1")).setHorizontalAlignment(HorizontalAlignment::Center);
    // From B2 to the last row; without a competition that is B1:I2, so the header's B1 to
    // I1 end up right-aligned too.
    book.range(QStringLiteral("B2"), QStringLiteral("I") + lastText).setHorizontalAlignment(HorizontalAlignment::Right);
    for (const auto& [from, to] :
         {std::pair{"A1", "I"}, {"B1", "C"}, {"D1", "E"}, {"F1", "G"}, {"H1", "H"}, {"I1", "I"}})
        book.range(QString::fromLatin1(from), QString::fromLatin1(to) + lastText).borderAround();
    return book;
}

} // namespace CompetitionStatistics
