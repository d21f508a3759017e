#include "tstatistic.h"

#include "apperror.h"
#include "competitionstatistics.h"
#include "datamodule.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "glyphs.h"
#include "shape.h"
#include "stringgrid.h"
#include "textlabel.h"

#include <QLabel>
#include <QToolBar>
#include <QToolButton>

TStatistic* Statistic = nullptr;

namespace {

constexpr int kClientWidth = 480;
constexpr int kClientHeight = 420;
constexpr int kBandHeight = 81;
constexpr int kToolBarHeight = 29;
constexpr int kSummaryHeight = 76;
constexpr int kColumnWidths[] = {76, 53, 82, 82, 82, 82};

QLabel* bandLabel(const QString& text, QWidget* parent, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->resize(l->sizeHint());
    return l;
}

} // namespace

TStatistic::TStatistic(QWidget* parent) : Window<QDialog>(parent, kDialogTitleBar | Qt::WindowMinimizeButtonHint)
{
    Statistic = this;
    setObjectName(QStringLiteral("Statistic"));
    setWindowTitle(QStringLiteral("Competitions statistics"));
    frame().setFixedClientSize({kClientWidth, kClientHeight});
    frame().setClosesOnEscape(true);

    // The white band with the choosers and the country's flag and emblem.
    Shape1 = new Shape(Qt::white, Qt::white, this);
    Shape1->setGeometry(0, 0, kClientWidth, kBandHeight);
    Label1 = bandLabel(QStringLiteral("Country"), this, 25, 16);
    Label2 = bandLabel(QStringLiteral("Competition"), this, 8, 48);
    DBLookupComboBox2 = new DBLookupComboBox(this);
    DBLookupComboBox2->setKeyField(QStringLiteral("Code"));
    DBLookupComboBox2->setListField(QStringLiteral("Country"));
    DBLookupComboBox2->setDropDownRows(10);
    DBLookupComboBox2->setGeometry(80, 12, 160, DBLookupComboBox2->sizeHint().height());
    DBLookupComboBox1 = new DBLookupComboBox(this);
    DBLookupComboBox1->setKeyField(QStringLiteral("Code"));
    DBLookupComboBox1->setListField(QStringLiteral("Division"));
    DBLookupComboBox1->setDropDownRows(10);
    DBLookupComboBox1->setGeometry(80, 44, 160, DBLookupComboBox1->sizeHint().height());
    DBImage1 = new DBImage(this);
    DBImage1->setDataField(QStringLiteral("Flag"));
    DBImage1->setGeometry(300, 3, 74, 74);
    DBImage2 = new DBImage(this);
    DBImage2->setDataField(QStringLiteral("Logo"));
    DBImage2->setGeometry(390, 3, 74, 74);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setMovable(false);
    ToolBar1->setGeometry(0, kBandHeight, kClientWidth, kToolBarHeight);
    ToolButton1 = new QToolButton(ToolBar1);
    ToolButton1->setIcon(Glyphs::spreadsheet());
    ToolButton1->setToolTip(QStringLiteral("Export to Excel"));
    ToolButton1->setAutoRaise(true);
    ToolBar1->addWidget(ToolButton1);

    StringGrid1 = new StringGrid(this);
    StringGrid1->setColCount(6);
    StringGrid1->setRowCount(2); // the titles and one empty row until the first computation
    StringGrid1->setFixedRows(1);
    StringGrid1->setDefaultRowHeight(18);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int col = 0; col < 6; ++col)
        StringGrid1->setColWidth(col, kColumnWidths[col]);
    const int gridTop = kBandHeight + kToolBarHeight;
    StringGrid1->setGeometry(0, gridTop, kClientWidth, kClientHeight - gridTop - kSummaryHeight);

    Label3 = new TextLabel(QStringLiteral("Statistics"), this);
    Label3->placeAt(8, kClientHeight - kSummaryHeight + 4);

    NAME_CONTROLS(Shape1, Label1, DBLookupComboBox2, Label2, DBLookupComboBox1, DBImage1, DBImage2, ToolBar1,
                  ToolButton1, StringGrid1, Label3);
    connectHandler(DBLookupComboBox1, &DBLookupComboBox::closeUp, &TStatistic::DBLookupComboBox1CloseUp);
    connectHandler(ToolButton1, &QToolButton::clicked, &TStatistic::ToolButton1Click);

    // FormCreate: the column titles in row 0.
    const QStringList titles = CompetitionStatistics::columnTitles();
    for (int col = 0; col < titles.size(); ++col)
        StringGrid1->setCell(col, 0, titles[col]);
}

TStatistic::~TStatistic()
{
    if (Statistic == this)
        Statistic = nullptr;
}

void TStatistic::showEvent(QShowEvent* event)
{
    if (!m_connected && DataModule1)
        Dialogs::runHandler([this] { connectDataModule(); }, this);
    Window<QDialog>::showEvent(event);
}

void TStatistic::connectDataModule()
{
    if (m_connected)
        return;
    TDataModule1& m = loadedDataModule();
    m_connected = true;
    DBImage1->setDataSource(m.DataSourceCountry);
    DBImage2->setDataSource(m.DataSourceCountry);
    DBLookupComboBox2->setListSource(m.DataSourceCountry);
    DBLookupComboBox1->setListSource(m.DataSourceDivision);
}

// Every row below the titles emptied; the number of rows stays.
void TStatistic::emptyRows()
{
    for (int row = 1; row < StringGrid1->rowCount(); ++row) {
        for (int col = 0; col < StringGrid1->colCount(); ++col)
            StringGrid1->setCell(col, row, QString());
    }
}

// The statistics of the competition current at this moment, whether or not one was picked.
void TStatistic::DBLookupComboBox1CloseUp()
{
    TDataModule1& m = loadedDataModule();
    Label3->setCaption(QString());
    const CompetitionStatistics::Statistics s = CompetitionStatistics::compute(m);
    if (!s.hasResults) {
        Dialogs::information(
            CompetitionStatistics::notFoundMessage(DBLookupComboBox2->text(), DBLookupComboBox1->text()), this);
        emptyRows();
        return;
    }
    Label3->setCaption(s.summary());
    emptyRows();
    StringGrid1->setRowCount(s.seasonCount + 1);
    int row = 1;
    for (const CompetitionStatistics::SeasonRow& season : s.rows) {
        const QStringList cells = season.cells();
        for (int col = 0; col < cells.size(); ++col)
            StringGrid1->setCell(col, row, cells[col]);
        ++row;
    }
    if (s.stop)
        throw *s.stop; // a season's dates made no filter: shown in the error box
}

void TStatistic::ToolButton1Click()
{
    if (!m_export) {
        Dialogs::information(QStringLiteral("Export to Excel is not available yet."), this);
        return;
    }
    m_export();
}
