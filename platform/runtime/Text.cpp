#include "platform/runtime/Text.h"

#include "platform/runtime/Failure.h"

namespace rt {

namespace {

bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (char byte : text)
        if (!IsContinuation(byte))
            ++count;
    return count;
}

size_t CharacterLength(std::string_view text, size_t at) {
    size_t length = 1;
    while (at + length < text.size() && IsContinuation(text[at + length]))
        ++length;
    return length;
}

std::string WithoutLastCharacters(std::string_view text, size_t count) {
    size_t end = text.size();
    for (size_t dropped = 0; dropped < count; ++dropped) {
        if (end == 0)
            throw Failure(kInvalidCall);
        do {
            --end;
        } while (end > 0 && IsContinuation(text[end]));
    }
    return std::string(text.substr(0, end));
}

std::string WithLineFeeds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return out;
}

std::string TrimSpaces(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return "";
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace rt
