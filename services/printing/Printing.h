#pragma once

#include <string>

#include "platform/runtime/Variant.h"

// Printing a file and running a verb of the desktop's shell on it. Only the grid's printing
// reaches them, which the window never does, so they stand apart from the program.
namespace modFileHandling {

void subPrintFile(const std::string& strFileName);
void subInvokeVerb(const rt::Variant& varFolder, const rt::Variant& varFile,
                   const std::string& strVerb);

}  // namespace modFileHandling
