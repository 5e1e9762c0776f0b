#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "outlook/ObjectModel.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/ProgramState.h"

namespace modOutlookCode {

// The connection shared by the whole run.
inline std::shared_ptr<outlook::Application>& objOutlook = rt::program.application;
inline std::shared_ptr<outlook::NameSpace>& objNameSpace = rt::program.nameSpace;
inline std::shared_ptr<outlook::Folder>& objCalendar = rt::program.calendar;  // the target

// Attaches to or starts the calendar application; ends the program when there is none of
// version 9 or later. On return objOutlook is set.
void subStartOutlook(int32_t& lngFolderType);
// The application's major version, read once per run.
int16_t fncOutlookVersion();
// Cuts the text down to what stands before its first "." and converts that.
int16_t fncMajorVersion(std::string& strVersion);
// The folder the user picks from the application's chooser, or none.
std::shared_ptr<outlook::Folder> fncPickFolder(desktop::Window* frmCaller);
void subReleaseOutlook();

}  // namespace modOutlookCode
