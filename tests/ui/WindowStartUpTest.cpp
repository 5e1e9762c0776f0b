#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>
#include <QTabBar>

#include "outlook/modOutlookCode.h"
#include "tests/ui/WindowFixture.h"

// Start-up: the catalogue, the years and the first list in the grid, and the headers that
// follow the birth years.

namespace {

using windowtest::WindowTest;

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

}  // namespace
