#pragma once

#include <QFont>

namespace AppFont {

// The windows' font: "MS Sans Serif" at the given size where it is installed, otherwise the
// first present of the fonts of about its widths and line height (Microsoft Sans Serif,
// Arial, Liberation Sans, DejaVu Sans Condensed), so that captions and composed texts fit
// the places laid out for them.
QFont sansSerif(int pointSize = 8);

} // namespace AppFont
