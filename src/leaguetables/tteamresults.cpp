#include "tteamresults.h"

#include "datamodule.h"
#include "leaguetable.h"
#include "stringgrid.h"

#include <QPainter>
#include <QShowEvent>
#include <QVBoxLayout>

TTeamResults* TeamResults = nullptr;

namespace {

const QColor kWinColour(0, 128, 0);
const QColor kLossColour(255, 0, 0);
constexpr int kColumnWidths[] = {25, 60, 190, 190, 40};

} // namespace

TTeamResults::TTeamResults(QWidget* parent)
    : Window<QDialog>(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    TeamResults = this;
    setObjectName(QStringLiteral("TeamResults"));
    frame().setClientSize({532, 630}, {200, 150});
    frame().setClosesOnEscape(true);

    StringGrid1 = new StringGrid(this);
    StringGrid1->setColCount(5);
    StringGrid1->setRowCount(1);
    StringGrid1->setFixedRows(0); // the headers scroll with the list
    StringGrid1->setDefaultRowHeight(16);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int col = 0; col < 5; ++col)
        StringGrid1->setColWidth(col, kColumnWidths[col]);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1);
    StringGrid1->drawCell = [this](QPainter& painter, int col, int row, const QRect& rect,
                                   StringGrid::DrawState state) {
        StringGrid1DrawCell(painter, col, row, rect, state.selected);
    };

    NAME_CONTROLS(StringGrid1);
}

TTeamResults::~TTeamResults()
{
    if (TeamResults == this)
        TeamResults = nullptr;
}

void TTeamResults::showGames(const QString& season)
{
    m_season = season;
    Dialogs::execModal(*this);
}

void TTeamResults::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Dialogs::runHandler([this] { FormShow(); }, this);
    Window<QDialog>::showEvent(event);
}

void TTeamResults::done(int result)
{
    Dialogs::runHandler([this] { FormClose(); }, this);
    Window<QDialog>::done(result);
}

void TTeamResults::FormShow()
{
    TDataModule1& m = loadedDataModule();
    m_team = m.TableSortDet->isEmpty() ? QString() : m.TableSortDet->asString(QStringLiteral("Team"));
    setWindowTitle(TeamGames::title(m_team, m_season));
    StringGrid1->setRowCount(1);
    const QStringList headers = TeamGames::headers();
    for (int col = 0; col < headers.size(); ++col)
        StringGrid1->setCell(col, 0, headers[col]);
    const std::vector<TeamGames::Game> games = TeamGames::select(m, m_team);
    StringGrid1->setRowCount(static_cast<int>(games.size()) + 1);
    int row = 0;
    for (const TeamGames::Game& game : games) {
        ++row;
        const QStringList cells = TeamGames::cells(row, game);
        for (int col = 0; col < cells.size(); ++col)
            StringGrid1->setCell(col, row, cells[col]);
    }
}

void TTeamResults::FormClose()
{
    if (DataModule1)
        DataModule1->TableResults->setFiltered(false);
}

// The team's name bold and coloured by the game's outcome, every even row grey, also the
// selected one.
void TTeamResults::StringGrid1DrawCell(QPainter& painter, int col, int row, const QRect& rect, bool selected)
{
    if (row < 1)
        return; // the headers keep the grid's own painting
    const QString text = StringGrid1->cell(col, row);
    const TeamGames::CellLook look = TeamGames::cellLook(col, row, text, StringGrid1->cell(4, row), m_team);
    StringGrid::CellMarks marks;
    marks.shaded = look.shaded;
    marks.bold = look.bold;
    if (look.mark)
        marks.colour = *look.mark == HeadToHead::NameMark::Winner ? kWinColour : kLossColour;
    StringGrid1->paintMarkedCell(painter, rect, text, selected, marks);
}
