#pragma once

#include <QString>
#include <QStringList>

class TDataModule1;

// Choosing a country, a competition, a season or a team by the name the windows show, as their
// choosers do: the chosen record becomes the current record of its shared view, and the
// views bound to it follow. A name that matches nothing throws AppError naming it and the
// closest names that exist.
namespace Selection {

// The first country of that name, in name order.
void chooseCountry(TDataModule1& module, const QString& name);
// A competition of the current country.
void chooseCompetition(TDataModule1& module, const QString& name);
// A season of the current competition, by its name ("2019/20").
void chooseSeason(TDataModule1& module, const QString& name);
// The labels of every team of the database, in the order of their names.
QStringList allTeamLabels(TDataModule1& module);
// Checks that a team of that label exists; what says which team (e.g. "team 1").
void requireTeam(TDataModule1& module, const QString& what, const QString& label);

} // namespace Selection
