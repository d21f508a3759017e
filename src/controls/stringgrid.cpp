#include "stringgrid.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

class StringGridDelegate : public QStyledItemDelegate
{
public:
    explicit StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect full = option.rect;
        const QRect cellRect(full.left(), full.top(), full.width(), full.height() - 1);
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QPalette& pal = option.palette;

        painter->save();
        painter->setPen(m_grid->gridLineColor());
        painter->drawLine(full.left(), full.bottom(), full.right(), full.bottom());
        painter->setClipRect(cellRect);
        painter->fillRect(cellRect, selected ? pal.color(QPalette::Active, QPalette::Highlight) : QColor(Qt::white));
        painter->setPen(selected ? pal.color(QPalette::Active, QPalette::HighlightedText) : QColor(Qt::black));
        painter->setFont(option.font);
        StringGrid::drawCellText(*painter, cellRect, index.data(Qt::DisplayRole).toString());
        if (m_grid->drawCell) {
            StringGrid::DrawState state;
            state.selected = selected;
            state.focused = option.state.testFlag(QStyle::State_HasFocus);
            m_grid->drawCell(*painter, index.column(), index.row(), cellRect, state);
        }
        painter->restore();
    }

private:
    StringGrid* m_grid;
};

StringGrid::StringGrid(QWidget* parent) : QTableWidget(parent)
{
    setItemDelegate(new StringGridDelegate(this));
    setShowGrid(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    setDefaultRowHeight(m_rowHeight);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, Qt::white);
    viewport()->setPalette(pal);
}

void StringGrid::setColCount(int count)
{
    setColumnCount(count);
    updateHeader();
}

void StringGrid::setRowCount(int count)
{
    QTableWidget::setRowCount(count);
    updateHeader();
}

QString StringGrid::cell(int col, int row) const
{
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int col, int row, const QString& text)
{
    QTableWidgetItem* it = item(row, col);
    if (it)
        it->setText(text);
    else
        setItem(row, col, new QTableWidgetItem(text));
    if (row < m_fixedRows)
        updateHeader();
}

void StringGrid::setDefaultRowHeight(int height)
{
    m_rowHeight = height;
    verticalHeader()->setDefaultSectionSize(height + 1); // and the grid line under it
}

void StringGrid::setFixedRows(int rows)
{
    m_fixedRows = std::clamp(rows, 0, 1);
    updateHeader();
}

void StringGrid::updateHeader()
{
    horizontalHeader()->setVisible(m_fixedRows > 0);
    if (rowCount() > 0)
        setRowHidden(0, m_fixedRows > 0);
    if (m_fixedRows == 0)
        return;
    QStringList titles;
    for (int c = 0; c < columnCount(); ++c)
        titles << cell(c, 0);
    setHorizontalHeaderLabels(titles);
}

namespace {
QRect textRectOf(const QRect& cellRect)
{
    return cellRect.adjusted(2, 2, 0, 0);
}
} // namespace

void StringGrid::drawCellText(QPainter& painter, const QRect& cellRect, const QString& text)
{
    const QRect textRect = textRectOf(cellRect);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
}

void StringGrid::paintMarkedCell(QPainter& painter, const QRect& cellRect, const QString& text, bool selected,
                                 const CellMarks& marks) const
{
    if (!marks.colour && !marks.bold && !marks.shaded && !selected)
        return;
    const QColor highlight = palette().color(QPalette::Active, QPalette::Highlight);
    QColor background = Qt::white;
    QColor pen = Qt::black;
    if (marks.shaded) {
        background = QColor(239, 239, 239);
        if (selected)
            pen = highlight;
    } else if (selected) {
        background = QColor((highlight.red() + 3 * 255) / 4, (highlight.green() + 3 * 255) / 4,
                            (highlight.blue() + 3 * 255) / 4);
    }
    if (marks.colour)
        pen = *marks.colour;
    // The text replaces that of the default painting instead of being drawn over it, whose
    // edges would show around the new colour or the bold letters.
    painter.fillRect(cellRect, background);
    painter.setPen(pen);
    if (marks.bold) {
        QFont bold = painter.font();
        bold.setBold(true);
        painter.setFont(bold);
    }
    drawCellText(painter, cellRect, text);
}

QString StringGrid::cellToolTip(int col, int row) const
{
    const QString text = cell(col, row);
    const int room = textRectOf(QRect(0, 0, columnWidth(col), m_rowHeight)).width();
    return fontMetrics().horizontalAdvance(text) > room ? text : QString();
}

bool StringGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString tip = index.isValid() ? cellToolTip(index.column(), index.row()) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        return true;
    }
    return QTableWidget::viewportEvent(event);
}
