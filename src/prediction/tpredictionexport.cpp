#include "tpredictionexport.h"

#include "appfont.h"
#include "glyphs.h"
#include "stringgrid.h"

#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TPredictionExport* PredictionExport = nullptr;

namespace {

constexpr int kColumnWidths[PredictionsList::kColumns] = {154, 147, 64, 64, 64, 64, 64, 84};

const QColor kLikeliest(0, 128, 0);
const QColor kMixed(116, 227, 15);
const QColor kOutcomeBackground(218, 218, 218);

// Writes a text as the drawing rule does: 1 pixel from the cell's left edge, 2 from its top.
void writeText(QPainter& painter, const QRect& rect, const QString& text)
{
    painter.drawText(rect.adjusted(1, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

} // namespace

TPredictionExport::TPredictionExport(QWidget* parent)
    : Window<QWidget>(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                  Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                  Qt::WindowCloseButtonHint)
{
    PredictionExport = this;
    setObjectName(QStringLiteral("PredictionExport"));
    setWindowTitle(QStringLiteral("Predictions list"));
    // An open list does not keep the program running once the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    frame().setClientSize({745, 266}, {300, 120});
    frame().setClosesOnEscape(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setMovable(false);
    ToolButton1 = new QToolButton(ToolBar1);
    ToolButton1->setIcon(Glyphs::clear());
    ToolButton1->setToolTip(QStringLiteral("Clear"));
    ToolButton2 = new QToolButton(ToolBar1);
    ToolButton2->setIcon(Glyphs::spreadsheet());
    ToolButton2->setToolTip(QStringLiteral("Export to Excel"));
    for (QToolButton* b : {ToolButton1, ToolButton2}) {
        b->setAutoRaise(true);
        ToolBar1->addWidget(b);
    }
    layout->addWidget(ToolBar1);

    StringGrid1 = new StringGrid(this);
    StringGrid1->setFont(AppFont::arial(8));
    StringGrid1->setFrameShape(QFrame::NoFrame);
    StringGrid1->setColCount(PredictionsList::kColumns);
    StringGrid1->setDefaultRowHeight(16);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int col = 0; col < PredictionsList::kColumns; ++col)
        StringGrid1->setColWidth(col, kColumnWidths[col]);
    StringGrid1->drawCell = [this](QPainter& painter, int col, int row, const QRect& rect,
                                   StringGrid::DrawState state) {
        StringGrid1DrawCell(painter, col, row, rect, state.selected);
    };
    layout->addWidget(StringGrid1);

    NAME_CONTROLS(ToolBar1, ToolButton1, ToolButton2, StringGrid1);
    connectHandler(ToolButton1, &QToolButton::clicked, &TPredictionExport::ToolButton1Click);
    connectHandler(ToolButton2, &QToolButton::clicked, &TPredictionExport::ToolButton2Click);

    // FormCreate: the title row, which scrolls with the others.
    showRows();
}

TPredictionExport::~TPredictionExport()
{
    if (PredictionExport == this)
        PredictionExport = nullptr;
}

// The grid shows the list's rows as they are.
void TPredictionExport::showRows()
{
    const auto& rows = m_list.rows();
    const int first = qMin(StringGrid1->rowCount(), static_cast<int>(rows.size()));
    StringGrid1->setRowCount(static_cast<int>(rows.size()));
    // Rows already shown do not change; Clear empties the grid to its title row.
    for (int r = qMax(0, first - 1); r < static_cast<int>(rows.size()); ++r) {
        for (int col = 0; col < PredictionsList::kColumns; ++col)
            StringGrid1->setCell(col, r, rows[static_cast<size_t>(r)].value(col));
    }
}

void TPredictionExport::add(const QString& team1, const QString& team2, const Prediction::Outcome& outcome,
                            const QString& baseCaption)
{
    m_list.add(team1, team2, outcome, baseCaption);
    showRows();
    show();
    raise();
    activateWindow();
}

void TPredictionExport::ToolButton1Click()
{
    m_list.clear();
    showRows();
}

void TPredictionExport::ToolButton2Click()
{
    if (!m_export) {
        Dialogs::information(QStringLiteral("Export to Excel is not available yet."), this);
        return;
    }
    m_export();
}

// Paints over a cell once the grid has drawn it: the title row in bold, a Mixed row's
// caption on green, the three outcomes on grey with the likeliest in bold green, and the
// greater of Over and Under in bold green. Each cell starts from the grid's own font and
// colours.
void TPredictionExport::StringGrid1DrawCell(QPainter& painter, int col, int row, const QRect& rect, bool selected)
{
    if (row < 0 || row >= m_list.rowCount())
        return;
    const QStringList& cells = m_list.rows()[static_cast<size_t>(row)];
    const QString text = cells.value(col);
    // The selected row is shown on a pale tint of the highlight colour, on which the green
    // texts stay readable; its cells are all written here, the first two included.
    const QPalette& pal = StringGrid1->viewport()->palette();
    const QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);
    const QColor background = selected ? QColor((highlight.red() + 3 * 255) / 4, (highlight.green() + 3 * 255) / 4,
                                                (highlight.blue() + 3 * 255) / 4)
                                       : QColor(Qt::white);
    const QColor textColour = pal.color(QPalette::Text);
    QFont bold = StringGrid1->font();
    bold.setBold(true);

    // The written text takes the place of the default one, which would show around it.
    const auto rewrite = [&](const QColor& fill, const QColor& pen, const QFont& font, const QString& written) {
        painter.fillRect(rect, fill);
        painter.setPen(pen);
        painter.setFont(font);
        writeText(painter, rect, written);
    };

    if (row == 0) {
        rewrite(background, textColour, bold, text);
        return;
    }
    if (col <= 1) {
        if (selected) { // the default painting, on the pale tint
            painter.fillRect(rect, background);
            painter.setPen(textColour);
            StringGrid::drawCellText(painter, rect, text);
        }
        return;
    }
    if (col == 7) {
        if (PredictionsList::isMixed(cells))
            rewrite(kMixed, Qt::white, StringGrid1->font(), text + QLatin1Char(' '));
        else
            rewrite(background, textColour, StringGrid1->font(), text + QLatin1Char(' '));
        return;
    }
    if (col >= 2 && col <= 4) {
        const bool likeliest = PredictionsList::likeliestOutcomeColumn(cells) == col;
        // On the selected row the texts on grey take the highlight's colour.
        rewrite(kOutcomeBackground,
                likeliest  ? kLikeliest
                : selected ? highlight
                           : textColour,
                likeliest ? bold : StringGrid1->font(), text + QLatin1Char('%'));
        return;
    }
    if (col == 5 || col == 6) {
        const bool greater = PredictionsList::isGreaterGoalsCell(cells, col);
        rewrite(background, greater ? kLikeliest : textColour, greater ? bold : StringGrid1->font(),
                text + QLatin1Char('%'));
    }
}
