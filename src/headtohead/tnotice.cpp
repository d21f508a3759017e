#include "tnotice.h"

#include "appfont.h"
#include "glyphs.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TNotice* Notice = nullptr;

TNotice::TNotice(QWidget* parent) : QWidget(parent)
{
    Notice = this;
    setWindowTitle(QStringLiteral("Notes"));
    setFont(AppFont::sansSerif(8));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    // An open notes window does not keep the program running once the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(324, 259);
    // Centred on the screen once, before it is first shown: moving a window of fixed size
    // while it is being shown leaves it unpainted on some X servers.
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));

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

    connect(ToolButton1, &QToolButton::clicked, this, &TNotice::ToolButton1Click);
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

void TNotice::ToolButton1Click()
{
    Memo1->clear();
}
