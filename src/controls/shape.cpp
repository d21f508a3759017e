#include "shape.h"

#include <QPainter>

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_border);
    p.fillRect(rect().adjusted(1, 1, -1, -1), m_fill);
}
