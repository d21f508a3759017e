#include "cli.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QString out;
    QString err;
    const int status = Cli::run(QCoreApplication::arguments().mid(1), out, err);
    const QByteArray outBytes = out.toUtf8();
    const QByteArray errBytes = err.toUtf8();
    std::fwrite(outBytes.constData(), 1, static_cast<std::size_t>(outBytes.size()), stdout);
    std::fwrite(errBytes.constData(), 1, static_cast<std::size_t>(errBytes.size()), stderr);
    return std::fflush(stdout) == 0 ? status : Cli::Refused;
}
