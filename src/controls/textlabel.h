#pragma once

#include <QLabel>

// A label for composed texts: a carriage return (character 13) in its caption starts a new
// line, as does a line feed. With autoSize on (the default) the label takes the size of
// its text whenever the caption changes; a right-aligned label keeps its right edge and
// grows to the left, the others keep their left edge. It grows downwards in both cases.
//
// A label given a box to fit (setFitBox) shows its whole text within the box: where the
// text is too wide or has too many lines for the box in the label's font, a smaller font
// is taken, down to two points less; where even that does not fit, each line too long is
// cut with an ellipsis and the whole text is the label's tooltip.
class TextLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TextLabel(QWidget* parent = nullptr);
    explicit TextLabel(const QString& caption, QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    // The caption as it was set, carriage returns included.
    const QString& caption() const { return m_caption; }

    // The box the text must fit in; a height of 0 leaves the number of lines free. An
    // invalid size fits nothing and shows the text in the label's own font.
    void setFitBox(QSize box);
    QSize fitBox() const { return m_fitBox; }

    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool autoSize() const { return m_autoSize; }
    // Places the label, sized to its text, with its top at y and its left edge at x, or for
    // a right-aligned label its right edge (left + width) at x.
    void placeAt(int x, int y);

private:
    void fit();
    QString fitted(const QString& text);

    QString m_caption;
    QSize m_fitBox;
    QFont m_ownFont; // the font before any fitting
    bool m_autoSize = true;
};
