#include "ui/forms/ComboOrList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "platform/desktop/QtText.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Failure.h"

namespace forms {

using desktop::Q;

namespace {

void CheckIndex(int32_t index, int32_t count) {
    if (index < 0 || index >= count)
        throw rt::Failure(rt::kSubscriptOutOfRange);
}

}  // namespace

ComboBoxAdapter::ComboBoxAdapter(QComboBox& box) : box_(box) {}

std::string ComboBoxAdapter::Text() {
    return box_.currentText().toStdString();
}

void ComboBoxAdapter::SetText(const std::string& text) {
    if (box_.isEditable())
        box_.setEditText(Q(text));
    else
        box_.setCurrentIndex(box_.findText(Q(text)));
}

void ComboBoxAdapter::Clear() {
    box_.clear();
    if (box_.isEditable())
        box_.clearEditText();
}

void ComboBoxAdapter::AddItem(const rt::Variant& item) {
    box_.addItem(Q(rt::TextOf(item)));
}

int32_t ComboBoxAdapter::ListCount() {
    return box_.count();
}

std::string ComboBoxAdapter::List(int32_t index) {
    CheckIndex(index, ListCount());
    return box_.itemText(index).toStdString();
}

ListBoxAdapter::ListBoxAdapter(QListWidget& list) : list_(list) {}

std::string ListBoxAdapter::Text() {
    QListWidgetItem* item = list_.currentItem();
    return item ? item->text().toStdString() : std::string();
}

void ListBoxAdapter::SetText(const std::string& text) {
    auto found = list_.findItems(Q(text), Qt::MatchExactly);
    list_.setCurrentItem(found.isEmpty() ? nullptr : found.front());
}

void ListBoxAdapter::Clear() {
    list_.clear();
}

void ListBoxAdapter::AddItem(const rt::Variant& item) {
    list_.addItem(Q(rt::TextOf(item)));
}

int32_t ListBoxAdapter::ListCount() {
    return list_.count();
}

std::string ListBoxAdapter::List(int32_t index) {
    CheckIndex(index, ListCount());
    return list_.item(index)->text().toStdString();
}

}  // namespace forms
