#include "grid/owc/Formats.h"

#include "grid/owc/Range.h"
#include "grid/owc/Worksheet.h"
#include "platform/runtime/Failure.h"

namespace owc {

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

int EdgeSlot(int32_t edge) {
    if (edge < kEdgeLeft || edge > kEdgeRight)
        throw rt::Failure(rt::kInvalidCall);
    return edge - kEdgeLeft;
}

}  // namespace

FontRef::FontRef(const Range& range) : sheet_(range.Sheet()), area_(range.Block()) {}
std::string FontRef::Name() const {
    return sheet_->StyleAt(area_.top, area_.left).fontName;
}
double FontRef::Size() const {
    return sheet_->StyleAt(area_.top, area_.left).fontSize;
}
bool FontRef::Bold() const {
    return sheet_->StyleAt(area_.top, area_.left).bold;
}
void FontRef::SetName(const std::string& name) {
    sheet_->ChangeStyle(area_, [&](Style& s) { s.fontName = name; });
}
void FontRef::SetSize(double size) {
    if (!(size >= 1 && size <= 409))
        throw rt::Failure(rt::kInvalidCall);
    sheet_->ChangeStyle(area_, [&](Style& s) { s.fontSize = size; });
}
void FontRef::SetBold(bool bold) {
    sheet_->ChangeStyle(area_, [&](Style& s) { s.bold = bold; });
}

InteriorRef::InteriorRef(const Range& range) : sheet_(range.Sheet()), area_(range.Block()) {}
int32_t InteriorRef::Color() const {
    int32_t color = sheet_->StyleAt(area_.top, area_.left).interiorColor;
    return color == kNoColor ? kWhite : color;
}
void InteriorRef::SetColor(int32_t color) {
    sheet_->ChangeStyle(area_, [&](Style& s) { s.interiorColor = color & kWhite; });
}

BordersRef::BordersRef(const Range& range, int32_t edge)
    : sheet_(range.Sheet()), area_(range.Block()), edge_(edge) {
    if (edge != 0)
        EdgeSlot(edge);
}

BordersRef BordersRef::Item(int32_t edge) const {
    return BordersRef(Range(sheet_, area_), edge);
}

namespace {
template <class Change>
void ChangeBorders(Worksheet& sheet, const Area& area, int32_t edge, Change change) {
    sheet.ChangeStyle(area, [&](Style& s) {
        for (int slot = 0; slot < 4; ++slot)
            if (edge == 0 || slot == EdgeSlot(edge))
                change(s.borders[slot]);
    });
}
}  // namespace

void BordersRef::SetLineStyle(int32_t lineStyle) {
    ChangeBorders(*sheet_, area_, edge_, [&](Border& b) { b.lineStyle = lineStyle; });
}
// Colouring or weighting a border that has no line draws a continuous one, as in the control.
void BordersRef::SetColor(int32_t color) {
    ChangeBorders(*sheet_, area_, edge_, [&](Border& b) {
        b.color = color;
        if (b.lineStyle == kLineStyleNone)
            b.lineStyle = kLineStyleContinuous;
    });
}
void BordersRef::SetWeight(int32_t weight) {
    ChangeBorders(*sheet_, area_, edge_, [&](Border& b) {
        b.weight = weight;
        if (b.lineStyle == kLineStyleNone)
            b.lineStyle = kLineStyleContinuous;
    });
}

}  // namespace owc
