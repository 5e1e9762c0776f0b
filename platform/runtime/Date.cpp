#include "platform/runtime/Date.h"

#include <cmath>
#include <cstdio>

#include "platform/runtime/Failure.h"

namespace rt {

using namespace std::chrono;

namespace {

constexpr sys_days kEpoch = sys_days{1899y / December / 30};

}  // namespace

Date FromSysDays(sys_days days) {
    return Date{double((days - kEpoch).count())};
}

sys_days ToSysDays(Date date) {
    return kEpoch + days{static_cast<int64_t>(std::floor(date.serial))};
}

Date FromYearMonthDay(year_month_day ymd) {
    return FromSysDays(sys_days{ymd});
}

year_month_day ToYearMonthDay(Date date) {
    return year_month_day{ToSysDays(date)};
}

int MinutesOfDay(Date date) {
    double fraction = date.serial - std::floor(date.serial);
    return static_cast<int>(std::lround(fraction * 24 * 60)) % (24 * 60);
}

Date DateSerial(int yearValue, int monthValue, int dayValue) {
    // Carry the month first, then count the day from the first of the resulting month.
    int64_t months = int64_t(yearValue) * 12 + (monthValue - 1);
    int64_t carriedYear = months >= 0 ? months / 12 : -((-months + 11) / 12);
    int carriedMonth = static_cast<int>(months - carriedYear * 12) + 1;
    if (carriedYear < -30000 || carriedYear > 30000)
        throw Failure(kInvalidCall);
    sys_days first{year{int(carriedYear)} / month{unsigned(carriedMonth)} / 1};
    sys_days result = first + days{dayValue - 1};
    int resultYear = int(year_month_day{result}.year());
    if (resultYear < 100 || resultYear > 9999)
        throw Failure(kInvalidCall);
    return FromSysDays(result);
}

std::string DateText(Date date) {
    year_month_day ymd = ToYearMonthDay(date);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", int(ymd.year()), unsigned(ymd.month()),
                  unsigned(ymd.day()));
    std::string text = buffer;
    int minutes = MinutesOfDay(date);
    if (minutes != 0) {
        std::snprintf(buffer, sizeof buffer, " %02d:%02d:00", minutes / 60, minutes % 60);
        text += buffer;
    }
    return text;
}

}  // namespace rt
