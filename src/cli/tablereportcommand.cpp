// The league table of a season as the league table viewer's Print draws it.
#include "commands.h"
#include "datamodule.h"
#include "reportrenderer.h"
#include "selection.h"
#include "tablereport.h"
#include "version.h"

namespace {

// The season's rows as the viewer shows them: in ranking order with the positions stored
// at its last ranking; nothing is ranked here.
void tableReport(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    TDataModule1& module = context.database();
    Selection::chooseCountry(module, options.value(QStringLiteral("country")));
    Selection::chooseCompetition(module, options.value(QStringLiteral("competition")));
    Selection::chooseSeason(module, options.value(QStringLiteral("season")));
    const TableReport::Texts texts{QStringLiteral(TALLYFIELD_CAPTION), ReportItems::titleBarColour()};
    TableReport::withSeasonSelected(module, [&] {
        ReportRenderer::writePdf(TableReport::layout(module, texts), options.value(QStringLiteral("pdf")),
                                 texts.caption);
    });
}

} // namespace

Command reportTableCommand()
{
    return {
        QStringLiteral("report table"),
        QStringLiteral("the printed league table of a season, as PDF"),
        QStringLiteral("Draws the report the league table viewer prints into a PDF file: the season's rows in "
                       "ranking order with their stored positions (see table --rank), under the season's name "
                       "and dates, the country's flag, emblem and name and the competition, with the season's "
                       "note below the table."),
        {{QStringLiteral("country"), QStringLiteral("NAME"), QStringLiteral("the country, as the windows name it"),
          true},
         {QStringLiteral("competition"), QStringLiteral("NAME"), QStringLiteral("a competition of that country"), true},
         {QStringLiteral("season"), QStringLiteral("NAME"),
          QStringLiteral("a season of that competition, e.g. 2019/20"), true},
         {QStringLiteral("pdf"), QStringLiteral("FILE"), QStringLiteral("the PDF file to write"), true}},
        tableReport,
        true};
}
