#pragma once

#include <memory>
#include <string>

#include "lists/cApps.h"
#include "services/modScriptingDic.h"
#include "services/scripting/Dictionary.h"

// The list files of the program folder, each loaded, in the order of their list names.
class cAppFiles {
  public:
    using ListMap = scripting::Dictionary<std::shared_ptr<cApps>>;

    cAppFiles();

    std::shared_ptr<ListMap> Dic;  // list name (file name without ".txt") to its list

    // Replaces Dic by the lists found in the program folder now.
    void CheckFiles();
};
