#pragma once

#include <QTabBar>

// A tab strip whose box is higher than its tabs: the tabs stand at the foot of the box, on the
// top edge of what they switch, so that they read as its tabs; the free band lies above them.
// A click anywhere above a tab still chooses it.
class GridTabs : public QTabBar {
    Q_OBJECT

  public:
    explicit GridTabs(QWidget* parent = nullptr);
    // The tabs as drawn, in the strip's coordinates.
    QRect DrawnTabRect(int index) const;

  protected:
    QSize tabSizeHint(int index) const override;
    void tabLayoutChange() override;
    void paintEvent(QPaintEvent* event) override;

  private:
    int TabHeight() const;
    int ButtonsLeft() const;
};
