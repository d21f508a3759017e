#include "apperror.h"
#include "databasewriter.h"
#include "opendata.h"
#include "synthetic.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

// Makes the folder Table of the program: from the open data (the shipped database), or a
// synthetic one of a chosen size for measurements.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tallyfield-builder"));
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds the Tallyfield database folder Table."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The folder Table to make."),
                                 QStringLiteral("folder"));
    const QCommandLineOption catalogue(QStringLiteral("catalogue"),
                                       QStringLiteral("The builder's catalogue (countries, competitions, aliases)."),
                                       QStringLiteral("folder"));
    const QCommandLineOption matches(QStringLiteral("matches"), QStringLiteral("The match files, a folder per season."),
                                     QStringLiteral("folder"));
    const QCommandLineOption clubs(QStringLiteral("clubs"), QStringLiteral("The club lists, a folder per country."),
                                   QStringLiteral("folder"));
    const QCommandLineOption flags(QStringLiteral("flags"), QStringLiteral("The countries' flag pictures."),
                                   QStringLiteral("folder"));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("Where to write what was skipped (default: beside Table)."),
                                    QStringLiteral("file"));
    const QCommandLineOption synthetic(QStringLiteral("synthetic"),
                                       QStringLiteral("Make a synthetic database with this many results."),
                                       QStringLiteral("results"));
    const QCommandLineOption countries(QStringLiteral("countries"), QStringLiteral("Synthetic: countries."),
                                       QStringLiteral("n"), QStringLiteral("40"));
    const QCommandLineOption competitions(QStringLiteral("competitions"), QStringLiteral("Synthetic: competitions."),
                                          QStringLiteral("n"), QStringLiteral("200"));
    const QCommandLineOption teams(QStringLiteral("teams"), QStringLiteral("Synthetic: teams."), QStringLiteral("n"),
                                   QStringLiteral("4000"));
    const QCommandLineOption seasons(QStringLiteral("seasons"), QStringLiteral("Synthetic: seasons per competition."),
                                     QStringLiteral("n"), QStringLiteral("25"));
    parser.addOptions(
        {out, catalogue, matches, clubs, flags, report, synthetic, countries, competitions, teams, seasons});
    parser.process(app);

    if (!parser.isSet(out)) {
        err << "tallyfield-builder: --out is required\n";
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    try {
        Dataset data;
        Report findings;
        if (parser.isSet(synthetic)) {
            SyntheticSize size;
            size.results = parser.value(synthetic).toInt();
            size.countries = parser.value(countries).toInt();
            size.competitions = parser.value(competitions).toInt();
            size.teams = parser.value(teams).toInt();
            size.seasons = parser.value(seasons).toInt();
            data = syntheticDataset(size);
        } else {
            if (!parser.isSet(catalogue) || !parser.isSet(matches) || !parser.isSet(clubs)) {
                err << "tallyfield-builder: --catalogue, --matches and --clubs are required (or --synthetic)\n";
                return 2;
            }
            OpenData open = readOpenData(
                {parser.value(catalogue), parser.value(matches), parser.value(clubs), parser.value(flags)}, findings);
            err << QStringLiteral("Open data: %1 clubs, %2 with a city, %3 with a stadium; %4 fixtures without a "
                                  "score left out; %5 matches stored with a corrected date; %6 matches of copied "
                                  "seasons refused.\n")
                       .arg(open.dataset.teams.size())
                       .arg(open.clubsWithCity)
                       .arg(open.clubsWithStadium)
                       .arg(open.fixtures)
                       .arg(open.corrected)
                       .arg(open.refused);
            data = std::move(open.dataset);
        }
        const WriteFigures figures = writeDatabase(data, parser.value(out));
        err << QStringLiteral("%1: %2 countries, %3 competitions, %4 stadiums, %5 teams, %6 seasons, %7 results, "
                              "%8 league table rows in %9 s.\n")
                   .arg(parser.value(out))
                   .arg(figures.countries)
                   .arg(figures.competitions)
                   .arg(figures.stadiums)
                   .arg(figures.teams)
                   .arg(figures.seasons)
                   .arg(figures.results)
                   .arg(figures.tableRows)
                   .arg(static_cast<double>(clock.elapsed()) / 1000.0, 0, 'f', 1);
        if (!findings.isEmpty()) {
            const QString reportPath = parser.isSet(report) ? parser.value(report)
                                                            : QFileInfo(parser.value(out)).absolutePath() +
                                                                  QStringLiteral("/builder-report.txt");
            QFile file(reportPath);
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
                file.write((findings.lines().join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
            err << QStringLiteral("%1 records of the sources were skipped or kept with a remark; see %2.\n")
                       .arg(findings.lines().size())
                       .arg(reportPath);
        }
    } catch (const AppError& error) {
        err << "tallyfield-builder: " << error.message() << "\n";
        return 1;
    }
    return 0;
}
