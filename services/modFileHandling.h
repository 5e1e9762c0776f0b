#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/runtime/ProgramState.h"
#include "platform/runtime/Variant.h"

namespace scripting {
class FileSystemObject;
class Folder;
}  // namespace scripting

namespace modFileHandling {

// The shared file-system object, made on first use and dropped at the end of the program.
inline std::shared_ptr<scripting::FileSystemObject>& objFS = rt::program.fileSystem;

void subSetupFS();
// Starts the scripting runtime's registration without waiting. Nothing needs registering
// on this platform, so it only counts the calls and runs the hook a test may set (to make a
// missing component appear, say).
void subRegisterScrrun();
int RegistrationCount();
void SetRegistrationHook(std::function<void()> hook);
std::string fncGetTempPath();
std::string fncGetLongPath(std::shared_ptr<scripting::Folder>& objFolder);
// Writes the text whole or not at all; returns the full path (also left in strFileName).
std::string fncSaveTextFile(std::string& strFileName, const std::string& strText, bool blnTemp);
// The whole content, or "" when the file does not exist.
std::string fncReadTextFile(const std::string& strFileName);
// The folder's path ending in "/".
std::string WithSeparator(std::string folder);

}  // namespace modFileHandling
