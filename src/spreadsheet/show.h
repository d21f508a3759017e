#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace Spreadsheet {

class Workbook;

// Shows a finished workbook to the user as the spreadsheet program's unsaved workbook: it
// is written into a new folder of its own under the temporary folder, as "<sheet
// name>.xlsx", and opened with the desktop's program for .xlsx files. Every call makes a
// new file, so workbooks shown earlier stay open. When no program opens the file, the
// user is told so and may save it wherever they choose; the written file stays where it
// is either way. Throws AppError when the file cannot be written; no file is left then.
// Returns the file written.
QString show(const Workbook& workbook, QWidget* parent = nullptr);

// Opens a file with the desktop's program for its kind; false when there is none.
using Opener = std::function<bool(const QString& path)>;
// Replaces the desktop's opening (tests); an empty opener restores it.
void setOpener(Opener opener);

} // namespace Spreadsheet
