#include "tableview.h"
#include "testdatabase.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>

// Two views of one table driven by a long random sequence of moves, filters, edits,
// inserts and deletes, checked after every step against a plain model of the table:
// the records each view shows, their order, and where the view stands. A third view is
// read as a grid reads it, row by place, while the other two post; reading it never
// moves it.
namespace {

struct Record
{
    int division;
    QDate date;
    int goals;
};

using Model = std::map<qint64, Record>; // by Num, which the test keeps equal to the record's identity

class Checker
{
public:
    Checker(TableView& view, bool newestFirst) : m_view(view), m_newestFirst(newestFirst) {}

    int threshold = -1; // the filter (Goal1>='threshold') when >= 0

    std::vector<qint64> expected(const Model& model) const
    {
        std::vector<std::pair<std::tuple<int, QDate, qint64>, qint64>> keyed;
        for (const auto& [num, r] : model) {
            if (threshold >= 0 && r.goals < threshold)
                continue;
            keyed.push_back(
                {m_newestFirst ? std::make_tuple(0, r.date, num) : std::make_tuple(r.division, r.date, num), num});
        }
        std::sort(keyed.begin(), keyed.end());
        if (m_newestFirst)
            std::reverse(keyed.begin(), keyed.end());
        std::vector<qint64> nums;
        for (const auto& k : keyed)
            nums.push_back(k.second);
        return nums;
    }

    std::vector<qint64> walk()
    {
        std::vector<qint64> seen;
        m_view.first();
        const int n = m_view.recordCount();
        for (int i = 0; i < n; ++i) {
            seen.push_back(m_view.asInteger("Num"));
            m_view.next();
        }
        return seen;
    }

private:
    TableView& m_view;
    bool m_newestFirst;
};

TEST(ViewConsistency, RandomOperationsAgreeWithAPlainModel)
{
    TestDatabase db;
    Model model;
    std::mt19937 random(20261209);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    qint64 nextNum = 1;
    for (; nextNum <= 60; ++nextNum) {
        const Record r{pick(1, 3), QDate(2020, 1, 1).addDays(pick(0, 40)), pick(0, 5)};
        model[nextNum] = r;
        db.addResult(static_cast<int>(nextNum), r.date, 1, 2, "H (h)", "A (a)", r.goals, 0, r.division);
    }
    // Num is declared so that the test can name records; the store's own id orders ties,
    // and both grow together here.
    TableView byDivision(db.store(), "Results.db", "byDivision");
    byDivision.setIndexName("iDivision");
    TableView newestFirst(db.store(), "Results.db", "newestFirst");
    newestFirst.setIndexName("iDate");
    for (TableView* v : {&byDivision, &newestFirst}) {
        for (const char* f : {"Num", "Date", "Goal1", "Division"})
            v->addField(f);
        v->open();
    }
    Checker checkers[] = {Checker(byDivision, false), Checker(newestFirst, true)};
    TableView* views[] = {&byDivision, &newestFirst};
    TableView grid(db.store(), "Results.db", "grid");
    grid.setIndexName("iDate");
    for (const char* f : {"Num", "Date", "Goal1", "Division"})
        grid.addField(f);
    grid.open();
    grid.setFilterText("(Goal1>='2')");
    grid.setFiltered(true);
    Checker gridChecker(grid, true);
    gridChecker.threshold = 2;
    std::mt19937 gridRandom(7);

    for (int step = 0; step < 1500; ++step) {
        const int which = pick(0, 1);
        TableView& view = *views[which];
        Checker& checker = checkers[which];
        const std::vector<qint64> before = checker.expected(model);
        const int op = pick(0, 9);
        SCOPED_TRACE(testing::Message() << "step " << step << " op " << op << " view " << which);
        if (op == 0) {
            checker.threshold = pick(-1, 4);
            if (checker.threshold >= 0) {
                view.setFilterText(QStringLiteral("(Goal1>='%1')").arg(checker.threshold));
                view.setFiltered(true);
            } else {
                view.setFiltered(false);
            }
        } else if (op == 1 || op == 2) {
            op == 1 ? view.first() : view.last();
            const auto expect = checker.expected(model);
            if (expect.empty()) {
                EXPECT_TRUE(view.isEmpty());
            } else {
                EXPECT_EQ(view.asInteger("Num"), op == 1 ? expect.front() : expect.back());
            }
        } else if (op == 3 && !view.isEmpty()) {
            // Step on from the current record (when it is still one the view shows).
            const qint64 from = view.asInteger("Num");
            const auto at = std::find(before.begin(), before.end(), from);
            view.next();
            if (at != before.end()) {
                EXPECT_EQ(view.asInteger("Num"), at + 1 == before.end() ? from : *(at + 1));
                EXPECT_EQ(view.eof(), at + 1 == before.end());
            }
        } else if (op == 4 && !view.isEmpty() && model.count(view.asInteger("Num"))) {
            const qint64 num = view.asInteger("Num");
            Record& r = model[num];
            r.goals = pick(0, 5);
            r.date = QDate(2020, 1, 1).addDays(pick(0, 40));
            view.edit();
            view.setValue("Goal1", r.goals);
            view.setValue("Date", r.date);
            view.post();
            EXPECT_EQ(view.asInteger("Num"), num); // the posted record stays current
        } else if (op == 5) {
            const Record r{pick(1, 3), QDate(2020, 1, 1).addDays(pick(0, 40)), pick(0, 5)};
            view.insert();
            view.setValue("Num", nextNum);
            view.setValue("Division", r.division);
            view.setValue("Date", r.date);
            view.setValue("Goal1", r.goals);
            if (pick(0, 4) == 0) {
                view.cancel();
            } else {
                view.post();
                model[nextNum++] = r;
            }
        } else if (op == 6 && !view.isEmpty() && model.count(view.asInteger("Num"))) {
            const qint64 num = view.asInteger("Num");
            const auto at = std::find(before.begin(), before.end(), num);
            view.remove();
            model.erase(num);
            const auto after = checker.expected(model);
            if (after.empty()) {
                EXPECT_TRUE(view.isEmpty());
            } else if (at != before.end()) {
                // On the record that followed the deleted one, or on the new last one.
                const qint64 want = at + 1 != before.end() ? *(at + 1) : after.back();
                EXPECT_EQ(view.asInteger("Num"), want);
            }
        } else if (op == 7) {
            const int goals = pick(0, 5);
            const auto expect = checker.expected(model);
            const auto first =
                std::find_if(expect.begin(), expect.end(), [&](qint64 num) { return model[num].goals == goals; });
            EXPECT_EQ(view.locate("Goal1", goals), first != expect.end());
            if (first != expect.end()) {
                EXPECT_EQ(view.asInteger("Num"), *first);
            }
        } else {
            EXPECT_EQ(view.recordCount(), static_cast<int>(checker.expected(model).size()));
        }
        {
            // Rows at places of the grid: the values the model says, the grid unmoved.
            const auto expect = gridChecker.expected(model);
            const qint64 standing = grid.isEmpty() ? -1 : grid.asInteger("Num");
            ASSERT_EQ(grid.recordCount(), static_cast<int>(expect.size()));
            for (int k = 0; k < 3 && !expect.empty(); ++k) {
                const int at = std::uniform_int_distribution<int>(0, static_cast<int>(expect.size()) - 1)(gridRandom);
                ASSERT_EQ(grid.valueAt(at, "Num").toLongLong(), expect[static_cast<size_t>(at)]) << "place " << at;
                EXPECT_EQ(grid.valueAt(at, "Goal1").toInt(), model[expect[static_cast<size_t>(at)]].goals);
            }
            EXPECT_TRUE(grid.valueAt(static_cast<int>(expect.size()), "Num").isNull());
            if (standing >= 0 && model.count(standing)) {
                EXPECT_EQ(grid.asInteger("Num"), standing);
            }
            if (std::uniform_int_distribution<int>(0, 9)(gridRandom) == 0)
                grid.moveTo(std::uniform_int_distribution<int>(0, 60)(gridRandom));
        }
        if (step % 25 == 0) {
            for (int v = 0; v < 2; ++v)
                ASSERT_EQ(checkers[v].walk(), checkers[v].expected(model)) << "view " << v;
        }
    }
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Results").toInt(), static_cast<int>(model.size()));
}

} // namespace
