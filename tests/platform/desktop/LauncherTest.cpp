#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "platform/desktop/Desktop.h"

namespace {

namespace fs = std::filesystem;

// The desktop's settings in a home of the test's own: the xdg tools the launcher asks read
// nothing of the user's, and the variables are as before when the test ends.
class PrivateDesktop : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "namedays-xdg-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        Set("HOME", root / "home");
        Set("XDG_CONFIG_HOME", root / "home/.config");
        Set("XDG_CONFIG_DIRS", root / "etc/xdg");
        Set("XDG_DATA_HOME", root / "home/.local/share");
        Set("XDG_DATA_DIRS", root / "usr/share");
        Set("XDG_CURRENT_DESKTOP", "X-Generic");
        for (const char* folder : {"home/.config", "etc/xdg", "home/.local/share/applications",
                                   "usr/share/applications"})
            fs::create_directories(root / folder);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    void Set(const std::string& name, const fs::path& value) {
        const char* old = std::getenv(name.c_str());
        saved.emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value.c_str(), 1);
    }

    fs::path root;
    std::map<std::string, std::optional<std::string>> saved;
};

TEST_F(PrivateDesktop, AMailSchemeIsHandledOnlyWhenTheDesktopNamesAProgramForIt) {
    auto launcher = desktop::ProductPlatform().launcher;
    EXPECT_FALSE(launcher->HandlesScheme("mailto"));

    std::ofstream(root / "usr/share/applications/mailer.desktop")
        << "[Desktop Entry]\nType=Application\nName=Mailer\nExec=true %u\n"
           "MimeType=x-scheme-handler/mailto;\n";
    EXPECT_TRUE(launcher->HandlesScheme("mailto"));
    EXPECT_FALSE(launcher->HandlesScheme("x-namedays-none"));
}

}  // namespace
