#include "show.h"

#include "apperror.h"
#include "dialogs.h"
#include "workbook.h"
#include "workbookfile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace Spreadsheet {

namespace {

Opener& opener()
{
    static Opener installed;
    return installed;
}

// Whether the desktop names a program for .xlsx files. Opening through xdg-open reports
// success as soon as xdg-open starts, even when it then finds no program, so the desktop's
// default is asked first where xdg-mime answers; elsewhere opening alone tells.
bool desktopHasSpreadsheetProgram()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"),
                 QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")});
    if (query.waitForFinished(5000) && query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0)
        return !query.readAllStandardOutput().trimmed().isEmpty();
#endif
    return true;
}

bool open(const QString& path)
{
    if (opener())
        return opener()(path);
    return desktopHasSpreadsheetProgram() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// The file name of a workbook: its sheet's name, less what no file name may hold.
QString fileNameOf(const Workbook& workbook)
{
    QString name = workbook.sheetName();
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            c = QLatin1Char('_');
    }
    return name + QStringLiteral(".xlsx");
}

} // namespace

QString show(const Workbook& workbook, QWidget* parent)
{
    // A folder of its own for every workbook shown: the spreadsheet program may still hold
    // the earlier ones open, and each keeps the sheet's name as its file name. The folder
    // stays after the program ends, since the spreadsheet program reads from it.
    // A temporary folder that does not exist reads as an empty path, which would put the
    // workbook into the working directory.
    const QString temporary = QDir::tempPath();
    if (temporary.isEmpty() || !QFileInfo(temporary).isDir())
        throw AppError(QStringLiteral("Cannot make a folder for the workbook: the temporary folder \"%1\" does not "
                                      "exist")
                           .arg(QDir::toNativeSeparators(qEnvironmentVariable("TMPDIR"))));
    QTemporaryDir folder(QDir(temporary).filePath(QStringLiteral("tallyfield-XXXXXX")));
    if (!folder.isValid())
        throw AppError(QStringLiteral("Cannot make a folder for the workbook in \"%1\": %2")
                           .arg(QDir::toNativeSeparators(temporary), folder.errorString()));
    const QString path = folder.filePath(fileNameOf(workbook));
    writeFile(workbook, path); // on failure the folder goes with the QTemporaryDir
    folder.setAutoRemove(false);
    if (open(path))
        return path;

    const QString question =
        QStringLiteral("The workbook was written to \"%1\", but no program on this computer opens .xlsx files.\n"
                       "Save it to a place of your choice?")
            .arg(QDir::toNativeSeparators(path));
    if (!Dialogs::ask(Dialogs::Question::YesNo, question, parent))
        return path;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString chosen =
        Dialogs::saveFileName(QStringLiteral("Save the workbook"),
                              QDir(documents.isEmpty() ? QDir::homePath() : documents).filePath(fileNameOf(workbook)),
                              QStringLiteral("Excel workbooks (*.xlsx)"), parent);
    if (!chosen.isEmpty())
        writeFile(workbook, chosen);
    return path;
}

void setOpener(Opener replacement)
{
    opener() = std::move(replacement);
}

} // namespace Spreadsheet
