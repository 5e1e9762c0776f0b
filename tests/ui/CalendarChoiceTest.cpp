#include <gtest/gtest.h>

#include <QRadioButton>

#include "outlook/modOutlookCode.h"
#include "platform/runtime/Date.h"
#include "tests/support/FakeOutlook.h"
#include "tests/ui/WindowFixture.h"

// The target calendar: a picked folder that is no calendar, and one that is.

namespace {

using windowtest::WindowTest;

class CalendarChoiceTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        app = std::make_shared<fakeoutlook::FakeApplication>();
        app->AddExplorer("Inbox", true);
        for (const char* name : outlook::kApplicationProgIds)
            automation::Objects().RegisterProgId(name, [this] { return app; });
        automation::Objects().RegisterClass(outlook::kApplicationClass, [this] { return app; });
        WriteList("Names", {"1.2\tAnna\t", "2.3\tBert\t"});
    }
    std::shared_ptr<fakeoutlook::FakeApplication> app;
};

TEST_F(CalendarChoiceTest, APickThatIsNoCalendarFallsBackToMyCalendarSilently) {
    auto mail = std::make_shared<fakeoutlook::FakeFolder>(app->log, "Mail", 0);
    struct Case {
        const char* name;
        std::shared_ptr<outlook::Folder> picked;
    };
    for (const Case& c : {Case{"cancelled", nullptr}, Case{"mail folder", mail}}) {
        SCOPED_TRACE(c.name);
        app->pickResult = c.picked;
        LoadOrFail();
        int picksBefore = app->pickCalls;
        EXPECT_FALSE(Click(window->optChooseCalendar));
        EXPECT_EQ(app->pickCalls, picksBefore + 1);
        EXPECT_TRUE(window->optMyCalendar->isChecked());
        EXPECT_FALSE(window->optChooseCalendar->isChecked());
        EXPECT_EQ(modOutlookCode::objCalendar, app->calendar);
        EXPECT_TRUE(desktop.messages->shown.empty());
        EXPECT_EQ(desktop.windows->raised.back(), "Create Name Days");
    }
    EXPECT_EQ(Click(window->OKButton), 0);
    EXPECT_EQ(app->calendar->saved.size(), 2u);
    EXPECT_TRUE(mail->saved.empty());
}

TEST_F(CalendarChoiceTest, APickedCalendarReceivesTheAppointments) {
    auto birthdays = std::make_shared<fakeoutlook::FakeFolder>(app->log, "Birthdays", 1);
    app->pickResult = birthdays;
    LoadOrFail();
    EXPECT_FALSE(Click(window->optChooseCalendar));
    EXPECT_TRUE(window->optChooseCalendar->isChecked());
    EXPECT_EQ(Click(window->OKButton), 0);
    EXPECT_EQ(birthdays->saved.size(), 2u);
    EXPECT_TRUE(app->calendar->saved.empty());
    EXPECT_EQ(rt::ToYearMonthDay(birthdays->saved[0].start).year(), std::chrono::year{2005});
}

}  // namespace
