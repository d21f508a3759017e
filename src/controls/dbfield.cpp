#include "dbfield.h"

#include "apperror.h"
#include "dialogs.h"

#include <QKeyEvent>

// --- the link -----------------------------------------------------------------------

void FieldLink::setDataSource(DataSource* source)
{
    if (m_source) {
        disconnect(m_source, nullptr, this, nullptr);
        if (m_source->view())
            disconnect(m_source->view(), nullptr, this, nullptr);
    }
    m_source = source;
    if (source) {
        connect(source, &QObject::destroyed, this, &FieldLink::changed);
        if (TableView* v = source->view()) {
            connect(v, &TableView::recordChanged, this, &FieldLink::changed);
            connect(v, &TableView::stateChanged, this, &FieldLink::changed);
            connect(v, &TableView::dataSetChanged, this, &FieldLink::changed);
        }
    }
    emit changed();
}

void FieldLink::setDataField(const QString& field)
{
    m_field = field;
    emit changed();
}

TableView* FieldLink::view() const
{
    TableView* v = m_source ? m_source->view() : nullptr;
    return v && v->isOpen() ? v : nullptr;
}

QString FieldLink::text() const
{
    TableView* v = view();
    if (!v || !v->fieldDef(m_field))
        return {};
    try {
        return v->displayText(m_field);
    } catch (const AppError&) {
        return {}; // a record that cannot be read shows nothing; the view's users see the error
    }
}

bool FieldLink::isWritable() const
{
    TableView* v = view();
    const ViewField* field = v ? v->fieldDef(m_field) : nullptr;
    return field && !v->isReadOnly() && !field->readOnly && !field->calculated;
}

void FieldLink::write(const QVariant& value)
{
    TableView* v = view();
    if (!v)
        return;
    if (v->state() == TableView::State::Browse)
        v->edit();
    v->setValue(m_field, value);
}

void FieldLink::cancel()
{
    if (TableView* v = view())
        v->cancel();
}

// --- the one-line box ---------------------------------------------------------------

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(&m_link, &FieldLink::changed, this, &DBEdit::showField);
    connect(this, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    connect(this, &QLineEdit::editingFinished, this, &DBEdit::commit);
    showField();
}

void DBEdit::setFieldReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    showField();
}

void DBEdit::showField()
{
    if (m_typed)
        return; // what the user is typing stays until it is written or cancelled
    setText(m_link.text());
    setReadOnly(m_readOnly || !m_link.isWritable());
}

void DBEdit::commit()
{
    if (!m_typed)
        return;
    m_typed = false;
    Dialogs::runHandler([this] { m_link.write(text()); }, this);
    showField();
}

void DBEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_link.view() &&
        (m_typed || m_link.view()->state() != TableView::State::Browse)) {
        m_typed = false;
        Dialogs::runHandler([this] { m_link.cancel(); }, this);
        showField();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// --- the label ----------------------------------------------------------------------

DBText::DBText(QWidget* parent) : QLabel(parent)
{
    connect(&m_link, &FieldLink::changed, this, [this] { setText(m_link.text()); });
}

// --- the memo -----------------------------------------------------------------------

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(&m_link, &FieldLink::changed, this, &DBMemo::showField);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::typed);
    showField();
}

void DBMemo::setFieldReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    showField();
}

void DBMemo::showField()
{
    if (m_showing)
        return;
    const QString text = m_link.text();
    setReadOnly(m_readOnly || !m_link.isWritable());
    if (text == toPlainText())
        return;
    m_showing = true;
    setPlainText(text);
    m_showing = false;
}

void DBMemo::typed()
{
    if (m_showing || isReadOnly())
        return;
    m_showing = true; // the record's change comes back as the text already shown
    Dialogs::runHandler([this] { m_link.write(toPlainText()); }, this);
    m_showing = false;
}

void DBMemo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_link.view() && m_link.view()->state() != TableView::State::Browse) {
        Dialogs::runHandler([this] { m_link.cancel(); }, this);
        showField();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
