// The spreadsheet exports of the league table, of all competitions' statistics and of a
// predictions list, written to a file instead of being opened.
#include "apperror.h"
#include "commands.h"
#include "competitionsexport.h"
#include "datamodule.h"
#include "filterforms.h"
#include "leaguetableexport.h"
#include "predictionsexport.h"
#include "selection.h"
#include "workbookfile.h"

#include <QFile>
#include <QLocale>

namespace {

const QStringList kListKeys{QStringLiteral("team1"), QStringLiteral("team2"), QStringLiteral("win1"),
                            QStringLiteral("draw"),  QStringLiteral("win2"),  QStringLiteral("over"),
                            QStringLiteral("under"), QStringLiteral("base")};

void refuseOptions(const ParsedOptions& options, const QString& kind, const QStringList& names)
{
    for (const QString& name : names) {
        if (options.has(name))
            throw UsageError(QStringLiteral("export %1 takes no --%2").arg(kind, name));
    }
}

// The season's rows of TableSortDet, filtered to the season as the viewer filters them;
// the stored positions are exported as they are, without ranking.
Spreadsheet::Workbook leagueTable(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    refuseOptions(options, QStringLiteral("table"), {QStringLiteral("all")});
    for (const char* name : {"country", "competition", "season"}) {
        if (!options.has(QString::fromLatin1(name)))
            throw UsageError(QStringLiteral("export table needs --country, --competition and --season"));
    }
    TDataModule1& module = context.database();
    Selection::chooseCountry(module, options.value(QStringLiteral("country")));
    Selection::chooseCompetition(module, options.value(QStringLiteral("competition")));
    Selection::chooseSeason(module, options.value(QStringLiteral("season")));
    TableView& rows = *module.TableSortDet;
    rows.setFilterText(FilterForms::season(module.TableTableHead->asString(QStringLiteral("Num"))));
    rows.setFiltered(true);
    return leagueTableWorkbook(module);
}

Spreadsheet::Workbook allCompetitions(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    refuseOptions(options, QStringLiteral("stats"),
                  {QStringLiteral("country"), QStringLiteral("competition"), QStringLiteral("season")});
    if (!options.has(QStringLiteral("all")))
        throw UsageError(QStringLiteral("export stats needs --all: the export holds every competition"));
    TDataModule1& module = context.database();
    return CompetitionStatistics::competitionsWorkbook(CompetitionStatistics::allCompetitions(module));
}

// A share of the list file: with a decimal point, or as the chosen locale writes it.
double shareOf(const QString& text, int line)
{
    bool ok = false;
    double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw AppError(QStringLiteral("Line %1 of the list: '%2' is not a share").arg(line).arg(text));
    return value;
}

// The base of a list row: its caption as the list shows it, or the word of --base.
QString baseCaptionOf(const QString& text, int line)
{
    if (text == QLatin1String("intramural") || text == Prediction::baseCaption(Prediction::Base::Intramural))
        return Prediction::baseCaption(Prediction::Base::Intramural);
    if (text == QLatin1String("all") || text == Prediction::baseCaption(Prediction::Base::AllGames))
        return Prediction::baseCaption(Prediction::Base::AllGames);
    throw AppError(QStringLiteral("Line %1 of the list: the base is \"%2\", \"%3\", intramural or all, not \"%4\"")
                       .arg(line)
                       .arg(Prediction::baseCaption(Prediction::Base::Intramural),
                            Prediction::baseCaption(Prediction::Base::AllGames), text));
}

// The predictions of a CSV file handed to a list in their order, as the prediction window
// hands them over: the list adds its Mixed rows itself, so Mixed rows of the file are
// passed over.
Spreadsheet::Workbook predictions(CommandContext& context)
{
    const ParsedOptions& options = context.options();
    refuseOptions(
        options, QStringLiteral("predictions"),
        {QStringLiteral("country"), QStringLiteral("competition"), QStringLiteral("season"), QStringLiteral("all")});
    if (options.words().size() != 2)
        throw UsageError(QStringLiteral("export predictions needs the list's CSV file"));
    const QString fileName = options.words()[1];
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot read the list \"%1\": %2").arg(fileName, file.errorString()));
    const std::vector<QStringList> lines = Output::parseCsv(QString::fromUtf8(file.readAll()));
    if (lines.empty() || lines.front() != kListKeys)
        throw AppError(QStringLiteral("The list \"%1\" does not begin with the header %2")
                           .arg(fileName, kListKeys.join(QLatin1Char(','))));
    PredictionsList list;
    for (size_t i = 1; i < lines.size(); ++i) {
        const QStringList& fields = lines[i];
        const int line = static_cast<int>(i) + 1;
        if (fields.size() != kListKeys.size())
            throw AppError(QStringLiteral("Line %1 of the list has %2 fields, not %3")
                               .arg(line)
                               .arg(fields.size())
                               .arg(kListKeys.size()));
        if (fields[7] == PredictionsList::mixedCaption())
            continue;
        const Prediction::Outcome outcome{shareOf(fields[2], line), shareOf(fields[3], line), shareOf(fields[4], line),
                                          shareOf(fields[5], line), shareOf(fields[6], line)};
        list.add(fields[0], fields[1], outcome, baseCaptionOf(fields[7], line));
    }
    return predictionsWorkbook(list);
}

void exportWorkbook(CommandContext& context)
{
    const QStringList& words = context.options().words();
    const QString kind = words.value(0);
    if (kind.isEmpty())
        throw UsageError(QStringLiteral("export needs what to export: table, stats or predictions"));
    if (kind != QLatin1String("predictions") && words.size() > 1)
        throw UsageError(QStringLiteral("unexpected argument \"%1\"").arg(words[1]));
    Spreadsheet::Workbook workbook;
    if (kind == QLatin1String("table"))
        workbook = leagueTable(context);
    else if (kind == QLatin1String("stats"))
        workbook = allCompetitions(context);
    else if (kind == QLatin1String("predictions"))
        workbook = predictions(context);
    else
        throw UsageError(QStringLiteral("export table, stats or predictions, not \"%1\"").arg(kind));
    Spreadsheet::writeFile(workbook, context.options().value(QStringLiteral("xlsx")));
}

} // namespace

Command exportCommand()
{
    return {QStringLiteral("export"),
            QStringLiteral("a spreadsheet export of the windows, written to an .xlsx file"),
            QStringLiteral(
                "Writes the workbook that a window's \"Export to Excel\" shows, to the file OUT, without opening it:\n"
                "  export table --country C --competition D --season S --xlsx OUT\n"
                "      the season's league table in ranking order, with the positions stored at its last ranking\n"
                "  export stats --all --xlsx OUT\n"
                "      every competition with results, as the statistics window's export writes them\n"
                "  export predictions LIST.csv --xlsx OUT\n"
                "      a predictions list: LIST.csv has the header team1,team2,win1,draw,win2,over,under,base and a\n"
                "      prediction per row (shares with a decimal point, base intramural or all); the list adds a\n"
                "      Mixed row after two predictions of one pairing in succession, as the window does, and\n"
                "      Mixed rows of the file are passed over.\n"
                "The file appears only when it is complete; an earlier file of that name is replaced."),
            {{QStringLiteral("country"), QStringLiteral("NAME"), QStringLiteral("table: the country")},
             {QStringLiteral("competition"), QStringLiteral("NAME"), QStringLiteral("table: a competition of it")},
             {QStringLiteral("season"), QStringLiteral("NAME"), QStringLiteral("table: a season of it, e.g. 2019/20")},
             {QStringLiteral("all"), QString(), QStringLiteral("stats: every competition")},
             {QStringLiteral("xlsx"), QStringLiteral("OUT"), QStringLiteral("the .xlsx file to write"), true}},
            exportWorkbook,
            QStringLiteral("table|stats|predictions [LIST.csv]")};
}
