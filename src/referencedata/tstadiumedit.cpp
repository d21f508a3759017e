#include "tstadiumedit.h"

#include "datamodule.h"
#include "dbgrid.h"
#include "dbimage.h"
#include "dblookupcombobox.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

TStadiumEdit* StadiumEdit = nullptr;

namespace {

constexpr int kClientWidth = 753;
constexpr int kClientHeight = 370;
constexpr int kPhoto = 130;

} // namespace

TStadiumEdit::TStadiumEdit(QWidget* parent)
    : ReferenceEditor(QStringLiteral("StadiumEdit"), QString::fromUtf8("Редактор стадионов"), kDialogTitleBar, parent)
{
    StadiumEdit = this;
    frame().setFixedClientSize({kClientWidth, kClientHeight});
    addSearch(162, QString());

    Label1 = label(QString::fromUtf8("Страна"), 8, 12);
    DBLookupComboBox1 = chooser(QStringLiteral("Country"), 60, 8, 180);
    ToolBar1->setGeometry(0, 38, kClientWidth, 29);

    const int gridTop = 70;
    const int photosLeft = kClientWidth - 2 * (kPhoto + 12) - 4;
    DBGrid1 = new DBGrid(this);
    DBGrid1->setColumns({{.field = QStringLiteral("Code")},
                         {.field = QStringLiteral("Stadium"), .width = 200},
                         {.field = QStringLiteral("Capacity"), .displayFormat = QStringLiteral("### ###")},
                         {.field = QStringLiteral("Country")}});
    DBGrid1->setGeometry(4, gridTop, photosLeft - 8, kClientHeight - gridTop - 4);

    // The four photos in two rows, each with its label and its "Удалить" beside the label.
    DBImage* photos[4];
    QLabel* labels[4];
    QPushButton* buttons[4];
    for (int n = 0; n < 4; ++n) {
        const int x = photosLeft + (n % 2) * (kPhoto + 12);
        const int y = gridTop + (n / 2) * (kPhoto + 28);
        labels[n] = label(QString::fromUtf8("Фото%1").arg(n + 1), x, y + 4);
        buttons[n] = new QPushButton(QString::fromUtf8("Удалить"), this);
        buttons[n]->setGeometry(x + kPhoto - 60, y, 60, 22);
        photos[n] = picture(QStringLiteral("LogoStadium%1").arg(n + 1), {x, y + 24, kPhoto, kPhoto});
        connectHandler(buttons[n], &QPushButton::clicked, [this, n] { DeletePhotoClick(n + 1); });
    }
    DBImage1 = photos[0];
    DBImage2 = photos[1];
    DBImage3 = photos[2];
    DBImage4 = photos[3];
    Label2 = labels[0];
    Label3 = labels[1];
    Label4 = labels[2];
    Label5 = labels[3];
    Button1 = buttons[0];
    Button2 = buttons[1];
    Button3 = buttons[2];
    Button4 = buttons[3];

    NAME_CONTROLS(Label1, DBLookupComboBox1, DBGrid1, DBImage1, DBImage2, DBImage3, DBImage4, Label2, Label3, Label4,
                  Label5, Button1, Button2, Button3, Button4);
    connectHandler(ToolButton6, &QToolButton::clicked, &TStadiumEdit::ToolButton6Click);
    connectHandler(DBGrid1, &DBGrid::dblClick, &TStadiumEdit::DBGrid1DblClick);
}

TStadiumEdit::~TStadiumEdit()
{
    if (StadiumEdit == this)
        StadiumEdit = nullptr;
}

TableView& TStadiumEdit::editedView()
{
    return *loadedDataModule().TableStadium;
}

void TStadiumEdit::bindControls()
{
    TDataModule1& m = loadedDataModule();
    DBLookupComboBox1->setListSource(m.DataSourceCountry);
    DBGrid1->setDataSource(m.DataSourceStadium);
    for (DBImage* photo : {DBImage1, DBImage2, DBImage3, DBImage4})
        photo->setDataSource(m.DataSourceStadium);
}

void TStadiumEdit::ToolButton6Click()
{
    search(QStringLiteral("Stadium"));
}

// The photo is emptied in the record being edited; the stadium is written when it is
// posted, by the confirm button or by moving to another stadium.
void TStadiumEdit::DeletePhotoClick(int photo)
{
    TableView& stadiums = editedView();
    if (stadiums.state() == TableView::State::Browse)
        stadiums.edit();
    stadiums.clearValue(QStringLiteral("LogoStadium%1").arg(photo));
}

void TStadiumEdit::DBGrid1DblClick()
{
    if (m_pick)
        m_pick();
}

void TStadiumEdit::askToClose()
{
    QTimer::singleShot(0, this, [this] { reject(); });
}
