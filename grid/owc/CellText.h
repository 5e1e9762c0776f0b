#pragma once

#include <string>

#include "platform/runtime/Variant.h"

namespace owc {

// A cell value as the sheet shows it; empty text for empty and null cells.
std::string CellText(const rt::Variant& value);
// What typed text becomes: empty for blanks, a number when it reads as one, else the text.
rt::Variant ParseInput(const std::string& text);

}  // namespace owc
