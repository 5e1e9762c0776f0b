#include <gtest/gtest.h>

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

#include <functional>
#include <map>

#include "tests/ui/WindowFixture.h"

// The create run and Save: what OK writes, how the grid is read back, and the ways a run ends.

namespace {

namespace fs = std::filesystem;
using testsupport::EndStatus;
using windowtest::WindowTest;

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

}  // namespace
