#include "tabout.h"

#include "databasesummary.h"
#include "datamodule.h"
#include "tmain.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <cmath>

TAbout* About = nullptr;

namespace {

constexpr int kClientWidth = 446;
constexpr int kClientHeight = 329;

void setLinkColour(QLabel* link, const QColor& colour)
{
    QPalette pal = link->palette();
    pal.setColor(QPalette::WindowText, colour);
    link->setPalette(pal);
}

// The program's picture: a football, drawn so that it needs no file.
QPixmap ballPicture()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(32, 32, 32), 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 3, 42, 42));
    const QPointF centre(24, 24);
    QPolygonF pentagon;
    for (int i = 0; i < 5; ++i) {
        const double angle = (-90 + i * 72) * 3.14159265358979 / 180.0;
        pentagon << centre + QPointF(8 * std::cos(angle), 8 * std::sin(angle));
    }
    p.setBrush(QColor(32, 32, 32));
    p.drawPolygon(pentagon);
    for (const QPointF& corner : pentagon)
        p.drawLine(corner, centre + (corner - centre) * 2.6);
    return pixmap;
}

} // namespace

TAbout::TAbout(QWidget* parent) : Window<QDialog>(parent, kDialogTitleBar)
{
    About = this;
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About"));
    frame().setFixedClientSize({kClientWidth, kClientHeight});
    frame().setClosesOnEscape(true);

    Image1 = new QLabel(this);
    Image1->setPixmap(ballPicture());
    Image1->setGeometry(8, 8, 48, 48);
    Label1 = new QLabel(QString::fromUtf8("Название"), this);
    QFont titleFont = Label1->font();
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setGeometry(68, 20, kClientWidth - 76, 24);

    GroupBox1 = new QGroupBox(QStringLiteral("Training movie"), this);
    GroupBox1->setGeometry(8, 64, kClientWidth - 16, 76);
    HyperLink1 = makeLink(QStringLiteral("VS statistics"), GroupBox1, 16, 20);
    HyperLink2 = makeLink(QStringLiteral("Team info"), GroupBox1, 16, 36);
    HyperLink3 = makeLink(QStringLiteral("League table and games"), GroupBox1, 16, 52);

    Label4 = new QLabel(QStringLiteral("Web site:"), this);
    Label4->move(16, 150);
    Label4->resize(Label4->sizeHint());
    HyperLink4 = makeLink(QString(), this, 16 + Label4->width() + 6, 150);

    Label3 = new QLabel(QString::fromUtf8("База данных:"), this);
    Label3->move(8, 180);
    Label3->resize(Label3->sizeHint());
    Button2 = new QPushButton(QStringLiteral("DB analysis"), this);
    Button2->setGeometry(8, 176, 100, 25);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFont(QFont(QStringLiteral("Verdana"), 8));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // long lines wrap
    Memo1->setGeometry(6, 200, 433, 73);
    Memo1->hide();

    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(6, kClientHeight - 44, kClientWidth - 12, 4);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(kClientWidth - 88, kClientHeight - 33, 80, 25);
    Button1->setDefault(true);

    NAME_CONTROLS(Image1, Label1, GroupBox1, HyperLink1, HyperLink2, HyperLink3, Label4, HyperLink4, Label3, Button2,
                  Memo1, Bevel1, Button1);
    connectHandler(Button1, &QPushButton::clicked, &TAbout::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, &TAbout::Button2Click);
}

TAbout::~TAbout()
{
    if (About == this)
        About = nullptr;
}

QLabel* TAbout::makeLink(const QString& caption, QWidget* parent, int x, int y)
{
    auto* link = new QLabel(caption, parent);
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    link->setCursor(Qt::PointingHandCursor);
    link->move(x, y);
    link->resize(link->sizeHint());
    link->installEventFilter(this);
    return link;
}

void TAbout::setWebSite(const QString& address, std::function<void()> open)
{
    HyperLink4->setText(address);
    HyperLink4->resize(HyperLink4->sizeHint());
    m_openWebSite = std::move(open);
}

QString TAbout::moviePath(const QString& page)
{
    return QDir::current().filePath(QStringLiteral("Movie/") + page);
}

void TAbout::showEvent(QShowEvent* event)
{
    Window<QDialog>::showEvent(event);
    if (!event->spontaneous())
        Dialogs::runHandler([this] { FormShow(); }, this);
}

// The links turn blue while the mouse is over them or presses them, and open their target
// when the left button is released over them.
bool TAbout::eventFilter(QObject* watched, QEvent* event)
{
    for (QLabel* link : {HyperLink1, HyperLink2, HyperLink3, HyperLink4}) {
        if (watched != link)
            continue;
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseButtonPress:
            setLinkColour(link, Qt::blue);
            break;
        case QEvent::Leave:
            setLinkColour(link, palette().color(QPalette::WindowText));
            break;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || !link->rect().contains(mouse->position().toPoint()))
                return true;
            void (TAbout::*click)() = link == HyperLink1   ? &TAbout::HyperLink1Click
                                      : link == HyperLink2 ? &TAbout::HyperLink2Click
                                      : link == HyperLink3 ? &TAbout::HyperLink3Click
                                                           : &TAbout::HyperLink4Click;
            Dialogs::runHandler([this, click] { (this->*click)(); }, this);
            return true;
        }
        default:
            break;
        }
    }
    return Window<QDialog>::eventFilter(watched, event);
}

void TAbout::FormShow()
{
    if (Main)
        Label1->setText(Main->windowTitle());
}

void TAbout::Button1Click()
{
    accept();
}

void TAbout::Button2Click()
{
    m_summary = DatabaseSummary::compute(loadedDataModule());
    Memo1->setPlainText(QString(m_summary).replace(QChar(13), QLatin1Char('\n')).trimmed());
    Button2->hide();
    Memo1->show();
}

void TAbout::openMovie(const QString& page)
{
    const QString path = moviePath(page);
    if (!QFileInfo(path).isFile()) {
        Dialogs::error(QStringLiteral("The training movie \"%1\" cannot be found. Tallyfield looks for its training "
                                      "movies in the folder Movie in the folder it was started in.")
                           .arg(QDir::toNativeSeparators(path)),
                       this);
        return;
    }
    if (!Dialogs::openWithDesktop(path))
        Dialogs::error(
            QStringLiteral("The training movie \"%1\" could not be opened.").arg(QDir::toNativeSeparators(path)), this);
}

void TAbout::HyperLink1Click()
{
    openMovie(QStringLiteral("VS.htm"));
}

void TAbout::HyperLink2Click()
{
    openMovie(QStringLiteral("Teams.htm"));
}

void TAbout::HyperLink3Click()
{
    openMovie(QStringLiteral("Turtable.htm"));
}

void TAbout::HyperLink4Click()
{
    if (m_openWebSite)
        m_openWebSite();
}
