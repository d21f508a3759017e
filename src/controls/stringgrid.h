#pragma once

#include <QTableWidget>
#include <functional>
#include <optional>

class QPainter;

// A grid of texts, cells addressed as (column, row) like the grids of the program's
// windows. Every cell is painted in a fixed way: its background (white, or the highlight
// colour on the selected row), its text 2 pixels right of and below the cell's top-left
// corner, and a grid line under it (there are no vertical lines). Then the paint hook
// drawCell is called with the painter still set up as the default painting left it (pen
// in the text colour, clipped to the cell), so that it can paint over the cell, for
// instance drawing the text again in another colour with drawCellText().
//
// A text wider than its cell is cut with an ellipsis, and the cell's tooltip shows it
// whole. Tab moves on to the window's next control instead of from cell to cell.
//
// The whole row is selected. Rows are defaultRowHeight() high plus the grid line. With
// fixedRows() at 1, row 0 holds the column titles: it is shown as the grid's header, stays
// in view when the rows scroll, cannot be selected and is not passed to the hook.
class StringGrid : public QTableWidget
{
    Q_OBJECT

public:
    struct DrawState
    {
        bool selected = false;
        bool focused = false;
    };
    using DrawCellHook = std::function<void(QPainter& painter, int col, int row, const QRect& rect, DrawState state)>;

    explicit StringGrid(QWidget* parent = nullptr);

    int colCount() const { return columnCount(); }
    void setColCount(int count);
    // Making the grid shorter drops the rows below; longer adds empty rows.
    void setRowCount(int count);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);

    void setColWidth(int col, int width) { setColumnWidth(col, width); }
    void setDefaultRowHeight(int height);
    int defaultRowHeight() const { return m_rowHeight; }

    void setFixedRows(int rows);
    int fixedRows() const { return m_fixedRows; }

    // The whole text of a cell whose text is cut; empty when it fits.
    QString cellToolTip(int col, int row) const;

    // Draws a text where the default painting puts a cell's text, in the painter's pen, cut
    // with an ellipsis where it is wider than the cell.
    static void drawCellText(QPainter& painter, const QRect& cellRect, const QString& text);

    // How a paint hook marks a cell of a list of games: a coloured or bold text, and every
    // second row grey. The selection stays visible and the colours readable on it: a grey
    // row keeps its grey and its plain text takes the highlight colour; any other
    // selected row takes a pale tint of the highlight instead of the highlight itself.
    struct CellMarks
    {
        bool shaded = false;
        std::optional<QColor> colour; // the text's; none: black
        bool bold = false;
    };
    // Paints the cell anew over the default painting with these marks; nothing when the
    // cell has none and is not selected (the default painting stands).
    void paintMarkedCell(QPainter& painter, const QRect& cellRect, const QString& text, bool selected,
                         const CellMarks& marks) const;

    // The paint hook, called for every painted cell after the default painting.
    DrawCellHook drawCell;

    QColor gridLineColor() const { return m_lineColor; }

protected:
    bool viewportEvent(QEvent* event) override;

private:
    friend class StringGridDelegate;
    void updateHeader();

    int m_rowHeight = 16;
    int m_fixedRows = 0;
    QColor m_lineColor{192, 192, 192};
};
