#include "grid/owc/CellText.h"

#include <charconv>

#include "platform/runtime/Convert.h"
#include "platform/runtime/Text.h"

namespace owc {

std::string CellText(const rt::Variant& value) {
    if (value.IsNull())
        return "";
    return rt::TextOf(value);
}

rt::Variant ParseInput(const std::string& text) {
    std::string trimmed = rt::TrimSpaces(text);
    if (trimmed.empty())
        return rt::Variant();
    if (rt::IsNumeric(trimmed)) {
        std::string_view digits = trimmed;
        if (digits.front() == '+')
            digits.remove_prefix(1);
        double number = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size())
            return number;
    }
    return text;
}

}  // namespace owc
