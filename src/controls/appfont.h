#pragma once

#include <QFont>

namespace AppFont {

// The windows' font: "MS Sans Serif" at the given size where it is installed, otherwise the
// first present of the fonts of about its widths and line height (Microsoft Sans Serif,
// Arial, Liberation Sans, DejaVu Sans Condensed), so that captions and composed texts fit
// the places laid out for them.
QFont sansSerif(int pointSize = 8);

// Verdana where it is installed, else the font it was drawn after (DejaVu Sans, Bitstream
// Vera Sans), which keeps its wide letters.
QFont verdana(int pointSize, bool bold = false);

// Arial where it is installed, else a font of its metrics (Liberation Sans).
QFont arial(int pointSize);

} // namespace AppFont
