#pragma once

#include <QString>
#include <QStringList>

// tallyfield-cli: the analyses of the windows from a terminal.
namespace Cli {

enum ExitStatus
{
    Success = 0,
    Refused = 1,  // the database or the data refused; the message on standard error
    BadUsage = 2, // a one-line hint on standard error
};

// Runs one command line (the arguments after the program's name). What goes to standard
// output and standard error is returned in out and err. The default locale is the C
// locale, or the one named by --locale, while the command runs, and is put back after.
int run(const QStringList& arguments, QString& out, QString& err);

// Whether the command line names a command that draws a report: only those need a
// QGuiApplication (fonts, pictures); the others run on QtCore alone.
bool drawsPages(const QStringList& arguments);

} // namespace Cli
