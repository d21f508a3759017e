#pragma once

#include "dialogs.h"

#include <QEvent>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <initializer_list>

class QKeyEvent;

// Where a window goes on the screen: plain arithmetic on frame rectangles, so that it can
// be checked without a screen.
namespace WindowPlacement {

// The frame centred on the available area.
QRect centred(QSize frame, const QRect& available);
// The frame to the right of the anchor's frame, top edges level; to its left when there
// is no room on the right; over it when there is room on neither side.
QRect beside(QSize frame, const QRect& anchor, const QRect& available);
// The frame moved, and where it may shrink made smaller (down to minimum), so that it
// lies wholly on the available area. Where it cannot fit, its top left corner stays on
// the screen, so that its title bar and menu can always be reached.
QRect keptOnScreen(QRect frame, const QRect& available, bool mayShrink, QSize minimum);

} // namespace WindowPlacement

// What every window of the program has in common, whatever kind of Qt window it is made
// of (see Window below): the program's font, a client area of fixed or minimum size,
// its place before it is first shown (centred on the screen, or beside another window)
// with the whole frame kept on screen, and its keys: Enter presses the focused button,
// Escape closes the window where it is asked to. A window without a maximize button
// cannot be maximized either (a window manager may offer it on a double click).
class WindowFrame
{
public:
    explicit WindowFrame(QWidget* window);

    // The size of the area inside the frame, below a main window's menu bar.
    void setClientSize(QSize initial, QSize minimum);
    void setFixedClientSize(QSize size);
    QSize clientSize() const { return m_clientSize; }

    void setClosesOnEscape(bool closes) { m_closesOnEscape = closes; }
    // Placed beside this window instead of centred on the screen.
    void setAnchor(QWidget* anchor) { m_anchor = anchor; }

    // Moves the window, and shrinks it where it may, so that its whole frame is on screen.
    void keepOnScreen();

    // Called by Window from the window's own event handlers.
    void beforeShowing();
    void shown();
    bool keyPressed(QKeyEvent* event);
    void stateChanged();

private:
    void applySize();
    QSize extraSize() const; // what the window holds besides its client area (a menu bar)
    QMargins frameMargins() const;
    QRect available() const;

    QWidget* m_window;
    QPointer<QWidget> m_anchor;
    QSize m_clientSize;
    QSize m_minimumClientSize;
    bool m_fixed = false;
    bool m_placed = false;
    bool m_closesOnEscape = false;
};

// "Button1, Label1" and the objects in that order: each object gets its name.
void nameObjects(const char* names, std::initializer_list<QObject*> objects);

// The base of the program's windows: a QWidget, QDialog or QMainWindow with a WindowFrame.
//
// Handlers are connected with connectHandler, so that an error a handler raises is shown
// in the error box over this window, once, and the program goes on. NAME_CONTROLS names
// the window's controls after their members, so that tests can find them.
// The title bar of the program's dialog windows: a title, the system menu and the close
// button only.
inline const Qt::WindowFlags kDialogTitleBar =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

template <class Base> class Window : public Base
{
public:
    explicit Window(QWidget* parent = nullptr, Qt::WindowFlags flags = {}) : Base(parent, flags), m_frame(this) {}

    WindowFrame& frame() { return m_frame; }

    template <class Sender, class Signal, class Owner>
    QMetaObject::Connection connectHandler(const Sender* sender, Signal signal, void (Owner::*handler)())
    {
        Owner* owner = static_cast<Owner*>(this);
        return Dialogs::connectHandler(sender, signal, this, [owner, handler] { (owner->*handler)(); });
    }
    template <class Sender, class Signal>
    QMetaObject::Connection connectHandler(const Sender* sender, Signal signal, std::function<void()> handler)
    {
        return Dialogs::connectHandler(sender, signal, this, std::move(handler));
    }

    // Gives each object the name it is listed with; see NAME_CONTROLS.
    void nameControls(const char* names, std::initializer_list<QObject*> controls) { nameObjects(names, controls); }

    void setVisible(bool visible) override
    {
        if (visible && !this->isVisible())
            m_frame.beforeShowing();
        Base::setVisible(visible);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        Base::showEvent(event);
        m_frame.shown();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!m_frame.keyPressed(event))
            Base::keyPressEvent(event);
    }
    void changeEvent(QEvent* event) override
    {
        Base::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange)
            m_frame.stateChanged();
    }

private:
    WindowFrame m_frame;
};

// Names the listed members of a window after themselves: NAME_CONTROLS(Button1, Label1).
#define NAME_CONTROLS(...) this->nameControls(#__VA_ARGS__, {__VA_ARGS__})
