#include "glyphs.h"

#include <QPainter>
#include <QPixmap>
#include <functional>

namespace {

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    draw(p);
    p.end();
    QIcon icon(pixmap);
    return icon;
}

void sheet(QPainter& p, const QRect& r)
{
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

} // namespace

namespace Glyphs {

QIcon printer()
{
    return drawn([](QPainter& p) {
        sheet(p, QRect(4, 1, 7, 5));
        p.setPen(QColor(64, 64, 64));
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(1, 6, 13, 6);
        p.setPen(QColor(0, 128, 0));
        p.drawPoint(12, 8);
        sheet(p, QRect(4, 10, 7, 4));
        p.setPen(QColor(128, 128, 128));
        p.drawLine(5, 12, 9, 12);
    });
}

QIcon note()
{
    return drawn([](QPainter& p) {
        sheet(p, QRect(2, 1, 9, 13));
        p.setPen(QColor(0, 0, 128));
        for (int y = 4; y <= 11; y += 2)
            p.drawLine(4, y, 9, y);
        p.setPen(QPen(QColor(160, 96, 0), 2));
        p.drawLine(14, 3, 8, 12);
    });
}

QIcon clear()
{
    return drawn([](QPainter& p) {
        sheet(p, QRect(2, 1, 10, 13));
        p.setPen(QPen(QColor(255, 0, 0), 2));
        p.drawLine(5, 5, 13, 13);
        p.drawLine(13, 5, 5, 13);
    });
}

} // namespace Glyphs
