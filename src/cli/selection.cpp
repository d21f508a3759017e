#include "selection.h"

#include "apperror.h"
#include "datamodule.h"
#include "names.h"

namespace {

QStringList texts(TableView* view, const QString& field)
{
    QStringList list;
    for (const QVariantList& row : view->listValues({field}))
        list << row.value(0).toString();
    return list;
}

void choose(TableView* view, const QString& field, const QString& what, const QString& name)
{
    if (view->locate(field, name))
        return;
    throw AppError(Names::unknownMessage(what, name, texts(view, field)));
}

} // namespace

namespace Selection {

void chooseCountry(TDataModule1& module, const QString& name)
{
    choose(module.TableCountry, QStringLiteral("Country"), QStringLiteral("country"), name);
}

void chooseCompetition(TDataModule1& module, const QString& name)
{
    const QString country = module.TableCountry->asString(QStringLiteral("Country"));
    choose(module.TableDivision, QStringLiteral("Division"), QStringLiteral("competition in %1").arg(country), name);
}

void chooseSeason(TDataModule1& module, const QString& name)
{
    const QString competition = module.TableDivision->asString(QStringLiteral("Division"));
    choose(module.TableTableHead, QStringLiteral("Name"), QStringLiteral("season of %1").arg(competition), name);
}

QStringList allTeamLabels(TDataModule1& module)
{
    QStringList labels;
    for (const QVariantList& row :
         module.TableSortTeam->listValues({QStringLiteral("ShortName"), QStringLiteral("City")}))
        labels << teamLabel(row.value(0).toString(), row.value(1).toString());
    return labels;
}

void requireTeam(TDataModule1& module, const QString& what, const QString& label)
{
    const QStringList labels = allTeamLabels(module);
    if (!labels.contains(label))
        throw AppError(Names::unknownMessage(what, label, labels));
}

} // namespace Selection
