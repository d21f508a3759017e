#include "report.h"

#include "tableview.h"

#include <QGuiApplication>
#include <QPalette>

namespace ReportItems {

ReportElement label(double left, double top, const QString& text)
{
    return ReportItems::text(left, top, [text](const ReportContext&) { return text; });
}

ReportElement text(double x, double top, ReportText source, ReportElement::Anchor anchor)
{
    ReportElement e;
    e.kind = ReportElement::Kind::Text;
    e.box = QRectF(x, top, 0, 0);
    e.anchor = anchor;
    e.text = std::move(source);
    return e;
}

ReportElement fixedText(const QRectF& box, ReportText source, Qt::Alignment alignment)
{
    ReportElement e;
    e.kind = ReportElement::Kind::Text;
    e.box = box;
    e.alignment = alignment;
    e.text = std::move(source);
    return e;
}

ReportElement textBox(const QRectF& box, ReportText source, Qt::Alignment alignment)
{
    ReportElement e = fixedText(box, std::move(source), alignment);
    e.kind = ReportElement::Kind::TextBox;
    return e;
}

ReportElement picture(const QRectF& box, ReportPicture source)
{
    ReportElement e;
    e.kind = ReportElement::Kind::Picture;
    e.box = box;
    e.picture = std::move(source);
    return e;
}

ReportElement horizontalLine(const QRectF& box)
{
    ReportElement e;
    e.kind = ReportElement::Kind::Line;
    e.box = box;
    return e;
}

ReportElement frame(const QRectF& box)
{
    ReportElement e;
    e.kind = ReportElement::Kind::Rectangle;
    e.box = box;
    e.fill = Qt::white;
    e.outline = true;
    return e;
}

ReportElement block(const QRectF& box, const QColor& colour)
{
    ReportElement e;
    e.kind = ReportElement::Kind::Rectangle;
    e.box = box;
    e.fill = colour;
    return e;
}

ReportElement recordNumber(double right, double top)
{
    return text(
        right, top, [](const ReportContext& c) { return QString::number(c.recordNumber); },
        ReportElement::Anchor::Right);
}

ReportElement pageCaption(const QString& caption, const QColor& colour)
{
    return text(
               187.9, 0,
               [caption](const ReportContext& c) {
                   return caption + QStringLiteral(" - page %1 of %2").arg(c.page).arg(c.pageCount);
               },
               ReportElement::Anchor::Right)
        .font(8)
        .inColour(colour);
}

QColor titleBarColour()
{
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

ReportText field(TableView& view, const QString& fieldName)
{
    return [&view, fieldName](const ReportContext&) { return view.asString(fieldName); };
}

ReportPicture pictureField(TableView& view, const QString& fieldName)
{
    return [&view, fieldName] {
        QImage image;
        if (view.isOpen() && !view.isEmpty())
            image.loadFromData(view.asBytes(fieldName));
        return image;
    };
}

ReportRows rowsOf(TableView& view)
{
    return {[&view] {
                view.first();
                return !view.isEmpty();
            },
            [&view] {
                view.next();
                return !view.eof();
            }};
}

} // namespace ReportItems
