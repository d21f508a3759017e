#include "databasesummary.h"

#include "datamodule.h"
#include "filterforms.h"
#include "viewborrow.h"

#include <QStringList>

namespace DatabaseSummary {

namespace {

const QChar kLineBreak(13);

// The records of a view, counted without moving it.
int countAll(TableView& view)
{
    return view.isEmpty() ? 0 : view.recordCount();
}

} // namespace

QString compute(TDataModule1& module)
{
    TableView& countries = *module.TableCountry;
    TableView& divisions = *module.TableDivision;
    TableView& results = *module.TableSortRes;
    QStringList lines;
    const auto line = [&lines](const QString& l) { lines << l; };

    // The walk below moves the shared current country and competition: both are found
    // again afterwards (the country first: its competitions are the ones to look in), so
    // that the other windows stay on what the user chose.
    ViewBorrow divisionBack(divisions);
    divisionBack.position(QStringLiteral("Code"));
    ViewBorrow countryBack(countries);
    countryBack.position(QStringLiteral("Code"));

    // Every record of the four tables is counted: the views lose their filters for good
    // and leave their masters until the counts are taken.
    for (TableView* view : {module.TableCountry, module.TableTeam, module.TableResults, module.TableStadium})
        view->setFiltered(false);
    {
        ViewBorrow team(*module.TableTeam);
        ViewBorrow played(*module.TableResults);
        ViewBorrow stadium(*module.TableStadium);
        for (ViewBorrow* borrow : {&team, &played, &stadium}) {
            borrow->master();
            borrow->view().unbind();
        }
        line(QStringLiteral("Countrys: ") + QString::number(countAll(countries)));
        line(QStringLiteral("Football teams: ") + QString::number(countAll(*module.TableTeam)));
        line(QStringLiteral("Stadiums: ") + QString::number(countAll(*module.TableStadium)));
        line(QStringLiteral("Results of matches: ") + QString::number(countAll(*module.TableResults)));
        for (ViewBorrow* borrow : {&team, &played, &stadium})
            borrow->restore();
    }
    line(QStringLiteral("-------------------"));

    ViewBorrow resultsBack(results);
    resultsBack.filter();
    for (countries.first(); !countries.isEmpty() && !countries.eof(); countries.next()) {
        const QString country = countries.asString(QStringLiteral("Country"));
        for (divisions.first(); !divisions.isEmpty() && !divisions.eof(); divisions.next()) {
            results.setFilterText(FilterForms::division(divisions.asString(QStringLiteral("Code"))));
            results.setFiltered(true);
            // The view runs newest first: its last record is the earliest result.
            results.last();
            QString earliest = results.asString(QStringLiteral("Date"));
            results.first();
            QString latest = results.asString(QStringLiteral("Date"));
            const int matches = results.isEmpty() ? 0 : results.recordCount();
            if (earliest.isEmpty() && latest.isEmpty())
                earliest = latest = QStringLiteral("?");
            line(country + QStringLiteral(" - ") + divisions.asString(QStringLiteral("Division")) +
                 QStringLiteral(" - ") + QString::number(matches) + QStringLiteral(" matches - (") + earliest +
                 QStringLiteral(" - ") + latest + QLatin1Char(')'));
        }
    }
    results.setFiltered(false);
    resultsBack.keep();
    countryBack.restore();
    divisionBack.restore();
    return lines.join(kLineBreak);
}

} // namespace DatabaseSummary
