#include "services/TextEncoding.h"

#include <unicode/utf8.h>

#include <array>
#include <optional>

namespace textencoding {

namespace {

// Windows-1252's bytes 0x80 to 0x9F; the five bytes it leaves undefined keep the C1 control
// of the same number, so that any byte survives a read and a write unchanged.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t FromCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c) {
    char buffer[4];
    int32_t length = 0;
    UBool error = false;
    U8_APPEND(buffer, length, 4, c, error);
    if (!error)
        out.append(buffer, length);
}

// Calls visit(code point) for each character; false when the bytes are not valid UTF-8.
template <class Visit>
bool EachCodePoint(std::string_view text, Visit&& visit) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    int32_t length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0)
            return false;
        visit(static_cast<char32_t>(c));
    }
    return true;
}

}  // namespace

bool IsUtf8WithNonAscii(std::string_view bytes) {
    bool nonAscii = false;
    bool valid = EachCodePoint(bytes, [&](char32_t c) { nonAscii |= c >= 0x80; });
    return valid && nonAscii;
}

std::string DecodeFile(std::string_view bytes) {
    if (IsUtf8WithNonAscii(bytes))
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        AppendUtf8(text, FromCp1252(static_cast<unsigned char>(byte)));
    return text;
}

std::string EncodeFile(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    bool allFit = true;
    bool valid = EachCodePoint(text, [&](char32_t c) {
        auto byte = ToCp1252(c);
        allFit &= byte.has_value();
        if (byte)
            bytes += static_cast<char>(*byte);
    });
    // A character beyond Windows-1252 (or text that is not UTF-8) is written as it is.
    if (!valid || !allFit)
        return std::string(text);
    return bytes;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (char byte : text)
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80)
            ++count;
    return count;
}

}  // namespace textencoding
