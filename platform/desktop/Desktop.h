#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace desktop {

enum class Buttons { OK, YesNo };
enum class Icon { None, Critical, Information };
enum class Answer { OK, Yes, No };

struct Message {
    std::string text;
    std::string title;
    Buttons buttons = Buttons::OK;
    Icon icon = Icon::None;
    int defaultButton = 0;  // 0 the first button, 1 the second
};

// Modal message boxes.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual Answer Show(const Message& message) = 0;
};

// The program's own top-level windows.
class Windows {
  public:
    virtual ~Windows() = default;
    // Raises the window with that exact title; fails (error 5) when there is none.
    virtual void BringToFront(const std::string& title) = 0;
    // Handles the events that are waiting, once, and returns.
    virtual void ProcessEvents() = 0;
    // The hourglass pointer over the whole program while the program is busy.
    virtual void SetBusyCursor(bool busy) = 0;
};

// Starting outside programs, never waiting for them and never through a shell.
class Launcher {
  public:
    virtual ~Launcher() = default;
    // Fails (error 53) when the program cannot be started.
    virtual void Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // The desktop's handler for a web address or a file.
    virtual void Open(const std::string& target) = 0;
    // Whether the desktop names a program for addresses of that scheme ("mailto"). A program
    // like xdg-email starts fine without one and only then gives up, unseen. Desktops that
    // cannot tell answer yes.
    virtual bool HandlesScheme(const std::string& /*scheme*/) { return true; }
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point Now() = 0;
};

class Paths {
  public:
    virtual ~Paths() = default;
    virtual std::filesystem::path ProgramFolder() = 0;  // where the program and its lists lie
    virtual std::filesystem::path TempFolder() = 0;
    // The root of the local calendar and mail store: $VELMORA_STORE if set, else
    // ${XDG_DATA_HOME:-$HOME/.local/share}/velmora/store.
    virtual std::filesystem::path StoreRoot() = 0;
};

// The program's pseudo-random sequence: numbers in [0, 1), never seeded by the program.
class Random {
  public:
    virtual ~Random() = default;
    virtual double Next() = 0;
};

// One folder of a tree the user picks from, with the folders inside it.
struct FolderNode {
    std::string name;
    std::string id;  // what the chooser answers when this folder is picked
    bool choosable = true;
    bool mail = false;  // shown with a mail folder's icon rather than a calendar's
    std::vector<FolderNode> children;
    std::string color = {};   // "#rrggbb": the calendar's own colour, shown beside its name
    std::string reason = {};  // why a folder cannot be chosen ("read-only"), shown with it
};

// What "New calendar..." made: the new folder's id and the tree that now holds it.
struct NewFolder {
    std::string id;
    std::vector<FolderNode> tree;
};

// What the chooser shows and, when `create` is set, the calendar it offers to make: with the
// name the user gives (`newName` proposed) beside the folder selected (its id, empty when
// none). `create` fails with an rt::Failure whose text the chooser shows.
struct FolderRequest {
    std::vector<FolderNode> tree;
    std::string title;
    std::string newName = {};
    std::function<NewFolder(const std::string& name, const std::string& nearId)> create = {};
};

// Asks the user for one folder of a tree; nullopt on cancel. Only a choosable folder is
// ever the answer.
class FolderChooser {
  public:
    virtual ~FolderChooser() = default;
    virtual std::optional<std::string> Choose(const FolderRequest& request) = 0;
};

// Ends the process at once, without returning.
class ProcessExit {
  public:
    virtual ~ProcessExit() = default;
    [[noreturn]] virtual void Exit(int status) = 0;
};

// A window of the program as other modules see it: its title and the keyboard focus.
class Window {
  public:
    virtual ~Window() = default;
    virtual std::string Caption() = 0;
    virtual void SetFocus() = 0;
};

struct Platform {
    std::shared_ptr<MessageBoxes> messages;
    std::shared_ptr<Windows> windows;
    std::shared_ptr<Launcher> launcher;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<Paths> paths;
    std::shared_ptr<ProcessExit> exit;
    std::shared_ptr<Random> random;
    std::shared_ptr<FolderChooser> chooser;
};

// The services in force; the product installs its own at start, tests install doubles.
Platform& Services();
void Install(Platform platform);

// The product's services on Qt and the operating system.
Platform ProductPlatform();
// The folder of the running program's file, links followed; empty when the system does not
// say. Needs no Qt, so the program can ask before its application object exists.
std::filesystem::path ExecutableFolder();
// True when VELMORA_STORE names the store's root.
bool StoreNamedByEnvironment();
// The store's root as the environment names it (see Paths::StoreRoot); fails with error 76
// when neither VELMORA_STORE nor HOME is set.
std::filesystem::path StoreRootFromEnvironment();
// True when the environment names a session bus, or the usual one of the user's session
// is there. Without one, a D-Bus client would try to launch a bus of its own, which is not
// ours to start and can take long.
bool SessionBusNamed();
// Where there is no session bus, tells the D-Bus clients of this process and of the
// programs it starts (the one Qt loads among them) that there is none, so that none of them
// launches a bus of its own (dbus-launch --autolaunch).
void RefuseBusLaunch();

}  // namespace desktop
