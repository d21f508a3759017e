#include "textlabel.h"

#include <QFontMetrics>

TextLabel::TextLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

TextLabel::TextLabel(const QString& caption, QWidget* parent) : TextLabel(parent)
{
    setCaption(caption);
}

void TextLabel::setCaption(const QString& caption)
{
    m_caption = caption;
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setText(fitted(shown));
    fit();
}

void TextLabel::setFitBox(QSize box)
{
    if (!m_fitBox.isValid())
        m_ownFont = font();
    m_fitBox = box;
    if (!box.isValid())
        setFont(m_ownFont);
    setCaption(m_caption);
}

QString TextLabel::fitted(const QString& text)
{
    if (!m_fitBox.isValid())
        return text;
    const QStringList lines = text.split(QLatin1Char('\n'));
    const auto fits = [&](const QFontMetrics& metrics) {
        if (m_fitBox.height() > 0 && lines.size() * metrics.lineSpacing() > m_fitBox.height())
            return false;
        for (const QString& line : lines) {
            if (metrics.horizontalAdvance(line) > m_fitBox.width())
                return false;
        }
        return true;
    };
    QFont smaller = m_ownFont;
    const qreal smallest = std::max<qreal>(m_ownFont.pointSizeF() - 2, 1);
    while (!fits(QFontMetrics(smaller)) && smaller.pointSizeF() - 0.5 >= smallest)
        smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
    setFont(smaller);
    const QFontMetrics metrics(smaller);
    if (fits(metrics)) {
        setToolTip(QString());
        return text;
    }
    setToolTip(text);
    QStringList shown;
    for (const QString& line : lines)
        shown << metrics.elidedText(line, Qt::ElideRight, m_fitBox.width());
    return shown.join(QLatin1Char('\n'));
}

void TextLabel::fit()
{
    if (!m_autoSize)
        return;
    const QSize size = text().isEmpty() ? QSize(0, fontMetrics().height()) : sizeHint();
    if (alignment() & Qt::AlignRight)
        setGeometry(geometry().right() + 1 - size.width(), y(), size.width(), size.height());
    else
        resize(size);
}

void TextLabel::placeAt(int x, int y)
{
    const QSize size = m_autoSize ? (text().isEmpty() ? QSize(0, fontMetrics().height()) : sizeHint()) : this->size();
    if (alignment() & Qt::AlignRight)
        setGeometry(x - size.width(), y, size.width(), size.height());
    else
        setGeometry(x, y, size.width(), size.height());
}
