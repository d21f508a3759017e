#include "tteam.h"

#include "datamodule.h"
#include "dbfield.h"
#include "dbgrid.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "filterforms.h"
#include "stringgrid.h"
#include "teamhistory.h"
#include "tfullsize.h"
#include "tmain.h"

#include <QLabel>
#include <QMouseEvent>
#include <QShowEvent>

TTeam* TeamWindow = nullptr;

namespace {

constexpr int kClientWidth = 665;
constexpr int kClientHeight = 498;
constexpr int kRightColumn = 440;
constexpr int kHistoryColumnWidths[] = {58, 95, 25, 22};

QLabel* label(const QString& text, QWidget* parent, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->resize(l->sizeHint());
    return l;
}

DBImage* picture(const QString& field, QWidget* parent, const QRect& place)
{
    auto* image = new DBImage(parent);
    image->setDataField(field);
    image->setGeometry(place);
    return image;
}

} // namespace

TTeam::TTeam(QWidget* parent) : Window<QDialog>(parent, kDialogTitleBar)
{
    TeamWindow = this;
    setObjectName(QStringLiteral("Team"));
    setWindowTitle(QStringLiteral("Teams"));
    frame().setFixedClientSize({kClientWidth, kClientHeight});
    frame().setClosesOnEscape(true);

    Label1 = label(QStringLiteral("Country"), this, 8, 12);
    DBLookupComboBox1 = new DBLookupComboBox(this);
    DBLookupComboBox1->setKeyField(QStringLiteral("Code"));
    DBLookupComboBox1->setListField(QStringLiteral("Country"));
    DBLookupComboBox1->setDropDownRows(10);
    DBLookupComboBox1->setGeometry(80, 8, 170, DBLookupComboBox1->sizeHint().height());
    Label2 = label(QStringLiteral("Competition"), this, 8, 48);
    DBLookupComboBox2 = new DBLookupComboBox(this);
    DBLookupComboBox2->setKeyField(QStringLiteral("Code"));
    DBLookupComboBox2->setListField(QStringLiteral("Division"));
    DBLookupComboBox2->setDropDownRows(10);
    DBLookupComboBox2->setGeometry(80, 44, 170, DBLookupComboBox2->sizeHint().height());
    DBImage1 = picture(QStringLiteral("Flag"), this, {268, 4, 74, 74});
    DBImage2 = picture(QStringLiteral("Logo"), this, {352, 4, 74, 74});

    DBGrid1 = new DBGrid(this);
    DBGrid1->setColumns(
        {{.field = QStringLiteral("Team"), .width = 200}, {.field = QStringLiteral("City"), .width = 200}});
    DBGrid1->setReadOnly(true);
    DBGrid1->setColumnLines(false);
    DBGrid1->setRowLines(true);
    DBGrid1->setGeometry(8, 86, 424, kClientHeight - 94);

    // The team's emblem on white, top right.
    DBImage7 = picture(QStringLiteral("Logo"), this, {kRightColumn, 4, 217, 193});
    QPalette white = DBImage7->palette();
    white.setColor(QPalette::Window, Qt::white);
    DBImage7->setPalette(white);
    DBImage7->setAutoFillBackground(true);

    Label3 = label(QStringLiteral("Stadium:"), this, kRightColumn, 206);
    DBEdit1 = new DBEdit(this);
    DBEdit1->setDataField(QStringLiteral("Stadium"));
    DBEdit1->setFieldReadOnly(true);
    DBEdit1->setBorder(false);
    DBEdit1->setGeometry(kRightColumn + 56, 203, 217 - 56, 20);
    Label4 = label(QStringLiteral("Capacity:"), this, kRightColumn, 226);
    DBText1 = new DBText(this);
    DBText1->setDataField(QStringLiteral("Capacity"));
    DBText1->setGeometry(kRightColumn + 56, 226, 100, Label4->height());

    // The four stadium photos as thumbnails; a click opens the photo window on that photo.
    DBImage* thumbnails[4];
    for (int n = 0; n < 4; ++n) {
        thumbnails[n] = picture(QStringLiteral("LogoStadium%1").arg(n + 1), this, {kRightColumn + n * 56, 244, 49, 41});
        thumbnails[n]->setStretch(true);
        thumbnails[n]->setBorder(true);
        thumbnails[n]->setCursor(Qt::PointingHandCursor);
        thumbnails[n]->setToolTip(QStringLiteral("Full size"));
        thumbnails[n]->setFocusPolicy(Qt::ClickFocus);
        thumbnails[n]->installEventFilter(this);
    }
    DBImage3 = thumbnails[0];
    DBImage4 = thumbnails[1];
    DBImage5 = thumbnails[2];
    DBImage6 = thumbnails[3];

    StringGrid1 = new StringGrid(this);
    StringGrid1->setColCount(5); // the fifth column keeps each season's first day for the sort
    StringGrid1->setColumnHidden(4, true);
    StringGrid1->setFixedRows(1);
    StringGrid1->setRowCount(1);
    StringGrid1->setDefaultRowHeight(18);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setFrameShape(QFrame::NoFrame);
    for (int col = 0; col < 4; ++col)
        StringGrid1->setColWidth(col, kHistoryColumnWidths[col]);
    StringGrid1->setGeometry(kClientWidth - 218, kClientHeight - 209, 218, 209);

    NAME_CONTROLS(Label1, DBLookupComboBox1, Label2, DBLookupComboBox2, DBImage1, DBImage2, DBGrid1, DBImage7, Label3,
                  DBEdit1, Label4, DBText1, DBImage3, DBImage4, DBImage5, DBImage6, StringGrid1);
    connectHandler(DBLookupComboBox1, &DBLookupComboBox::closeUp, &TTeam::DBLookupComboBox1CloseUp);
    connectHandler(DBLookupComboBox2, &DBLookupComboBox::closeUp, &TTeam::DBLookupComboBox2CloseUp);
    connectHandler(DBGrid1, &DBGrid::cellClick, &TTeam::DBGrid1CellClick);
    connectHandler(DBGrid1, &DBGrid::keyUp, &TTeam::DBGrid1CellClick);

    // FormCreate: the header row.
    const QStringList titles = TeamHistory::columnTitles();
    for (int col = 0; col < titles.size(); ++col)
        StringGrid1->setCell(col, 0, titles[col]);
}

TTeam::~TTeam()
{
    if (TeamWindow == this)
        TeamWindow = nullptr;
}

void TTeam::connectDataModule()
{
    if (m_connected)
        return;
    TDataModule1& m = loadedDataModule();
    m_connected = true;
    DBImage1->setDataSource(m.DataSourceCountry);
    DBImage2->setDataSource(m.DataSourceCountry);
    DBLookupComboBox1->setListSource(m.DataSourceCountry);
    DBLookupComboBox2->setListSource(m.DataSourceDivision);
    DBEdit1->setDataSource(m.DataSourceStadium);
    DBText1->setDataSource(m.DataSourceStadium);
    for (int n = 1; n <= 4; ++n)
        thumbnail(n)->setDataSource(m.DataSourceStadium);
}

void TTeam::showForPanelTeam()
{
    m_fromPanel = true;
    struct Reset
    {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_fromPanel};
    Dialogs::execModal(*this);
}

DBImage* TTeam::thumbnail(int n) const
{
    switch (n) {
    case 1:
        return DBImage3;
    case 2:
        return DBImage4;
    case 3:
        return DBImage5;
    case 4:
        return DBImage6;
    default:
        return nullptr;
    }
}

int TTeam::focusedThumbnail() const
{
    for (int n = 1; n <= 4; ++n) {
        if (focusWidget() == thumbnail(n))
            return n;
    }
    return 0;
}

void TTeam::showEvent(QShowEvent* event)
{
    Window<QDialog>::showEvent(event);
    if (!event->spontaneous())
        Dialogs::runHandler([this] { FormShow(); }, this);
}

void TTeam::done(int result)
{
    if (isVisible())
        Dialogs::runHandler([this] { FormClose(); }, this);
    Window<QDialog>::done(result);
}

bool TTeam::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int n = 1; n <= 4; ++n) {
            if (watched == thumbnail(n)) {
                thumbnail(n)->setFocus(Qt::MouseFocusReason);
                Dialogs::runHandler([this, n] { DBImage3Click(n); }, this);
                return true;
            }
        }
    }
    return Window<QDialog>::eventFilter(watched, event);
}

void TTeam::FormShow()
{
    connectDataModule();
    TDataModule1& m = loadedDataModule();
    if (m_fromPanel) {
        // The viewer has filtered the sorted teams view to the panel's team.
        DBLookupComboBox1->setListSource(nullptr);
        DBLookupComboBox2->setListSource(nullptr);
        DBGrid1->setDataSource(m.DataSourceSortTeam);
        DBImage7->setDataSource(m.DataSourceSortTeam);
        ShowTeamSeasons();
        return;
    }
    DBLookupComboBox1->setListSource(nullptr);
    DBLookupComboBox1->setListSource(m.DataSourceCountry);
    DBLookupComboBox2->setListSource(nullptr);
    DBLookupComboBox2->setListSource(m.DataSourceDivision);
    DBGrid1->setDataSource(nullptr);
}

void TTeam::FormClose()
{
    if (Main)
        Main->attachCountryChooser();
    if (DataModule1)
        DataModule1->TableSortTeam->setFiltered(false);
    setWindowTitle(QStringLiteral("Команды"));
}

void TTeam::DBLookupComboBox1CloseUp()
{
    TDataModule1& m = loadedDataModule();
    DBLookupComboBox2->setListSource(nullptr);
    DBLookupComboBox2->setListSource(m.DataSourceDivision);
    DBGrid1->setDataSource(nullptr);
    DBImage7->setDataSource(nullptr);
}

void TTeam::DBLookupComboBox2CloseUp()
{
    TDataModule1& m = loadedDataModule();
    TableView& teams = *m.TableSortTeam;
    teams.setFilterText(FilterForms::division(m.TableDivision->asString(QStringLiteral("Code"))));
    teams.setFiltered(true);
    DBGrid1->setDataSource(m.DataSourceSortTeam);
    DBImage7->setDataSource(m.DataSourceSortTeam);
    teams.first();
    ShowTeamSeasons();
}

void TTeam::DBGrid1CellClick()
{
    ShowTeamSeasons();
    const QString shortName = loadedDataModule().TableSortTeam->asString(QStringLiteral("ShortName"));
    setWindowTitle(QStringLiteral("Teams - \"") + shortName + QLatin1Char('"'));
}

void TTeam::ShowTeamSeasons()
{
    TDataModule1& m = loadedDataModule();
    StringGrid1->setRowCount(1);
    TableView& teams = *m.TableSortTeam;
    const QVariant code = teams.isEmpty() ? QVariant() : teams.value(QStringLiteral("Code"));
    const std::vector<TeamHistory::SeasonRow> rows = TeamHistory::teamSeasons(m, code);
    StringGrid1->setRowCount(static_cast<int>(rows.size()) + 1);
    int r = 1;
    for (const TeamHistory::SeasonRow& row : rows) {
        const QStringList cells = row.cells();
        for (int col = 0; col < cells.size(); ++col)
            StringGrid1->setCell(col, r, cells[col]);
        ++r;
    }
}

void TTeam::DBImage3Click(int n)
{
    if (!FullSize)
        return;
    thumbnail(n)->setFocus(Qt::MouseFocusReason);
    FullSize->setWindowTitle(loadedDataModule().TableSortTeam->asString(QStringLiteral("Team")));
    Dialogs::execModal(*FullSize);
}
