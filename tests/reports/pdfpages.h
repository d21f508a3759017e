#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

// A PDF read back for tests: the words of each page with their boxes (from poppler's
// pdftotext -bbox) and the pages as pictures (pdftoppm). Positions in millimetres from the
// paper's top-left corner.
struct PdfWord
{
    QString text;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The words of one line: those whose tops lie within a fraction of a millimetre, left to right.
struct PdfLine
{
    QString text; // the words joined by blanks
    std::vector<PdfWord> words;
    double left() const { return words.front().left; }
    double right() const { return words.back().right; }
    double top() const { return words.front().top; }
};

class PdfPages
{
public:
    // Reads the file; a file that cannot be read gives no pages.
    explicit PdfPages(const QString& fileName);

    int count() const { return static_cast<int>(m_pages.size()); }
    const std::vector<PdfWord>& words(int page) const { return m_pages.at(static_cast<size_t>(page)); }
    // The lines of a page (from 0), top to bottom.
    std::vector<PdfLine> lines(int page) const;
    QStringList lineTexts(int page) const;
    // The first line of any page that holds the text; null when none does.
    const PdfWord* findWord(int page, const QString& text) const;

    // The first line of the page (from 0) that starts with the text; a test failure and
    // the page's first line when none does.
    const PdfLine& lineStarting(int page, const QString& start) const;

    // The page (from 0) as a picture at the given resolution.
    QImage picture(int page, int dotsPerInch) const;

private:
    QString m_fileName;
    std::vector<std::vector<PdfWord>> m_pages;
    mutable std::vector<std::vector<PdfLine>> m_lines; // lines of each page, made when first asked for
};

// The colour of a page's picture at a place in millimetres, each of red, green and blue
// rounded to sixteenths ("16,0,0" for red), so that smoothing does not matter.
QString coarseColour(const QImage& page, int dotsPerInch, double xMm, double yMm);
