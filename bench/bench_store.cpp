// Saving a year's worth of all-day appointments into the store, beside the floor: writing
// the same number of files of the same size with the same care (temporary file, flush to
// disk, rename).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "outlook/ObjectModel.h"
#include "outlook/calendar/ICalendar.h"
#include "outlook/calendar/Uid.h"
#include "outlook/pimstore/StoreSource.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Files.h"

namespace {

namespace fs = std::filesystem;
constexpr int kItems = 999;

fs::path FreshFolder(const char* name) {
    fs::path folder = fs::temp_directory_path() / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

void BM_StoreSave999AllDay(benchmark::State& state) {
    fs::path root = FreshFolder("namedays-bench-store");
    auto app = pimstore::OpenStore(root);
    auto calendar = app->GetNamespace("MAPI")->GetDefaultFolder(outlook::olFolderCalendar);
    size_t bytes = 0;
    for (auto _ : state) {
        for (int i = 0; i < kItems; ++i) {
            auto item = calendar->Items()->Add("IPM.Appointment");
            item->SetStart(rt::DateSerial(2007, 1, 1 + i % 365));
            item->SetAllDayEvent(true);
            item->SetSubject("Anna, Eva, Maria");
            item->SetCategories("Name Days");
            item->SetBody(
                "Outlook Velmora provided for free by https://www.velmora.example\r\n\r\n");
            item->SetReminderSet(false);
            item->Save();
            item->Close(0);
        }
    }
    for (const auto& file : fs::directory_iterator(root / "Calendar"))
        bytes = fs::file_size(file.path());
    state.counters["file_bytes"] = double(bytes);
    fs::remove_all(root);
}

void BM_Floor999Files(benchmark::State& state) {
    fs::path folder = FreshFolder("namedays-bench-floor");
    calendar::Appointment item{calendar::NewUid(),
                               rt::DateSerial(2007, 1, 1),
                               true,
                               "Anna, Eva, Maria",
                               "Name Days",
                               "Outlook Velmora provided for free by "
                               "https://www.velmora.example\r\n\r\n"};
    const std::string text = calendar::ToICalendar(item);
    int n = 0;
    for (auto _ : state) {
        for (int i = 0; i < kItems; ++i)
            rt::WriteFileAtomically(folder / (std::to_string(n++) + ".ics"), text);
    }
    fs::remove_all(folder);
}

// What the first write of a run into a calendar folder pays to tidy it: one listing of a
// folder that years of runs have filled, with nothing stale in it.
void BM_TidyAFolderOf10000Appointments(benchmark::State& state) {
    fs::path folder = FreshFolder("namedays-bench-tidy");
    for (int i = 0; i < 10000; ++i)
        std::ofstream(folder / (std::to_string(i) + ".ics")) << "BEGIN:VCALENDAR\r\n";
    std::ofstream(folder / ".live.ics.0123ABCD.tmp") << "BEGIN:VCAL";
    for (auto _ : state)
        benchmark::DoNotOptimize(rt::RemoveStaleTemporaries(
            folder, fs::file_time_type::clock::now() - rt::kStaleTemporaryAge));
    fs::remove_all(folder);
}

BENCHMARK(BM_StoreSave999AllDay)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TidyAFolderOf10000Appointments)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor999Files)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
