#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/runtime/Variant.h"

namespace rt {

// The one numeric conversion of the program. A text is a number when it reads as: blanks,
// an optional sign, digits with an optional fraction after a ".", blanks (at least one
// digit; no exponent, no thousands separators). Fractions round to the nearest whole
// number, halves to the even neighbour. Out of range fails with Overflow (6), anything that
// is not a number with Type mismatch (13).
int16_t ToInteger(std::string_view text);
int16_t ToInteger(const Variant& value);
inline int16_t ToInteger(const std::string& text) {
    return ToInteger(std::string_view(text));
}
inline int16_t ToInteger(const char* text) {
    return ToInteger(std::string_view(text));
}
int32_t ToLong(std::string_view text);
int32_t ToLong(const Variant& value);
inline int32_t ToLong(const std::string& text) {
    return ToLong(std::string_view(text));
}

// True when ToInteger would read the text as a number, whatever its size.
bool IsNumeric(std::string_view text);
inline bool IsNumeric(const std::string& text) {
    return IsNumeric(std::string_view(text));
}
inline bool IsNumeric(const char* text) {
    return IsNumeric(std::string_view(text));
}
// Empty, Boolean and numbers are numeric; texts as above; Null and dates are not.
bool IsNumeric(const Variant& value);

// Rounds half to even; fails with Overflow outside the target range.
int16_t RoundToInteger(double value);
int32_t RoundToLong(double value);

// The decimal text of a whole number: a minus sign when negative, no blanks, no zeros ahead.
std::string NumberText(int64_t value);

// A value as text: numbers in their shortest decimal form, "True"/"False", dates as
// YYYY-MM-DD, Empty as "". Null fails with Invalid use of Null (94).
std::string TextOf(const Variant& value);

}  // namespace rt
