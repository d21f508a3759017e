#include "apperror.h"
#include "dialogs.h"
#include "leakcheckpause.h"
#include "tapplication.h"

#include <QDialog>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Shown
{
    Dialogs::Kind kind;
    QString text;
};

class ApplicationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::setMessageHandler([this](Dialogs::Kind kind, const QString& text) { shown.push_back({kind, text}); });
    }
    void TearDown() override { Dialogs::setMessageHandler({}); }

    std::vector<Shown> shown;
};

} // namespace

TEST_F(ApplicationTest, AnErrorInAHandlerIsShownWithItsOwnTextAndTheProgramGoesOn)
{
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Tallyfield"));
    const LeakCheckPause qtFramesUnwound; // the button's clicks throw through Qt's frames
    QPushButton button(QStringLiteral("Show statistics"));
    int reached = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++reached;
        throw AppError(QStringLiteral("'x' is not a valid integer value"));
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(reached, 2);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, Dialogs::Kind::Error);
    EXPECT_EQ(shown[0].text, QStringLiteral("'x' is not a valid integer value"));
}

TEST_F(ApplicationTest, ErrorsOfTimersAndOtherExceptionsReachTheUserToo)
{
    bool laterTimerRan = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("disk full"); });
    QTimer::singleShot(0, [] { throw AppError(QStringLiteral("Table Results is busy")); });
    QTimer::singleShot(10, [&] { laterTimerRan = true; });
    QTRY_VERIFY(laterTimerRan);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("disk full"));
    EXPECT_EQ(shown[1].text, QStringLiteral("Table Results is busy"));
}

TEST_F(ApplicationTest, AnErrorInsideAModalWindowLeavesTheWindowOpen)
{
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [] { throw AppError(QStringLiteral("Filter is refused")); });
    QTimer::singleShot(50, &dialog, [&] {
        EXPECT_TRUE(dialog.isVisible());
        dialog.accept();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Filter is refused"));
}

namespace {
class FailingPaint : public QWidget
{
public:
    void paintEvent(QPaintEvent*) override
    {
        ++paints;
        throw AppError(QStringLiteral("'' is not a valid date"));
    }
    int paints = 0;
};
} // namespace

// Each repaint caused by the error box would raise the error again; the user sees it once
// while its box is open, and again only after closing it.
TEST_F(ApplicationTest, AnErrorOfPaintingIsNotRepeatedWhileItsBoxIsOpen)
{
    FailingPaint grid;
    grid.resize(100, 50);
    int boxes = 0;
    Dialogs::setMessageHandler([&](Dialogs::Kind, const QString&) {
        if (++boxes < 5)
            grid.repaint(); // the box uncovers the window
    });
    grid.show();
    QTRY_VERIFY(grid.paints > 0);
    EXPECT_EQ(boxes, 1);
    EXPECT_GE(grid.paints, 2);
    grid.repaint();
    EXPECT_EQ(boxes, 2);
}

int main(int argc, char* argv[])
{
    // ctest sets the offscreen platform for every case; listing the cases runs without it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
