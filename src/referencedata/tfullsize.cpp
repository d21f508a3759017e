#include "tfullsize.h"

#include "datamodule.h"
#include "dbfield.h"
#include "dbimage.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

TFullSize* FullSize = nullptr;

namespace {

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 437;
constexpr int kTop = 40;     // the band with the name and the capacity
constexpr int kButtons = 60; // the column of the four buttons right of the photo
constexpr int kButton = 25;

// The stadium's name in a decorative face: the one the window was drawn with where it is
// installed, else a script face that often is, else what the system offers for decoration.
QFont nameFont(const QFont& base)
{
    QFont font = base;
    font.setFamilies({QStringLiteral("Blackadder ITC"), QStringLiteral("Z003"), QStringLiteral("URW Chancery L"),
                      QStringLiteral("TeX Gyre Chorus"), QStringLiteral("Comic Neue")});
    font.setStyleHint(QFont::Decorative);
    font.setPointSize(20);
    return font;
}

} // namespace

TFullSize::TFullSize(QWidget* parent) : Window<QDialog>(parent, Qt::Tool)
{
    FullSize = this;
    setObjectName(QStringLiteral("FullSize"));
    setWindowTitle(QStringLiteral("Stadium"));
    frame().setClientSize({kClientWidth, kClientHeight}, {kButtons + 200, kTop + 2 * kButton + 20});
    frame().setClosesOnEscape(true);

    DBText1 = new DBText(this);
    DBText1->setDataField(QStringLiteral("Stadium"));
    DBText1->setFont(nameFont(font()));
    DBText1->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel(QStringLiteral("Capacity:"), this);
    DBText2 = new DBText(this);
    DBText2->setDataField(QStringLiteral("Capacity"));
    DBImage1 = new DBImage(this);
    DBImage1->setDataField(QStringLiteral("LogoStadium1"));
    DBImage1->setBorder(true);

    QPushButton* buttons[4];
    for (int n = 0; n < 4; ++n) {
        buttons[n] = new QPushButton(QString::number(n + 1), this);
        buttons[n]->setCursor(Qt::PointingHandCursor);
        buttons[n]->resize(kButton, kButton);
        connectHandler(buttons[n], &QPushButton::clicked, [this, n] { ButtonClick(n + 1); });
    }
    Button1 = buttons[0];
    Button2 = buttons[1];
    Button3 = buttons[2];
    Button4 = buttons[3];
    NAME_CONTROLS(DBText1, Label1, DBText2, DBImage1, Button1, Button2, Button3, Button4);
    resize(kClientWidth, kClientHeight);
    arrange();
}

TFullSize::~TFullSize()
{
    if (FullSize == this)
        FullSize = nullptr;
}

void TFullSize::connectDataModule()
{
    if (m_connected)
        return;
    TDataModule1& m = loadedDataModule();
    m_connected = true;
    for (DBText* text : {DBText1, DBText2})
        text->setDataSource(m.DataSourceStadium);
    DBImage1->setDataSource(m.DataSourceStadium);
}

QPushButton* TFullSize::button(int n) const
{
    QPushButton* const buttons[] = {Button1, Button2, Button3, Button4};
    return n >= 1 && n <= 4 ? buttons[n - 1] : nullptr;
}

// The name across the top, the capacity at the top right, the photo filling the rest with
// the buttons to its right: "1" "2" over "3" "4".
void TFullSize::arrange()
{
    const int w = width();
    const int h = height();
    DBText1->setGeometry(0, 4, w, kTop - 8);
    const int capacityWidth = 70;
    DBText2->setGeometry(w - capacityWidth - 4, 4, capacityWidth, 16);
    Label1->resize(Label1->sizeHint());
    Label1->move(DBText2->x() - Label1->width() - 4, 4);
    DBImage1->setGeometry(4, kTop, w - kButtons - 8, h - kTop - 4);
    const int left = w - kButtons + 2;
    for (int n = 1; n <= 4; ++n)
        button(n)->move(left + ((n - 1) % 2) * (kButton + 4), kTop + ((n - 1) / 2) * (kButton + 4));
}

void TFullSize::resizeEvent(QResizeEvent* event)
{
    Window<QDialog>::resizeEvent(event);
    arrange();
}

void TFullSize::showEvent(QShowEvent* event)
{
    Window<QDialog>::showEvent(event);
    if (!event->spontaneous())
        Dialogs::runHandler([this] { FormShow(); }, this);
}

void TFullSize::FormShow()
{
    connectDataModule();
    const int focused = m_focusedThumbnail ? m_focusedThumbnail() : 0;
    if (focused >= 1 && focused <= 4)
        ButtonClick(focused);
}

void TFullSize::ButtonClick(int n)
{
    for (int other = 1; other <= 4; ++other)
        button(other)->setDefault(other == n);
    m_photo = n;
    DBImage1->setDataField(QStringLiteral("LogoStadium%1").arg(n));
}
