#pragma once

#include "window.h"

#include <QWidget>

class QPlainTextEdit;
class QToolBar;
class QToolButton;

// The notes window: a text the user collects head-to-head records in; it lives in memory
// for the run. A modeless window of fixed size; closing it (also with Escape) hides it and
// keeps the text. It is placed beside the window given to placeBeside, else centred.
class TNotice : public Window<QWidget>
{
    Q_OBJECT

public:
    explicit TNotice(QWidget* parent = nullptr);
    ~TNotice() override;

    // Adds the text as a new line at the end of the notes. A carriage return inside it
    // starts a further line.
    void addLine(const QString& text);
    // The notes as the user sees them, lines separated by line feeds.
    QString text() const;
    // Shows the window (modeless) and brings it to the front.
    void showNotes();
    // Adds the lines at the end of the notes and shows the window ("Add to note").
    void addNote(const QStringList& lines);
    // Placed beside this window when first shown.
    void placeBeside(QWidget* window) { frame().setAnchor(window); }

    // "Clear": empties the notes; Ctrl+Z brings the text back.
    void ToolButton1Click();

    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QPlainTextEdit* Memo1;
};

// The one notes window of the program; null before it is made.
extern TNotice* Notice;
