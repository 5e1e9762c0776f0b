#pragma once

#include <QPushButton>
#include <QString>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "grid/cListHandler.h"
#include "grid/owc/Address.h"
#include "platform/runtime/Convert.h"
#include "tests/support/ProgramTest.h"
#include "ui/frmCreateNames.h"

namespace windowtest {

namespace fs = std::filesystem;
using testsupport::EndStatus;

struct Appointment {
    std::string summary;
    std::string date;  // YYYYMMDD
};

// The one value of a property line of an iCalendar file, unfolded.
inline std::string Property(const std::string& ics, const std::string& name) {
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

// The window shown and active, for what only a shown window does.
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

}  // namespace windowtest
