#include "ui/GridTabs.h"

#include <QStyleOptionTab>
#include <QStylePainter>
#include <QToolButton>

#include <algorithm>

GridTabs::GridTabs(QWidget* parent) : QTabBar(parent) {
    setDrawBase(true);
}

// Qt lays every tab out as high as the highest size hint, from the top of the strip.
QSize GridTabs::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    size.setHeight(std::max(size.height(), height()));
    return size;
}

int GridTabs::TabHeight() const {
    return std::min(height(), QTabBar::tabSizeHint(std::max(0, currentIndex())).height());
}

QRect GridTabs::DrawnTabRect(int index) const {
    QRect rect = tabRect(index);
    rect.setTop(height() - TabHeight());
    return rect;
}

// The scroll buttons are as high as the tabs, beside them at the foot.
void GridTabs::tabLayoutChange() {
    QTabBar::tabLayoutChange();
    for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        QRect place = button->geometry();
        place.setTop(height() - TabHeight());
        button->setGeometry(place);
    }
}

int GridTabs::ButtonsLeft() const {
    int left = width();
    for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        if (button->isVisible())
            left = std::min(left, button->x());
    return left;
}

void GridTabs::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabBarBase base;
    base.initFrom(this);
    base.shape = shape();
    base.documentMode = documentMode();
    int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    base.rect = QRect(0, height() - overlap, width(), overlap);
    base.tabBarRect = rect();
    if (currentIndex() >= 0)
        base.selectedTabRect = DrawnTabRect(currentIndex());
    painter.drawPrimitive(QStyle::PE_FrameTabBarBase, base);
    // Tabs hidden under the scroll buttons are not drawn there; the chosen tab goes last, on top.
    painter.setClipRect(QRect(0, 0, ButtonsLeft(), height()));
    auto drawTab = [&](int index) {
        QStyleOptionTab tab;
        initStyleOption(&tab, index);
        tab.rect = DrawnTabRect(index);
        painter.drawControl(QStyle::CE_TabBarTab, tab);
    };
    for (int i = 0; i < count(); ++i)
        if (i != currentIndex())
            drawTab(i);
    if (currentIndex() >= 0)
        drawTab(currentIndex());
}
