#include "tprompt.h"

#include "tmain.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

TPrompt* Prompt = nullptr;

namespace {
constexpr int clientWidth = 463;
constexpr int clientHeight = 88;
constexpr int textTop = 72;
constexpr int makerRightEdge = 459;
} // namespace

TPrompt::TPrompt(std::chrono::milliseconds closeAfter, QWidget* parent)
    : Window<QDialog>(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    Prompt = this;
    setObjectName(QStringLiteral("Prompt"));
    setAttribute(Qt::WA_DeleteOnClose);
    frame().setFixedClientSize({clientWidth, clientHeight});

    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(1, 1, clientWidth - 2, 60);
    Image1->setAlignment(Qt::AlignCenter);
    const QPixmap picture(picturePath());
    if (!picture.isNull())
        Image1->setPixmap(picture);

    Label1 = new QLabel(this);
    QFont bold = font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->move(2, textTop);

    Label2 = new QLabel(QStringLiteral("Vesmark Software"), this);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label2->adjustSize();
    Label2->move(makerRightEdge - Label2->width(), textTop);

    // A key pressed anywhere in the window closes it, before any control sees the key.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    Timer1 = new QTimer(this);
    NAME_CONTROLS(Image1, Label1, Label2, Timer1);
    Timer1->setSingleShot(true);
    Timer1->setInterval(closeAfter);
    connect(Timer1, &QTimer::timeout, this, &QWidget::close);
    Timer1->start();
}

TPrompt::~TPrompt()
{
    if (Prompt == this)
        Prompt = nullptr;
}

bool TPrompt::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        close();
        return true;
    }
    return Window<QDialog>::eventFilter(watched, event);
}

void TPrompt::showEvent(QShowEvent* event)
{
    Label1->setText(Main ? Main->windowTitle() : QString());
    Label1->adjustSize();
    Window<QDialog>::showEvent(event);
}

void TPrompt::paintEvent(QPaintEvent* event)
{
    Window<QDialog>::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
