#include "tests/support/FakeDesktop.h"

#include <unistd.h>
#include <atomic>

#include "platform/runtime/Failure.h"

namespace desktop::testing {

Answer ScriptedMessages::Show(const Message& message) {
    shown.push_back(message);
    if (onShow)
        onShow(message);
    if (message.buttons == Buttons::OK)
        return Answer::OK;
    if (answers.empty())
        return unscriptedAnswer;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingWindows::BringToFront(const std::string& title) {
    if (missingTitles.contains(title))
        throw rt::Failure(rt::kInvalidCall, "No window titled \"" + title + "\"");
    raised.push_back(title);
}

void RecordingWindows::ProcessEvents() {
    ++eventRounds;
    if (onProcessEvents)
        onProcessEvents();
}

void RecordingLauncher::Start(const std::string& program,
                              const std::vector<std::string>& arguments) {
    if (failing)
        throw rt::Failure(rt::kFileNotFound, "Cannot start " + program);
    started.emplace_back(program, arguments);
}

void RecordingLauncher::Open(const std::string& target) {
    if (failing)
        throw rt::Failure(rt::kFileNotFound, "No program opens " + target);
    opened.push_back(target);
}

FixedClock::FixedClock(int year, unsigned month, unsigned day) {
    using namespace std::chrono;
    now = sys_days{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}} +
          hours{12};
}

TempPaths::TempPaths() {
    static std::atomic<int> counter{0};
    root = std::filesystem::temp_directory_path() /
           ("namedays-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(root);
    program = root / "program";
    temp = root / "temp";
    store = root / "store";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(temp);
}

TempPaths::~TempPaths() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

const FolderNode* FindNode(const std::vector<FolderNode>& tree, const std::string& id) {
    for (const FolderNode& node : tree) {
        if (node.id == id)
            return &node;
        if (const FolderNode* found = FindNode(node.children, id))
            return found;
    }
    return nullptr;
}

std::optional<std::string> ScriptedChooser::Choose(const FolderRequest& request) {
    titles.push_back(request.title);
    trees.push_back(request.tree);
    proposedNames.push_back(request.create ? request.newName : "");
    std::optional<std::string> choice;
    if (answer)
        choice = answer->string();
    if (newName && request.create) {
        try {
            NewFolder made = request.create(*newName, selected);
            trees.push_back(made.tree);
            choice = made.id;
        } catch (const rt::Failure& failure) {
            refusals.push_back(failure.Description());
        }
    }
    const FolderNode* node = choice ? FindNode(trees.back(), *choice) : nullptr;
    if (!node || !node->choosable)
        return std::nullopt;
    return choice;
}

void ThrowingExit::Exit(int status) {
    statuses.push_back(status);
    throw rt::ProgramEnd{status};
}

FakeDesktop::FakeDesktop()
    : messages(std::make_shared<ScriptedMessages>()),
      windows(std::make_shared<RecordingWindows>()),
      launcher(std::make_shared<RecordingLauncher>()),
      clock(std::make_shared<FixedClock>()),
      paths(std::make_shared<TempPaths>()),
      exit(std::make_shared<ThrowingExit>()),
      random(std::make_shared<FixedRandom>()),
      chooser(std::make_shared<ScriptedChooser>()) {}

void FakeDesktop::Install() {
    desktop::Install(Platform{messages, windows, launcher, clock, paths, exit, random, chooser});
}

}  // namespace desktop::testing
