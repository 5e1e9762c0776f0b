#include "grid/owc/Address.h"

#include <cctype>

#include "platform/runtime/Failure.h"

namespace owc {

namespace {

// One side of an address: a column, a row, or both. Zero means "not given".
struct Part {
    int32_t column = 0;
    int32_t row = 0;
};

[[noreturn]] void BadAddress() {
    throw rt::Failure(rt::kInvalidCall);
}

Part ParsePart(std::string_view text) {
    Part part;
    size_t i = 0;
    if (i < text.size() && text[i] == '$')
        ++i;
    size_t letters = i;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) {
        part.column =
            part.column * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
        if (part.column > kMaxColumns)
            BadAddress();
        ++i;
    }
    bool hasColumn = i > letters;
    if (i < text.size() && text[i] == '$') {
        if (!hasColumn)
            BadAddress();
        ++i;
    }
    size_t digits = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        part.row = part.row * 10 + (text[i] - '0');
        if (part.row > kMaxRows)
            BadAddress();
        ++i;
    }
    bool hasRow = i > digits;
    if (i != text.size() || (!hasColumn && !hasRow))
        BadAddress();
    if (hasRow && part.row == 0)
        BadAddress();
    return part;
}

bool IsCell(const Part& p) {
    return p.column > 0 && p.row > 0;
}
bool IsColumn(const Part& p) {
    return p.column > 0 && p.row == 0;
}
bool IsRow(const Part& p) {
    return p.column == 0 && p.row > 0;
}

Area Normalized(int32_t top, int32_t left, int32_t bottom, int32_t right) {
    if (top > bottom)
        std::swap(top, bottom);
    if (left > right)
        std::swap(left, right);
    return Area{top, left, bottom, right};
}

}  // namespace

Area ParseAddress(std::string_view address) {
    while (!address.empty() && address.front() == ' ')
        address.remove_prefix(1);
    while (!address.empty() && address.back() == ' ')
        address.remove_suffix(1);
    if (address.empty())
        BadAddress();
    size_t colon = address.find(':');
    if (colon == std::string_view::npos) {
        Part cell = ParsePart(address);
        if (!IsCell(cell))
            BadAddress();
        return Area{cell.row, cell.column, cell.row, cell.column};
    }
    Part first = ParsePart(address.substr(0, colon));
    Part second = ParsePart(address.substr(colon + 1));
    if (IsCell(first) && IsCell(second))
        return Normalized(first.row, first.column, second.row, second.column);
    if (IsColumn(first) && IsColumn(second))
        return Normalized(1, first.column, kMaxRows, second.column);
    if (IsRow(first) && IsRow(second))
        return Normalized(first.row, 1, second.row, kMaxColumns);
    BadAddress();
}

std::string ColumnLetters(int32_t column) {
    std::string letters;
    while (column > 0) {
        int32_t digit = (column - 1) % 26;
        letters.insert(letters.begin(), char('A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

std::string AbsoluteAddress(const Area& area) {
    auto cell = [](int32_t row, int32_t column) {
        return "$" + ColumnLetters(column) + "$" + std::to_string(row);
    };
    std::string text = cell(area.top, area.left);
    if (area.Rows() == 1 && area.Columns() == 1)
        return text;
    return text + ":" + cell(area.bottom, area.right);
}

}  // namespace owc
