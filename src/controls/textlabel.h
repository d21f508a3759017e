#pragma once

#include <QLabel>

// A label for composed texts: a carriage return (character 13) in its caption starts a new
// line, as does a line feed. With autoSize on (the default) the label takes the size of
// its text whenever the caption changes; a right-aligned label keeps its right edge and
// grows to the left, the others keep their left edge. It grows downwards in both cases.
class TextLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TextLabel(QWidget* parent = nullptr);
    explicit TextLabel(const QString& caption, QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    // The caption as it was set, carriage returns included.
    const QString& caption() const { return m_caption; }

    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool autoSize() const { return m_autoSize; }
    // Places the label, sized to its text, with its top at y and its left edge at x, or for
    // a right-aligned label its right edge (left + width) at x.
    void placeAt(int x, int y);

private:
    void fit();

    QString m_caption;
    bool m_autoSize = true;
};
