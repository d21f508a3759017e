#include "dbimage.h"

#include "tableview.h"

#include <QPainter>

DBImage::DBImage(QWidget* parent) : QWidget(parent) {}

void DBImage::setDataSource(DataSource* source)
{
    if (m_source)
        disconnect(m_source->view(), nullptr, this, nullptr);
    m_source = source;
    if (source)
        connect(source->view(), &TableView::recordChanged, this, &DBImage::recordMoved);
    recordMoved();
}

void DBImage::setDataField(const QString& field)
{
    m_field = field;
    recordMoved();
}

void DBImage::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void DBImage::setBorder(bool border)
{
    m_border = border;
    update();
}

// The view may move many times in a row (a window walking it); the picture is read only
// when it is next painted.
void DBImage::recordMoved()
{
    m_stale = true;
    update();
}

QPixmap DBImage::picture()
{
    if (!m_stale)
        return m_picture;
    m_stale = false;
    m_picture = QPixmap();
    if (!m_source || m_field.isEmpty() || !m_source->view()->isOpen())
        return m_picture;
    try {
        m_picture.loadFromData(m_source->view()->asBytes(m_field));
    } catch (...) {
        // A record that cannot be read shows no picture; the view's own users see the error.
        m_picture = QPixmap();
    }
    return m_picture;
}

void DBImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect box = rect();
    if (m_border) {
        p.setPen(Qt::black);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        box.adjust(1, 1, -1, -1);
    }
    const QPixmap pic = picture();
    if (pic.isNull())
        return;
    p.setClipRect(box);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QSize size = pic.size();
    if (m_stretch)
        size = size.scaled(box.size(), Qt::KeepAspectRatio);
    const QRect target(box.left() + (box.width() - size.width()) / 2, box.top() + (box.height() - size.height()) / 2,
                       size.width(), size.height());
    p.drawPixmap(target, pic);
}
