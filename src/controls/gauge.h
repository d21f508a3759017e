#pragma once

#include <QWidget>

// A horizontal progress bar with the percentage done written in its middle.
class Gauge : public QWidget
{
    Q_OBJECT

public:
    explicit Gauge(QWidget* parent = nullptr);

    void setMinValue(int value);
    void setMaxValue(int value);
    int minValue() const { return m_min; }
    int maxValue() const { return m_max; }
    // Clamped to the range; repaints at once, so that a long loop shows its progress.
    void setProgress(int value);
    int progress() const { return m_progress; }
    // Whole percent of the range done.
    int percentDone() const;

    QSize sizeHint() const override { return {150, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_min = 0;
    int m_max = 100;
    int m_progress = 0;
};
