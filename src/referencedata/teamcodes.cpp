#include "teamcodes.h"

#include "datamodule.h"
#include "viewborrow.h"

#include <QHash>
#include <QSet>

namespace TeamCodes {

void fillIntoSeasonTables(TDataModule1& module)
{
    TableView& teams = *module.TableTeam;
    TableView& seasons = *module.TableTableHead;
    TableView& rows = *module.TableTableDet;

    // Every team of the database by its label, read in the team view's order.
    QHash<QString, qint64> codeOfLabel;
    {
        ViewBorrow all(teams);
        all.master();
        teams.unbind();
        for (const QVariantList& t :
             teams.listValues({QStringLiteral("Code"), QStringLiteral("ShortName"), QStringLiteral("City")}))
            codeOfLabel.insert(teamLabel(t[1].toString(), t[2].toString()), t[0].toLongLong());
        all.restore();
    }

    ViewBorrow seasonBack(seasons);
    seasonBack.position(QStringLiteral("Num"));
    for (seasons.first(); !seasons.isEmpty() && !seasons.eof(); seasons.next()) {
        // The season's rows as a locate by team text finds them: the first of each text.
        QSet<QString> seen;
        std::vector<std::pair<qint64, qint64>> writes; // row number, team code
        for (const QVariantList& r :
             rows.listValues({QStringLiteral("Num"), QStringLiteral("Team"), QStringLiteral("CodeTeam")})) {
            const QString label = r[1].toString();
            if (seen.contains(label))
                continue;
            seen.insert(label);
            const auto team = codeOfLabel.constFind(label);
            if (team != codeOfLabel.cend() && (r[2].isNull() || r[2].toLongLong() != *team))
                writes.emplace_back(r[0].toLongLong(), *team);
        }
        for (const auto& [num, code] : writes) {
            rows.locate(QStringLiteral("Num"), num);
            rows.edit();
            rows.setValue(QStringLiteral("CodeTeam"), code);
            rows.post();
        }
    }
    seasonBack.restore();
}

} // namespace TeamCodes
