#pragma once

#include <memory>
#include <string>

#include "lists/cApp.h"
#include "services/scripting/Dictionary.h"

// The entries of one list file, keyed by their names text, in file order.
class cApps {
  public:
    using EntryMap = scripting::Dictionary<std::shared_ptr<cApp>>;

    cApps();

    std::shared_ptr<EntryMap> Dic;

    // Replaces the entries by those of a list text (lines separated by CR LF).
    void FromString(const std::string& ToParse);
    // Writes the list to FileName (a bare name) in the program folder.
    void SaveToFile(const std::string& FileName);
    // Reads the list file at FilePathName; a missing file gives an empty list. A file without
    // any CR LF is read with LF as its line end.
    void LoadFromFile(const std::string& FilePathName);
};
