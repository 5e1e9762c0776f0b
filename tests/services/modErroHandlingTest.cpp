#include <gtest/gtest.h>

#include "outlook/modOutlookCode.h"
#include "platform/runtime/Publisher.h"
#include "services/modErroHandling.h"
#include "tests/support/FakeOutlook.h"
#include "tests/support/ProgramTest.h"

namespace {

using fakeoutlook::FakeApplication;
using testsupport::EndStatus;

class ErrorReport : public testsupport::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        automation::Objects().SetRunning(outlook::kApplicationClass, app);
        app->AddExplorer("Inbox", true);
    }
    std::optional<int> Report() {
        return EndStatus(
            [] { modErroHandling::subReportError("Type mismatch", 13, 20, "cApp.FromString"); });
    }

    std::shared_ptr<FakeApplication> app = std::make_shared<FakeApplication>();
};

const char* const kDetails =
    "This error has occured: :\r\n"
    "Splitting the text row x.5\r\n"
    "\r\n"
    "The system error message was: :\r\n"
    "Type mismatch\r\n"
    "#13\r\n"
    "\r\n"
    "Sub routine : cApp.FromString \r\n"
    "Error on line: 20";

TEST_F(ErrorReport, ShowsTheFourteenLinesAndEndsOnNo) {
    modErroHandling::strAction = "Splitting the text row x.5";
    desktop.messages->answers = {desktop::Answer::No};
    EXPECT_EQ(Report(), 1);
    ASSERT_EQ(desktop.messages->shown.size(), 1u);
    const auto& shown = desktop.messages->shown[0];
    EXPECT_EQ(shown.text, "There has been an error in this application. Outlook Velmora\r\n" +
                              std::string(70, '-') + "\r\n\r\n" + kDetails +
                              "\r\n\r\nWould you like to send an email with an error report??");
    EXPECT_EQ(shown.buttons, desktop::Buttons::YesNo);
    EXPECT_EQ(shown.defaultButton, 0);
    EXPECT_EQ(shown.icon, desktop::Icon::None);
    EXPECT_EQ(shown.title, "Outlook Velmora");
    EXPECT_TRUE(app->log->calls.empty());  // No never touches the application
    EXPECT_EQ(modErroHandling::strErrorText, kDetails);
}

TEST_F(ErrorReport, ActivityTextsShapeLineFive) {
    struct Case {
        std::string action;
        std::string lineFive;
    };
    const Case cases[] = {
        {"", "\r\n\r\n\r\nThe system error message was"},
        {"Creating Scripting.FileSystemObject\r\nThis component is normally installed",
         "\r\nCreating Scripting.FileSystemObject\r\nThis component is normally "
         "installed\r\n\r\nThe system"},
    };
    for (const auto& c : cases) {
        modErroHandling::strAction = c.action;
        std::string text = modErroHandling::fncReportText("d", 1, 10, "p");
        EXPECT_NE(text.find("This error has occured: :" + c.lineFive), std::string::npos) << text;
    }
}

TEST_F(ErrorReport, YesStartsTheApplicationAndOpensTheMail) {
    modErroHandling::strAction = "Splitting the text row x.5";
    desktop.messages->answers = {desktop::Answer::Yes};
    ASSERT_EQ(modOutlookCode::objOutlook, nullptr);
    EXPECT_EQ(Report(), 1);
    ASSERT_EQ(app->mails.size(), 1u);
    const auto& mail = *app->mails[0];
    EXPECT_EQ(mail.to, publisher::kSupportMailbox);
    EXPECT_EQ(mail.subject, "Error in Outlook Velmora 2.0.7");
    EXPECT_EQ(mail.body, std::string(kDetails) + "\r\nOutlook Version: 11.0.0.1\r\n");
    EXPECT_TRUE(mail.displayed);
    EXPECT_EQ(desktop.messages->shown.size(), 1u);  // no failure message
}

TEST_F(ErrorReport, FailingMailStepsGiveOneMessageAndStillEnd) {
    struct Case {
        bool failCreate;
        bool failDisplay;
        std::string message;
    };
    const Case cases[] = {
        {true, false, "Failed to send error email using MS Outlook!"},
        // A mail that was made but not shown adds why.
        {false, true, "Failed to send error email using MS Outlook!\r\nThe editor cannot open"},
    };
    for (const Case& c : cases) {
        modGlobals::ResetProgramState();
        desktop.messages->shown.clear();
        app->failCreateItem = c.failCreate;
        app->failDisplay = c.failDisplay;
        desktop.messages->answers = {desktop::Answer::Yes};
        EXPECT_EQ(Report(), 1);
        ASSERT_EQ(desktop.messages->shown.size(), 2u);
        EXPECT_EQ(desktop.messages->shown[1].text, c.message);
        EXPECT_EQ(desktop.messages->shown[1].icon, desktop::Icon::Critical);
    }
}

// The product's store in the application's place, on a desktop without a mail program.
class ErrorMailWithoutAMailProgram : public testsupport::ProgramTest {};

TEST_F(ErrorMailWithoutAMailProgram, SaysSoAndWhereTheDraftIs) {
    desktop.launcher->schemesWithoutHandler.insert("mailto");
    desktop.messages->answers = {desktop::Answer::Yes};
    modErroHandling::strAction = "Splitting the text row x.5";
    auto end = EndStatus(
        [] { modErroHandling::subReportError("Type mismatch", 13, 20, "cApp.FromString"); });
    EXPECT_EQ(end, 1);
    ASSERT_EQ(desktop.messages->shown.size(), 2u);
    const std::string& text = desktop.messages->shown[1].text;
    const std::string lead =
        "Failed to send error email using MS Outlook!\r\nNo mail program could be started. The "
        "mail is kept as a draft in ";
    ASSERT_TRUE(text.starts_with(lead)) << text;
    std::filesystem::path draft = text.substr(lead.size());
    EXPECT_EQ(draft.parent_path(), store / "Drafts" / "cur");
    EXPECT_NE(testsupport::ReadBytes(draft).find("Splitting the text row x.5"), std::string::npos);
    EXPECT_TRUE(desktop.launcher->started.empty());
}

TEST_F(ErrorReport, EndsTheProgramEvenInsideAProcedureThatCatchesFailures) {
    desktop.messages->answers = {desktop::Answer::No};
    bool caught = false;
    auto end = EndStatus([&] {
        try {
            modErroHandling::Step step;
            modErroHandling::Reported("inner", step, [&] {
                step(10, "doing inner work");
                throw rt::Failure(rt::kOverflow);
            });
        } catch (const std::exception&) {
            caught = true;
        }
    });
    EXPECT_EQ(end, 1);
    EXPECT_FALSE(caught);
    EXPECT_NE(desktop.messages->shown.at(0).text.find("Sub routine : inner \r\nError on line: 10"),
              std::string::npos);
}

TEST_F(ErrorReport, LibraryExceptionsArriveWithFittingNumbers) {
    desktop.messages->answers = {desktop::Answer::No};
    auto end = EndStatus([] {
        modErroHandling::Step step;
        modErroHandling::Reported("p", step, [&] {
            step(30);
            std::string().at(4);
        });
    });
    EXPECT_EQ(end, 1);
    EXPECT_NE(desktop.messages->shown.at(0).text.find("#9\r\n"), std::string::npos);
}

}  // namespace
