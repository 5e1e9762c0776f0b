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
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/Desktop.h"
#include "platform/desktop/FolderDialog.h"
#include "platform/runtime/Failure.h"

namespace {

using desktop::FolderNode;

FolderNode Node(const std::string& name, const std::string& id, bool choosable,
                const std::string& reason = "", std::vector<FolderNode> children = {}) {
    return FolderNode{name, id, choosable, false, std::move(children), "", reason};
}

FolderNode Calendar(const std::string& name, const std::string& id, bool choosable = true,
                    const std::string& reason = "") {
    FolderNode node = Node(name, id, choosable, reason);
    node.color = "#becedd";
    return node;
}

// Calendars of two kinds under their account, then a store with a mail folder; "New
// calendar..." adds one under the account, or is refused.
struct Calendars {
    std::vector<FolderNode> tree{
        Node("On This Computer", "local", false, "",
             {Calendar("Personal", "system-calendar"),
              Calendar("Birthdays & Anniversaries", "birthdays", false, "read-only")}),
        Node("Velmora store", "/store", false, "",
             {Node("Calendar", "/store/Calendar", true),
              Node("Inbox", "/store/Inbox", false, "mail folder",
                   {Node("Family", "/store/Inbox/Family", true)})}),
    };
    std::vector<std::pair<std::string, std::string>> made;
    bool refuse = false;

    desktop::FolderRequest Request(bool offerNew = true) {
        desktop::FolderRequest request{tree, "Calendars"};
        if (!offerNew)
            return request;
        request.newName = "Name Days";
        request.create = [this](const std::string& name, const std::string& near) {
            made.emplace_back(name, near);
            if (refuse)
                throw rt::Failure(58, "A folder named \"" + name + "\" already exists");
            tree[0].children.push_back(Calendar(name, "new-uid"));
            return desktop::NewFolder{"new-uid", tree};
        };
        return request;
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
std::optional<std::string> Choose(const desktop::FolderRequest& request,
                                  std::function<void(QDialog&)> user) {
    WhenUp<QDialog>(
        [user](QDialog& dialog) {
            user(dialog);
            if (dialog.isVisible())
                dialog.reject();
        },
        "PickFolder");
    return desktop::MakeFolderDialog()->Choose(request);
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

TEST(FolderDialog, ShowsEveryFolderButLetsOnlyChoosableOnesBeChosen) {
    Calendars calendars;
    auto chosen = Choose(calendars.Request(), [](QDialog& dialog) {
        QTreeWidget& tree = TreeOf(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Calendars");
        ASSERT_NE(tree.currentItem(), nullptr);
        EXPECT_EQ(tree.currentItem()->text(0), "Personal");  // the first that can be chosen
        EXPECT_TRUE(OkOf(dialog).isEnabled());

        QTreeWidgetItem* birthdays = ItemNamed(tree, "Birthdays & Anniversaries (read-only)");
        ASSERT_NE(birthdays, nullptr);
        EXPECT_FALSE(birthdays->flags() & Qt::ItemIsSelectable);
        EXPECT_FALSE(birthdays->toolTip(0).isEmpty());
        QTreeWidgetItem* inbox = ItemNamed(tree, "Inbox (mail folder)");
        ASSERT_NE(inbox, nullptr);
        EXPECT_FALSE(inbox->flags() & Qt::ItemIsSelectable);
        // A calendar folder inside a mail folder can still be chosen.
        QTreeWidgetItem* inside = ItemNamed(tree, "Family");
        ASSERT_NE(inside, nullptr);
        EXPECT_FALSE(inside->isDisabled());
        tree.setCurrentItem(inside);
        EXPECT_TRUE(OkOf(dialog).isEnabled());
        tree.setCurrentItem(birthdays);
        EXPECT_FALSE(OkOf(dialog).isEnabled());

        tree.setCurrentItem(ItemNamed(tree, "On This Computer"));
        EXPECT_FALSE(OkOf(dialog).isEnabled());
        tree.setCurrentItem(ItemNamed(tree, "Calendar"));
        EXPECT_TRUE(OkOf(dialog).isEnabled());
        QTest::keyClick(&tree, Qt::Key_Return);
    });
    EXPECT_EQ(chosen, "/store/Calendar");
}

TEST(FolderDialog, CancelGivesNothing) {
    Calendars calendars;
    EXPECT_EQ(Choose(calendars.Request(),
                     [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }),
              std::nullopt);
}

TEST(FolderDialog, OffersNewCalendarOnlyWhenItCanMakeOne) {
    Calendars calendars;
    for (bool offer : {false, true}) {
        SCOPED_TRACE(offer);
        Choose(calendars.Request(offer), [offer](QDialog& dialog) {
            EXPECT_EQ(dialog.findChild<QPushButton*>("newCalendar") != nullptr, offer);
        });
    }
}

TEST(FolderDialog, NewCalendarOffersItsNameAndSelectsWhatItMade) {
    Calendars calendars;
    auto chosen = Choose(calendars.Request(), [&](QDialog& dialog) {
        QTreeWidget& tree = TreeOf(dialog);
        tree.setCurrentItem(ItemNamed(tree, "On This Computer"));
        WhenUp<QInputDialog>([](QInputDialog& input) {
            EXPECT_EQ(input.textValue(), "Name Days");
            input.accept();
        });
        dialog.findChild<QPushButton*>("newCalendar")->click();
        ASSERT_NE(tree.currentItem(), nullptr);
        EXPECT_EQ(tree.currentItem()->text(0), "Name Days");
        OkOf(dialog).click();
    });
    EXPECT_EQ(calendars.made,
              (std::vector<std::pair<std::string, std::string>>{{"Name Days", "local"}}));
    EXPECT_EQ(chosen, "new-uid");
}

TEST(FolderDialog, ANewCalendarThatCannotBeMadeIsExplainedAndNothingChanges) {
    Calendars calendars;
    calendars.refuse = true;
    QString warning, title;
    auto chosen = Choose(calendars.Request(), [&](QDialog& dialog) {
        WhenUp<QInputDialog>([](QInputDialog& input) { input.accept(); });
        WhenUp<QMessageBox>([&](QMessageBox& message) {
            warning = message.text();
            title = message.windowTitle();
            message.accept();
        });
        dialog.findChild<QPushButton*>("newCalendar")->click();
        EXPECT_EQ(TreeOf(dialog).currentItem()->text(0), "Personal");
        EXPECT_EQ(TreeOf(dialog).topLevelItem(0)->childCount(), 2);
        dialog.reject();
    });
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_EQ(calendars.made.size(), 1u);
    EXPECT_TRUE(warning.contains("already exists")) << warning.toStdString();
    EXPECT_EQ(title, "Outlook Velmora");
}

}  // namespace
