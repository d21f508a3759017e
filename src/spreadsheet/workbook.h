#pragma once

#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

// A spreadsheet as the exports build it: one workbook of one sheet, shaped by the
// operations a spreadsheet application offers (sheet name, whole-sheet alignment and font
// size, ranges with bold, colour, width, merge, alignment and a frame, cell values). The
// exports speak only to this model; writing it as a file and showing it is the job of
// WorkbookFile and Spreadsheet::show.
namespace Spreadsheet {

enum class HorizontalAlignment
{
    General, // the spreadsheet's default: texts left, numbers right
    Center,
    Right
};

enum class VerticalAlignment
{
    Bottom, // the spreadsheet's default
    Center
};

// A colour as the spreadsheet application takes it: 65536 × blue + 256 × green + red.
constexpr int colorValue(int red, int green, int blue)
{
    return 65536 * blue + 256 * green + red;
}

// A cell's name: the column letter(s) and the row number ("A1", "I21"). Columns and rows
// count from 1.
QString cellName(int row, int column);

// A cell's value: nothing, a text or a whole number.
using CellValue = std::variant<std::monostate, QString, qint64>;

// What a range operation leaves on one cell.
struct CellFormat
{
    bool bold = false;
    std::optional<int> fontColor; // as colorValue gives it; the default colour when empty
    HorizontalAlignment horizontal = HorizontalAlignment::General;
    // The thin black frame lines on the cell's four edges.
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;

    friend bool operator==(const CellFormat&, const CellFormat&) = default;
    friend auto operator<=>(const CellFormat&, const CellFormat&) = default;
};

struct Cell
{
    CellValue value;
    CellFormat format;
};

// A rectangle of cells, counted from 1, first <= last in both directions.
struct Area
{
    int firstRow = 1;
    int firstColumn = 1;
    int lastRow = 1;
    int lastColumn = 1;

    friend bool operator==(const Area&, const Area&) = default;
};

class Workbook;

// A range named by two cells, as the exports take one: its corners in any order.
class Range
{
public:
    void setBold(bool bold);
    void setFontColor(int color); // colorValue(red, green, blue)
    // The width of every column the range covers, in the spreadsheet's character units.
    void setColumnWidth(double width);
    void merge();
    void setHorizontalAlignment(HorizontalAlignment alignment);
    // A thin continuous black line around the range; lines already on its cells stay.
    void borderAround();

    const Area& area() const { return m_area; }

private:
    friend class Workbook;
    Range(Workbook& book, const Area& area) : m_book(book), m_area(area) {}

    template <class Change> void forEachCell(Change change);

    Workbook& m_book;
    Area m_area;
};

class Workbook
{
public:
    // A new workbook of one sheet, named as the spreadsheet names a new one.
    Workbook() = default;

    void setSheetName(const QString& name) { m_sheetName = name; }
    const QString& sheetName() const { return m_sheetName; }

    // Formats of the whole sheet: every cell, written or not.
    void setVerticalAlignment(VerticalAlignment alignment) { m_vertical = alignment; }
    VerticalAlignment verticalAlignment() const { return m_vertical; }
    void setFontSize(double points) { m_fontSize = points; }
    double fontSize() const { return m_fontSize; }

    // The range between two cells ("A1", "I21"); an empty second name means the first cell
    // alone. A name that is no cell throws std::invalid_argument: the exports build their
    // names, so that is a fault of the program.
    Range range(const QString& first, const QString& second = QString());

    // A cell's value by row and column, counted from 1.
    void setCell(int row, int column, const QString& text);
    void setCell(int row, int column, qint64 number);

    // --- what the model holds, for the writer and the tests ---
    const std::map<std::pair<int, int>, Cell>& cells() const { return m_cells; } // by (row, column)
    const Cell* cell(int row, int column) const;
    // Column widths by column; columns not named have the spreadsheet's default width.
    const std::map<int, double>& columnWidths() const { return m_widths; }
    const std::vector<Area>& merges() const { return m_merges; }

private:
    friend class Range;
    Cell& at(int row, int column);

    QString m_sheetName = QStringLiteral("Sheet1");
    VerticalAlignment m_vertical = VerticalAlignment::Bottom;
    double m_fontSize = 11;
    std::map<std::pair<int, int>, Cell> m_cells;
    std::map<int, double> m_widths;
    std::vector<Area> m_merges;
};

} // namespace Spreadsheet
