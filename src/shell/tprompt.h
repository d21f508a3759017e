#pragma once

#include "window.h"

#include <QDialog>

#include <chrono>

class QLabel;
class QTimer;

// The splash window shown before the main window: a picture, the main window's caption and
// the maker's line. It closes by its timer, counted from its creation at start-up, or at
// the first key pressed while it is active, never by a click, and it destroys itself when
// it closes, so it is seen once per run.
class TPrompt : public Window<QDialog>
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds lifetime{6800};

    explicit TPrompt(std::chrono::milliseconds closeAfter = lifetime, QWidget* parent = nullptr);
    ~TPrompt() override;

    QLabel* Image1; // the picture, 461 by 60 at (1, 1); empty when the picture is missing
    QLabel* Label1; // the main window's caption, bold, bottom left
    QLabel* Label2; // "Vesmark Software", right-aligned, bottom right
    QTimer* Timer1; // closes the window; started at creation, not at showing

    // The picture shown in place of an animation, compiled into the program.
    static QString picturePath() { return QStringLiteral(":/splash/promt.png"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The splash window while it exists; null before start-up and once it has closed.
extern TPrompt* Prompt;
