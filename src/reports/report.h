#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class TableView;

// A banded report: a title band once at the start, a column header band at the top of every
// page, a detail band once per record, a summary band once after the last record and a
// page footer band at the bottom of every page. Each band is a fixed height with elements
// placed in millimetres from its top-left corner; the bands are 190 mm wide, the page A4
// with 10 mm margins. A report is a description of its bands; drawing it onto a printer,
// a preview or a PDF file is the same code (reportrenderer.h).

// What an element may read while the report is drawn.
struct ReportContext
{
    int recordNumber = 0; // the detail record being printed, from 1; 0 outside the detail band
    int page = 0;         // from 1
    int pageCount = 0;
};

using ReportText = std::function<QString(const ReportContext&)>;
using ReportPicture = std::function<QImage()>;

struct ReportElement
{
    enum class Kind
    {
        Text,      // one line, as wide as its text unless a width is given
        TextBox,   // lines broken at carriage returns and wrapped at words, in a box that does not grow
        Picture,   // fitted into its box, centred, its proportions kept
        Line,      // a thin horizontal line through the middle of its box
        Rectangle, // outlined and/or filled
    };
    // Where a text as wide as its text stands: its left edge, its right edge or its centre
    // at box.left().
    enum class Anchor
    {
        Left,
        Right,
        Centre,
    };

    Kind kind = Kind::Text;
    QRectF box; // millimetres from the band's top-left; a text's width 0: as wide as its text
    Anchor anchor = Anchor::Left;
    Qt::Alignment alignment = Qt::AlignLeft; // of the lines within a box that has a width
    double points = 10;
    bool bold = false;
    QColor colour = Qt::black;
    QColor fill;          // a rectangle's inside; invalid: not filled
    bool outline = false; // a rectangle's thin black outline
    ReportText text;
    ReportPicture picture;

    ReportElement& font(double pointSize, bool isBold = false)
    {
        points = pointSize;
        bold = isBold;
        return *this;
    }
    ReportElement& inColour(const QColor& c)
    {
        colour = c;
        return *this;
    }
};

struct ReportBand
{
    double height = 0; // millimetres; a band of height 0 is not printed
    std::vector<ReportElement> elements;

    ReportBand& operator<<(const ReportElement& element)
    {
        elements.push_back(element);
        return *this;
    }
};

// The records the detail band prints, walked once from the first for each drawing: each
// step answers whether there is a record to print now, and the elements read it.
struct ReportRows
{
    std::function<bool()> first;
    std::function<bool()> next;
};

struct Report
{
    QString name; // the document's name for the printer queue and the PDF's title
    ReportBand title;
    ReportBand columnHeader;
    ReportBand detail;
    ReportBand summary;
    ReportBand pageFooter;
    ReportRows rows; // none: no detail lines
};

// The elements a report is described with.
namespace ReportItems {

// A fixed text at (left, top), as wide as itself.
ReportElement label(double left, double top, const QString& text);
// A text read when drawn, as wide as itself, anchored at x.
ReportElement text(double x, double top, ReportText source, ReportElement::Anchor anchor = ReportElement::Anchor::Left);
// One line of text in a box of fixed width; what runs past the box is cut off.
ReportElement fixedText(const QRectF& box, ReportText source, Qt::Alignment alignment = Qt::AlignLeft);
// Lines broken at carriage returns and wrapped at words; lines that do not fit in the
// box's height are not printed.
ReportElement textBox(const QRectF& box, ReportText source, Qt::Alignment alignment = Qt::AlignLeft);
ReportElement picture(const QRectF& box, ReportPicture source);
ReportElement horizontalLine(const QRectF& box);
// A rectangle with a thin black outline, white inside.
ReportElement frame(const QRectF& box);
// A borderless filled rectangle, drawn over whatever the band drew before it.
ReportElement block(const QRectF& box, const QColor& colour);
// The running number of the detail record, right-aligned on the right edge at right.
ReportElement recordNumber(double right, double top);
// The page footer line of the program's reports: its caption and " - page n of m",
// right-aligned on 187.9 mm, Arial 8 pt, in the given colour.
ReportElement pageCaption(const QString& caption, const QColor& colour);

// The colour of an active window's title bar, in which the reports print their page
// footer. The desktop draws title bars in the highlight colour of the active palette.
QColor titleBarColour();

// A field of the view's current record as its text (dates in the short date format).
ReportText field(TableView& view, const QString& fieldName);
// A picture field of the view's current record; a null image when empty or unreadable.
ReportPicture pictureField(TableView& view, const QString& fieldName);
// Every record of the view, from its first.
ReportRows rowsOf(TableView& view);

} // namespace ReportItems
