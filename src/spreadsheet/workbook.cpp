#include "workbook.h"

#include <algorithm>
#include <stdexcept>

namespace Spreadsheet {

namespace {

// The size of a sheet of the .xlsx format.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// "B12" as (12, 2); throws for a text that names no cell of a sheet.
std::pair<int, int> parseCellName(const QString& name)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < name.size() && name[i] >= QLatin1Char('A') && name[i] <= QLatin1Char('Z'); ++i) {
        column = column * 26 + (name[i].unicode() - 'A' + 1);
        if (column > kMaxColumns)
            break;
    }
    const QString digits = name.mid(i);
    const bool allDigits = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    const int row = allDigits && digits.size() <= 7 ? digits.toInt() : 0;
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throw std::invalid_argument("not a cell name: " + name.toStdString());
    return {row, column};
}

void checkCell(int row, int column)
{
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throw std::invalid_argument("no cell at row " + std::to_string(row) + ", column " + std::to_string(column));
}

} // namespace

QString cellName(int row, int column)
{
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}

template <class Change> void Range::forEachCell(Change change)
{
    for (int row = m_area.firstRow; row <= m_area.lastRow; ++row) {
        for (int column = m_area.firstColumn; column <= m_area.lastColumn; ++column)
            change(m_book.at(row, column).format, row, column);
    }
}

void Range::setBold(bool bold)
{
    forEachCell([bold](CellFormat& format, int, int) { format.bold = bold; });
}

void Range::setFontColor(int color)
{
    forEachCell([color](CellFormat& format, int, int) { format.fontColor = color; });
}

void Range::setColumnWidth(double width)
{
    for (int column = m_area.firstColumn; column <= m_area.lastColumn; ++column)
        m_book.m_widths[column] = width;
}

void Range::merge()
{
    m_book.m_merges.push_back(m_area);
}

void Range::setHorizontalAlignment(HorizontalAlignment alignment)
{
    forEachCell([alignment](CellFormat& format, int, int) { format.horizontal = alignment; });
}

void Range::borderAround()
{
    const Area a = m_area;
    // Only the cells on the range's edge carry a line; the inside is left alone.
    for (int row = a.firstRow; row <= a.lastRow; ++row) {
        m_book.at(row, a.firstColumn).format.left = true;
        m_book.at(row, a.lastColumn).format.right = true;
    }
    for (int column = a.firstColumn; column <= a.lastColumn; ++column) {
        m_book.at(a.firstRow, column).format.top = true;
        m_book.at(a.lastRow, column).format.bottom = true;
    }
}

Range Workbook::range(const QString& first, const QString& second)
{
    const auto [row1, column1] = parseCellName(first);
    const auto [row2, column2] = second.isEmpty() ? std::pair(row1, column1) : parseCellName(second);
    // The two names are opposite corners in any order: B2 and I1 make B1:I2.
    return Range(*this,
                 {std::min(row1, row2), std::min(column1, column2), std::max(row1, row2), std::max(column1, column2)});
}

void Workbook::setCell(int row, int column, const QString& text)
{
    checkCell(row, column);
    at(row, column).value = text;
}

void Workbook::setCell(int row, int column, qint64 number)
{
    checkCell(row, column);
    at(row, column).value = number;
}

const Cell* Workbook::cell(int row, int column) const
{
    const auto found = m_cells.find({row, column});
    return found == m_cells.end() ? nullptr : &found->second;
}

Cell& Workbook::at(int row, int column)
{
    return m_cells[{row, column}];
}

} // namespace Spreadsheet
