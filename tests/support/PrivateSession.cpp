#include <gio/gio.h>

#include "tests/support/PrivateSession.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace testsupport {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr const char* kRegistryProgram = "/usr/libexec/evolution-source-registry";
constexpr const char* kCalendarProgram = "/usr/libexec/evolution-calendar-factory";
// A factory that stays up when its last client goes, so that no test depends on how long
// the service waits before it ends itself.
constexpr const char* kKeepRunning = "--keep-running";
constexpr const char* kParentDeath = "/usr/bin/setpriv";
constexpr auto kStartLimit = 10s;
constexpr auto kEndLimit = 3s;

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush())
        throw std::runtime_error("cannot write " + file.string());
}

std::string BusConfig(const fs::path& root, bool onDemand) {
    std::string config =
        "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
        "<busconfig>\n"
        "  <type>session</type>\n"
        "  <listen>unix:path=" +
        (root / "bus").string() +
        "</listen>\n"
        "  <auth>EXTERNAL</auth>\n";
    // Only the services named here can be started by the bus; the system's service folders
    // are never read.
    if (onDemand)
        config += "  <servicedir>" + (root / "services").string() + "</servicedir>\n";
    config +=
        "  <policy context=\"default\">\n"
        "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
        "    <allow eavesdrop=\"true\"/>\n"
        "    <allow own=\"*\"/>\n"
        "  </policy>\n"
        "</busconfig>\n";
    return config;
}

std::string ServiceFile(const std::string& name, const std::string& exec) {
    return "[D-BUS Service]\nName=" + name + "\nExec=" + exec + "\n";
}

GVariant* BusCall(GDBusConnection* connection, const char* method, GVariant* arguments,
                  const char* replyType) {
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        connection, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
        arguments, G_VARIANT_TYPE(replyType), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, &error);
    if (error)
        g_error_free(error);
    return reply;
}

bool HasOwner(GDBusConnection* connection, const std::string& name) {
    GVariant* reply =
        BusCall(connection, "NameHasOwner", g_variant_new("(s)", name.c_str()), "(b)");
    if (!reply)
        return false;
    gboolean owned = FALSE;
    g_variant_get(reply, "(b)", &owned);
    g_variant_unref(reply);
    return owned;
}

pid_t PidOf(GDBusConnection* connection, const std::string& name) {
    GVariant* reply = BusCall(connection, "GetConnectionUnixProcessID",
                              g_variant_new("(s)", name.c_str()), "(u)");
    if (!reply)
        return 0;
    guint32 pid = 0;
    g_variant_get(reply, "(u)", &pid);
    g_variant_unref(reply);
    return static_cast<pid_t>(pid);
}

std::vector<std::string> UniqueNames(GDBusConnection* connection) {
    std::vector<std::string> names;
    GVariant* reply = BusCall(connection, "ListNames", nullptr, "(as)");
    if (!reply)
        return names;
    GVariantIter* iter = nullptr;
    const char* name = nullptr;
    g_variant_get(reply, "(as)", &iter);
    while (g_variant_iter_next(iter, "&s", &name))
        if (name[0] == ':')
            names.push_back(name);
    g_variant_iter_free(iter);
    g_variant_unref(reply);
    return names;
}

// Starts a program with stdin from /dev/null, stdout and stderr into a log file, and no other
// descriptor of ours but, when given, `extra` as descriptor 3.
pid_t Spawn(const std::vector<std::string>& argv, const fs::path& log, int extra = -1) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (extra >= 0)
        posix_spawn_file_actions_adddup2(&actions, extra, 3);
    posix_spawn_file_actions_addclosefrom_np(&actions, extra >= 0 ? 4 : 3);
    // Should the test itself die, its bus and services are told to end too (and the
    // services the bus started end with their bus).
    std::vector<std::string> command{kParentDeath, "--pdeathsig", "TERM", "--"};
    command.insert(command.end(), argv.begin(), argv.end());
    std::vector<char*> args;
    for (const auto& arg : command)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    int failed = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(failed));
    return pid;
}

// Reaps the process when it is our child; other processes are reaped by their parents.
void Reap(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, WNOHANG);
}

bool AllGone(const std::vector<pid_t>& pids) {
    return std::none_of(pids.begin(), pids.end(), [](pid_t pid) {
        Reap(pid);
        return PrivateSession::IsAlive(pid);
    });
}

bool WaitUntilGone(const std::vector<pid_t>& pids, Clock::duration limit) {
    auto deadline = Clock::now() + limit;
    while (!AllGone(pids)) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

std::string ReadLine(int fd, Clock::duration limit) {
    std::string line;
    auto deadline = Clock::now() + limit;
    char c = 0;
    while (Clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        int left = int(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
        if (poll(&ready, 1, std::max(left, 1)) <= 0)
            continue;
        if (read(fd, &c, 1) != 1 || c == '\n')
            break;
        line += c;
    }
    return line;
}

}  // namespace

PrivateSession::PrivateSession(Services services) {
    char pattern[] = "/tmp/namedays-session-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    try {
        MakeFolders(services);
        PointEnvironmentHere();
        if (services == Services::NoBus)
            return;
        StartBus();
        if (services == Services::RegistryOnly || services == Services::Running)
            WaitForName(kRegistryName, StartService(kRegistryProgram, {}, "registry.log"));
        if (services == Services::Running)
            WaitForName(kCalendarName,
                        StartService(kCalendarProgram, {kKeepRunning}, "calendar.log"));
    } catch (...) {
        Stop();
        throw;
    }
}

PrivateSession::~PrivateSession() {
    Stop();
}

void PrivateSession::MakeFolders(Services services) {
    for (const char* folder : {"home/.config", "home/.local/share", "home/.local/state",
                               "home/.cache", "run", "services"})
        fs::create_directories(root_ / folder);
    fs::permissions(root_ / "run", fs::perms::owner_all, fs::perm_options::replace);
    bool onDemand = services == Services::OnDemand;
    WriteText(root_ / "bus.conf", BusConfig(root_, onDemand));
    if (onDemand) {
        WriteText(root_ / "services" / "registry.service",
                  ServiceFile(kRegistryName, kRegistryProgram));
        WriteText(root_ / "services" / "calendar.service",
                  ServiceFile(kCalendarName, std::string(kCalendarProgram) + " " + kKeepRunning));
    }
}

void PrivateSession::PointEnvironmentHere() {
    fs::path home = Home();
    address_ = "unix:path=" + (root_ / "bus").string();
    const std::pair<const char*, std::string> settings[] = {
        {"HOME", home.string()},
        {"XDG_CONFIG_HOME", (home / ".config").string()},
        {"XDG_DATA_HOME", (home / ".local/share").string()},
        {"XDG_STATE_HOME", (home / ".local/state").string()},
        {"XDG_CACHE_HOME", (home / ".cache").string()},
        {"XDG_RUNTIME_DIR", (root_ / "run").string()},
        // Settings stay in memory: neither dconf nor a settings file of the user is touched.
        {"GSETTINGS_BACKEND", "memory"},
        {"GIO_USE_VFS", "local"},
        {"DBUS_SESSION_BUS_ADDRESS", address_},
    };
    for (const auto& [name, value] : settings) {
        const char* old = getenv(name);
        savedEnvironment_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name, value.c_str(), 1);
    }
}

void PrivateSession::StartBus() {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe");
    try {
        busPid_ = Spawn({"/usr/bin/dbus-daemon", "--config-file=" + (root_ / "bus.conf").string(),
                         "--nofork", "--nopidfile", "--print-address=3"},
                        root_ / "bus.log", pipeFds[1]);
    } catch (...) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        throw;
    }
    close(pipeFds[1]);
    address_ = ReadLine(pipeFds[0], kStartLimit);
    close(pipeFds[0]);
    if (address_.empty())
        throw std::runtime_error("the session bus did not start: " + ReadText(root_ / "bus.log"));
    setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);

    // The session asks the bus on a connection of its own. The process's shared connection,
    // which the calendar service's client library uses, keeps GLib's defaults (among them:
    // end the process when the bus goes away), so tests see what the program makes of them.
    GError* error = nullptr;
    auto flags = static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                   G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION);
    connection_ =
        g_dbus_connection_new_for_address_sync(address_.c_str(), flags, nullptr, nullptr, &error);
    if (!connection_) {
        std::string message = error ? error->message : "no connection";
        g_clear_error(&error);
        throw std::runtime_error("cannot connect to the session bus: " + message);
    }
    GDBusConnection* shared = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    bool stale = shared && g_dbus_connection_is_closed(shared);
    if (shared)
        g_object_unref(shared);
    if (stale)
        throw std::runtime_error(
            "something of an earlier session still holds its bus connection: release every "
            "object of the calendar service before the session ends");
}

pid_t PrivateSession::StartService(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   const std::string& log) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    pid_t pid = Spawn(argv, root_ / log);
    started_.push_back(pid);
    return pid;
}

void PrivateSession::WaitForName(const std::string& busName, pid_t starter) {
    auto deadline = Clock::now() + kStartLimit;
    while (!HasOwner(connection_, busName)) {
        Reap(starter);
        if (!IsAlive(starter) || Clock::now() > deadline)
            throw std::runtime_error(busName + " did not come up; see the logs in " +
                                     root_.string());
        std::this_thread::sleep_for(5ms);
    }
}

pid_t PrivateSession::OwnerOf(const std::string& busName) {
    if (!connection_ || g_dbus_connection_is_closed(connection_))
        return 0;
    return PidOf(connection_, busName);
}

void PrivateSession::Kill(const std::string& busName) {
    pid_t pid = OwnerOf(busName);
    if (pid <= 0)
        return;
    kill(pid, SIGKILL);
    WaitUntilGone({pid}, kEndLimit);
    auto deadline = Clock::now() + kEndLimit;
    while (HasOwner(connection_, busName) && Clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
}

std::vector<pid_t> PrivateSession::Processes() {
    std::vector<pid_t> pids = started_;
    if (connection_ && !g_dbus_connection_is_closed(connection_)) {
        for (const auto& name : UniqueNames(connection_)) {
            pid_t pid = PidOf(connection_, name);
            if (pid > 0 && pid != getpid() && pid != busPid_)
                pids.push_back(pid);
        }
    }
    std::sort(pids.begin(), pids.end());
    pids.erase(std::unique(pids.begin(), pids.end()), pids.end());
    return pids;
}

bool PrivateSession::IsAlive(pid_t pid) {
    if (pid <= 0 || kill(pid, 0) != 0)
        return false;
    std::string stat = ReadText("/proc/" + std::to_string(pid) + "/stat");
    size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size())
        return false;
    char state = stat[close + 2];
    return state != 'Z' && state != 'X';
}

void PrivateSession::EndAll(const std::vector<pid_t>& pids) {
    for (pid_t pid : pids)
        kill(pid, SIGTERM);
    if (WaitUntilGone(pids, kEndLimit))
        return;
    for (pid_t pid : pids)
        if (IsAlive(pid))
            kill(pid, SIGKILL);
    WaitUntilGone(pids, kEndLimit);
}

void PrivateSession::Stop() {
    if (stopped_)
        return;
    stopped_ = true;
    // The bus is asked first: it knows the processes it started on demand and those the
    // services started themselves, which would otherwise outlive their parents.
    ended_ = Processes();
    // Clients of this process finish with the services while they still answer.
    ReleaseSharedConnection();
    if (connection_) {
        g_object_unref(connection_);
        connection_ = nullptr;
    }
    EndAll(ended_);
    if (busPid_ > 0) {
        EndAll({busPid_});
        ended_.push_back(busPid_);
    }
    RestoreEnvironment();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

// The client libraries let go of the shared connection partly through callbacks on the main
// context, which no test runs, and partly on threads of their own; until they have, a later
// session in this process would be handed this session's connection again.
void PrivateSession::ReleaseSharedConnection() {
    GDBusConnection* shared = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!shared)
        return;
    gpointer alive = shared;
    g_object_add_weak_pointer(G_OBJECT(shared), &alive);
    g_object_unref(shared);
    auto deadline = Clock::now() + kEndLimit;
    while (alive && Clock::now() < deadline) {
        while (g_main_context_pending(nullptr))
            g_main_context_iteration(nullptr, FALSE);
        if (alive)
            std::this_thread::sleep_for(5ms);
    }
    if (alive)
        g_object_remove_weak_pointer(G_OBJECT(alive), &alive);
}

void PrivateSession::RestoreEnvironment() {
    for (auto it = savedEnvironment_.rbegin(); it != savedEnvironment_.rend(); ++it) {
        if (it->second)
            setenv(it->first.c_str(), it->second->c_str(), 1);
        else
            unsetenv(it->first.c_str());
    }
    savedEnvironment_.clear();
}

}  // namespace testsupport
