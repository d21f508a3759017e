#include "tnotice.h"

#include "glyphs.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TNotice* Notice = nullptr;

TNotice::TNotice(QWidget* parent)
    : Window<QWidget>(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                                  Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    Notice = this;
    setWindowTitle(QStringLiteral("Notes"));
    // An open notes window does not keep the program running once the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    frame().setFixedClientSize({324, 259});
    frame().setClosesOnEscape(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setFixedHeight(29);
    ToolBar1->setMovable(false);
    ToolButton1 = new QToolButton(ToolBar1);
    ToolButton1->setIcon(Glyphs::clear());
    ToolButton1->setToolTip(QStringLiteral("Clear"));
    ToolButton1->setAutoRaise(true);
    ToolBar1->addWidget(ToolButton1);
    layout->addWidget(ToolBar1);

    Memo1 = new QPlainTextEdit(this);
    layout->addWidget(Memo1);

    NAME_CONTROLS(ToolBar1, ToolButton1, Memo1);
    connectHandler(ToolButton1, &QToolButton::clicked, &TNotice::ToolButton1Click);
}

TNotice::~TNotice()
{
    if (Notice == this)
        Notice = nullptr;
}

void TNotice::addLine(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Memo1->appendPlainText(lines);
}

QString TNotice::text() const
{
    return Memo1->toPlainText();
}

void TNotice::showNotes()
{
    show();
    raise();
    activateWindow();
}

void TNotice::addNote(const QStringList& lines)
{
    for (const QString& line : lines)
        addLine(line);
    showNotes();
}

void TNotice::ToolButton1Click()
{
    // Removed as an edit, not reset, so that Ctrl+Z brings the text back.
    QTextCursor cursor(Memo1->document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
}
