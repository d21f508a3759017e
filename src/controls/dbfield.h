#pragma once

#include "tableview.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

#include <functional>

// One field of a view's current record, for a control that shows it: the control is told
// when the record or its values change, reads the field's text and writes a text back
// (putting the record into editing first). A null source detaches: the text is empty.
class FieldLink : public QObject
{
    Q_OBJECT

public:
    explicit FieldLink(QObject* parent = nullptr) : QObject(parent) {}

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    void setDataField(const QString& field);
    const QString& dataField() const { return m_field; }

    // The view, when attached and open.
    TableView* view() const;
    // The field's display text; empty when detached, closed or the field is not declared.
    QString text() const;
    // Whether a text can be written: attached, the view and the field writable.
    bool isWritable() const;
    // Puts the record into editing and sets the field (a text, a picture, null to empty
    // it). Throws the view's errors.
    void write(const QVariant& value);
    // Cancels the record's editing.
    void cancel();

signals:
    void changed();

private:
    QPointer<DataSource> m_source;
    QString m_field;
};

// A one-line box of one field of the current record; editable unless read-only. The text
// typed is written into the record when the box is left or Enter is pressed; Escape
// cancels the record's editing. The record is posted by the view (its next move or post).
class DBEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit DBEdit(QWidget* parent = nullptr);
    void setDataSource(DataSource* source) { m_link.setDataSource(source); }
    DataSource* dataSource() const { return m_link.dataSource(); }
    void setDataField(const QString& field) { m_link.setDataField(field); }
    const QString& dataField() const { return m_link.dataField(); }
    void setBorder(bool border) { setFrame(border); }
    void setFieldReadOnly(bool readOnly);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showField();
    void commit();

    FieldLink m_link;
    bool m_readOnly = false;
    bool m_typed = false;
};

// A label showing one field of the current record.
class DBText : public QLabel
{
    Q_OBJECT

public:
    explicit DBText(QWidget* parent = nullptr);
    void setDataSource(DataSource* source) { m_link.setDataSource(source); }
    DataSource* dataSource() const { return m_link.dataSource(); }
    void setDataField(const QString& field) { m_link.setDataField(field); }
    const QString& dataField() const { return m_link.dataField(); }
    void setBorder(bool border) { setFrameShape(border ? QFrame::Box : QFrame::NoFrame); }

private:
    FieldLink m_link;
};

// A text box of a memo (or text) field of the current record; editable unless read-only.
// What is typed is written into the record as it is typed.
class DBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit DBMemo(QWidget* parent = nullptr);
    void setDataSource(DataSource* source) { m_link.setDataSource(source); }
    DataSource* dataSource() const { return m_link.dataSource(); }
    void setDataField(const QString& field) { m_link.setDataField(field); }
    const QString& dataField() const { return m_link.dataField(); }
    void setBorder(bool border) { setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame); }
    void setFieldReadOnly(bool readOnly);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showField();
    void typed();

    FieldLink m_link;
    bool m_readOnly = false;
    bool m_showing = false;
};
