#include "appfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace AppFont {

QFont sansSerif(int pointSize)
{
    static const QStringList candidates{QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                                        QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                        QStringLiteral("DejaVu Sans Condensed")};
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

} // namespace AppFont
