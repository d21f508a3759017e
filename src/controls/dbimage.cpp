#include "dbimage.h"

#include "dialogs.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

DBImage::DBImage(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto action = [this](const QString& text, QKeySequence::StandardKey key, void (DBImage::*run)()) {
        auto* a = new QAction(text, this);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this, run);
        addAction(a);
        return a;
    };
    m_cut = action(QStringLiteral("Cut"), QKeySequence::Cut, &DBImage::cutToClipboard);
    m_copy = action(QStringLiteral("Copy"), QKeySequence::Copy, &DBImage::copyToClipboard);
    m_paste = action(QStringLiteral("Paste"), QKeySequence::Paste, &DBImage::pasteFromClipboard);
    connect(&m_link, &FieldLink::changed, this, &DBImage::recordMoved);
    updateActions();
}

void DBImage::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    updateActions();
}

void DBImage::updateActions()
{
    const bool writable = !m_readOnly && m_link.isWritable();
    m_cut->setEnabled(writable);
    m_paste->setEnabled(writable);
}

void DBImage::copyToClipboard()
{
    const QPixmap pic = picture();
    if (!pic.isNull())
        QGuiApplication::clipboard()->setImage(pic.toImage());
}

void DBImage::cutToClipboard()
{
    if (m_readOnly || !m_link.isWritable())
        return;
    copyToClipboard();
    Dialogs::runHandler([this] { m_link.write(QVariant()); }, this);
}

void DBImage::pasteFromClipboard()
{
    if (m_readOnly || !m_link.isWritable())
        return;
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    Dialogs::runHandler([&] { m_link.write(png); }, this);
}

void DBImage::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void DBImage::setBorder(bool border)
{
    m_border = border;
    update();
}

// The view may move many times in a row (a window walking it); the picture is read only
// when it is next painted.
void DBImage::recordMoved()
{
    m_stale = true;
    updateActions();
    update();
}

QPixmap DBImage::picture()
{
    if (!m_stale)
        return m_picture;
    m_stale = false;
    m_picture = QPixmap();
    TableView* view = m_link.view();
    if (!view || !view->fieldDef(m_link.dataField()))
        return m_picture;
    try {
        m_picture.loadFromData(view->asBytes(m_link.dataField()));
    } catch (...) {
        // A record that cannot be read shows no picture; the view's own users see the error.
        m_picture = QPixmap();
    }
    return m_picture;
}

void DBImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect box = rect();
    if (m_border) {
        p.setPen(Qt::black);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        box.adjust(1, 1, -1, -1);
    }
    const QPixmap pic = picture();
    if (pic.isNull())
        return;
    p.setClipRect(box);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QSize size = pic.size();
    if (m_stretch)
        size = size.scaled(box.size(), Qt::KeepAspectRatio);
    const QRect target(box.left() + (box.width() - size.width()) / 2, box.top() + (box.height() - size.height()) / 2,
                       size.width(), size.height());
    p.drawPixmap(target, pic);
}
