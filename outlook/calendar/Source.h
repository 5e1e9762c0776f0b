#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "outlook/calendar/Calendar.h"
#include "platform/desktop/Desktop.h"

// Where calendars come from: the local store, the desktop's calendar service. A source
// gives its folders and makes new calendars; the object model of the program is built over
// sources (outlook/CalendarApplication), so a source knows nothing of it.
namespace calendar {

// The name the folder chooser proposes for a new calendar.
inline constexpr const char* kNewCalendarName = "Name Days";

class Source {
  public:
    virtual ~Source() = default;

    // How the source calls itself to the user ("Velmora store").
    virtual std::string Name() = 0;
    // What stands behind it, for the application's version text; empty when nothing does.
    virtual std::string Description() = 0;
    // The user's default folder of a kind of the object model (9 calendar, 6 inbox ...),
    // or none when the source holds no folder of that kind.
    virtual std::shared_ptr<Calendar> DefaultFolder(int32_t folderType) = 0;
    // The source's folders as the chooser shows them; a node's id is what Open takes.
    virtual std::vector<desktop::FolderNode> Tree() = 0;
    // True when the id names a node of this source's tree.
    virtual bool Holds(const std::string& id) = 0;
    // The folder of that id; fails when there is none.
    virtual std::shared_ptr<Calendar> Open(const std::string& id) = 0;
    // Makes a calendar of that name beside the node `nearId` (empty: where the source
    // puts new calendars) and returns its id.
    virtual std::string NewCalendar(const std::string& name, const std::string& nearId) = 0;
};

}  // namespace calendar
