#include "shape.h"

#include <QPainter>

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_radius > 0) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(m_border);
        p.setBrush(m_fill);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
        return;
    }
    p.fillRect(rect(), m_border);
    p.fillRect(rect().adjusted(1, 1, -1, -1), m_fill);
}
