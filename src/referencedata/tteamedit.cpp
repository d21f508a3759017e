#include "tteamedit.h"

#include "datamodule.h"
#include "dbgrid.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "teamcodes.h"
#include "tstadiumedit.h"

#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

TTeamEdit* TeamEdit = nullptr;

namespace {

constexpr int kClientWidth = 965;
constexpr int kClientHeight = 583;
constexpr int kLogo = 185;
constexpr int kGridTop = 70;

} // namespace

TTeamEdit::TTeamEdit(QWidget* parent)
    : ReferenceEditor(QStringLiteral("TeamEdit"), QString::fromUtf8("Редактор команд"), Qt::Tool, parent)
{
    TeamEdit = this;
    frame().setClientSize({kClientWidth, kClientHeight}, {kLogo + 320, 320});
    addSearch(154, QString::fromUtf8("Поиск по короткому названию"));

    Label1 = label(QString::fromUtf8("Страна"), 8, 12);
    DBLookupComboBox1 = chooser(QStringLiteral("Country"), 60, 8, 180);
    Label2 = label(QString::fromUtf8("Дивизион"), 256, 12);
    DBLookupComboBox2 = chooser(QStringLiteral("Division"), 320, 8, 180);

    DBGrid1 = new DBGrid(this);
    DBGrid1->setColumns({{.field = QStringLiteral("Code")},
                         {.field = QStringLiteral("Team"), .width = 200},
                         {.field = QStringLiteral("ShortName"), .width = 150},
                         {.field = QStringLiteral("City"), .width = 150},
                         {.field = QStringLiteral("Division")},
                         {.field = QStringLiteral("Stadium"), .ellipsis = true}});
    Label3 = new QLabel(QString::fromUtf8("Логотип"), this);
    DBImage1 = picture(QStringLiteral("Logo"), {0, 0, kLogo, kLogo});
    Button1 = new QPushButton(QString::fromUtf8("Удалить"), this);
    Label4 = new QLabel(QString::fromUtf8("Кол-во команд:"), this);
    Button2 = new QPushButton(QStringLiteral("!"), this);
    Button2->setToolTip(QString::fromUtf8("Добавить номер в тур. таблицу"));
    Button2->setVisible(false);

    NAME_CONTROLS(Label1, DBLookupComboBox1, Label2, DBLookupComboBox2, DBGrid1, Label3, DBImage1, Button1, Label4,
                  Button2);
    connectHandler(DBLookupComboBox2, &DBLookupComboBox::closeUp, &TTeamEdit::DBLookupComboBox2CloseUp);
    connectHandler(ToolButton6, &QToolButton::clicked, &TTeamEdit::ToolButton6Click);
    connectHandler(DBGrid1, &DBGrid::editButtonClick, &TTeamEdit::DBGrid1EditButtonClick);
    connectHandler(Button1, &QPushButton::clicked, &TTeamEdit::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, &TTeamEdit::Button2Click);
    resize(kClientWidth, kClientHeight);
}

TTeamEdit::~TTeamEdit()
{
    if (TeamEdit == this)
        TeamEdit = nullptr;
}

// The grid stretches with the window's height; the emblem and its button stay at the
// right, the count label at the bottom left.
void TTeamEdit::resizeEvent(QResizeEvent* event)
{
    ReferenceEditor::resizeEvent(event);
    const int w = width();
    const int h = height();
    ToolBar1->setGeometry(0, 38, w, 29);
    const int logoLeft = w - kLogo - 8;
    DBGrid1->setGeometry(4, kGridTop, logoLeft - 12, h - kGridTop - 28);
    Label3->move(logoLeft, kGridTop);
    Label3->resize(Label3->sizeHint());
    DBImage1->move(logoLeft, kGridTop + 20);
    Button1->setGeometry(logoLeft, kGridTop + 24 + kLogo, 75, 25);
    Button2->setGeometry(logoLeft + kLogo - 25, kGridTop + 24 + kLogo, 25, 25);
    Label4->move(8, h - 22);
    Label4->resize(qMax(Label4->sizeHint().width(), 200), Label4->sizeHint().height());
}

TableView& TTeamEdit::editedView()
{
    return *loadedDataModule().TableTeam;
}

void TTeamEdit::bindControls()
{
    TDataModule1& m = loadedDataModule();
    DBLookupComboBox1->setListSource(m.DataSourceCountry);
    DBLookupComboBox2->setListSource(m.DataSourceDivision);
    DBGrid1->setDataSource(m.DataSourceTeam);
    DBImage1->setDataSource(m.DataSourceTeam);
}

// The count follows the competition chosen here, not the adding and deleting after it.
void TTeamEdit::DBLookupComboBox2CloseUp()
{
    TableView& teams = editedView();
    Label4->setText(QString::fromUtf8("Кол-во команд: ") + QString::number(teams.isEmpty() ? 0 : teams.recordCount()));
    Label4->resize(qMax(Label4->sizeHint().width(), 200), Label4->sizeHint().height());
}

void TTeamEdit::ToolButton6Click()
{
    search(QStringLiteral("ShortName"));
}

void TTeamEdit::DBGrid1EditButtonClick()
{
    TDataModule1& m = loadedDataModule();
    const QVariant stadium = m.TableTeam->value(QStringLiteral("Stadium"));
    if (!stadium.isNull())
        m.TableStadium->locate(QStringLiteral("Code"), stadium);
    if (StadiumEdit)
        Dialogs::execModal(*StadiumEdit);
}

void TTeamEdit::StadiumPicked()
{
    if (!isVisible())
        return;
    TDataModule1& m = loadedDataModule();
    TableView& teams = *m.TableTeam;
    if (teams.state() == TableView::State::Browse)
        teams.edit();
    teams.setValue(QStringLiteral("Stadium"), m.TableStadium->value(QStringLiteral("Code")));
    if (StadiumEdit)
        StadiumEdit->askToClose();
    teams.post();
}

// The emptied emblem is written at once.
void TTeamEdit::Button1Click()
{
    TableView& teams = editedView();
    if (teams.state() == TableView::State::Browse)
        teams.edit();
    teams.clearValue(QStringLiteral("Logo"));
    teams.post();
}

void TTeamEdit::Button2Click()
{
    TeamCodes::fillIntoSeasonTables(loadedDataModule());
}
