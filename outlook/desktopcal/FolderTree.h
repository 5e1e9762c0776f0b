#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/Desktop.h"

// The folder chooser's tree when the desktop's calendar service holds the calendars: the
// service's calendars under their accounts and collections, then the local store's folders.
// A node's id is the calendar's UID, or for the store and its folders their full path.
namespace desktopcal {

class Service;

inline constexpr const char* kReadOnlyReason = "read-only";
inline constexpr const char* kMailFolderReason = "mail folder";

// True for the id of the store or one of its folders.
bool IsStoreId(const std::string& id);

class DesktopCatalog {
  public:
    DesktopCatalog(std::shared_ptr<Service> service, std::filesystem::path storeRoot);
    // The calendars in the desktop's order and colours; read-only calendars, and those that
    // do not open, are shown but cannot be chosen. Then the store's node with its folders;
    // its mail folders cannot be chosen.
    std::vector<desktop::FolderNode> Tree();
    // Makes a calendar and returns its id: a folder of the store when `nearId` is the store
    // or one of its folders, otherwise a calendar of the service on this computer.
    std::string NewCalendar(const std::string& name, const std::string& nearId);
    // What the chooser is asked: this tree, and the making of a new calendar.
    desktop::FolderRequest Request(const std::string& title);

  private:
    std::shared_ptr<Service> service_;
    std::filesystem::path storeRoot_;
};

}  // namespace desktopcal
