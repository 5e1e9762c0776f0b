// Feeds arbitrary bytes to the program as a whole list file: read (encoding, byte-order mark,
// line ends), saved, read again. The second reading must give the same entries in the same
// order, and saving those must give the same bytes again. A first reading that ends in the
// error report (a date that does not convert) is expected, not a finding; the program's own
// file must never do that.
//
// Every save replaces a file and flushes it to disk: run with TMPDIR on a memory file system
// (TMPDIR=/dev/shm) or the disk sets the pace.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "app/Components.h"
#include "lists/cApps.h"
#include "outlook/modGlobals.h"
#include "platform/runtime/Failure.h"
#include "tests/support/FakeDesktop.h"

namespace {

// One for the whole run, so its folders go when the fuzzer ends normally.
bool Install(desktop::testing::FakeDesktop& fake) {
    fake.messages->unscriptedAnswer = desktop::Answer::No;
    fake.Install();
    components::RegisterProductComponents(automation::Objects());
    return true;
}

desktop::testing::FakeDesktop& Desktop() {
    static desktop::testing::FakeDesktop fake;
    [[maybe_unused]] static const bool installed = Install(fake);
    return fake;
}

using Entry = std::tuple<int16_t, int16_t, std::string, int16_t>;

std::vector<Entry> Entries(const cApps& list) {
    std::vector<Entry> entries;
    for (const auto& [subject, entry] : *list.Dic)
        entries.emplace_back(entry->AppMonth, entry->AppDay, entry->Subject, entry->BirthYear);
    return entries;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& desktop = Desktop();
    desktop.messages->shown.clear();
    desktop.exit->statuses.clear();
    const std::filesystem::path folder = desktop.paths->program;
    WriteBytes(folder / "input.txt", data, size);

    cApps first;
    try {
        first.LoadFromFile((folder / "input.txt").string());
    } catch (const rt::ProgramEnd&) {
        modGlobals::ResetProgramState();
        return 0;
    }
    // From here on nothing may end the program: an escaping ProgramEnd is a finding too.
    first.SaveToFile("saved.txt");
    cApps again;
    again.LoadFromFile((folder / "saved.txt").string());
    if (Entries(again) != Entries(first))
        std::abort();
    again.SaveToFile("again.txt");
    if (ReadBytes(folder / "again.txt") != ReadBytes(folder / "saved.txt"))
        std::abort();
    return 0;
}
