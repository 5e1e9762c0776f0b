#include "ui/frmCreateNames.h"

#include <QRadioButton>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>

#include "tests/support/ProgramTest.h"

namespace {

namespace fs = std::filesystem;
using testsupport::EndStatus;

// The window on the local store names the calendar the appointments go to in the tooltip of
// the option in force, and leaves the captions as they are.
class TargetCalendar : public testsupport::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        std::ofstream(desktop.paths->program / "Names.txt", std::ios::binary) << "1.2\tAnna\t\r\n";
        fs::create_directories(store / "Calendar" / "Family");
        window = std::make_unique<frmCreateNames>();
        ASSERT_FALSE(EndStatus([&] { window->Form_Load(); }));
    }
    void TearDown() override {
        window.reset();
        ProgramTest::TearDown();
    }
    // The tooltips of My calendar and Choose calendar.
    std::pair<std::string, std::string> Tips() const {
        return {window->optMyCalendar->toolTip().toStdString(),
                window->optChooseCalendar->toolTip().toStdString()};
    }
    void Choose(const std::optional<fs::path>& answer) {
        chooser->answer = answer;
        ASSERT_FALSE(EndStatus([&] { window->optChooseCalendar->click(); }));
    }

    std::unique_ptr<frmCreateNames> window;
};

TEST_F(TargetCalendar, TheOptionInForceNamesTheCalendar) {
    using Tips = std::pair<std::string, std::string>;
    const std::string inStore = "Appointments go to Calendar (Velmora store)";
    EXPECT_EQ(this->Tips(), (Tips{inStore, ""}));

    Choose(store / "Calendar" / "Family");
    EXPECT_TRUE(window->optChooseCalendar->isChecked());
    EXPECT_EQ(this->Tips(), (Tips{"", "Appointments go to Family (Velmora store)"}));

    Choose(std::nullopt);  // cancelled: back to My calendar
    EXPECT_TRUE(window->optMyCalendar->isChecked());
    EXPECT_EQ(this->Tips(), (Tips{inStore, ""}));

    EXPECT_EQ(window->optMyCalendar->text(), "My calendar");
    EXPECT_EQ(window->optChooseCalendar->text(), "Choose calendar ...");
}

}  // namespace
