#include "platform/runtime/TextEncoding.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <memory>
#include <optional>

namespace textencoding {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct ConverterClose {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterClose>;

// ICU's own stop callback lets an unmappable character through without a word when it is
// default-ignorable (zero-width space and joiners, U+FEFF): the text would lose it. Leaving the
// error as it stands stops at every character the code page lacks.
void StopAtAnyUnmappable(const void*, UConverterFromUnicodeArgs*, const UChar*, int32_t, UChar32,
                         UConverterCallbackReason, UErrorCode*) {}

// ICU's Windows-1252 gives the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) the C1 control of the same number, so every byte survives a read and a write.
// Any character it cannot map stops the conversion rather than becoming a substitute.
Converter OpenCp1252() {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open("windows-1252", &status));
    if (U_FAILURE(status))
        return nullptr;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    ucnv_setFromUCallBack(converter.get(), StopAtAnyUnmappable, nullptr, nullptr, nullptr, &status);
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

std::optional<std::u16string> Utf16Of(std::string_view utf8) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(nullptr, 0, &length, utf8.data(), int32_t(utf8.size()), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status))
        return std::nullopt;
    std::u16string text(size_t(length), u'\0');
    status = U_ZERO_ERROR;
    u_strFromUTF8(text.data(), length, nullptr, utf8.data(), int32_t(utf8.size()), &status);
    return U_SUCCESS(status) ? std::optional(text) : std::nullopt;
}

std::string Utf8Of(const std::u16string& text) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strToUTF8(nullptr, 0, &length, text.data(), int32_t(text.size()), &status);
    std::string utf8(size_t(length), '\0');
    status = U_ZERO_ERROR;
    u_strToUTF8(utf8.data(), length, nullptr, text.data(), int32_t(text.size()), &status);
    return U_SUCCESS(status) ? utf8 : std::string();
}

std::optional<std::string> ToCp1252(std::string_view utf8) {
    auto text = Utf16Of(utf8);
    Converter converter = OpenCp1252();
    if (!text || !converter)
        return std::nullopt;
    std::string bytes(text->size(), '\0');  // one byte per UTF-16 unit is always enough
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = ucnv_fromUChars(converter.get(), bytes.data(), int32_t(bytes.size()),
                                     text->data(), int32_t(text->size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    bytes.resize(size_t(length));
    return bytes;
}

std::string FromCp1252(std::string_view bytes) {
    Converter converter = OpenCp1252();
    if (!converter)
        return std::string(bytes);
    std::u16string text(bytes.size(), u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = ucnv_toUChars(converter.get(), text.data(), int32_t(text.size()), bytes.data(),
                                   int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return std::string(bytes);
    text.resize(size_t(length));
    return Utf8Of(text);
}

bool IsValidUtf8(std::string_view text) {
    return Utf16Of(text).has_value();
}

bool HasNonAscii(std::string_view bytes) {
    for (char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return true;
    return false;
}

}  // namespace

bool IsUtf8WithNonAscii(std::string_view bytes) {
    return HasNonAscii(bytes) && IsValidUtf8(bytes);
}

std::string DecodeFile(std::string_view bytes) {
    if (!IsUtf8WithNonAscii(bytes))
        return FromCp1252(bytes);
    // An editor's byte-order mark would otherwise stick to the first field of the first line.
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    return std::string(bytes);
}

std::string EncodeFile(std::string_view text) {
    auto bytes = ToCp1252(text);
    // One-byte text that would read back as UTF-8 (Ã¥ gives the bytes of å) is written as
    // UTF-8 itself, so that the reading rule gives back the very same text.
    if (!bytes || IsUtf8WithNonAscii(*bytes))
        return std::string(text);
    return *bytes;
}

}  // namespace textencoding
