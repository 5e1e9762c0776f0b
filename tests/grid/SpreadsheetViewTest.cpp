#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/owc/CellText.h"
#include "grid/owc/ColumnMetrics.h"
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

// The grid as the main window shows it: headings and the vertical scroll bar on, the window
// shown, three rows of data in columns A to C under the headings.
class ShownViewTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        list->SetExcelVisible(true);
        list->DisplayHorizontalScroll(false);
        before = new QLineEdit(window.get());
        before->setObjectName("before");
        after = new QLineEdit(window.get());
        after->setObjectName("after");
        QWidget::setTabOrder(before, view->MainTable());
        QWidget::setTabOrder(view->MainTable(), after);
        window->resize(600, 600);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        FillRows();
    }
    // Column A sorts 1, 2, 3 by rows 3, 4, 2; column B by rows 4, 2, 3; column C by 3, 2, 4.
    void FillRows() {
        const rt::Variant rows[3][3] = {{int16_t(3), "b", int16_t(20)},
                                        {int16_t(1), "c", int16_t(10)},
                                        {int16_t(2), "a", int16_t(30)}};
        list->EditMode(true);
        list->SetValue("B1", "Day");
        list->SetValue("C1", "Names");
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                list->SetValue(std::string(1, char('A' + c)) + std::to_string(r + 2), rows[r][c]);
        list->EditMode(false);
    }
    std::string ColumnA() {
        std::string keys;
        for (int row = 2; row <= 4; ++row)
            keys += owc::CellText(Sheet().Cells(row, 1).Value());
        return keys;
    }
    QHeaderView* Headings() { return view->FrozenTable()->horizontalHeader(); }

    QLineEdit* before = nullptr;
    QLineEdit* after = nullptr;
};

TEST_F(ShownViewTest, ADoubleClickSortsByAShownHeadingAndNothingElseAnywhere) {
    QTableView* frozen = view->FrozenTable();
    QTableView* cells = view->MainTable();
    QHeaderView* headings = Headings();
    auto headingAt = [&](int section) {
        return QPoint(
            headings->sectionViewportPosition(section) + headings->sectionSize(section) / 2,
            headings->height() / 2);
    };
    int end = headings->length();
    ASSERT_LT(end + 20, headings->width()) << "the test needs room right of the shown columns";
    struct Case {
        const char* where;
        QWidget* target;
        QPoint at;
        const char* columnA;  // after the double-click
    };
    const Case cases[] = {
        {"heading A", headings->viewport(), headingAt(0), "123"},
        {"heading B", headings->viewport(), headingAt(1), "231"},
        {"heading C", headings->viewport(), headingAt(2), "132"},
        {"just right of heading C", headings->viewport(), QPoint(end + 3, 5), "312"},
        {"far right of the headings", headings->viewport(), QPoint(headings->width() - 2, 5),
         "312"},
        {"row number of the heading row", frozen->verticalHeader()->viewport(), QPoint(5, 5),
         "312"},
        {"row number of a data row", cells->verticalHeader()->viewport(), QPoint(5, 5), "312"},
        {"the corner", frozen, QPoint(frozen->frameWidth() + 2, frozen->frameWidth() + 2), "312"},
        {"right of the heading cells", frozen->viewport(), QPoint(end + 10, 5), "312"},
        {"right of the data cells", cells->viewport(), QPoint(end + 10, 5), "312"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        FillRows();
        QTest::mouseDClick(c.target, Qt::LeftButton, Qt::NoModifier, c.at);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(ColumnA(), c.columnA);
    }
}

TEST_F(ShownViewTest, OnlyAShownColumnSorts) {
    for (int32_t column : {-1, 0, 4, 6, owc::kMaxColumns, owc::kMaxColumns + 1}) {
        SCOPED_TRACE(column);
        EXPECT_FALSE(view->SortByColumn(column));
        EXPECT_EQ(ColumnA(), "312");
    }
}

TEST_F(ShownViewTest, BothBandsShareTheColumnWidths) {
    QTableView* frozen = view->FrozenTable();
    QTableView* cells = view->MainTable();
    struct Case {
        const char* dragged;
        QTableView* table;
        int section;
        int pixels;
    };
    const Case cases[] = {{"heading row", frozen, 1, 150}, {"data rows", cells, 0, 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dragged);
        // Qt's header reports a drag by the same signal as this.
        c.table->horizontalHeader()->resizeSection(c.section, c.pixels);
        EXPECT_EQ(frozen->columnWidth(c.section), c.pixels);
        EXPECT_EQ(cells->columnWidth(c.section), c.pixels);
        EXPECT_EQ(owc::PixelsOfWidth(Sheet().ColumnWidthAt(c.section + 1)), c.pixels);
    }
    // A later change of the cells keeps what the user dragged.
    ASSERT_TRUE(Type(cells, 5, 2, "Eva"));
    EXPECT_EQ(frozen->columnWidth(1), 150);
    EXPECT_EQ(cells->columnWidth(0), 90);
}

TEST_F(ShownViewTest, BothBandsScrollSidewaysTogether) {
    list->EditMode(true);
    list->SetColumnWidth("A:C", 400);  // far wider than the grid together
    list->EditMode(false);
    QTableView* frozen = view->FrozenTable();
    QTableView* cells = view->MainTable();
    QCoreApplication::processEvents();
    ASSERT_GT(cells->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(frozen->horizontalScrollBar()->maximum(), cells->horizontalScrollBar()->maximum());
    auto expectInStep = [&] {
        EXPECT_EQ(frozen->horizontalScrollBar()->value(), cells->horizontalScrollBar()->value());
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(frozen->horizontalHeader()->sectionViewportPosition(c),
                      cells->horizontalHeader()->sectionViewportPosition(c));
    };
    cells->horizontalScrollBar()->setValue(120);
    expectInStep();
    frozen->horizontalScrollBar()->setValue(40);
    expectInStep();
    cells->setFocus();
    QTest::keyClick(cells, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(cells->horizontalScrollBar()->value(), cells->horizontalScrollBar()->maximum());
    expectInStep();
    QTest::keyClick(cells, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(cells->horizontalScrollBar()->value(), 0);
    expectInStep();
}

// The pixels a cell's text may take before the view cuts it short, as Qt's item views draw.
int TextRoom(QTableView* table, int column) {
    int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    return table->columnWidth(column) - 2 * margin - 1;
}

TEST_F(ShownViewTest, FittedColumnsShowHeadingsAndTextsWhole) {
    list->EditMode(true);
    list->SetValue("A1", "Month");
    list->SetValue("D1", "Birth year");
    list->SetValue("C3", "Jonas Berg, Wilhelmina");
    list->SetValue("D3", int16_t(1987));
    list->SetVisibleRange("A1:D1000");
    list->EditMode(false);
    list->AutoFitCols("A:D");
    for (int row = 1; row <= 4; ++row) {
        for (int column = 1; column <= 4; ++column) {
            std::string text = owc::CellText(Sheet().Cells(row, column).Value());
            if (text.empty())
                continue;
            SCOPED_TRACE(text);
            QTableView* table = row == 1 ? view->FrozenTable() : view->MainTable();
            QFontMetricsF drawn(owc::FontOf(Sheet().StyleAt(row, column)));
            EXPECT_LE(drawn.horizontalAdvance(QString::fromStdString(text)),
                      TextRoom(table, column - 1));
            QModelIndex index = table->model()->index(row == 1 ? 0 : row - 2, column - 1);
            EXPECT_TRUE(index.data(Qt::ToolTipRole).isNull()) << "no tooltip for whole text";
        }
    }
}

TEST_F(ShownViewTest, AVeryLongTextIsCutShortBesideTheOtherColumnsWithATooltip) {
    std::string names;
    for (int i = 0; i < 81; ++i)
        names += (i ? ", " : "") + std::string("Name") + std::to_string(i);
    list->EditMode(true);
    list->SetValue("C3", names);
    list->SetValue("D1", "Birth year");
    list->SetValue("D2", int16_t(1950));
    list->SetVisibleRange("A1:D1000");
    list->EditMode(false);
    list->AutoFitCols("A:D");
    QTableView* cells = view->MainTable();
    int shown = 0;
    for (int c = 0; c < 4; ++c)
        shown += cells->columnWidth(c);
    EXPECT_LE(shown, cells->viewport()->width()) << "every shown column stays in view";
    EXPECT_GE(shown, cells->viewport()->width() - 2) << "the long column takes the room left";
    EXPECT_EQ(cells->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(cells->model()->index(1, 2).data(Qt::ToolTipRole).toString().toStdString(), names);
    EXPECT_TRUE(cells->model()->index(0, 2).data(Qt::ToolTipRole).isNull());
    QFontMetricsF drawn(owc::FontOf(Sheet().StyleAt(1, 4)));
    EXPECT_LE(drawn.horizontalAdvance("Birth year"), TextRoom(view->FrozenTable(), 3));
}

TEST_F(ShownViewTest, TabMovesThroughTheDataCellsAndLeavesAtTheEnds) {
    view->setFocus();
    ASSERT_TRUE(view->MainTable()->hasFocus());
    Sheet().Range("C3").Select();
    std::vector<std::string> visited;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (!view->MainTable()->hasFocus())
            break;
        visited.push_back(owc::AbsoluteAddress(Sheet().Selection()));
    }
    // Rows 2 to 4 hold data; row 5 is where the next entry goes, and Tab leaves after it.
    EXPECT_EQ(visited, (std::vector<std::string>{"$A$4", "$B$4", "$C$4", "$A$5", "$B$5", "$C$5"}));
    EXPECT_TRUE(after->hasFocus())
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() +
                                              QApplication::focusWidget()->metaObject()->className()
                                        : "none");

    view->setFocus();
    Sheet().Range("B2").Select();
    QTest::keyClick(view->MainTable(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Sheet().Selection(), owc::ParseAddress("A2"));
    QTest::keyClick(view->MainTable(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus()) << "Shift+Tab leaves before the first data cell";
    EXPECT_EQ(Sheet().Selection(), owc::ParseAddress("A2"));
}

TEST_F(ShownViewTest, TabNeverEntersTheHeadingRow) {
    EXPECT_EQ(view->FrozenTable()->focusPolicy(), Qt::NoFocus);
    // The user clicked a heading cell; Tab goes on in the data rows.
    QTableView* frozen = view->FrozenTable();
    QTest::mouseClick(frozen->viewport(), Qt::LeftButton, Qt::NoModifier,
                      frozen->visualRect(frozen->model()->index(0, 1)).center());
    ASSERT_EQ(Sheet().Selection(), owc::ParseAddress("B1"));
    view->setFocus();
    QTest::keyClick(view->MainTable(), Qt::Key_Tab);
    EXPECT_EQ(Sheet().Selection(), owc::ParseAddress("A2"));
    Sheet().Range("C4").Select();
    QTest::keyClick(view->MainTable(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Sheet().Selection(), owc::ParseAddress("B4"));
}

TEST_F(ShownViewTest, TabInACellBeingTypedCommitsAndMovesOn) {
    QTableView* cells = view->MainTable();
    QModelIndex index = cells->model()->index(3, 0);  // A5
    cells->setCurrentIndex(index);
    cells->edit(index);
    auto* editor = cells->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "4");
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(Sheet().Range("A5").Value(), rt::Variant(4.0));
    EXPECT_EQ(Sheet().Selection(), owc::ParseAddress("B5"));
}

TEST_F(ShownViewTest, DeleteAndBackspaceClearTheSelectedCellsTheUserMayChange) {
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Backspace}) {
        SCOPED_TRACE(key);
        FillRows();
        EXPECT_EQ(list->UsedRows("F1"), 3);
        QTableView* cells = view->MainTable();
        cells->setFocus();
        cells->selectionModel()->select(
            QItemSelection(cells->model()->index(0, 0), cells->model()->index(1, 1)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(cells, key);
        for (const char* cleared : {"A2", "B2", "A3", "B3"})
            EXPECT_TRUE(Sheet().Range(cleared).Value().IsEmpty()) << cleared;
        EXPECT_EQ(Sheet().Range("C2").Value(), rt::Variant(int16_t(20)));
        EXPECT_EQ(Sheet().Range("A4").Value(), rt::Variant(int16_t(2)));
        EXPECT_EQ(list->UsedRows("F1"), 1) << "the count follows";
        EXPECT_EQ(cells->viewport()->findChild<QLineEdit*>(), nullptr) << "no editor opened";
    }
    // The locked heading row stays whatever is selected.
    QTableView* frozen = view->FrozenTable();
    frozen->selectionModel()->select(frozen->model()->index(0, 0), QItemSelectionModel::Select);
    QTest::keyClick(view->MainTable(), Qt::Key_Delete);
    EXPECT_EQ(Sheet().Range("A1").Value(), rt::Variant("Month"));
}

TEST_F(ShownViewTest, TextBeingTypedIsTakenBeforeTheProgramReadsOrRefills) {
    QTableView* cells = view->MainTable();
    auto typeWithoutEnter = [&](int row, const char* text) {
        QModelIndex index = cells->model()->index(row, 0);
        cells->setCurrentIndex(index);
        cells->edit(index);
        auto* editor = cells->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->clear();
        QTest::keyClicks(editor, text);
    };
    typeWithoutEnter(3, "0.5");  // A5, a row of its own
    TextArray rows = list->fncGetRangeArray("F1", "C");
    ASSERT_EQ(rows.UBound(1), 3) << "the typed row is counted and read";
    EXPECT_EQ(rows(0, 0), "0.5");

    // A refill inside an edit bracket: the typed text does not wait to land in the new rows.
    typeWithoutEnter(0, "99");
    list->EditMode(true);
    list->SetValue("A2:D1000", "");
    list->SetValue("A2", int16_t(7));
    list->EditMode(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(cells->viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(Sheet().Range("A2").Value(), rt::Variant(int16_t(7)));
}

}  // namespace
