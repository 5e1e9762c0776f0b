#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Small helpers for UTF-8 text that every layer needs.
namespace rt {

// The line end of every text the program writes.
inline const std::string kCrLf = "\r\n";

// The number of characters (code points) of a UTF-8 text.
size_t CharacterCount(std::string_view text);
// The byte length of the character that starts at `at` (a stray continuation byte counts
// as a character of its own, so a walk always moves on).
size_t CharacterLength(std::string_view text, size_t at);
// The text without its last `count` characters; fails with error 5 when it has fewer.
std::string WithoutLastCharacters(std::string_view text, size_t count);

// CR LF and a lone CR become LF, as iCalendar and mail keep line breaks.
std::string WithLineFeeds(std::string_view text);
// The text without the spaces (not tabs) at its ends.
std::string TrimSpaces(std::string_view text);

}  // namespace rt
