#include <gtest/gtest.h>

#include <fstream>

#include "lists/cApp.h"
#include "outlook/modOutlookCode.h"
#include "outlook/pimstore/StoreFolders.h"
#include "outlook/pimstore/StoreSource.h"
#include "platform/runtime/Publisher.h"
#include "services/modErroHandling.h"
#include "tests/support/FakeOutlook.h"
#include "tests/support/ProgramTest.h"

namespace {

using testsupport::EndStatus;

struct LineCase {
    const char* line;
    bool accepted;
    int16_t month, day;
    const char* subject;
    int16_t birthYear;
};

class EntryLine : public testsupport::ProgramTest {};

TEST_F(EntryLine, ReadsWellShapedLinesAndPassesOverOthers) {
    const LineCase cases[] = {
        {"12.24\tAnna Eva\t", true, 12, 24, "Anna Eva", 0},
        {"3.7\tJohn Smith\t1965", true, 3, 7, "John Smith", 1965},
        {"3.7\tJohn\tabc", true, 3, 7, "John", 0},
        {"3.7\t\t0", true, 3, 7, "", 0},
        {"13.40\tX\t0", true, 13, 40, "X", 0},
        {" 7. 8 \t Anna , Eva \t 1965 ", true, 7, 8, " Anna , Eva ", 1965},
        {"7.8\tA\t1965.0", true, 7, 8, "A", 1965},
        {"2.5.5\tA\t0", false, 0, 0, "", 0},
        {"12/24\tAnna\t0", false, 0, 0, "", 0},
        {"12.24\tAnna", false, 0, 0, "", 0},
        {"12.24\tAnna\t0\textra", false, 0, 0, "", 0},
        {"", false, 0, 0, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        cApp entry;
        entry.FromString(c.line);
        EXPECT_EQ(entry.Valid, c.accepted);
        EXPECT_EQ(entry.AppMonth, c.month);
        EXPECT_EQ(entry.AppDay, c.day);
        EXPECT_EQ(entry.Subject, c.subject);
        EXPECT_EQ(entry.BirthYear, c.birthYear);
        EXPECT_EQ(modErroHandling::strAction, std::string("Splitting the text row ") + c.line);
    }
    EXPECT_TRUE(desktop.messages->shown.empty());
}

TEST_F(EntryLine, ALineOfTheWrongShapeLeavesAnEntryAsItWas) {
    cApp entry;
    entry.FromString("5.6\tKeep\t1990");
    entry.FromString("1.2\tother");
    EXPECT_EQ(entry.ToString(), "5.6\tKeep\t1990");
    EXPECT_TRUE(entry.Valid);
}

TEST_F(EntryLine, NumbersThatDoNotConvertEndTheProgramThroughTheReport) {
    struct Bad {
        const char* line;
        const char* failure;
        int line_no;
    };
    const Bad cases[] = {
        {"x.5\tA\t0", "Type mismatch\r\n#13", 30},
        {"5.\tA\t0", "Type mismatch\r\n#13", 40},
        {"40000.1\tA\t0", "Overflow\r\n#6", 30},
        {"1.1\tA\t99999", "Overflow\r\n#6", 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        desktop.messages->shown.clear();
        desktop.messages->answers = {desktop::Answer::No};
        cApp entry;
        EXPECT_EQ(EndStatus([&] { entry.FromString(c.line); }), 1);
        EXPECT_FALSE(entry.Valid);
        ASSERT_EQ(desktop.messages->shown.size(), 1u);
        const std::string& text = desktop.messages->shown[0].text;
        EXPECT_NE(text.find(std::string("Splitting the text row ") + c.line), std::string::npos);
        EXPECT_NE(text.find(c.failure), std::string::npos) << text;
        EXPECT_NE(text.find("Sub routine : cApp.FromString \r\nError on line: " +
                            std::to_string(c.line_no)),
                  std::string::npos)
            << text;
    }
}

TEST_F(EntryLine, WritesAndReadsBackTheSameEntry) {
    const char* lines[] = {"12.24\tAnna Eva\t0", "3.7\tJohn Smith\t1965", "-1.0\t\t-5",
                           "13.40\t  spaced, names ;\t32767"};
    for (const char* line : lines) {
        cApp first;
        first.FromString(line);
        EXPECT_EQ(first.ToString(), line);
        cApp second;
        second.FromString(first.ToString());
        EXPECT_EQ(second.ToString(), first.ToString());
        EXPECT_TRUE(second.Valid);
    }
}

class Appointment : public testsupport::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        modOutlookCode::objCalendar = app->calendar;
    }
    cApp Entry(int16_t month, int16_t day, const std::string& names, int16_t birthYear = 0) {
        cApp entry;
        entry.AppMonth = month;
        entry.AppDay = day;
        entry.Subject = names;
        entry.BirthYear = birthYear;
        return entry;
    }
    std::shared_ptr<fakeoutlook::FakeApplication> app =
        std::make_shared<fakeoutlook::FakeApplication>();
    const std::string credit =
        std::string("Outlook Velmora provided for free by ") + publisher::kWebSite + "\r\n\r\n";
    std::string Lookup(const std::string& word) {
        return word + ": " + publisher::kNameLookupSite + "/cgi-bin/search.cgi?terms=" + word +
               "\r\n";
    }
};

TEST_F(Appointment, ANameDayMakesTheCallsInOrder) {
    int16_t year = 2006;
    Entry(12, 24, "Anna Eva").ToOutlook(year);
    EXPECT_EQ(app->log->calls, (std::vector<std::string>{
                                   "Items", "Items.Add=IPM.Appointment", "Start=2006-12-24",
                                   "AllDayEvent=True", "Subject=Anna Eva", "Categories=Name Days",
                                   "Body", "ReminderSet=False", "Save", "Close=0"}));
    ASSERT_EQ(app->calendar->saved.size(), 1u);
    EXPECT_EQ(app->calendar->saved[0].body, credit);
    EXPECT_EQ(modErroHandling::strAction,
              "Adding the appointment to Outlook:\r\n12.24\tAnna Eva\t0");
}

TEST_F(Appointment, BirthdaysCarryTheAgeAndLookupLines) {
    struct Case {
        const char* names;
        int16_t birthYear;
        const char* subject;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"John Smith", 1965, "John Smith: 41 years", {"John", "Smith"}},
        {"Anna", 2006, "Anna: 0 years", {"Anna"}},
        {"Zoe", 2010, "Zoe: -4 years", {"Zoe"}},
        {"A  B", 2000, "A  B: 6 years", {"A", "", "B"}},
        {"", 2000, ": 6 years", {}},
    };
    int16_t year = 2006;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names);
        app->calendar->saved.clear();
        Entry(3, 7, c.names, c.birthYear).ToOutlook(year);
        ASSERT_EQ(app->calendar->saved.size(), 1u);
        const auto& saved = app->calendar->saved[0];
        EXPECT_EQ(saved.subject, c.subject);
        EXPECT_EQ(saved.categories, "Birthdays");
        std::string body = credit + "More info about todays names: \r\n";
        for (const auto& word : c.words)
            body += Lookup(word);
        EXPECT_EQ(saved.body, body);
        EXPECT_FALSE(saved.reminder);
        EXPECT_TRUE(saved.allDay);
    }
}

TEST_F(Appointment, DatesCarryOverLikeACalendar) {
    struct Case {
        int16_t month, day;
        const char* date;
    };
    const Case cases[] = {{2, 29, "2006-03-01"},
                          {13, 1, "2007-01-01"},
                          {0, 1, "2005-12-01"},
                          {3, 0, "2006-02-28"},
                          {1, 32, "2006-02-01"}};
    int16_t year = 2006;
    for (const auto& c : cases) {
        app->calendar->saved.clear();
        Entry(c.month, c.day, "X").ToOutlook(year);
        ASSERT_EQ(app->calendar->saved.size(), 1u);
        EXPECT_EQ(rt::DateText(app->calendar->saved[0].start), c.date);
    }
}

TEST_F(Appointment, TwoCallsMakeTwoAppointments) {
    int16_t year = 2006;
    cApp entry = Entry(5, 5, "Twice");
    entry.ToOutlook(year);
    entry.ToOutlook(year);
    EXPECT_EQ(app->calendar->saved.size(), 2u);
}

TEST_F(Appointment, FailuresGoToTheReportUnderItsName) {
    struct Case {
        const char* what;
        int16_t year;
        std::function<void()> arrange;
        const char* number;
    };
    const Case cases[] = {
        {"year out of range", 50, [] {}, "#5"},
        {"year beyond 9999", 9999, [] {}, "#5"},
        {"no calendar", 2006, [] { modOutlookCode::objCalendar.reset(); }, "#91"},
        {"save refused", 2006, [this] { app->calendar->failSave = true; }, "#75"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        modOutlookCode::objCalendar = app->calendar;
        app->calendar->saved.clear();
        c.arrange();
        desktop.messages->shown.clear();
        desktop.messages->answers = {desktop::Answer::No};
        int16_t year = c.year;
        cApp entry = Entry(c.year == 9999 ? 13 : 12, 24, "Anna");
        EXPECT_EQ(EndStatus([&] { entry.ToOutlook(year); }), 1);
        ASSERT_EQ(desktop.messages->shown.size(), 1u);
        const std::string& text = desktop.messages->shown[0].text;
        EXPECT_NE(text.find("Sub routine : cApp.ToOutlook "), std::string::npos);
        EXPECT_NE(text.find("Adding the appointment to Outlook:\r\n"), std::string::npos);
        EXPECT_NE(text.find(c.number), std::string::npos) << text;
        EXPECT_TRUE(app->calendar->saved.empty());
        app->calendar->failSave = false;
    }
}

TEST_F(Appointment, LandsInTheRealStore) {
    auto realStore = pimstore::OpenStore(pimstore::DefaultRoot());
    modOutlookCode::objCalendar =
        realStore->GetNamespace("MAPI")->GetDefaultFolder(outlook::olFolderCalendar);
    int16_t year = 2006;
    Entry(3, 7, "John Smith", 1965).ToOutlook(year);
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(this->store / "Calendar"))
        files.push_back(e.path());
    ASSERT_EQ(files.size(), 1u);
    std::string text = testsupport::ReadBytes(files[0]);
    EXPECT_NE(text.find("SUMMARY:John Smith: 41 years"), std::string::npos) << text;
    EXPECT_NE(text.find("DTSTART;VALUE=DATE:20060307"), std::string::npos) << text;
    EXPECT_NE(text.find("CATEGORIES:Birthdays"), std::string::npos) << text;
}

// Years the program takes but the iCalendar library cannot write must not land in the
// store as an appointment on no day (it wrote them as 00000000).
TEST_F(Appointment, AYearTheStoreCannotHoldIsReportedAndNothingWritten) {
    auto realStore = pimstore::OpenStore(pimstore::DefaultRoot());
    modOutlookCode::objCalendar =
        realStore->GetNamespace("MAPI")->GetDefaultFolder(outlook::olFolderCalendar);
    desktop.messages->answers = {desktop::Answer::No};
    int16_t year = 3001;
    cApp entry = Entry(1, 1, "Neujahr");
    EXPECT_EQ(EndStatus([&] { entry.ToOutlook(year); }), 1);
    ASSERT_EQ(desktop.messages->shown.size(), 1u);
    const std::string& text = desktop.messages->shown[0].text;
    EXPECT_NE(text.find("Sub routine : cApp.ToOutlook "), std::string::npos) << text;
    EXPECT_NE(text.find("#5"), std::string::npos) << text;
    EXPECT_TRUE(std::filesystem::is_empty(this->store / "Calendar"));
}

}  // namespace
