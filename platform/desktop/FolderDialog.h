#pragma once

#include <memory>

#include "platform/desktop/Desktop.h"

namespace desktop {

// The modal Qt dialog that shows a folder tree and answers with the folder picked.
std::shared_ptr<FolderChooser> MakeFolderDialog();

}  // namespace desktop
