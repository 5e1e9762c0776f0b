#include "outlook/calendar/ICalendar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "outlook/calendar/Uid.h"
#include "platform/runtime/Failure.h"

namespace {

using calendar::Appointment;

rt::Date At(int year, int month, int day, int hour = 0, int minute = 0) {
    return rt::Date{rt::DateSerial(year, month, day).serial + (hour * 60 + minute) / 1440.0};
}

// What the program writes is what it reads back, whichever properties an appointment has.
TEST(ICalendar, WhatIsWrittenReadsBackTheSame) {
    const Appointment cases[] = {
        {calendar::NewUid(), At(2006, 12, 24), true, "Anna, Eva; Åsa", "Name Days",
         "Outlook Velmora provided for free by https://www.velmora.example", false},
        {calendar::NewUid(), At(2006, 3, 7), true, "John Smith: 41 years", "Birthdays",
         "Credit line\r\n\r\nMore info about todays names: \r\nJohn: x\r\nSmith: y", false},
        {calendar::NewUid(), At(2006, 5, 1, 12, 30), false, "Lunch", "", "", true},
        {calendar::NewUid(), At(100, 1, 1), true, "", "Name Days", "\r\n", false},
        {calendar::NewUid(), At(3000, 12, 30), true, "Silvester", "Name Days", "", false},
    };
    for (const Appointment& written : cases) {
        SCOPED_TRACE(written.subject);
        std::vector<Appointment> read = calendar::FromICalendar(calendar::ToICalendar(written));
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0], written);
    }
}

TEST(ICalendar, AnAllDayAppointmentTakesItsDayAndLeavesTheTimeFree) {
    Appointment day{"u-1", At(2006, 2, 28), true, "Roman", "Name Days", "", false};
    std::string text = calendar::ToICalendar(day, 0);
    for (const char* line :
         {"UID:u-1", "DTSTART;VALUE=DATE:20060228", "DTEND;VALUE=DATE:20060301",
          "TRANSP:TRANSPARENT", "DTSTAMP:19700101T000000Z", "CATEGORIES:Name Days"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("VALARM"), std::string::npos);
}

// The library writes a date after the year 3000 as 00000000: such an appointment fails
// rather than land on no day at all.
TEST(ICalendar, AnAppointmentEndingAfterTheYear3000IsRefused) {
    for (Appointment late : {Appointment{"a", At(3000, 12, 31), true, "s", "", "", false},
                             Appointment{"b", At(3000, 12, 31, 23, 45), false, "s", "", "", false},
                             Appointment{"c", At(9999, 12, 31), true, "s", "", "", false}}) {
        SCOPED_TRACE(late.uid);
        try {
            calendar::ToICalendar(late);
            ADD_FAILURE() << "written";
        } catch (const rt::Failure& failure) {
            EXPECT_EQ(failure.Number(), rt::kInvalidCall);
            EXPECT_NE(failure.Description().find("3000"), std::string::npos);
        }
    }
    Appointment lastTimed{"d", At(3000, 12, 31, 23, 0), false, "s", "", "", false};
    EXPECT_EQ(calendar::FromICalendar(calendar::ToICalendar(lastTimed)).at(0), lastTimed);
}

TEST(ICalendar, ReadsALoneEventAndPassesOverEventsItCannotPlace) {
    const std::string lone =
        "BEGIN:VEVENT\r\nUID:lone\r\nDTSTART;VALUE=DATE:20070101\r\nSUMMARY:Neujahr\r\n"
        "DESCRIPTION:a\\nb\r\nEND:VEVENT\r\n";
    auto read = calendar::FromICalendar(lone);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].uid, "lone");
    EXPECT_EQ(read[0].body, "a\r\nb");
    EXPECT_TRUE(read[0].allDay);

    const std::string mixed =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
        "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20070101\r\nSUMMARY:no uid\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:no-start\r\nSUMMARY:no start\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:far\r\nDTSTART;VALUE=DATE:00500101\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:kept\r\nDTSTART;VALUE=DATE:20070102\r\nCATEGORIES:A,B\r\n"
        "END:VEVENT\r\nEND:VCALENDAR\r\n";
    read = calendar::FromICalendar(mixed);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].uid, "kept");
    EXPECT_EQ(read[0].categories, "A,B");

    EXPECT_THROW(calendar::FromICalendar("no calendar here"), rt::Failure);
}

TEST(ICalendar, UidsAreFreshAndShapedAsRfc4122) {
    std::string a = calendar::NewUid(), b = calendar::NewUid();
    EXPECT_NE(a, b);
    ASSERT_EQ(a.size(), 36u);
    EXPECT_EQ(a[14], '4');
    EXPECT_NE(std::string("89ab").find(a[19]), std::string::npos);
}

TEST(ICalendar, StartsWithinCountsWholeDaysAtBothEnds) {
    Appointment noon{"u", At(2006, 6, 1, 12), false, "", "", "", false};
    EXPECT_TRUE(calendar::StartsWithin(noon, At(2006, 6, 1), At(2006, 6, 1)));
    EXPECT_TRUE(calendar::StartsWithin(noon, At(2006, 1, 1), At(2006, 12, 31)));
    EXPECT_FALSE(calendar::StartsWithin(noon, At(2006, 6, 2), At(2006, 12, 31)));
    EXPECT_FALSE(calendar::StartsWithin(noon, At(2006, 1, 1), At(2006, 5, 31)));
}

}  // namespace
