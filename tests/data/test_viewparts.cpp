#include "apperror.h"
#include "fieldvalue.h"
#include "filter.h"
#include "keptstatements.h"
#include "recordset.h"
#include "tableview.h"
#include "testdatabase.h"
#include "viewquery.h"

#include <gtest/gtest.h>

// The parts of a view: its SQL, checked without a database; the one conversion rule that
// posts and filters share; the record set's cache; the store's kept statements.
namespace {

const TableSchema& results()
{
    return *Schema::table(QStringLiteral("Results.db"));
}

QString appError(const std::function<void()>& f)
{
    try {
        f();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

TEST(ViewQuery, RangeFilterAndOrderBecomeOneStatementWithValuesOnlyAsParameters)
{
    ViewQuery query(results());
    query.setOrder(results().index(QStringLiteral("iDivision"))->keys, false);
    query.setRange(QVariant(qint64(71)));
    const Filter filter = Filter::parse(QStringLiteral("(Team='Newell''s (Rosario)')or(Goal1>='2')"), results());
    query.setFilter(&filter);

    const Statement first = query.edge(false);
    EXPECT_TRUE(
        first.sql.contains(QStringLiteral(" WHERE \"Division\" = ? AND (\"Team\" = ? OR \"Goal1\" >= ?) ORDER BY")))
        << first.sql.toStdString();
    EXPECT_TRUE(first.sql.endsWith(QStringLiteral(" ORDER BY \"Division\" ASC, \"Date\" ASC, \"RecId\" ASC LIMIT 1")))
        << first.sql.toStdString();
    EXPECT_FALSE(first.sql.contains(QStringLiteral("Newell")));
    EXPECT_EQ(first.params, (QVariantList{qint64(71), QStringLiteral("Newell's (Rosario)"), qint64(2)}));
    // The last record: every key the other way round, the same values.
    const Statement last = query.edge(true);
    EXPECT_TRUE(
        last.sql.endsWith(QStringLiteral(" ORDER BY \"Division\" DESC, \"Date\" DESC, \"RecId\" DESC LIMIT 1")));
    EXPECT_EQ(last.params, first.params);
    EXPECT_EQ(query.count().sql.left(22), QStringLiteral("SELECT COUNT(*) FROM \""));
    EXPECT_EQ(query.count().params, first.params);

    // Without a filter and a range: no WHERE at all.
    query.setFilter(nullptr);
    query.clearRange();
    EXPECT_FALSE(query.ids().sql.contains(QStringLiteral("WHERE")));
    EXPECT_TRUE(query.ids().params.isEmpty());
}

TEST(ViewQuery, AMasterWithoutARecordSelectsNothingAndALocateOfNothingLooksForEmpty)
{
    ViewQuery query(results());
    query.setOrder(results().index(QStringLiteral("iDivision"))->keys, false);
    query.setRange(QVariant());
    EXPECT_TRUE(query.selectsNothing());
    EXPECT_TRUE(query.rows(-1).sql.contains(QStringLiteral(" WHERE 0 ")));
    EXPECT_TRUE(query.rows(-1).params.isEmpty());

    query.clearRange();
    const Statement locate = query.locate(*results().field(QStringLiteral("Goal1")), QVariant());
    EXPECT_TRUE(locate.sql.contains(QStringLiteral("WHERE \"Goal1\" IS NULL")));
    EXPECT_TRUE(locate.params.isEmpty());
}

TEST(ViewQuery, TextKeysIgnoreCaseAndTheIdRunsWithTheIndex)
{
    const TableSchema& teams = *Schema::table(QStringLiteral("Team.db"));
    ViewQuery byName(teams);
    byName.setOrder(teams.index(QStringLiteral("iTeam"))->keys, false);
    EXPECT_TRUE(byName.edge(false).sql.endsWith(
        QStringLiteral("ORDER BY \"Team\" COLLATE NOCASE ASC, \"Code\" ASC, \"RecId\" ASC LIMIT 1")));

    // Newest first: on the same day the later-added result comes first.
    ViewQuery newest(results());
    const IndexSchema* iDate = results().index(QStringLiteral("iDate"));
    newest.setOrder(iDate->keys, iDate->idDescending);
    EXPECT_TRUE(newest.rows(5).sql.endsWith(QStringLiteral("ORDER BY \"Date\" DESC, \"RecId\" DESC LIMIT 5")));
}

TEST(ViewQuery, AReadOfSomeColumnsKeepsEveryColumnInItsPlace)
{
    ViewQuery query(results());
    query.setOrder(results().index(QStringLiteral("iDivision"))->keys, false);
    const int goal1 = query.columnOf(results().fieldIndex(QStringLiteral("Goal1")));
    const Statement some = query.rows(10, ViewQuery::columnBit(goal1));
    EXPECT_TRUE(some.sql.startsWith(QStringLiteral(
        "SELECT \"RecId\", NULL, NULL, NULL, NULL, NULL, NULL, \"Goal1\", NULL, NULL FROM \"Results\" ORDER BY")))
        << some.sql.toStdString();
    EXPECT_TRUE(query.window(5, 10, true, ViewQuery::columnBit(goal1)).sql.startsWith(some.sql.left(80)));
    EXPECT_TRUE(query.rowsById({1, 2}, ViewQuery::columnBit(goal1)).sql.startsWith(some.sql.left(80)));
    // Every column: the list as it always was.
    EXPECT_EQ(query.rows(10, ViewQuery::kAllColumns).sql, query.rows(10).sql);
    EXPECT_TRUE(query.rows(10).sql.contains(QStringLiteral("\"Goal1\", \"Goal2\", \"Division\" FROM")));
    EXPECT_TRUE(query.rows(10, ViewQuery::columnBit(goal1) | ViewQuery::columnBit(1))
                    .sql.startsWith(QStringLiteral("SELECT \"RecId\", \"Num\", NULL, NULL")));
}

TEST(ViewQuery, WritesNameTheirColumnsAndBindTheirValues)
{
    ViewQuery query(*Schema::table(QStringLiteral("TableDet.DB")));
    EXPECT_EQ(query.insert({}, {}).sql, QStringLiteral("INSERT INTO \"TableDet\" DEFAULT VALUES"));
    const Statement insert = query.insert({QStringLiteral("Team"), QStringLiteral("Points")}, {QStringLiteral("A"), 3});
    EXPECT_EQ(insert.sql, QStringLiteral("INSERT INTO \"TableDet\" (\"Team\", \"Points\") VALUES (?, ?)"));
    const Statement update = query.update({QStringLiteral("Points")}, {7}, 12);
    EXPECT_EQ(update.sql, QStringLiteral("UPDATE \"TableDet\" SET \"Points\" = ? WHERE \"Num\" = ?"));
    EXPECT_EQ(update.params, (QVariantList{7, qint64(12)}));
    // A write of other columns names its own, also after the same columns were written.
    EXPECT_EQ(query.insert({QStringLiteral("Team")}, {QStringLiteral("B")}).sql,
              QStringLiteral("INSERT INTO \"TableDet\" (\"Team\") VALUES (?)"));
    EXPECT_EQ(query.update({QStringLiteral("Team"), QStringLiteral("Points")}, {QStringLiteral("C"), 1}, 3).sql,
              QStringLiteral("UPDATE \"TableDet\" SET \"Team\" = ?, \"Points\" = ? WHERE \"Num\" = ?"));
    EXPECT_EQ(query.update({QStringLiteral("Points")}, {8}, 4).params, (QVariantList{8, qint64(4)}));
}

// A filter and a post accept and refuse the same texts, with the same messages.
TEST(FieldValue, APostAndAFilterLiteralFollowOneRule)
{
    const FieldSchema& goals = *results().field(QStringLiteral("Goal1"));   // Smallint
    const FieldSchema& code = *results().field(QStringLiteral("CodeTeam")); // Integer
    const QString tooMany = appError([&] { Filter::parse(QStringLiteral("(Goal1='40000')"), results()); });
    EXPECT_EQ(tooMany,
              QStringLiteral("40000 is not a valid value for field 'Goal1'. The allowed range is -32768 to 32767."));
    EXPECT_EQ(appError([&] { FieldValue::forStore(goals, QStringLiteral("40000")); }), tooMany);
    EXPECT_EQ(appError([&] { FieldValue::forStore(goals, 40000); }), tooMany);
    EXPECT_EQ(FieldValue::fromLiteral(goals, QStringLiteral("-32768")), QVariant(qint64(-32768)));
    EXPECT_EQ(FieldValue::forStore(goals, QStringLiteral("-32768")), QVariant(qint64(-32768)));
    EXPECT_FALSE(appError([&] { FieldValue::fromLiteral(code, QStringLiteral("2147483648")); }).isEmpty());
    EXPECT_EQ(appError([&] { FieldValue::forStore(code, qint64(2147483648)); }),
              QStringLiteral("2147483648 is not a valid value for field 'CodeTeam'. The allowed range is -2147483648 "
                             "to 2147483647."));

    // An empty literal is no number; an empty value put into a field empties it.
    EXPECT_EQ(appError([&] { FieldValue::fromLiteral(code, QString()); }),
              QStringLiteral("'' is not a valid integer value"));
    EXPECT_TRUE(FieldValue::forStore(code, QString()).isNull());

    // Dates: the same text is the same day both ways; a wrong one the same message.
    const FieldSchema& date = *results().field(QStringLiteral("Date"));
    EXPECT_EQ(FieldValue::fromLiteral(date, QStringLiteral("25/05/2003")), QVariant(QStringLiteral("2003-05-25")));
    EXPECT_EQ(FieldValue::forStore(date, QStringLiteral("25/05/2003")), QVariant(QStringLiteral("2003-05-25")));
    EXPECT_EQ(appError([&] { FieldValue::fromLiteral(date, QStringLiteral("31/02/2003")); }),
              appError([&] { FieldValue::forStore(date, QStringLiteral("31/02/2003")); }));

    // A text is cut to its field when stored, never as a literal: a long label must not
    // equal its cut copy.
    const FieldSchema& team = *results().field(QStringLiteral("Team"));
    const QString longLabel(45, QLatin1Char('x'));
    EXPECT_EQ(FieldValue::fromLiteral(team, longLabel).toString().size(), 45);
    EXPECT_EQ(FieldValue::forStore(team, longLabel).toString().size(), 40);
}

// A view over a table of n results, numbered 1..n in the order of their ids.
class RecordSetTest : public ::testing::Test
{
protected:
    void fill(int n)
    {
        db.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                               "INSERT INTO Results (Num, Date, Goal1, Goal2, Division, Team) "
                               "SELECT i, '2020-01-01', 1, 0, 1, 'T' || i FROM n"),
                {n});
        query.setOrder(results().index(QStringLiteral("iDivision"))->keys, false);
    }
    int goalsAt(int index) { return static_cast<int>(set.rowAt(index).integer(goalColumn)); }

    TestDatabase db;
    ViewQuery query{results()};
    RecordSet set{db.store(), query, QStringLiteral("Results.db")};
    const int goalColumn = query.columnOf(results().fieldIndex(QStringLiteral("Goal1")));
};

TEST_F(RecordSetTest, ChunksGoLeastRecentlyUsedFirst)
{
    // More ids than the set reads with their values at once, so values come in chunks.
    const int chunks = static_cast<int>(RecordSet::kMaxChunks) + 1;
    fill(chunks * RecordSet::kChunk);
    set.load();
    ASSERT_EQ(set.size(), chunks * RecordSet::kChunk);
    for (int c = 0; c < chunks - 1; ++c)
        goalsAt(c * RecordSet::kChunk);        // the cache is full
    goalsAt(0);                                // chunk 0 is the most recently used now
    goalsAt((chunks - 1) * RecordSet::kChunk); // one more: the least recently used (1) goes

    // What is still cached shows the old values; what went is read again.
    db.exec(QStringLiteral("UPDATE Results SET Goal1 = 9"));
    EXPECT_EQ(goalsAt(0), 1);
    EXPECT_EQ(goalsAt(2 * RecordSet::kChunk), 1);
    EXPECT_EQ(goalsAt(RecordSet::kChunk), 9);
}

TEST_F(RecordSetTest, AChangedRecordIsPatchedOrReadAgainAndTheOthersStayCached)
{
    fill(1000);
    set.load();
    EXPECT_EQ(set.indexOf(set.idAt(777)), 777);
    EXPECT_EQ(set.indexOf(-5), -1);
    goalsAt(0);
    db.exec(QStringLiteral("UPDATE Results SET Goal1 = 5")); // behind the set's back

    // A record posted through this view is patched with what was posted...
    QVariantList byField(static_cast<qsizetype>(results().fields.size()));
    byField[results().fieldIndex(QStringLiteral("Goal1"))] = qint64(3);
    set.patch(Row::fromStored(query, set.idAt(10), byField));
    EXPECT_EQ(goalsAt(10), 3);
    // ... one posted elsewhere is read again when next asked for...
    set.markChanged(set.idAt(20));
    EXPECT_EQ(goalsAt(20), 5);
    // ... and the other records keep their cached values.
    EXPECT_EQ(goalsAt(11), 1);
    EXPECT_EQ(set.rowAt(11).value(query.columnOf(results().fieldIndex(QStringLiteral("Team"))), FieldType::Text),
              QVariant(QStringLiteral("T12")));
}

TEST_F(RecordSetTest, ASmallFilteredSetIsCountedByReadingItWhole)
{
    fill(600);
    const Filter some = Filter::parse(QStringLiteral("(Num<='200')"), results());
    query.setFilter(&some);
    EXPECT_EQ(set.count(), 200);
    EXPECT_TRUE(set.isLoaded()); // the walk that follows needs no statement
    set.reset();
    const Filter more = Filter::parse(QStringLiteral("(Num<='300')"), results());
    query.setFilter(&more);
    EXPECT_EQ(set.count(), 300);
    EXPECT_FALSE(set.isLoaded());
}

TEST_F(RecordSetTest, ACountedSetIsReadByPlaceFromWhicheverEndIsNearer)
{
    fill(1000);
    ASSERT_EQ(set.count(), 1000);
    const int numColumn = query.columnOf(results().fieldIndex(QStringLiteral("Num")));
    // The last chunk is read backwards and comes out in the view's order.
    EXPECT_EQ(set.rowAt(999).integer(numColumn), 1000);
    EXPECT_EQ(set.rowAt(800).integer(numColumn), 801);
    EXPECT_EQ(set.rowAt(0).integer(numColumn), 1);
    EXPECT_EQ(set.rowAt(300).integer(numColumn), 301);
    EXPECT_FALSE(set.rowAt(1000).isValid());
    EXPECT_FALSE(set.isLoaded());

    // What was read is answered without a query; a record changed elsewhere is not.
    EXPECT_EQ(set.cachedRow(999).integer(numColumn), 1000);
    EXPECT_FALSE(set.cachedRow(600).isValid());
    db.exec(QStringLiteral("UPDATE Results SET Goal1 = 4 WHERE Num = 10"));
    set.markChanged(set.rowAt(9).id());
    EXPECT_FALSE(set.cachedRow(9).isValid());
    EXPECT_EQ(goalsAt(9), 4);
    // A posted record is patched where it was read by place.
    QVariantList byField(static_cast<qsizetype>(results().fields.size()));
    byField[results().fieldIndex(QStringLiteral("Goal1"))] = qint64(8);
    set.patch(Row::fromStored(query, set.rowAt(990).id(), byField));
    EXPECT_EQ(set.cachedRow(990).integer(goalColumn), 8);

    // Loading the ids afterwards keeps the same records at the same places.
    set.load();
    EXPECT_EQ(set.indexOf(set.rowAt(999).id()), 999);
    EXPECT_EQ(set.rowAt(500).integer(numColumn), 501);
}

TEST_F(RecordSetTest, TheEndChunksAreFirstReadAsFarAsAsked)
{
    fill(1000); // the last chunk holds 1000 - 3 * 256 = 232 records
    ASSERT_EQ(set.count(), 1000);
    const int numColumn = query.columnOf(results().fieldIndex(QStringLiteral("Num")));
    const int first = RecordSet::kFirstRead;
    // A first screen reads the first records only.
    set.fetch(0, 9);
    EXPECT_EQ(set.cachedRow(9).integer(numColumn), 10);
    EXPECT_FALSE(set.cachedRow(10).isValid());
    // Asking beyond them reads the chunk whole, the records read before included.
    db.exec(QStringLiteral("UPDATE Results SET Goal1 = 6 WHERE Num = 3"));
    EXPECT_EQ(set.rowAt(15).integer(numColumn), 16);
    EXPECT_EQ(set.cachedRow(255).integer(numColumn), 256);
    EXPECT_EQ(goalsAt(2), 6);

    // The last record is read with a screenful before it, in the view's order; a last
    // screen within them needs no more.
    EXPECT_EQ(set.rowAt(999).integer(numColumn), 1000);
    EXPECT_EQ(set.cachedRow(1000 - first).integer(numColumn), 1001 - first);
    EXPECT_FALSE(set.cachedRow(999 - first).isValid());
    set.fetch(990, 999);
    EXPECT_EQ(set.cachedRow(990).integer(numColumn), 991);
    EXPECT_FALSE(set.cachedRow(999 - first).isValid());
    // A record read in part is patched in its place.
    QVariantList byField(static_cast<qsizetype>(results().fields.size()));
    byField[results().fieldIndex(QStringLiteral("Goal1"))] = qint64(7);
    set.patch(Row::fromStored(query, set.rowAt(995).id(), byField));
    EXPECT_EQ(set.cachedRow(995).integer(goalColumn), 7);
    set.load();
    set.patch(Row::fromStored(query, set.idAt(996), byField));
    EXPECT_EQ(set.cachedRow(996).integer(goalColumn), 7);
    EXPECT_EQ(set.rowAt(800).integer(numColumn), 801);
    EXPECT_EQ(set.rowAt(999).integer(numColumn), 1000);
}

// A statement being read stays alive while others are prepared, also past the number
// the store keeps; the same text read twice at once gets a statement of its own.
TEST(KeptStatements, AReadingSurvivesAFullCacheAndANestedReadingOfItsOwnText)
{
    TestDatabase db;
    for (int i = 1; i <= 3; ++i)
        db.addResult(i, QDate(2020, 1, i), 1, 2, QStringLiteral("A (a)"), QStringLiteral("B (b)"), i, 0, 1);
    KeptStatements& kept = db.store().statements();
    const Statement all{QStringLiteral("SELECT Goal1 FROM Results ORDER BY Goal1"), {}};
    KeptStatements::Cursor outer = kept.read(all, QStringLiteral("test"));
    ASSERT_TRUE(outer.next());
    EXPECT_EQ(outer.integer(0), 1);
    for (size_t i = 0; i < KeptStatements::kLimit + 10; ++i) {
        KeptStatements::Cursor other = kept.read({QStringLiteral("SELECT %1").arg(i), {}}, QStringLiteral("test"));
        ASSERT_TRUE(other.next());
    }
    EXPECT_LE(kept.size(), KeptStatements::kLimit);
    {
        KeptStatements::Cursor inner = kept.read(all, QStringLiteral("test"));
        int n = 0;
        while (inner.next())
            ++n;
        EXPECT_EQ(n, 3);
    }
    ASSERT_TRUE(outer.next());
    EXPECT_EQ(outer.integer(0), 2);
    EXPECT_EQ(appError([&] {
                  kept.read({QStringLiteral("SELECT nothing FROM nowhere"), {}}, QStringLiteral("Ctx"));
              }).left(5),
              QStringLiteral("Ctx: "));
}

} // namespace

namespace {

// After an undone write the store asks its views to read everything again.
TEST(TableViewParts, ARereadForgetsWhatWasReadAndGridReadsDoNotMoveTheView)
{
    TestDatabase db;
    for (int i = 1; i <= 3; ++i)
        db.addResult(i, QDate(2020, 1, i), 1, 2, QStringLiteral("A (a)"), QStringLiteral("B (b)"), i, 0, 1);
    TableView view(db.store(), QStringLiteral("Results.db"), QStringLiteral("view"));
    view.setIndexName(QStringLiteral("iDate"));
    view.addField(QStringLiteral("Goal1"));
    view.open();
    view.next();
    EXPECT_EQ(view.valueAt(2, QStringLiteral("Goal1")).toInt(), 1);
    EXPECT_EQ(view.recNo(), 1);
    db.exec(QStringLiteral("UPDATE Results SET Goal1 = Goal1 + 10"));
    EXPECT_EQ(view.asInteger(QStringLiteral("Goal1")), 2); // still what was read
    view.reread();
    EXPECT_EQ(view.asInteger(QStringLiteral("Goal1")), 12);
    EXPECT_EQ(view.valueAt(0, QStringLiteral("Goal1")).toInt(), 13);
    EXPECT_EQ(view.recNo(), 1);
}

} // namespace
