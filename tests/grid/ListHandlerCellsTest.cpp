#include <gtest/gtest.h>

#include "services/modScriptingDic.h"
#include "tests/grid/GridFixture.h"

namespace {

using gridtest::GridTest;

TEST(CellTextTest, SignsGetAnApostropheAndNullIsEmpty) {
    struct Case {
        rt::Variant value;
        const char* text;
    };
    const Case cases[] = {{"-abc", "'-abc"},
                          {"+1", "'+1"},
                          {int16_t(-5), "'-5"},
                          {int16_t(5), "5"},
                          {rt::Variant::Null(), ""},
                          {rt::Variant(), ""},
                          {-2.5, "'-2.5"},
                          {"a-b", "a-b"},
                          {true, "True"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cListHandler::fncCellText(c.value), c.text);
    }
}

class CellsTest : public GridTest {
  protected:
    void SetUp() override {
        GridTest::SetUp();
        MakeGrid();
        list->EditMode(true);
        list->SetValue("A1", "Month");  // the header counts in F1, as the main window's does
    }
    // Writes column A from row 2 and closes the bracket.
    void FillColumnA(std::initializer_list<rt::Variant> values) {
        int row = 2;
        for (const rt::Variant& v : values)
            list->SetValue("A" + std::to_string(row++), v);
        list->EditMode(false);
    }
};

TEST_F(CellsTest, SetValueClearsOnBlankTextAndKeepsEverythingElse) {
    struct Case {
        rt::Variant written;
        rt::Variant read;
    };
    const Case cases[] = {{"  ", rt::Variant()},    {"", rt::Variant()}, {" a ", " a "},
                          {int16_t(7), int16_t(7)}, {12.5, 12.5},        {"x", "x"}};
    for (const Case& c : cases) {
        list->SetValue("B2:C3", "before");
        list->SetValue("B2:C3", c.written);
        for (const char* cell : {"B2", "C3"}) {
            EXPECT_EQ(Sheet().Range(cell).Value(), c.read) << cell;
            EXPECT_EQ(Sheet().Range(cell).Value().Type(), c.read.Type()) << cell;
        }
    }
}

TEST_F(CellsTest, GetValueConvertsByTypeCode) {
    list->SetValue("A2", "abc");
    list->SetValue("A3", 12.5);
    list->SetValue("A4", "7.25");
    struct Case {
        const char* cell;
        int32_t code;
        rt::Variant read;
    };
    const Case cases[] = {
        {"A9", 0, rt::Variant()},
        {"A9", 2, int16_t(0)},
        {"A9", 6, int16_t(0)},
        {"A9", 14, int16_t(0)},
        {"A9", 8, ""},
        {"A9", 5, rt::Variant()},
        {"A2", 0, rt::Variant()},
        {"A2", 2, int16_t(0)},
        {"A2", 8, "abc"},
        {"A3", 2, rt::Currency{125000}},
        {"A3", 6, rt::Currency{125000}},
        {"A3", 8, "12.5"},
        {"A4", 14, rt::Currency{72500}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cell) + " " + std::to_string(c.code));
        rt::Variant read = list->GetValue(c.cell, c.code);
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(read.Type(), c.read.Type());
    }
}

TEST_F(CellsTest, CheckMarksReadTickedUntilUntickedWritten) {
    EXPECT_TRUE(list->GetChecked("B5"));
    list->SetChecked("B5", false);
    EXPECT_FALSE(list->GetChecked("B5"));
    EXPECT_EQ(Sheet().Range("B5").Value(), rt::Variant("\xC2\xA8"));
    list->SetChecked("B5", true);
    EXPECT_TRUE(list->GetChecked("B5"));
    list->SetValue("B6", int16_t(1));
    EXPECT_FALSE(list->GetChecked("B6"));
}

TEST_F(CellsTest, HorizontalAlignmentUsesTheNewerModelsNumbers) {
    const std::pair<int16_t, int32_t> cases[] = {
        {1, -4131}, {2, -4108}, {3, -4152}, {4, 0}, {0, 0}};
    for (auto [given, written] : cases) {
        list->FixHorizontalAlign(Sheet().Range("C2"), given);
        EXPECT_EQ(Sheet().Range("C2").HorizontalAlignment(), written) << given;
    }
}

TEST_F(CellsTest, ColumnWidthConvertsAndLeavesTheBracketOpen) {
    list->EditMode(false);
    list->SetColumnWidth("B", 100);
    EXPECT_DOUBLE_EQ(Sheet().Range("B1").ColumnWidth(), 13.84);
    EXPECT_DOUBLE_EQ(Sheet().Range("C1").ColumnWidth(), owc::kDefaultColumnWidth);
    EXPECT_FALSE(Sheet().Protection().Enabled);
    list->SetColumnWidth("B:D", 50);
    for (const char* cell : {"B9", "C9", "D9"})
        EXPECT_DOUBLE_EQ(Sheet().Range(cell).ColumnWidth(), 6.92) << cell;
}

TEST_F(CellsTest, SetDicListWritesItemsFromA2AndClearsTheRest) {
    list->SetValue("A5:A200", "old");
    auto items = modScriptingDic::fncCreateDic();
    for (const char* name : {"Anna", "Bert", "Carl"})
        items->Add(name, name);
    list->SetDicList(items);
    EXPECT_EQ(Sheet().Range("A2").Value(), rt::Variant("Anna"));
    EXPECT_EQ(Sheet().Range("A3").Value(), rt::Variant("Bert"));
    EXPECT_EQ(Sheet().Range("A4").Value(), rt::Variant("Carl"));
    for (int row = 5; row <= 200; ++row)
        ASSERT_TRUE(Sheet().Cells(row, 1).Value().IsEmpty()) << row;
    EXPECT_TRUE(Sheet().Protection().Enabled);
}

TEST_F(CellsTest, ReadersSortAndReadOnlyTheCountedRows) {
    list->SetValue("A2", int16_t(9));
    list->SetValue("C2", "Nine");
    list->SetValue("A3", int16_t(1));
    list->SetValue("C3", "-One");
    list->SetValue("B4", "no month, never read");
    list->SetValue("A5", int16_t(4));
    list->SetValue("D5", int16_t(1970));
    list->EditMode(false);
    EXPECT_EQ(list->UsedRows("f1"), 3);
    TextArray rows = list->fncGetRangeArray("f1", "D");
    ASSERT_EQ(rows.UBound(1), 2);
    ASSERT_EQ(rows.UBound(2), 3);
    const char* expected[3][4] = {
        {"1", "", "'-One", ""}, {"4", "", "", "1970"}, {"9", "", "Nine", ""}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(rows(i, j), expected[i][j]) << i << "," << j;
    // The grid shows the sorted order afterwards, and the bracket is closed again.
    EXPECT_EQ(Sheet().Range("A3").Value(), rt::Variant(int16_t(4)));
    EXPECT_EQ(Sheet().Range("B5").Value(), rt::Variant("no month, never read"));
    EXPECT_TRUE(Sheet().Protection().Enabled);
    EXPECT_TRUE(list->ObjectList->ScreenUpdating());
}

TEST_F(CellsTest, NoCountedRowsGiveEmptyResults) {
    list->SetValue("B2", "only column B");
    list->EditMode(false);
    for (const char* countCell : {"f1", "h1"}) {  // the header only; an empty cell
        SCOPED_TRACE(countCell);
        TextArray rows = list->fncGetRangeArray(countCell, "D");
        EXPECT_EQ(rows.Dimensions(), 1);
        EXPECT_EQ(rows.UBound(1), -1);
        EXPECT_EQ(list->fncGetRangeDic(countCell, "D")->Count(), 0);
    }
    EXPECT_EQ(list->UsedRows("h1"), -1);
}

TEST_F(CellsTest, RangeDicKeepsDistinctTextsInSortedOrder) {
    FillColumnA({int16_t(6), int16_t(5), int16_t(5)});
    auto values = list->fncGetRangeDic("f1", "D");
    ASSERT_EQ(values->Count(), 2);
    EXPECT_EQ(values->Keys()[0], rt::Variant("5"));
    EXPECT_EQ(values->Keys()[1], rt::Variant("6"));
    EXPECT_EQ(values->Items()[1], rt::Variant("6"));
}

TEST_F(CellsTest, ClearAllEmptiesTheCountCellAndTheLook) {
    FillColumnA({int16_t(1), int16_t(2)});
    list->ClearAll();
    EXPECT_TRUE(Sheet().Range("F1").Value().IsEmpty());
    EXPECT_EQ(Sheet().Range("F1").Formula(), "");
    EXPECT_TRUE(Sheet().Range("A2").Value().IsEmpty());
    EXPECT_FALSE(Sheet().Range("A1").Font().Bold());
    EXPECT_EQ(Sheet().Range("A1").Font().Name(), "Tahoma");
    EXPECT_EQ(list->fncGetRangeArray("f1", "D").UBound(1), -1);
}

TEST_F(CellsTest, CountCellHoldingTextIsReportedUnderTheReader) {
    list->SetValue("H1", "many");
    list->EditMode(false);
    auto status = testsupport::EndStatus([&] { list->fncGetRangeArray("h1", "D"); });
    ASSERT_EQ(status, 1);
    const std::string& report = desktop.messages->shown.back().text;
    EXPECT_NE(report.find("fncGetRangeArray"), std::string::npos);
    EXPECT_NE(report.find("#13"), std::string::npos);
}

TEST_F(CellsTest, FormattingMembersAndTheirProtectionEffects) {
    list->EditMode(false);
    list->SetInteriorColor("B2:C3", 0x0000FF);
    EXPECT_FALSE(Sheet().Protection().Enabled);
    EXPECT_EQ(list->GetInteriorColor("C3"), rt::Variant(int32_t(0x0000FF)));
    EXPECT_EQ(Sheet().StyleAt(2, 2).borders[1].color, 0xC0C0C0);
    list->SetFormula("G2", "=Counta(B2:B3)");
    EXPECT_EQ(Sheet().Range("G2").Value(), rt::Variant(0.0));
    list->SetFormula("G2", "");
    EXPECT_EQ(Sheet().Range("G2").Formula(), "");
    list->RightEdgeColDash(Sheet().Range("B2"));
    EXPECT_EQ(Sheet().StyleAt(9999, 2).borders[3],
              (owc::Border{owc::kLineStyleDot, 0, owc::kLineWeightMedium}));
    list->SetBold("A5");
    list->LockRange("A5");
    EXPECT_FALSE(Sheet().Range("A5").Font().Bold());
    EXPECT_TRUE(Sheet().Range("A5").Locked());
}

}  // namespace
