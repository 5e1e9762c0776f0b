#include <gtest/gtest.h>

#include <filesystem>

#include "tests/grid/GridFixture.h"

namespace {

using gridtest::GridTest;

class HostTest : public GridTest {};

TEST_F(HostTest, TriesTheControlVersionsInOrder) {
    struct Case {
        const char* name;
        std::vector<std::string> creatable;
        bool noXP;
        bool ends;
        bool xp;
    };
    const Case cases[] = {
        {"newest", {"OWC10.Spreadsheet", "OWC11.Spreadsheet"}, false, false, true},
        {"OWC10 missing", {"OWC11.Spreadsheet"}, false, false, true},
        {"only the oldest", {"OWC.Spreadsheet"}, false, false, false},
        {"NoXP tries only the oldest",
         {"OWC10.Spreadsheet", "OWC11.Spreadsheet"},
         true,
         true,
         false},
        {"none", {}, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        automation::Objects().Clear();
        components::RegisterProductComponents(automation::Objects());
        for (const char* id : {"OWC10.Spreadsheet", "OWC11.Spreadsheet", "OWC.Spreadsheet"})
            automation::Objects().Unregister(id);
        for (const std::string& id : c.creatable)
            automation::Objects().RegisterProgId(
                id, [] { return std::make_shared<owc::Spreadsheet>(); });
        desktop.messages->shown.clear();
        list = std::make_unique<cListHandler>();
        list->NoXP = c.noXP;
        auto status = testsupport::EndStatus([&] { list->AddToForm(controls, window.get()); });
        EXPECT_EQ(status.has_value(), c.ends);
        if (c.ends) {
            EXPECT_EQ(status, 1);
            ASSERT_EQ(desktop.messages->shown.size(), 1u);
            const desktop::Message& message = desktop.messages->shown[0];
            EXPECT_EQ(message.title, "Outlook Velmora");
            EXPECT_EQ(message.icon, desktop::Icon::Critical);
            EXPECT_EQ(message.text,
                      "Unable to start the Office Web Components!\r\nThese components can be found "
                      "on the Office 2000, 2002 or 2003 cds");
            continue;
        }
        EXPECT_TRUE(desktop.messages->shown.empty());
        EXPECT_EQ(list->XP, c.xp);
        EXPECT_NE(list->CurrSheet, nullptr);
    }
}

TEST_F(HostTest, SetUpGivesTheProgramsLook) {
    MakeGrid();
    owc::Worksheet& sheet = Sheet();
    EXPECT_TRUE(sheet.Range("D1").Font().Bold());
    EXPECT_EQ(sheet.Range("Z1").Interior().Color(), 236 | (233 << 8) | (216 << 16));
    EXPECT_EQ(sheet.Range("C1999").Font().Name(), "Tahoma");
    EXPECT_EQ(sheet.Range("C1999").Font().Size(), 8);
    EXPECT_EQ(sheet.Range("C2000").Font().Name(), "Arial");
    EXPECT_EQ(sheet.Range("F1").Formula(), "=Counta(A1:A10000)");
    EXPECT_TRUE(sheet.Range("F1").Locked());
    EXPECT_FALSE(sheet.Range("F2").Locked());
    EXPECT_FALSE(sheet.Range("A1000").Locked());
    EXPECT_TRUE(sheet.Range("G2").Locked());
    const owc::SheetProtection& p = sheet.Protection();
    EXPECT_TRUE(p.Enabled && p.AllowSorting && p.AllowFiltering && p.AllowFormattingColumns &&
                p.AllowFormattingRows);
    EXPECT_FALSE(p.AllowDeletingColumns || p.AllowInsertingColumns || p.AllowInsertingRows);
    const owc::Spreadsheet& control = *list->ObjectList;
    EXPECT_FALSE(control.DisplayToolbar || control.DisplayColumnHeadings ||
                 control.DisplayRowHeadings || control.DisplayTitleBar ||
                 control.DisplayWorkbookTabs || control.ActiveWindow()->EnableResize ||
                 control.ActiveWindow()->DisplayHorizontalScrollBar);
    EXPECT_EQ(sheet.FrozenRows(), 1);
    EXPECT_EQ(sheet.Selection(), owc::ParseAddress("A2"));
}

TEST_F(HostTest, PlacementIsRememberedBeforeAndActsAfter) {
    list = std::make_unique<cListHandler>();
    list->ListName = "objApps";
    list->Top = 720;
    list->LeftPos = 120;
    list->Height = 4455;
    list->Width(10695.4);
    list->Visible(false);
    EXPECT_EQ(list->Width(), 10695);
    EXPECT_EQ(list->List, nullptr);
    list->AddToForm(controls, window.get());
    auto* view = window->findChild<QWidget*>("objApps");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(list->List->Width(), 10695);
    EXPECT_FALSE(list->List->Visible());
    EXPECT_EQ(view->geometry(), QRect(8, 48, 713, 297));
    list->Visible(true);
    list->Width(1500);
    EXPECT_TRUE(list->List->Visible());
    EXPECT_FALSE(view->isHidden());
    EXPECT_EQ(list->List->Width(), 1500);
    EXPECT_EQ(view->width(), 100);
}

TEST_F(HostTest, WidthBeyondSixteenBitsFails) {
    MakeGrid();
    for (double width : {32767.6, -32769.0, 1e9}) {
        try {
            list->Width(width);
            ADD_FAILURE() << width;
        } catch (const rt::Failure& failure) {
            EXPECT_EQ(failure.Number(), rt::kOverflow);
        }
    }
    EXPECT_EQ(list->Width(), 7000);
}

TEST_F(HostTest, FreezePanesAtA1Unfreezes) {
    MakeGrid();
    list->FreezePanes("A1");
    EXPECT_FALSE(list->ObjectList->ActiveWindow()->FreezePanes());
    list->FreezePanes("B3");
    EXPECT_EQ(Sheet().FrozenRows(), 2);
    EXPECT_EQ(Sheet().FrozenColumns(), 1);
}

TEST_F(HostTest, EditBracketsDoNotNest) {
    MakeGrid();
    list->EditMode(true);
    list->EditMode(true);
    EXPECT_FALSE(list->ObjectList->ScreenUpdating());
    EXPECT_FALSE(Sheet().Protection().Enabled);
    list->SetValue("A1", "Month");  // a locked header cell, written inside the bracket
    list->EditMode(false);
    EXPECT_TRUE(list->ObjectList->ScreenUpdating());
    EXPECT_TRUE(Sheet().Protection().Enabled);
    EXPECT_EQ(Sheet().Range("A1").Value(), rt::Variant("Month"));
}

TEST_F(HostTest, WritingALockedCellOutsideABracketIsReported) {
    MakeGrid();
    auto status = testsupport::EndStatus([&] { list->SetValue("A1", "Month"); });
    EXPECT_EQ(status, 1);
    EXPECT_NE(desktop.messages->shown.back().text.find("cListHandler.SetValue"), std::string::npos);
}

TEST_F(HostTest, SwitchesAndVisibleRange) {
    MakeGrid();
    list->SetExcelVisible(true);
    list->DisplayHorizontalScroll(false);
    const owc::Spreadsheet& control = *list->ObjectList;
    EXPECT_TRUE(control.DisplayToolbar && control.DisplayColumnHeadings &&
                control.DisplayRowHeadings);
    EXPECT_TRUE(control.ActiveWindow()->DisplayVerticalScrollBar);
    EXPECT_FALSE(control.ActiveWindow()->DisplayHorizontalScrollBar);
    list->EditMode(true);
    list->SetVisibleRange("A1:d1000");
    list->EditMode(false);
    EXPECT_EQ(control.ViewableRange(), "$A$1:$D$1000");
    list->MoveRight(false);
    EXPECT_TRUE(control.MoveAfterReturn);
    EXPECT_EQ(control.MoveAfterReturnDirection, -4161);
    auto status = testsupport::EndStatus([&] { list->SetVisibleRange("A1:D"); });
    EXPECT_EQ(status, 1);
    EXPECT_NE(desktop.messages->shown.back().text.find("SetVisibleRange"), std::string::npos);
}

TEST_F(HostTest, PrintSheetWithNothingUsedWritesNothing) {
    MakeGrid();
    list->ClearAll();  // the set-up leaves the count formula in F1
    list->PrintSheet();
    EXPECT_TRUE(std::filesystem::is_empty(desktop.paths->temp));
    EXPECT_TRUE(desktop.launcher->started.empty());
    EXPECT_TRUE(desktop.launcher->opened.empty());
}

TEST_F(HostTest, PrintSheetWritesThePageAndPrintsIt) {
    MakeGrid();
    list->EditMode(true);
    list->SetValue("A2", rt::Variant("12"));
    list->SetValue("C2", rt::Variant("Anna & <Eva>"));
    list->EditMode(false);
    list->PrintSheet();
    auto page = desktop.paths->temp / "OWCPrint.htm";
    ASSERT_TRUE(std::filesystem::exists(page));
    ASSERT_EQ(desktop.launcher->started.size(), 1u);
    EXPECT_EQ(desktop.launcher->started[0].first, "lp");
    EXPECT_EQ(desktop.launcher->started[0].second, std::vector<std::string>{page.string()});
}

}  // namespace
