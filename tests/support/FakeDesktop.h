#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/Desktop.h"

// Test doubles for the desktop services: they record what the program asked for and answer
// as the test says, without opening a dialog, starting a program or ending the process.
namespace desktop::testing {

class ScriptedMessages : public MessageBoxes {
  public:
    std::vector<Message> shown;
    std::deque<Answer> answers;  // answers for Yes/No boxes, in order
    Answer unscriptedAnswer = Answer::No;
    std::function<void(const Message&)> onShow;  // runs while the "dialog" is up

    Answer Show(const Message& message) override;
};

class RecordingWindows : public Windows {
  public:
    std::vector<std::string> raised;
    std::set<std::string> missingTitles;  // raising these fails
    int eventRounds = 0;
    std::function<void()> onProcessEvents;  // what the user does while events are handled

    void BringToFront(const std::string& title) override;
    void ProcessEvents() override;
    bool busy = false;
    std::vector<bool> busyChanges;
    void SetBusyCursor(bool value) override {
        busy = value;
        busyChanges.push_back(value);
    }
};

class RecordingLauncher : public Launcher {
  public:
    std::vector<std::pair<std::string, std::vector<std::string>>> started;
    std::vector<std::string> opened;
    bool failing = false;
    std::set<std::string> schemesWithoutHandler;  // "mailto": no mail program is set up

    void Start(const std::string& program, const std::vector<std::string>& arguments) override;
    void Open(const std::string& target) override;
    bool HandlesScheme(const std::string& scheme) override {
        return !schemesWithoutHandler.contains(scheme);
    }
};

class FixedClock : public Clock {
  public:
    std::chrono::system_clock::time_point now;
    explicit FixedClock(int year = 2005, unsigned month = 6, unsigned day = 15);
    std::chrono::system_clock::time_point Now() override { return now; }
};

// A fresh program folder, temporary folder and store root below the system's temporary
// directory, removed again when the double goes.
class TempPaths : public Paths {
  public:
    TempPaths();
    ~TempPaths() override;
    std::filesystem::path root;
    std::filesystem::path program;
    std::filesystem::path temp;
    std::filesystem::path store;  // not created: the store makes itself on first use
    std::filesystem::path ProgramFolder() override { return program; }
    std::filesystem::path TempFolder() override { return temp; }
    std::filesystem::path StoreRoot() override { return store; }
};

// The same number every time, as a test sets it.
class FixedRandom : public Random {
  public:
    double value = 0;
    double Next() override { return value; }
};

// The node of that id in a chooser's tree, or none.
const FolderNode* FindNode(const std::vector<FolderNode>& tree, const std::string& id);

// Answers the folder chooser as a test says, as the dialog would let a user: only a folder
// of the tree that can be chosen comes back. Records each question.
class ScriptedChooser : public FolderChooser {
  public:
    std::optional<std::filesystem::path> answer;  // nullopt: the user cancels
    // When set, the user presses "New calendar..." with `selected` selected, gives this name
    // and takes what was made; a refusal is recorded and the answer taken instead.
    std::optional<std::string> newName;
    std::string selected;
    std::vector<std::string> titles;
    std::vector<std::vector<FolderNode>> trees;  // every tree shown, before and after making
    std::vector<std::string> proposedNames;      // empty where "New calendar..." was not offered
    std::vector<std::string> refusals;

    std::optional<std::string> Choose(const FolderRequest& request) override;
};

// Throws rt::ProgramEnd instead of ending the process.
class ThrowingExit : public ProcessExit {
  public:
    std::vector<int> statuses;
    [[noreturn]] void Exit(int status) override;
};

struct FakeDesktop {
    FakeDesktop();
    std::shared_ptr<ScriptedMessages> messages;
    std::shared_ptr<RecordingWindows> windows;
    std::shared_ptr<RecordingLauncher> launcher;
    std::shared_ptr<FixedClock> clock;
    std::shared_ptr<TempPaths> paths;
    std::shared_ptr<ThrowingExit> exit;
    std::shared_ptr<FixedRandom> random;
    std::shared_ptr<ScriptedChooser> chooser;
    // Puts every double in place of the desktop's services, replacing whatever an earlier
    // test installed.
    void Install();
};

}  // namespace desktop::testing
