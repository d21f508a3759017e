#include "tablereport.h"

#include "datamodule.h"

namespace TableReport {

using Anchor = ReportElement::Anchor;

QString dateLine(TDataModule1& module)
{
    TableView& season = *module.TableTableHead;
    return QStringLiteral("(") + season.asString(QStringLiteral("DateStart")) + QStringLiteral(" - ") +
           season.asString(QStringLiteral("DateFinish")) + QStringLiteral(")");
}

Report layout(TDataModule1& module, const Texts& texts)
{
    using namespace ReportItems;
    TableView& rows = *module.TableSortDet;
    TableView& season = *module.TableTableHead;
    TableView& country = *module.TableCountry;
    TableView& competition = *module.TableDivision;
    const QString dates = dateLine(module);
    const auto fixed = [](const QString& s) { return [s](const ReportContext&) { return s; }; };

    Report r;
    r.name = QStringLiteral("League table ") + competition.asString(QStringLiteral("Division")) + QLatin1Char(' ') +
             season.asString(QStringLiteral("Name"));

    // The season's name and its dates are centred on the same line down the page.
    constexpr double centre = 95.25;
    r.title.height = 49.5;
    r.title << text(centre, 2.1, field(season, QStringLiteral("Name")), Anchor::Centre).font(10, true)
            << text(centre, 7.4, fixed(dates), Anchor::Centre).font(8) << frame({129.1, 10.6, 57.4, 36.2})
            << picture({132.6, 12.7, 19.3, 19.3}, pictureField(country, QStringLiteral("Flag")))
            << picture({164.0, 12.7, 19.3, 19.3}, pictureField(country, QStringLiteral("Logo")))
            << label(134.7, 33.9, QStringLiteral("Country:"))
            << textBox({150.3, 33.9, 33.6, 4.5}, field(country, QStringLiteral("Country")))
            << label(130.4, 40.2, QStringLiteral("Competition:"))
            << textBox({150.3, 40.2, 34.1, 4.5}, field(competition, QStringLiteral("Division")));

    r.columnHeader.height = 6.3;
    r.columnHeader << label(22.8, 2.1, QStringLiteral("№")) << label(31.0, 2.1, QStringLiteral("Team"))
                   << label(90.5, 2.1, QStringLiteral("G")) << label(100.5, 2.1, QStringLiteral("W"))
                   << label(110.3, 2.1, QStringLiteral("D")) << label(120.7, 2.1, QStringLiteral("L"))
                   << label(130.4, 1.9, QStringLiteral("GS")) << label(142.6, 2.1, QStringLiteral("GA"))
                   << label(156.6, 2.1, QStringLiteral("P")) << horizontalLine({22.2, 5.0, 138.9, 1.9});

    // A team label is cut 1.7 mm before the place where a two-digit number of games
    // starts, so that a long label never runs into the figures.
    r.detail.height = 4.2;
    r.detail << text(26.5, 0, field(rows, QStringLiteral("Position")), Anchor::Right)
             << fixedText({31.0, 0, 57.0, 0}, field(rows, QStringLiteral("Team")));
    const std::pair<const char*, double> figures[] = {{"Game", 93.6},   {"Win", 103.7},   {"Draw", 113.2},
                                                      {"Lose", 123.3},  {"BGoal", 135.5}, {"BMiss", 147.9},
                                                      {"Points", 159.9}};
    for (const auto& [name, right] : figures)
        r.detail << text(right, 0, field(rows, QString::fromLatin1(name)), Anchor::Right);
    r.rows = rowsOf(rows);

    r.summary.height = 16.9;
    r.summary << textBox({59.3, 2.1, 130.4, 15.1}, field(season, QStringLiteral("Note")), Qt::AlignRight);

    r.pageFooter.height = 4.2;
    r.pageFooter << pageCaption(texts.caption, texts.captionColour);
    return r;
}

} // namespace TableReport
