#pragma once

#include <cstdint>

// The object model's numbers for kinds of folder and item, which calendar sources speak too.
namespace outlook {

// Kinds of default folder; contacts, notes and tasks only a calendar service holds.
inline constexpr int32_t olFolderInbox = 6;
inline constexpr int32_t olFolderCalendar = 9;
inline constexpr int32_t olFolderContacts = 10;
inline constexpr int32_t olFolderNotes = 12;
inline constexpr int32_t olFolderTasks = 13;
inline constexpr int32_t olFolderDrafts = 16;
// Item kinds.
inline constexpr int32_t olMailItem = 0;
inline constexpr int32_t olAppointmentItem = 1;
inline constexpr int32_t olContactItem = 2;
inline constexpr int32_t olTaskItem = 3;
inline constexpr int32_t olNoteItem = 5;

}  // namespace outlook
