#include "grid/owc/Worksheet.h"

#include <algorithm>
#include <cctype>
#include <numeric>

#include "grid/owc/CellText.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Text.h"

namespace owc {

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The range counted by "=Counta(range)", or rows 0 when the formula is another one.
Area CountedArea(const std::string& formula) {
    std::string text = Lower(formula);
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    const std::string head = "=counta(";
    if (!text.starts_with(head) || !text.ends_with(")"))
        return Area{0, 0, 0, 0};
    try {
        return ParseAddress(text.substr(head.size(), text.size() - head.size() - 1));
    } catch (const rt::Failure&) {
        return Area{0, 0, 0, 0};
    }
}

bool Cleared(const rt::Variant& value) {
    return value.IsEmpty() || value.IsNull() || (value.IsString() && value.AsString().empty());
}

// Sort order of a key: numbers, texts, Booleans, then empty cells.
int Rank(const rt::Variant& value) {
    if (value.IsEmpty() || value.IsNull())
        return 3;
    if (value.Type() == rt::VarType::Boolean)
        return 2;
    if (value.IsString())
        return 1;
    return 0;
}

bool KeyLess(const rt::Variant& a, const rt::Variant& b) {
    int ra = Rank(a), rb = Rank(b);
    if (ra != rb)
        return ra < rb;
    if (ra == 0)
        return a.AsDouble() < b.AsDouble();
    if (ra == 1)
        return Lower(a.AsString()) < Lower(b.AsString());
    if (ra == 2)
        return !a.AsBoolean() && b.AsBoolean();
    return false;
}

// Without a view the sheet knows no fonts: a character of a 10-point font counts as one
// digit, bold text as a tenth wider.
class CharacterEstimate : public ColumnMeasure {
  public:
    double TextWidth(const std::string& text, const Style& style) const override {
        double width = double(rt::CharacterCount(text)) * style.fontSize / 10;
        return (style.bold ? width * 1.1 : width) + 1;
    }
    double FitLimit(int32_t) const override { return kMaxColumnWidth; }
};

const CharacterEstimate kCharacterEstimate;

}  // namespace

Worksheet::Worksheet()
    : rows_(kMaxRows),
      styleIndex_(size_t(kMaxRows) * kMaxColumns, 0),
      measure_(&kCharacterEstimate) {
    styles_.push_back(Style{});
    widths_.fill(kDefaultColumnWidth);
}

void Worksheet::CheckCell(int32_t row, int32_t column) {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throw rt::Failure(rt::kInvalidCall, "The cell lies outside the sheet.");
}

void Worksheet::CheckArea(const Area& area) {
    CheckCell(area.top, area.left);
    CheckCell(area.bottom, area.right);
    if (area.top > area.bottom || area.left > area.right)
        throw rt::Failure(rt::kInvalidCall, "The block of cells is empty.");
}

owc::Range Worksheet::Range(std::string_view address) {
    return owc::Range(shared_from_this(), ParseAddress(address));
}

owc::Range Worksheet::Cells(int32_t row, int32_t column) {
    return owc::Range(shared_from_this(), Area{1, 1, kMaxRows, kMaxColumns}).Cells(row, column);
}

owc::Range Worksheet::Columns() {
    return owc::Range(shared_from_this(), Area{1, 1, kMaxRows, kMaxColumns},
                      owc::Range::Counting::Columns);
}

owc::Range Worksheet::Rows() {
    return owc::Range(shared_from_this(), Area{1, 1, kMaxRows, kMaxColumns},
                      owc::Range::Counting::Rows);
}

owc::Range Worksheet::UsedRange() {
    Area used = UsedArea();
    if (used.top == 0)
        used = Area{};
    return owc::Range(shared_from_this(), used);
}

Area Worksheet::UsedArea() const {
    Area used{0, 0, 0, 0};
    for (int32_t r = 1; r <= kMaxRows; ++r) {
        if (!rows_[r - 1])
            continue;
        for (int32_t c = 1; c <= kMaxColumns; ++c) {
            if (!HasContent(r, c))
                continue;
            if (used.top == 0)
                used = Area{r, c, r, c};
            used.top = std::min(used.top, r);
            used.bottom = std::max(used.bottom, r);
            used.left = std::min(used.left, c);
            used.right = std::max(used.right, c);
        }
    }
    return used;
}

void Worksheet::Calculate() {
    TakePendingInput();
    for (auto& [key, formula] : countFormulas_)
        formula.dirty = true;
}

Worksheet::Content* Worksheet::ContentAt(int32_t row, int32_t column) {
    auto& cells = rows_[row - 1];
    return cells ? &(*cells)[column - 1] : nullptr;
}

const Worksheet::Content* Worksheet::ContentAt(int32_t row, int32_t column) const {
    const auto& cells = rows_[row - 1];
    return cells ? &(*cells)[column - 1] : nullptr;
}

Worksheet::Content& Worksheet::MakeContent(int32_t row, int32_t column) {
    auto& cells = rows_[row - 1];
    if (!cells)
        cells = std::make_unique<RowContent>();
    return (*cells)[column - 1];
}

rt::Variant Worksheet::ValueAt(int32_t row, int32_t column) const {
    CheckCell(row, column);
    const Content* content = ContentAt(row, column);
    if (!content)
        return rt::Variant();
    auto counting = countFormulas_.find(Key(row, column));
    if (counting == countFormulas_.end())
        return content->value;
    CountFormula& formula = counting->second;
    if (formula.dirty) {
        // The count is kept, so an unchanged range is not counted again.
        formula.count = CountNonEmpty(formula.counted);
        formula.dirty = false;
    }
    return formula.count;
}

std::string Worksheet::FormulaAt(int32_t row, int32_t column) const {
    CheckCell(row, column);
    const Content* content = ContentAt(row, column);
    if (!content)
        return "";
    if (!content->formula.empty())
        return content->formula;
    return CellText(content->value);
}

bool Worksheet::HasContent(int32_t row, int32_t column) const {
    CheckCell(row, column);
    const Content* content = ContentAt(row, column);
    return content && (!content->value.IsEmpty() || !content->formula.empty());
}

double Worksheet::CountNonEmpty(const Area& area) const {
    int32_t count = 0;
    for (int32_t r = area.top; r <= area.bottom; ++r) {
        if (!rows_[r - 1])
            continue;
        for (int32_t c = area.left; c <= area.right; ++c)
            count += HasContent(r, c) ? 1 : 0;
    }
    return count;
}

const Style& Worksheet::StyleAt(int32_t row, int32_t column) const {
    CheckCell(row, column);
    return styles_[styleIndex_[size_t(row - 1) * kMaxColumns + (column - 1)]];
}

bool Worksheet::UserMayEdit(int32_t row, int32_t column) const {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        return false;
    return !(protection_.Enabled && StyleAt(row, column).locked);
}

double Worksheet::ColumnWidthAt(int32_t column) const {
    CheckCell(1, column);
    return widths_[column - 1];
}

bool Worksheet::UserMayFormatColumns() const {
    return !protection_.Enabled || protection_.AllowFormattingColumns;
}

bool Worksheet::UserSetColumnWidth(int32_t column, double width) {
    if (column < 1 || column > kMaxColumns || !UserMayFormatColumns())
        return false;
    SetColumnWidth(Area{1, column, kMaxRows, column}, std::clamp(width, 0.0, kMaxColumnWidth));
    return true;
}

bool Worksheet::UserEdit(int32_t row, int32_t column, const std::string& text) {
    if (!UserMayEdit(row, column))
        return false;
    Area cell{row, column, row, column};
    if (text.starts_with("="))
        WriteFormula(cell, text);
    else
        WriteValue(cell, ParseInput(text));
    return true;
}

void Worksheet::CheckWritable(const Area& area) const {
    if (!protection_.Enabled)
        return;
    for (int32_t r = area.top; r <= area.bottom; ++r)
        for (int32_t c = area.left; c <= area.right; ++c)
            if (StyleAt(r, c).locked)
                throw rt::Failure(rt::kPermissionDenied,
                                  "The cell you are trying to change is protected and therefore "
                                  "read-only.");
}

void Worksheet::Touch(int32_t row, int32_t column) {
    for (auto& [key, formula] : countFormulas_)
        if (formula.counted.Contains(row, column))
            formula.dirty = true;
}

void Worksheet::PutContent(int32_t row, int32_t column, Content content) {
    bool empty = content.value.IsEmpty() && content.formula.empty();
    Content* existing = ContentAt(row, column);
    if (empty && !existing)
        return;
    if (existing && !existing->formula.empty())
        countFormulas_.erase(Key(row, column));
    Content& cell = existing ? *existing : MakeContent(row, column);
    cell = std::move(content);
    if (!cell.formula.empty())
        RegisterFormula(row, column, cell.formula);
    Touch(row, column);
}

void Worksheet::RegisterFormula(int32_t row, int32_t column, const std::string& formula) {
    Area counted = CountedArea(formula);
    if (counted.top > 0)
        countFormulas_[Key(row, column)] = CountFormula{counted, true};
}

void Worksheet::WriteValue(const Area& area, const rt::Variant& value) {
    CheckArea(area);
    CheckWritable(area);
    rt::Variant stored = Cleared(value) ? rt::Variant() : value;
    for (int32_t r = area.top; r <= area.bottom; ++r)
        for (int32_t c = area.left; c <= area.right; ++c)
            PutContent(r, c, Content{stored, ""});
    Changed();
}

void Worksheet::WriteFormula(const Area& area, const std::string& formula) {
    if (!formula.starts_with("=")) {
        WriteValue(area, ParseInput(formula));
        return;
    }
    CheckArea(area);
    CheckWritable(area);
    // A formula that is not evaluated shows its own text.
    bool counts = CountedArea(formula).top > 0;
    rt::Variant shown = counts ? rt::Variant() : rt::Variant(formula);
    for (int32_t r = area.top; r <= area.bottom; ++r)
        for (int32_t c = area.left; c <= area.right; ++c)
            PutContent(r, c, Content{shown, formula});
    Changed();
}

void Worksheet::ClearContents(const Area& area) {
    WriteValue(area, rt::Variant());
}

uint16_t Worksheet::Intern(const Style& style) {
    for (size_t i = 0; i < styles_.size(); ++i)
        if (styles_[i] == style)
            return uint16_t(i);
    styles_.push_back(style);
    return uint16_t(styles_.size() - 1);
}

void Worksheet::ChangeStyle(const Area& area, const std::function<void(Style&)>& change) {
    CheckArea(area);
    // Most cells of a block share a few styles; each old style is changed once.
    std::vector<std::pair<uint16_t, uint16_t>> changed;
    for (int32_t r = area.top; r <= area.bottom; ++r) {
        for (int32_t c = area.left; c <= area.right; ++c) {
            uint16_t& index = styleIndex_[size_t(r - 1) * kMaxColumns + (c - 1)];
            auto known = std::find_if(changed.begin(), changed.end(),
                                      [&](const auto& pair) { return pair.first == index; });
            if (known == changed.end()) {
                Style style = styles_[index];
                change(style);
                changed.emplace_back(index, Intern(style));
                known = changed.end() - 1;
            }
            index = known->second;
        }
    }
    Changed();
}

void Worksheet::ResetStyles(const Area& area) {
    ChangeStyle(area, [](Style& style) { style = Style{}; });
}

void Worksheet::SetColumnWidth(const Area& area, double width) {
    CheckArea(area);
    if (!(width >= 0 && width <= kMaxColumnWidth))
        throw rt::Failure(rt::kInvalidCall);
    for (int32_t c = area.left; c <= area.right; ++c)
        widths_[c - 1] = width;
    Changed();
}

void Worksheet::AutoFitColumns(const Area& area) {
    CheckArea(area);
    std::vector<int32_t> fitted;
    for (int32_t c = area.left; c <= area.right; ++c) {
        double widest = 0;
        for (int32_t r = 1; r <= kMaxRows; ++r) {
            if (!rows_[r - 1] || !HasContent(r, c))
                continue;
            widest = std::max(widest, measure_->TextWidth(CellText(ValueAt(r, c)), StyleAt(r, c)));
        }
        if (widest <= 0)
            continue;
        widths_[c - 1] = std::min(kMaxColumnWidth, widest);
        fitted.push_back(c);
    }
    // Limits are taken once every fitted column has its new width, so that each one leaves
    // room for the others. A limit never squeezes a column below the default width.
    for (int32_t c : fitted) {
        double limit = std::max(measure_->FitLimit(c), kDefaultColumnWidth);
        widths_[c - 1] = std::min(widths_[c - 1], limit);
    }
    Changed();
}

void Worksheet::SortRows(const Area& area, int32_t keyColumn) {
    CheckArea(area);
    if (keyColumn < 0 || keyColumn >= area.Columns())
        throw rt::Failure(rt::kInvalidCall, "The sort key lies outside the sorted block.");
    TakePendingInput();
    CheckWritable(area);
    int32_t key = area.left + keyColumn;
    std::vector<int32_t> order(area.Rows());
    std::iota(order.begin(), order.end(), area.top);
    std::vector<rt::Variant> keys(area.Rows());
    for (int32_t r = area.top; r <= area.bottom; ++r)
        keys[r - area.top] = ValueAt(r, key);
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        return KeyLess(keys[a - area.top], keys[b - area.top]);
    });
    // Take every row's cells out, then put them back in the new order, formats included.
    std::vector<std::vector<Content>> contents(area.Rows());
    std::vector<std::vector<uint16_t>> styles(area.Rows());
    for (int32_t r = area.top; r <= area.bottom; ++r) {
        for (int32_t c = area.left; c <= area.right; ++c) {
            Content* content = ContentAt(r, c);
            contents[r - area.top].push_back(content ? std::move(*content) : Content{});
            if (content)
                *content = Content{};
            countFormulas_.erase(Key(r, c));
            styles[r - area.top].push_back(styleIndex_[size_t(r - 1) * kMaxColumns + (c - 1)]);
        }
    }
    for (int32_t i = 0; i < area.Rows(); ++i) {
        int32_t from = order[i] - area.top, r = area.top + i;
        for (int32_t c = area.left; c <= area.right; ++c) {
            Content& content = contents[from][c - area.left];
            styleIndex_[size_t(r - 1) * kMaxColumns + (c - 1)] = styles[from][c - area.left];
            if (content.value.IsEmpty() && content.formula.empty())
                continue;
            MakeContent(r, c) = std::move(content);
            if (!ContentAt(r, c)->formula.empty())
                RegisterFormula(r, c, ContentAt(r, c)->formula);
        }
    }
    Calculate();
    Changed();
}

void Worksheet::SetAutoFilter(const Area& area) {
    autoFilter_ = autoFilter_.top > 0 ? Area{0, 0, 0, 0} : area;
    Changed();
}

void Worksheet::SetMeasure(const ColumnMeasure* measure) {
    measure_ = measure ? measure : &kCharacterEstimate;
}

}  // namespace owc
