#include "apperror.h"
#include "datamodule.h"
#include "testdatabase.h"
#include "viewborrow.h"

#include <gtest/gtest.h>

namespace {

class ViewBorrowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addCountry(1, "England");
        db.addDivision(11, 1, "Premier League");
        db.addDivision(12, 1, "Championship");
        db.addTeam(111, "Arsenal", "London", 11);
        db.addTeam(112, "Chelsea", "London", 11);
        db.addTeam(113, "Everton", "Liverpool", 11);
        db.addTeam(121, "Hull", "Hull", 12);
        module = std::make_unique<TDataModule1>(db.store());
        module->DataModuleCreate();
        m = module.get();
        ASSERT_TRUE(m->TableDivision->locate("Code", 11));
    }

    // Borrows the teams view for a walk over every team of the database, as the rename
    // and the season history do, and stops with an error when asked to.
    void walkAllTeams(bool fail)
    {
        TableView& teams = *m->TableTeam;
        ViewBorrow borrow(teams);
        borrow.filter().master().order().position("Code");
        teams.unbind();
        teams.setIndexFieldNames("City;Team");
        teams.setFilterText("(City='London')");
        teams.setFiltered(true);
        teams.first();
        EXPECT_EQ(teams.recordCount(), 2);
        teams.edit();
        teams.setValue("City", "Londres");
        if (fail)
            throw AppError("stopped");
        teams.cancel();
        borrow.restore();
    }

    TestDatabase db;
    std::unique_ptr<TDataModule1> module;
    TDataModule1* m = nullptr;
};

TEST_F(ViewBorrowTest, WhatTheBorrowerChangedComesBackAfterSuccessAndAfterAnError)
{
    TableView& teams = *m->TableTeam;
    for (bool fail : {false, true}) {
        SCOPED_TRACE(fail ? "stopped by an error" : "finished");
        ASSERT_TRUE(teams.locate("Code", 112));
        if (fail) {
            EXPECT_THROW(walkAllTeams(true), AppError);
        } else {
            walkAllTeams(false);
        }
        EXPECT_EQ(teams.state(), TableView::State::Browse); // the half-made edit is gone
        EXPECT_FALSE(teams.isFiltered());
        EXPECT_EQ(teams.masterSource(), m->DataSourceDivision);
        EXPECT_EQ(teams.orderText(), "iDivision");
        EXPECT_TRUE(teams.orderByIndex());
        EXPECT_EQ(teams.recordCount(), 3); // the competition's teams again
        EXPECT_EQ(teams.asInteger("Code"), 112);
        EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Team WHERE City = 'Londres'").toInt(), 0);
    }
}

TEST_F(ViewBorrowTest, AFilterThatWasOnGetsItsTextBackAndKeepLeavesTheBorrowersState)
{
    TableView& teams = *m->TableTeam;
    teams.setFilterText("(City='Liverpool')");
    teams.setFiltered(true);
    {
        ViewBorrow borrow(teams);
        borrow.filter();
        teams.setFilterText("(City='London')");
        EXPECT_EQ(teams.recordCount(), 2);
    }
    EXPECT_TRUE(teams.isFiltered());
    EXPECT_EQ(teams.filterText(), "(City='Liverpool')");
    teams.first();
    EXPECT_EQ(teams.asString("ShortName"), "Everton");

    {
        ViewBorrow borrow(teams);
        borrow.filter();
        teams.setFilterText("(City='London')");
        borrow.keep(); // a window that keeps its filter on while it is open
    }
    EXPECT_EQ(teams.filterText(), "(City='London')");
    teams.setFiltered(false);
}

TEST_F(ViewBorrowTest, APositionWhoseRecordIsGoneLeavesTheViewWhereTheBorrowerLeftIt)
{
    TableView& teams = *m->TableTeam;
    ASSERT_TRUE(teams.locate("Code", 113));
    {
        ViewBorrow borrow(teams);
        borrow.position("Code");
        teams.remove();
        teams.first();
    }
    EXPECT_EQ(teams.recordCount(), 2);
    EXPECT_EQ(teams.asInteger("Code"), 111);
}

// A view moved to a new competition stands on its first record without having read it:
// the borrow puts it back there, and the view then reads its first record as before.
TEST_F(ViewBorrowTest, AViewNotReadSinceItsSetChangedIsPutBackOnItsFirstRecord)
{
    TableView& teams = *m->TableTeam;
    ASSERT_TRUE(m->TableDivision->locate("Code", 12));
    ASSERT_TRUE(m->TableDivision->locate("Code", 11));
    ASSERT_TRUE(teams.standsAtUnreadFirst());
    walkAllTeams(false);
    EXPECT_TRUE(teams.standsAtUnreadFirst());
    EXPECT_EQ(teams.recordCount(), 3);
    EXPECT_EQ(teams.recNo(), 0);
    EXPECT_EQ(teams.asInteger("Code"), 111);
    EXPECT_FALSE(teams.standsAtUnreadFirst());
}

} // namespace
