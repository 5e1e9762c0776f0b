#pragma once

#include <cstdint>
#include <string>

// One entry of a name-day list: a date as month and day, the names celebrated on it (or the
// person whose birthday it is), and an optional birth year (0: none).
class cApp {
  public:
    int16_t AppMonth = 0;
    int16_t AppDay = 0;
    std::string Subject;
    int16_t BirthYear = 0;
    bool Valid = false;

    // Reads an entry line "month.day<TAB>names<TAB>birth year". A line of another shape is
    // passed over and leaves the entry as it was; a date or year that does not convert goes
    // to the error report.
    void FromString(const std::string& ToParse);
    // Writes the entry as one all-day appointment into the target calendar.
    void ToOutlook(const int16_t& YearToAdd);
    std::string ToString() const;
};
