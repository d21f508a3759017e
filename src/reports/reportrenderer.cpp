#include "reportrenderer.h"

#include "apperror.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>

namespace {

constexpr double kThinLine = 0.2; // millimetres: the pen of lines and frames
constexpr double kSlack = 1e-6;   // millimetres a band may overrun from rounding

// Where a band goes: on which page, how far below the top margin, and for a detail band
// the number of its record.
using PlaceBand = std::function<void(const ReportBand& band, int page, double top, int record)>;

// Walks the report band by band as it falls on pages of printableHeight millimetres and
// returns the number of pages. The page footer sits at the bottom of every page; a detail
// or summary band that does not fit above it starts a new page, unless the page holds no
// record yet (a band taller than the page is then cut rather than moved on for ever).
int layOut(const Report& report, double printableHeight, const PlaceBand& place)
{
    const double footerTop = printableHeight - report.pageFooter.height;
    int page = 1;
    double y = 0;
    bool pageHasRecords = false;
    auto put = [&](const ReportBand& band, int record) {
        if (band.height <= 0)
            return;
        place(band, page, y, record);
        y += band.height;
    };
    auto endPage = [&] {
        if (report.pageFooter.height > 0)
            place(report.pageFooter, page, footerTop, 0);
    };
    auto makeRoom = [&](double height) {
        if (y + height <= footerTop + kSlack || !pageHasRecords)
            return;
        endPage();
        ++page;
        y = 0;
        pageHasRecords = false;
        put(report.columnHeader, 0);
    };

    put(report.title, 0);
    put(report.columnHeader, 0);
    if (report.rows.first) {
        int record = 0;
        for (bool more = report.rows.first(); more; more = report.rows.next()) {
            makeRoom(report.detail.height);
            put(report.detail, ++record);
            pageHasRecords = true;
        }
    }
    makeRoom(report.summary.height);
    put(report.summary, 0);
    endPage();
    return page;
}

QFont reportFont(double points, bool bold)
{
    // Liberation Sans has Arial's widths where Arial itself is not installed.
    QFont font(QStringLiteral("Arial"));
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The lines of a text box: broken at carriage returns (and line feeds), each paragraph
// wrapped at words to the width.
QStringList wrappedLines(const QString& text, const QFont& font, QPaintDevice* device, double width)
{
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    normal.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    QStringList lines;
    for (const QString& paragraph : normal.split(QLatin1Char('\r'))) {
        QTextLayout layout(paragraph, font, device);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    return lines;
}

class BandPainter
{
public:
    BandPainter(QPainter& painter, QPointF offset) : m_painter(painter), m_offset(offset)
    {
        m_scale = painter.device()->logicalDpiY() / 25.4;
    }

    void draw(const ReportBand& band, double top, const ReportContext& context)
    {
        for (const ReportElement& e : band.elements) {
            const QRectF box = e.box.translated(ReportRenderer::kMargin, ReportRenderer::kMargin + top);
            switch (e.kind) {
            case ReportElement::Kind::Text:
                drawText(e, box, e.text ? e.text(context) : QString());
                break;
            case ReportElement::Kind::TextBox:
                drawTextBox(e, box, e.text ? e.text(context) : QString());
                break;
            case ReportElement::Kind::Picture:
                drawPicture(box, e.picture ? e.picture() : QImage());
                break;
            case ReportElement::Kind::Line: {
                const double middle = box.center().y();
                m_painter.setPen(thinPen());
                m_painter.drawLine(device(QPointF(box.left(), middle)), device(QPointF(box.right(), middle)));
                break;
            }
            case ReportElement::Kind::Rectangle:
                if (e.fill.isValid())
                    m_painter.fillRect(device(box), e.fill);
                if (e.outline) {
                    m_painter.setPen(thinPen());
                    m_painter.setBrush(Qt::NoBrush);
                    m_painter.drawRect(device(box));
                }
                break;
            }
        }
    }

private:
    QPointF device(QPointF mm) const { return (mm - m_offset) * m_scale; }
    QRectF device(const QRectF& mm) const { return {device(mm.topLeft()), mm.size() * m_scale}; }

    QPen thinPen() const
    {
        QPen pen(Qt::black);
        pen.setWidthF(kThinLine * m_scale);
        return pen;
    }

    void drawText(const ReportElement& e, const QRectF& box, const QString& text)
    {
        const QFont font = reportFont(e.points, e.bold);
        const QFontMetricsF metrics(font, m_painter.device());
        const double width = metrics.horizontalAdvance(text) / m_scale;
        double left = box.left();
        m_painter.save();
        if (box.width() > 0) {
            // A box of fixed width: the text is placed within it and cut at its edges.
            if (e.alignment & Qt::AlignRight)
                left = box.right() - width;
            else if (e.alignment & Qt::AlignHCenter)
                left = box.center().x() - width / 2;
            const double height = std::max(box.height(), metrics.height() / m_scale);
            m_painter.setClipRect(device(QRectF(box.left(), box.top(), box.width(), height)));
        } else if (e.anchor == ReportElement::Anchor::Right) {
            left -= width;
        } else if (e.anchor == ReportElement::Anchor::Centre) {
            left -= width / 2;
        }
        m_painter.setFont(font);
        m_painter.setPen(e.colour);
        m_painter.drawText(device(QPointF(left, box.top())) + QPointF(0, metrics.ascent()), text);
        m_painter.restore();
    }

    // The box does not grow: the lines that do not fit in its height are not printed.
    void drawTextBox(const ReportElement& e, const QRectF& box, const QString& text)
    {
        const QFont font = reportFont(e.points, e.bold);
        const QFontMetricsF metrics(font, m_painter.device());
        const double lineHeight = metrics.height() / m_scale;
        m_painter.save();
        m_painter.setFont(font);
        m_painter.setPen(e.colour);
        double y = box.top();
        for (const QString& line : wrappedLines(text, font, m_painter.device(), box.width() * m_scale)) {
            if (y + lineHeight > box.bottom() + kSlack)
                break;
            const double width = metrics.horizontalAdvance(line) / m_scale;
            double left = box.left();
            if (e.alignment & Qt::AlignRight)
                left = box.right() - width;
            else if (e.alignment & Qt::AlignHCenter)
                left = box.center().x() - width / 2;
            m_painter.drawText(device(QPointF(left, y)) + QPointF(0, metrics.ascent()), line);
            y += lineHeight;
        }
        m_painter.restore();
    }

    void drawPicture(const QRectF& box, const QImage& image)
    {
        if (image.isNull())
            return;
        const QRectF target = device(box);
        const QSizeF size = QSizeF(image.size()).scaled(target.size(), Qt::KeepAspectRatio);
        m_painter.save();
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
        m_painter.drawImage(QRectF(target.center() - QPointF(size.width(), size.height()) / 2, size), image);
        m_painter.restore();
    }

    QPainter& m_painter;
    QPointF m_offset; // millimetres from the paper's corner to the painter's origin
    double m_scale;   // device units per millimetre
};

} // namespace

namespace ReportRenderer {

int pageCount(const Report& report, double pageHeight)
{
    return layOut(report, pageHeight - 2 * kMargin, [](const ReportBand&, int, double, int) {});
}

int render(const Report& report, QPagedPaintDevice& device, int fromPage, int toPage)
{
    const QPageLayout layout = device.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paintable = layout.paintRect(QPageLayout::Millimeter);
    const int pages = pageCount(report, paper.height());

    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    BandPainter bands(painter, paintable.topLeft() - paper.topLeft());
    int drawnPage = 0;
    layOut(report, paper.height() - 2 * kMargin, [&](const ReportBand& band, int page, double top, int record) {
        if ((fromPage > 0 && page < fromPage) || (toPage > 0 && page > toPage))
            return;
        if (drawnPage != 0 && page != drawnPage)
            device.newPage();
        drawnPage = page;
        bands.draw(band, top, ReportContext{record, page, pages});
    });
    painter.end();
    return pages;
}

void writePdf(const Report& report, const QString& fileName, const QString& creator)
{
    const auto refused = [&fileName] {
        return AppError(QStringLiteral("The file \"%1\" cannot be written.").arg(QDir::toNativeSeparators(fileName)));
    };
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw refused();
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(report.name);
        writer.setCreator(creator);
        if (render(report, writer) == 0)
            throw refused();
    }
    if (!file.commit())
        throw refused();
}

} // namespace ReportRenderer
