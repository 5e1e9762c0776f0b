#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/Components.h"
#include "outlook/CalendarApplication.h"
#include "outlook/modGlobals.h"
#include "outlook/modOutlookCode.h"
#include "outlook/pimstore/StoreSource.h"
#include "tests/support/PrivateSession.h"
#include "tests/support/ProgramTest.h"

namespace {

using testsupport::PrivateSession;
using Services = PrivateSession::Services;

// Sets or clears VELMORA_STORE for the life of the object.
class StoreVariable {
  public:
    explicit StoreVariable(const std::optional<std::string>& value) {
        if (const char* old = std::getenv(kName))
            old_ = old;
        if (value)
            setenv(kName, value->c_str(), 1);
        else
            unsetenv(kName);
    }
    ~StoreVariable() {
        if (old_)
            setenv(kName, old_->c_str(), 1);
        else
            unsetenv(kName);
    }

  private:
    static constexpr const char* kName = "VELMORA_STORE";
    std::optional<std::string> old_;
};

class ConnectionChoice : public testsupport::ProgramTest {
  protected:
    // The program's start as main wires it, up to the default calendar.
    std::string StartAndTarget() {
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
        components::RegisterProductComponents(automation::Objects());
        components::RegisterDesktopCalendar(
            automation::Objects(),
            std::filesystem::path(NAMEDAYS_PROGRAM_DIR) / components::kDesktopCalendarModule);
        int32_t inbox = outlook::olFolderInbox;
        modOutlookCode::subStartOutlook(inbox);
        auto calendar = rt::Need(modOutlookCode::objOutlook)
                            .GetNamespace("MAPI")
                            ->GetDefaultFolder(outlook::olFolderCalendar);
        return calendar->Title();
    }
};

TEST_F(ConnectionChoice, TheDesktopsServiceWhenItAnswersElseTheStore) {
    struct Case {
        const char* what;
        Services services;
        bool storeNamed;
        const char* target;
    };
    const Case cases[] = {
        {"the store named, the service running", Services::Running, true,
         "Calendar (Velmora store)"},
        {"the service running", Services::Running, false, "Personal (On This Computer)"},
        {"the service started by the bus on demand", Services::OnDemand, false,
         "Personal (On This Computer)"},
        {"a bus without the service", Services::None, false, "Calendar (Velmora store)"},
        {"no bus", Services::NoBus, false, "Calendar (Velmora store)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PrivateSession session(c.services);
        StoreVariable variable(c.storeNamed ? std::optional<std::string>(store.string())
                                            : std::nullopt);
        EXPECT_EQ(StartAndTarget(), c.target);
        auto app = modOutlookCode::objOutlook;
        auto* calendars = dynamic_cast<outlook::CalendarApplication*>(app.get());
        ASSERT_NE(calendars, nullptr);
        // The store is always there, for mail at least; the service stands before it.
        const auto& sources = calendars->CalendarSources();
        auto* stored = dynamic_cast<pimstore::StoreSource*>(sources.back().get());
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->Root(), store);
        bool attached = std::string(c.target) == "Personal (On This Computer)";
        EXPECT_EQ(sources.size(), attached ? 2u : 1u);
        EXPECT_TRUE(desktop.messages->shown.empty());
        EXPECT_EQ(app->Explorers()->Count(), 1);  // a window, as the connection opens one
        // Everything lets go of the service before its session ends; the registry keeps the
        // running instance it found.
        app.reset();
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
    }
}

}  // namespace
