#include "services/modAssistant.h"

#include <gtest/gtest.h>

#include "outlook/modGlobals.h"
#include "services/modErroHandling.h"
#include "tests/support/FakeOutlook.h"
#include "tests/support/ProgramTest.h"

namespace {

class RecordingAssistant : public outlook::Assistant {
  public:
    bool visible = false;
    bool failAlert = false;
    std::vector<std::string> alerts;
    int32_t buttons = -9, icon = -9, defaultButton = -9, cancel = -9;
    bool systemAlert = true;

    bool Visible() override { return visible; }
    void SetVisible(bool value) override { visible = value; }
    int32_t DoAlert(const std::string& title, const std::string& text, int32_t b, int32_t i,
                    int32_t d, int32_t c, bool s) override {
        if (failAlert)
            throw rt::Failure(rt::kInvalidCall, "The assistant is busy");
        alerts.push_back(title + "|" + text);
        buttons = b, icon = i, defaultButton = d, cancel = c, systemAlert = s;
        return 1;
    }
};

class ShowMessageTest : public testsupport::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        app = std::make_shared<fakeoutlook::FakeApplication>();
        app->AddExplorer("Inbox", true);
    }
    void Show(std::shared_ptr<outlook::Application> target) {
        std::string text = "Name Days sucessfully created!";
        auto status = testsupport::EndStatus([&] { modAssistant::subShowMessage(target, text); });
        EXPECT_FALSE(status) << "showing a message never ends the program";
    }
    void ExpectBox() {
        ASSERT_EQ(desktop.messages->shown.size(), 1u);
        const auto& box = desktop.messages->shown[0];
        EXPECT_EQ(box.title, "Outlook Velmora");
        EXPECT_EQ(box.text, "Name Days sucessfully created!");
        EXPECT_EQ(box.icon, desktop::Icon::Information);
        EXPECT_EQ(box.buttons, desktop::Buttons::OK);
    }
    std::shared_ptr<fakeoutlook::FakeApplication> app;
};

TEST_F(ShowMessageTest, AssistantShowsTheMessageAsAnInformationAlert) {
    auto assistant = std::make_shared<RecordingAssistant>();
    app->assistant = assistant;
    Show(app);
    EXPECT_TRUE(assistant->visible);
    ASSERT_EQ(assistant->alerts.size(), 1u);
    EXPECT_EQ(assistant->alerts[0], "Outlook Velmora|Name Days sucessfully created!");
    EXPECT_EQ(assistant->buttons, 0);
    EXPECT_EQ(assistant->icon, 4);
    EXPECT_EQ(assistant->defaultButton, 0);
    EXPECT_EQ(assistant->cancel, -1);
    EXPECT_FALSE(assistant->systemAlert);
    EXPECT_TRUE(desktop.messages->shown.empty());
    EXPECT_EQ(desktop.windows->raised, std::vector<std::string>{app->windowCaption});
}

TEST_F(ShowMessageTest, FallsBackToAMessageBoxWhenTheAssistantCannotBeUsed) {
    struct Case {
        const char* name;
        bool noApplication;
        bool withAssistant;
        bool failAlert;
        bool windowMissing;
    };
    const Case cases[] = {
        {"no application", true, false, false, false},
        {"no assistant", false, false, false, false},
        {"alert fails", false, true, true, false},
        {"application window cannot be raised", false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.messages->shown.clear();
        modErroHandling::strAction = "before";
        auto assistant = std::make_shared<RecordingAssistant>();
        assistant->failAlert = c.failAlert;
        app->assistant = c.withAssistant ? assistant : nullptr;
        if (c.windowMissing)
            desktop.windows->missingTitles.insert(app->windowCaption);
        Show(c.noApplication ? nullptr : app);
        ExpectBox();
        EXPECT_FALSE(modGlobals::blnFailed);
    }
}

}  // namespace
