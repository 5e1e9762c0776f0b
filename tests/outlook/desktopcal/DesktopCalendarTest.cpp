#include "outlook/desktopcal/Service.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <thread>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "lists/cApp.h"
#include "outlook/CalendarApplication.h"
#include "outlook/CalendarItem.h"
#include "outlook/calendar/Source.h"
#include "outlook/desktopcal/ServiceSource.h"
#include "outlook/modOutlookCode.h"
#include "outlook/pimstore/StoreFolders.h"
#include "outlook/pimstore/StoreSource.h"
#include "tests/support/PrivateSession.h"
#include "tests/support/ProgramTest.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using desktop::FolderNode;
using desktopcal::Ref;
using testsupport::EndStatus;
using testsupport::PrivateSession;

constexpr const char* kPersonal = "system-calendar";
constexpr const char* kBirthdays = "birthdays";
constexpr const char* kCredit = "Outlook Velmora provided for free by ";

// One event as the service gives it back.
struct Event {
    std::string uid, summary, categories, description, start, end, text;
    bool startIsDate = false, endIsDate = false, alarm = false;
};

std::string Take(gchar* text) {
    std::string result = text ? text : "";
    g_free(text);
    return result;
}

std::string TimeText(ICalTime* time, bool& isDate) {
    Ref<ICalTime> owned(time);
    if (!time)
        return "";
    isDate = i_cal_time_is_date(time);
    return Take(i_cal_time_as_ical_string(time));
}

Event EventOf(ICalComponent* event) {
    Event e;
    e.text = Take(i_cal_component_as_ical_string(event));
    e.uid = i_cal_component_get_uid(event) ? i_cal_component_get_uid(event) : "";
    e.summary = i_cal_component_get_summary(event) ? i_cal_component_get_summary(event) : "";
    const char* description = i_cal_component_get_description(event);
    e.description = description ? description : "";
    e.start = TimeText(i_cal_component_get_dtstart(event), e.startIsDate);
    e.end = TimeText(i_cal_component_get_dtend(event), e.endIsDate);
    Ref<ICalProperty> categories(
        i_cal_component_get_first_property(event, I_CAL_CATEGORIES_PROPERTY));
    if (categories)
        e.categories = i_cal_property_get_categories(categories.get());
    Ref<ICalComponent> alarm(i_cal_component_get_first_component(event, I_CAL_VALARM_COMPONENT));
    e.alarm = alarm != nullptr;
    return e;
}

// Every event of a calendar, read through a registry and a connection of their own.
std::vector<Event> EventsIn(const std::string& uid) {
    desktopcal::ErrorSlot error;
    Ref<ESourceRegistry> registry(e_source_registry_new_sync(nullptr, &error));
    EXPECT_TRUE(registry) << (error ? error.error->message : "");
    Ref<ESource> source(e_source_registry_ref_source(registry.get(), uid.c_str()));
    EXPECT_TRUE(source) << uid;
    if (!source)
        return {};
    Ref<EClient> client(e_cal_client_connect_sync(source.get(), E_CAL_CLIENT_SOURCE_TYPE_EVENTS,
                                                  static_cast<guint32>(-1), nullptr, &error));
    EXPECT_TRUE(client) << (error ? error.error->message : "");
    GSList* objects = nullptr;
    e_cal_client_get_object_list_sync(E_CAL_CLIENT(client.get()), "#t", &objects, nullptr, &error);
    std::vector<Event> events;
    for (GSList* link = objects; link; link = link->next)
        events.push_back(EventOf(I_CAL_COMPONENT(link->data)));
    g_slist_free_full(objects, g_object_unref);
    return events;
}

// The entry of a list-file line, "month.day<TAB>names<TAB>birth year".
cApp Line(const std::string& line) {
    cApp entry;
    entry.FromString(line);
    return entry;
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    return files;
}

const FolderNode* Child(const FolderNode& parent, const std::string& name) {
    for (const auto& child : parent.children)
        if (child.name == name)
            return &child;
    return nullptr;
}

class DesktopCalendar : public testsupport::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        session = std::make_unique<PrivateSession>();
        service = desktopcal::FindService(10s);
        ASSERT_NE(service, nullptr);
        app = pimstore::OpenStore(store, {service});
    }
    void TearDown() override {
        ProgramTest::TearDown();
        app.reset();
        service.reset();
        session.reset();
    }

    std::shared_ptr<outlook::NameSpace> Mapi() { return app->GetNamespace("MAPI"); }
    std::shared_ptr<outlook::Folder> DefaultCalendar() {
        return Mapi()->GetDefaultFolder(outlook::olFolderCalendar);
    }
    // The report's text when the entry's write ended the program, else empty.
    std::string ReportOf(cApp entry, int16_t year) {
        desktop.messages->shown.clear();
        desktop.messages->answers = {desktop::Answer::No};
        std::optional<int> status = EndStatus([&] { entry.ToOutlook(year); });
        if (!status || desktop.messages->shown.empty())
            return "";
        return desktop.messages->shown.back().text;
    }

    bool RegistryHas(const std::string& uid) {
        Ref<ESource> source(
            e_source_registry_ref_source(service->GetService()->Registry(), uid.c_str()));
        return source != nullptr;
    }
    static void ExpectServiceGone(const std::string& report) {
        EXPECT_NE(report.find("Sub routine : cApp.ToOutlook "), std::string::npos) << report;
        EXPECT_NE(report.find("#" + std::to_string(desktopcal::kServiceGone)), std::string::npos)
            << report;
    }

    std::string StoreId(const std::string& folder) const {
        return fs::absolute(folder.empty() ? store : store / folder).string();
    }

    std::unique_ptr<PrivateSession> session;
    std::shared_ptr<desktopcal::ServiceSource> service;
    std::shared_ptr<outlook::CalendarApplication> app;
};

TEST_F(DesktopCalendar, TheDefaultCalendarReceivesNameDaysAndBirthdaysAsAllDayEvents) {
    modOutlookCode::objCalendar = DefaultCalendar();
    int16_t year = 2006;
    Line("12.24\tAnna, Eva; Åsa\t").ToOutlook(year);
    Line("3.7\tJohn Smith\t1965").ToOutlook(year);
    EXPECT_TRUE(desktop.messages->shown.empty());

    std::vector<Event> events = EventsIn(kPersonal);
    ASSERT_EQ(events.size(), 2u);
    if (events[0].summary != "Anna, Eva; Åsa")
        std::swap(events[0], events[1]);
    struct Expected {
        const char *summary, *categories, *start, *end;
        std::vector<std::string> bodyLines;
    };
    const Expected expected[] = {
        {"Anna, Eva; Åsa", "Name Days", "20061224", "20061225", {}},
        {"John Smith: 41 years",
         "Birthdays",
         "20060307",
         "20060308",
         {"More info about todays names: ", "John: ", "Smith: "}},
    };
    for (size_t i = 0; i < 2; ++i) {
        const Event& e = events[i];
        SCOPED_TRACE(e.text);
        EXPECT_EQ(e.summary, expected[i].summary);
        EXPECT_EQ(e.categories, expected[i].categories);
        EXPECT_TRUE(e.startIsDate);
        EXPECT_TRUE(e.endIsDate);
        EXPECT_EQ(e.start, expected[i].start);
        EXPECT_EQ(e.end, expected[i].end);
        EXPECT_FALSE(e.alarm);
        EXPECT_EQ(e.uid.size(), 36u);
        EXPECT_NE(e.text.find("DTSTAMP:"), std::string::npos);
        EXPECT_NE(e.text.find("TRANSP:TRANSPARENT"), std::string::npos);
        EXPECT_NE(e.text.find(std::string("DTSTART;VALUE=DATE:") + expected[i].start),
                  std::string::npos);
        EXPECT_TRUE(e.description.starts_with(kCredit));
        EXPECT_EQ(e.description.find('\r'), std::string::npos);
        EXPECT_NE(e.description.find("\n\n"), std::string::npos);
        for (const auto& line : expected[i].bodyLines)
            EXPECT_NE(e.description.find("\n" + line), std::string::npos) << line;
    }
    EXPECT_NE(events[0].uid, events[1].uid);
    EXPECT_TRUE(FilesIn(store / "Calendar").empty());
}

TEST_F(DesktopCalendar, SaveCreatesOnceThenChangesTheSameEvent) {
    auto item = DefaultCalendar()->Items()->Add("IPM.Appointment");
    item->SetStart(rt::DateSerial(2007, 5, 1));
    item->SetAllDayEvent(true);
    item->SetSubject("First");
    item->Save();
    item->SetSubject("Second");
    item->SetReminderSet(true);
    item->Close(outlook::olSave);
    item->SetSubject("Dropped");
    item->Close(1);
    std::vector<Event> events = EventsIn(kPersonal);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].summary, "Second");
    EXPECT_TRUE(events[0].alarm);
    EXPECT_EQ(events[0].uid, static_cast<outlook::CalendarItem&>(*item).Uid());
    EXPECT_THROW(DefaultCalendar()->Items()->Add("IPM.Note"), rt::Failure);
}

TEST_F(DesktopCalendar, FoldersOfEveryKindAndEverythingElseAsTheStoreDoes) {
    struct Case {
        int32_t folder;
        int32_t itemType;
        bool takesAppointments;
    };
    const Case cases[] = {
        {outlook::olFolderCalendar, outlook::olAppointmentItem, true},
        {outlook::olFolderTasks, outlook::olTaskItem, false},
        {outlook::olFolderNotes, outlook::olNoteItem, false},
        {outlook::olFolderContacts, outlook::olContactItem, false},
        {outlook::olFolderInbox, outlook::olMailItem, false},
        {outlook::olFolderDrafts, outlook::olMailItem, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        auto folder = Mapi()->GetDefaultFolder(c.folder);
        EXPECT_EQ(folder->DefaultItemType(), c.itemType);
        if (c.itemType != outlook::olMailItem && !c.takesAppointments) {
            EXPECT_THROW(folder->Items(), rt::Failure);
        }
    }
    EXPECT_THROW(Mapi()->GetDefaultFolder(3), rt::Failure);
    EXPECT_THROW(app->GetNamespace("OTHER"), rt::Failure);

    std::string version = app->Version();
    EXPECT_GE(modOutlookCode::fncMajorVersion(version), 9);
    EXPECT_NE(app->Version().find("evolution-data-server"), std::string::npos);

    auto mail = app->CreateItem(outlook::olMailItem);
    mail->SetSubject("Error in Outlook Velmora");
    mail->Display();
    EXPECT_EQ(FilesIn(store / "Drafts").size(), 1u);
    try {
        app->Assistant();
        ADD_FAILURE() << "an assistant";
    } catch (const rt::Failure& failure) {
        EXPECT_EQ(failure.Number(), rt::kCannotCreateObject);
    }
    EXPECT_NE(app->CreateObject("Scripting.Dictionary"), nullptr);
}

TEST_F(DesktopCalendar, TheConnectionAttachesToTheRunningServiceAndOpensAWindow) {
    automation::Objects().SetRunning(outlook::kApplicationClass, app);
    int32_t inbox = outlook::olFolderInbox;
    modOutlookCode::subStartOutlook(inbox);
    EXPECT_EQ(modOutlookCode::objOutlook, app);
    EXPECT_EQ(app->Explorers()->Count(), 1);
    EXPECT_NE(app->ActiveExplorer(), nullptr);
    EXPECT_TRUE(desktop.messages->shown.empty());
}

TEST_F(DesktopCalendar, TheChooserShowsTheCalendarsAsTheDesktopDoesThenTheStore) {
    EXPECT_EQ(Mapi()->PickFolder(), nullptr);  // the user cancels
    ASSERT_EQ(chooser->trees.size(), 1u);
    EXPECT_EQ(chooser->proposedNames, (std::vector<std::string>{calendar::kNewCalendarName}));
    const auto& tree = chooser->trees[0];
    ASSERT_GE(tree.size(), 2u);

    EXPECT_EQ(tree[0].name, "On This Computer");
    EXPECT_FALSE(tree[0].choosable);
    EXPECT_TRUE(tree[0].reason.empty());
    const FolderNode* personal = Child(tree[0], "Personal");
    ASSERT_NE(personal, nullptr);
    EXPECT_EQ(personal->id, kPersonal);
    EXPECT_TRUE(personal->choosable);
    EXPECT_TRUE(personal->reason.empty());
    EXPECT_TRUE(personal->color.starts_with("#")) << personal->color;

    const FolderNode* birthdays = desktop::testing::FindNode(tree, kBirthdays);
    ASSERT_NE(birthdays, nullptr);
    EXPECT_EQ(birthdays->name, "Birthdays & Anniversaries");
    EXPECT_FALSE(birthdays->choosable);
    EXPECT_EQ(birthdays->reason, desktopcal::kReadOnlyReason);

    const FolderNode& stored = tree.back();
    EXPECT_EQ(stored.name, pimstore::kStoreName);
    EXPECT_EQ(stored.id, StoreId(""));
    EXPECT_FALSE(stored.choosable);
    std::vector<std::string> names;
    for (const auto& child : stored.children)
        names.push_back(child.name + (child.choosable ? "" : " (" + child.reason + ")"));
    EXPECT_EQ(names, (std::vector<std::string>{"Calendar", "Drafts (mail folder)",
                                               "Inbox (mail folder)"}));
    EXPECT_EQ(Child(stored, "Calendar")->id, StoreId("Calendar"));
}

TEST_F(DesktopCalendar, PickFolderGivesWhatWasChosen) {
    struct Case {
        std::string answer;
        const char* title;  // empty: nothing comes back
    };
    const Case cases[] = {
        {kPersonal, "Personal (On This Computer)"},
        {kBirthdays, ""},
        {StoreId("Calendar"), "Calendar (Velmora store)"},
        {StoreId("Inbox"), ""},
        {StoreId(""), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        chooser->answer = c.answer;
        auto folder = Mapi()->PickFolder();
        if (!*c.title) {
            EXPECT_EQ(folder, nullptr);
            continue;
        }
        ASSERT_NE(folder, nullptr);
        EXPECT_EQ(folder->DefaultItemType(), outlook::olAppointmentItem);
        EXPECT_EQ(folder->Title(), c.title);
    }
    EXPECT_EQ(chooser->titles.size(), std::size(cases));
}

TEST_F(DesktopCalendar, ANewCalendarOfTheServiceIsChosenAndReceives) {
    chooser->newName = calendar::kNewCalendarName;
    chooser->selected = kPersonal;
    auto folder = Mapi()->PickFolder();
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->Title(), "Name Days (On This Computer)");
    ASSERT_EQ(chooser->trees.size(), 2u);
    const FolderNode* made = Child(chooser->trees.back()[0], "Name Days");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->choosable);

    modOutlookCode::objCalendar = folder;
    int16_t year = 2008;
    Line("2.29\tLeap\t").ToOutlook(year);
    std::vector<Event> events = EventsIn(made->id);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].summary, "Leap");
    EXPECT_EQ(events[0].start, "20080229");
    EXPECT_TRUE(EventsIn(kPersonal).empty());
}

TEST_F(DesktopCalendar, ANewCalendarInTheStoreIsAFolderThere) {
    struct Case {
        std::string selected;
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {StoreId(""), "Name Days", "Name Days"},
        {StoreId("Calendar"), "Name Days", "Calendar/Name Days"},
        {StoreId("Inbox"), "Name Days 2", "Name Days 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        chooser->newName = c.name;
        chooser->selected = c.selected;
        auto folder = Mapi()->PickFolder();
        ASSERT_NE(folder, nullptr);
        EXPECT_TRUE(fs::is_directory(store / c.path));
        modOutlookCode::objCalendar = folder;
        int16_t year = 2006;
        Line("1.1\tNew Year\t").ToOutlook(year);
        EXPECT_EQ(FilesIn(store / c.path).size(), 1u);
    }
    EXPECT_TRUE(EventsIn(kPersonal).empty());
}

TEST_F(DesktopCalendar, ANewCalendarNeedsANameThatMakesOneNewFolder) {
    struct Case {
        const char* name;
        std::string near;
        int32_t number;
    };
    const Case cases[] = {
        {"  ", "", rt::kInvalidCall},
        {"", StoreId(""), rt::kInvalidCall},
        {"a/b", StoreId(""), rt::kInvalidCall},
        {"..", StoreId(""), rt::kInvalidCall},
        {".hidden", StoreId(""), rt::kInvalidCall},
        {"Calendar", StoreId(""), 58},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            app->NewCalendar(c.name, c.near);
            ADD_FAILURE() << "made a calendar";
        } catch (const rt::Failure& failure) {
            EXPECT_EQ(failure.Number(), c.number) << failure.Description();
        }
    }
}

TEST_F(DesktopCalendar, AReadOnlyTargetIsReportedAndNothingIsWritten) {
    modOutlookCode::objCalendar = app->FolderFor(kBirthdays);
    std::string report = ReportOf(Line("12.24\tAnna\t"), 2006);
    EXPECT_NE(report.find("Sub routine : cApp.ToOutlook "), std::string::npos) << report;
    EXPECT_NE(report.find("#70"), std::string::npos) << report;
    EXPECT_NE(report.find("Permission denied"), std::string::npos) << report;
    EXPECT_TRUE(EventsIn(kBirthdays).empty());
    EXPECT_TRUE(EventsIn(kPersonal).empty());
    EXPECT_TRUE(FilesIn(store / "Calendar").empty());
}

TEST_F(DesktopCalendar, AServiceThatGoesAwayMidRunIsReported) {
    modOutlookCode::objCalendar = DefaultCalendar();
    int16_t year = 2006;
    Line("1.1\tBefore\t").ToOutlook(year);
    session->Kill(PrivateSession::kCalendarName);
    ExpectServiceGone(ReportOf(Line("1.2\tAfter\t"), 2006));
}

// GLib ends a process whose shared bus connection closes, unless told otherwise; the
// program must live on to report.
TEST_F(DesktopCalendar, ASessionBusThatGoesAwayMidRunIsReported) {
    Ref<GDBusConnection> shared(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    ASSERT_FALSE(g_dbus_connection_get_exit_on_close(shared.get()));
    shared.reset();
    modOutlookCode::objCalendar = DefaultCalendar();
    int16_t year = 2006;
    Line("1.1\tBefore\t").ToOutlook(year);
    kill(session->BusPid(), SIGKILL);
    ExpectServiceGone(ReportOf(Line("1.2\tAfter\t"), 2006));
}

TEST_F(DesktopCalendar, ACalendarRemovedMidRunIsReported) {
    std::string uid = service->GetService()->NewLocalCalendar("Short-lived");
    auto folder = app->FolderFor(uid);
    modOutlookCode::objCalendar = folder;
    int16_t year = 2006;
    Line("1.1\tBefore\t").ToOutlook(year);
    auto pending = folder->Items()->Add("IPM.Appointment");
    pending->SetSubject("Pending");
    Ref<ESource> source = service->GetService()->Source(uid);
    desktopcal::ErrorSlot error;
    ASSERT_TRUE(e_source_remove_sync(source.get(), nullptr, &error));
    // The registry hears of the removal on a thread of its own.
    for (int i = 0; i < 500 && RegistryHas(uid); ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_FALSE(RegistryHas(uid));

    std::string report = ReportOf(Line("1.2\tAfter\t"), 2006);
    EXPECT_NE(report.find("Sub routine : cApp.ToOutlook "), std::string::npos) << report;
    EXPECT_NE(report.find("#76"), std::string::npos) << report;
    EXPECT_NE(report.find("Short-lived"), std::string::npos) << report;
    try {
        pending->Save();
        ADD_FAILURE() << "saved into a removed calendar";
    } catch (const rt::Failure& failure) {
        EXPECT_NE(failure.Description().find("Short-lived"), std::string::npos);
        EXPECT_EQ(failure.Number(), rt::kPathNotFound) << failure.Description();
    }
}

}  // namespace
