#include "outlook/pimstore/StoreFolders.h"

#include <algorithm>
#include <vector>

#include "platform/runtime/Failure.h"

namespace pimstore {

namespace fs = std::filesystem;

namespace {

void MakeMailFolder(const fs::path& folder) {
    for (const char* part : {"cur", "new", "tmp"})
        fs::create_directories(folder / part);
}

// Subfolders that the user sees: hidden ones and a mail folder's own cur, new and tmp are not.
std::vector<fs::path> VisibleSubFolders(const fs::path& folder) {
    std::vector<fs::path> folders;
    std::error_code error;
    bool mail = IsMailFolder(folder);
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        if (!entry.is_directory() || name.starts_with("."))
            continue;
        if (mail && (name == "cur" || name == "new" || name == "tmp"))
            continue;
        folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

std::vector<desktop::FolderNode> FolderNodes(const fs::path& folder) {
    std::vector<desktop::FolderNode> nodes;
    for (const fs::path& sub : VisibleSubFolders(folder))
        nodes.push_back(desktop::FolderNode{sub.filename().string(), sub.string(), true,
                                            IsMailFolder(sub), FolderNodes(sub)});
    return nodes;
}

// A name that makes exactly one visible folder.
void CheckFolderName(const std::string& name) {
    bool blank = name.find_first_not_of(" \t") == std::string::npos;
    if (blank || name.find('/') != std::string::npos || name.starts_with("."))
        throw rt::Failure(rt::kInvalidCall, "\"" + name + "\" cannot be the name of a folder");
}

}  // namespace

fs::path DefaultRoot() {
    return desktop::Services().paths->StoreRoot();
}

void EnsureStore(const fs::path& root) {
    fs::create_directories(root / "Calendar");
    for (const char* mail : {"Inbox", "Drafts"})
        if (!IsMailFolder(root / mail))
            MakeMailFolder(root / mail);
}

bool IsMailFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "cur", error) && fs::is_directory(folder / "new", error) &&
           fs::is_directory(folder / "tmp", error);
}

bool IsWithin(const fs::path& root, const fs::path& path) {
    fs::path base = fs::canonical(root), target = fs::canonical(path);
    auto mismatch = std::mismatch(base.begin(), base.end(), target.begin(), target.end());
    return mismatch.first == base.end();
}

desktop::FolderNode FolderTree(const fs::path& root) {
    return desktop::FolderNode{kStoreName, root.string(), false, false, FolderNodes(root)};
}

fs::path NewCalendarFolder(const fs::path& root, const std::string& name,
                           const std::string& nearId) {
    CheckFolderName(name);
    std::error_code error;
    fs::path parent = nearId.empty() ? root : fs::path(nearId);
    if (!fs::is_directory(parent, error) || !IsWithin(root, parent) || IsMailFolder(parent))
        parent = root;
    fs::path folder = parent / name;
    if (fs::exists(folder, error))
        throw rt::Failure(rt::kFileAlreadyExists,
                          "A folder named \"" + name + "\" already exists in " + parent.string());
    if (!fs::create_directory(folder, error))
        throw rt::Failure(rt::kPathFileAccess,
                          "Cannot make the folder " + folder.string() + ": " + error.message());
    return folder;
}

}  // namespace pimstore
