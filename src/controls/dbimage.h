#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "dbfield.h"

class QAction;

// A picture box bound to a picture field of a view: it shows the picture of the view's
// current record and follows the view as it moves. The picture is drawn centred at its own
// size, clipped to the box, or scaled into the box (keeping its proportions) when stretch
// is set. An empty field or a picture that cannot be read shows nothing.
//
// Its clipboard commands ("Cut", "Copy", "Paste", in its context menu and on the usual
// keys while it has the focus) copy the picture; unless the box is read-only (as it is at
// first), pasting a picture starts editing the record and sets the field to the picture
// as PNG, and cutting empties the field. The record is posted by the view.
class DBImage : public QWidget
{
    Q_OBJECT

public:
    explicit DBImage(QWidget* parent = nullptr);

    void setDataSource(DataSource* source) { m_link.setDataSource(source); }
    DataSource* dataSource() const { return m_link.dataSource(); }
    void setDataField(const QString& field) { m_link.setDataField(field); }
    const QString& dataField() const { return m_link.dataField(); }
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    void setStretch(bool stretch);
    bool stretch() const { return m_stretch; }
    void setBorder(bool border);

    // The picture of the current record as it is shown now (read when needed).
    QPixmap picture();

    // The clipboard commands; errors of the view are shown in the error box.
    void cutToClipboard();
    void copyToClipboard();
    void pasteFromClipboard();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void recordMoved();
    void updateActions();

    FieldLink m_link;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    bool m_readOnly = true;
    bool m_stretch = false;
    bool m_border = false;
    bool m_stale = true;
    QPixmap m_picture;
};
