#include "dbgrid.h"

#include "dialogs.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

// Paints the lines the grid asks for and the ellipsis button of the current row.
class DBGrid::Delegate : public QStyledItemDelegate
{
public:
    explicit Delegate(DBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QRect r = option.rect;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        if (m_grid->m_rowLines)
            painter->drawLine(r.bottomLeft(), r.bottomRight());
        if (m_grid->m_columnLines)
            painter->drawLine(r.topRight(), r.bottomRight());
        painter->restore();
        if (index.row() == m_grid->m_model->currentRow() && index.column() == m_grid->ellipsisColumn()) {
            QStyleOptionButton button;
            button.rect = buttonRect(r);
            button.text = QStringLiteral("…");
            button.state = QStyle::State_Enabled | QStyle::State_Raised;
            m_grid->style()->drawControl(QStyle::CE_PushButton, &button, painter, m_grid);
        }
    }

    static QRect buttonRect(const QRect& cell)
    {
        const int side = cell.height() - 1;
        return QRect(cell.right() - side, cell.top(), side, side);
    }

private:
    DBGrid* m_grid;
};

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), m_model(new DBGridModel(this))
{
    setModel(m_model);
    setItemDelegate(new Delegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    setShowGrid(false); // the delegate draws the lines each grid asks for
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);

    connect(m_model, &DBGridModel::currentRowChanged, this, &DBGrid::followView);
    connect(m_model, &DBGridModel::columnsChanged, this, &DBGrid::applyWidths);
    connect(m_model, &DBGridModel::modelReset, this, &DBGrid::fetchVisible);
    connect(m_model, &DBGridModel::failed, this, [this](const QString& message) { Dialogs::error(message, this); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &DBGrid::fetchVisible);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit cellClick(index.column());
    });
}

void DBGrid::setDataSource(DataSource* source)
{
    m_model->setDataSource(source);
}

void DBGrid::setRowLines(bool on)
{
    m_rowLines = on;
    viewport()->update();
}

void DBGrid::setColumnLines(bool on)
{
    m_columnLines = on;
    viewport()->update();
}

// Widths in pixels, or in characters of the grid's font (the field's display width when
// the column gives none).
void DBGrid::applyWidths()
{
    const int charWidth = fontMetrics().averageCharWidth();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const DBGridColumn& column = m_model->columns()[static_cast<size_t>(c)];
        int width = column.width;
        if (width <= 0) {
            const ViewField* field = m_model->columnField(c);
            const int chars = column.widthChars > 0 ? column.widthChars : field ? field->displayWidth : 0;
            width = chars > 0 ? chars * charWidth + 4 : horizontalHeader()->defaultSectionSize();
        }
        setColumnWidth(c, width);
    }
}

// The rows on screen are read before they are painted.
void DBGrid::fetchVisible()
{
    if (!isVisible() || m_model->rowCount() == 0)
        return;
    const int first = std::max(rowAt(0), 0);
    int last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = m_model->rowCount() - 1;
    m_model->fetch(first, last);
}

void DBGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fetchVisible();
}

void DBGrid::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    fetchVisible();
}

// The view stands on another record: the selection goes there, without moving the view.
void DBGrid::followView(int row)
{
    const QModelIndex now = currentIndex();
    if (row < 0) {
        m_following = true;
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
        m_following = false;
        return;
    }
    if (now.isValid() && now.row() == row)
        return;
    m_following = true;
    const QModelIndex target = m_model->index(row, now.isValid() ? now.column() : 0);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_following = false;
    scrollTo(target);
}

// The user moved to another row: the view follows, posting the record being edited.
void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous); // an open editor is committed first
    if (m_following || !current.isValid() || current.row() == previous.row())
        return;
    bool moved = false;
    Dialogs::runHandler(
        [&] {
            m_model->moveTo(current.row());
            moved = true;
        },
        this);
    if (!moved) // a post refused: the selection goes back to the record being edited
        QMetaObject::invokeMethod(
            this, [this] { followView(m_model->currentRow()); }, Qt::QueuedConnection);
    viewport()->update();
}

void DBGrid::askToDelete()
{
    if (!m_model->view() || m_model->rowCount() == 0)
        return;
    if (!Dialogs::ask(Dialogs::Question::YesNo, QStringLiteral("Delete record?"), this))
        return;
    Dialogs::runHandler([this] { m_model->removeCurrent(); }, this);
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        if (!isReadOnly())
            askToDelete();
        return;
    }
    if (event->key() == Qt::Key_Escape && m_model->isEditing()) {
        Dialogs::runHandler([this] { m_model->cancelEdit(); }, this);
        return;
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    emit keyUp(event->key());
}

void DBGrid::mousePressEvent(QMouseEvent* event)
{
    const QRect button = ellipsisRect();
    if (!button.isEmpty() && button.contains(event->position().toPoint())) {
        emit editButtonClick();
        return;
    }
    QTableView::mousePressEvent(event);
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit dblClick();
}

// Tab and Shift+Tab leave the grid instead of walking its cells.
bool DBGrid::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

int DBGrid::ellipsisColumn() const
{
    const auto& columns = m_model->columns();
    for (size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].ellipsis)
            return static_cast<int>(c);
    }
    return -1;
}

QRect DBGrid::ellipsisRect() const
{
    const int column = ellipsisColumn();
    const int row = m_model->currentRow();
    if (column < 0 || row < 0)
        return {};
    const QRect cell = visualRect(m_model->index(row, column));
    return cell.isEmpty() ? QRect() : Delegate::buttonRect(cell);
}
