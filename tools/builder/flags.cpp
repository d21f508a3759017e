#include "flags.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

QByteArray pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// England's flag, the red cross of St George on white, shaped as the flags of the picture
// set: a rectangle of 3:2 with rounded corners, 6 pixels in from each edge.
QImage stGeorgesCross()
{
    QImage image(flagSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF flag(6, 6, flagSize.width() - 12, flagSize.height() - 12);
    QPainterPath outline;
    outline.addRoundedRect(flag, 4, 4);
    p.setClipPath(outline);
    p.fillRect(flag, Qt::white);
    const QColor red(0xCE, 0x11, 0x24);
    const qreal bar = flag.height() / 5;
    p.fillRect(QRectF(flag.center().x() - bar / 2, flag.top(), bar, flag.height()), red);
    p.fillRect(QRectF(flag.left(), flag.center().y() - bar / 2, flag.width(), bar), red);
    p.setClipping(false);
    p.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 1)); // the white field seen on a white window
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    return image;
}

} // namespace

QByteArray flagPicture(const QString& code, const QString& folder, Report& report)
{
    if (code.isEmpty() || folder.isEmpty())
        return {};
    if (code == QLatin1String("gb-eng"))
        return pngOf(stGeorgesCross());
    const QString path = QDir(folder).filePath(code + QStringLiteral(".png"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report.add(path, QString(), QStringLiteral("no flag picture; the country has no flag"));
        return {};
    }
    const QByteArray bytes = file.readAll();
    QImage image;
    if (!image.loadFromData(bytes, "PNG")) {
        report.add(path, QString(), QStringLiteral("not a PNG picture; the country has no flag"));
        return {};
    }
    if (image.width() <= flagSize.width() && image.height() <= flagSize.height())
        return bytes;
    report.add(path, QString(),
               QStringLiteral("%1 by %2 pixels, scaled down to %3 by %4")
                   .arg(image.width())
                   .arg(image.height())
                   .arg(flagSize.width())
                   .arg(flagSize.height()));
    return pngOf(image.scaled(flagSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
