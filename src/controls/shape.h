#pragma once

#include <QWidget>

// A filled rectangle with a one-pixel border, for bands and strips behind other controls;
// its corners may be rounded.
class Shape : public QWidget
{
    Q_OBJECT

public:
    explicit Shape(QWidget* parent = nullptr) : QWidget(parent) {}
    Shape(const QColor& fill, const QColor& border, QWidget* parent = nullptr)
        : QWidget(parent), m_fill(fill), m_border(border)
    {
    }

    void setFill(const QColor& colour)
    {
        m_fill = colour;
        update();
    }
    void setBorder(const QColor& colour)
    {
        m_border = colour;
        update();
    }

    void setRoundedCorners(int radius)
    {
        m_radius = radius;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill{Qt::white};
    QColor m_border{Qt::black};
    int m_radius = 0;
};
