#include "glyphs.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
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

QIcon spreadsheet()
{
    return drawn([](QPainter& p) {
        p.setPen(QColor(0, 96, 0));
        p.setBrush(QColor(230, 245, 230));
        p.drawRect(1, 1, 13, 13);
        p.setPen(QColor(0, 128, 0));
        for (int y = 5; y <= 11; y += 3)
            p.drawLine(2, y, 13, y);
        p.drawLine(6, 2, 6, 13);
        p.fillRect(2, 2, 12, 3, QColor(0, 128, 0));
    });
}

QIcon bulb()
{
    return drawn([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(160, 120, 0));
        p.setBrush(QColor(255, 230, 60));
        p.drawEllipse(QRectF(3, 0.5, 10, 10));
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(5.5, 10.5, 5, 4));
        p.setPen(QColor(96, 96, 96));
        p.drawLine(QPointF(5.5, 12.5), QPointF(10.5, 12.5));
    });
}

QIcon add()
{
    return drawn([](QPainter& p) {
        p.fillRect(6, 2, 4, 12, QColor(0, 128, 0));
        p.fillRect(2, 6, 12, 4, QColor(0, 128, 0));
    });
}

QIcon remove()
{
    return drawn([](QPainter& p) { p.fillRect(2, 6, 12, 4, QColor(192, 0, 0)); });
}

QIcon confirm()
{
    return drawn([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygon({QPoint(2, 8), QPoint(6, 12), QPoint(14, 3)}));
    });
}

QIcon search()
{
    return drawn([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(64, 64, 64), 2));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QRectF(2, 2, 8, 8));
        p.setPen(QPen(QColor(96, 64, 0), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(10, 10, 14, 14);
    });
}

} // namespace Glyphs
