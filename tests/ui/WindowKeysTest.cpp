#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>

#include "tests/ui/WindowFixture.h"

// The keyboard in the shown window: the list keys, typing, and Tab through the grid.

namespace {

using windowtest::ShownWindowTest;

TEST_F(ShownWindowTest, ListKeysSwitchTabsFromAnywhereInTheWindow) {
    WriteList("A", {"1.2\tAnna\t"});
    WriteList("B", {"2.3\tBert\t"});
    WriteList("C", {"3.4\tCarl\t"});
    LoadOrFail();
    Show();
    struct Key {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int tab;  // from the first tab
    };
    const Key keys[] = {
        {"Ctrl+PgDn", Qt::Key_PageDown, Qt::ControlModifier, 1},
        {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, 1},
        {"Ctrl+PgUp, round to the last", Qt::Key_PageUp, Qt::ControlModifier, 2},
        {"Ctrl+Shift+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2},
    };
    const std::pair<const char*, QWidget*> holders[] = {
        {"grid", Cells()},
        {"Save", window->cmdSaveChanges},
        {"year", window->cmbYear->lineEdit()},
        {"tabs", window->tbsApps},
    };
    for (const auto& [where, holder] : holders) {
        for (const Key& k : keys) {
            SCOPED_TRACE(std::string(where) + " " + k.name);
            window->tbsApps->setCurrentIndex(0);
            holder->setFocus();
            QTest::keyClick(holder, k.key, k.modifiers);
            EXPECT_EQ(window->tbsApps->currentIndex(), k.tab);
            const char* shown[] = {"Anna", "Bert", "Carl"};
            EXPECT_EQ(Cell("C2"), shown[k.tab]) << "the grid shows the list of the tab";
        }
    }
    EXPECT_TRUE(desktop.messages->shown.empty()) << LastMessage();
}

TEST_F(ShownWindowTest, TextBeingTypedDoesNotFollowTheKeysIntoAnotherList) {
    WriteList("A", {"1.2\tAnna\t"});
    WriteList("B", {"2.3\tBert\t"});
    LoadOrFail();
    Show();
    QTableView* cells = Cells();
    ASSERT_NE(cells, nullptr);
    QModelIndex c2 = cells->model()->index(0, 2);
    cells->setCurrentIndex(c2);
    cells->edit(c2);
    auto* editor = cells->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClicks(editor, "Typed");
    QTest::keyClick(editor, Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(window->tbsApps->currentIndex(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(cells->viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(Cell("C2"), "Bert");
    QTest::keyClick(cells, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Cell("C2"), "Anna") << "switching tabs drops what was not saved";
}

TEST_F(ShownWindowTest, TabGoesFromTheTabsThroughTheDataCellsToSave) {
    WriteList("Names", {"1.2\tAnna\t"});
    LoadOrFail();
    Show();
    window->tbsApps->setFocus();
    std::vector<std::string> visited;
    for (int i = 0; i < 10 && !window->cmdSaveChanges->hasFocus(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (Cells()->hasFocus())
            visited.push_back(Selected());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"$A$2", "$B$2", "$C$2", "$A$3", "$B$3", "$C$3"}));
    EXPECT_TRUE(window->cmdSaveChanges->hasFocus());
    QTest::keyClick(window->cmdSaveChanges, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(Cells()->hasFocus());
    window->objList->SelectCell("A2");
    QTest::keyClick(Cells(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(window->tbsApps->hasFocus());
}

}  // namespace
