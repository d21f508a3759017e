#include "appfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace AppFont {

namespace {

// The first of the families that is installed, else the first (whatever the system puts in
// its place).
QFont firstInstalled(const QStringList& candidates, int pointSize)
{
    QStringList installed;
    for (QString family : QFontDatabase::families()) {
        const qsizetype foundry = family.indexOf(QStringLiteral(" ["));
        if (foundry > 0) // "Nimbus Sans [urw]": a family offered by more than one foundry
            family.truncate(foundry);
        installed << family;
    }
    for (const QString& family : candidates) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return QFont(family, pointSize);
    }
    return QFont(candidates.front(), pointSize); // whatever the system puts in its place
}

} // namespace

QFont sansSerif(int pointSize)
{
    return firstInstalled({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                           QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans Condensed")},
                          pointSize);
}

QFont verdana(int pointSize, bool bold)
{
    QFont font = firstInstalled(
        {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")}, pointSize);
    font.setBold(bold);
    return font;
}

QFont arial(int pointSize)
{
    return firstInstalled({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, pointSize);
}

} // namespace AppFont
