#include "window.h"

#include "appfont.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace WindowPlacement {

QRect centred(QSize frame, const QRect& available)
{
    QRect placed(QPoint(0, 0), frame);
    placed.moveCenter(available.center());
    return placed;
}

QRect beside(QSize frame, const QRect& anchor, const QRect& available)
{
    QRect placed(QPoint(anchor.right() + 1, anchor.top()), frame);
    if (placed.right() <= available.right())
        return placed;
    placed.moveRight(anchor.left() - 1);
    if (placed.left() >= available.left())
        return placed;
    placed.moveLeft(anchor.left() + (anchor.width() - frame.width()) / 2);
    return placed;
}

QRect keptOnScreen(QRect frame, const QRect& available, bool mayShrink, QSize minimum)
{
    if (mayShrink) {
        frame.setWidth(std::min(frame.width(), std::max(available.width(), minimum.width())));
        frame.setHeight(std::min(frame.height(), std::max(available.height(), minimum.height())));
    }
    if (frame.right() > available.right())
        frame.moveRight(available.right());
    if (frame.bottom() > available.bottom())
        frame.moveBottom(available.bottom());
    if (frame.left() < available.left())
        frame.moveLeft(available.left());
    if (frame.top() < available.top())
        frame.moveTop(available.top());
    return frame;
}

} // namespace WindowPlacement

void nameObjects(const char* names, std::initializer_list<QObject*> objects)
{
    const QStringList list = QString::fromLatin1(names).split(QLatin1Char(','));
    Q_ASSERT(list.size() == static_cast<qsizetype>(objects.size()));
    qsizetype i = 0;
    for (QObject* object : objects) {
        if (object && i < list.size())
            object->setObjectName(list[i].trimmed());
        ++i;
    }
}

WindowFrame::WindowFrame(QWidget* window) : m_window(window)
{
    m_window->setFont(AppFont::sansSerif(8));
}

void WindowFrame::setClientSize(QSize initial, QSize minimum)
{
    m_clientSize = initial;
    m_minimumClientSize = minimum;
    m_fixed = false;
    applySize();
}

void WindowFrame::setFixedClientSize(QSize size)
{
    m_clientSize = size;
    m_minimumClientSize = size;
    m_fixed = true;
    applySize();
}

QSize WindowFrame::extraSize() const
{
    if (const auto* main = qobject_cast<const QMainWindow*>(m_window)) {
        if (const QWidget* menu = main->menuWidget(); menu && !menu->isHidden())
            return {0, menu->sizeHint().height()};
    }
    return {0, 0};
}

void WindowFrame::applySize()
{
    if (!m_clientSize.isValid())
        return;
    const QSize extra = extraSize();
    if (m_fixed) {
        m_window->setFixedSize(m_clientSize + extra);
        return;
    }
    m_window->setMinimumSize(m_minimumClientSize + extra);
    m_window->resize(m_clientSize + extra);
}

// The frame the window system puts around the window. Before a window is first shown it
// has none yet; the frames of the windows already on screen tell what it will be.
QMargins WindowFrame::frameMargins() const
{
    const auto marginsOf = [](const QWidget* w) {
        const QRect frame = w->frameGeometry();
        const QRect inside = w->geometry();
        return QMargins(inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
                        frame.bottom() - inside.bottom());
    };
    if (m_window->isVisible())
        return marginsOf(m_window);
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != m_window && other->isVisible() && other->isWindow() && !(other->windowFlags() & Qt::Popup)) {
            const QMargins margins = marginsOf(other);
            if (!margins.isNull())
                return margins;
        }
    }
    return {};
}

QRect WindowFrame::available() const
{
    const QScreen* screen = m_anchor ? m_anchor->screen() : m_window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void WindowFrame::beforeShowing()
{
    if (m_placed)
        return; // shown again: where the user left it
    m_placed = true;
    applySize(); // a main window's menu bar may have come since the size was set
    const QRect area = available();
    if (area.isEmpty())
        return;
    const QMargins margins = frameMargins();
    const QSize frameSize = m_window->size().grownBy(margins);
    QRect frame = m_anchor && m_anchor->isVisible()
                      ? WindowPlacement::beside(frameSize, m_anchor->frameGeometry(), area)
                      : WindowPlacement::centred(frameSize, area);
    frame = WindowPlacement::keptOnScreen(frame, area, !m_fixed, m_window->minimumSize().grownBy(margins));
    m_window->resize(frame.size().shrunkBy(margins));
    m_window->move(frame.topLeft());
}

void WindowFrame::shown()
{
    // The window system may frame the window otherwise than foreseen; once it has done so,
    // the whole frame is brought on screen where it is not.
    QTimer::singleShot(0, m_window, [this] { keepOnScreen(); });
}

void WindowFrame::keepOnScreen()
{
    if (!m_window->isVisible())
        return;
    const QRect area = available();
    const QRect frame = m_window->frameGeometry();
    const QMargins margins = frameMargins();
    const QRect kept = WindowPlacement::keptOnScreen(frame, area, !m_fixed, m_window->minimumSize().grownBy(margins));
    if (area.isEmpty() || kept == frame)
        return;
    if (kept.size() != frame.size())
        m_window->resize(kept.size().shrunkBy(margins));
    m_window->move(kept.topLeft());
}

bool WindowFrame::keyPressed(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (!m_closesOnEscape)
            return false;
        m_window->close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // The focused button is pressed, as with Space, also outside dialogs.
        auto* button = qobject_cast<QAbstractButton*>(m_window->focusWidget());
        if (!button || button->isCheckable() || !button->isEnabled())
            return false;
        button->click();
        return true;
    }
    default:
        return false;
    }
}

void WindowFrame::stateChanged()
{
    const Qt::WindowFlags flags = m_window->windowFlags();
    const bool maximizable = !m_fixed && (!(flags & Qt::CustomizeWindowHint) || (flags & Qt::WindowMaximizeButtonHint));
    const Qt::WindowStates refused = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (maximizable || !(m_window->windowState() & refused))
        return;
    // A window without a maximize button keeps its size, whatever the window manager offers.
    QTimer::singleShot(0, m_window,
                       [window = m_window, refused] { window->setWindowState(window->windowState() & ~refused); });
}
