#include "apperror.h"
#include "pdfpages.h"
#include "reportrenderer.h"

#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ReportItems::label;

// A report over a list of names: a 20 mm title, a column header, a numbered detail line per
// name, a summary and a footer with the page number, like the program's reports.
class ListReport
{
public:
    explicit ListReport(int rows, double summaryHeight = 10)
    {
        for (int i = 1; i <= rows; ++i)
            m_names << QStringLiteral("Name%1").arg(i);
        using namespace ReportItems;
        report.name = QStringLiteral("List");
        report.title.height = 20;
        report.title << label(80, 2, QStringLiteral("Heading"));
        report.columnHeader.height = 6.3;
        report.columnHeader << label(14.8, 2.1, QStringLiteral("№")) << label(30, 2.1, QStringLiteral("Name"))
                            << horizontalLine({0, 5.0, 190, 1.9});
        report.detail.height = 6.3;
        report.detail << recordNumber(18.8, 1.3)
                      << text(30, 1.3, [this](const ReportContext&) { return m_names.at(m_current); });
        report.rows = {[this] {
                           m_current = 0;
                           return !m_names.isEmpty();
                       },
                       [this] { return ++m_current < m_names.size(); }};
        report.summary.height = summaryHeight;
        report.summary << label(30, 2, QStringLiteral("Closing"));
        report.pageFooter.height = 4.2;
        report.pageFooter << text(
                                 187.9, 0,
                                 [](const ReportContext& c) {
                                     return QStringLiteral("List - page %1 of %2").arg(c.page).arg(c.pageCount);
                                 },
                                 ReportElement::Anchor::Right)
                                 .font(8);
    }

    Report report;

private:
    QStringList m_names;
    qsizetype m_current = 0;
};

class ReportRendererTest : public ::testing::Test
{
protected:
    QString write(const Report& report)
    {
        const QString file = dir.filePath(QStringLiteral("report%1.pdf").arg(++m_files));
        ReportRenderer::writePdf(report, file, QStringLiteral("Tallyfield"));
        return file;
    }

    QTemporaryDir dir;

private:
    int m_files = 0;
};

// 39 detail lines fit under the title on the first page and 42 on each further page above
// the footer, so 100 names take three pages.
TEST_F(ReportRendererTest, ALongListRunsOnToPagesThatEachHaveTheColumnHeaderAndTheFooter)
{
    ListReport list(100);
    EXPECT_EQ(ReportRenderer::pageCount(list.report, 297), 3);
    const PdfPages pdf(write(list.report));
    ASSERT_EQ(pdf.count(), 3);

    int expectedNumber = 1;
    const int perPage[] = {39, 42, 19};
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page + 1);
        const std::vector<PdfLine> lines = pdf.lines(page);
        const QStringList texts = pdf.lineTexts(page);
        EXPECT_EQ(texts.contains(QStringLiteral("Heading")), page == 0);
        EXPECT_EQ(texts.count(QStringLiteral("№ Name")), 1);
        EXPECT_EQ(texts.contains(QStringLiteral("Closing")), page == 2);

        // The column header comes first on every page but the first (the title is above it).
        const PdfLine& header = lines.at(page == 0 ? 1 : 0);
        EXPECT_EQ(header.text, QStringLiteral("№ Name"));
        EXPECT_NEAR(header.left(), 10 + 14.8, 0.5);
        EXPECT_NEAR(header.top(), 10 + (page == 0 ? 20 : 0) + 2.1, 0.5);

        // The footer is the last line, right-aligned on 187.9 mm at the bottom of the page.
        const PdfLine& footer = lines.back();
        EXPECT_EQ(footer.text, QStringLiteral("List - page %1 of 3").arg(page + 1));
        EXPECT_NEAR(footer.right(), 10 + 187.9, 0.5);
        EXPECT_NEAR(footer.top(), 297 - 10 - 4.2, 0.5);

        // The records keep their running number across the pages.
        int onPage = 0;
        for (const QString& text : texts) {
            if (!text.endsWith(QStringLiteral("Name%1").arg(expectedNumber)))
                continue;
            EXPECT_EQ(text, QStringLiteral("%1 Name%1").arg(expectedNumber));
            ++expectedNumber;
            ++onPage;
        }
        EXPECT_EQ(onPage, perPage[page]);
    }
    EXPECT_EQ(expectedNumber, 101);
}

// 81 names fill two pages to 1.9 mm above the footer: the summary starts a third page
// under its column header instead of running into the footer.
TEST_F(ReportRendererTest, ASummaryThatDoesNotFitBelowTheLastRecordGoesOnTheNextPage)
{
    ListReport list(81, 25.4);
    const PdfPages pdf(write(list.report));
    ASSERT_EQ(pdf.count(), 3);
    EXPECT_EQ(pdf.lineTexts(2), QStringList({"№ Name", "Closing", "List - page 3 of 3"}));
}

TEST_F(ReportRendererTest, AReportWithoutRecordsPrintsTitleHeaderSummaryAndFooter)
{
    ListReport list(0);
    const PdfPages pdf(write(list.report));
    ASSERT_EQ(pdf.count(), 1);
    EXPECT_EQ(pdf.lineTexts(0), QStringList({"Heading", "№ Name", "Closing", "List - page 1 of 1"}));
}

TEST_F(ReportRendererTest, APageRangeDrawsOnlyItsPagesAndTheyKeepTheirNumbers)
{
    ListReport list(100);
    const QString file = dir.filePath(QStringLiteral("range.pdf"));
    {
        QPdfWriter writer(file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        EXPECT_EQ(ReportRenderer::render(list.report, writer, 2, 3), 3);
    }
    const PdfPages pdf(file);
    ASSERT_EQ(pdf.count(), 2);
    EXPECT_EQ(pdf.lineTexts(0).front(), QStringLiteral("№ Name"));
    EXPECT_EQ(pdf.lineTexts(0).back(), QStringLiteral("List - page 2 of 3"));
    EXPECT_EQ(pdf.lineTexts(1).back(), QStringLiteral("List - page 3 of 3"));
    EXPECT_TRUE(pdf.lineTexts(0).contains(QStringLiteral("40 Name40")));
}

// The box does not grow: at 10 point a line takes about 3.9 mm, so five lines fit in
// 21.4 mm; the others are not printed. Lines are broken at carriage returns and wrapped at
// words, each right-aligned.
TEST_F(ReportRendererTest, ATextBoxPrintsOnlyTheLinesThatFitRightAligned)
{
    const QRectF box(19.1, 2.1, 167.5, 21.4);
    auto boxReport = [&](const QString& text) {
        Report r;
        r.summary.height = 25.4;
        r.summary << ReportItems::textBox(
            box, [text](const ReportContext&) { return text; }, Qt::AlignRight);
        return r;
    };
    const QChar cr(13);
    const QString seven = QStringList({"One", "Two", "Three", "Four", "Five", "Six", "Seven"}).join(cr);
    const PdfPages pdf(write(boxReport(seven)));
    EXPECT_EQ(pdf.lineTexts(0), QStringList({"One", "Two", "Three", "Four", "Five"}));
    for (const PdfLine& line : pdf.lines(0))
        EXPECT_NEAR(line.right(), 10 + box.right(), 0.5) << line.text.toStdString();

    // A line wider than the box wraps at a word and takes two of the five places.
    const QString wide = QStringLiteral("word ").repeated(30).trimmed();
    const PdfPages wrapped(write(boxReport(wide + cr + "Two" + cr + "Three" + cr + "Four" + cr + "Five")));
    const std::vector<PdfLine> lines = wrapped.lines(0);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[0].text.startsWith(QStringLiteral("word word")));
    EXPECT_TRUE(lines[1].text.startsWith(QStringLiteral("word")));
    EXPECT_LE(lines[0].right() - lines[0].left(), box.width() + 0.5);
    EXPECT_EQ(lines[2].text, QStringLiteral("Two"));
    EXPECT_EQ(lines[4].text, QStringLiteral("Four"));
}

TEST_F(ReportRendererTest, APdfThatCannotBeWrittenIsAnErrorAndLeavesNoFile)
{
    ListReport list(3);
    const QString file = dir.filePath(QStringLiteral("missing/report.pdf"));
    EXPECT_THROW(ReportRenderer::writePdf(list.report, file, QStringLiteral("Tallyfield")), AppError);
    EXPECT_FALSE(QFile::exists(file));
}

} // namespace
