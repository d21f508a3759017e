#include "textlabel.h"

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
    setText(shown);
    fit();
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
