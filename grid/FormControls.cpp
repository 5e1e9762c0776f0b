#include "grid/FormControls.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>

#include "grid/owc/SpreadsheetView.h"
#include "platform/desktop/Twips.h"

namespace grid {

using desktop::TwipsToPixels;

namespace {

class FormControl : public HostedControl {
  public:
    FormControl(std::shared_ptr<automation::Object> object, QWidget* widget)
        : object_(std::move(object)), widget_(widget) {}

    std::shared_ptr<automation::Object> object() override { return object_; }
    void Top(int16_t twips) override { Place(top_, twips); }
    void Left(int16_t twips) override { Place(left_, twips); }
    void Height(int16_t twips) override { Place(height_, twips); }
    void Width(int16_t twips) override { Place(width_, twips); }
    void Visible(bool visible) override {
        visible_ = visible;
        if (widget_)
            widget_->setVisible(visible);
    }
    int16_t Top() const override { return top_; }
    int16_t Left() const override { return left_; }
    int16_t Height() const override { return height_; }
    int16_t Width() const override { return width_; }
    bool Visible() const override { return visible_; }

  private:
    void Place(int16_t& field, int16_t twips) {
        field = twips;
        if (!widget_)
            return;
        widget_->setGeometry(TwipsToPixels(left_), TwipsToPixels(top_),
                             std::max(0, TwipsToPixels(width_)),
                             std::max(0, TwipsToPixels(height_)));
    }

    std::shared_ptr<automation::Object> object_;
    QPointer<QWidget> widget_;
    // A control added at run time starts hidden, until its owner shows it.
    int16_t top_ = 0, left_ = 0, height_ = 0, width_ = 0;
    bool visible_ = false;
};

}  // namespace

std::shared_ptr<HostedControl> FormControls::Add(const std::string& progId, const std::string& name,
                                                 QWidget* container) {
    std::shared_ptr<automation::Object> object = automation::Objects().CreateObject(progId);
    QWidget* widget = nullptr;
    if (auto spreadsheet = std::dynamic_pointer_cast<owc::Spreadsheet>(object)) {
        widget = new owc::SpreadsheetView(spreadsheet, container);
        widget->setObjectName(QString::fromStdString(name));
        widget->hide();
    }
    return std::make_shared<FormControl>(object, widget);
}

}  // namespace grid
