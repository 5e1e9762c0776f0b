#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "grid/owc/Spreadsheet.h"
#include "platform/runtime/Failure.h"

namespace {

using owc::Area;

TEST(AddressTest, ReadsEveryForm) {
    struct Case {
        const char* text;
        Area area;
        const char* absolute;
    };
    const Case cases[] = {
        {"A1", {1, 1, 1, 1}, "$A$1"},
        {"$B$3", {3, 2, 3, 2}, "$B$3"},
        {"b$3", {3, 2, 3, 2}, "$B$3"},
        {"A1:F1000", {1, 1, 1000, 6}, "$A$1:$F$1000"},
        {"a2:d1000", {2, 1, 1000, 4}, "$A$2:$D$1000"},
        {"D5:B2", {2, 2, 5, 4}, "$B$2:$D$5"},
        {"1:1", {1, 1, 1, 26}, "$A$1:$Z$1"},
        {"1:1999", {1, 1, 1999, 26}, "$A$1:$Z$1999"},
        {"A:D", {1, 1, 10000, 4}, "$A$1:$D$10000"},
        {"b:b", {1, 2, 10000, 2}, "$B$1:$B$10000"},
        {"Z10000", {10000, 26, 10000, 26}, "$Z$10000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Area area = owc::ParseAddress(c.text);
        EXPECT_EQ(area, c.area);
        EXPECT_EQ(owc::AbsoluteAddress(area), c.absolute);
    }
}

TEST(AddressTest, RefusesWhatIsNoAddress) {
    for (const char* text : {"", "A", "1", "A0", "AA1", "A10001", "A1:", ":B2", "A1:3", "A1B", "1A",
                             "A1:B2:C3", "$", "A$"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(owc::ParseAddress(text), rt::Failure);
    }
}

class SheetTest : public ::testing::Test {
  protected:
    std::shared_ptr<owc::Spreadsheet> book = std::make_shared<owc::Spreadsheet>();
    owc::Worksheet& sheet = *book->ActiveSheet();
};

TEST_F(SheetTest, CountaCountsTheHeaderAndFollowsChanges) {
    sheet.Range("F1").SetFormula("=Counta(A1:A10000)");
    EXPECT_EQ(sheet.Range("F1").Value(), rt::Variant(0.0));
    sheet.Range("A1").SetValue("Month");
    sheet.Range("A2:A4").SetValue(int16_t(7));
    sheet.Range("A10000").SetValue("last");
    EXPECT_EQ(sheet.Range("f1").Value(), rt::Variant(5.0));
    sheet.Range("A3").ClearContents();
    sheet.Range("B3").SetValue("not counted");
    EXPECT_EQ(sheet.Range("F1").Value(), rt::Variant(4.0));
    EXPECT_EQ(sheet.Range("F1").Formula(), "=Counta(A1:A10000)");
}

TEST_F(SheetTest, CountaNameIsCaseInsensitiveAndOtherFormulasStayText) {
    sheet.Range("A1:A2").SetValue("x");
    sheet.Range("B1").SetFormula("=COUNTA(a1:a5)");
    sheet.Range("B2").SetFormula("=SUM(A1:A2)");
    EXPECT_EQ(sheet.Range("B1").Value(), rt::Variant(2.0));
    EXPECT_EQ(sheet.Range("B2").Value(), rt::Variant("=SUM(A1:A2)"));
    // A value written over a formula ends it.
    sheet.Range("B1").SetValue(int16_t(1));
    sheet.Range("A3").SetValue("y");
    EXPECT_EQ(sheet.Range("B1").Value(), rt::Variant(int16_t(1)));
}

TEST_F(SheetTest, EmptyTextAndNullClearCells) {
    sheet.Range("A1:B2").SetValue("x");
    sheet.Range("A1").SetValue("");
    sheet.Range("A2").SetValue(rt::Variant::Null());
    EXPECT_TRUE(sheet.Range("A1").Value().IsEmpty());
    EXPECT_TRUE(sheet.Range("A2").Value().IsEmpty());
    EXPECT_EQ(sheet.Range("B2").Value(), rt::Variant("x"));
}

TEST_F(SheetTest, SortPutsNumbersThenTextsThenEmptyRowsAndMovesWholeRows) {
    const rt::Variant keys[] = {"beta", rt::Variant(), 3.0, "Alpha", int16_t(1), rt::Variant()};
    for (int i = 0; i < 6; ++i) {
        sheet.Cells(i + 2, 1).SetValue(keys[i]);
        sheet.Cells(i + 2, 2).SetValue(int16_t(i));
    }
    sheet.Range("B5").Font().SetBold(true);  // goes with the row of "Alpha"
    sheet.Range("a2:b7").Sort();
    const rt::Variant sortedKeys[] = {int16_t(1), 3.0,           "Alpha",
                                      "beta",     rt::Variant(), rt::Variant()};
    const int16_t sortedRows[] = {4, 2, 3, 0, 1, 5};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sheet.Cells(i + 2, 1).Value(), sortedKeys[i]);
        EXPECT_EQ(sheet.Cells(i + 2, 2).Value(), rt::Variant(sortedRows[i]));
    }
    EXPECT_TRUE(sheet.Range("B4").Font().Bold());
    EXPECT_FALSE(sheet.Range("B5").Font().Bold());
}

TEST_F(SheetTest, ProtectionRefusesLockedCellsOnly) {
    sheet.Range("A2:D10").SetLocked(false);
    sheet.Protection().Enabled = true;
    EXPECT_NO_THROW(sheet.Range("B3").SetValue("ok"));
    EXPECT_TRUE(sheet.UserEdit(2, 2, "12.5"));
    EXPECT_FALSE(sheet.UserEdit(1, 1, "Header"));
    EXPECT_TRUE(sheet.Range("A1").Value().IsEmpty());
    try {
        sheet.Range("A1:B2").SetValue("no");
        FAIL() << "a locked cell was written";
    } catch (const rt::Failure& failure) {
        EXPECT_EQ(failure.Number(), rt::kPermissionDenied);
    }
    sheet.Protection().Enabled = false;
    EXPECT_TRUE(sheet.UserEdit(1, 1, "Header"));
}

TEST_F(SheetTest, TypedInputBecomesNumberOrText) {
    struct Case {
        const char* typed;
        rt::Variant stored;
    };
    const Case cases[] = {{"12", 12.0},       {" -5 ", -5.0},      {"+1", 1.0},
                          {"12.5", 12.5},     {"abc", "abc"},      {" x ", " x "},
                          {"1.2.3", "1.2.3"}, {"", rt::Variant()}, {"   ", rt::Variant()},
                          {"1e3", "1e3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(sheet.UserEdit(3, 3, c.typed));
        EXPECT_EQ(sheet.Range("C3").Value(), c.stored);
        EXPECT_EQ(sheet.Range("C3").Value().Type(), c.stored.Type());
    }
}

TEST_F(SheetTest, StylesAndWidthsApplyToTheirBlocksOnly) {
    sheet.Range("1:1").Interior().SetColor(0xD8E9EC);
    sheet.Range("1:1").Font().SetBold(true);
    sheet.Range("B:D").SetColumnWidth(13.84);
    EXPECT_EQ(sheet.Range("Z1").Interior().Color(), 0xD8E9EC);
    EXPECT_EQ(sheet.Range("A2").Interior().Color(), 0xFFFFFF);
    EXPECT_FALSE(sheet.Range("A2").Font().Bold());
    EXPECT_DOUBLE_EQ(sheet.Range("C7").ColumnWidth(), 13.84);
    EXPECT_DOUBLE_EQ(sheet.Range("E1").ColumnWidth(), owc::kDefaultColumnWidth);
    sheet.Range("A1").Borders().Item(owc::kEdgeRight).SetLineStyle(owc::kLineStyleDot);
    EXPECT_EQ(sheet.StyleAt(1, 1).borders[3].lineStyle, owc::kLineStyleDot);
    EXPECT_EQ(sheet.StyleAt(1, 1).borders[0].lineStyle, owc::kLineStyleNone);
    EXPECT_THROW(sheet.Range("A1").Borders().Item(3), rt::Failure);
    sheet.Rows().ClearFormats();
    EXPECT_FALSE(sheet.Range("A1").Font().Bold());
}

TEST_F(SheetTest, RangeCountsCellsRowsAndColumns) {
    owc::Range block = sheet.Range("B2:D5");
    EXPECT_EQ(block.Count(), 12);
    EXPECT_EQ(block.Rows().Count(), 4);
    EXPECT_EQ(block.Columns().Count(), 3);
    EXPECT_EQ(block.Cells(2, 3).Address(), "$D$3");
    EXPECT_EQ(block.EntireColumn().Address(), "$B$1:$D$10000");
    EXPECT_EQ(block.EntireRow().Rows().Count(), 4);
}

TEST_F(SheetTest, UsedRangeHtmlHoldsTheUsedCellsOnly) {
    EXPECT_EQ(sheet.UsedRange().HTMLData(), "");
    sheet.Range("B2").SetValue("a<b");
    sheet.Range("C3").SetValue(int16_t(5));
    owc::Range used = sheet.UsedRange();
    EXPECT_EQ(used.Address(), "$B$2:$C$3");
    std::string html = used.HTMLData();
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>"));
    EXPECT_NE(html.find("<td>a&lt;b</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>5</td>"), std::string::npos);
    EXPECT_NE(html.find("</html>"), std::string::npos);
}

TEST_F(SheetTest, ChangesReachListenersOnlyWhileScreenUpdatingIsOn) {
    int told = 0;
    sheet.AddListener([&] { ++told; });
    book->SetScreenUpdating(false);
    int atOff = told;
    for (int i = 2; i < 50; ++i)
        sheet.Cells(i, 1).SetValue(int16_t(i));
    EXPECT_EQ(told, atOff);
    book->SetScreenUpdating(true);
    EXPECT_EQ(told, atOff + 1);
}

TEST_F(SheetTest, FreezePanesFreezesAboveAndLeftOfTheSelection) {
    sheet.Range("A2").Select();
    book->ActiveWindow()->SetFreezePanes(true);
    EXPECT_EQ(sheet.FrozenRows(), 1);
    EXPECT_EQ(sheet.FrozenColumns(), 0);
    book->ActiveWindow()->SetFreezePanes(false);
    EXPECT_FALSE(book->ActiveWindow()->FreezePanes());
}

TEST_F(SheetTest, CellsOutsideTheSheetFailInsteadOfBeingRead) {
    sheet.Range("A2:B4").SetValue("kept");
    const std::pair<int32_t, int32_t> outside[] = {
        {0, 1}, {1, 0}, {-1, -1}, {owc::kMaxRows + 1, 1}, {1, owc::kMaxColumns + 1}};
    for (const auto& [row, column] : outside) {
        SCOPED_TRACE(std::to_string(row) + "," + std::to_string(column));
        auto expectRefused = [](const std::function<void()>& read) {
            try {
                read();
                ADD_FAILURE() << "read outside the sheet";
            } catch (const rt::Failure& failure) {
                EXPECT_EQ(failure.Number(), rt::kInvalidCall);
            }
        };
        expectRefused([&] { sheet.ValueAt(row, column); });
        expectRefused([&] { sheet.FormulaAt(row, column); });
        expectRefused([&] { sheet.HasContent(row, column); });
        expectRefused([&] { sheet.StyleAt(row, column); });
        expectRefused([&] { sheet.SetSelection(Area{row, column, row, column}); });
        EXPECT_FALSE(sheet.UserEdit(row, column, "x"));
    }
    for (int32_t column : {-1, 0, owc::kMaxColumns + 1})
        EXPECT_FALSE(sheet.UserSetColumnWidth(column, 20));
    EXPECT_THROW(sheet.ColumnWidthAt(0), rt::Failure);
    EXPECT_THROW(sheet.ColumnWidthAt(owc::kMaxColumns + 1), rt::Failure);
}

TEST_F(SheetTest, ASortKeyOutsideTheBlockFailsAndMovesNothing) {
    for (int i = 0; i < 3; ++i)
        sheet.Cells(i + 2, 1).SetValue(int16_t(3 - i));
    const Area block{2, 1, 4, 3};
    for (int32_t key : {-1, 3, 26}) {
        SCOPED_TRACE(key);
        EXPECT_THROW(sheet.SortRows(block, key), rt::Failure);
    }
    EXPECT_THROW(sheet.SortRows(Area{0, 0, 4, 3}, 0), rt::Failure);
    EXPECT_THROW(sheet.SortRows(Area{2, 1, 4, owc::kMaxColumns + 1}, 0), rt::Failure);
    EXPECT_EQ(sheet.Range("A2").Value(), rt::Variant(int16_t(3)));
    sheet.SortRows(block, 0);
    EXPECT_EQ(sheet.Range("A2").Value(), rt::Variant(int16_t(1)));
}

// Text is two units a character, bold text ten units more; column C may grow to 20 units,
// column D to 2.
class HalfMeasure : public owc::ColumnMeasure {
  public:
    double TextWidth(const std::string& text, const owc::Style& style) const override {
        return double(text.size()) * 2 + (style.bold ? 10 : 0);
    }
    double FitLimit(int32_t column) const override {
        return column == 3 ? 20 : column == 4 ? 2 : owc::kMaxColumnWidth;
    }
};

TEST_F(SheetTest, FittingMeasuresWithTheInstalledMeasureWithinItsLimits) {
    HalfMeasure measure;
    sheet.SetMeasure(&measure);
    sheet.Range("1:1").Font().SetBold(true);
    sheet.Range("A1").SetValue("Month");
    sheet.Range("A2").SetValue(int16_t(12));
    sheet.Range("C2").SetValue("Anna, Bo, Cecilia, David");
    sheet.Range("D2").SetValue("Birth year and more");
    sheet.Range("A:E").AutoFit();
    EXPECT_DOUBLE_EQ(sheet.ColumnWidthAt(1), 20);  // the bold heading, not the number
    EXPECT_DOUBLE_EQ(sheet.ColumnWidthAt(2), owc::kDefaultColumnWidth) << "nothing to fit";
    EXPECT_DOUBLE_EQ(sheet.ColumnWidthAt(3), 20) << "held to its limit";
    EXPECT_DOUBLE_EQ(sheet.ColumnWidthAt(4), owc::kDefaultColumnWidth)
        << "a limit never squeezes a column below the default width";
    // Without a view the sheet estimates from character counts, as it always did.
    sheet.SetMeasure(nullptr);
    sheet.Range("A:A").AutoFit();
    EXPECT_DOUBLE_EQ(sheet.ColumnWidthAt(1), 5 * 1.1 + 1);
}

}  // namespace
