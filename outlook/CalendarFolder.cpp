#include "outlook/CalendarFolder.h"

#include "outlook/CalendarItem.h"
#include "platform/runtime/Failure.h"

namespace outlook {

namespace {

constexpr const char* kAppointmentClass = "IPM.Appointment";

class CalendarItems : public Items {
  public:
    explicit CalendarItems(std::shared_ptr<calendar::Calendar> calendar)
        : calendar_(std::move(calendar)) {}
    std::shared_ptr<AppointmentItem> Add(const std::string& messageClass) override {
        if (messageClass != kAppointmentClass)
            throw rt::Failure(rt::kInvalidCall, "Cannot add items of class " + messageClass);
        return std::make_shared<CalendarItem>(calendar_);
    }

  private:
    std::shared_ptr<calendar::Calendar> calendar_;
};

}  // namespace

CalendarFolder::CalendarFolder(std::shared_ptr<calendar::Calendar> calendar, std::string sourceName)
    : calendar_(std::move(calendar)), sourceName_(std::move(sourceName)) {}

int32_t CalendarFolder::DefaultItemType() {
    return calendar_->ItemType();
}

std::shared_ptr<Items> CalendarFolder::Items() {
    if (calendar_->ItemType() != olAppointmentItem)
        throw rt::Failure(rt::kInvalidCall, calendar_->Name() + " holds no appointments");
    return std::make_shared<CalendarItems>(calendar_);
}

std::string CalendarFolder::Title() {
    return calendar_->Title();
}

std::string CalendarFolder::WindowCaption() {
    return calendar_->Name() + " - " + sourceName_;
}

}  // namespace outlook
