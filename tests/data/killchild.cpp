// Posts without end into the database of a kill test and logs every post that returned:
// renames of the two teams (each with its cascade), edits of a league-table row and
// fills of a season. The test kills it at random moments and checks what it logged.
//
// Arguments: the folder Table, the log file, the first number of the run (the numbers the
// posts write grow from run to run, so the test can tell which post came last).

#include "apperror.h"
#include "datamodule.h"
#include "seasontable.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlQuery>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Appends one line and waits until it is on the disk: a logged post has returned.
void acknowledge(int fd, const QString& line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    if (::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size() || ::fsync(fd) != 0) {
        std::perror("log");
        std::_Exit(3);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: killchild FOLDER LOG FIRST\n", stderr);
        return 2;
    }
    const int fd = ::open(args[2].toLocal8Bit().constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0) {
        std::perror("log");
        return 3;
    }
    try {
        TableStore store(args[1]);
        TDataModule1 module(store);
        module.DataModuleCreate();
        module.TableCountry->locate(QStringLiteral("Code"), 7);
        module.TableDivision->locate(QStringLiteral("Code"), 71);
        // The test times its kill from here, so that it lands among the posts however
        // long the start took.
        std::fputs("posting\n", stdout);
        std::fflush(stdout);
        for (qint64 i = args[3].toLongLong();; ++i) {
            if (i % 3 == 0) {
                const qint64 code = (i / 3) % 2 ? 712 : 711;
                module.TableTeam->locate(QStringLiteral("Code"), code);
                module.TableTeam->edit();
                module.TableTeam->setValue(QStringLiteral("ShortName"), QStringLiteral("R%1").arg(i));
                module.TableTeam->post();
                acknowledge(fd, QStringLiteral("rename %1 %2").arg(code).arg(i));
            } else if (i % 3 == 1) {
                module.TableTableHead->locate(QStringLiteral("Num"), 711);
                module.TableTableDet->first();
                const qint64 row = module.TableTableDet->asInteger(QStringLiteral("Num"));
                module.TableTableDet->edit();
                module.TableTableDet->setValue(QStringLiteral("Kf"), static_cast<double>(i));
                module.TableTableDet->post();
                acknowledge(fd, QStringLiteral("kf %1 %2").arg(row).arg(i));
            } else {
                module.TableTableHead->locate(QStringLiteral("Num"), 712);
                SeasonTable::fill(module, SeasonTable::competitionTeams(module));
                module.TableResults->setFiltered(false);
                QSqlQuery q = store.exec(QStringLiteral("SELECT COUNT(*) FROM TableDet WHERE CodeSeason = 712"), {},
                                         QStringLiteral("TableDet.DB"));
                acknowledge(fd, QStringLiteral("fill 712 %1").arg(q.next() ? q.value(0).toLongLong() : -1));
            }
        }
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
}
