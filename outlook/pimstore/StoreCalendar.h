#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "outlook/calendar/Calendar.h"

namespace pimstore {

// A folder of the store. A calendar folder keeps each appointment as one iCalendar file
// <UID>.ics, the vdir layout that khal and vdirsyncer read.
class StoreCalendar : public calendar::Calendar {
  public:
    explicit StoreCalendar(std::filesystem::path path);

    std::string Name() override;
    // "Calendar (Velmora store)".
    std::string Title() override;
    // 0 for a mail folder, else 1.
    int32_t ItemType() override;
    // Writes the file whole or not at all; fails (76) once the folder has gone.
    void Add(const calendar::Appointment& appointment) override;
    void Change(const calendar::Appointment& appointment) override;
    // Reads every appointment file of the folder; files that are not iCalendar are passed over.
    std::vector<calendar::Appointment> Find(rt::Date first, rt::Date last) override;
    // Fails (76) when no file of the folder holds that UID.
    void Remove(const std::string& uid) override;

    const std::filesystem::path& Path() const { return path_; }
    // The file an appointment of that UID is written to.
    std::filesystem::path File(const std::string& uid) const;

  private:
    void CheckFolder() const;
    std::vector<std::filesystem::path> AppointmentFiles() const;

    std::filesystem::path path_;
};

}  // namespace pimstore
