#pragma once

#include <filesystem>
#include <string>

#include "platform/desktop/Desktop.h"

// The local calendar and mail store: a folder tree on disk in open formats. A folder with
// cur/, new/ and tmp/ is a mail folder (Maildir); any other is a calendar folder (a vdir:
// one iCalendar file per appointment).
namespace pimstore {

inline constexpr const char* kStoreName = "Velmora store";

// Where the desktop's paths put the store: $VELMORA_STORE, else
// ${XDG_DATA_HOME:-$HOME/.local/share}/velmora/store.
std::filesystem::path DefaultRoot();

// Creates the root with Inbox and Drafts (Maildir) and Calendar (vdir) when missing.
void EnsureStore(const std::filesystem::path& root);

bool IsMailFolder(const std::filesystem::path& folder);

// True when path lies at or below root; both must exist.
bool IsWithin(const std::filesystem::path& root, const std::filesystem::path& path);

// The store's folder tree as the chooser shows it: one node for the store, not choosable,
// with every folder below it. Ids are full paths, the store's own being its root.
desktop::FolderNode FolderTree(const std::filesystem::path& root);

// Makes a calendar folder of that name beside the chooser's selection: inside the folder
// `nearId` names (a full path, as FolderTree gives), at the top when none is named or it is a
// mail folder, whose calendars would be hidden among its mail. Fails (5) for a name that does
// not make exactly one visible folder, (58) when the folder exists. Returns its path.
std::filesystem::path NewCalendarFolder(const std::filesystem::path& root, const std::string& name,
                                        const std::string& nearId);

}  // namespace pimstore
