#include "dbgrid.h"

#include "dialogs.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

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
        const DBGridModel* model = m_grid->m_model;
        if (index.row() == model->rowOf(model->currentRecord()) && index.column() == m_grid->ellipsisColumn()) {
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

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent), m_model(new DBGridModel(this)), m_bar(new QScrollBar(Qt::Vertical, this))
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
    // The table's own vertical bar would span the rows of the window only: the grid's bar
    // takes its place beside the rows and spans all the records.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->hide();
    addScrollBarWidget(m_bar, Qt::AlignTop);
    m_bar->setSingleStep(1);

    connect(m_model, &DBGridModel::currentRecordChanged, this, &DBGrid::followView);
    connect(m_model, &DBGridModel::columnsChanged, this, &DBGrid::applyWidths);
    connect(m_model, &DBGridModel::modelReset, this, &DBGrid::windowMoved);
    connect(m_model, &DBGridModel::windowMoved, this, &DBGrid::windowMoved);
    connect(m_model, &DBGridModel::rowsInserted, this, &DBGrid::syncScrollBar);
    connect(m_model, &DBGridModel::rowsRemoved, this, &DBGrid::syncScrollBar);
    connect(m_model, &DBGridModel::failed, this, [this](const QString& message) { Dialogs::error(message, this); });
    connect(m_bar, &QScrollBar::valueChanged, this, &DBGrid::showFrom);
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
    m_model->fetch(m_model->recordOf(first), m_model->recordOf(last));
}

// The window holds the whole rows that fit on screen; a grid not shown yet has no window.
void DBGrid::fitWindow()
{
    if (!isVisible())
        return;
    const int rows = std::max(viewport()->height() / verticalHeader()->defaultSectionSize(), 1);
    if (rows != m_model->windowRows()) {
        const int current = m_model->currentRecord();
        const bool selected = m_model->rowOf(current) >= 0; // the selected row stays on screen
        commitEditor();
        m_model->setWindow(selected ? m_model->firstShowing(current, rows) : m_model->firstRecord(), rows);
    }
    syncScrollBar();
}

// The bar spans the records; its value is the first record on screen.
void DBGrid::syncScrollBar()
{
    const int rows = m_model->windowRows();
    const int records = m_model->recordCount();
    const bool needed = rows > 0 && records > rows;
    {
        const QSignalBlocker blocker(m_bar);
        m_bar->setRange(0, needed ? records - rows : 0);
        m_bar->setPageStep(std::max(rows, 1));
        m_bar->setValue(m_model->firstRecord());
    }
    // Shown or hidden once the event is handled, as a table's own bar is: detaching and
    // attaching again leave it alone.
    if (m_barQueued)
        return;
    m_barQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_barQueued = false;
            const Qt::ScrollBarPolicy policy = m_bar->maximum() > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
            if (verticalScrollBarPolicy() != policy)
                setVerticalScrollBarPolicy(policy);
        },
        Qt::QueuedConnection);
}

// Other records are shown from the first given; the view stays where it is.
void DBGrid::showFrom(int first)
{
    if (first == m_model->firstRecord())
        return;
    commitEditor();
    m_model->setWindow(first, m_model->windowRows());
}

// The window moves so that a record is on screen.
void DBGrid::reveal(int record)
{
    if (record >= 0 && m_model->windowRows() > 0)
        showFrom(m_model->firstShowing(record, m_model->windowRows()));
}

// The text typed into a cell reaches the record before the cell leaves the screen.
void DBGrid::commitEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = QApplication::focusWidget();
    if (editor && viewport()->isAncestorOf(editor)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

// Other records are on the rows: the bar follows, the selection is the view's record
// wherever it is on screen, and the new rows are read.
void DBGrid::windowMoved()
{
    syncScrollBar();
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false); // the columns stay scrolled as they are
    followView(m_model->currentRecord());
    setAutoScroll(autoScroll);
    fetchVisible();
}

void DBGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitWindow();
    fetchVisible();
}

void DBGrid::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    fitWindow();
    fetchVisible();
}

void DBGrid::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    if (m_bar->maximum() > 0 && std::abs(delta.y()) >= std::abs(delta.x())) {
        QCoreApplication::sendEvent(m_bar, event);
        return;
    }
    QTableView::wheelEvent(event);
}

// Keys that leave the screen move the window to the record they go to.
QModelIndex DBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const int records = m_model->recordCount();
    const int rows = m_model->windowRows();
    if (rows <= 0 || records <= rows)
        return QTableView::moveCursor(action, modifiers);
    const QModelIndex current = currentIndex();
    int record = current.isValid() ? m_model->recordOf(current.row()) : m_model->currentRecord();
    int column = current.isValid() ? current.column() : m_column;
    switch (action) {
    case MoveUp:
        --record;
        break;
    case MoveDown:
        ++record;
        break;
    case MovePageUp:
        record -= rows;
        break;
    case MovePageDown:
        record += rows;
        break;
    case MoveHome:
    case MoveEnd:
        column = action == MoveHome ? 0 : m_model->columnCount() - 1;
        if (modifiers & Qt::ControlModifier)
            record = action == MoveHome ? 0 : records - 1;
        break;
    default:
        return QTableView::moveCursor(action, modifiers);
    }
    record = std::clamp(record, 0, records - 1);
    reveal(record);
    return m_model->index(m_model->rowOf(record), column);
}

// The view stands on another record: the selection goes there, without moving the view.
// A record off screen has no row selected.
void DBGrid::followView(int record)
{
    const QModelIndex now = currentIndex();
    const int row = m_model->rowOf(record);
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
    const QModelIndex target = m_model->index(row, now.isValid() ? now.column() : m_column);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_following = false;
    scrollTo(target);
}

// The user moved to another row: the view follows, posting the record being edited.
void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous); // an open editor is committed first
    if (current.isValid())
        m_column = current.column();
    if (m_following || !current.isValid())
        return;
    const int record = m_model->recordOf(current.row());
    // After the window moved there is no previous row: the view's record is the one left.
    if (previous.isValid() ? current.row() == previous.row() : record == m_model->currentRecord())
        return;
    bool moved = false;
    Dialogs::runHandler(
        [&] {
            m_model->moveTo(record);
            moved = true;
        },
        this);
    if (!moved) // a post refused: the selection goes back to the record being edited
        QMetaObject::invokeMethod(
            this,
            [this] {
                reveal(m_model->currentRecord());
                followView(m_model->currentRecord());
            },
            Qt::QueuedConnection);
    viewport()->update();
}

void DBGrid::askToDelete()
{
    if (!m_model->view() || m_model->recordCount() == 0)
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
    const int row = m_model->rowOf(m_model->currentRecord());
    if (column < 0 || row < 0)
        return {};
    const QRect cell = visualRect(m_model->index(row, column));
    return cell.isEmpty() ? QRect() : Delegate::buttonRect(cell);
}
