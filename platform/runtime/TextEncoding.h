#pragma once

#include <string>
#include <string_view>

#include "platform/runtime/Text.h"

// How text files are kept on disk. Reading: UTF-8 when the bytes are valid UTF-8 and hold a
// non-ASCII character, otherwise Windows-1252. Writing: Windows-1252 when every character
// fits (and the bytes would not read back as UTF-8), otherwise UTF-8 without a byte-order
// mark. Files in the classic one-byte form stay byte for byte the same, no character is ever
// lost, and a text written reads back as the same text. The conversions go through ICU.
namespace textencoding {

std::string DecodeFile(std::string_view bytes);  // to UTF-8
std::string EncodeFile(std::string_view text);   // from UTF-8

bool IsUtf8WithNonAscii(std::string_view bytes);

// Files count characters as all text does.
using rt::CharacterCount;

}  // namespace textencoding
