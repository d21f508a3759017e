#include "apperror.h"
#include "datamodule.h"
#include "testdatabase.h"

#include <gtest/gtest.h>

namespace {

const QString kArsenal = QStringLiteral("Arsenal (London)");
const QString kChelsea = QStringLiteral("Chelsea (London)");
const QString kLeeds = QStringLiteral("Leeds (Leeds)");

// Two countries, three competitions, a handful of teams and results.
class ViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(7, QStringLiteral("England"), QStringLiteral("London"));
        db.addCountry(3, QStringLiteral("Spain"), QStringLiteral("Madrid"));
        db.addDivision(71, 7, QStringLiteral("Premier League"));
        db.addDivision(72, 7, QStringLiteral("Championship"));
        db.addDivision(31, 3, QStringLiteral("La Liga"));
        db.addTeam(71, QStringLiteral("Arsenal"), QStringLiteral("London"), 71);
        db.addTeam(72, QStringLiteral("Chelsea"), QStringLiteral("London"), 71);
        db.addTeam(73, QStringLiteral("Leeds"), QStringLiteral("Leeds"), 72);
        db.addTeam(31, QStringLiteral("Sevilla"), QStringLiteral("Sevilla"), 31);
        db.addResult(1, QDate(2020, 9, 12), 71, 72, kArsenal, kChelsea, 2, 1, 71);
        db.addResult(2, QDate(2021, 1, 3), 72, 71, kChelsea, kArsenal, 0, 0, 71);
        db.addResult(3, QDate(2020, 10, 1), 73, 71, kLeeds, kArsenal, 1, 3, 72);
        db.addResult(4, QDate(2019, 5, 5), 71, 72, kArsenal, kChelsea, 4, 2, 71);
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
    }

    QStringList walk(TableView* view, const QString& field)
    {
        QStringList seen;
        view->first();
        const int n = view->recordCount();
        for (int i = 0; i < n; ++i) {
            seen << view->asString(field);
            view->next();
        }
        return seen;
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
};

TEST_F(ViewTest, OpensOnFirstRecordsAndDetailsFollowTheirMasters)
{
    auto* m = module.get();
    // Countries in name order; each bound view on the range of its master's first record.
    EXPECT_EQ(m->TableCountry->asString("Country"), "England");
    EXPECT_EQ(m->TableDivision->recordCount(), 2);
    EXPECT_EQ(m->TableDivision->asString("Division"), "Premier League");
    EXPECT_EQ(m->TableTeam->recordCount(), 2);
    EXPECT_EQ(m->TableResults->recordCount(), 3);

    m->TableDivision->next();
    EXPECT_EQ(m->TableDivision->asString("Division"), "Championship");
    EXPECT_EQ(walk(m->TableTeam, "ShortName"), QStringList{"Leeds"});
    EXPECT_EQ(m->TableResults->recordCount(), 1);

    ASSERT_TRUE(m->TableCountry->locate("Country", "Spain"));
    EXPECT_EQ(m->TableDivision->asString("Division"), "La Liga");
    EXPECT_EQ(walk(m->TableTeam, "ShortName"), QStringList{"Sevilla"});
    EXPECT_EQ(m->TableResults->recordCount(), 0);
    EXPECT_TRUE(m->TableResults->isEmpty());
    EXPECT_TRUE(m->TableResults->eof());
}

TEST_F(ViewTest, ListValuesFollowRangeFilterAndOrderWithoutMovingTheView)
{
    auto* m = module.get();
    m->TableDivision->next(); // Championship, with Leeds as its team
    ASSERT_EQ(m->TableTeam->asString("ShortName"), "Leeds");

    const auto divisions = m->TableDivision->listValues({"Code", "Division"});
    ASSERT_EQ(divisions.size(), 2u);
    EXPECT_EQ(divisions[0], (QVariantList{71, "Premier League"}));
    EXPECT_EQ(divisions[1], (QVariantList{72, "Championship"}));
    // Neither the view nor its details moved.
    EXPECT_EQ(m->TableDivision->asString("Division"), "Championship");
    EXPECT_EQ(m->TableTeam->asString("ShortName"), "Leeds");

    m->TableSortRes->setFilterText("(Division='71')");
    m->TableSortRes->setFiltered(true);
    const auto dates = m->TableSortRes->listValues({"Date"});
    ASSERT_EQ(dates.size(), 3u);
    EXPECT_EQ(dates[0].front().toDate(), QDate(2021, 1, 3)); // newest first
    EXPECT_EQ(dates[2].front().toDate(), QDate(2019, 5, 5));

    EXPECT_THROW(m->TableSortRes->listValues({"Res"}), AppError);  // calculated
    EXPECT_THROW(m->TableCountry->listValues({"Flag"}), AppError); // picture
}

TEST_F(ViewTest, UnboundViewCoversTheWholeTableAndRebindingFollowsAgain)
{
    auto* results = module->TableResults;
    EXPECT_EQ(results->recordCount(), 3);
    results->unbind();
    EXPECT_EQ(results->recordCount(), 4);
    results->bindTo(module->DataSourceDivision, "Code");
    EXPECT_EQ(results->recordCount(), 3);
    module->TableDivision->next();
    EXPECT_EQ(results->recordCount(), 1);
}

TEST_F(ViewTest, CountHonoursRangeAndFilterAndAWalkVisitsEachRecordOnce)
{
    auto* results = module->TableResults; // Premier League: results 1, 2 and 4
    results->setFilterText("(Team='Arsenal (London)')");
    EXPECT_EQ(results->recordCount(), 3); // the filter is off
    results->setFiltered(true);
    EXPECT_EQ(results->recordCount(), 2);
    EXPECT_EQ(walk(results, "Num"), (QStringList{"4", "1"})); // iDivision: oldest first
    // Past the end the view stays on the last record.
    EXPECT_TRUE(results->eof());
    EXPECT_EQ(results->asString("Num"), "1");
    results->setFiltered(false);
    EXPECT_EQ(results->recordCount(), 3);
}

TEST_F(ViewTest, NewestFirstOrderGivesLatestAndEarliestDates)
{
    auto* sortRes = module->TableSortRes;
    sortRes->setFilterText("(Division='71')");
    sortRes->setFiltered(true);
    sortRes->last();
    EXPECT_EQ(sortRes->asDate("Date"), QDate(2019, 5, 5));
    sortRes->first();
    EXPECT_EQ(sortRes->asDate("Date"), QDate(2021, 1, 3));
    EXPECT_EQ(sortRes->recordCount(), 3);
    EXPECT_EQ(sortRes->asString("Date"), "03/01/2021");
}

TEST_F(ViewTest, InsertTakesTheMastersKeyAndPostIsSeenEverywhere)
{
    auto* teams = module->TableTeam; // Premier League
    teams->insert();
    EXPECT_EQ(teams->state(), TableView::State::Insert);
    EXPECT_EQ(teams->asInteger("Division"), 71);
    EXPECT_EQ(teams->recordCount(), 2); // the begun record is not counted
    teams->setValue("ShortName", "Fulham");
    teams->setValue("City", "London");
    teams->post();
    EXPECT_EQ(teams->recordCount(), 3);
    EXPECT_EQ(teams->asString("ShortName"), "Fulham");

    // The other view of the team table sees it the next time it is read.
    auto* sortTeam = module->TableSortTeam;
    EXPECT_TRUE(sortTeam->locate("ShortName", "Fulham"));
    EXPECT_EQ(sortTeam->recordCount(), 5);

    // Posted straight after the master moved, the new record is still the current one.
    module->TableDivision->first();
    teams->insert();
    teams->setValue("ShortName", "Brentford");
    teams->post();
    EXPECT_EQ(teams->asString("ShortName"), "Brentford");
    teams->insert();
    teams->cancel();
    EXPECT_EQ(teams->asString("ShortName"), "Brentford");
}

TEST_F(ViewTest, AChangeThroughOneViewReachesAnotherViewsFilteredSet)
{
    auto* sortRes = module->TableSortRes;
    sortRes->setFilterText("(Team='Leeds (Leeds)')or(Team2='Leeds (Leeds)')");
    sortRes->setFiltered(true);
    ASSERT_EQ(sortRes->recordCount(), 1);
    auto* results = module->TableResults; // Premier League, oldest first: result 4
    results->first();
    results->edit();
    results->setValue("Team2", kLeeds);
    results->post();
    EXPECT_EQ(sortRes->recordCount(), 2);
    sortRes->last();
    EXPECT_EQ(sortRes->asString("Num"), "4");
}

TEST_F(ViewTest, TheStoreNumbersLeagueTableRows)
{
    db.addSeason(711, "2020/21", 71, QDate(2020, 8, 1), QDate(2021, 5, 31));
    module->TableDivision->first(); // re-read the seasons
    auto* rows = module->TableTableDet;
    qint64 previous = 0;
    for (const QString& team : {kArsenal, kChelsea}) {
        rows->insert();
        EXPECT_EQ(rows->asInteger("CodeSeason"), 711);
        rows->setValue("Team", team);
        EXPECT_THROW(rows->setValue("Num", 5), AppError);
        rows->post();
        EXPECT_GT(rows->asInteger("Num"), previous);
        previous = rows->asInteger("Num");
    }
    EXPECT_EQ(rows->recordCount(), 2);
}

// A league table is numbered in its ranking order with one statement: a points change
// left in editing counts, other views of the table see the numbers, and only whole-number
// fields can be numbered.
TEST_F(ViewTest, NumberingWritesTheRankingOrderAndEveryViewSeesIt)
{
    db.addSeason(711, "2020/21", 71, QDate(2020, 8, 1), QDate(2021, 5, 31));
    module->TableDivision->first();
    TableView* rows = module->TableTableDet;
    for (const auto& [team, points] : {std::pair{kArsenal, 4}, {kChelsea, 9}, {kLeeds, 6}}) {
        rows->insert();
        rows->setValue("Team", team);
        rows->setValue("Points", points);
    }
    rows->post();
    EXPECT_EQ(walk(rows, "Position"), (QStringList{"", "", ""}));

    TableView* ranked = module->TableSortDet;
    ranked->setFilterText("(CodeSeason='711')");
    ranked->setFiltered(true);
    ASSERT_TRUE(ranked->locate("Team", kArsenal));
    ranked->edit();
    ranked->setValue("Points", 12); // Arsenal goes to the top when this is posted
    ranked->numberInOrder("Position");
    EXPECT_EQ(ranked->state(), TableView::State::Browse);
    EXPECT_EQ(ranked->recNo(), 0);
    EXPECT_EQ(walk(ranked, "Team"), (QStringList{kArsenal, kChelsea, kLeeds}));
    EXPECT_EQ(walk(ranked, "Position"), (QStringList{"1", "2", "3"}));
    // The seasons' view read the rows before: it hears of the numbers as of posts.
    EXPECT_EQ(walk(rows, "Position"), (QStringList{"1", "2", "3"}));
    // Rows of other seasons keep theirs.
    ranked->setFilterText("(CodeSeason='712')");
    ranked->numberInOrder("Position");
    EXPECT_TRUE(ranked->isEmpty());
    EXPECT_EQ(walk(rows, "Position"), (QStringList{"1", "2", "3"}));
    EXPECT_THROW(ranked->numberInOrder("Team"), AppError);
}

TEST_F(ViewTest, MovingPostsTheRecordBeingEditedAndCancelDiscards)
{
    auto* countries = module->TableCountry;
    countries->edit();
    countries->setValue("Capital", "Londinium");
    countries->next(); // posts first
    EXPECT_EQ(countries->state(), TableView::State::Browse);
    countries->first();
    EXPECT_EQ(countries->asString("Capital"), "Londinium");

    countries->edit();
    countries->setValue("Capital", "York");
    EXPECT_EQ(countries->asString("Capital"), "York");
    countries->cancel();
    EXPECT_EQ(countries->asString("Capital"), "Londinium");
    EXPECT_EQ(db.scalar("SELECT Capital FROM Country WHERE Code = 7").toString(), "Londinium");
}

TEST_F(ViewTest, AnEditThatMovesARecordOutOfTheFilterLetsTheWalkGoOn)
{
    auto* results = module->TableResults;
    results->unbind();
    results->setFilterText("(Goal1>='1')");
    results->setFiltered(true);
    ASSERT_EQ(walk(results, "Num"), (QStringList{"4", "1", "3"}));
    results->first();
    results->edit();
    results->setValue("Goal1", 0); // result 4 no longer passes
    results->post();
    results->next();
    EXPECT_EQ(results->asString("Num"), "1");
    EXPECT_EQ(results->recordCount(), 2);
}

TEST_F(ViewTest, DeleteMovesToTheFollowingRecord)
{
    auto* results = module->TableResults; // 4, 1, 2 in date order
    results->first();
    results->next();
    ASSERT_EQ(results->asString("Num"), "1");
    results->remove();
    EXPECT_EQ(results->asString("Num"), "2");
    EXPECT_EQ(results->recordCount(), 2);
    results->remove(); // the last one: stand on the new last record
    EXPECT_EQ(results->asString("Num"), "4");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Results").toInt(), 2);
}

// After a walk has read some fields, the next sets are read with those fields only: a
// field asked for later, an edit, a grid's read and a post must still see every value.
TEST_F(ViewTest, FieldsNotReadBeforeAreReadWhenAskedForLater)
{
    TableView* results = module->TableResults;
    results->unbind(); // in order: 4, 1, 2 (Premier League), 3 (Championship)
    EXPECT_EQ(walk(results, "Num"), (QStringList{"4", "1", "2", "3"}));
    results->setFilterText("(Goal1>'0')");
    results->setFiltered(true); // a new set, read with Num alone
    EXPECT_EQ(walk(results, "Num"), (QStringList{"4", "1", "3"}));
    results->first();
    EXPECT_EQ(results->asString("Team"), kArsenal);
    EXPECT_EQ(results->asInteger("Goal2"), 2);
    EXPECT_EQ(results->valueAt(1, "Team2").toString(), kChelsea);
    EXPECT_FALSE(results->cachedRow(2).isValid()); // not read with every field: the grid asks
    EXPECT_EQ(results->fetchRows(0, 2), 3);
    EXPECT_EQ(results->fieldValue(results->cachedRow(2), *results->fieldDef("Team2")).toString(), kArsenal);

    // An edit of a record read with few fields keeps the others.
    results->setFilterText("(Goal1>'0')");
    EXPECT_EQ(walk(results, "Num"), (QStringList{"4", "1", "3"}));
    results->moveTo(2);
    results->edit();
    results->setValue("Goal2", 5);
    results->post();
    EXPECT_EQ(results->asString("Team"), kLeeds);
    EXPECT_EQ(results->asDate("Date"), QDate(2020, 10, 1));
    QSqlQuery stored = db.store().exec("SELECT Team || Goal1 || Goal2 FROM Results WHERE Num = 3", {}, "test");
    ASSERT_TRUE(stored.next());
    EXPECT_EQ(stored.value(0).toString(), kLeeds + "15");

    // Fields first read in a later walk come with the sets after it.
    results->setFilterText("(Goal1<'3')");
    EXPECT_EQ(walk(results, "Team2"), (QStringList{kChelsea, kArsenal, kArsenal}));
    EXPECT_EQ(walk(results, "Team"), (QStringList{kArsenal, kChelsea, kLeeds}));
}

TEST_F(ViewTest, ReadOnlyViewAndUndeclaredFieldsAreRefused)
{
    EXPECT_THROW(module->TableSortRes->edit(), AppError);
    // TableSortDet does not declare CodeTeam.
    EXPECT_THROW(module->TableSortDet->value("CodeTeam"), AppError);
    EXPECT_THROW(module->TableCountry->setValue("Capital", "x"), AppError); // not editing
}

TEST_F(ViewTest, EmptyFieldsReadAsZeroOrEmptyText)
{
    auto* countries = module->TableCountry;
    countries->insert();
    countries->setValue("Country", "Atlantis");
    countries->post();
    EXPECT_TRUE(countries->isNull("Code"));
    EXPECT_EQ(countries->asInteger("Code"), 0);
    EXPECT_EQ(countries->asString("Capital"), "");
    EXPECT_TRUE(countries->asBytes("Flag").isEmpty());
}

TEST_F(ViewTest, TextsAreCutToTheirWidthAndPicturesRoundTrip)
{
    auto* results = module->TableResults;
    results->first();
    results->edit();
    const QString longLabel = QStringLiteral("Wolverhampton Wanderers Football Club (Wolverhampton)");
    results->setValue("Team", longLabel);
    results->post();
    EXPECT_EQ(results->asString("Team"), longLabel.left(40));
    EXPECT_EQ(db.scalar("SELECT Team FROM Results WHERE Num = 4").toString(), longLabel.left(40));

    auto* countries = module->TableCountry;
    const QByteArray png("\x89PNG\r\n\x1a\n-picture-bytes", 22);
    countries->edit();
    countries->setValue("Flag", png);
    countries->post();
    db.reopen();
    TDataModule1 again(db.store());
    again.DataModuleCreate();
    EXPECT_EQ(again.TableCountry->asBytes("Flag"), png);
}

TEST_F(ViewTest, PostedChangesSurviveAReopenOfTheDatabase)
{
    auto* countries = module->TableCountry;
    countries->insert();
    countries->setValue("Code", 44);
    countries->setValue("Country", QStringLiteral("Україна"));
    countries->setValue("Capital", QStringLiteral("Київ"));
    countries->post();
    module.reset();
    db.reopen();
    TDataModule1 again(db.store());
    again.DataModuleCreate();
    ASSERT_TRUE(again.TableCountry->locate("Code", 44));
    EXPECT_EQ(again.TableCountry->asString("Country"), QStringLiteral("Україна"));
    EXPECT_EQ(again.TableCountry->asString("Capital"), QStringLiteral("Київ"));
}

TEST_F(ViewTest, NumbersAndDatesAreCheckedWhenSet)
{
    auto* results = module->TableResults;
    results->first();
    results->edit();
    EXPECT_THROW(results->setValue("Goal1", 40000), AppError); // Smallint
    try {
        results->setValue("Date", "31/02/2021");
        FAIL() << "an impossible date was accepted";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "'31/02/2021' is not a valid date");
    }
    results->setValue("Date", "01/02/2021");
    results->post();
    EXPECT_EQ(results->asDate("Date"), QDate(2021, 2, 1));
}

void fillLarge(TestDatabase& db)
{
    db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
            "INSERT INTO Results (Num, Date, Team, Team2, Goal1, Goal2, Division) "
            "SELECT i, date('2000-01-01', '+' || i || ' days'), 'H' || i, 'A' || i, i % 7, i % 5, 1 FROM n");
}

// More records than are loaded with their values in one pass: values come in chunks,
// more of them than are kept at once.
TEST_F(ViewTest, LastWorksWithTheStatementCacheFull)
{
    // A long run of the program has filled the store's statements; moving to the last
    // record reads it and then counts, preparing one more while the first is held.
    for (int i = 0; db.store().keptCount() < TableStore::keptLimit - 1; ++i)
        db.store().read(QStringLiteral("SELECT %1").arg(i), {}, QStringLiteral("test"));
    auto* m = module.get();
    m->TableSortRes->last();
    EXPECT_EQ(m->TableSortRes->asDate("Date"), QDate(2019, 5, 5));
    EXPECT_EQ(m->TableSortRes->recNo(), 3);
    m->TableSortRes->first();
    EXPECT_EQ(m->TableSortRes->asDate("Date"), QDate(2021, 1, 3));
}

TEST(LargeView, WalksAndCountsBeyondTheEagerlyLoadedRecords)
{
    TestDatabase db;
    fillLarge(db);
    TableView view(db.store(), "Results.db", "big");
    view.setIndexName("iDate");
    view.addField("Num");
    view.addField("Team");
    view.open();
    ASSERT_EQ(view.recordCount(), 40000);
    view.first();
    int expected = 40000;
    bool inOrder = true;
    for (int i = 0; i < 40000; ++i) {
        inOrder = inOrder && view.asInteger("Num") == expected &&
                  view.asString("Team") == QStringLiteral("H%1").arg(expected);
        --expected;
        view.next();
    }
    EXPECT_TRUE(inOrder);
    EXPECT_TRUE(view.eof());
    view.moveTo(12345);
    EXPECT_EQ(view.asInteger("Num"), 40000 - 12345);
    EXPECT_EQ(view.recNo(), 12345);
    // An edit far down, then a jump away and back, through chunks loaded anew.
    view.moveTo(35000);
    view.edit();
    view.setValue("Team", "Edited");
    view.post();
    view.moveTo(100);
    EXPECT_EQ(view.asString("Team"), "H39900");
    view.moveTo(35000);
    EXPECT_EQ(view.asString("Team"), "Edited");
    EXPECT_EQ(view.asInteger("Num"), 5000);
}

// A large set that has only been counted, as a grid counts it: rows are read by place,
// the view moves by place and knows where it stands, and a row changed through another
// view is announced and read again.
TEST(LargeView, ACountedSetIsReadAndWalkedByPlace)
{
    TestDatabase db;
    fillLarge(db);
    TableView view(db.store(), "Results.db", "big");
    view.setIndexName("iDate");
    view.addField("Num");
    view.addField("Team");
    view.open();
    ASSERT_EQ(view.recordCount(), 40000);
    EXPECT_EQ(view.fetchRows(39990, 40100), 40000);
    const ViewField& num = *view.fieldDef("Num");
    EXPECT_EQ(view.fieldValue(view.cachedRow(39999), num).toInt(), 1);
    EXPECT_FALSE(view.cachedRow(20000).isValid());

    view.last();
    EXPECT_EQ(view.recNo(), 39999);
    view.moveTo(39000);
    EXPECT_EQ(view.asInteger("Num"), 1000);
    EXPECT_EQ(view.recNo(), 39000);
    view.next();
    EXPECT_EQ(view.asInteger("Num"), 999);
    EXPECT_EQ(view.recNo(), 39001);

    TableView other(db.store(), "Results.db", "other");
    other.addField("Num");
    other.addField("Team");
    other.open();
    ASSERT_TRUE(other.locate("Num", 5));
    std::vector<qint64> announced;
    QObject::connect(&view, &TableView::rowChanged, [&](qint64 id) { announced.push_back(id); });
    view.fetchRows(39990, 39999);
    other.edit();
    other.setValue("Team", "Renamed");
    other.post();
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_FALSE(view.cachedRow(39995).isValid());
    EXPECT_EQ(view.valueAt(39995, "Team").toString(), "Renamed");
    EXPECT_EQ(view.fieldValue(view.cachedRow(39995), *view.fieldDef("Team")).toString(), "Renamed");
}

} // namespace
