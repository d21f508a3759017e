#include "tmain.h"

#include "apperror.h"
#include "appfont.h"
#include "datamodule.h"
#include "dbimage.h"
#include "dblookupcombobox.h"
#include "dialogs.h"
#include "gauge.h"
#include "glyphs.h"
#include "headtohead.h"
#include "headtoheadquery.h"
#include "shape.h"
#include "sortedcombobox.h"
#include "stringgrid.h"
#include "textlabel.h"
#include "version.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

TMain* Main = nullptr;

namespace {

constexpr int kClientWidth = 498;
constexpr int kClientHeight = 510;
constexpr int kGridHeight = 270;
constexpr int kGridTop = kClientHeight - kGridHeight; // the grid's top at the window's own size
constexpr int kStatisticsRight = 488;                 // the statistics text keeps its right edge here
constexpr int kStatisticsLeft = 256;                  // and stays right of the check boxes

// The results grid marks the winner's name green and the loser's red, and shades every
// second match row light grey.
const QColor kWinColour(0, 128, 0);
const QColor kLossColour(255, 0, 0);

QLabel* label(const QString& text, QWidget* parent, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->resize(l->sizeHint());
    return l;
}

} // namespace

TMain::TMain(QWidget* parent) : Window<QMainWindow>(parent)
{
    Main = this;
    setWindowTitle(QStringLiteral(TALLYFIELD_CAPTION));
    // No maximize button, and no maximizing by other means either.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildControls();
    // The frame of 506 by 564, at least 501 by 350, less its borders and title bar; the
    // menu bar comes on top of this.
    frame().setClientSize({kClientWidth, kClientHeight}, {493, 296});

    if (!openDatabase()) {
        // Start-up goes on without the database, quietly: the user has been told once, and
        // the windows show empty lists.
        Button1->setEnabled(false);
        return;
    }
    Label6->setCaption(QString());
    const QStringList titles{QStringLiteral("№"), QStringLiteral("Date"), QStringLiteral("Home"),
                             QStringLiteral("Away"), QStringLiteral("Goals")};
    for (int c = 0; c < titles.size(); ++c)
        StringGrid1->setCell(c, 0, titles[c]);
}

// Opens the database in the working directory's folder Table. A database another program
// holds locked may be tried again as often as the user likes; any other failure is shown.
bool TMain::openDatabase()
{
    const QString folder = QDir::current().filePath(QStringLiteral("Table"));
    for (;;) {
        try {
            Database1.close();
            Database1.open(folder);
            return true;
        } catch (const DatabaseInUse& error) {
            if (!Dialogs::ask(Dialogs::Question::RetryCancel, error.message(), this))
                return false;
        } catch (const AppError& error) {
            Dialogs::error(error.message(), this);
            return false;
        }
    }
}

TMain::~TMain()
{
    if (Main == this)
        Main = nullptr;
}

void TMain::buildControls()
{
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    m_client->installEventFilter(this);
    QWidget* c = m_client;

    Shape1 = new Shape(Qt::white, Qt::black, c);
    Shape1->setGeometry(0, 0, kClientWidth, 97);

    Label2 = label(QStringLiteral("Country"), c, 25, 22);
    Label1 = label(QStringLiteral("Competition"), c, 8, 51);
    for (QLabel* l : {Label2, Label1}) {
        l->setAutoFillBackground(true);
        QPalette pal = l->palette();
        pal.setColor(QPalette::Window, Qt::white);
        l->setPalette(pal);
    }

    DBLookupComboBox2 = new DBLookupComboBox(c);
    DBLookupComboBox2->setKeyField(QStringLiteral("Country"));
    DBLookupComboBox2->setListField(QStringLiteral("Country"));
    DBLookupComboBox2->setDropDownRows(10);
    DBLookupComboBox2->setGeometry(72, 16, 145, DBLookupComboBox2->sizeHint().height());

    DBLookupComboBox1 = new DBLookupComboBox(c);
    DBLookupComboBox1->setKeyField(QStringLiteral("Code"));
    DBLookupComboBox1->setListField(QStringLiteral("Division"));
    DBLookupComboBox1->setDropDownRows(10);
    DBLookupComboBox1->setGeometry(72, 48, 145, DBLookupComboBox1->sizeHint().height());

    DBImage1 = new DBImage(c);
    DBImage1->setDataField(QStringLiteral("Flag"));
    DBImage1->setGeometry(240, 2, 74, 74);
    DBImage1->hide();
    DBImage2 = new DBImage(c);
    DBImage2->setDataField(QStringLiteral("Logo"));
    DBImage2->setGeometry(330, 2, 74, 74);
    DBImage2->hide();

    Shape2 = new Shape(QColor(192, 192, 192), QColor(128, 128, 128), c);
    Shape2->setGeometry(0, 77, kClientWidth, 20);
    Label7 = new TextLabel(c);
    Label7->placeAt(8, 80);

    Label4 = label(QStringLiteral("Team 1"), c, 8, 104);
    ComboBox1 = new SortedComboBox(c);
    ComboBox1->setGeometry(8, 120, 225, ComboBox1->sizeHint().height());
    Label5 = label(QStringLiteral("Team 2"), c, 264, 104);
    ComboBox2 = new SortedComboBox(c);
    ComboBox2->setGeometry(264, 120, 225, ComboBox2->sizeHint().height());

    Button1 = new QPushButton(QStringLiteral("Show statistics"), c);
    Button1->setGeometry(8, 152, 121, 25);
    Button1->setCursor(Qt::PointingHandCursor);

    CheckBox1 = new QCheckBox(QStringLiteral("Save order"), c);
    CheckBox1->setGeometry(136, 152, 113, 17);
    CheckBox2 = new QCheckBox(QStringLiteral("All competition"), c);
    CheckBox2->setGeometry(136, 176, 113, 17);

    Label6 = new TextLabel(c);
    Label6->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label6->placeAt(kStatisticsRight, 144);
    // The statistics text stays right of the check boxes and above the grid.
    Label6->setFitBox({kStatisticsRight - kStatisticsLeft, kGridTop - 144});

    Label3 = label(QStringLiteral("Results"), c, 9, 212);

    SpeedButton1 = new QToolButton(c);
    SpeedButton1->setIcon(Glyphs::printer());
    SpeedButton1->setToolTip(QStringLiteral("Print"));
    SpeedButton2 = new QToolButton(c);
    SpeedButton2->setIcon(Glyphs::note());
    SpeedButton2->setToolTip(QStringLiteral("Add to note"));
    int x = 72;
    for (QToolButton* b : {SpeedButton1, SpeedButton2}) {
        b->setAutoRaise(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setGeometry(x, 208, 23, 22);
        x += 32;
    }
    SpeedButton1->setEnabled(false);

    Gauge1 = new Gauge(c);
    Gauge1->setGeometry(136, 210, 353, 20);
    Gauge1->hide();

    StringGrid1 = new StringGrid(c);
    StringGrid1->setFont(AppFont::sansSerif(8));
    StringGrid1->setFrameShape(QFrame::Box);
    StringGrid1->setFrameShadow(QFrame::Plain);
    StringGrid1->setColCount(5);
    StringGrid1->setRowCount(1);
    StringGrid1->setDefaultRowHeight(16);
    const int widths[] = {25, 60, 175, 175, 35};
    for (int col = 0; col < 5; ++col)
        StringGrid1->setColWidth(col, widths[col]);
    StringGrid1->drawCell = [this](QPainter& painter, int col, int row, const QRect& rect,
                                   StringGrid::DrawState state) {
        StringGrid1DrawCell(painter, col, row, rect, state.selected);
    };

    // The statistics text grows downwards and must not hide behind the grid.
    Label6->raise();

    NAME_CONTROLS(Shape1, Label2, DBLookupComboBox2, Label1, DBLookupComboBox1, DBImage1, DBImage2, Shape2, Label7,
                  Label4, ComboBox1, Label5, ComboBox2, Button1, CheckBox1, CheckBox2, Label6, Label3, SpeedButton1,
                  SpeedButton2, Gauge1, StringGrid1);

    connectHandler(DBLookupComboBox2, &DBLookupComboBox::closeUp, &TMain::DBLookupComboBox2CloseUp);
    connectHandler(DBLookupComboBox1, &DBLookupComboBox::closeUp, &TMain::DBLookupComboBox1CloseUp);
    connectHandler(Button1, &QPushButton::clicked, &TMain::Button1Click);
    connectHandler(SpeedButton1, &QToolButton::clicked, &TMain::SpeedButton1Click);
    connectHandler(SpeedButton2, &QToolButton::clicked, &TMain::SpeedButton2Click);
    // Typing another team recolours the names in the grid.
    for (SortedComboBox* box : {ComboBox1, ComboBox2})
        connect(box, &QComboBox::currentTextChanged, StringGrid1->viewport(), qOverload<>(&QWidget::update));

    arrangeControls();
}

// The bands and the grid take the width of the window. The grid fills the window below
// the controls, 270 high at the window's own size, so that a taller window leaves no gap
// under it and a lower one (a small screen) shortens it instead of covering the controls.
void TMain::arrangeControls()
{
    const int w = m_client->width();
    const int h = m_client->height();
    Shape1->setGeometry(0, 0, w, 97);
    Shape2->setGeometry(0, 77, w, 20);
    Label7->setFitBox({w - 16, 0});
    StringGrid1->setGeometry(0, kGridTop, w, std::max(h - kGridTop, 0));
}

bool TMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        arrangeControls();
    return Window<QMainWindow>::eventFilter(watched, event);
}

void TMain::showEvent(QShowEvent* event)
{
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (!m_connected && DataModule1)
            Dialogs::runHandler([this] { connectDataModule(); }, this);
    }
    Window<QMainWindow>::showEvent(event);
}

void TMain::connectDataModule()
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

void TMain::disableShowStatistics()
{
    Button1->setEnabled(false);
}

void TMain::detachCountryChooser()
{
    DBLookupComboBox2->setListSource(nullptr);
}

void TMain::attachCountryChooser()
{
    DBLookupComboBox2->setListSource(loadedDataModule().DataSourceCountry);
}

void TMain::setResultsPrinter(std::function<void()> print)
{
    m_printResults = std::move(print);
}

void TMain::setPrintEnabled(bool enabled)
{
    SpeedButton1->setEnabled(enabled);
    if (printingAvailable())
        emit printEnabledChanged(enabled);
}

QString TMain::statisticsText() const
{
    return Label6->caption();
}

// A country has been chosen: the chooser has made it the current country.
void TMain::DBLookupComboBox2CloseUp()
{
    TDataModule1& m = loadedDataModule();
    Label7->setCaption(m.TableCountry->asString(QStringLiteral("Country")));
    DBImage1->show();
    DBImage2->show();
    // The competition list now holds the chosen country's competitions; the competition
    // shown before stays only if it belongs to that country.
    DBLookupComboBox1->setListSource(nullptr);
    DBLookupComboBox1->setListSource(m.DataSourceDivision);
    ComboBox1->setEditText(QString());
    ComboBox2->setEditText(QString());
    Label6->setCaption(QString());
    setPrintEnabled(false);
    StringGrid1->setRowCount(1);
    emit countryChosen();
    Button1->setEnabled(false);
}

// A competition has been chosen: its teams fill the two lists, and the status line tells
// how many matches it has and from when to when.
void TMain::DBLookupComboBox1CloseUp()
{
    TDataModule1& m = loadedDataModule();
    const QString team1 = ComboBox1->currentText();
    const QString team2 = ComboBox2->currentText();
    ComboBox1->clearEntries();
    ComboBox2->clearEntries();
    ComboBox1->setEditText(team1);
    ComboBox2->setEditText(team2);

    const QStringList labels = CompetitionChoice::teamLabels(m);
    for (const QString& name : labels) {
        ComboBox1->addSorted(name);
        ComboBox2->addSorted(name);
    }
    if (!labels.isEmpty())
        Button1->setEnabled(true);

    const CompetitionChoice::Period period = CompetitionChoice::period(m);
    Label7->setCaption(CompetitionChoice::statusLine(m.TableCountry->asString(QStringLiteral("Country")),
                                                     m.TableDivision->asString(QStringLiteral("Division")), period));
}

// "Show statistics": every match between the two teams, newest first, and their record.
void TMain::Button1Click()
{
    TDataModule1& m = loadedDataModule();
    const QString team1 = ComboBox1->currentText();
    const QString team2 = ComboBox2->currentText();
    HeadToHeadQuery query(m, team1, team2, CheckBox1->isChecked() /* "Save order" */,
                          CheckBox2->isChecked() /* "All competition" */);

    Label6->setCaption(QString());
    StringGrid1->setRowCount(1);
    if (query.matchCount() == 0) {
        Dialogs::warning(QStringLiteral("Results not found!"), this);
        return;
    }

    Gauge1->setProgress(0);
    Gauge1->show();
    struct HideGauge
    {
        Gauge* gauge;
        ~HideGauge() { gauge->hide(); }
    } hideGauge{Gauge1};

    const HeadToHead record = query.read([this](const HeadToHeadQuery::Match& match, int percent) {
        const int r = StringGrid1->rowCount();
        StringGrid1->setRowCount(r + 1);
        StringGrid1->setCell(0, r, QString::number(match.number) + QLatin1Char('.'));
        StringGrid1->setCell(1, r, match.date);
        StringGrid1->setCell(2, r, match.home);
        StringGrid1->setCell(3, r, match.away);
        StringGrid1->setCell(4, r, match.score);
        Gauge1->setProgress(percent);
    });
    Gauge1->hide();

    Label6->setCaption(record.statisticsText());
    setPrintEnabled(true);
}

// Paints over a cell of the results grid once the grid has drawn it: the winner's name
// green, the loser's red, and every second match row light grey. The selected row is
// shown on a pale tint of the highlight colour, on which the green and red names stay as
// readable as on white; on a grey row the grey takes the place of the highlight, and the
// row's other texts take the highlight's colour instead.
void TMain::StringGrid1DrawCell(QPainter& painter, int col, int row, const QRect& rect, bool selected)
{
    if (row < 1)
        return;
    const QString text = StringGrid1->cell(col, row);
    StringGrid::CellMarks marks;
    if (col == 2 || col == 3) {
        const auto mark = HeadToHead::nameMark(text, col == 2, StringGrid1->cell(4, row), ComboBox1->currentText(),
                                               ComboBox2->currentText());
        if (mark)
            marks.colour = *mark == HeadToHead::NameMark::Winner ? kWinColour : kLossColour;
    }
    marks.shaded = row % 2 == 0;
    StringGrid1->paintMarkedCell(painter, rect, text, selected, marks);
}

void TMain::SpeedButton1Click()
{
    if (!m_printResults) {
        Dialogs::information(QStringLiteral("Printing is not available yet."), this);
        return;
    }
    m_printResults();
}

// "Add to note": the pair, the statistics text and a line of hyphens go to the end of the
// notes, and the notes window comes to the front.
void TMain::SpeedButton2Click()
{
    emit addToNotes({ComboBox1->currentText() + QStringLiteral(" - ") + ComboBox2->currentText(), Label6->caption(),
                     QString(50, QLatin1Char('-'))});
}
