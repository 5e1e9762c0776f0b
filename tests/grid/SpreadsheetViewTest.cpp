#include <QLineEdit>
#include <QTableView>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "grid/owc/SpreadsheetView.h"
#include "tests/grid/GridFixture.h"

namespace {

class ViewTest : public gridtest::GridTest {
  protected:
    void SetUp() override {
        GridTest::SetUp();
        MakeGrid();
        list->EditMode(true);
        list->SetValue("A1", "Month");
        list->SetVisibleRange("A1:C1000");
        list->EditMode(false);
        view = window->findChild<owc::SpreadsheetView*>("objApps");
        ASSERT_NE(view, nullptr);
    }
    // The user double-clicks a cell of a band and types; false when no editor opened.
    bool Type(QTableView* table, int row, int column, const QString& text) {
        QModelIndex index = table->model()->index(row, column);
        table->setCurrentIndex(index);
        table->edit(index);
        auto* editor = table->viewport()->findChild<QLineEdit*>();
        if (!editor)
            return false;
        editor->clear();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The closed editor goes at once, so the next edit finds its own.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return true;
    }

    owc::SpreadsheetView* view = nullptr;
};

TEST_F(ViewTest, ShowsTheHeaderRowFrozenAboveTheViewableRows) {
    EXPECT_EQ(view->FrozenModel()->rowCount(), 1);
    EXPECT_EQ(view->MainModel()->rowCount(), 999);
    EXPECT_EQ(view->MainModel()->columnCount(), 3);
    EXPECT_EQ(view->FrozenModel()->index(0, 0).data().toString(), "Month");
    EXPECT_EQ(view->MainModel()->headerData(0, Qt::Vertical, Qt::DisplayRole).toInt(), 2);
    QFont font = view->FrozenModel()->index(0, 1).data(Qt::FontRole).value<QFont>();
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.family(), "Tahoma");
}

TEST_F(ViewTest, UserEditLandsAsNumberOrText) {
    struct Case {
        int row;
        const char* typed;
        rt::Variant stored;
        const char* nextSelected;
    };
    const Case cases[] = {
        {0, "12.5", 12.5, "A3"}, {1, "Anna", "Anna", "A4"}, {2, " 7 ", 7.0, "A5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(Type(view->MainTable(), c.row, 0, c.typed));
        rt::Variant stored = Sheet().Cells(c.row + 2, 1).Value();
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(stored.Type(), c.stored.Type());
        EXPECT_EQ(Sheet().Selection(), owc::ParseAddress(c.nextSelected));
    }
    list->MoveRight(true);
    ASSERT_TRUE(Type(view->MainTable(), 5, 0, "x"));
    EXPECT_EQ(Sheet().Selection(), owc::ParseAddress("B7"));
}

TEST_F(ViewTest, LockedHeaderCellRefusesTheEdit) {
    EXPECT_FALSE(Type(view->FrozenTable(), 0, 0, "Changed"));
    EXPECT_FALSE(
        view->FrozenModel()->setData(view->FrozenModel()->index(0, 0), "Changed", Qt::EditRole));
    EXPECT_EQ(Sheet().Range("A1").Value(), rt::Variant("Month"));
}

TEST_F(ViewTest, PaintsOnlyWhileScreenUpdatingIsOn) {
    list->EditMode(true);
    EXPECT_FALSE(view->updatesEnabled());
    list->SetValue("B2", "while off");
    EXPECT_EQ(view->MainModel()->index(0, 1).data().toString(), "while off");
    list->EditMode(false);
    EXPECT_TRUE(view->updatesEnabled());
}

TEST_F(ViewTest, UserSortMovesRowsByTheChosenColumn) {
    list->EditMode(true);
    list->SetValue("A2", int16_t(2));
    list->SetValue("B2", "b");
    list->SetValue("A3", int16_t(1));
    list->SetValue("B3", "c");
    list->EditMode(false);
    EXPECT_TRUE(view->SortByColumn(2));  // by B: already in order
    EXPECT_EQ(Sheet().Range("B2").Value(), rt::Variant("b"));
    EXPECT_TRUE(view->SortByColumn(1));  // by A
    EXPECT_EQ(Sheet().Range("B2").Value(), rt::Variant("c"));
}

}  // namespace
