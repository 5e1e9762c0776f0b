// The create run of a full grid (999 entries) into the real store, beside the store's floor
// (the same 999 appointments written straight through the object model), and the time from
// start-up to the window shown with the shipped lists. Runs on the offscreen platform.
#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/Components.h"
#include "lists/cApp.h"
#include "outlook/calendar/ICalendar.h"
#include "outlook/calendar/Uid.h"
#include "outlook/modGlobals.h"
#include "outlook/modOutlookCode.h"
#include "platform/automation/Registry.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Files.h"
#include "tests/support/FakeDesktop.h"
#include "ui/frmCreateNames.h"

namespace {

namespace fs = std::filesystem;
constexpr int kEntries = 999;

// Real event processing and clock; scripted message boxes, a throwing exit, temp folders.
struct Program {
    desktop::testing::FakeDesktop fake;
    fs::path store;
    Program() {
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
        components::RegisterProductComponents(automation::Objects());
        fake.Install();
        auto product = desktop::ProductPlatform();
        desktop::Services().windows = product.windows;
        desktop::Services().clock = product.clock;
        store = fake.paths->store;
    }
    ~Program() {
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
    }
    void WriteLongList() {
        std::ofstream out(fake.paths->program / "Long.txt", std::ios::binary);
        for (int i = 0; i < kEntries; ++i)
            out << (i % 12 + 1) << "." << (i % 28 + 1) << "\tName " << i << "\t\r\n";
    }
};

void BM_CreateRun999(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Program program;
        program.WriteLongList();
        frmCreateNames window;
        window.Form_Load();
        state.ResumeTiming();
        try {
            window.OKButton_Click();
        } catch (const rt::ProgramEnd&) {
        }
        state.PauseTiming();
        if (program.fake.messages->shown.size() != 1)
            state.SkipWithError("the run failed");
        state.ResumeTiming();
    }
    state.counters["entries"] = kEntries;
}

// The store's floor: the same number of appointment files of the same size, each written
// with the same care (temporary file, flush to disk, rename), and nothing else.
void BM_StoreFloor999(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Program program;
        fs::path folder = program.store / "floor";
        fs::create_directories(folder);
        calendar::Appointment item{calendar::NewUid(),
                                   rt::DateSerial(2025, 1, 2),
                                   true,
                                   "Name 1",
                                   "Name Days",
                                   "Outlook Velmora provided for free by "
                                   "https://www.velmora.example\r\n\r\n"};
        const std::string text = calendar::ToICalendar(item);
        state.ResumeTiming();
        for (int i = 0; i < kEntries; ++i)
            rt::WriteFileAtomically(folder / (std::to_string(i) + ".ics"), text);
    }
    state.counters["entries"] = kEntries;
}

void BM_StartToWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Program program;
        for (const auto& file :
             fs::directory_iterator(fs::path(NAMEDAYS_SOURCE_DIR) / "data/lists"))
            if (file.path().extension() == ".txt")
                fs::copy_file(file.path(), program.fake.paths->program / file.path().filename());
        automation::Objects().Clear();
        state.ResumeTiming();
        components::RegisterProductComponents(automation::Objects());
        frmCreateNames window;
        window.Form_Load();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("window not shown");
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}

}  // namespace

// Alternating, so that a busy disk weighs on both alike.
BENCHMARK(BM_StoreFloor999)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CreateRun999)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StoreFloor999)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CreateRun999)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StartToWindowShown)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
