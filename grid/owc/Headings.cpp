#include "grid/owc/Headings.h"

#include <algorithm>

namespace owc {

Headings::Headings(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    // As the table's own headers are.
    setSectionsClickable(true);
    setHighlightSections(true);
}

QSize Headings::sizeHint() const {
    Measured now{model(),
                 count(),
                 hiddenSectionCount(),
                 model() && count() > 0 ? model()->headerData(0, orientation()) : QVariant(),
                 font(),
                 style(),
                 logicalDpiY(),
                 isSortIndicatorShown()};
    if (!measured_ || measured_->first != now)
        measured_.emplace(now, Measure());
    return measured_->second;
}

QSize Headings::Measure() const {
    if (orientation() == Qt::Horizontal)
        return QHeaderView::sizeHint();  // letters differ in width: every one counts
    QSize size(0, 0);
    const int sections = count();
    int i = 0;
    for (int checked = 0; checked < kMeasuredAtEachEnd && i < sections; ++i)
        if (!isSectionHidden(i)) {
            ++checked;
            size = size.expandedTo(sectionSizeFromContents(i));
        }
    int last = std::max(i, sections - kMeasuredAtEachEnd);
    for (int j = sections - 1, checked = 0; j >= last && checked < kMeasuredAtEachEnd; --j)
        if (!isSectionHidden(j)) {
            ++checked;
            size = size.expandedTo(sectionSizeFromContents(j));
        }
    return size;
}

}  // namespace owc
