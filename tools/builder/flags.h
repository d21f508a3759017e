#pragma once

#include "report.h"

#include <QByteArray>
#include <QSize>
#include <QString>

// The size a country's flag is stored at: the flag of the main and statistics windows'
// 74-pixel boxes, drawn there at its own size (the flag itself within a transparent margin,
// as in the flag pictures the shipped database takes).
constexpr QSize flagSize(72, 54);

// A country's flag as a PNG picture: "gb-eng" (England, whose flag no picture set holds) is
// drawn; any other code is the picture of that name in the flags folder, scaled down to the
// flag size when larger. A code without a readable picture is reported and gives none.
QByteArray flagPicture(const QString& code, const QString& folder, Report& report);
