#include "apperror.h"
#include "datamodule.h"
#include "filterforms.h"
#include "localescope.h"
#include "testdatabase.h"
#include "textformat.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kRovers = QStringLiteral("Rovers (Ashby)");
const QString kUnited = QStringLiteral("United (Bexley)");
const QString kCity = QStringLiteral("City (Crewe)");
const QString kNewells = QStringLiteral("Newell's Old Boys (Rosario)");

// Results of two competitions of one country, read through the newest-first view.
class FilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(7, "England");
        db.addDivision(71, 7, "League");
        db.addDivision(72, 7, "Cup");
        db.addResult(1, QDate(2003, 6, 30), 1, 2, kRovers, kUnited, 2, 1, 71);
        db.addResult(2, QDate(2003, 7, 1), 2, 1, kUnited, kRovers, 0, 0, 71);
        db.addResult(3, QDate(2004, 3, 15), 2, 1, kUnited, kRovers, 1, 3, 71);
        db.addResult(4, QDate(2004, 6, 30), 1, 2, kRovers, kUnited, 1, 1, 72);
        db.addResult(5, QDate(2004, 7, 1), 3, 1, kCity, kRovers, 2, 2, 71);
        db.addResult(6, QDate(2004, 5, 1), 1, 1, kRovers, kRovers, 3, 0, 71);
        db.addResult(7, QDate(2004, 5, 2), 4, 1, kNewells, kRovers, 1, 0, 72);
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        view = module->TableSortRes;
    }

    // The numbers of the results the filter selects, newest first.
    QStringList select(const QString& filter)
    {
        view->setFilterText(filter);
        view->setFiltered(true);
        QStringList nums;
        const int n = view->recordCount();
        for (int i = 0; i < n; ++i) {
            nums << view->asString("Num");
            view->next();
        }
        view->setFiltered(false);
        return nums;
    }

    QString refusal(const QString& filter)
    {
        try {
            view->setFilterText(filter);
        } catch (const AppError& e) {
            return e.message();
        }
        return QStringLiteral("(accepted)");
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    TableView* view = nullptr;
};

TEST_F(FilterTest, PairFormsSelectTheRightMatches)
{
    using namespace FilterForms;
    EXPECT_EQ(select(pairInDivision("71", kRovers, kUnited)), QStringList{"1"});
    EXPECT_EQ(select(pair(kRovers, kUnited)), (QStringList{"4", "1"}));
    EXPECT_EQ(select(pairBothWaysInDivision("71", kRovers, kUnited)), (QStringList{"3", "2", "1"}));
    EXPECT_EQ(select(pairBothWays(kRovers, kUnited)), (QStringList{"4", "3", "2", "1"}));
    EXPECT_EQ(select(homeGamesInDivision("71", kRovers)), (QStringList{"6", "1"}));
    EXPECT_EQ(select(pairAwayFirstInDivision("71", kRovers, kUnited)), (QStringList{"3", "2"}));
    EXPECT_EQ(select(awayGamesInDivision("71", kRovers)), (QStringList{"5", "6", "3", "2"}));
    EXPECT_EQ(select(division("72")), (QStringList{"4", "7"}));
    EXPECT_EQ(select(""), (QStringList{"5", "4", "7", "6", "3", "2", "1"})); // an empty text selects all
}

TEST_F(FilterTest, AndBindsTighterThanOr)
{
    // Read as (A and B and C) or (D and E and F). Read left to right without precedence,
    // it would select nothing here.
    const QString form4 = FilterForms::pairBothWaysInDivision("72", kRovers, kUnited);
    EXPECT_EQ(select(form4), QStringList{"4"});
    // The same team on both sides: its games against itself, each once.
    EXPECT_EQ(select(FilterForms::pairBothWaysInDivision("71", kRovers, kRovers)), QStringList{"6"});
    // Parentheses override it.
    EXPECT_EQ(select("(Division='72')and((Team='Rovers (Ashby)')or(Team='United (Bexley)'))"), QStringList{"4"});
}

TEST_F(FilterTest, BlanksBetweenTokensChangeNothing)
{
    auto* results = module->TableResults; // bound to the League
    const auto count = [&](const QString& filter) {
        results->setFilterText(filter);
        results->setFiltered(true);
        const int n = results->recordCount();
        results->setFiltered(false);
        return n;
    };
    const QString start = TextFormat::dateText(QDate(2003, 7, 1));
    const QString end = TextFormat::dateText(QDate(2004, 6, 30));
    const int tight =
        count(QStringLiteral("(Date>='%1')and(Date<='%2')and((Team='%3')or(Team2='%3'))").arg(start, end, kRovers));
    EXPECT_EQ(tight, 3); // 2, 3 and 6
    EXPECT_EQ(count(FilterForms::teamSeason(start, end, kRovers)), tight);
    EXPECT_EQ(count(QStringLiteral("  ( Date >= '%1' )  and ( Date<='%2' )and  ( ( Team = '%3' ) or (Team2='%3'))   ")
                        .arg(start, end, kRovers)),
              tight);
    EXPECT_EQ(count("(DATE>='01/07/2003') AND (date<='30/06/2004')"), 3); // keywords and fields ignore case
    // The same season within the competition, its Division term repeating the range.
    EXPECT_EQ(count(FilterForms::teamSeasonInDivision(start, end, "71", kRovers)), tight);
    EXPECT_EQ(count(FilterForms::teamSeasonInDivision(start, end, "72", kRovers)), 0);
}

TEST_F(FilterTest, ASeasonsRowsInRankingOrder)
{
    db.addRow(5, 1, kRovers, 10, 3);
    db.addRow(5, 2, kUnited, 12, -1);
    db.addRow(5, 3, kCity, 10, 5);
    db.addRow(6, 1, kRovers, 30, 9);
    auto* rows = module->TableSortDet;
    rows->setFilterText(FilterForms::season("5"));
    rows->setFiltered(true);
    QStringList order;
    for (int i = rows->recordCount(); i > 0; --i, rows->next())
        order << rows->asString("Team");
    EXPECT_EQ(order, (QStringList{kUnited, kCity, kRovers})); // points, then goal difference
}

TEST_F(FilterTest, DatesCompareAsDatesInTheShortDateFormat)
{
    // As texts, 15/03/2004 would sort before 30/06/2004 but also before 01/07/2003.
    EXPECT_EQ(select(FilterForms::seasonInDivision("01/07/2003", "30/06/2004", "71")), (QStringList{"6", "3", "2"}));
    EXPECT_EQ(select(FilterForms::seasonInDivision("01/07/2003", "30/06/2004", "72")), (QStringList{"4", "7"}));
    EXPECT_EQ(select("(Date<='30/06/2003')"), QStringList{"1"});
}

TEST_F(FilterTest, DatesWrittenInOtherLocalesReadBackAsTheSameDay)
{
    // dd.MM.yyyy, and a short date with a two-digit year that is widened to four digits.
    for (const QLocale& locale :
         {QLocale(QLocale::Russian, QLocale::Russia), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        LocaleScope scope(locale);
        const QString start = TextFormat::dateText(QDate(2003, 7, 1));
        const QString end = TextFormat::dateText(QDate(2004, 6, 30));
        EXPECT_EQ(select(FilterForms::seasonInDivision(start, end, "71")), (QStringList{"6", "3", "2"}))
            << start.toStdString();
        EXPECT_EQ(view->asString("Date"), TextFormat::dateText(QDate(2004, 7, 1)));
    }
}

TEST_F(FilterTest, LabelsCompareExactly)
{
    EXPECT_TRUE(select(FilterForms::pair("rovers (Ashby)", kUnited)).isEmpty());
    EXPECT_TRUE(select(FilterForms::pair("Rovers (Ashby) ", kUnited)).isEmpty());
    // A label stored cut to 40 characters no longer equals the full label.
    const QString longLabel = QStringLiteral("Borussia Verein fuer Leibesuebungen 1900 (Mönchengladbach)");
    db.addResult(8, QDate(2005, 1, 1), 9, 1, longLabel.left(40), kRovers, 1, 0, 71);
    EXPECT_TRUE(select(FilterForms::pair(longLabel, kRovers)).isEmpty());
    EXPECT_EQ(select(FilterForms::pair(longLabel.left(40), kRovers)), QStringList{"8"});
}

TEST_F(FilterTest, ApostrophesInValuesAreDoubledAndSelect)
{
    EXPECT_EQ(FilterForms::division("7"), "(Division='7')");
    EXPECT_EQ(FilterForms::pair(kNewells, kRovers), "(Team='Newell''s Old Boys (Rosario)')and(Team2='Rovers (Ashby)')");
    EXPECT_EQ(select(FilterForms::pairBothWays(kRovers, kNewells)), QStringList{"7"});
    EXPECT_EQ(select(FilterForms::awayGamesInDivision("72", kRovers)), QStringList{"7"});
    // Every value reads back exactly, wherever its apostrophes stand.
    const TableSchema& results = *Schema::table(QStringLiteral("Results"));
    for (const QString& value : {QStringLiteral("'"), QStringLiteral("''"), QStringLiteral("'s Hertogenbosch"),
                                 QStringLiteral("Les Verts'"), QStringLiteral("a''b'c"), QStringLiteral("")}) {
        QVariantList params;
        Filter::parse(FilterForms::pair(value, kRovers), results).sql(params);
        ASSERT_EQ(params.size(), 2);
        EXPECT_EQ(params[0].toString(), value);
        EXPECT_EQ(params[1].toString(), kRovers);
    }
}

TEST_F(FilterTest, BadLiteralsAreRefusedWithTheConversionMessages)
{
    EXPECT_EQ(refusal("(Division='')"), "'' is not a valid integer value");
    EXPECT_EQ(refusal(FilterForms::pairInDivision("", kRovers, kUnited)), "'' is not a valid integer value");
    EXPECT_EQ(refusal("(Division='7x')"), "'7x' is not a valid integer value");
    EXPECT_EQ(refusal("(Division='99999999999')"), "'99999999999' is not a valid integer value");
    EXPECT_EQ(refusal("(Date>='')"), "'' is not a valid date");
    EXPECT_EQ(refusal("(Date>='31/02/2004')"), "'31/02/2004' is not a valid date");
}

TEST_F(FilterTest, MalformedExpressionsAreRefusedClearly)
{
    // A value with a single apostrophe pasted in unchanged no longer parses.
    const QString pasted = QStringLiteral("(Team='Newell's Old Boys (Rosario)')");
    EXPECT_TRUE(refusal(pasted).startsWith("Malformed filter expression"));
    for (const QString& bad : {QStringLiteral("(Team='Rovers (Ashby)'"), QStringLiteral("(Team='Rovers"),
                               QStringLiteral("(Team 'x')"), QStringLiteral("(Team=x)"), QStringLiteral("()"),
                               QStringLiteral("(Team='a')and"), QStringLiteral("(Team='a')(Team2='b')"),
                               QStringLiteral("(Team='a') xor (Team2='b')"), QStringLiteral("(Team='a');")}) {
        EXPECT_TRUE(refusal(bad).startsWith("Malformed filter expression")) << bad.toStdString();
    }
    EXPECT_TRUE(refusal("(Nonsense='1')").contains("Nonsense"));
}

TEST_F(FilterTest, ARefusedTextChangesNothing)
{
    view->setFilterText(FilterForms::division("72"));
    view->setFiltered(true);
    view->next();
    ASSERT_EQ(view->asString("Num"), "7");
    EXPECT_THROW(view->setFilterText("(Division='')"), AppError);
    EXPECT_THROW(view->setFilterText("(Team='Newell's')"), AppError);
    EXPECT_EQ(view->filterText(), "(Division='72')");
    EXPECT_TRUE(view->isFiltered());
    EXPECT_EQ(view->asString("Num"), "7");
    EXPECT_EQ(view->recordCount(), 2);
}

TEST_F(FilterTest, SwitchingAndNewTextsWhileOnMoveToTheFirstVisibleRecord)
{
    view->setFilterText(FilterForms::division("71"));
    view->last();
    view->setFiltered(true);
    EXPECT_EQ(view->asString("Num"), "5");
    view->next();
    view->setFilterText(FilterForms::division("72"));
    EXPECT_EQ(view->asString("Num"), "4");
    view->next();
    view->setFiltered(false);
    EXPECT_EQ(view->asString("Num"), "5");
    // Set while off, the text waits for the switch.
    view->setFilterText(FilterForms::division("72"));
    EXPECT_EQ(view->recordCount(), 7);
}

// The deepest text the filter takes, in the shape that nests its SQL most: at every level
// an or whose last operand is an and whose last operand is the next level in parentheses.
QString deepest(int depth, const QString& comparison, const QString& innermost)
{
    QString text = innermost;
    for (int i = 0; i < depth; ++i)
        text = comparison + QStringLiteral(" or ") + comparison + QStringLiteral(" and (") + text + QLatin1Char(')');
    return text;
}

QString chain(int comparisons, const QString& keyword, const std::function<QString(int)>& comparison)
{
    QStringList parts;
    for (int i = 0; i < comparisons; ++i)
        parts << comparison(i);
    return parts.join(keyword);
}

TEST_F(FilterTest, EveryTextWithinTheLimitsIsEvaluatedAndLargerOnesAreRefusedWhenSet)
{
    // Team<='...' is also true of an empty label, which wraps each comparison once more.
    const QString team = QStringLiteral("Team<='Rovers (Ashby)'"); // selects 1, 4, 5, 6 and 7
    const QString numbers =
        chain(Filter::maxComparisons, " or ", [](int i) { return QStringLiteral("(Num='%1')").arg(i); });
    const QString ands = chain(Filter::maxComparisons, " and ", [](int) { return QStringLiteral("(Num>='1')"); });
    const int spare = Filter::maxComparisons - 2 * Filter::maxDepth;
    const QString both = deepest(Filter::maxDepth, team, chain(spare, " or ", [&](int) { return team; }));
    const struct
    {
        QString text;
        int count;
    } accepted[] = {{deepest(Filter::maxDepth, team, team), 5}, {numbers, 7}, {ands, 7}, {both, 5}};
    for (const auto& a : accepted) {
        // Read every way a view reads: count, walk, last record, and a look-up inside the set.
        EXPECT_EQ(select(a.text).size(), a.count);
        view->setFilterText(a.text);
        view->setFiltered(true);
        view->last();
        EXPECT_FALSE(view->eof());
        EXPECT_TRUE(view->locate("Num", 6));
        view->setFiltered(false);
        module->TableResults->setFilterText(a.text);
        module->TableResults->setFiltered(true);
        EXPECT_GT(module->TableResults->recordCount(), 0);
        module->TableResults->setFiltered(false);
    }

    const QString tooDeep = deepest(Filter::maxDepth + 1, team, team);
    EXPECT_TRUE(refusal(tooDeep).startsWith("Malformed filter expression: parentheses are nested more than 10 deep"))
        << refusal(tooDeep).left(200).toStdString();
    EXPECT_TRUE(
        refusal(numbers + " or (Num='0')").startsWith("Malformed filter expression: more than 256 comparisons"));
    EXPECT_TRUE(refusal(QStringLiteral("(").repeated(40000) + "Num='1'" + QStringLiteral(")").repeated(40000))
                    .startsWith("Malformed filter expression"));
    EXPECT_TRUE(refusal(chain(1000000, "and", [](int) {
                    return QStringLiteral("(Num='1')");
                })).startsWith("Malformed filter expression"));
    EXPECT_EQ(view->filterText(), both); // a refused text changes nothing
}

TEST(ShortNameFilter, ShortNamesCutFromLabels)
{
    EXPECT_EQ(FilterForms::shortNameOfLabel("Dynamo (Kyiv)"), "Dynamo");
    EXPECT_EQ(FilterForms::shortNameOfLabel("Newell's Old Boys (Rosario)"), "Newell's Old Boys");
    EXPECT_EQ(FilterForms::shortNameOfLabel("Dynamo"), "");
    EXPECT_EQ(FilterForms::shortNameOfLabel("(Kyiv)"), "");

    TestDatabase db;
    db.addTeam(1, "Dynamo", "Kyiv", 1);
    db.addTeam(2, "", "Nowhere", 1);
    db.addTeam(3, "Newell's Old Boys", "Rosario", 1);
    TableView teams(db.store(), "Team.db", "teams");
    teams.setIndexName("iTeam");
    teams.addField("Code");
    teams.open();
    teams.setFiltered(true);
    // A label without a parenthesis gives no short name: only teams without one.
    teams.setFilterText(FilterForms::shortName(FilterForms::shortNameOfLabel("Dynamo")));
    EXPECT_EQ(teams.recordCount(), 1);
    EXPECT_EQ(teams.asInteger("Code"), 2);
    teams.setFilterText(FilterForms::shortName("Newell's Old Boys"));
    EXPECT_EQ(teams.asInteger("Code"), 3);
}

} // namespace
