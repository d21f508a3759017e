#include "tprediction.h"

#include "apperror.h"
#include "appfont.h"
#include "datamodule.h"
#include "dblookupcombobox.h"
#include "glyphs.h"
#include "headtoheadquery.h"
#include "shape.h"
#include "sortedcombobox.h"
#include "textlabel.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

TPrediction* PredictionWindow = nullptr;

namespace {

constexpr int kClientWidth = 520;
constexpr int kClientHeight = 450;
constexpr int kPageWidth = 510; // the tab page inside the tab's frame
constexpr int kTextRight = 500; // the prediction texts keep their right edge here
constexpr int kCountsTop = 150;
constexpr int kPredictionTop = 300;

QLabel* label(const QString& text, QWidget* parent, int x, int y)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->resize(l->sizeHint());
    return l;
}

void setLinkColour(QLabel* link, const QColor& colour)
{
    QPalette pal = link->palette();
    pal.setColor(QPalette::WindowText, colour);
    link->setPalette(pal);
}

} // namespace

TPrediction::TPrediction(QWidget* parent) : Window<QDialog>(parent, kDialogTitleBar)
{
    PredictionWindow = this;
    setObjectName(QStringLiteral("Prediction"));
    setWindowTitle(QStringLiteral("Prediction"));
    frame().setFixedClientSize({kClientWidth, kClientHeight});
    frame().setClosesOnEscape(true);
    buildControls();
}

TPrediction::~TPrediction()
{
    if (PredictionWindow == this)
        PredictionWindow = nullptr;
}

void TPrediction::buildControls()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(4, 4, kClientWidth - 8, kClientHeight - 8);
    TabSheet1 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("Prediction on game reasult"));
    QWidget* p = TabSheet1;

    Label1 = label(QStringLiteral("Country"), p, 25, 14);
    DBLookupComboBox2 = new DBLookupComboBox(p);
    DBLookupComboBox2->setKeyField(QStringLiteral("Country"));
    DBLookupComboBox2->setListField(QStringLiteral("Country"));
    DBLookupComboBox2->setDropDownRows(10);
    DBLookupComboBox2->setGeometry(80, 10, 170, DBLookupComboBox2->sizeHint().height());
    Label2 = label(QStringLiteral("Competition"), p, 8, 44);
    DBLookupComboBox1 = new DBLookupComboBox(p);
    DBLookupComboBox1->setKeyField(QStringLiteral("Code"));
    DBLookupComboBox1->setListField(QStringLiteral("Division"));
    DBLookupComboBox1->setDropDownRows(10);
    DBLookupComboBox1->setGeometry(80, 40, 170, DBLookupComboBox1->sizeHint().height());

    // The notice at the top right: a light bulb, the advice and the link, in a frame with
    // rounded corners.
    Shape1 = new Shape(QColor(255, 255, 225), QColor(128, 128, 128), p);
    Shape1->setRoundedCorners(8);
    Shape1->setGeometry(272, 6, 226, 62);
    Image1 = new QLabel(p);
    Image1->setPixmap(Glyphs::bulb().pixmap(16, 16).scaled(28, 28, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Image1->setGeometry(280, 16, 30, 30);
    Label9 = new QLabel(QStringLiteral("Before compose preditction update DB"), p);
    Label9->setWordWrap(true);
    Label9->setGeometry(316, 12, 176, 30);
    HyperLink6 = new QLabel(QStringLiteral("Update now"), p);
    QFont linkFont = HyperLink6->font();
    linkFont.setUnderline(true);
    HyperLink6->setFont(linkFont);
    setLinkColour(HyperLink6, Qt::blue);
    HyperLink6->setCursor(Qt::PointingHandCursor);
    HyperLink6->move(316, 46);
    HyperLink6->resize(HyperLink6->sizeHint());
    HyperLink6->installEventFilter(this);

    Shape2 = new Shape(QColor(192, 192, 192), QColor(128, 128, 128), p);
    Shape2->setGeometry(0, 74, kPageWidth, 20);
    Label7 = new QLabel(p);
    Label7->setGeometry(6, 76, kPageWidth - 12, 16);

    Label4 = label(QStringLiteral("Team 1"), p, 8, 100);
    ComboBox1 = new SortedComboBox(p);
    ComboBox1->setGeometry(8, 116, 230, ComboBox1->sizeHint().height());
    Label5 = label(QStringLiteral("Team 2"), p, 268, 100);
    ComboBox2 = new SortedComboBox(p);
    ComboBox2->setGeometry(268, 116, 230, ComboBox2->sizeHint().height());

    Button1 = new QPushButton(QStringLiteral("Predict"), p);
    Button1->setGeometry(8, 152, 97, 25);
    Button1->setCursor(Qt::PointingHandCursor);
    SpeedButton2 = new QToolButton(p);
    SpeedButton2->setIcon(Glyphs::note());
    SpeedButton2->setToolTip(QStringLiteral("Add to predictions list"));
    SpeedButton2->setAutoRaise(true);
    SpeedButton2->setCursor(Qt::PointingHandCursor);
    SpeedButton2->setGeometry(114, 153, 23, 22);
    SpeedButton2->setEnabled(false);

    GroupBox1 = new QGroupBox(QStringLiteral("Based on"), p);
    GroupBox1->setGeometry(8, 188, 150, 66);
    RadioButton1 = new QRadioButton(QStringLiteral("Intramural games"), GroupBox1);
    RadioButton1->setGeometry(10, 20, 134, 18);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("All games"), GroupBox1);
    RadioButton2->setGeometry(10, 40, 134, 18);

    // The counts behind the prediction, and the prediction below them; both right-aligned
    // and hidden until the first "Predict".
    Label3 = new TextLabel(p);
    Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label3->setFitBox({kTextRight - 170, kPredictionTop - kCountsTop - 6});
    Label3->placeAt(kTextRight, kCountsTop);
    Label3->hide();
    Label8 = new TextLabel(QStringLiteral("Prediction"), p);
    Label8->setFont(AppFont::verdana(9, true));
    QPalette navy = Label8->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label8->setPalette(navy);
    Label8->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label8->setFitBox({kTextRight - 8, kClientHeight - kPredictionTop - 40});
    Label8->placeAt(kTextRight, kPredictionTop);
    Label8->hide();
    // The model's intermediate values, for a developer's eyes only: never shown.
    Label6 = new TextLabel(p);
    Label6->hide();

    NAME_CONTROLS(PageControl1, TabSheet1, Label1, DBLookupComboBox2, Label2, DBLookupComboBox1, Shape1, Image1, Label9,
                  HyperLink6, Shape2, Label7, Label4, ComboBox1, Label5, ComboBox2, Button1, SpeedButton2, GroupBox1,
                  RadioButton1, RadioButton2, Label3, Label8, Label6);

    connectHandler(DBLookupComboBox2, &DBLookupComboBox::closeUp, &TPrediction::DBLookupComboBox2CloseUp);
    connectHandler(DBLookupComboBox1, &DBLookupComboBox::closeUp, &TPrediction::DBLookupComboBox1CloseUp);
    connectHandler(ComboBox1, &SortedComboBox::closeUp, &TPrediction::ComboBox1CloseUp);
    connectHandler(ComboBox2, &SortedComboBox::closeUp, &TPrediction::ComboBox2CloseUp);
    connectHandler(RadioButton1, &QRadioButton::clicked, &TPrediction::RadioButton1Click);
    connectHandler(RadioButton2, &QRadioButton::clicked, &TPrediction::RadioButton2Click);
    connectHandler(Button1, &QPushButton::clicked, &TPrediction::Button1Click);
    connectHandler(SpeedButton2, &QToolButton::clicked, &TPrediction::SpeedButton2Click);
}

void TPrediction::showEvent(QShowEvent* event)
{
    if (!m_connected && DataModule1)
        Dialogs::runHandler([this] { connectDataModule(); }, this);
    Window<QDialog>::showEvent(event);
}

// The link turns navy while the pointer is over it and opens the page when clicked.
bool TPrediction::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == HyperLink6) {
        switch (event->type()) {
        case QEvent::Enter:
            setLinkColour(HyperLink6, QColor(0, 0, 128));
            break;
        case QEvent::Leave:
            setLinkColour(HyperLink6, Qt::blue);
            break;
        case QEvent::MouseButtonRelease:
            Dialogs::runHandler([this] { HyperLink6Click(); }, this);
            return true;
        default:
            break;
        }
    }
    return Window<QDialog>::eventFilter(watched, event);
}

void TPrediction::connectDataModule()
{
    if (m_connected)
        return;
    TDataModule1& m = loadedDataModule();
    m_connected = true;
    DBLookupComboBox2->setListSource(m.DataSourceCountry);
    DBLookupComboBox1->setListSource(m.DataSourceDivision);
}

Prediction::Base TPrediction::base() const
{
    return RadioButton2->isChecked() ? Prediction::Base::AllGames : Prediction::Base::Intramural;
}

void TPrediction::DBLookupComboBox2CloseUp()
{
    TDataModule1& m = loadedDataModule();
    Label7->setText(m.TableCountry->asString(QStringLiteral("Country")));
    // The competition list now holds the chosen country's competitions.
    DBLookupComboBox1->setListSource(nullptr);
    DBLookupComboBox1->setListSource(m.DataSourceDivision);
    ComboBox1->setEditText(QString());
    ComboBox2->setEditText(QString());
}

// The competition's teams fill both lists (the typed texts stay), and the grey bar tells
// how many matches the prediction can draw on, and from when to when.
void TPrediction::DBLookupComboBox1CloseUp()
{
    TDataModule1& m = loadedDataModule();
    const QString team1 = ComboBox1->currentText();
    const QString team2 = ComboBox2->currentText();
    ComboBox1->clearEntries();
    ComboBox2->clearEntries();
    ComboBox1->setEditText(team1);
    ComboBox2->setEditText(team2);
    for (const QString& name : CompetitionChoice::teamLabels(m)) {
        ComboBox1->addSorted(name);
        ComboBox2->addSorted(name);
    }
    const CompetitionChoice::Period period = CompetitionChoice::period(m);
    Label7->setText(CompetitionChoice::statusLine(m.TableCountry->asString(QStringLiteral("Country")),
                                                  m.TableDivision->asString(QStringLiteral("Division")), period));
}

void TPrediction::ComboBox1CloseUp()
{
    SpeedButton2->setEnabled(false);
}

void TPrediction::ComboBox2CloseUp()
{
    SpeedButton2->setEnabled(false);
}

void TPrediction::RadioButton1Click()
{
    SpeedButton2->setEnabled(false);
}

void TPrediction::RadioButton2Click()
{
    SpeedButton2->setEnabled(false);
}

void TPrediction::Button1Click()
{
    TDataModule1& m = loadedDataModule();
    m_last = {};
    SpeedButton2->setEnabled(true);
    Label8->show();
    Label3->show();
    const QString team1 = ComboBox1->currentText();
    const QString team2 = ComboBox2->currentText();
    const Prediction::Result r = Prediction::predict(m, team1, team2, base());
    Label3->setCaption(r.texts.counts);
    Label3->placeAt(kTextRight, kCountsTop);
    if (!r.forecast.enough) {
        Dialogs::warning(Prediction::insufficientDataMessage(), this);
        Label8->setCaption(r.texts.prediction);
        Label8->placeAt(kTextRight, kPredictionTop);
        return;
    }
    Label6->setCaption(r.texts.diagnostics);
    m_last = r.forecast.outcome;
    Label8->setCaption(r.texts.prediction);
    Label8->placeAt(kTextRight, kPredictionTop);
}

void TPrediction::SpeedButton2Click()
{
    emit addToPredictionsList(ComboBox1->currentText(), ComboBox2->currentText(), m_last,
                              Prediction::baseCaption(base()));
}

void TPrediction::HyperLink6Click()
{
    emit updatePageRequested();
}
