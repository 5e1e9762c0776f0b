// The desktop's calendar service on a private session bus of this run. The program's create
// run (the window's OK: cApp.ToOutlook for every entry of a list, with the progress bar and
// the events handled between entries) of 365 and of 999 entries into the default calendar,
// beside a plain loop of the same creates through libecal and, for scale, the service's batch
// create; then how long finding the running service takes, cold and warm.
// Every create run starts from an empty calendar: the service rewrites its whole calendar
// file on each change, so runs on a fuller calendar would not compare. The work happens in
// the service's process, so every figure is wall-clock time. Runs on the offscreen platform.
#include "outlook/desktopcal/Service.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "app/Components.h"
#include "outlook/calendar/Uid.h"
#include "outlook/desktopcal/ServiceSource.h"
#include "outlook/modGlobals.h"
#include "outlook/modOutlookCode.h"
#include "platform/automation/Registry.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/PrivateSession.h"
#include "ui/frmCreateNames.h"

namespace {

using namespace std::chrono_literals;
using desktopcal::Ref;
using testsupport::PrivateSession;

constexpr const char* kDescription =
    "Outlook Velmora provided for free by https://www.velmora.example\n\n";

// The session every create run writes into, made before the first benchmark runs.
PrivateSession* session = nullptr;

// The service as the program finds it, with its default calendar opened.
struct Desktop {
    std::shared_ptr<desktopcal::ServiceSource> found = desktopcal::FindService(10s);
    ECalClient* client = found ? found->GetService()->Calendar(found->GetService()->DefaultUid(
                                     desktopcal::SourceKind::Calendar))
                               : nullptr;

    GSList* Events() {
        GSList* events = nullptr;
        desktopcal::ErrorSlot error;
        e_cal_client_get_object_list_sync(client, "#t", &events, nullptr, &error);
        return events;
    }
    int Count() {
        GSList* events = Events();
        int count = static_cast<int>(g_slist_length(events));
        g_slist_free_full(events, g_object_unref);
        return count;
    }
    void Clear() {
        GSList* events = Events();
        GSList* ids = nullptr;
        for (GSList* link = events; link; link = link->next)
            ids = g_slist_prepend(
                ids, e_cal_component_id_new(i_cal_component_get_uid(I_CAL_COMPONENT(link->data)),
                                            nullptr));
        desktopcal::ErrorSlot error;
        if (ids)
            e_cal_client_remove_objects_sync(client, ids, E_CAL_OBJ_MOD_ALL,
                                             E_CAL_OPERATION_FLAG_NONE, nullptr, &error);
        g_slist_free_full(ids, reinterpret_cast<GDestroyNotify>(e_cal_component_id_free));
        g_slist_free_full(events, g_object_unref);
    }
};

// The program as main wires it, attached to the session's service; the clock and the event
// processing are real, message boxes scripted and the end of the program a throw.
struct Program {
    desktop::testing::FakeDesktop fake;
    Program() {
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
        components::RegisterProductComponents(automation::Objects());
        components::RegisterDesktopCalendar(
            automation::Objects(),
            std::filesystem::path(NAMEDAYS_PROGRAM_DIR) / components::kDesktopCalendarModule);
        fake.Install();
        auto product = desktop::ProductPlatform();
        desktop::Services().windows = product.windows;
        desktop::Services().clock = product.clock;
    }
    ~Program() {
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
    }
    void WriteList(int entries) {
        std::ofstream out(fake.paths->program / "Names.txt", std::ios::binary);
        for (int i = 0; i < entries; ++i)
            out << (i % 12 + 1) << "." << (i % 28 + 1) << "\tName " << i << "\t\r\n";
    }
};

// The event the program writes for entry i, made here without the program's classes.
ICalComponent* PlainEvent(int i) {
    ICalComponent* event = i_cal_component_new_vevent();
    i_cal_component_set_uid(event, calendar::NewUid().c_str());
    Ref<ICalTime> stamp(i_cal_time_new_current_with_zone(i_cal_timezone_get_utc_timezone()));
    i_cal_component_set_dtstamp(event, stamp.get());
    Ref<ICalTime> start(i_cal_time_new_null_date());
    i_cal_time_set_date(start.get(), 2026, i % 12 + 1, i % 28 + 1);
    Ref<ICalTime> end(i_cal_time_clone(start.get()));
    i_cal_time_adjust(end.get(), 1, 0, 0, 0);
    i_cal_component_set_dtstart(event, start.get());
    i_cal_component_set_dtend(event, end.get());
    i_cal_component_set_summary(event, ("Name " + std::to_string(i)).c_str());
    i_cal_component_take_property(event, i_cal_property_new_categories("Name Days"));
    i_cal_component_set_description(event, kDescription);
    i_cal_component_take_property(event, i_cal_property_new_transp(I_CAL_TRANSP_TRANSPARENT));
    return event;
}

void PerCreate(benchmark::State& state) {
    state.counters["ms_per_create"] =
        benchmark::Counter(double(state.range(0)) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// What went wrong in a create run, or nothing.
std::string Fault(bool attached, Program& program, Desktop& desktop, int entries) {
    if (!attached)
        return "the program did not attach to the service";
    const auto& shown = program.fake.messages->shown;
    if (shown.size() != 1 || shown[0].icon == desktop::Icon::Critical)
        return "the run failed: " + (shown.empty() ? std::string("no message") : shown[0].text);
    int written = desktop.Count();
    if (written != entries)
        return std::to_string(written) + " of " + std::to_string(entries) + " written";
    return "";
}

void BM_CreateRun(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Program program;
        program.WriteList(entries);
        Desktop desktop;
        desktop.Clear();
        frmCreateNames window;
        window.Form_Load();
        // The run ends the program, which lets go of the application.
        bool attached = modOutlookCode::objOutlook->Version().find("evolution-data-server") !=
                        std::string::npos;
        state.ResumeTiming();
        try {
            window.OKButton_Click();
        } catch (const rt::ProgramEnd&) {
        }
        state.PauseTiming();
        std::string fault = Fault(attached, program, desktop, entries);
        if (!fault.empty()) {
            state.SkipWithError(fault.c_str());
            break;
        }
        state.ResumeTiming();
    }
    PerCreate(state);
}

void BM_PlainLoop(benchmark::State& state) {
    Desktop desktop;
    for (auto _ : state) {
        state.PauseTiming();
        desktop.Clear();
        state.ResumeTiming();
        for (int i = 0; i < state.range(0); ++i) {
            Ref<ICalComponent> event(PlainEvent(i));
            desktopcal::ErrorSlot error;
            if (!e_cal_client_create_object_sync(desktop.client, event.get(),
                                                 E_CAL_OPERATION_FLAG_NONE, nullptr, nullptr,
                                                 &error))
                state.SkipWithError(error.error->message);
        }
    }
    PerCreate(state);
}

void BM_OneBatch(benchmark::State& state) {
    Desktop desktop;
    for (auto _ : state) {
        state.PauseTiming();
        desktop.Clear();
        GSList* events = nullptr;
        for (int i = 0; i < state.range(0); ++i)
            events = g_slist_prepend(events, PlainEvent(i));
        state.ResumeTiming();
        desktopcal::ErrorSlot error;
        if (!e_cal_client_create_objects_sync(desktop.client, events, E_CAL_OPERATION_FLAG_NONE,
                                              nullptr, nullptr, &error))
            state.SkipWithError(error.error->message);
        state.PauseTiming();
        g_slist_free_full(events, g_object_unref);
        state.ResumeTiming();
    }
}

// The check the program makes at start, on a bus of its own whose services have just
// started and opened no calendar yet (argument 0), or have not started at all and are
// started by the bus when first asked for (argument 1).
void BM_FindRunningServiceCold(benchmark::State& state) {
    auto services =
        state.range(0) ? PrivateSession::Services::OnDemand : PrivateSession::Services::Running;
    for (auto _ : state) {
        state.PauseTiming();
        auto own = std::make_unique<PrivateSession>(services);
        state.ResumeTiming();
        auto found = desktopcal::FindService(10s);
        state.PauseTiming();
        if (!found)
            state.SkipWithError("not found");
        found.reset();
        own.reset();
        state.ResumeTiming();
    }
}

// The same once the services have opened the calendar for an earlier client.
void BM_FindRunningServiceWarm(benchmark::State& state) {
    Desktop desktop;
    for (auto _ : state) {
        auto found = desktopcal::FindService(10s);
        if (!found)
            state.SkipWithError("not found");
    }
}

}  // namespace

// Alternating, so that a busy machine weighs on both alike.
BENCHMARK(BM_PlainLoop)->Arg(365)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CreateRun)->Arg(365)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PlainLoop)->Arg(999)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CreateRun)->Arg(999)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PlainLoop)->Arg(365)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CreateRun)->Arg(365)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PlainLoop)->Arg(999)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CreateRun)->Arg(999)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_OneBatch)
    ->Arg(365)
    ->Arg(999)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_FindRunningServiceCold)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_FindRunningServiceWarm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // VELMORA_STORE would keep the program on the local store.
    unsetenv("VELMORA_STORE");
    // Each cold start has a bus of its own; the process talks to one bus at a time. One
    // reporter for both runs: the library's default one does not survive its first run.
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter, "FindRunningServiceCold");
    int status = 0;
    {
        PrivateSession shared;
        session = &shared;
        if (Desktop().client) {
            benchmark::RunSpecifiedBenchmarks(&reporter,
                                              "PlainLoop|CreateRun|OneBatch|ServiceWarm");
        } else {
            std::fprintf(stderr, "the calendar service did not come up\n");
            status = 1;
        }
        session = nullptr;
    }
    benchmark::Shutdown();
    return status;
}
