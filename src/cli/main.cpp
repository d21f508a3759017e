#include "cli.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // A report is drawn into a file, never onto a screen: it is drawn on the offscreen
    // platform unless QT_QPA_PLATFORM names another, so that it needs no display and comes
    // out the same everywhere. The other commands need no graphics at all.
    std::unique_ptr<QCoreApplication> app;
    if (Cli::drawsPages(arguments)) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QString out;
    QString err;
    const int status = Cli::run(QCoreApplication::arguments().mid(1), out, err);
    const QByteArray outBytes = out.toUtf8();
    const QByteArray errBytes = err.toUtf8();
    std::fwrite(outBytes.constData(), 1, static_cast<std::size_t>(outBytes.size()), stdout);
    std::fwrite(errBytes.constData(), 1, static_cast<std::size_t>(errBytes.size()), stderr);
    return std::fflush(stdout) == 0 ? status : Cli::Refused;
}
