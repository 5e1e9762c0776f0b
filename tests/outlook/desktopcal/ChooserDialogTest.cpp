#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "outlook/desktopcal/FolderTree.h"
#include "platform/runtime/Failure.h"

namespace {

using desktopcal::FolderEntry;
using desktopcal::FolderRef;
using Kind = desktopcal::FolderEntry::Kind;

FolderEntry Node(Kind kind, const std::string& name, const std::string& id, bool choosable,
                 const std::string& reason = "", std::vector<FolderEntry> children = {}) {
    FolderEntry entry;
    entry.kind = kind;
    entry.name = name;
    entry.id = id;
    entry.color = kind == Kind::Calendar ? "#becedd" : "";
    entry.choosable = choosable;
    entry.reason = reason;
    entry.children = std::move(children);
    return entry;
}

class FakeCatalog : public desktopcal::FolderCatalog {
  public:
    std::vector<FolderEntry> tree{
        Node(Kind::Group, "On This Computer", "", false, "",
             {Node(Kind::Calendar, "Personal", "system-calendar", true),
              Node(Kind::Calendar, "Birthdays & Anniversaries", "birthdays", false, "read-only")}),
        Node(Kind::StoreFolder, "Velmora store", "", false, "",
             {Node(Kind::StoreFolder, "Calendar", "Calendar", true),
              Node(Kind::StoreFolder, "Inbox", "Inbox", false, "mail folder")}),
    };
    std::vector<std::pair<std::string, std::optional<FolderRef>>> made;
    bool refuse = false;

    std::vector<FolderEntry> Tree() override { return tree; }
    FolderRef NewCalendar(const std::string& name, const std::optional<FolderRef>& near) override {
        made.emplace_back(name, near);
        if (refuse)
            throw rt::Failure(58, "A folder named \"" + name + "\" already exists");
        tree[0].children.push_back(Node(Kind::Calendar, name, "new-uid", true));
        return {Kind::Calendar, "new-uid"};
    }
};

// Acts on the next modal box of that type once it is up (and on the chooser by its name).
// Should it never come up, whatever modal box is up is closed, so the test fails, not hangs.
template <class Box>
void WhenUp(std::function<void(Box&)> act, const char* name = nullptr) {
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries, name] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        bool up = box && box->isVisible() && (!name || box->objectName() == name);
        if (!up && ++*tries < 10000)
            return;
        timer->stop();
        timer->deleteLater();
        if (up) {
            act(*box);
        } else if (QWidget* other = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the expected box did not come up";
            other->close();
        }
    });
    timer->start(0);
}

// Runs the chooser; `user` acts on it once it is up.
std::optional<FolderRef> Choose(FakeCatalog& catalog, std::function<void(QDialog&)> user) {
    WhenUp<QDialog>(
        [user](QDialog& dialog) {
            user(dialog);
            if (dialog.isVisible())
                dialog.reject();
        },
        "PickFolder");
    return desktopcal::MakeDialogChooser()->Choose(catalog, "Calendars");
}

QTreeWidget& TreeOf(QDialog& dialog) {
    return *dialog.findChild<QTreeWidget*>("folderTree");
}

QPushButton& OkOf(QDialog& dialog) {
    return *dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

QTreeWidgetItem* ItemNamed(QTreeWidget& tree, const QString& text) {
    auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

TEST(ChooserDialog, ShowsEveryCalendarButLetsOnlyWritableOnesBeChosen) {
    FakeCatalog catalog;
    auto chosen = Choose(catalog, [](QDialog& dialog) {
        QTreeWidget& tree = TreeOf(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Calendars");
        ASSERT_NE(tree.currentItem(), nullptr);
        EXPECT_EQ(tree.currentItem()->text(0), "Personal");  // the first that can be chosen
        EXPECT_TRUE(OkOf(dialog).isEnabled());

        QTreeWidgetItem* birthdays = ItemNamed(tree, "Birthdays & Anniversaries (read-only)");
        ASSERT_NE(birthdays, nullptr);
        EXPECT_TRUE(birthdays->isDisabled());
        EXPECT_FALSE(birthdays->toolTip(0).isEmpty());
        QTreeWidgetItem* inbox = ItemNamed(tree, "Inbox (mail folder)");
        ASSERT_NE(inbox, nullptr);
        EXPECT_TRUE(inbox->isDisabled());

        tree.setCurrentItem(ItemNamed(tree, "On This Computer"));
        EXPECT_FALSE(OkOf(dialog).isEnabled());
        tree.setCurrentItem(ItemNamed(tree, "Calendar"));
        EXPECT_TRUE(OkOf(dialog).isEnabled());
        QTest::keyClick(&tree, Qt::Key_Return);
    });
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (FolderRef{Kind::StoreFolder, "Calendar"}));
}

TEST(ChooserDialog, CancelGivesNothing) {
    FakeCatalog catalog;
    EXPECT_EQ(Choose(catalog, [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }),
              std::nullopt);
}

TEST(ChooserDialog, NewCalendarOffersNameDaysAndSelectsWhatItMade) {
    FakeCatalog catalog;
    auto chosen = Choose(catalog, [&](QDialog& dialog) {
        QTreeWidget& tree = TreeOf(dialog);
        tree.setCurrentItem(ItemNamed(tree, "On This Computer"));
        WhenUp<QInputDialog>([](QInputDialog& input) {
            EXPECT_EQ(input.textValue(), desktopcal::kNewCalendarName);
            input.accept();
        });
        dialog.findChild<QPushButton*>("newCalendar")->click();
        ASSERT_NE(tree.currentItem(), nullptr);
        EXPECT_EQ(tree.currentItem()->text(0), "Name Days");
        OkOf(dialog).click();
    });
    ASSERT_EQ(catalog.made.size(), 1u);
    EXPECT_EQ(catalog.made[0].first, "Name Days");
    EXPECT_EQ(catalog.made[0].second, (FolderRef{Kind::Group, ""}));
    EXPECT_EQ(chosen, (FolderRef{Kind::Calendar, "new-uid"}));
}

TEST(ChooserDialog, ANewCalendarThatCannotBeMadeIsExplainedAndNothingChanges) {
    FakeCatalog catalog;
    catalog.refuse = true;
    QString warning;
    auto chosen = Choose(catalog, [&](QDialog& dialog) {
        WhenUp<QInputDialog>([](QInputDialog& input) { input.accept(); });
        WhenUp<QMessageBox>([&](QMessageBox& message) {
            warning = message.text();
            message.accept();
        });
        dialog.findChild<QPushButton*>("newCalendar")->click();
        EXPECT_EQ(TreeOf(dialog).currentItem()->text(0), "Personal");
        dialog.reject();
    });
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_EQ(catalog.made.size(), 1u);
    EXPECT_TRUE(warning.contains("already exists")) << warning.toStdString();
}

}  // namespace
