#include "platform/runtime/Convert.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "platform/runtime/Failure.h"

namespace rt {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number in its parts, read exactly so that rounding never suffers from binary
// fractions.
struct DecimalText {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

std::optional<DecimalText> ReadDecimal(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    DecimalText number;
    if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
        number.negative = text[begin] == '-';
        ++begin;
    }
    size_t digits = begin;
    while (digits < end && IsDigit(text[digits]))
        ++digits;
    number.whole = text.substr(begin, digits - begin);
    if (digits < end && text[digits] == '.') {
        size_t fractionEnd = digits + 1;
        while (fractionEnd < end && IsDigit(text[fractionEnd]))
            ++fractionEnd;
        number.fraction = text.substr(digits + 1, fractionEnd - digits - 1);
        digits = fractionEnd;
    }
    if (digits != end || (number.whole.empty() && number.fraction.empty()))
        return std::nullopt;
    return number;
}

// Rounds the decimal half to even; nullopt when it lies beyond [min, max].
std::optional<int64_t> RoundDecimal(const DecimalText& number, int64_t min, int64_t max) {
    int64_t magnitude = 0;
    for (char c : number.whole) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > max + 1)
            return std::nullopt;
    }
    int comparedToHalf = -1;  // the fraction against one half: -1 below, 0 equal, 1 above
    if (!number.fraction.empty()) {
        if (number.fraction[0] > '5') {
            comparedToHalf = 1;
        } else if (number.fraction[0] == '5') {
            comparedToHalf =
                number.fraction.find_first_not_of('0', 1) == std::string_view::npos ? 0 : 1;
        }
    }
    if (comparedToHalf > 0 || (comparedToHalf == 0 && magnitude % 2 == 1))
        ++magnitude;
    int64_t value = number.negative ? -magnitude : magnitude;
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

int64_t ConvertText(std::string_view text, int64_t min, int64_t max) {
    auto number = ReadDecimal(text);
    if (!number)
        throw Failure(kTypeMismatch);
    auto value = RoundDecimal(*number, min, max);
    if (!value)
        throw Failure(kOverflow);
    return *value;
}

int64_t RoundDouble(double value, int64_t min, int64_t max) {
    if (std::isnan(value))
        throw Failure(kOverflow);
    double rounded = std::nearbyint(value);  // the default rounding mode is half to even
    if (rounded < double(min) || rounded > double(max))
        throw Failure(kOverflow);
    return static_cast<int64_t>(rounded);
}

int64_t ConvertValue(const Variant& value, int64_t min, int64_t max) {
    switch (value.Type()) {
        case VarType::Empty:
            return 0;
        case VarType::Null:
            throw Failure(kInvalidUseOfNull);
        case VarType::String:
            return ConvertText(value.AsString(), min, max);
        case VarType::Currency: {
            // Four decimals: round half to even on the exact scaled amount.
            int64_t scaled = value.AsCurrency().scaled;
            int64_t whole = scaled / 10000, rest = scaled % 10000;
            if (rest > 5000 || (rest == 5000 && whole % 2 != 0))
                ++whole;
            if (rest < -5000 || (rest == -5000 && whole % 2 != 0))
                --whole;
            if (whole < min || whole > max)
                throw Failure(kOverflow);
            return whole;
        }
        default:
            return RoundDouble(value.AsDouble(), min, max);
    }
}

}  // namespace

int16_t ToInteger(std::string_view text) {
    return static_cast<int16_t>(ConvertText(text, INT16_MIN, INT16_MAX));
}
int16_t ToInteger(const Variant& value) {
    return static_cast<int16_t>(ConvertValue(value, INT16_MIN, INT16_MAX));
}
int32_t ToLong(std::string_view text) {
    return static_cast<int32_t>(ConvertText(text, INT32_MIN, INT32_MAX));
}
int32_t ToLong(const Variant& value) {
    return static_cast<int32_t>(ConvertValue(value, INT32_MIN, INT32_MAX));
}
int16_t RoundToInteger(double value) {
    return static_cast<int16_t>(RoundDouble(value, INT16_MIN, INT16_MAX));
}
int32_t RoundToLong(double value) {
    return static_cast<int32_t>(RoundDouble(value, INT32_MIN, INT32_MAX));
}

bool IsNumeric(std::string_view text) {
    return ReadDecimal(text).has_value();
}

bool IsNumeric(const Variant& value) {
    switch (value.Type()) {
        case VarType::Null:
        case VarType::Date:
            return false;
        case VarType::String:
            return IsNumeric(std::string_view(value.AsString()));
        default:
            return true;
    }
}

std::string NumberText(int64_t value) {
    return std::to_string(value);
}

namespace {

std::string DoubleText(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (text == "-0")
        text = "0";
    return text;
}

std::string CurrencyText(Currency amount) {
    std::string text = NumberText(amount.scaled / 10000);
    int64_t rest = amount.scaled % 10000;
    if (rest == 0)
        return text;
    if (amount.scaled < 0 && amount.scaled / 10000 == 0)
        text = "-0";
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04lld", static_cast<long long>(rest < 0 ? -rest : rest));
    std::string fraction = buffer;
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return text + "." + fraction;
}

}  // namespace

std::string TextOf(const Variant& value) {
    switch (value.Type()) {
        case VarType::Empty:
            return "";
        case VarType::Null:
            throw Failure(kInvalidUseOfNull);
        case VarType::Boolean:
            return value.AsBoolean() ? "True" : "False";
        case VarType::Integer:
            return NumberText(value.AsInteger());
        case VarType::Long:
            return NumberText(value.AsLong());
        case VarType::Double:
            return DoubleText(value.AsDouble());
        case VarType::Currency:
            return CurrencyText(value.AsCurrency());
        case VarType::Date:
            return DateText(value.AsDate());
        case VarType::String:
            return value.AsString();
    }
    return "";
}

}  // namespace rt
