#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/automation/Registry.h"

// The desktop shell as the program uses it: folders, their items and verbs, and running a
// command. Verbs and commands go through the desktop services: "Print" hands the file to the
// print spooler (lp), the default verb to the desktop's handler; nothing waits for them.
namespace scripting {

class ShellItem : public automation::Object {
  public:
    explicit ShellItem(std::filesystem::path path) : path_(std::move(path)) {}
    void InvokeVerb();  // the default action
    void InvokeVerb(const std::string& verb);

  private:
    std::filesystem::path path_;
};

class ShellItems : public automation::Object {
  public:
    explicit ShellItems(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::shared_ptr<ShellItem> Item(const std::string& name);  // none when there is no such file

  private:
    std::filesystem::path folder_;
};

class ShellFolder : public automation::Object {
  public:
    explicit ShellFolder(std::filesystem::path path) : path_(std::move(path)) {}
    std::shared_ptr<ShellItems> Items() { return std::make_shared<ShellItems>(path_); }

  private:
    std::filesystem::path path_;
};

class ShellApplication : public automation::Object {
  public:
    std::shared_ptr<ShellFolder> NameSpace(const std::string& folder);  // none when missing
};

class WshShell : public automation::Object {
  public:
    // A web address or an existing file opens with the desktop's handler; anything else is
    // a program and its arguments (blanks separate, double quotes group), started directly,
    // never through a shell. Nothing waits for it.
    void Run(const std::string& command);
};

}  // namespace scripting
