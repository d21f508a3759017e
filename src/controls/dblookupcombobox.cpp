#include "dblookupcombobox.h"

#include "dialogs.h"
#include "tableview.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QTimer>

DBLookupComboBox::DBLookupComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(10);
    // A list, not a menu of every entry, so that the number of rows dropped down holds in
    // every style.
    setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    // The popup can also be closed by the window system (a click elsewhere); its hiding is
    // what counts as the list closing.
    view()->window()->installEventFilter(this);
}

void DBLookupComboBox::setListSource(DataSource* source)
{
    m_source = source;
    if (!source) {
        clear();
        return;
    }
    refreshList();
    if (m_key.isNull())
        return;
    if (currentIndex() < 0) {
        m_key = QVariant(); // no longer listed: the chooser shows nothing
        return;
    }
    source->view()->locate(m_keyField, m_key);
}

void DBLookupComboBox::refreshList()
{
    const QSignalBlocker blocker(this);
    clear();
    if (!m_source || !m_source->view()->isOpen())
        return;
    const auto rows = m_source->view()->listValues({m_listField, m_keyField});
    for (const QVariantList& row : rows)
        addItem(row.at(0).toString(), row.at(1));
    showKey();
}

void DBLookupComboBox::showKey()
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(m_key.isNull() ? -1 : findData(m_key));
}

void DBLookupComboBox::showPopup()
{
    // Without a list to read (detached, or its view closed because the database could not
    // be opened) there is nothing to choose from and nothing to report.
    if (m_open || !m_source || !m_source->view()->isOpen())
        return;
    bool read = false;
    Dialogs::runHandler(
        [this, &read] {
            refreshList();
            read = true;
        },
        this);
    if (!read)
        return;
    m_open = true;
    if (count() == 0) {
        listClosed(); // nothing to drop down: opened and closed at once
        return;
    }
    QComboBox::showPopup();
}

void DBLookupComboBox::hidePopup()
{
    QComboBox::hidePopup();
    listClosed();
}

bool DBLookupComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && watched == view()->window())
        listClosed();
    return QComboBox::eventFilter(watched, event);
}

// The list has closed. The entry picked in it is set on the combo box only after the
// popup has been hidden, so the choice is taken up once the event that closed it is done.
void DBLookupComboBox::listClosed()
{
    if (!m_open)
        return;
    m_open = false;
    m_closePending = true;
    QTimer::singleShot(0, this, [this] { finishCloseUp(); });
}

void DBLookupComboBox::finishCloseUp()
{
    if (!m_closePending)
        return;
    m_closePending = false;
    Dialogs::runHandler(
        [this] {
            applyChoice();
            emit closeUp();
        },
        this);
}

void DBLookupComboBox::applyChoice()
{
    const int row = currentIndex();
    if (row < 0) {
        showKey();
        return;
    }
    m_key = itemData(row);
    if (m_source && m_source->view()->isOpen())
        m_source->view()->locate(m_keyField, m_key);
}

void DBLookupComboBox::choose(int row)
{
    refreshList();
    if (row >= 0 && row < count()) {
        const QSignalBlocker blocker(this);
        setCurrentIndex(row);
    }
    m_closePending = false;
    applyChoice();
    emit closeUp();
}

bool DBLookupComboBox::chooseText(const QString& listText)
{
    refreshList();
    const int row = findText(listText, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (row < 0)
        return false;
    choose(row);
    return true;
}

// The closed chooser changes its choice only through its list: keys that would step to
// another entry open the list instead, and the mouse wheel does nothing.
void DBLookupComboBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_F4:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        showPopup();
        event->accept();
        return;
    default:
        break;
    }
    if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        event->accept(); // no stepping by typed letters either
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DBLookupComboBox::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}
