#pragma once

#include <memory>
#include <string>

#include "platform/runtime/Variant.h"

class QComboBox;
class QListWidget;

namespace forms {

// What the string list needs of a combo box or a list box.
class ComboOrList {
  public:
    virtual ~ComboOrList() = default;
    virtual std::string Text() = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void Clear() = 0;
    virtual void AddItem(const rt::Variant& item) = 0;
    virtual int32_t ListCount() = 0;
    virtual std::string List(int32_t index) = 0;  // 0-based; error 9 outside
};

// An editable combo box: its text is the edit field's.
class ComboBoxAdapter : public ComboOrList {
  public:
    explicit ComboBoxAdapter(QComboBox& box);
    std::string Text() override;
    void SetText(const std::string& text) override;
    void Clear() override;
    void AddItem(const rt::Variant& item) override;
    int32_t ListCount() override;
    std::string List(int32_t index) override;

  private:
    QComboBox& box_;
};

// A list box: its text is the current item's; setting it selects the first item that has
// that text, or none.
class ListBoxAdapter : public ComboOrList {
  public:
    explicit ListBoxAdapter(QListWidget& list);
    std::string Text() override;
    void SetText(const std::string& text) override;
    void Clear() override;
    void AddItem(const rt::Variant& item) override;
    int32_t ListCount() override;
    std::string List(int32_t index) override;

  private:
    QListWidget& list_;
};

}  // namespace forms
