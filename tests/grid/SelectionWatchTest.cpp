#include <gtest/gtest.h>

#include "grid/watch/frmTimer.h"
#include "tests/grid/GridFixture.h"

namespace {

class WatchTest : public gridtest::GridTest {
  protected:
    void SetUp() override {
        GridTest::SetUp();
        MakeGrid();
        list->SelectionChange = [this](const std::string& address) { events.push_back(address); };
        list->RaiseEventsEnabled(true);
    }
    // What the user does: select a block in the control.
    void UserSelects(const char* address) { Sheet().Range(address).Select(); }
    void Tick() { list->TimerForm()->Tick(); }

    std::vector<std::string> events;
};

TEST_F(WatchTest, StartsATimerOfHalfASecond) {
    ASSERT_NE(list->TimerForm(), nullptr);
    EXPECT_TRUE(list->TimerForm()->TimerEnabled());
    EXPECT_EQ(list->TimerForm()->TimerInterval(), 500);
    list->EditMode(true);
    EXPECT_FALSE(list->TimerForm()->TimerEnabled());
    list->EditMode(false);
    EXPECT_TRUE(list->TimerForm()->TimerEnabled());
    list->RaiseEventsEnabled(false);
    EXPECT_EQ(list->TimerForm(), nullptr);
}

TEST_F(WatchTest, HeaderRowMovesToRowTwoWithoutEvent) {
    UserSelects("C1");
    Tick();
    EXPECT_EQ(Sheet().Selection(), owc::ParseAddress("C2"));
    EXPECT_EQ(list->SelectedCell, "$C$2");
    EXPECT_EQ(list->Row, 2);
    EXPECT_EQ(list->Column, 3);
    EXPECT_TRUE(events.empty());
}

TEST_F(WatchTest, ReportsNewSelectionsOnceByTheirTopLeftCell) {
    UserSelects("B3:D7");
    Tick();
    Tick();
    UserSelects("B3");  // the same cell again
    Tick();
    UserSelects("E9");
    Tick();
    EXPECT_EQ(events, (std::vector<std::string>{"$B$3", "$E$9"}));
}

TEST_F(WatchTest, CheckMarkColumnFlipsOnceThenOtherCellsRaiseEvents) {
    list->SetCheckedColumn("B2:B1000");
    EXPECT_EQ(Sheet().Range("B5").Font().Name(), "Wingdings");
    list->SelectionChange = [this](const std::string& address) { events.push_back(address); };
    UserSelects("B5");
    Tick();
    Tick();
    EXPECT_FALSE(list->GetChecked("B5"));
    EXPECT_EQ(Sheet().Selection(), owc::ParseAddress("B5"));
    EXPECT_TRUE(events.empty());
    UserSelects("C5");
    Tick();
    EXPECT_EQ(events, std::vector<std::string>{"$C$5"});
    EXPECT_TRUE(Sheet().Protection().Enabled);
}

TEST_F(WatchTest, SingleRowViewableRangeGivesNothing) {
    list->EditMode(true);
    list->SetVisibleRange("A1:D1");
    list->EditMode(false);
    UserSelects("C4");
    Tick();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(list->SelectedCell, "");
}

TEST_F(WatchTest, OnlyTheNewerTimerReachesTheClass) {
    std::shared_ptr<frmTimer> older = list->TimerForm();
    list->RaiseEventsEnabled(true);
    ASSERT_NE(list->TimerForm(), older);
    UserSelects("D4");
    older->Tick();
    EXPECT_TRUE(events.empty());
    Tick();
    EXPECT_EQ(events, std::vector<std::string>{"$D$4"});
}

TEST_F(WatchTest, AFailingTickIsSkipped) {
    int ticks = 0;
    frmTimer timer;
    timer.Timer = [&] {
        ++ticks;
        throw rt::Failure(rt::kObjectNotSet);
    };
    EXPECT_NO_THROW(timer.Tick());
    EXPECT_NO_THROW(timer.Tick());
    EXPECT_EQ(ticks, 2);
}

TEST_F(WatchTest, AHandlerMayStopTheWatchInsideItsOwnTick) {
    list->SelectionChange = [this](const std::string&) { list->RaiseEventsEnabled(false); };
    UserSelects("D4");
    Tick();
    EXPECT_EQ(list->TimerForm(), nullptr);
}

}  // namespace
