#include "tturtableedit.h"

#include "datamodule.h"
#include "dbfield.h"
#include "dbgrid.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "glyphs.h"
#include "seasontable.h"
#include "shape.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

TTurTableEdit* TurTableEdit = nullptr;

namespace {

constexpr int kClientWidth = 874;
constexpr int kClientHeight = 461;
constexpr int kBandHeight = 97;
constexpr int kToolBarHeight = 29;
constexpr int kSeasonsWidth = 262; // the seasons grid on the left; the table grid takes the rest
constexpr int kGridLabelHeight = 22;
constexpr int kButtonsHeight = 30;

QLabel* placedLabel(const QString& text, QWidget* parent, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->resize(l->sizeHint());
    return l;
}

DBLookupComboBox* chooser(const QString& listField, QWidget* parent, int x, int y)
{
    auto* c = new DBLookupComboBox(parent);
    c->setKeyField(QStringLiteral("Code"));
    c->setListField(listField);
    c->setDropDownRows(10);
    c->setGeometry(x, y, 180, c->sizeHint().height());
    return c;
}

QToolButton* toolButton(QToolBar* bar, const QIcon& icon, const QString& hint)
{
    auto* b = new QToolButton(bar);
    b->setIcon(icon);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    bar->addWidget(b);
    return b;
}

QPushButton* button(const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    return b;
}

// The columns of the table grid: Ball has none, Kf is typed by hand.
std::vector<DBGridColumn> tableColumns()
{
    std::vector<DBGridColumn> columns{
        {QStringLiteral("Position"), QStringLiteral("№"), 29},
        {QStringLiteral("CodeTeam"), QStringLiteral("Код команды")},
        {QStringLiteral("Team"), QStringLiteral("Команда"), 236},
    };
    const std::pair<const char*, const char*> counts[] = {{"Game", "И"},  {"Win", "В"},   {"Draw", "Н"},  {"Lose", "П"},
                                                          {"BGoal", "З"}, {"BMiss", "П"}, {"Points", "О"}};
    for (const auto& [field, title] : counts)
        columns.push_back({QString::fromLatin1(field), QString::fromUtf8(title), 30});
    columns.push_back({QStringLiteral("Kf"), QStringLiteral("Kf"), 25});
    return columns;
}

} // namespace

TTurTableEdit::TTurTableEdit(QWidget* parent) : Window<QDialog>(parent, kDialogTitleBar)
{
    TurTableEdit = this;
    setObjectName(QStringLiteral("TurTableEdit"));
    setWindowTitle(QStringLiteral("Редактор турнирных таблиц"));
    frame().setFixedClientSize({kClientWidth, kClientHeight});
    frame().setClosesOnEscape(true);

    // The white band: the choosers, the country's flag and emblem, the season's note.
    Shape1 = new Shape(Qt::white, Qt::white, this);
    Shape1->setGeometry(0, 0, kClientWidth, kBandHeight);
    Label1 = placedLabel(QStringLiteral("Страна"), this, 12, 20);
    DBLookupComboBox2 = chooser(QStringLiteral("Country"), this, 80, 16);
    Label2 = placedLabel(QStringLiteral("Дивизион"), this, 12, 56);
    DBLookupComboBox1 = chooser(QStringLiteral("Division"), this, 80, 52);
    DBImage1 = new DBImage(this);
    DBImage1->setDataField(QStringLiteral("Flag"));
    DBImage1->setStretch(true);
    DBImage1->setGeometry(280, 10, 77, 77);
    DBImage1->hide(); // shown once a country has been chosen here
    DBImage2 = new DBImage(this);
    DBImage2->setDataField(QStringLiteral("Logo"));
    DBImage2->setStretch(true);
    DBImage2->setGeometry(370, 10, 77, 77);
    DBImage2->hide();
    Label3 = placedLabel(QStringLiteral("Примечание"), this, 470, 4);
    DBMemo1 = new DBMemo(this);
    DBMemo1->setDataField(QStringLiteral("Note"));
    DBMemo1->setGeometry(470, 22, kClientWidth - 470 - 8, kBandHeight - 22 - 6);

    // The seasons' tool bar.
    ToolBar1 = new QToolBar(this);
    ToolBar1->setMovable(false);
    ToolBar1->setGeometry(0, kBandHeight, kClientWidth, kToolBarHeight);
    ToolButton1 = toolButton(ToolBar1, Glyphs::add(), QStringLiteral("Добавить"));
    ToolButton2 = toolButton(ToolBar1, Glyphs::remove(), QStringLiteral("Удалить"));
    ToolBar1->addSeparator();
    ToolButton4 = toolButton(ToolBar1, Glyphs::confirm(), QStringLiteral("Подтвердить изменения"));

    // The seasons on the left.
    const int labelTop = kBandHeight + kToolBarHeight + 4;
    Label4 = placedLabel(QStringLiteral("Сезон"), this, 8, labelTop);
    DBGrid1 = new DBGrid(this);
    DBGrid1->setColumns({{QStringLiteral("Num"), QStringLiteral("№"), 0, 6},
                         {QStringLiteral("Name"), QStringLiteral("Сезон"), 0, 9},
                         {QStringLiteral("DateStart"), QStringLiteral("Начало"), 0, 11},
                         {QStringLiteral("DateFinish"), QStringLiteral("Конец"), 0, 11}});
    const int seasonsTop = labelTop + kGridLabelHeight;
    DBGrid1->setGeometry(0, seasonsTop, kSeasonsWidth, kClientHeight - seasonsTop);

    // The season's table on the right, the four buttons above it.
    const int tableLeft = kSeasonsWidth + 4;
    Label5 = placedLabel(QStringLiteral("Таблица"), this, tableLeft + 4, labelTop);
    Button1 = button(QStringLiteral("Заполнить"), this);
    BitBtn1 = button(QStringLiteral("Обновить"), this);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    Button3 = button(QStringLiteral("Принять"), this);
    Button2 = button(QStringLiteral("Удалить"), this);
    int x = tableLeft + 110;
    for (QPushButton* b : {Button1, BitBtn1, Button3, Button2}) {
        b->setGeometry(x, labelTop - 3, 100, 25);
        x += 108;
    }
    DBGrid2 = new DBGrid(this);
    DBGrid2->setColumns(tableColumns());
    const int tableTop = labelTop + kButtonsHeight - 4;
    DBGrid2->setGeometry(tableLeft, tableTop, kClientWidth - tableLeft, kClientHeight - tableTop);

    NAME_CONTROLS(Shape1, Label1, DBLookupComboBox2, Label2, DBLookupComboBox1, DBImage1, DBImage2, Label3, DBMemo1,
                  ToolBar1, ToolButton1, ToolButton2, ToolButton4, Label4, DBGrid1, Label5, Button1, BitBtn1, Button3,
                  Button2, DBGrid2);
    connectHandler(DBLookupComboBox2, &DBLookupComboBox::closeUp, &TTurTableEdit::DBLookupComboBox2CloseUp);
    connectHandler(ToolButton1, &QToolButton::clicked, &TTurTableEdit::ToolButton1Click);
    connectHandler(ToolButton2, &QToolButton::clicked, &TTurTableEdit::ToolButton2Click);
    connectHandler(ToolButton4, &QToolButton::clicked, &TTurTableEdit::ToolButton4Click);
    connectHandler(Button1, &QPushButton::clicked, &TTurTableEdit::Button1Click);
    connectHandler(BitBtn1, &QPushButton::clicked, &TTurTableEdit::BitBtn1Click);
    connectHandler(Button3, &QPushButton::clicked, &TTurTableEdit::Button3Click);
    connectHandler(Button2, &QPushButton::clicked, &TTurTableEdit::Button2Click);
}

TTurTableEdit::~TTurTableEdit()
{
    if (TurTableEdit == this)
        TurTableEdit = nullptr;
}

void TTurTableEdit::showEvent(QShowEvent* event)
{
    if (!m_connected && DataModule1)
        Dialogs::runHandler([this] { connectDataModule(); }, this);
    Window<QDialog>::showEvent(event);
}

void TTurTableEdit::connectDataModule()
{
    if (m_connected)
        return;
    TDataModule1& m = loadedDataModule();
    m_connected = true;
    DBLookupComboBox2->setListSource(m.DataSourceCountry);
    DBLookupComboBox1->setListSource(m.DataSourceDivision);
    DBImage1->setDataSource(m.DataSourceCountry);
    DBImage2->setDataSource(m.DataSourceCountry);
    DBMemo1->setDataSource(m.DataSourceTableHead);
    DBGrid1->setDataSource(m.DataSourceTableHead);
    DBGrid2->setDataSource(m.DataSourceTableDet);
}

void TTurTableEdit::done(int result)
{
    // A fill or a refresh may have left the results filtered; other windows count them all.
    if (DataModule1 && DataModule1->TableResults->isOpen())
        Dialogs::runHandler([] { DataModule1->TableResults->setFiltered(false); }, this);
    Window<QDialog>::done(result);
}

// The country's pictures appear, and the competition chooser looks its last choice up
// among the new country's competitions.
void TTurTableEdit::DBLookupComboBox2CloseUp()
{
    DBImage1->show();
    DBImage2->show();
    DataSource* competitions = DBLookupComboBox1->listSource();
    DBLookupComboBox1->setListSource(nullptr);
    DBLookupComboBox1->setListSource(competitions);
}

void TTurTableEdit::ToolButton1Click()
{
    loadedDataModule().TableTableHead->insert();
}

void TTurTableEdit::ToolButton2Click()
{
    loadedDataModule().TableTableHead->remove();
}

void TTurTableEdit::ToolButton4Click()
{
    loadedDataModule().TableTableHead->post();
}

void TTurTableEdit::Button1Click()
{
    TDataModule1& m = loadedDataModule();
    SeasonTable::fill(m, SeasonTable::competitionTeams(m));
}

void TTurTableEdit::BitBtn1Click()
{
    SeasonTable::refresh(loadedDataModule());
}

void TTurTableEdit::Button3Click()
{
    loadedDataModule().TableTableDet->post();
}

void TTurTableEdit::Button2Click()
{
    loadedDataModule().TableTableDet->remove();
}
