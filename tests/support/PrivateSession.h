#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

typedef struct _GDBusConnection GDBusConnection;

namespace testsupport {

// A desktop session of the test's own: a session bus that loads no system service files, a
// temporary HOME with its XDG folders, and, unless asked otherwise, the desktop calendar
// service on that bus. While it lives, this process's environment points at it, so nothing
// of a real user's session is read or written.
//
// Stop() (or the destructor) ends every process the session started and every other process
// connected to its bus, by PID, then the bus, then removes the folders. The services write
// to log files in the session's folder and inherit no descriptor of the test, so nothing
// they leave could hold the test's output open.
class PrivateSession {
  public:
    enum class Services {
        NoBus,         // the folders only: the bus address names a socket that is not there
        None,          // a bare bus: nothing answers for the calendar service
        RegistryOnly,  // the source registry without the calendar factory
        Running,       // registry and calendar factory started by the session
        OnDemand,      // both left for the bus to start when first asked for
    };

    static constexpr const char* kRegistryName = "org.gnome.evolution.dataserver.Sources5";
    static constexpr const char* kCalendarName = "org.gnome.evolution.dataserver.Calendar8";

    explicit PrivateSession(Services services = Services::Running);
    ~PrivateSession();
    PrivateSession(const PrivateSession&) = delete;
    PrivateSession& operator=(const PrivateSession&) = delete;

    void Stop();

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path Home() const { return root_ / "home"; }
    const std::string& Address() const { return address_; }
    pid_t BusPid() const { return busPid_; }

    // The process that owns a bus name, or 0 when nobody does.
    pid_t OwnerOf(const std::string& busName);
    // Ends the owner of the name at once and waits until it and its name are gone.
    void Kill(const std::string& busName);
    // The processes Stop ends before the bus: those the session started and every other
    // process on the bus except this one.
    std::vector<pid_t> Processes();
    // What the last Stop ended, the bus included.
    const std::vector<pid_t>& Ended() const { return ended_; }

    // Running and not a zombie.
    static bool IsAlive(pid_t pid);

  private:
    void MakeFolders(Services services);
    void PointEnvironmentHere();
    void StartBus();
    pid_t StartService(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& log);
    void WaitForName(const std::string& busName, pid_t starter);
    void EndAll(const std::vector<pid_t>& pids);
    void ReleaseSharedConnection();
    void RestoreEnvironment();

    std::filesystem::path root_;
    std::string address_;
    pid_t busPid_ = 0;
    std::vector<pid_t> started_;
    std::vector<pid_t> ended_;
    GDBusConnection* connection_ = nullptr;  // the session's own, not the process's shared one
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment_;
    bool stopped_ = false;
};

}  // namespace testsupport
