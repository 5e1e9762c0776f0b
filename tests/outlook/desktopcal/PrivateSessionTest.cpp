#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/PrivateSession.h"

namespace {

namespace fs = std::filesystem;
using testsupport::PrivateSession;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "<unset>";
}

// Where a process's descriptor points.
std::string Target(pid_t pid, int fd) {
    std::error_code error;
    return fs::read_symlink("/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd), error)
        .string();
}

TEST(PrivateSession, EndsEveryProcessItStartedOrFoundOnItsBus) {
    for (auto services : {PrivateSession::Services::Running, PrivateSession::Services::OnDemand}) {
        SCOPED_TRACE(services == PrivateSession::Services::Running ? "running" : "on demand");
        std::vector<pid_t> seen;
        {
            PrivateSession session(services);
            // On demand, asking for the owner of a name is not enough to start it; a call is.
            if (services == PrivateSession::Services::OnDemand) {
                ASSERT_EQ(std::system("dbus-send --session --print-reply --dest="
                                      "org.gnome.evolution.dataserver.Sources5 / "
                                      "org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1"),
                          0);
            }
            pid_t registry = session.OwnerOf(PrivateSession::kRegistryName);
            ASSERT_GT(registry, 0);
            seen = session.Processes();
            EXPECT_NE(std::find(seen.begin(), seen.end(), registry), seen.end());
            EXPECT_EQ(std::find(seen.begin(), seen.end(), getpid()), seen.end());
            seen.push_back(session.BusPid());
            for (pid_t pid : seen) {
                EXPECT_TRUE(PrivateSession::IsAlive(pid)) << pid;
                EXPECT_EQ(Target(pid, 0), "/dev/null") << pid;
                EXPECT_TRUE(Target(pid, 1).starts_with(session.Root().string())) << pid;
                EXPECT_TRUE(Target(pid, 2).starts_with(session.Root().string())) << pid;
            }
            session.Stop();
            std::vector<pid_t> ended = session.Ended();
            for (pid_t pid : seen)
                EXPECT_NE(std::find(ended.begin(), ended.end(), pid), ended.end()) << pid;
            EXPECT_FALSE(fs::exists(session.Root()));
        }
        for (pid_t pid : seen)
            EXPECT_FALSE(PrivateSession::IsAlive(pid)) << pid;
    }
}

TEST(PrivateSession, PointsTheEnvironmentAtItselfAndPutsItBack) {
    setenv("HOME", "/home/someone", 1);
    unsetenv("XDG_CONFIG_HOME");
    {
        PrivateSession session(PrivateSession::Services::None);
        EXPECT_EQ(Env("HOME"), session.Home().string());
        EXPECT_EQ(Env("XDG_CONFIG_HOME"), (session.Home() / ".config").string());
        EXPECT_EQ(Env("GSETTINGS_BACKEND"), "memory");
        EXPECT_EQ(Env("DBUS_SESSION_BUS_ADDRESS"), session.Address());
        EXPECT_TRUE(session.Address().find(session.Root().string()) != std::string::npos);
        EXPECT_EQ(session.OwnerOf(PrivateSession::kRegistryName), 0);
    }
    EXPECT_EQ(Env("HOME"), "/home/someone");
    EXPECT_EQ(Env("XDG_CONFIG_HOME"), "<unset>");
}

TEST(PrivateSession, KillEndsTheOwnerOfANameAtOnce) {
    PrivateSession session;
    pid_t factory = session.OwnerOf(PrivateSession::kCalendarName);
    ASSERT_GT(factory, 0);
    session.Kill(PrivateSession::kCalendarName);
    EXPECT_FALSE(PrivateSession::IsAlive(factory));
    EXPECT_EQ(session.OwnerOf(PrivateSession::kCalendarName), 0);
    EXPECT_GT(session.OwnerOf(PrivateSession::kRegistryName), 0);
}

}  // namespace
