#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

// Objects of the layers above that the program keeps for the whole run. They are only
// named here: holding, handing over and dropping a shared pointer needs no more.
namespace outlook {
class Application;
class NameSpace;
class Folder;
}  // namespace outlook
namespace scripting {
class FileSystemObject;
}  // namespace scripting

namespace rt {

// Everything the program keeps from its start to its end, in one place, so that one reset
// gives a fresh run (the tests start each case with it). The modules keep their own names
// for their parts, as references into this object.
struct ProgramState {
    // What the program is doing right now; the failure report shows it.
    std::string activity;
    // Lines 4 to 12 of the last failure report, and the version line once added.
    std::string errorText;
    // Set once the program is bound to end as a failure, so that the end reports it.
    bool failed = false;

    // The connection to the calendar application and the create run's target.
    std::shared_ptr<outlook::Application> application;
    std::shared_ptr<outlook::NameSpace> nameSpace;
    std::shared_ptr<outlook::Folder> calendar;
    int16_t applicationVersion = 0;  // 0 until read

    // The shared file-system object, and whether the scripting runtime's registration was
    // tried for it and for the dictionaries.
    std::shared_ptr<scripting::FileSystemObject> fileSystem;
    bool fileSystemRegistrationTried = false;
    bool dictionaryRegistrationTried = false;
    // How often the registration ran, and what a test lets it do.
    int registrations = 0;
    std::function<void()> registrationHook;

    // The folders whose stale temporary files this run has removed already.
    std::set<std::filesystem::path> tidiedFolders;

    void Reset() { *this = ProgramState{}; }
};

// The one program state.
inline ProgramState program;

}  // namespace rt
