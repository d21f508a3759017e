#include "pdfpages.h"

#include <QColor>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {
constexpr double kPointsToMm = 25.4 / 72.0;
}

PdfPages::PdfPages(const QString& fileName) : m_fileName(fileName)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), fileName, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
        return;
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression tag(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == QStringLiteral("<page ")) {
            m_pages.emplace_back();
            continue;
        }
        if (m_pages.empty())
            continue;
        m_pages.back().push_back({QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(),
                                  m.captured(1).toDouble() * kPointsToMm, m.captured(2).toDouble() * kPointsToMm,
                                  m.captured(3).toDouble() * kPointsToMm, m.captured(4).toDouble() * kPointsToMm});
    }
}

std::vector<PdfLine> PdfPages::lines(int page) const
{
    std::vector<PdfWord> sorted = words(page);
    std::sort(sorted.begin(), sorted.end(), [](const PdfWord& a, const PdfWord& b) {
        return a.top < b.top - 0.3 || (std::abs(a.top - b.top) <= 0.3 && a.left < b.left);
    });
    std::vector<PdfLine> result;
    for (const PdfWord& w : sorted) {
        if (result.empty() || std::abs(result.back().top() - w.top) > 0.3)
            result.emplace_back();
        PdfLine& line = result.back();
        line.text += (line.words.empty() ? QString() : QStringLiteral(" ")) + w.text;
        line.words.push_back(w);
    }
    return result;
}

QStringList PdfPages::lineTexts(int page) const
{
    QStringList texts;
    for (const PdfLine& line : lines(page))
        texts << line.text;
    return texts;
}

const PdfWord* PdfPages::findWord(int page, const QString& text) const
{
    for (const PdfWord& w : words(page)) {
        if (w.text == text)
            return &w;
    }
    return nullptr;
}

const PdfLine& PdfPages::lineStarting(int page, const QString& start) const
{
    if (m_lines.size() != m_pages.size())
        m_lines.resize(m_pages.size());
    std::vector<PdfLine>& lines = m_lines.at(static_cast<size_t>(page));
    if (lines.empty())
        lines = this->lines(page);
    for (const PdfLine& line : lines) {
        if (line.text.startsWith(start))
            return line;
    }
    ADD_FAILURE() << "no line starts with " << start.toStdString();
    static const PdfLine none{QString(), {PdfWord()}};
    return lines.empty() ? none : lines.front();
}

QImage PdfPages::picture(int page, int dotsPerInch) const
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const QString number = QString::number(page + 1);
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dotsPerInch), QStringLiteral("-f"),
                    number, QStringLiteral("-l"), number, QStringLiteral("-singlefile"), m_fileName, prefix});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(prefix + QStringLiteral(".png"));
}

QString coarseColour(const QImage& page, int dotsPerInch, double xMm, double yMm)
{
    const double dotsPerMm = dotsPerInch / 25.4;
    const QColor c = page.pixelColor(qRound(xMm * dotsPerMm), qRound(yMm * dotsPerMm));
    return QStringLiteral("%1,%2,%3")
        .arg(qRound(c.red() / 16.0))
        .arg(qRound(c.green() / 16.0))
        .arg(qRound(c.blue() / 16.0));
}
