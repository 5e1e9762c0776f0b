#include "grid/owc/Worksheet.h"

#include <utility>

// What the sheet's views go by: the selection, the viewable area and the frozen rows, and the
// notices of change they repaint on, held back while screen updating is off.

namespace owc {

void Worksheet::SetSelection(const Area& area) {
    CheckArea(area);
    if (selection_ == area)
        return;
    selection_ = area;
    Changed();
}

void Worksheet::SetViewableArea(const Area& area) {
    CheckArea(area);
    viewable_ = area;
    Changed();
}

void Worksheet::Freeze(bool freeze) {
    frozenRows_ = freeze ? selection_.top - 1 : 0;
    frozenColumns_ = freeze ? selection_.left - 1 : 0;
    Changed();
}

// Listeners hear both switches: off to stop painting, on to show what changed meanwhile.
void Worksheet::SetScreenUpdating(bool on) {
    if (!on) {
        TakePendingInput();
        bool wasOn = screenUpdating_;
        screenUpdating_ = false;
        if (wasOn)
            Notify();
        return;
    }
    if (screenUpdating_ && !pendingChange_)
        return;
    screenUpdating_ = true;
    pendingChange_ = false;
    Notify();
}

void Worksheet::Changed() {
    if (!screenUpdating_) {
        pendingChange_ = true;
        return;
    }
    Notify();
}

void Worksheet::Notify() {
    auto listeners = listeners_;
    for (auto& [id, listener] : listeners)
        listener();
}

int Worksheet::AddListener(ChangeListener listener) {
    listeners_[nextListener_] = std::move(listener);
    return nextListener_++;
}

void Worksheet::RemoveListener(int id) {
    listeners_.erase(id);
}

void Worksheet::SetPendingInput(std::function<void()> take) {
    pendingInput_ = std::move(take);
}

void Worksheet::TakePendingInput() {
    if (!pendingInput_ || takingInput_)
        return;
    takingInput_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{takingInput_};
    pendingInput_();
}

}  // namespace owc
