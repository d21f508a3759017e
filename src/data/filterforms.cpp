#include "filterforms.h"

#include "textformat.h"

#include <initializer_list>

namespace FilterForms {

namespace {

// A filter text built by appending to one string: the program sets these forms on every
// choice of a pair or a season, so they are written without temporary pieces.
class Form
{
public:
    explicit Form(qsizetype values) { m_text.reserve(values + 96); }

    // "(Field<op>'value')" with the value quoted.
    Form& term(const char* field, const QString& value, const char* op = "=")
    {
        m_text += QLatin1Char('(');
        m_text += QLatin1String(field);
        m_text += QLatin1String(op);
        TextFormat::appendQuotedLiteral(m_text, value);
        m_text += QLatin1Char(')');
        return *this;
    }
    Form& word(const char* text)
    {
        m_text += QLatin1String(text);
        return *this;
    }
    QString text() { return std::move(m_text); }

private:
    QString m_text;
};

qsizetype sizes(std::initializer_list<const QString*> values)
{
    qsizetype n = 0;
    for (const QString* v : values)
        n += v->size();
    return 2 * n;
}

Form& pairInDivisionTo(Form& f, const QString& d, const QString& t1, const QString& t2)
{
    return f.term("Division", d).word("and").term("Team", t1).word("and").term("Team2", t2);
}

Form& pairTo(Form& f, const QString& t1, const QString& t2)
{
    return f.term("Team", t1).word("and").term("Team2", t2);
}

} // namespace

QString division(const QString& d)
{
    return Form(d.size()).term("Division", d).text();
}

QString pairInDivision(const QString& d, const QString& t1, const QString& t2)
{
    Form f(sizes({&d, &t1, &t2}));
    return pairInDivisionTo(f, d, t1, t2).text();
}

QString pair(const QString& t1, const QString& t2)
{
    Form f(sizes({&t1, &t2}));
    return pairTo(f, t1, t2).text();
}

QString pairBothWaysInDivision(const QString& d, const QString& t1, const QString& t2)
{
    Form f(2 * sizes({&d, &t1, &t2}));
    pairInDivisionTo(f, d, t1, t2).word("or");
    return pairInDivisionTo(f, d, t2, t1).text();
}

QString pairBothWays(const QString& t1, const QString& t2)
{
    Form f(2 * sizes({&t1, &t2}));
    pairTo(f, t1, t2).word("or");
    return pairTo(f, t2, t1).text();
}

QString homeGamesInDivision(const QString& d, const QString& t1)
{
    return Form(sizes({&d, &t1})).term("Division", d).word("and").term("Team", t1).text();
}

QString pairAwayFirstInDivision(const QString& d, const QString& t2, const QString& t1)
{
    return Form(sizes({&d, &t1, &t2}))
        .term("Division", d)
        .word("and")
        .term("Team2", t2)
        .word("and")
        .term("Team", t1)
        .text();
}

QString awayGamesInDivision(const QString& d, const QString& t2)
{
    return Form(sizes({&d, &t2})).term("Division", d).word("and").term("Team2", t2).text();
}

QString teamSeasonInDivision(const QString& s, const QString& e, const QString& d, const QString& l)
{
    return Form(sizes({&s, &e, &d, &l, &l}))
        .term("Date", s, ">=")
        .word("and")
        .term("Date", e, "<=")
        .word("and")
        .term("Division", d)
        .word("and(")
        .term("Team", l)
        .word("or")
        .term("Team2", l)
        .word(")")
        .text();
}

QString teamSeason(const QString& s, const QString& e, const QString& l)
{
    return Form(sizes({&s, &e, &l, &l}))
        .term("Date", s, ">=")
        .word("and ")
        .term("Date", e, "<=")
        .word(" and(")
        .term("Team", l)
        .word("or")
        .term("Team2", l)
        .word(") ")
        .text();
}

QString seasonInDivision(const QString& s, const QString& e, const QString& d)
{
    return Form(sizes({&s, &e, &d}))
        .term("Date", s, ">=")
        .word("and")
        .term("Date", e, "<=")
        .word("and")
        .term("Division", d)
        .text();
}

QString resultsOfTeamCode(const QString& c)
{
    return Form(sizes({&c, &c})).word("(").term("CodeTeam", c).word("or").term("CodeTeam2", c).word(")").text();
}

QString rowsOfTeamCode(const QString& c)
{
    return Form(c.size()).term("CodeTeam", c).text();
}

QString season(const QString& n)
{
    return Form(n.size()).term("CodeSeason", n).text();
}

QString seasonsNumbered(const QStringList& ns)
{
    Form f(16 * ns.size());
    for (qsizetype i = 0; i < ns.size(); ++i) {
        if (i > 0)
            f.word("or");
        f.term("Num", ns.at(i));
    }
    return f.text();
}

QString shortName(const QString& h)
{
    return Form(h.size()).term("ShortName", h).text();
}

QString shortNameOfLabel(const QString& label)
{
    const qsizetype p = label.indexOf(QLatin1Char('(')) + 1; // position from 1, 0 when absent
    return p >= 2 ? label.left(p - 2) : QString();
}

} // namespace FilterForms
