// What every calendar source promises of its calendars, tried on each of them: the local
// store's calendar folder and the default calendar of the desktop's service on a private
// session.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outlook/calendar/Calendar.h"
#include "outlook/calendar/ItemKinds.h"
#include "outlook/calendar/Uid.h"
#include "outlook/desktopcal/ServiceSource.h"
#include "outlook/pimstore/StoreSource.h"
#include "platform/runtime/Failure.h"
#include "tests/support/PrivateSession.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using calendar::Appointment;

rt::Date Day(int year, int month, int day) {
    return rt::DateSerial(year, month, day);
}

Appointment NameDay(rt::Date start, const std::string& subject) {
    return {calendar::NewUid(),
            start,
            true,
            subject,
            "Name Days",
            "Outlook Velmora provided for free by https://www.velmora.example",
            false};
}

std::vector<std::string> Subjects(std::vector<Appointment> found) {
    std::vector<std::string> subjects;
    for (const auto& appointment : found)
        subjects.push_back(appointment.subject);
    std::sort(subjects.begin(), subjects.end());
    return subjects;
}

// A calendar of one backend, with whatever it needs kept alive beside it.
struct Backend {
    std::shared_ptr<void> keep;
    std::shared_ptr<calendar::Calendar> calendar;
};

// A store of its own, removed with the backend.
struct StoreFolder {
    fs::path root = fs::temp_directory_path() / ("namedays-contract-" + calendar::NewUid());
    ~StoreFolder() { fs::remove_all(root); }
};

Backend StoreBackend() {
    auto folder = std::make_shared<StoreFolder>();
    pimstore::StoreSource source(folder->root);
    return {folder, source.DefaultFolder(outlook::olFolderCalendar)};
}

// A session of its own; the service goes before the session does.
struct ServiceSession {
    testsupport::PrivateSession session;
    std::shared_ptr<desktopcal::ServiceSource> source = desktopcal::FindService(10s);
};

Backend ServiceBackend() {
    auto session = std::make_shared<ServiceSession>();
    if (!session->source)
        return {session, nullptr};
    return {session, session->source->DefaultFolder(outlook::olFolderCalendar)};
}

class CalendarContract : public ::testing::TestWithParam<Backend (*)()> {
  protected:
    void SetUp() override {
        backend = GetParam()();
        ASSERT_NE(backend.calendar, nullptr);
    }
    void TearDown() override {
        backend.calendar.reset();
        backend.keep.reset();
    }
    calendar::Calendar& Calendar() { return *backend.calendar; }
    Backend backend;
};

TEST_P(CalendarContract, FindGivesWhatWasAddedWithItsProperties) {
    Appointment birthday{calendar::NewUid(),
                         Day(2006, 3, 7),
                         true,
                         "John Smith: 41 years",
                         "Birthdays",
                         "Credit, line; ő\r\n\r\nMore info about todays names: \r\nJohn: a",
                         false};
    Appointment nameDay = NameDay(Day(2006, 12, 24), "Anna, Eva");
    Calendar().Add(birthday);
    Calendar().Add(nameDay);
    auto found = Calendar().Find(Day(2006, 1, 1), Day(2006, 12, 31));
    ASSERT_EQ(found.size(), 2u);
    if (found[0].uid != birthday.uid)
        std::swap(found[0], found[1]);
    EXPECT_EQ(found[0], birthday);
    EXPECT_EQ(found[1], nameDay);
}

TEST_P(CalendarContract, FindTakesTheDaysOfTheRangeAndNoOthers) {
    for (auto [date, subject] :
         {std::pair{Day(2005, 12, 31), "before"}, std::pair{Day(2006, 1, 1), "first"},
          std::pair{Day(2006, 12, 31), "last"}, std::pair{Day(2007, 1, 1), "after"}})
        Calendar().Add(NameDay(date, subject));
    EXPECT_EQ(Subjects(Calendar().Find(Day(2006, 1, 1), Day(2006, 12, 31))),
              (std::vector<std::string>{"first", "last"}));
    EXPECT_EQ(Subjects(Calendar().Find(Day(2007, 1, 1), Day(2007, 1, 1))),
              (std::vector<std::string>{"after"}));
    EXPECT_TRUE(Calendar().Find(Day(2008, 1, 1), Day(2008, 12, 31)).empty());
}

TEST_P(CalendarContract, ChangeReplacesAndRemoveTakesOnlyThatOne) {
    Appointment kept = NameDay(Day(2006, 5, 1), "Kept");
    Appointment changed = NameDay(Day(2006, 5, 1), "Before");
    Calendar().Add(kept);
    Calendar().Add(changed);
    changed.subject = "After";
    Calendar().Change(changed);
    EXPECT_EQ(Subjects(Calendar().Find(Day(2006, 5, 1), Day(2006, 5, 1))),
              (std::vector<std::string>{"After", "Kept"}));

    Calendar().Remove(changed.uid);
    auto left = Calendar().Find(Day(2006, 1, 1), Day(2006, 12, 31));
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0], kept);
    EXPECT_THROW(Calendar().Remove(changed.uid), rt::Failure);
    EXPECT_THROW(Calendar().Remove("no-such-uid"), rt::Failure);
}

INSTANTIATE_TEST_SUITE_P(Backends, CalendarContract,
                         ::testing::Values(&StoreBackend, &ServiceBackend), [](const auto& param) {
                             return std::string(param.index == 0 ? "Store" : "Service");
                         });

}  // namespace
