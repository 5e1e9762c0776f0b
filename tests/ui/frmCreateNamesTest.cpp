#include "ui/frmCreateNames.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "grid/cListHandler.h"
#include "grid/owc/CellText.h"
#include "grid/owc/ColumnMetrics.h"
#include "lists/cAppFiles.h"
#include "outlook/modOutlookCode.h"
#include "platform/runtime/Publisher.h"
#include "tests/support/FakeOutlook.h"
#include "tests/support/ProgramTest.h"
#include "ui/GridTabs.h"
#include "ui/LinkLabel.h"

namespace {

namespace fs = std::filesystem;
using testsupport::EndStatus;

struct Appointment {
    std::string summary;
    std::string date;  // YYYYMMDD
};

// The one value of a property line of an iCalendar file, unfolded.
std::string Property(const std::string& ics, const std::string& name) {
    std::string unfolded;
    for (size_t i = 0; i < ics.size(); ++i) {
        if (ics[i] == '\r' && i + 2 < ics.size() && ics[i + 1] == '\n' &&
            (ics[i + 2] == ' ' || ics[i + 2] == '\t')) {
            i += 2;
            continue;
        }
        unfolded += ics[i];
    }
    std::istringstream lines(unfolded);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(name, 0) == 0 && (line[name.size()] == ':' || line[name.size()] == ';'))
            return line.substr(line.find(':') + 1);
    }
    return "";
}

class WindowTest : public testsupport::ProgramTest {
  protected:
    void TearDown() override {
        window.reset();
        ProgramTest::TearDown();
    }

    void WriteList(const std::string& name, const std::vector<std::string>& lines) {
        std::ofstream out(desktop.paths->program / (name + ".txt"), std::ios::binary);
        for (const auto& line : lines)
            out << line << "\r\n";
    }
    fs::path ListFile(const std::string& name) { return desktop.paths->program / (name + ".txt"); }

    std::optional<int> Load() {
        window = std::make_unique<frmCreateNames>();
        return EndStatus([&] { window->Form_Load(); });
    }
    void LoadOrFail() { ASSERT_FALSE(Load()) << LastMessage(); }
    std::optional<int> Click(QAbstractButton* button) {
        return EndStatus([&] { button->click(); });
    }

    std::string LastMessage() const {
        return desktop.messages->shown.empty() ? "" : desktop.messages->shown.back().text;
    }
    std::string Cell(const std::string& address) {
        if (!window || !window->objList)
            return "<no grid>";
        return rt::TextOf(window->objList->GetValue(address, 8));
    }
    std::string VisibleRange() {
        QString range = QString::fromStdString(window->objList->ObjectList->ViewableRange());
        return range.remove('$').toUpper().toStdString();
    }
    // Typed numbers become numbers in the grid, as the view makes them.
    void TypeRow(int row, int16_t month, int16_t day, const std::string& names) {
        window->objList->EditMode(true);
        window->objList->SetValue("A" + std::to_string(row), rt::Variant(month));
        window->objList->SetValue("B" + std::to_string(row), rt::Variant(day));
        window->objList->SetValue("C" + std::to_string(row), rt::Variant(names));
        window->objList->EditMode(false);
    }

    std::vector<Appointment> Appointments(const std::string& folder = "Calendar") {
        std::vector<Appointment> found;
        if (!fs::exists(store / folder))
            return found;
        for (const auto& file : fs::directory_iterator(store / folder)) {
            if (file.path().extension() != ".ics")
                continue;
            std::string ics = testsupport::ReadBytes(file.path());
            found.push_back({Property(ics, "SUMMARY"), Property(ics, "DTSTART")});
        }
        std::sort(found.begin(), found.end(),
                  [](const auto& a, const auto& b) { return a.date < b.date; });
        return found;
    }
    std::set<std::string> Summaries() {
        std::set<std::string> names;
        for (const auto& a : Appointments())
            names.insert(a.summary);
        return names;
    }

    std::unique_ptr<frmCreateNames> window;
};

// ---- layout ----

TEST_F(WindowTest, ControlsStandWhereTheyAreDesigned) {
    struct Placed {
        const char* name;
        int left, top, width, height;
        const char* caption;
    };
    const Placed table[] = {
        {"tbsApps", 120, 0, 10695, 735, nullptr},
        {"fraList", 120, 720, 10695, 4455, nullptr},
        {"cmdSaveChanges", 120, 5280, 1455, 375, "&Save"},
        {"Label3", 120, 5640, 1695, 1095,
         "More information about other MS Outlook add-ons is available at:"},
        {"Label1", 1800, 5640, 1695, 975,
         "More information about names, and Name days is available at:"},
        {"Label4", 3840, 5640, 2775, 975, nullptr},
        {"lblUSInfo", 6840, 5640, 1695, 975, nullptr},
        {"lblGreek", 8880, 5640, 1695, 975, nullptr},
        {"lblWebLink", 120, 6600, 1575, 255, nullptr},
        {"Label2", 1800, 6600, 1935, 255, nullptr},
        {"lblFinishVelmora", 3840, 6600, 2775, 255, "Helsinki University Almanac Office. "},
        {"lblMyNameday", 6840, 6600, 1935, 255, nullptr},
        {"lblGreekLinks", 8880, 6600, 1575, 255, nullptr},
        {"optMyCalendar", 120, 6960, 2295, 255, "My calendar"},
        {"optChooseCalendar", 2400, 6960, 2295, 255, "Choose calendar ..."},
        {"lblYear", 5040, 6960, 855, 255, "Year"},
        {"cmbYear", 6000, 6960, 1935, 360, nullptr},
        {"picBackground", 120, 7440, 8925, 255, nullptr},
        {"picForeGround", 120, 7440, 15, 240, nullptr},
        {"CancelButton", 6480, 7800, 1215, 375, "&Cancel"},
        {"OKButton", 7800, 7800, 1215, 375, "&OK"},
    };
    frmCreateNames form;
    EXPECT_EQ(form.windowTitle(), "Create Name Days");
    EXPECT_EQ(form.size(), QSize(10920 / 15, 8280 / 15));
    EXPECT_EQ(form.font().pointSizeF(), 9.75);
    for (const Placed& p : table) {
        SCOPED_TRACE(p.name);
        auto* control = form.findChild<QWidget*>(p.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
        if (!p.caption)
            continue;
        QString text = control->property("text").toString();
        EXPECT_EQ(text.toStdString(), p.caption);
    }
    EXPECT_TRUE(form.optMyCalendar->isChecked());
    EXPECT_EQ(form.cmbYear->currentText(), "Combo1");
    EXPECT_TRUE(form.cmbYear->isEditable());
}

TEST_F(WindowTest, LinksLookLikeLinksAndOpenTheirAddresses) {
    frmCreateNames form;
    std::vector<std::string> opened;
    for (const char* name :
         {"lblWebLink", "Label2", "lblFinishVelmora", "lblMyNameday", "lblGreekLinks"}) {
        SCOPED_TRACE(name);
        auto* link = form.findChild<QLabel*>(name);
        ASSERT_NE(link, nullptr);
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->font().pointSizeF(), 8.25);
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(link->foregroundRole(), QPalette::Highlight);
        QTest::mouseClick(link, Qt::LeftButton);
    }
    ASSERT_EQ(desktop.launcher->opened.size(), 5u);
    std::set<std::string> distinct(desktop.launcher->opened.begin(),
                                   desktop.launcher->opened.end());
    EXPECT_EQ(distinct.size(), 5u);
    EXPECT_TRUE(desktop.launcher->opened[2].ends_with("/kalenteri.html"));
    for (const auto& url : desktop.launcher->opened)
        EXPECT_TRUE(url.starts_with("https://"));
}

TEST_F(WindowTest, ALinkThatCannotBeOpenedIsReported) {
    frmCreateNames form;
    desktop.launcher->failing = true;
    auto status = EndStatus(
        [&] { QTest::mouseClick(form.findChild<QLabel*>("lblWebLink"), Qt::LeftButton); });
    EXPECT_EQ(status, 1);
    EXPECT_NE(LastMessage().find("Sub routine : subGotoWeb"), std::string::npos);
    EXPECT_NE(LastMessage().find("This error has occured: :\r\nOpening " +
                                 std::string(publisher::kWebSite) + "\r\n"),
              std::string::npos)
        << LastMessage();
}

// ---- start-up and the grid ----

TEST_F(WindowTest, StartUpShowsTheCatalogueTheYearsAndTheFirstList) {
    WriteList("Sverige", {"1.2\tAnna\t"});
    WriteList("Danmark", {"12.24\tEva, Adam\t", "1.3\tKarl\t"});
    WriteList("finland", {"5.5\tAino\t"});
    LoadOrFail();
    std::vector<std::string> tabs;
    for (int i = 0; i < window->tbsApps->count(); ++i)
        tabs.push_back(window->tbsApps->tabText(i).toStdString());
    EXPECT_EQ(tabs, (std::vector<std::string>{"Danmark", "finland", "Sverige"}));
    EXPECT_EQ(window->tbsApps->currentIndex(), 0);
    std::vector<std::string> years;
    for (int i = 0; i < window->cmbYear->count(); ++i)
        years.push_back(window->cmbYear->itemText(i).toStdString());
    EXPECT_EQ(years, (std::vector<std::string>{"2005", "2006", "2007", "2008", "2009", "2010"}));
    EXPECT_EQ(window->cmbYear->currentText(), "2005");
    EXPECT_EQ(Cell("A2") + "|" + Cell("B2") + "|" + Cell("C2"), "12|24|Eva, Adam");
    EXPECT_EQ(Cell("A3") + "|" + Cell("B3") + "|" + Cell("C3"), "1|3|Karl");
    EXPECT_EQ(Cell("A4"), "");
    EXPECT_TRUE(window->optMyCalendar->isChecked());
    EXPECT_NE(modOutlookCode::objCalendar, nullptr);
    EXPECT_FALSE(desktop.windows->busy);
    EXPECT_FALSE(desktop.windows->busyChanges.empty());
}

TEST_F(WindowTest, HeadersAndColumnsFollowTheBirthYears) {
    WriteList("A names", {"1.2\tAnna\t", "1.3\tBo\t0"});
    WriteList("B birthdays", {"3.7\tJohn Smith\t1965", "4.1\tMary\t"});
    LoadOrFail();
    auto expectPlain = [&] {
        EXPECT_EQ(Cell("A1") + "|" + Cell("B1") + "|" + Cell("C1"), "Month|Day|Names");
        EXPECT_EQ(VisibleRange(), "A1:C1000");
    };
    expectPlain();
    window->tbsApps->setCurrentIndex(1);
    EXPECT_EQ(Cell("C1") + "|" + Cell("D1"), "Name|Birth year");
    EXPECT_EQ(VisibleRange(), "A1:D1000");
    EXPECT_EQ(Cell("D2") + "|" + Cell("D3"), "1965|");
    window->tbsApps->setCurrentIndex(0);
    expectPlain();
    EXPECT_EQ(Cell("D2"), "") << "the data area is cleared on every fill";
}

TEST_F(WindowTest, NoListFileIsReportedAtStartUp) {
    auto status = Load();
    EXPECT_EQ(status, 1);
    EXPECT_NE(LastMessage().find("Sub routine : subFillList"), std::string::npos) << LastMessage();
    EXPECT_TRUE(Appointments().empty());
}

// ---- the create run ----

TEST_F(WindowTest, OkWritesEveryEntryForTheChosenYearAndEnds) {
    WriteList("Names", {"1.2\tAnna\t", "2.3\tBert\t", "3.4\tCarl\t", "4.5\tDora\t"});
    std::string before = testsupport::ReadBytes(ListFile("Names"));
    LoadOrFail();
    window->cmbYear->setEditText("2007");
    std::vector<int> widths;
    desktop.windows->onProcessEvents = [&] {
        widths.push_back(frmCreateNames::TwipsWidth(window->picForeGround));
    };
    desktop.messages->onShow = [&](const desktop::Message&) {
        widths.push_back(frmCreateNames::TwipsWidth(window->picForeGround));
    };
    auto status = Click(window->OKButton);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(widths, (std::vector<int>{15, 2232, 4464, 6695, 8926}));
    ASSERT_EQ(desktop.messages->shown.size(), 1u);
    EXPECT_EQ(desktop.messages->shown[0].text, "Name Days sucessfully created!");
    EXPECT_EQ(desktop.messages->shown[0].title, "Outlook Velmora");
    auto written = Appointments();
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[0].summary, "Anna");
    EXPECT_EQ(written[0].date, "20070102");
    EXPECT_EQ(written[3].summary, "Dora");
    EXPECT_EQ(written[3].date, "20070405");
    EXPECT_EQ(testsupport::ReadBytes(ListFile("Names")), before) << "OK does not save the list";
}

TEST_F(WindowTest, AnEmptyGridWritesNothingButStillSucceeds) {
    WriteList("Empty", {});
    LoadOrFail();
    EXPECT_EQ(Click(window->OKButton), 0);
    EXPECT_TRUE(Appointments().empty());
    EXPECT_EQ(LastMessage(), "Name Days sucessfully created!");
}

TEST_F(WindowTest, RowsTypedOutOfOrderAreWrittenSorted) {
    WriteList("Names", {"1.2\tAnna\t"});
    std::string before = testsupport::ReadBytes(ListFile("Names"));
    LoadOrFail();
    TypeRow(3, 12, 24, "Eva");
    TypeRow(4, 3, 1, "Bo");
    std::vector<std::string> order;
    desktop.windows->onProcessEvents = [&] {
        auto now = Summaries();
        for (const auto& name : now)
            if (std::find(order.begin(), order.end(), name) == order.end())
                order.push_back(name);
    };
    desktop.messages->onShow = [&](const desktop::Message&) {
        EXPECT_EQ(Cell("C2") + "," + Cell("C3") + "," + Cell("C4"), "Anna,Bo,Eva");
    };
    EXPECT_EQ(Click(window->OKButton), 0);
    EXPECT_EQ(order, (std::vector<std::string>{"Anna", "Bo", "Eva"}));
    EXPECT_EQ(testsupport::ReadBytes(ListFile("Names")), before);
}

TEST_F(WindowTest, SaveWritesTheSortedListAndTheTabShowsItAgain) {
    struct Case {
        const char* name;
        const char* typed;
        std::string fileLine;  // the bytes of the typed row in the saved file
    };
    const Case cases[] = {
        {"fits the ANSI code page", "\xC3\x85sa", "2.1\t\xC5sa\t0\r\n"},
        {"needs UTF-8", "\xC5\x81ucja", "2.1\t\xC5\x81ucja\t0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(desktop.paths->program);
        fs::create_directories(desktop.paths->program);
        WriteList("A", {"5.5\tEmil\t"});
        WriteList("B", {"1.1\tOlof\t"});
        LoadOrFail();
        TypeRow(3, 2, 1, c.typed);
        EXPECT_FALSE(Click(window->cmdSaveChanges));
        EXPECT_EQ(testsupport::ReadBytes(ListFile("A")), c.fileLine + "5.5\tEmil\t0\r\n");
        EXPECT_EQ(Cell("C2") + "," + Cell("C3"), std::string(c.typed) + ",Emil");
        window->tbsApps->setCurrentIndex(1);
        EXPECT_EQ(Cell("C2"), "Olof");
        window->tbsApps->setCurrentIndex(0);
        EXPECT_EQ(Cell("C2") + "," + Cell("C3"), std::string(c.typed) + ",Emil");
        EXPECT_TRUE(desktop.messages->shown.empty()) << LastMessage();
        window.reset();
        modGlobals::ResetProgramState();
    }
}

TEST_F(WindowTest, AListWithLinuxLineEndsIsShownSavedWithCrLfAndWritten) {
    std::ofstream(ListFile("Linux"), std::ios::binary) << "3.4\tCarl\t\n1.2\tAnna\t\n";
    LoadOrFail();
    EXPECT_EQ(Cell("C2") + "," + Cell("C3"), "Carl,Anna");
    EXPECT_FALSE(Click(window->cmdSaveChanges));
    EXPECT_EQ(testsupport::ReadBytes(ListFile("Linux")), "1.2\tAnna\t0\r\n3.4\tCarl\t0\r\n");
    window->cmbYear->setEditText("2007");
    EXPECT_EQ(Click(window->OKButton), 0);
    EXPECT_EQ(LastMessage(), "Name Days sucessfully created!");
    auto written = Appointments();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0].summary + " " + written[0].date, "Anna 20070102");
    EXPECT_EQ(written[1].summary + " " + written[1].date, "Carl 20070304");
}

TEST_F(WindowTest, AYearThatIsNoSixteenBitNumberFailsTheRun) {
    for (const char* year : {"next year", "40000", ""}) {
        SCOPED_TRACE(year);
        desktop.messages->shown.clear();
        modGlobals::ResetProgramState();
        WriteList("Names", {"1.2\tAnna\t"});
        LoadOrFail();
        window->cmbYear->setEditText(year);
        EXPECT_EQ(Click(window->OKButton), 1);
        EXPECT_NE(LastMessage().find("Sub routine : OKButton_Click"), std::string::npos)
            << LastMessage();
        EXPECT_TRUE(Appointments().empty());
    }
}

TEST_F(WindowTest, AFractionalYearIsRoundedLikeEveryNumber) {
    WriteList("Names", {"1.2\tAnna\t"});
    LoadOrFail();
    window->cmbYear->setEditText(" 2008.5 ");
    EXPECT_EQ(Click(window->OKButton), 0);
    ASSERT_EQ(Appointments().size(), 1u);
    EXPECT_EQ(Appointments()[0].date, "20080102");
}

TEST_F(WindowTest, CancelDuringARunEndsItWithTheEntriesSoFar) {
    WriteList("Names", {"1.2\tAnna\t", "2.3\tBert\t", "3.4\tCarl\t"});
    LoadOrFail();
    bool okEnabledDuringRun = true;
    desktop.windows->onProcessEvents = [&] {
        okEnabledDuringRun = window->OKButton->isEnabled();
        window->CancelButton->click();
    };
    EXPECT_EQ(Click(window->OKButton), 0);
    EXPECT_FALSE(okEnabledDuringRun) << "a second run must not start inside the first";
    EXPECT_EQ(Summaries(), (std::set<std::string>{"Anna"}));
    EXPECT_TRUE(desktop.messages->shown.empty());
}

TEST_F(WindowTest, CancelEscapeAndClosingEndAtOnceWithNothingWritten) {
    const std::vector<std::pair<const char*, std::function<void(frmCreateNames&)>>> ways = {
        {"Cancel", [](frmCreateNames& w) { w.CancelButton->click(); }},
        {"Escape", [](frmCreateNames& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"close", [](frmCreateNames& w) { w.close(); }},
    };
    for (const auto& [name, act] : ways) {
        SCOPED_TRACE(name);
        modGlobals::ResetProgramState();
        WriteList("Names", {"1.2\tAnna\t"});
        LoadOrFail();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_EQ(EndStatus([&] { act(*window); }), 0);
        EXPECT_TRUE(Appointments().empty());
        EXPECT_TRUE(desktop.messages->shown.empty());
    }
}

TEST_F(WindowTest, EnterStartsTheRunFromTheYearAndTheButtons) {
    struct Case {
        const char* name;
        std::function<QWidget*(frmCreateNames&)> focus;
        const char* year;
    };
    const Case cases[] = {
        {"window", [](frmCreateNames& w) { return static_cast<QWidget*>(&w); }, "2005"},
        {"year typed", [](frmCreateNames& w) { return w.cmbYear->lineEdit(); }, "2009"},
        {"option button", [](frmCreateNames& w) { return w.optMyCalendar; }, "2005"},
        {"tabs", [](frmCreateNames& w) { return w.tbsApps; }, "2005"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        modGlobals::ResetProgramState();
        fs::remove_all(store);
        WriteList("Names", {"1.2\tAnna\t"});
        LoadOrFail();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->cmbYear->setEditText(c.year);
        QWidget* target = c.focus(*window);
        target->setFocus();
        EXPECT_EQ(EndStatus([&] { QTest::keyClick(target, Qt::Key_Return); }), 0);
        auto written = Appointments();
        ASSERT_EQ(written.size(), 1u);
        EXPECT_EQ(written[0].date, std::string(c.year) + "0102");
    }
}

// A mnemonic presses its button at once and lets it go (the click) a moment later, on a
// timer; pressing is what the key does, the clicks themselves are tested above.
TEST_F(WindowTest, AcceleratorsPressTheirButtons) {
    WriteList("Names", {"1.2\tAnna\t"});
    LoadOrFail();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const std::pair<Qt::Key, QPushButton*> keys[] = {
        {Qt::Key_S, window->cmdSaveChanges},
        {Qt::Key_O, window->OKButton},
        {Qt::Key_C, window->CancelButton},
    };
    for (const auto& [key, button] : keys) {
        SCOPED_TRACE(button->objectName().toStdString());
        std::map<QPushButton*, int> presses;
        std::vector<QMetaObject::Connection> watches;
        for (const auto& other : keys)
            watches.push_back(QObject::connect(other.second, &QPushButton::pressed,
                                               [&presses, b = other.second] { ++presses[b]; }));
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        EXPECT_EQ(presses, (std::map<QPushButton*, int>{{button, 1}}));
        for (const auto& watch : watches)
            QObject::disconnect(watch);
        button->setDown(false);
    }
    EXPECT_TRUE(Appointments().empty());
}

// ---- the target calendar ----

class CalendarChoiceTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        app = std::make_shared<fakeoutlook::FakeApplication>();
        app->AddExplorer("Inbox", true);
        for (const char* name : outlook::kApplicationProgIds)
            automation::Objects().RegisterProgId(name, [this] { return app; });
        automation::Objects().RegisterClass(outlook::kApplicationClass, [this] { return app; });
        WriteList("Names", {"1.2\tAnna\t", "2.3\tBert\t"});
    }
    std::shared_ptr<fakeoutlook::FakeApplication> app;
};

TEST_F(CalendarChoiceTest, APickThatIsNoCalendarFallsBackToMyCalendarSilently) {
    auto mail = std::make_shared<fakeoutlook::FakeFolder>(app->log, "Mail", 0);
    struct Case {
        const char* name;
        std::shared_ptr<outlook::Folder> picked;
    };
    for (const Case& c : {Case{"cancelled", nullptr}, Case{"mail folder", mail}}) {
        SCOPED_TRACE(c.name);
        app->pickResult = c.picked;
        LoadOrFail();
        int picksBefore = app->pickCalls;
        EXPECT_FALSE(Click(window->optChooseCalendar));
        EXPECT_EQ(app->pickCalls, picksBefore + 1);
        EXPECT_TRUE(window->optMyCalendar->isChecked());
        EXPECT_FALSE(window->optChooseCalendar->isChecked());
        EXPECT_EQ(modOutlookCode::objCalendar, app->calendar);
        EXPECT_TRUE(desktop.messages->shown.empty());
        EXPECT_EQ(desktop.windows->raised.back(), "Create Name Days");
    }
    EXPECT_EQ(Click(window->OKButton), 0);
    EXPECT_EQ(app->calendar->saved.size(), 2u);
    EXPECT_TRUE(mail->saved.empty());
}

TEST_F(CalendarChoiceTest, APickedCalendarReceivesTheAppointments) {
    auto birthdays = std::make_shared<fakeoutlook::FakeFolder>(app->log, "Birthdays", 1);
    app->pickResult = birthdays;
    LoadOrFail();
    EXPECT_FALSE(Click(window->optChooseCalendar));
    EXPECT_TRUE(window->optChooseCalendar->isChecked());
    EXPECT_EQ(Click(window->OKButton), 0);
    EXPECT_EQ(birthdays->saved.size(), 2u);
    EXPECT_TRUE(app->calendar->saved.empty());
    EXPECT_EQ(rt::ToYearMonthDay(birthdays->saved[0].start).year(), std::chrono::year{2005});
}

// ---- keyboard, the grid and the layout as drawn ----

class ShownWindowTest : public WindowTest {
  protected:
    void Show() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QTableView* Cells() { return window->findChild<QTableView*>("cells"); }
    std::string Selected() { return owc::AbsoluteAddress(window->objList->CurrSheet->Selection()); }
};

TEST_F(ShownWindowTest, ListKeysSwitchTabsFromAnywhereInTheWindow) {
    WriteList("A", {"1.2\tAnna\t"});
    WriteList("B", {"2.3\tBert\t"});
    WriteList("C", {"3.4\tCarl\t"});
    LoadOrFail();
    Show();
    struct Key {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int tab;  // from the first tab
    };
    const Key keys[] = {
        {"Ctrl+PgDn", Qt::Key_PageDown, Qt::ControlModifier, 1},
        {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, 1},
        {"Ctrl+PgUp, round to the last", Qt::Key_PageUp, Qt::ControlModifier, 2},
        {"Ctrl+Shift+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2},
    };
    const std::pair<const char*, QWidget*> holders[] = {
        {"grid", Cells()},
        {"Save", window->cmdSaveChanges},
        {"year", window->cmbYear->lineEdit()},
        {"tabs", window->tbsApps},
    };
    for (const auto& [where, holder] : holders) {
        for (const Key& k : keys) {
            SCOPED_TRACE(std::string(where) + " " + k.name);
            window->tbsApps->setCurrentIndex(0);
            holder->setFocus();
            QTest::keyClick(holder, k.key, k.modifiers);
            EXPECT_EQ(window->tbsApps->currentIndex(), k.tab);
            const char* shown[] = {"Anna", "Bert", "Carl"};
            EXPECT_EQ(Cell("C2"), shown[k.tab]) << "the grid shows the list of the tab";
        }
    }
    EXPECT_TRUE(desktop.messages->shown.empty()) << LastMessage();
}

TEST_F(ShownWindowTest, TextBeingTypedDoesNotFollowTheKeysIntoAnotherList) {
    WriteList("A", {"1.2\tAnna\t"});
    WriteList("B", {"2.3\tBert\t"});
    LoadOrFail();
    Show();
    QTableView* cells = Cells();
    ASSERT_NE(cells, nullptr);
    QModelIndex c2 = cells->model()->index(0, 2);
    cells->setCurrentIndex(c2);
    cells->edit(c2);
    auto* editor = cells->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClicks(editor, "Typed");
    QTest::keyClick(editor, Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(window->tbsApps->currentIndex(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(cells->viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(Cell("C2"), "Bert");
    QTest::keyClick(cells, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Cell("C2"), "Anna") << "switching tabs drops what was not saved";
}

TEST_F(ShownWindowTest, TabGoesFromTheTabsThroughTheDataCellsToSave) {
    WriteList("Names", {"1.2\tAnna\t"});
    LoadOrFail();
    Show();
    window->tbsApps->setFocus();
    std::vector<std::string> visited;
    for (int i = 0; i < 10 && !window->cmdSaveChanges->hasFocus(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (Cells()->hasFocus())
            visited.push_back(Selected());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"$A$2", "$B$2", "$C$2", "$A$3", "$B$3", "$C$3"}));
    EXPECT_TRUE(window->cmdSaveChanges->hasFocus());
    QTest::keyClick(window->cmdSaveChanges, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(Cells()->hasFocus());
    window->objList->SelectCell("A2");
    QTest::keyClick(Cells(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(window->tbsApps->hasFocus());
}

// The pixels a cell's text may take before the view cuts it short, as Qt's item views draw.
int TextRoom(QTableView* table, int column) {
    int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    return table->columnWidth(column) - 2 * margin - 1;
}

TEST_F(ShownWindowTest, ShippedListsShowTheirHeadingsAndNamesWhole) {
    for (const auto& file : fs::directory_iterator(fs::path(NAMEDAYS_SOURCE_DIR) / "data/lists"))
        fs::copy_file(file.path(), desktop.paths->program / file.path().filename());
    LoadOrFail();
    Show();
    QTableView* cells = Cells();
    auto* frozen = window->findChild<QTableView*>("frozenRows");
    auto& sheet = *window->objList->CurrSheet;
    ASSERT_GE(window->tbsApps->count(), 13);
    for (int tab = 0; tab < window->tbsApps->count(); ++tab) {
        SCOPED_TRACE(window->tbsApps->tabText(tab).toStdString());
        window->tbsApps->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        int columns = cells->model()->columnCount();
        int shown = 0;
        for (int c = 0; c < columns; ++c)
            shown += cells->columnWidth(c);
        EXPECT_LE(shown, cells->viewport()->width()) << "every shown column stays in view";
        for (int row = 1; row <= 1000 && sheet.HasContent(row, 1); ++row) {
            for (int c = 0; c < columns; ++c) {
                std::string text = owc::CellText(sheet.ValueAt(row, c + 1));
                QFontMetricsF drawn(owc::FontOf(sheet.StyleAt(row, c + 1)));
                bool whole = drawn.horizontalAdvance(QString::fromStdString(text)) <=
                             TextRoom(row == 1 ? frozen : cells, c);
                if (row == 1 || c != 2) {
                    EXPECT_TRUE(whole) << text;
                    continue;
                }
                // Only a names text too long for the room beside the other columns is cut
                // short, and then its tooltip has it whole.
                QVariant tip = cells->model()->index(row - 2, c).data(Qt::ToolTipRole);
                if (whole) {
                    EXPECT_TRUE(tip.isNull()) << text;
                } else {
                    EXPECT_EQ(tip.toString().toStdString(), text);
                }
            }
        }
    }
}

TEST_F(WindowTest, CaptionsStayInsideTheirBoxesAndClearOfTheirNeighbours) {
    frmCreateNames form;
    struct Caption {
        const char* label;
        const char* nextColumn;  // the label whose column follows, if any
    };
    const Caption labels[] = {{"Label3", "Label1"},
                              {"Label1", "Label4"},
                              {"Label4", "lblUSInfo"},
                              {"lblUSInfo", "lblGreek"},
                              {"lblGreek", nullptr}};
    // The links' letters begin below the top of their boxes by the font's ascent less its
    // capital height; a caption's last line may end above that.
    QFontMetrics link(form.lblWebLink->font());
    const int linkLetters = form.lblWebLink->y() + link.ascent() - link.capHeight();
    const QRect save = form.cmdSaveChanges->geometry();
    for (const Caption& c : labels) {
        SCOPED_TRACE(c.label);
        auto* label = form.findChild<QLabel*>(c.label);
        QRect room = label->contentsRect().translated(label->pos());
        QFontMetrics metrics(label->font());
        QRect text =
            metrics.boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text());
        EXPECT_TRUE(room.contains(text)) << "the whole caption is drawn";
        EXPECT_LT(text.bottom() - metrics.descent(), linkLetters) << "above the links";
        if (text.left() <= save.right()) {
            EXPECT_GE(text.top(), save.bottom() + 2) << "clear of the Save button";
        }
        if (c.nextColumn) {
            EXPECT_LE(text.right() + 4, form.findChild<QWidget*>(c.nextColumn)->x());
        }
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             form.lblWebLink, form.Label2, form.lblFinishVelmora, form.lblMyNameday,
             form.lblGreekLinks, form.optMyCalendar, form.optChooseCalendar, form.lblYear,
             form.cmdSaveChanges, form.CancelButton, form.OKButton}) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_LE(control->sizeHint().width(), control->width());
    }
}

TEST_F(WindowTest, LinksUnderlineTheirWordsOnly) {
    const std::pair<const char*, const char*> captions[] = {
        {"Helsinki University Almanac Office. ", "Helsinki University Almanac Office"},
        {"names.example", "names.example"},
        {" (www.example.gr) ", "www.example.gr"},
        {". ", ""},
    };
    for (const auto& [caption, words] : captions)
        EXPECT_EQ(LinkLabel::Words(caption).toStdString(), words) << caption;

    // As drawn: the underline stops where the words end.
    frmCreateNames form;
    LinkLabel* link = form.lblFinishVelmora;
    QImage drawn(link->size(), QImage::Format_RGB32);
    link->render(&drawn);
    QFontMetrics metrics(link->font());
    int wordsEnd = metrics.horizontalAdvance(LinkLabel::Words(link->text()));
    int textEnd = metrics.horizontalAdvance(link->text());
    const QColor paper = drawn.pixelColor(drawn.width() - 1, 0);
    auto inked = [&](int y, int from, int to) {
        int count = 0;
        for (int x = from; x < to; ++x)
            count += drawn.pixelColor(x, y) != paper ? 1 : 0;
        return count;
    };
    // The underline is the row below the baseline inked almost all along the words.
    int underline = -1;
    for (int y = metrics.ascent(); y < drawn.height() && underline < 0; ++y)
        if (inked(y, 0, wordsEnd) > wordsEnd * 3 / 4)
            underline = y;
    ASSERT_GE(underline, 0) << "the words are underlined";
    EXPECT_EQ(inked(underline, wordsEnd + 2, textEnd + 2), 0) << "the full stop and blank are not";
}

TEST_F(ShownWindowTest, TabsStandOnTheGridAndAClickAboveATabChoosesIt) {
    WriteList("A", {"1.2\tAnna\t"});
    WriteList("B", {"2.3\tBert\t"});
    LoadOrFail();
    Show();
    auto* tabs = static_cast<GridTabs*>(window->tbsApps);
    for (int i = 0; i < tabs->count(); ++i) {
        QRect drawn = tabs->DrawnTabRect(i).translated(tabs->pos());
        EXPECT_GE(drawn.bottom() + 2, window->fraList->y()) << "no gap to the grid";
        EXPECT_LE(drawn.bottom(), window->fraList->y() + 2);
        EXPECT_LT(drawn.height(), tabs->height());
    }
    QRect second = tabs->DrawnTabRect(1);
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, QPoint(second.center().x(), 2));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(Cell("C2"), "Bert");
}

}  // namespace
