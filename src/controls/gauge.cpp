#include "gauge.h"

#include <QPainter>
#include <algorithm>

Gauge::Gauge(QWidget* parent) : QWidget(parent) {}

void Gauge::setMinValue(int value)
{
    m_min = value;
    m_max = std::max(m_max, m_min);
    setProgress(m_progress);
}

void Gauge::setMaxValue(int value)
{
    m_max = value;
    m_min = std::min(m_min, m_max);
    setProgress(m_progress);
}

void Gauge::setProgress(int value)
{
    const int clamped = std::clamp(value, m_min, m_max);
    if (clamped == m_progress)
        return;
    m_progress = clamped;
    if (isVisible())
        repaint();
}

int Gauge::percentDone() const
{
    if (m_max == m_min)
        return 0;
    return static_cast<int>((static_cast<qint64>(m_progress - m_min) * 100) / (m_max - m_min));
}

void Gauge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect outer = rect();
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    p.fillRect(outer, Qt::black);
    p.fillRect(inner, Qt::white);
    const int filled = inner.width() * percentDone() / 100;
    const QRect bar(inner.left(), inner.top(), filled, inner.height());
    const QColor barColour = palette().color(QPalette::Active, QPalette::Highlight);
    p.fillRect(bar, barColour);

    // The percentage reads black on the empty part and white on the filled part.
    const QString text = QStringLiteral("%1%").arg(percentDone());
    p.setClipRect(inner);
    p.setPen(Qt::black);
    p.drawText(inner, Qt::AlignCenter, text);
    p.setClipRect(bar);
    p.setPen(Qt::white);
    p.drawText(inner, Qt::AlignCenter, text);
}
