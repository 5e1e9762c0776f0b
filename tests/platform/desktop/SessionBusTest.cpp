#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/desktop/Desktop.h"

namespace {

namespace fs = std::filesystem;

// Sets or clears an environment variable for the life of the object.
class Variable {
  public:
    Variable(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        Set(value);
    }
    ~Variable() { Set(old_); }

  private:
    void Set(const std::optional<std::string>& value) {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

// Without a session bus the program says there is none, so that no D-Bus client launches
// one; a bus the desktop names is left as it is.
TEST(SessionBus, ABusIsRefusedOnlyWhereThereIsNone) {
    fs::path runtime = fs::temp_directory_path() / "namedays-no-bus-here";
    fs::create_directories(runtime);
    struct Case {
        std::optional<std::string> address;
        bool named;
        const char* after;
    };
    const Case cases[] = {
        {std::nullopt, false, "disabled:"},
        {"", false, "disabled:"},
        {"disabled:", false, "disabled:"},
        {"unix:path=/run/user/1000/bus", true, "unix:path=/run/user/1000/bus"},
    };
    Variable runtimeDir("XDG_RUNTIME_DIR", runtime.string());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.value_or("unset"));
        Variable address("DBUS_SESSION_BUS_ADDRESS", c.address);
        EXPECT_EQ(desktop::SessionBusNamed(), c.named);
        desktop::RefuseBusLaunch();
        EXPECT_EQ(std::string(std::getenv("DBUS_SESSION_BUS_ADDRESS")), c.after);
        EXPECT_EQ(desktop::SessionBusNamed(), c.named);
    }
    fs::remove_all(runtime);
}

}  // namespace
