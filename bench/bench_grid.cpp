// Filling the grid's 999 data rows of columns A to D inside one edit bracket, then reading
// them back with fncGetRangeArray("f1", "D"), as the main window's fill and its create run do.

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include "app/Components.h"
#include "grid/FormControls.h"
#include "grid/cListHandler.h"
#include "outlook/modGlobals.h"
#include "tests/support/FakeDesktop.h"

namespace {

struct Program {
    Program() {
        modGlobals::ResetProgramState();
        components::RegisterProductComponents(automation::Objects());
        desktop.Install();
        list.ListName = "objApps";
        list.AddToForm(controls, &window);
        list.EditMode(true);
        list.SetValue("A1", "Month");
        list.EditMode(false);
    }
    desktop::testing::FakeDesktop desktop;
    grid::FormControls controls;
    QWidget window;
    cListHandler list;
};

void Fill(cListHandler& list) {
    list.EditMode(true);
    for (int row = 2; row <= 1000; ++row) {
        std::string r = std::to_string(row);
        // Filled in reverse, so the read's sort has work to do.
        list.SetValue("A" + r, int16_t(12 - row % 12));
        list.SetValue("B" + r, int16_t(1 + (1000 - row) % 28));
        list.SetValue("C" + r, "Name number " + r);
        list.SetValue("D" + r, int16_t(1900 + row % 100));
    }
    list.EditMode(false);
}

void BM_FillBracketed(benchmark::State& state) {
    Program program;
    for (auto _ : state)
        Fill(program.list);
}
BENCHMARK(BM_FillBracketed)->Unit(benchmark::kMillisecond);

void BM_GetRangeArray(benchmark::State& state) {
    Program program;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(program.list);
        state.ResumeTiming();
        TextArray rows = program.list.fncGetRangeArray("f1", "D");
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_GetRangeArray)->Unit(benchmark::kMillisecond);

// Both together, with the grid's view on the window listening, as in the program.
void BM_FillThenRead(benchmark::State& state) {
    Program program;
    for (auto _ : state) {
        Fill(program.list);
        TextArray rows = program.list.fncGetRangeArray("f1", "D");
        if (rows.UBound(1) != 998)
            state.SkipWithError("rows lost");
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_FillThenRead)->Unit(benchmark::kMillisecond);

// Fitting columns A to D over 999 filled rows, each text measured in the font the view draws,
// as the main window does after every fill.
void BM_AutoFitMeasured(benchmark::State& state) {
    Program program;
    program.list.SetVisibleRange("A1:D1000");
    Fill(program.list);
    for (auto _ : state)
        program.list.AutoFitCols("A:D");
}
BENCHMARK(BM_AutoFitMeasured)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
