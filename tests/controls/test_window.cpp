#include "apperror.h"
#include "appfont.h"
#include "dialogs.h"
#include "stringgrid.h"
#include "textlabel.h"
#include "window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// --- where a window goes -------------------------------------------------------------------

TEST(WindowPlacementTest, CentredBesideAndKeptOnScreen)
{
    const QRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(WindowPlacement::centred({400, 300}, screen), QRect(440, 362, 400, 300));

    // Beside: right of the anchor, else left of it, else over it.
    const QRect anchor(100, 50, 500, 560);
    EXPECT_EQ(WindowPlacement::beside({330, 290}, anchor, screen), QRect(600, 50, 330, 290));
    const QRect rightAnchor(800, 50, 470, 560);
    EXPECT_EQ(WindowPlacement::beside({330, 290}, rightAnchor, screen), QRect(470, 50, 330, 290));
    const QRect wideAnchor(100, 50, 1100, 560);
    EXPECT_EQ(WindowPlacement::beside({330, 290}, wideAnchor, screen).left(), 100 + (1100 - 330) / 2);

    // A frame partly off screen is moved on.
    EXPECT_EQ(WindowPlacement::keptOnScreen({1100, 900, 300, 200}, screen, false, {}), QRect(980, 824, 300, 200));
    EXPECT_EQ(WindowPlacement::keptOnScreen({-40, -10, 300, 200}, screen, false, {}), QRect(0, 0, 300, 200));

    // The main window at twice the scale on 1280 by 1024: 640 by 512 to place a frame of
    // 506 by 564 in. Centred, its title bar would be off the top; it is made lower instead.
    const QRect doubled(0, 0, 640, 512);
    const QRect centred = WindowPlacement::centred({506, 564}, doubled);
    EXPECT_LT(centred.top(), 0);
    EXPECT_EQ(WindowPlacement::keptOnScreen(centred, doubled, true, {501, 350}), QRect(67, 0, 506, 512));
    // Never below its minimum; then its top left corner stays on screen.
    EXPECT_EQ(WindowPlacement::keptOnScreen(centred, QRect(0, 0, 640, 300), true, {501, 350}), QRect(67, 0, 506, 350));
    // A window of fixed size is only moved.
    EXPECT_EQ(WindowPlacement::keptOnScreen(centred, doubled, false, {}), QRect(67, 0, 506, 564));
}

// A small window of the program's kind: a line edit, a button, a check box.
class SmallWindow : public Window<QWidget>
{
public:
    SmallWindow()
    {
        auto* layout = new QHBoxLayout(this);
        Edit1 = new QLineEdit(this);
        Button1 = new QPushButton(QStringLiteral("Go"), this);
        CheckBox1 = new QCheckBox(QStringLiteral("Tick"), this);
        layout->addWidget(Edit1);
        layout->addWidget(Button1);
        layout->addWidget(CheckBox1);
        NAME_CONTROLS(Edit1, Button1, CheckBox1);
    }
    void Button1Click()
    {
        ++clicks;
        if (failing)
            throw AppError(QStringLiteral("The handler failed."));
    }

    QLineEdit* Edit1;
    QPushButton* Button1;
    QCheckBox* CheckBox1;
    int clicks = 0;
    bool failing = false;
};

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::setMessageHandler([this](Dialogs::Kind, const QString& text) { messages << text; });
    }
    void TearDown() override { Dialogs::setMessageHandler({}); }

    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    QStringList messages;
};

TEST_F(WindowTest, ShownCentredOnceAndWhollyOnScreen)
{
    SmallWindow window;
    window.frame().setFixedClientSize({300, 120});
    EXPECT_EQ(window.size(), QSize(300, 120));
    EXPECT_EQ(window.font(), AppFont::sansSerif(8)); // the program's font
    window.show();
    // Centred, give or take the frame the window system adds once it shows the window.
    EXPECT_LE((window.frameGeometry().center() - screenArea().center()).manhattanLength(), 8);

    // Shown again, it stays where the user left it.
    window.move(screenArea().topLeft() + QPoint(5, 7));
    window.hide();
    window.show();
    EXPECT_EQ(window.pos(), screenArea().topLeft() + QPoint(5, 7));

    // Taller than the screen: made lower, its top on the screen.
    SmallWindow tall;
    tall.frame().setClientSize({400, screenArea().height() + 300}, {200, 100});
    tall.show();
    QTRY_VERIFY(screenArea().contains(tall.frameGeometry()));
    EXPECT_EQ(tall.frameGeometry().top(), screenArea().top());

    // Moved off the screen later, it is brought back when asked.
    tall.move(screenArea().right() - 50, screenArea().bottom() - 50);
    tall.frame().keepOnScreen();
    EXPECT_TRUE(screenArea().contains(tall.frameGeometry()));
    EXPECT_GE(tall.height(), 100);
}

TEST_F(WindowTest, PlacedBesideItsAnchor)
{
    SmallWindow main;
    main.frame().setFixedClientSize({200, 150});
    main.show();
    SmallWindow notes;
    notes.frame().setFixedClientSize({120, 100});
    notes.frame().setAnchor(&main);
    notes.show();
    EXPECT_EQ(notes.frameGeometry().left(), main.frameGeometry().right() + 1);
    EXPECT_EQ(notes.frameGeometry().top(), main.frameGeometry().top());
}

TEST_F(WindowTest, EnterPressesTheFocusedButtonAndEscapeClosesWhereAsked)
{
    SmallWindow window;
    window.connectHandler(window.Button1, &QPushButton::clicked, &SmallWindow::Button1Click);
    window.show();
    window.Button1->setFocus();
    QTest::keyClick(window.Button1, Qt::Key_Return);
    QTest::keyClick(window.Button1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(window.clicks, 2);

    // A check box is ticked with Space, not with Enter; nothing else takes Enter.
    window.CheckBox1->setFocus();
    QTest::keyClick(window.CheckBox1, Qt::Key_Return);
    EXPECT_FALSE(window.CheckBox1->isChecked());
    window.Edit1->setFocus();
    QTest::keyClick(window.Edit1, Qt::Key_Return);
    EXPECT_EQ(window.clicks, 2);
    window.Button1->setEnabled(false);
    window.Button1->setFocus();
    QTest::keyClick(window.Button1, Qt::Key_Return);
    EXPECT_EQ(window.clicks, 2);

    QTest::keyClick(window.Edit1, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible()); // not asked to
    window.frame().setClosesOnEscape(true);
    QTest::keyClick(window.Edit1, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(WindowTest, AHandlersErrorIsShownOnceAndTheWindowGoesOn)
{
    SmallWindow window;
    window.connectHandler(window.Button1, &QPushButton::clicked, &SmallWindow::Button1Click);
    int plain = 0;
    window.connectHandler(window.CheckBox1, &QCheckBox::toggled, std::function<void()>([&] {
                              ++plain;
                              throw std::runtime_error("no luck");
                          }));
    window.failing = true;
    window.Button1->click();
    window.CheckBox1->click();
    EXPECT_EQ(messages, (QStringList{"The handler failed.", "no luck"}));
    window.failing = false;
    window.Button1->click();
    EXPECT_EQ(window.clicks, 2);
    EXPECT_EQ(plain, 1);
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(WindowTest, ControlsAreNamedAfterTheirMembers)
{
    SmallWindow window;
    EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("Button1")), window.Button1);
    EXPECT_EQ(window.findChild<QCheckBox*>(QStringLiteral("CheckBox1")), window.CheckBox1);
    EXPECT_EQ(window.Edit1->objectName(), QStringLiteral("Edit1"));
}

TEST_F(WindowTest, AWindowWithoutAMaximizeButtonIsNotMaximized)
{
    SmallWindow window;
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.frame().setClientSize({300, 200}, {200, 100});
    window.show();
    window.showMaximized();
    QTRY_VERIFY(!window.isMaximized());
    EXPECT_EQ(window.size(), QSize(300, 200));

    SmallWindow maximizable;
    maximizable.frame().setClientSize({300, 200}, {200, 100});
    maximizable.showMaximized();
    QApplication::processEvents();
    EXPECT_TRUE(maximizable.isMaximized());
}

// A message box is centred over the window it concerns: the window of the control it is
// given when that is on screen; otherwise (a window still being made) the active one, or
// the screen.
TEST(MessageBoxes, AreCentredOverTheirWindow)
{
    SmallWindow window;
    window.frame().setFixedClientSize({400, 300});
    window.show();
    window.move(window.pos() + QPoint(-120, -60)); // not at the screen's centre
    QWidget* seenParent = nullptr;
    QPoint seenCentre;
    const auto answerTheBox = [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            seenParent = box->parentWidget();
            seenCentre = box->frameGeometry().center();
            box->reject();
        });
    };
    answerTheBox();
    Dialogs::error(QStringLiteral("Over the window."), window.Button1);
    EXPECT_EQ(seenParent, &window);
    EXPECT_LE((seenCentre - window.frameGeometry().center()).manhattanLength(), 8);

    QWidget beingMade; // never shown
    window.hide();
    answerTheBox();
    Dialogs::warning(QStringLiteral("Over the screen."), &beingMade);
    EXPECT_NE(seenParent, &beingMade);
    if (!seenParent) {
        EXPECT_LE((seenCentre - QGuiApplication::primaryScreen()->availableGeometry().center()).manhattanLength(), 8);
    }
}

// --- texts that must fit -------------------------------------------------------------------

TEST(FittingTexts, ALabelTakesASmallerFontThenElidesWithATooltip)
{
    QWidget parent;
    parent.setFont(QFont(parent.font().family(), 10));
    TextLabel label(&parent);
    const QString text = QStringLiteral("England - Premier League - 5991 matches - since 2010-08-14 to 2026-03-05");
    const int natural = label.fontMetrics().horizontalAdvance(text);

    // Room for the text at a point or two less: all of it is shown, smaller.
    label.setFitBox({natural * 85 / 100, 0});
    label.setCaption(text);
    EXPECT_EQ(label.text(), text);
    EXPECT_LT(label.font().pointSizeF(), 10);
    EXPECT_GE(label.font().pointSizeF(), 8);
    EXPECT_LE(label.width(), natural * 85 / 100);
    EXPECT_TRUE(label.toolTip().isEmpty());

    // Too little room even then: cut with an ellipsis, whole in the tooltip.
    label.setFitBox({natural / 2, 0});
    EXPECT_NE(label.text(), text);
    EXPECT_TRUE(label.text().endsWith(QChar(0x2026)));
    EXPECT_EQ(label.toolTip(), text);
    EXPECT_EQ(label.caption(), text);

    // Enough room: the label's own font.
    label.setFitBox({natural + 10, 0});
    EXPECT_EQ(label.font().pointSizeF(), 10);
    EXPECT_EQ(label.text(), text);
    EXPECT_TRUE(label.toolTip().isEmpty());

    // Lines that are too many for the box's height shrink the font as well.
    const QString lines = QStringLiteral("a\rb\rc\rd");
    label.setFitBox({natural, label.fontMetrics().lineSpacing() * 4 - 4});
    label.setCaption(lines);
    EXPECT_LT(label.font().pointSizeF(), 10);
    EXPECT_LE(QFontMetrics(label.font()).lineSpacing() * 4, label.fitBox().height());
}

TEST(FittingTexts, AGridCutsALongTextShowsItInATooltipAndTabLeavesIt)
{
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* grid = new StringGrid(&window);
    auto* after = new QPushButton(QStringLiteral("Next"), &window);
    layout->addWidget(grid);
    layout->addWidget(after);
    grid->setColCount(2);
    grid->setRowCount(3);
    grid->setColWidth(0, 60);
    grid->setColWidth(1, 60);
    grid->setCell(0, 1, QStringLiteral("Borussia Mönchengladbach (Mönchengladbach)"));
    grid->setCell(1, 1, QStringLiteral("Ajax"));
    EXPECT_EQ(grid->cellToolTip(0, 1), QStringLiteral("Borussia Mönchengladbach (Mönchengladbach)"));
    EXPECT_EQ(grid->cellToolTip(1, 1), QString());

    // The cut text ends at its cell: nothing is painted in the last pixels before the next.
    const QImage shot = grid->viewport()->grab().toImage();
    const QRect cell = grid->visualRect(grid->model()->index(1, 0));
    bool inkAtTheEdge = false;
    for (int y = cell.top(); y < cell.bottom(); ++y)
        inkAtTheEdge |= shot.pixelColor(cell.right(), y) != QColor(Qt::white);
    EXPECT_FALSE(inkAtTheEdge);

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->setFocus();
    grid->setCurrentCell(1, 0);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
}

} // namespace
