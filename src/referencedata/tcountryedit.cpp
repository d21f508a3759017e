#include "tcountryedit.h"

#include "datamodule.h"
#include "dbgrid.h"
#include "dbimage.h"
#include "dblookupcombobox.h"

#include <QLabel>
#include <QPushButton>
#include <QToolBar>

TCountryEdit* CountryEdit = nullptr;
TDivisionEdit* DivisionEdit = nullptr;

namespace {

constexpr int kPicture = 105;

} // namespace

TCountryEdit::TCountryEdit(QWidget* parent)
    : ReferenceEditor(QStringLiteral("CountryEdit"), QString::fromUtf8("Страны"), kDialogTitleBar, parent)
{
    CountryEdit = this;
    constexpr int kWidth = 607;
    constexpr int kHeight = 364;
    frame().setFixedClientSize({kWidth, kHeight});
    ToolBar1->setGeometry(0, 0, kWidth, 29);

    const int picturesLeft = kWidth - kPicture - 16;
    DBGrid1 = new DBGrid(this);
    DBGrid1->setColumns({{.field = QStringLiteral("Code")},
                         {.field = QStringLiteral("Country"), .width = 186},
                         {.field = QStringLiteral("Capital"), .width = 190}});
    DBGrid1->setGeometry(4, 32, picturesLeft - 12, kHeight - 36);
    Label1 = label(QString::fromUtf8("Флаг"), picturesLeft, 34);
    DBImage1 = picture(QStringLiteral("Flag"), {picturesLeft, 52, kPicture, kPicture});
    Label2 = label(QString::fromUtf8("Логотип"), picturesLeft, 164);
    DBImage2 = picture(QStringLiteral("Logo"), {picturesLeft, 182, kPicture, kPicture});
    Button1 = new QPushButton(QString::fromUtf8("Редактировать запись"), this);
    Button1->setGeometry(picturesLeft - 20, kHeight - 33, kPicture + 32, 25);

    NAME_CONTROLS(DBGrid1, Label1, DBImage1, Label2, DBImage2, Button1);
    connectHandler(Button1, &QPushButton::clicked, &TCountryEdit::Button1Click);
}

TCountryEdit::~TCountryEdit()
{
    if (CountryEdit == this)
        CountryEdit = nullptr;
}

TableView& TCountryEdit::editedView()
{
    return *loadedDataModule().TableCountry;
}

void TCountryEdit::bindControls()
{
    TDataModule1& m = loadedDataModule();
    DBGrid1->setDataSource(m.DataSourceCountry);
    DBImage1->setDataSource(m.DataSourceCountry);
    DBImage2->setDataSource(m.DataSourceCountry);
}

void TCountryEdit::Button1Click()
{
    TableView& countries = editedView();
    if (countries.state() == TableView::State::Browse)
        countries.edit();
}

TDivisionEdit::TDivisionEdit(QWidget* parent)
    : ReferenceEditor(QStringLiteral("DivisionEdit"), QString::fromUtf8("Редактор дивизионов"), Qt::Tool, parent)
{
    DivisionEdit = this;
    frame().setClientSize({360, 270}, {240, 160});
    Label1 = label(QString::fromUtf8("Страна"), 8, 12);
    DBLookupComboBox1 = chooser(QStringLiteral("Country"), 60, 8, 180);
    DBGrid1 = new DBGrid(this);
    DBGrid1->setColumns({{.field = QStringLiteral("Code")},
                         {.field = QStringLiteral("Division")},
                         {.field = QStringLiteral("Country")}});
    NAME_CONTROLS(Label1, DBLookupComboBox1, DBGrid1);
    resize(360, 270);
}

TDivisionEdit::~TDivisionEdit()
{
    if (DivisionEdit == this)
        DivisionEdit = nullptr;
}

// The grid fills the window below the chooser and the toolbar.
void TDivisionEdit::resizeEvent(QResizeEvent* event)
{
    ReferenceEditor::resizeEvent(event);
    ToolBar1->setGeometry(0, 38, width(), 29);
    DBGrid1->setGeometry(0, 70, width(), height() - 70);
}

TableView& TDivisionEdit::editedView()
{
    return *loadedDataModule().TableDivision;
}

void TDivisionEdit::bindControls()
{
    TDataModule1& m = loadedDataModule();
    DBLookupComboBox1->setListSource(m.DataSourceCountry);
    DBGrid1->setDataSource(m.DataSourceDivision);
}
