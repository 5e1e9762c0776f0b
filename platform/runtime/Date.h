#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace rt {

// A date-time as the classic automation date: days since 30 December 1899, the fraction
// being the time of day.
struct Date {
    double serial = 0;

    friend bool operator==(const Date&, const Date&) = default;
    friend auto operator<=>(const Date&, const Date&) = default;
};

// A date from year, month and day, carrying months and days over the way a calendar counts
// on: month 13 is January of the next year, month 0 December of the year before, day 0 the
// last day of the month before. Fails with error 5 outside the years 100 to 9999.
Date DateSerial(int year, int month, int day);

std::chrono::year_month_day ToYearMonthDay(Date date);
Date FromYearMonthDay(std::chrono::year_month_day ymd);
Date FromSysDays(std::chrono::sys_days days);
std::chrono::sys_days ToSysDays(Date date);  // the day, time of day dropped

// Minutes past midnight of the date's time of day.
int MinutesOfDay(Date date);

// "YYYY-MM-DD", with " HH:MM:SS" when the time of day is not midnight.
std::string DateText(Date date);

}  // namespace rt
