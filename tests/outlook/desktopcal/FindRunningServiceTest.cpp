#include "outlook/desktopcal/Service.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "outlook/calendar/ItemKinds.h"
#include "outlook/desktopcal/ServiceSource.h"
#include "tests/support/PrivateSession.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::PrivateSession;
using Clock = std::chrono::steady_clock;

// Far above what any answer takes, far below what a hang would.
constexpr auto kHang = 20s;

TEST(FindRunningService, AttachesOnlyWhereTheServiceAnswersWithADefaultCalendar) {
    struct Case {
        const char* what;
        PrivateSession::Services services;
        bool found;
    };
    const Case cases[] = {
        {"service running", PrivateSession::Services::Running, true},
        {"started by the bus on demand", PrivateSession::Services::OnDemand, true},
        {"a bus without the service", PrivateSession::Services::None, false},
        {"a registry but no calendar factory", PrivateSession::Services::RegistryOnly, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PrivateSession session(c.services);
        auto start = Clock::now();
        auto found = desktopcal::FindService(5s);
        EXPECT_LT(Clock::now() - start, kHang);
        EXPECT_EQ(found != nullptr, c.found);
        if (found) {
            auto calendar = found->DefaultFolder(outlook::olFolderCalendar);
            EXPECT_EQ(calendar->ItemType(), outlook::olAppointmentItem);
        }
    }
}

TEST(FindRunningService, WithoutABusGivesNoneAtOnce) {
    PrivateSession session(PrivateSession::Services::NoBus);
    const std::string socketNotThere = session.Address();
    for (const char* address :
         {socketNotThere.c_str(), "", "disabled:", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(address ? address : "unset");
        if (address)
            setenv("DBUS_SESSION_BUS_ADDRESS", address, 1);
        else
            unsetenv("DBUS_SESSION_BUS_ADDRESS");
        auto start = Clock::now();
        EXPECT_EQ(desktopcal::FindService(5s), nullptr);
        EXPECT_LT(Clock::now() - start, kHang);
    }
}

TEST(FindRunningService, AServiceThatHangsIsGivenUpWithinTheLimit) {
    for (const char* name : {PrivateSession::kRegistryName, PrivateSession::kCalendarName}) {
        SCOPED_TRACE(name);
        PrivateSession session(PrivateSession::Services::Running);
        pid_t owner = session.OwnerOf(name);
        ASSERT_GT(owner, 0);
        kill(owner, SIGSTOP);
        auto start = Clock::now();
        auto found = desktopcal::FindService(300ms);
        auto took = Clock::now() - start;
        kill(owner, SIGCONT);
        EXPECT_EQ(found, nullptr);
        EXPECT_LT(took, kHang);
    }
}

}  // namespace
