#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "outlook/CalendarApplication.h"
#include "outlook/CalendarFolder.h"
#include "outlook/calendar/ICalendar.h"
#include "outlook/pimstore/StoreCalendar.h"
#include "outlook/pimstore/StoreFolders.h"
#include "outlook/pimstore/StoreMail.h"
#include "outlook/pimstore/StoreSource.h"
#include "tests/support/ProgramTest.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Files(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs a command and gives what it printed.
std::string Output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return text;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    pclose(pipe);
    return text;
}

class Store : public testsupport::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        app = pimstore::OpenStore(pimstore::DefaultRoot());
        source = std::dynamic_pointer_cast<pimstore::StoreSource>(app->CalendarSources().back());
        ASSERT_NE(source, nullptr);
    }
    std::shared_ptr<outlook::CalendarApplication> app;
    std::shared_ptr<pimstore::StoreSource> source;
    std::shared_ptr<outlook::Folder> FolderAt(const std::string& relative) {
        return std::make_shared<outlook::CalendarFolder>(source->FolderAt(relative),
                                                         pimstore::kStoreName);
    }
    // The store's own folder behind what the object model gives, or none.
    static std::shared_ptr<pimstore::StoreCalendar> StoreCalendarOf(
        const std::shared_ptr<outlook::Folder>& folder) {
        auto shown = std::dynamic_pointer_cast<outlook::CalendarFolder>(folder);
        return shown ? std::dynamic_pointer_cast<pimstore::StoreCalendar>(shown->Calendar())
                     : nullptr;
    }
    std::shared_ptr<outlook::Folder> Calendar() {
        return app->GetNamespace("MAPI")->GetDefaultFolder(outlook::olFolderCalendar);
    }
    void AddAllDay(const std::shared_ptr<outlook::Folder>& folder, int y, int m, int d,
                   const std::string& subject, const std::string& body = "") {
        auto item = folder->Items()->Add("IPM.Appointment");
        item->SetStart(rt::DateSerial(y, m, d));
        item->SetAllDayEvent(true);
        item->SetSubject(subject);
        item->SetCategories("Name Days");
        item->SetBody(body);
        item->SetReminderSet(false);
        item->Save();
        item->Close(outlook::olSave);
    }
};

TEST_F(Store, LivesUnderTheConfiguredRootWithItsDefaultFolders) {
    EXPECT_EQ(source->Root(), store);
    EXPECT_TRUE(pimstore::IsMailFolder(store / "Inbox"));
    EXPECT_TRUE(pimstore::IsMailFolder(store / "Drafts"));
    EXPECT_TRUE(fs::is_directory(store / "Calendar"));
    auto ns = app->GetNamespace("MAPI");
    EXPECT_EQ(ns->GetDefaultFolder(outlook::olFolderInbox)->DefaultItemType(), 0);
    EXPECT_EQ(ns->GetDefaultFolder(outlook::olFolderDrafts)->DefaultItemType(), 0);
    EXPECT_EQ(ns->GetDefaultFolder(outlook::olFolderCalendar)->DefaultItemType(), 1);
    EXPECT_THROW(ns->GetDefaultFolder(3), rt::Failure);
    EXPECT_THROW(app->GetNamespace("OTHER"), rt::Failure);
}

TEST_F(Store, RootFollowsTheEnvironment) {
    desktop::Services().paths = desktop::ProductPlatform().paths;
    setenv("VELMORA_STORE", "", 1);
    setenv("XDG_DATA_HOME", "/data/x", 1);
    EXPECT_EQ(pimstore::DefaultRoot(), fs::path("/data/x/velmora/store"));
    unsetenv("XDG_DATA_HOME");
    std::string home = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(pimstore::DefaultRoot(), fs::path("/home/someone/.local/share/velmora/store"));
    setenv("HOME", home.c_str(), 1);
    unsetenv("VELMORA_STORE");
}

TEST_F(Store, FoldersNestAndNeverLeaveTheRoot) {
    fs::create_directories(store / "Calendar" / "Family");
    fs::create_directories(desktop.paths->root / "outside");
    auto family = FolderAt("Calendar/Family");
    EXPECT_EQ(family->DefaultItemType(), 1);
    AddAllDay(family, 2006, 12, 24, "Anna");
    EXPECT_EQ(Files(store / "Calendar" / "Family").size(), 1u);
    EXPECT_TRUE(Files(store / "Calendar").empty());
    for (const char* bad : {"../outside", "/etc", "Calendar/../../outside", "Missing", ""}) {
        EXPECT_THROW(source->FolderAt(bad), rt::Failure) << bad;
    }
}

TEST_F(Store, SavesOneICalendarFilePerItemThatLibicalReadsBack) {
    AddAllDay(Calendar(), 2006, 12, 24, "Anna, Eva; Åsa Ōno",
              "Line one, with comma; and semicolon\r\nLine two ő");
    AddAllDay(Calendar(), 2006, 3, 7, "John");
    auto files = Files(store / "Calendar");
    ASSERT_EQ(files.size(), 2u);
    std::set<std::string> uids;
    bool sawAnna = false;
    for (const auto& file : files) {
        EXPECT_EQ(file.extension(), ".ics");
        icalcomponent* calendar = icalparser_parse_string(testsupport::ReadBytes(file).c_str());
        ASSERT_NE(calendar, nullptr);
        icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
        ASSERT_NE(event, nullptr);
        std::string uid = icalcomponent_get_uid(event);
        EXPECT_EQ(file.stem().string(), uid);
        uids.insert(uid);
        EXPECT_EQ(icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT), nullptr);
        if (std::string(icalcomponent_get_summary(event)) == "Anna, Eva; Åsa Ōno") {
            sawAnna = true;
            icaltimetype start = icalcomponent_get_dtstart(event);
            icaltimetype end = icalcomponent_get_dtend(event);
            EXPECT_TRUE(start.is_date);
            EXPECT_EQ(std::string(icaltime_as_ical_string(start)), "20061224");
            EXPECT_EQ(std::string(icaltime_as_ical_string(end)), "20061225");
            EXPECT_EQ(std::string(icalcomponent_get_description(event)),
                      "Line one, with comma; and semicolon\nLine two ő");
            icalproperty* categories =
                icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
            ASSERT_NE(categories, nullptr);
            EXPECT_EQ(std::string(icalproperty_get_categories(categories)), "Name Days");
            EXPECT_NE(testsupport::ReadBytes(file).find("TRANSP:TRANSPARENT"), std::string::npos);
            EXPECT_NE(testsupport::ReadBytes(file).find("DTSTART;VALUE=DATE:20061224"),
                      std::string::npos);
        }
        icalcomponent_free(calendar);
    }
    EXPECT_TRUE(sawAnna);
    EXPECT_EQ(uids.size(), 2u);
    for (const auto& entry : fs::directory_iterator(store / "Calendar"))
        EXPECT_EQ(entry.path().extension(), ".ics") << "left behind: " << entry.path();
}

TEST_F(Store, RemindersAndTimedItems) {
    auto item = Calendar()->Items()->Add("IPM.Appointment");
    item->SetStart(rt::Date{rt::DateSerial(2006, 5, 1).serial + 0.5});
    item->SetSubject("Lunch");
    item->SetReminderSet(true);
    item->Save();
    std::string text = testsupport::ReadBytes(Files(store / "Calendar").at(0));
    EXPECT_NE(text.find("DTSTART:20060501T120000"), std::string::npos) << text;
    EXPECT_NE(text.find("DTEND:20060501T123000"), std::string::npos) << text;
    EXPECT_NE(text.find("BEGIN:VALARM"), std::string::npos);
    EXPECT_NE(text.find("TRIGGER:-PT15M"), std::string::npos);

    item->SetSubject("Late lunch");
    item->Close(outlook::olSave);  // saves the change into the same file
    auto files = Files(store / "Calendar");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(testsupport::ReadBytes(files[0]).find("SUMMARY:Late lunch"), std::string::npos);
}

TEST_F(Store, AVanishedFolderFailsNamingIt) {
    fs::create_directories(store / "Calendar" / "Old");
    auto old = FolderAt("Calendar/Old");
    auto item = old->Items()->Add("IPM.Appointment");
    fs::remove_all(store / "Calendar" / "Old");
    try {
        item->Save();
        FAIL() << "saved into a vanished folder";
    } catch (const rt::Failure& failure) {
        EXPECT_EQ(failure.Number(), rt::kPathNotFound);
        EXPECT_NE(failure.Description().find("Old"), std::string::npos);
    }
}

TEST_F(Store, WindowsLiveInMemory) {
    EXPECT_EQ(app->ActiveExplorer(), nullptr);
    EXPECT_THROW(app->ActiveWindow(), rt::Failure);
    EXPECT_THROW(app->Assistant(), rt::Failure);
    auto explorers = app->Explorers();
    EXPECT_EQ(explorers->Count(), 0);
    auto inbox = app->GetNamespace("MAPI")->GetDefaultFolder(outlook::olFolderInbox);
    explorers->Add(inbox, 0);
    EXPECT_EQ(app->ActiveExplorer(), nullptr);
    explorers->Item(1)->Activate();
    EXPECT_EQ(app->ActiveExplorer(), explorers->Item(1));
    EXPECT_EQ(app->ActiveWindow()->Caption(), "Inbox - Velmora store");
    EXPECT_GE(std::stoi(app->Version().substr(0, app->Version().find('.'))), 9);
}

TEST_F(Store, PickFolderAsksTheChooser) {
    fs::create_directories(store / "Calendar" / "Family");
    auto ns = app->GetNamespace("MAPI");
    EXPECT_EQ(ns->PickFolder(), nullptr);
    chooser->answer = store / "Calendar" / "Family";
    auto picked = StoreCalendarOf(ns->PickFolder());
    ASSERT_NE(picked, nullptr);
    EXPECT_EQ(picked->Name(), "Family");
    EXPECT_EQ(chooser->titles, (std::vector<std::string>{"Velmora store", "Velmora store"}));
}

// The chooser is shown the folders a user sees: no hidden folders, no Maildir internals.
TEST_F(Store, TheChooserSeesTheStoresFolders) {
    fs::create_directories(store / "Calendar" / "Family");
    fs::create_directories(store / "Calendar" / ".hidden");
    chooser->answer = std::nullopt;
    app->GetNamespace("MAPI")->PickFolder();
    ASSERT_EQ(chooser->trees.size(), 1u);
    ASSERT_EQ(chooser->trees[0].size(), 1u);
    const desktop::FolderNode& top = chooser->trees[0][0];
    EXPECT_EQ(top.name, "Velmora store");
    EXPECT_FALSE(top.choosable);
    std::vector<std::string> seen;
    for (const auto& folder : top.children) {
        seen.push_back(folder.name + (folder.mail ? " (mail)" : ""));
        for (const auto& sub : folder.children)
            seen.push_back(folder.name + "/" + sub.name);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"Calendar", "Calendar/Family", "Drafts (mail)",
                                              "Inbox (mail)"}));
    EXPECT_EQ(top.children[0].children[0].id, (store / "Calendar" / "Family").string());
}

TEST_F(Store, DisplayStoresADraftAndOpensTheComposer) {
    auto mail = app->CreateItem(outlook::olMailItem);
    mail->SetTo("support@velmora.example");
    mail->SetSubject("Error in Outlook Velmora 2.0.7 – Größe");
    mail->SetBody("Line one\r\nLine two ő");
    mail->Display();
    auto drafts = Files(store / "Drafts" / "cur");
    ASSERT_EQ(drafts.size(), 1u);
    EXPECT_TRUE(drafts[0].filename().string().ends_with(":2,D"));
    std::string script =
        "import email,sys\n"
        "from email.header import decode_header, make_header\n"
        "m=email.message_from_binary_file(open(sys.argv[1],'rb'))\n"
        "print(m['To']);print(str(make_header(decode_header(m['Subject']))))\n"
        "print(m['Message-ID'] is not None, m['Date'] is not None)\n"
        "print(m.get_payload(decode=True).decode('utf-8'),end='')\n";
    std::ofstream(desktop.paths->temp / "parse.py") << script;
    std::string parsed = Output("python3 " + (desktop.paths->temp / "parse.py").string() + " '" +
                                drafts[0].string() + "'");
    EXPECT_EQ(parsed,
              "support@velmora.example\nError in Outlook Velmora 2.0.7 – Größe\nTrue True\n"
              "Line one\nLine two ő\n");
    ASSERT_EQ(desktop.launcher->started.size(), 1u);
    EXPECT_EQ(desktop.launcher->started[0].first, "xdg-email");
    EXPECT_EQ(
        desktop.launcher->started[0].second,
        (std::vector<std::string>{"--subject", "Error in Outlook Velmora 2.0.7 – Größe", "--body",
                                  "Line one\r\nLine two ő", "support@velmora.example"}));
}

TEST_F(Store, ADraftIsKeptWhenNoComposerOpensAndDisplaySaysWhere) {
    struct Case {
        const char* what;
        bool noXdgEmail;
        bool noMailProgram;
    };
    for (const Case c : {Case{"xdg-email cannot start", true, false},
                         Case{"no program for mailto: addresses", false, true}}) {
        SCOPED_TRACE(c.what);
        fs::remove_all(store / "Drafts" / "cur");
        fs::create_directories(store / "Drafts" / "cur");
        desktop.launcher->failing = c.noXdgEmail;
        desktop.launcher->schemesWithoutHandler.clear();
        if (c.noMailProgram)
            desktop.launcher->schemesWithoutHandler.insert("mailto");
        auto mail =
            std::dynamic_pointer_cast<pimstore::StoreMail>(app->CreateItem(outlook::olMailItem));
        ASSERT_NE(mail, nullptr);
        mail->SetTo("a@b.example");
        try {
            mail->Display();
            ADD_FAILURE() << "Display went through";
        } catch (const rt::Failure& failure) {
            EXPECT_EQ(failure.Description(),
                      "No mail program could be started. The mail is kept as a draft in " +
                          mail->DraftFile().string());
        }
        EXPECT_EQ(Files(store / "Drafts" / "cur"), std::vector<fs::path>{mail->DraftFile()});
        EXPECT_TRUE(desktop.launcher->started.empty());
    }
    EXPECT_THROW(app->CreateItem(1), rt::Failure);
}

TEST_F(Store, KhalListsWhatTheStoreWrote) {
    AddAllDay(Calendar(), 2006, 12, 24, "Anna, Eva");
    AddAllDay(Calendar(), 2006, 12, 26, "Stefan");
    fs::path config = desktop.paths->root / "khal.conf";
    std::ofstream(config) << "[calendars]\n[[names]]\npath = " << (store / "Calendar").string()
                          << "\n[locale]\ndateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"
                             "timeformat = %H:%M\ndatetimeformat = %Y-%m-%d %H:%M\n"
                             "longdatetimeformat = %Y-%m-%d %H:%M\n"
                          << "[sqlite]\npath = " << (desktop.paths->root / "khal.db").string()
                          << "\n";
    std::string listed = Output("HOME=" + desktop.paths->root.string() + " khal -c " +
                                config.string() + " list 2006-12-20 10d 2>&1");
    auto anna = listed.find("2006-12-24");
    auto stefan = listed.find("2006-12-26");
    ASSERT_NE(anna, std::string::npos) << listed;
    ASSERT_NE(stefan, std::string::npos) << listed;
    EXPECT_NE(listed.find("Anna, Eva", anna), std::string::npos) << listed;
    EXPECT_LT(listed.find("Anna, Eva", anna), stefan) << listed;
    EXPECT_NE(listed.find("Stefan", stefan), std::string::npos) << listed;
}

// "New calendar..." in the store's chooser makes a calendar folder beside the selection and
// chooses it; a mail folder is no place for one, and a name taken is refused.
TEST_F(Store, TheChooserMakesANewCalendarFolderAndChoosesIt) {
    struct Case {
        std::string selected;  // the chooser's id of the selection
        const char* name;
        fs::path made;
    };
    const Case cases[] = {
        {"", "Name Days", store / "Name Days"},
        {(store / "Calendar").string(), "Name Days", store / "Calendar" / "Name Days"},
        {(store / "Inbox").string(), "Family", store / "Family"},
    };
    auto ns = app->GetNamespace("MAPI");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.made);
        chooser->newName = c.name;
        chooser->selected = c.selected;
        auto folder = ns->PickFolder();
        auto picked = StoreCalendarOf(folder);
        ASSERT_NE(picked, nullptr);
        EXPECT_EQ(picked->Path(), c.made);
        EXPECT_EQ(folder->DefaultItemType(), outlook::olAppointmentItem);
    }
    EXPECT_EQ(chooser->proposedNames, std::vector<std::string>(3, calendar::kNewCalendarName));

    chooser->newName = "Calendar";
    chooser->selected = "";
    EXPECT_EQ(ns->PickFolder(), nullptr);
    ASSERT_EQ(chooser->refusals.size(), 1u);
    EXPECT_NE(chooser->refusals[0].find("already exists"), std::string::npos);
}

}  // namespace

namespace {

// Other programs write appointments into the same folder under names of their own, and
// leave files that are no appointments: finding reads the former and passes over the rest.
TEST_F(Store, FindAndRemoveTakeWhatOtherProgramsWroteAndPassOverTheRest) {
    auto calendar = source->FolderAt("Calendar");
    fs::path folder = store / "Calendar";
    calendar::Appointment own{
        "own-uid", rt::DateSerial(2006, 1, 6), true, "Kaspar", "Name Days", "", false};
    calendar->Add(own);
    calendar::Appointment foreign = own;
    foreign.uid = "foreign-uid";
    foreign.subject = "Melchior";
    std::ofstream(folder / "written-by-khal.ics") << calendar::ToICalendar(foreign);
    std::ofstream(folder / "notes.ics") << "not iCalendar";
    std::ofstream(folder / ".own-uid.ics.0123abcd.tmp") << calendar::ToICalendar(own);
    std::ofstream(folder / "README.txt") << calendar::ToICalendar(own);

    auto found = calendar->Find(rt::DateSerial(2006, 1, 1), rt::DateSerial(2006, 12, 31));
    std::vector<std::string> uids;
    for (const auto& appointment : found)
        uids.push_back(appointment.uid);
    std::sort(uids.begin(), uids.end());
    EXPECT_EQ(uids, (std::vector<std::string>{"foreign-uid", "own-uid"}));

    calendar->Remove("foreign-uid");
    calendar->Remove("own-uid");
    EXPECT_FALSE(fs::exists(folder / "written-by-khal.ics"));
    EXPECT_FALSE(fs::exists(calendar->File("own-uid")));
    EXPECT_TRUE(fs::exists(folder / "notes.ics"));
    try {
        calendar->Remove("own-uid");
        ADD_FAILURE() << "removed twice";
    } catch (const rt::Failure& failure) {
        EXPECT_EQ(failure.Number(), rt::kPathNotFound);
    }
}

}  // namespace
