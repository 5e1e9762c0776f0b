#include "outlook/CalendarItem.h"

#include "outlook/calendar/Uid.h"

namespace outlook {

namespace {

constexpr int32_t olDiscard = 1;

}  // namespace

CalendarItem::CalendarItem(std::shared_ptr<calendar::Calendar> calendar)
    : calendar_(std::move(calendar)) {
    value_.uid = calendar::NewUid();
}

void CalendarItem::Save() {
    if (stored_)
        calendar_->Change(value_);
    else
        calendar_->Add(value_);
    stored_ = true;
    dirty_ = false;
}

void CalendarItem::Close(int32_t saveMode) {
    if (saveMode != olDiscard && dirty_)
        Save();
}

}  // namespace outlook
