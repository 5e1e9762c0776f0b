// Start-up reads every list file of the program folder; this measures that scan over the
// shipped lists plus one list of 999 entries (the grid's limit).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/Components.h"
#include "lists/cAppFiles.h"
#include "outlook/modGlobals.h"
#include "platform/automation/Registry.h"
#include "tests/support/FakeDesktop.h"

namespace {

void FillProgramFolder(const std::filesystem::path& program) {
    const std::filesystem::path lists = std::filesystem::path(NAMEDAYS_SOURCE_DIR) / "data/lists";
    for (const auto& entry : std::filesystem::directory_iterator(lists))
        if (entry.path().extension() == ".txt")
            std::filesystem::copy_file(entry.path(), program / entry.path().filename());
    std::ofstream big(program / "Long list.txt", std::ios::binary);
    for (int i = 0; i < 999; ++i)
        big << (i % 12 + 1) << '.' << (i % 28 + 1) << "\tPerson number " << i << '\t'
            << 1900 + i % 100 << "\r\n";
}

void BM_CheckFiles(benchmark::State& state) {
    modGlobals::ResetProgramState();
    automation::Objects().Clear();
    components::RegisterProductComponents(automation::Objects());
    desktop::testing::FakeDesktop fake;
    fake.Install();
    FillProgramFolder(fake.paths->program);

    int64_t entries = 0;
    for (auto _ : state) {
        cAppFiles files;
        files.CheckFiles();
        entries = 0;
        for (const auto& [name, list] : *files.Dic)
            entries += list->Dic->Count();
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = static_cast<double>(entries);
    modGlobals::ResetProgramState();
}
BENCHMARK(BM_CheckFiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
