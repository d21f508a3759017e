#pragma once

#include "window.h"

#include <QWidget>

class QAction;
class QTextBrowser;

// The help of Tallyfield: HTML pages in a folder Help, read from disk each time they are
// opened, so that the help of the folder the program runs in is the one shown. Escape
// closes it.
class HelpWindow : public Window<QWidget>
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    static QString contentsPage() { return QStringLiteral("contents.htm"); }
    static QString indexPage() { return QStringLiteral("keyword-index.htm"); }

    // The folder Help of the current working directory, looked up anew on every call.
    static QString currentHelpFolder();

    // Shows a page (the contents page unless another is named) of the help in the folder.
    // Returns false, changing nothing, when the folder holds no such page.
    bool openContents(const QString& helpFolder, const QString& page = contentsPage());

    QString helpFolder() const { return m_folder; }
    QTextBrowser* browser() const { return m_browser; }

private:
    void openPage(const QString& page);

    QString m_folder;
    QTextBrowser* m_browser;
    QAction* m_back;
    QAction* m_forward;
};
