#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdlib>

// Whether a colour appears in an area of a grabbed image. Text is drawn smoothed: some of
// its pixels lie close to the pen's colour without being it.
inline bool hasNearColour(const QImage& image, const QRect& area, const QColor& colour, int tolerance = 48)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance)
                return true;
        }
    return false;
}
