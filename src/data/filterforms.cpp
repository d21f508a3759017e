#include "filterforms.h"

#include "textformat.h"

namespace FilterForms {

namespace {

// "(Field='value')" with the value quoted.
QString term(const char* field, const QString& value)
{
    return QStringLiteral("(%1=%2)").arg(QLatin1String(field), TextFormat::quoteLiteral(value));
}

QString term(const char* field, const char* op, const QString& value)
{
    return QStringLiteral("(%1%2%3)").arg(QLatin1String(field), QLatin1String(op), TextFormat::quoteLiteral(value));
}

const QString andOp = QStringLiteral("and");
const QString orOp = QStringLiteral("or");

} // namespace

QString division(const QString& d)
{
    return term("Division", d);
}

QString pairInDivision(const QString& d, const QString& t1, const QString& t2)
{
    return term("Division", d) + andOp + term("Team", t1) + andOp + term("Team2", t2);
}

QString pair(const QString& t1, const QString& t2)
{
    return term("Team", t1) + andOp + term("Team2", t2);
}

QString pairBothWaysInDivision(const QString& d, const QString& t1, const QString& t2)
{
    return pairInDivision(d, t1, t2) + orOp + pairInDivision(d, t2, t1);
}

QString pairBothWays(const QString& t1, const QString& t2)
{
    return pair(t1, t2) + orOp + pair(t2, t1);
}

QString homeGamesInDivision(const QString& d, const QString& t1)
{
    return term("Division", d) + andOp + term("Team", t1);
}

QString pairAwayFirstInDivision(const QString& d, const QString& t2, const QString& t1)
{
    return term("Division", d) + andOp + term("Team2", t2) + andOp + term("Team", t1);
}

QString awayGamesInDivision(const QString& d, const QString& t2)
{
    return term("Division", d) + andOp + term("Team2", t2);
}

QString teamSeasonInDivision(const QString& s, const QString& e, const QString& d, const QString& l)
{
    return term("Date", ">=", s) + andOp + term("Date", "<=", e) + andOp + term("Division", d) + andOp +
           QStringLiteral("(%1or%2)").arg(term("Team", l), term("Team2", l));
}

QString teamSeason(const QString& s, const QString& e, const QString& l)
{
    return term("Date", ">=", s) + QStringLiteral("and ") + term("Date", "<=", e) + QStringLiteral(" and(") +
           term("Team", l) + orOp + term("Team2", l) + QStringLiteral(") ");
}

QString seasonInDivision(const QString& s, const QString& e, const QString& d)
{
    return term("Date", ">=", s) + andOp + term("Date", "<=", e) + andOp + term("Division", d);
}

QString resultsOfTeamCode(const QString& c)
{
    return QStringLiteral("(%1or%2)").arg(term("CodeTeam", c), term("CodeTeam2", c));
}

QString rowsOfTeamCode(const QString& c)
{
    return term("CodeTeam", c);
}

QString season(const QString& n)
{
    return term("CodeSeason", n);
}

QString seasonsNumbered(const QStringList& ns)
{
    QStringList terms;
    for (const QString& n : ns)
        terms << term("Num", n);
    return terms.join(orOp);
}

QString shortName(const QString& h)
{
    return term("ShortName", h);
}

QString shortNameOfLabel(const QString& label)
{
    const qsizetype p = label.indexOf(QLatin1Char('(')) + 1; // position from 1, 0 when absent
    return p >= 2 ? label.left(p - 2) : QString();
}

} // namespace FilterForms
