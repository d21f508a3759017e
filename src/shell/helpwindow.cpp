#include "helpwindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : Window<QWidget>(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tallyfield Help"));
    frame().setClientSize({620, 480}, {320, 240});
    frame().setClosesOnEscape(true);

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    // The pages link only to each other; a link out of the help folder is not followed.
    m_browser->setOpenExternalLinks(false);

    QAction* contents = toolBar->addAction(QStringLiteral("Contents"));
    contents->setObjectName(QStringLiteral("HelpContents"));
    connect(contents, &QAction::triggered, this, [this] { openPage(contentsPage()); });
    QAction* index = toolBar->addAction(QStringLiteral("Index"));
    index->setObjectName(QStringLiteral("HelpIndex"));
    connect(index, &QAction::triggered, this, [this] { openPage(indexPage()); });
    toolBar->addSeparator();
    m_back = toolBar->addAction(QStringLiteral("Back"));
    m_back->setObjectName(QStringLiteral("HelpBack"));
    m_back->setEnabled(false);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    m_forward = toolBar->addAction(QStringLiteral("Forward"));
    m_forward->setObjectName(QStringLiteral("HelpForward"));
    m_forward->setEnabled(false);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_browser);
}

QString HelpWindow::currentHelpFolder()
{
    return QDir::current().filePath(QStringLiteral("Help"));
}

bool HelpWindow::openContents(const QString& helpFolder, const QString& page)
{
    const QFileInfo contents(QDir(helpFolder).filePath(page));
    if (!contents.isFile())
        return false;
    const bool otherFolder = m_folder != contents.absolutePath();
    m_folder = contents.absolutePath();
    openPage(page);
    // Another folder's help: there is no way back into the old folder's pages.
    if (otherFolder)
        m_browser->clearHistory();
    return true;
}

void HelpWindow::openPage(const QString& page)
{
    if (m_folder.isEmpty())
        return;
    m_browser->setSource(QUrl::fromLocalFile(QDir(m_folder).filePath(page)));
}
