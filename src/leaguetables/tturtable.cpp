#include "tturtable.h"

#include "datamodule.h"
#include "dbfield.h"
#include "dbgrid.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "glyphs.h"
#include "leaguetable.h"
#include "seasontable.h"
#include "shape.h"
#include "tteamresults.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

TTurTable* TurTable = nullptr;

namespace {

constexpr int kClientWidth = 454;
constexpr int kClientHeight = 568;
constexpr int kBandHeight = 166;
constexpr int kToolBarHeight = 29;
constexpr int kGridTop = kBandHeight + kToolBarHeight;
constexpr int kPanelWidth = 201;
constexpr int kPanelHeight = 210;

QLabel* bandLabel(const QString& text, QWidget* parent, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->resize(l->sizeHint());
    return l;
}

DBLookupComboBox* chooser(const QString& key, const QString& shown, QWidget* parent, int y)
{
    auto* box = new DBLookupComboBox(parent);
    box->setKeyField(key);
    box->setListField(shown);
    box->setDropDownRows(10);
    box->setGeometry(80, y, 170, box->sizeHint().height());
    return box;
}

DBEdit* dateField(const QString& field, QWidget* parent, int x, int y)
{
    auto* edit = new DBEdit(parent);
    edit->setDataField(field);
    edit->setFieldReadOnly(true);
    edit->setBorder(false);
    edit->setGeometry(x, y, 80, edit->sizeHint().height());
    return edit;
}

QToolButton* toolButton(QToolBar* bar, const QIcon& icon, const QString& caption, bool hand)
{
    auto* button = new QToolButton(bar);
    button->setIcon(icon);
    button->setText(caption);
    button->setToolTip(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    if (hand)
        button->setCursor(Qt::PointingHandCursor);
    bar->addWidget(button);
    return button;
}

// A chooser let go of its list and given it again: it looks its remembered choice up anew.
void rebind(DBLookupComboBox* box, DataSource* source)
{
    box->setListSource(nullptr);
    box->setListSource(source);
}

} // namespace

TTurTable::TTurTable(QWidget* parent) : Window<QDialog>(parent, kDialogTitleBar)
{
    TurTable = this;
    setObjectName(QStringLiteral("TurTable"));
    setWindowTitle(QStringLiteral("League table"));
    frame().setFixedClientSize({kClientWidth, kClientHeight});
    frame().setClosesOnEscape(true);
    buildControls();
}

TTurTable::~TTurTable()
{
    if (TurTable == this)
        TurTable = nullptr;
}

void TTurTable::buildControls()
{
    // The white band: the three choosers, the season's dates, the country's flag and
    // emblem, and the season's note in red across its bottom.
    Shape1 = new Shape(Qt::white, Qt::white, this);
    Shape1->setGeometry(0, 0, kClientWidth, kBandHeight);
    Label1 = bandLabel(QStringLiteral("Country"), this, 25, 12);
    DBLookupComboBox2 = chooser(QStringLiteral("Code"), QStringLiteral("Country"), this, 8);
    Label2 = bandLabel(QStringLiteral("Competition"), this, 8, 40);
    DBLookupComboBox1 = chooser(QStringLiteral("Code"), QStringLiteral("Division"), this, 36);
    Label3 = bandLabel(QStringLiteral("Season"), this, 30, 68);
    DBLookupComboBox3 = chooser(QStringLiteral("Name"), QStringLiteral("Name"), this, 64);
    DBEdit1 = dateField(QStringLiteral("DateStart"), this, 84, 94);
    Label4 = bandLabel(QStringLiteral("-"), this, 166, 96);
    DBEdit2 = dateField(QStringLiteral("DateFinish"), this, 176, 94);
    for (DBEdit* edit : {DBEdit1, DBEdit2}) {
        QPalette white = edit->palette();
        white.setColor(QPalette::Base, Qt::white);
        edit->setPalette(white);
    }
    DBImage1 = new DBImage(this);
    DBImage1->setDataField(QStringLiteral("Flag"));
    DBImage1->setGeometry(280, 8, 74, 74);
    DBImage1->hide();
    DBImage2 = new DBImage(this);
    DBImage2->setDataField(QStringLiteral("Logo"));
    DBImage2->setGeometry(368, 8, 74, 74);
    DBImage2->hide();
    DBMemo1 = new DBMemo(this);
    DBMemo1->setDataField(QStringLiteral("Note"));
    DBMemo1->setFieldReadOnly(true);
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette red = DBMemo1->palette();
    red.setColor(QPalette::Text, Qt::red);
    DBMemo1->setPalette(red);
    DBMemo1->setGeometry(4, 118, kClientWidth - 8, kBandHeight - 122);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setMovable(false);
    // The pictures at their drawn size, so that the six buttons fit in the window's width.
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setGeometry(0, kBandHeight, kClientWidth, kToolBarHeight);
    ToolButton4 = toolButton(ToolBar1, Glyphs::printer(), QStringLiteral("Print"), true);
    ToolButton4->setEnabled(false);
    // Beside "Print", for a user without a printer: the report on screen, or kept as PDF.
    // Only their pictures show, so that the tool bar keeps to the window's width.
    ToolButton6 = toolButton(ToolBar1, style()->standardIcon(QStyle::SP_FileDialogContentsView),
                             QStringLiteral("Print preview"), true);
    ToolButton7 =
        toolButton(ToolBar1, style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Export to PDF"), true);
    for (QToolButton* button : {ToolButton6, ToolButton7}) {
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setEnabled(false);
    }
    ToolButton5 = toolButton(ToolBar1, Glyphs::spreadsheet(), QStringLiteral("Export to Excel"), false);
    ToolBar1->addSeparator();
    ToolButton1 =
        toolButton(ToolBar1, style()->standardIcon(QStyle::SP_FileDialogInfoView), QStringLiteral("Team info"), true);
    ToolButton2 = toolButton(ToolBar1, style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                             QStringLiteral("Show games"), true);

    // The season's rows in ranking order, read-only.
    DBGrid1 = new DBGrid(this);
    DBGrid1->setReadOnly(true);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setRowLines(true);
    DBGrid1->setColumnLines(true);
    const QStringList titles = LeagueTable::columnTitles();
    const QStringList fields{QStringLiteral("Position"), QStringLiteral("Team"),  QStringLiteral("Game"),
                             QStringLiteral("Win"),      QStringLiteral("Draw"),  QStringLiteral("Lose"),
                             QStringLiteral("BGoal"),    QStringLiteral("BMiss"), QStringLiteral("Points")};
    std::vector<DBGridColumn> columns;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        DBGridColumn column;
        column.field = fields[i];
        column.title = titles[i];
        if (i == 1) {
            column.widthChars = 30;
        } else {
            column.width = i == 0 ? 25 : 30;
            column.titleAlignment = Qt::AlignRight;
        }
        columns.push_back(column);
    }
    DBGrid1->setColumns(std::move(columns));
    DBGrid1->setGeometry(0, kGridTop, kClientWidth, kClientHeight - kGridTop);

    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addAction(QStringLiteral("Team info"));
    N2 = PopupMenu1->addAction(QStringLiteral("Show games"));
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(at)); });

    // The team panel over the upper middle of the grid: the emblem and the short name of
    // the team TableSortTeam is filtered to.
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry((kClientWidth - kPanelWidth) / 2, kGridTop + 24, kPanelWidth, kPanelHeight);
    DBImage3 = new DBImage(Panel1);
    DBImage3->setDataField(QStringLiteral("Logo"));
    DBImage3->setStretch(true);
    DBImage3->setGeometry(8, 4, 185, 185);
    DBText1 = new DBText(Panel1);
    DBText1->setDataField(QStringLiteral("ShortName"));
    DBText1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    DBText1->setGeometry(1, 190, kPanelWidth - 2, 18);
    for (QWidget* w : std::initializer_list<QWidget*>{DBImage3, DBText1}) {
        w->setCursor(Qt::PointingHandCursor);
        w->setToolTip(QStringLiteral("Показать подробную информацию"));
        w->installEventFilter(this);
    }
    Panel1->hide();

    NAME_CONTROLS(Shape1, Label1, DBLookupComboBox2, Label2, DBLookupComboBox1, Label3, DBLookupComboBox3, DBEdit1,
                  Label4, DBEdit2, DBImage1, DBImage2, DBMemo1, ToolBar1, ToolButton4, ToolButton6, ToolButton7,
                  ToolButton5, ToolButton1, ToolButton2, DBGrid1, PopupMenu1, N1, N2, Panel1, DBImage3, DBText1);

    connectHandler(DBLookupComboBox2, &DBLookupComboBox::closeUp, &TTurTable::DBLookupComboBox2CloseUp);
    connectHandler(DBLookupComboBox1, &DBLookupComboBox::closeUp, &TTurTable::DBLookupComboBox1CloseUp);
    connectHandler(DBLookupComboBox3, &DBLookupComboBox::closeUp, &TTurTable::DBLookupComboBox3CloseUp);
    connectHandler(ToolButton1, &QToolButton::clicked, &TTurTable::ToolButton1Click);
    connectHandler(ToolButton2, &QToolButton::clicked, &TTurTable::ToolButton2Click);
    connectHandler(ToolButton4, &QToolButton::clicked, &TTurTable::ToolButton4Click);
    connectHandler(ToolButton5, &QToolButton::clicked, &TTurTable::ToolButton5Click);
    connectHandler(ToolButton6, &QToolButton::clicked, &TTurTable::ToolButton6Click);
    connectHandler(ToolButton7, &QToolButton::clicked, &TTurTable::ToolButton7Click);
    connectHandler(N1, &QAction::triggered, &TTurTable::ToolButton1Click);
    connectHandler(N2, &QAction::triggered, &TTurTable::ToolButton2Click);
    connectHandler(DBGrid1, &DBGrid::cellClick, &TTurTable::DBGrid1CellClick);
    connectHandler(DBGrid1, &DBGrid::keyUp, &TTurTable::DBGrid1KeyUp);
    connectHandler(DBGrid1, &DBGrid::dblClick, &TTurTable::ToolButton2Click);
}

void TTurTable::connectDataModule()
{
    if (m_connected)
        return;
    TDataModule1& m = loadedDataModule();
    m_connected = true;
    DBLookupComboBox2->setListSource(m.DataSourceCountry);
    DBLookupComboBox1->setListSource(m.DataSourceDivision);
    DBLookupComboBox3->setListSource(m.DataSourceTableHead);
    DBImage1->setDataSource(m.DataSourceCountry);
    DBImage2->setDataSource(m.DataSourceCountry);
    DBMemo1->setDataSource(m.DataSourceTableHead);
    DBImage3->setDataSource(m.DataSourceSortTeam);
    DBText1->setDataSource(m.DataSourceSortTeam);
    attachRows(true);
}

void TTurTable::detachCountryChooser()
{
    DBLookupComboBox2->setListSource(nullptr);
}

// The grid and the season's dates show the chosen season, or nothing until one is chosen.
void TTurTable::attachRows(bool attach)
{
    TDataModule1& m = loadedDataModule();
    DBGrid1->setDataSource(attach ? m.DataSourceSortDet : nullptr);
    DBEdit1->setDataSource(attach ? m.DataSourceTableHead : nullptr);
    DBEdit2->setDataSource(attach ? m.DataSourceTableHead : nullptr);
}

void TTurTable::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        Dialogs::runHandler(
            [this] {
                if (!m_connected && DataModule1)
                    connectDataModule();
                if (m_connected)
                    FormShow();
            },
            this);
    }
    Window<QDialog>::showEvent(event);
}

void TTurTable::done(int result)
{
    if (m_connected)
        Dialogs::runHandler([this] { FormClose(); }, this);
    Window<QDialog>::done(result);
}

// Each chooser finds its remembered choice under the one before it; the grid shows the
// positions stored when the season was last chosen.
void TTurTable::FormShow()
{
    TDataModule1& m = loadedDataModule();
    rebind(DBLookupComboBox2, m.DataSourceCountry);
    rebind(DBLookupComboBox1, m.DataSourceDivision);
    rebind(DBLookupComboBox3, m.DataSourceTableHead);
    LeagueTable::showCurrentSeason(m);
}

void TTurTable::FormClose()
{
    TDataModule1& m = loadedDataModule();
    emit closed();
    m.TableSortDet->setFiltered(false);
    m.TableSortTeam->setFiltered(false);
}

void TTurTable::DBLookupComboBox2CloseUp()
{
    TDataModule1& m = loadedDataModule();
    DBImage1->show();
    DBImage2->show();
    rebind(DBLookupComboBox1, m.DataSourceDivision);
    rebind(DBLookupComboBox3, m.DataSourceTableHead);
    m.TableSortDet->setFilterText(LeagueTable::currentSeasonFilter(m));
    attachRows(false);
    emit countryChosen();
}

void TTurTable::DBLookupComboBox1CloseUp()
{
    TDataModule1& m = loadedDataModule();
    m.TableSortDet->setFilterText(LeagueTable::currentSeasonFilter(m));
    attachRows(false);
    emit competitionChosen();
}

// The ranking: the season's rows numbered in ranking order and the numbers stored.
void TTurTable::DBLookupComboBox3CloseUp()
{
    TDataModule1& m = loadedDataModule();
    TableView& season = *m.TableTableHead;
    SeasonTable::rank(m, season.isEmpty() ? 0 : season.asInteger(QStringLiteral("Num")));
    attachRows(true);
    for (QToolButton* button : {ToolButton4, ToolButton6, ToolButton7})
        button->setEnabled(true);
}

void TTurTable::followRow()
{
    TDataModule1& m = loadedDataModule();
    LeagueTable::showTeam(m, m.TableSortDet->isEmpty() ? QString() : m.TableSortDet->asString(QStringLiteral("Team")));
}

// The grid shows rows: a season has been chosen since the country or the competition.
// Until then the rows TableSortDet lets through are not the user's to see, and neither
// the panel nor the games window opens for one of them.
bool TTurTable::showsRows() const
{
    return DBGrid1->dataSource() && !loadedDataModule().TableSortDet->isEmpty();
}

void TTurTable::ToolButton1Click()
{
    if (Panel1->isVisible()) {
        Panel1->hide();
        return;
    }
    if (!showsRows())
        return;
    followRow();
    Panel1->show();
    Panel1->raise();
}

void TTurTable::DBGrid1CellClick()
{
    followRow();
}

void TTurTable::DBGrid1KeyUp()
{
    followRow();
}

void TTurTable::DBText1Click()
{
    Panel1->hide();
    if (!m_teamBrowser) {
        Dialogs::information(QStringLiteral("The teams browser is not available yet."), this);
        return;
    }
    m_teamBrowser();
}

void TTurTable::ToolButton2Click()
{
    if (TeamResults && showsRows())
        TeamResults->showGames(DBLookupComboBox3->text());
}

void TTurTable::ToolButton4Click()
{
    if (!m_print) {
        Dialogs::information(QStringLiteral("Printing is not available yet."), this);
        return;
    }
    m_print();
}

void TTurTable::ToolButton5Click()
{
    if (!m_export) {
        Dialogs::information(QStringLiteral("Export to Excel is not available yet."), this);
        return;
    }
    m_export();
}

void TTurTable::ToolButton6Click()
{
    if (!m_preview) {
        Dialogs::information(QStringLiteral("Print preview is not available yet."), this);
        return;
    }
    m_preview();
}

void TTurTable::ToolButton7Click()
{
    if (!m_pdf) {
        Dialogs::information(QStringLiteral("Export to PDF is not available yet."), this);
        return;
    }
    m_pdf();
}

// A click on the panel's emblem or name.
bool TTurTable::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == DBImage3 || watched == DBText1) && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Dialogs::runHandler([this] { DBText1Click(); }, this);
        return true;
    }
    return Window<QDialog>::eventFilter(watched, event);
}
