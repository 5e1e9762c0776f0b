#pragma once

#include <memory>
#include <string>

#include "outlook/ObjectModel.h"
#include "outlook/calendar/Calendar.h"

namespace outlook {

// A folder of a calendar source as the object model shows it.
class CalendarFolder : public Folder {
  public:
    // `sourceName` names the source in the captions of windows that show the folder.
    CalendarFolder(std::shared_ptr<calendar::Calendar> calendar, std::string sourceName);

    int32_t DefaultItemType() override;
    // Fails for a folder that holds no appointments.
    std::shared_ptr<outlook::Items> Items() override;
    std::string Title() override;

    // "Inbox - Velmora store".
    std::string WindowCaption();
    const std::shared_ptr<calendar::Calendar>& Calendar() const { return calendar_; }

  private:
    std::shared_ptr<calendar::Calendar> calendar_;
    std::string sourceName_;
};

}  // namespace outlook
