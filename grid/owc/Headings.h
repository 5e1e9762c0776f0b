#pragma once

#include <QHeaderView>
#include <QSize>
#include <QVariant>

#include <optional>
#include <utility>

namespace owc {

// The row numbers beside a band, or the column letters above it. Qt measures their texts
// again (the first and last hundred) every time any cell of the model changes; their size
// only changes with the sections shown, the font, the style or the screen, so it is measured
// once for each of those.
class Headings : public QHeaderView {
  public:
    Headings(Qt::Orientation orientation, QWidget* parent);

    QSize sizeHint() const override;

  private:
    // Qt measures the first and the last hundred sections. Row numbers count up one by one,
    // so the widest of them is among the last few, whose final digits run through 0 to 9:
    // ten at each end find the same size with a tenth of the text layouts.
    static constexpr int kMeasuredAtEachEnd = 10;

    QSize Measure() const;

    struct Measured {
        const QAbstractItemModel* model;
        int sections;
        int hidden;
        QVariant first;
        QFont font;
        const QStyle* style;
        int dpi;
        bool sortIndicator;
        bool operator==(const Measured&) const = default;
    };
    mutable std::optional<std::pair<Measured, QSize>> measured_;
};

}  // namespace owc
