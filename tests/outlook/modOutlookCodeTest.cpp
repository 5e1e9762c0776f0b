#include <gtest/gtest.h>

#include <algorithm>

#include "outlook/modOutlookCode.h"
#include "services/modErroHandling.h"
#include "tests/support/FakeOutlook.h"
#include "tests/support/ProgramTest.h"

namespace {

using fakeoutlook::FakeApplication;
using testsupport::EndStatus;

class Connection : public testsupport::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (const char* progId : outlook::kApplicationProgIds)
            automation::Objects().Unregister(progId);
        automation::Objects().Unregister(outlook::kApplicationClass);
    }
    void Running() { automation::Objects().SetRunning(outlook::kApplicationClass, app); }
    std::optional<int> Start() {
        return EndStatus([] {
            int32_t inbox = outlook::olFolderInbox;
            modOutlookCode::subStartOutlook(inbox);
        });
    }
    int Count(const std::string& call) const {
        return int(std::count(app->log->calls.begin(), app->log->calls.end(), call));
    }

    std::shared_ptr<FakeApplication> app = std::make_shared<FakeApplication>();
};

TEST_F(Connection, AttachesToARunningInstanceWithAWindowAsItIs) {
    auto front = app->AddExplorer("Inbox", true);
    Running();
    EXPECT_EQ(Start(), std::nullopt);
    EXPECT_EQ(modOutlookCode::objOutlook, app);
    EXPECT_NE(modOutlookCode::objNameSpace, nullptr);
    EXPECT_EQ(app->explorers.size(), 1u);
    EXPECT_EQ(front->activations, 0);
    EXPECT_EQ(modErroHandling::strAction, "Attempting to start MS Outlook 2000 or later");
}

TEST_F(Connection, OpensTheInboxWhenRunningWithoutWindows) {
    Running();
    EXPECT_EQ(Start(), std::nullopt);
    ASSERT_EQ(app->explorers.size(), 1u);
    EXPECT_EQ(Count("Explorers.Add=Inbox,0"), 1);
    EXPECT_EQ(app->explorers[0]->activations, 1);
}

TEST_F(Connection, ActivatesTheFirstWindowWhenNoneIsActive) {
    app->AddExplorer("Calendar", false);
    app->AddExplorer("Inbox", false);
    Running();
    EXPECT_EQ(Start(), std::nullopt);
    EXPECT_EQ(app->explorers.size(), 2u);
    EXPECT_EQ(app->explorers[0]->activations, 1);
    EXPECT_EQ(app->explorers[1]->activations, 0);
}

TEST_F(Connection, TriesClassThenProgIdsInOrder) {
    std::vector<std::string> tried;
    auto failing = [&tried](std::string name) {
        return [&tried, name]() -> std::shared_ptr<automation::Object> {
            tried.push_back(name);
            throw rt::Failure(rt::kCannotCreateObject);
        };
    };
    automation::Objects().RegisterClass(outlook::kApplicationClass, failing("class"));
    automation::Objects().RegisterProgId("Outlook.Application.11", failing("11"));
    automation::Objects().RegisterProgId("Outlook.Application.10", [&] {
        tried.push_back("10");
        return app;
    });
    automation::Objects().RegisterProgId("Outlook.Application.9", failing("9"));
    EXPECT_EQ(Start(), std::nullopt);
    EXPECT_EQ((std::vector<std::string>{"class", "11", "10"}), tried);
    EXPECT_EQ(modOutlookCode::objOutlook, app);
}

struct VersionCase {
    const char* version;
    bool accepted;
    const char* messageEnd;  // nullptr: no message at all
};

TEST_F(Connection, ChecksTheMajorVersion) {
    const VersionCase cases[] = {
        {"11.0.0.8", true, nullptr}, {"9.0", true, nullptr}, {"8.5.5104", false, "\r\n8"},
        {"11", false, nullptr},  // no "." at all: the program ends without a message
        {"x.1", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        modGlobals::ResetProgramState();
        desktop.messages->shown.clear();
        app = std::make_shared<FakeApplication>();
        app->version = c.version;
        Running();
        auto end = Start();
        if (c.accepted) {
            EXPECT_EQ(end, std::nullopt);
            EXPECT_TRUE(desktop.messages->shown.empty());
            continue;
        }
        EXPECT_EQ(end, 1);
        if (c.messageEnd) {
            ASSERT_EQ(desktop.messages->shown.size(), 1u);
            const auto& shown = desktop.messages->shown[0];
            EXPECT_EQ(shown.text, std::string("You need Outlook 2000 or later to run this "
                                              "application.") +
                                      c.messageEnd);
            EXPECT_EQ(shown.icon, desktop::Icon::Critical);
            EXPECT_EQ(shown.title, "Outlook Velmora");
        } else {
            EXPECT_TRUE(desktop.messages->shown.empty());
        }
    }
}

TEST_F(Connection, NothingCreatableShowsTheLastFailureAndEnds) {
    automation::Objects().RegisterProgId(
        "Outlook.Application", []() -> std::shared_ptr<automation::Object> {
            throw rt::Failure(rt::kPermissionDenied, "Access refused");
        });
    EXPECT_EQ(Start(), 1);
    ASSERT_EQ(desktop.messages->shown.size(), 1u);
    EXPECT_EQ(desktop.messages->shown[0].text,
              "You need Outlook 2000 or later to run this application.\r\n70 Access "
              "refused\r\n80");
    EXPECT_EQ(modOutlookCode::objOutlook, nullptr);  // released at the end
}

TEST_F(Connection, LaterCallsOnlySetTheActivity) {
    Running();
    ASSERT_EQ(Start(), std::nullopt);
    automation::Objects().Clear();
    modErroHandling::strAction = "something else";
    EXPECT_EQ(Start(), std::nullopt);
    EXPECT_EQ(modOutlookCode::objOutlook, app);
    EXPECT_EQ(modErroHandling::strAction, "Attempting to start MS Outlook 2000 or later");
}

class CallerWindow : public desktop::Window {
  public:
    std::string Caption() override { return "Create Name Days"; }
    void SetFocus() override { ++focused; }
    int focused = 0;
};

TEST_F(Connection, CancelledChooserGivesNoneAndBringsTheCallerBack) {
    app->AddExplorer("Inbox", true);
    Running();
    CallerWindow caller;
    auto folder = modOutlookCode::fncPickFolder(&caller);
    EXPECT_EQ(folder, nullptr);
    EXPECT_EQ(app->pickCalls, 1);
    EXPECT_EQ(desktop.windows->raised,
              (std::vector<std::string>{app->windowCaption, "Create Name Days"}));
    EXPECT_EQ(caller.focused, 1);
}

TEST_F(Connection, ChooserFailuresAreSkipped) {
    Running();  // no window at first: the activation and raising steps fail
    app->pickResult = app->calendar;
    desktop.windows->missingTitles.insert("Create Name Days");
    CallerWindow caller;
    EXPECT_EQ(modOutlookCode::fncPickFolder(&caller), app->calendar);
    EXPECT_EQ(caller.focused, 1);

    app->failPick = true;
    EXPECT_EQ(modOutlookCode::fncPickFolder(nullptr), nullptr);
}

TEST_F(Connection, EndDropsEverythingAndExitsWithStatus) {
    Running();
    ASSERT_EQ(Start(), std::nullopt);
    modOutlookCode::objCalendar = app->calendar;
    EXPECT_EQ(EndStatus([] { modGlobals::subEndProgram(); }), 0);
    EXPECT_EQ(modOutlookCode::objOutlook, nullptr);
    EXPECT_EQ(modOutlookCode::objNameSpace, nullptr);
    EXPECT_EQ(modOutlookCode::objCalendar, nullptr);
}

}  // namespace
