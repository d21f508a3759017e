#include "resultsreport.h"

#include "datamodule.h"
#include "filterforms.h"
#include "viewborrow.h"

namespace ResultsReport {

using ReportItems::label;
using Anchor = ReportElement::Anchor;

Report layout(TDataModule1& module, const Texts& texts)
{
    using namespace ReportItems;
    TableView& results = *module.TableSortRes;
    TableView& country = *module.TableCountry;
    const QString pairLine = texts.team1 + QStringLiteral(" - ") + texts.team2;

    Report r;
    r.name = QStringLiteral("History ") + pairLine;

    r.title.height = 47.4;
    r.title << label(84.7, 2.1, QStringLiteral("History")).font(10, true) << frame({129.1, 6.3, 57.4, 29.9})
            << picture({132.6, 8.5, 19.3, 19.3}, pictureField(country, QStringLiteral("Flag")))
            << picture({164.0, 8.5, 19.3, 19.3}, pictureField(country, QStringLiteral("Logo")))
            << label(132.6, 29.6, QStringLiteral("Country:"))
            << fixedText({146.3, 29.6, 37.6, 0}, field(country, QStringLiteral("Country")))
            << text(
                   95.5, 41.3, [pairLine](const ReportContext&) { return pairLine; }, Anchor::Centre);

    r.columnHeader.height = 6.3;
    r.columnHeader << label(14.8, 2.1, QStringLiteral("№")) << label(25.4, 2.1, QStringLiteral("Date"))
                   << label(46.6, 2.1, QStringLiteral("Home")) << label(105.8, 2.1, QStringLiteral("Away"))
                   << label(167.2, 2.1, QStringLiteral("Goals")) << horizontalLine({0, 5.0, 190.2, 1.9});

    // The team labels run on as far as they are long. Each white block is drawn over the
    // column before it and under the column after it: it blanks what runs on into "Away"
    // or "Goals" without cutting into the first letter there, which starts 0.3 mm before
    // the block ends.
    r.detail.height = 6.3;
    r.detail << recordNumber(18.8, 1.3) << text(25.4, 1.3, field(results, QStringLiteral("Date")))
             << text(46.6, 1.3, field(results, QStringLiteral("Team"))) << block({103.7, 0.3, 2.4, 6.6}, Qt::white)
             << text(105.8, 1.3, field(results, QStringLiteral("Team2"))) << block({165.1, 0.3, 2.4, 6.6}, Qt::white)
             << text(167.5, 1.3, field(results, QStringLiteral("Res")));
    r.rows = rowsOf(results);

    const QString statistics = texts.statistics;
    r.summary.height = 25.4;
    r.summary << horizontalLine({0, -0.3, 190.2, 2.4})
              << textBox(
                     {19.1, 2.1, 167.5, 21.4}, [statistics](const ReportContext&) { return statistics; },
                     Qt::AlignRight);

    r.pageFooter.height = 4.2;
    r.pageFooter << pageCaption(texts.caption, texts.captionColour);
    return r;
}

void withPairSelected(TDataModule1& module, const QString& team1, const QString& team2,
                      const std::function<void()>& draw)
{
    TableView& results = *module.TableSortRes;
    ViewBorrow borrow(results);
    borrow.filter();
    results.setFilterText(FilterForms::pairBothWays(team1, team2));
    results.setFiltered(true);
    draw();
    borrow.restore();
}

} // namespace ResultsReport
