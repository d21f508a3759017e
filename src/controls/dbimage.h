#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "tableview.h"

// A read-only picture box bound to a picture field of a view: it shows the picture of the
// view's current record and follows the view as it moves. The picture is drawn centred at
// its own size, clipped to the box, or scaled into the box (keeping its proportions) when
// stretch is set. An empty field or a picture that cannot be read shows nothing.
class DBImage : public QWidget
{
    Q_OBJECT

public:
    explicit DBImage(QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    void setDataField(const QString& field);
    const QString& dataField() const { return m_field; }
    void setStretch(bool stretch);
    bool stretch() const { return m_stretch; }
    void setBorder(bool border);

    // The picture of the current record as it is shown now (read when needed).
    QPixmap picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void recordMoved();

    QPointer<DataSource> m_source;
    QString m_field;
    bool m_stretch = false;
    bool m_border = false;
    bool m_stale = true;
    QPixmap m_picture;
};
