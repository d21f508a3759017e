#pragma once

#include <QComboBox>
#include <QPointer>
#include <QVariant>

#include "tableview.h"

// A chooser: a drop-down list of one field of a view (the list field), each entry standing
// for the record with its key field. Choosing an entry makes that record the current
// record of the view (the first record, in the view's order, with that key), so every
// window working on the view follows. The chooser is not bound to a record field; it
// remembers its own choice and keeps showing it while other windows move the view.
//
// Binding: a chooser can be made before the data module exists and is bound later by
// setListSource(), normally when its window connects to the data module. Setting the
// source to null detaches the list (it shows nothing and lists nothing but remembers its
// choice); setting it again attaches it: the list is read anew and the remembered key is
// looked up; when found, its record becomes current again and it is shown, otherwise the
// chooser shows nothing and forgets the choice.
//
// closeUp() is emitted exactly once each time the list closes, after the entry under the
// mouse or keyboard has been chosen and made current, also when the list closes without
// a new choice (the previous choice is made current again). An empty list cannot open:
// trying to drop it down counts as opening and closing it. A chooser without a list to
// read (detached, or its view closed) does not open at all and emits nothing. The list is read from the view
// whenever it drops down, so it shows the records as they stand.
class DBLookupComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DBLookupComboBox(QWidget* parent = nullptr);

    void setKeyField(const QString& field) { m_keyField = field; }
    const QString& keyField() const { return m_keyField; }
    void setListField(const QString& field) { m_listField = field; }
    const QString& listField() const { return m_listField; }
    void setDropDownRows(int rows) { setMaxVisibleItems(rows); }
    int dropDownRows() const { return maxVisibleItems(); }

    // Attaches the list to the source's view (see above), or detaches it with null.
    // A view that is not open gives an empty list.
    void setListSource(DataSource* source);
    DataSource* listSource() const { return m_source; }

    // The key of the remembered choice; null when nothing is chosen.
    const QVariant& keyValue() const { return m_key; }
    // The list field's text of the remembered choice; empty when nothing is shown.
    QString text() const { return currentIndex() >= 0 ? currentText() : QString(); }

    // Reads the entries from the view again, showing the remembered choice if listed.
    void refreshList();

    // Does what a user does by dropping the list down, picking the entry at the row (-1:
    // closing it without a new choice): the choice is made current, closeUp() is emitted.
    void choose(int row);
    // Picks the entry with the list text, as choose(); false (and nothing done) if none.
    bool chooseText(const QString& listText);

    void showPopup() override;
    void hidePopup() override;

signals:
    void closeUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listClosed();
    void finishCloseUp();
    void applyChoice();
    void showKey();

    QPointer<DataSource> m_source;
    QString m_keyField;
    QString m_listField;
    QVariant m_key;
    bool m_open = false;
    bool m_closePending = false;
};
