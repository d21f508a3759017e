#include "apperror.h"
#include "dialogs.h"
#include "show.h"
#include "workbook.h"
#include "workbookfile.h"
#include "xlsxreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Spreadsheet;

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Restores the desktop's opening and the dialogs after a test that replaced them.
struct SeamsBack
{
    ~SeamsBack()
    {
        setOpener({});
        Dialogs::setQuestionHandler({});
        Dialogs::setSaveFileHandler({});
    }
};

} // namespace

TEST(WorkbookModel, CellNamesAndRangesTakeTheirCornersInAnyOrder)
{
    EXPECT_EQ(cellName(1, 1), "A1");
    EXPECT_EQ(cellName(21, 9), "I21");
    EXPECT_EQ(cellName(7, 26), "Z7");
    EXPECT_EQ(cellName(7, 27), "AA7");
    EXPECT_EQ(cellName(1, 16384), "XFD1");

    Workbook book;
    EXPECT_EQ(book.range("B2", "I1").area(), (Area{1, 2, 2, 9})); // B1:I2, as a spreadsheet reads it
    EXPECT_EQ(book.range("C5").area(), (Area{5, 3, 5, 3}));
    EXPECT_EQ(book.range("AA10", "B3").area(), (Area{3, 2, 10, 27}));
    for (const char* bad : {"", "A", "1", "a1", "A0", "A1048577", "XFE1", "A1B", "A 1", "A+1"})
        EXPECT_THROW(book.range(QString::fromLatin1(bad)), std::invalid_argument) << bad;
    EXPECT_THROW(book.setCell(0, 1, QStringLiteral("x")), std::invalid_argument);

    EXPECT_EQ(colorValue(0, 128, 64), 64 * 65536 + 128 * 256);
}

TEST(WorkbookModel, LaterOperationsWinAndFramesAddUp)
{
    Workbook book;
    book.range("B1", "I1").setHorizontalAlignment(HorizontalAlignment::Center);
    book.range("B2", "I1").setHorizontalAlignment(HorizontalAlignment::Right);
    EXPECT_EQ(book.cell(1, 2)->format.horizontal, HorizontalAlignment::Right);

    book.range("A2", "H4").borderAround();
    book.range("A4", "H6").borderAround();
    const CellFormat shared = book.cell(4, 1)->format;
    EXPECT_TRUE(shared.top && shared.bottom && shared.left && !shared.right);
    EXPECT_EQ(book.cell(3, 4), nullptr); // the inside is left alone
    EXPECT_FALSE(book.cell(4, 4)->format.left || book.cell(4, 4)->format.right);
}

// Every kind of format the model holds, read back from the file by openpyxl.
TEST(WorkbookFile, HoldsValuesFormatsWidthsMergesAndFrames)
{
    Workbook book;
    book.setSheetName(QStringLiteral("Competitions statistics"));
    book.setVerticalAlignment(VerticalAlignment::Center);
    book.setFontSize(10);
    book.range("A1", "C1").setBold(true);
    book.range("A1").setColumnWidth(23.43);
    book.range("B2", "C2").setColumnWidth(6);
    book.range("E1").setColumnWidth(25);
    book.range("B1", "C1").merge();
    book.range("A1", "C1").borderAround();
    book.range("A1", "C3").borderAround();
    book.setCell(1, 1, QStringLiteral("Competition"));
    book.setCell(1, 2, QStringLiteral("Home wins"));
    book.setCell(2, 1, QStringLiteral("Dynamo (Kyiv) — Київ")); // beyond Latin-1
    book.setCell(2, 2, qint64{1048576});
    book.setCell(2, 3, QStringLiteral("33.3%"));
    book.setCell(3, 2, QStringLiteral("1"));
    book.range("B2", "C3").setHorizontalAlignment(HorizontalAlignment::Right);
    book.range("B1", "C1").setHorizontalAlignment(HorizontalAlignment::Center);
    book.range("C2").setFontColor(colorValue(0, 128, 64));

    QTemporaryDir dir;
    const QString path = dir.filePath("out.xlsx");
    writeFile(book, path);
    EXPECT_EQ(filesIn(dir.path()), QStringList{"out.xlsx"}); // no passing file left behind
    const XlsxSheet s = XlsxSheet::read(path);

    EXPECT_EQ(s.sheets, QStringList{"Competitions statistics"});
    EXPECT_EQ(s.text("A1"), "Competition");
    EXPECT_EQ(s.text("A2"), QStringLiteral("Dynamo (Kyiv) — Київ"));
    EXPECT_EQ(s.number("B2"), 1048576);
    EXPECT_EQ(s.text("C2"), "33.3%");
    EXPECT_EQ(s.text("B3"), "1"); // a number's text stays a text
    EXPECT_EQ(s.filled(), (QStringList{"A1", "B1", "A2", "B2", "C2", "B3"}));

    for (const char* name : {"A1", "B2", "C3"}) {
        EXPECT_EQ(s.cell(name).value("size").toDouble(), 10) << name;
        EXPECT_EQ(s.cell(name).value("vertical").toString(), "center") << name;
    }
    EXPECT_TRUE(s.bold("A1"));
    EXPECT_TRUE(s.bold("B1"));
    EXPECT_FALSE(s.bold("A2"));
    EXPECT_EQ(s.color("C2"), "008040");
    EXPECT_EQ(s.color("B2"), "");
    EXPECT_EQ(s.horizontal("B1"), "center");
    EXPECT_EQ(s.horizontal("C3"), "right");
    EXPECT_EQ(s.horizontal("A2"), "");

    EXPECT_EQ(s.width("A"), 23.43);
    EXPECT_EQ(s.width("B"), 6);
    EXPECT_EQ(s.width("C"), 6);
    EXPECT_EQ(s.width("E"), 25);
    EXPECT_EQ(s.width("D"), 8.43); // the default width
    EXPECT_EQ(s.merged, QStringList{"B1:C1"});

    // The header's frame and the table's frame, combined with the cells' own formats.
    EXPECT_EQ(s.border("A1"), "TBL");
    EXPECT_EQ(s.border("B1"), "TB");
    EXPECT_EQ(s.border("C1"), "TBR");
    EXPECT_EQ(s.border("A2"), "L");
    EXPECT_EQ(s.border("B2"), "");
    EXPECT_EQ(s.border("C2"), "R");
    EXPECT_EQ(s.border("A3"), "BL");
    EXPECT_EQ(s.border("B3"), "B");
    EXPECT_EQ(s.border("C3"), "BR");
}

TEST(WorkbookFile, AFailedWriteLeavesNoFileAndKeepsAnEarlierOne)
{
    Workbook book;
    QTemporaryDir dir;
    try {
        writeFile(book, dir.filePath("missing/out.xlsx"));
        FAIL() << "written into a folder that does not exist";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.message().startsWith("Cannot write the workbook \"")) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains("missing/out.xlsx"));
    }

    // A sheet name the file format refuses stops the writing half-way: the file of that
    // name from before is untouched and the passing file is gone.
    const QString path = dir.filePath("out.xlsx");
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    book.setSheetName(QStringLiteral("no [brackets]"));
    EXPECT_THROW(writeFile(book, path), AppError);
    EXPECT_EQ(filesIn(dir.path()), QStringList{"out.xlsx"});
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier");
}

TEST(ShowWorkbook, EveryShowWritesANewFileNamedAfterTheSheetAndOpensIt)
{
    SeamsBack back;
    QStringList opened;
    setOpener([&opened](const QString& path) {
        opened << path;
        return true;
    });
    Dialogs::setQuestionHandler([](Dialogs::Question, const QString&) -> bool {
        ADD_FAILURE() << "asked although the file was opened";
        return false;
    });
    Workbook book;
    book.setSheetName(QStringLiteral("Tallyfield"));
    book.setCell(1, 1, QStringLiteral("Team"));
    const QString first = show(book);
    const QString second = show(book);
    EXPECT_EQ(opened, (QStringList{first, second}));
    EXPECT_NE(first, second);
    for (const QString& path : {first, second}) {
        EXPECT_EQ(QFileInfo(path).fileName(), "Tallyfield.xlsx");
        EXPECT_TRUE(QFileInfo(path).absolutePath().startsWith(QDir::tempPath()));
        EXPECT_EQ(XlsxSheet::read(path).text("A1"), "Team"); // both stay for the program that opened them
    }
    QDir(QFileInfo(first).absolutePath()).removeRecursively();
    QDir(QFileInfo(second).absolutePath()).removeRecursively();
}

TEST(ShowWorkbook, WithoutAProgramTheUserMaySaveTheWorkbookElsewhere)
{
    SeamsBack back;
    setOpener([](const QString&) { return false; });
    Workbook book;
    book.setSheetName(QStringLiteral("Competitions statistics"));
    book.setCell(1, 1, QStringLiteral("Competition"));

    QString asked;
    Dialogs::setQuestionHandler([&asked](Dialogs::Question question, const QString& text) {
        EXPECT_EQ(question, Dialogs::Question::YesNo);
        asked = text;
        return false;
    });
    Dialogs::setSaveFileHandler([](const QString&, const QString&) -> QString {
        ADD_FAILURE() << "a file dialog after No";
        return {};
    });
    const QString kept = show(book);
    EXPECT_TRUE(asked.contains("no program on this computer opens .xlsx files")) << asked.toStdString();
    EXPECT_TRUE(asked.contains(QDir::toNativeSeparators(kept))); // the user is told where it is
    EXPECT_EQ(XlsxSheet::read(kept).text("A1"), "Competition");

    QTemporaryDir chosenDir;
    const QString chosen = chosenDir.filePath("statistics.xlsx");
    QString suggested;
    Dialogs::setQuestionHandler([](Dialogs::Question, const QString&) { return true; });
    Dialogs::setSaveFileHandler([&](const QString&, const QString& offered) {
        suggested = offered;
        return chosen;
    });
    const QString written = show(book);
    EXPECT_EQ(QFileInfo(suggested).fileName(), "Competitions statistics.xlsx");
    EXPECT_EQ(XlsxSheet::read(chosen).text("A1"), "Competition");
    EXPECT_TRUE(QFileInfo::exists(written));

    // Cancelling the file dialog keeps the written file too.
    Dialogs::setSaveFileHandler([](const QString&, const QString&) { return QString(); });
    const QString cancelled = show(book);
    EXPECT_TRUE(QFileInfo::exists(cancelled));
    for (const QString& path : {kept, written, cancelled})
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
}

TEST(ShowWorkbook, AFolderThatCannotBeMadeIsAnErrorAndNothingIsOpened)
{
    SeamsBack back;
    bool opened = false;
    setOpener([&opened](const QString&) { return opened = true; });
    const QByteArray previous = qgetenv("TMPDIR");
    QTemporaryDir dir;
    QFile file(dir.filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Workbook book;
    // A temporary folder that is gone, and one that is a file.
    for (const QString& temporary : {dir.filePath("gone"), dir.filePath("file")}) {
        qputenv("TMPDIR", QFile::encodeName(temporary));
        EXPECT_THROW(show(book), AppError) << temporary.toStdString();
    }
    if (previous.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", previous);
    EXPECT_FALSE(opened);
    EXPECT_EQ(filesIn(dir.path()), QStringList{"file"});
    EXPECT_TRUE(QDir().entryList({"tallyfield-*"}, QDir::Dirs).isEmpty()); // nothing in the working directory
}
