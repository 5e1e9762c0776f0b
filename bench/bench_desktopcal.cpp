// The desktop's calendar service on a private session bus of this run: a create run of 365
// and of 999 all-day appointments through the program's appointment class into the default
// calendar, beside a plain loop of the same creates through libecal (and, for scale, the
// service's batch create); then how long finding the running service takes, cold and warm.
// Every create run starts from an empty calendar: the service rewrites its whole calendar
// file on each change, so runs on a fuller calendar would not compare. The work happens in
// the service's process, so every figure is wall-clock time.
#include "outlook/desktopcal/Service.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outlook/desktopcal/DesktopCalendar.h"
#include "outlook/pimstore/Appointment.h"
#include "platform/runtime/Date.h"
#include "tests/support/PrivateSession.h"

namespace {

using namespace std::chrono_literals;
using desktopcal::Ref;
using testsupport::PrivateSession;

constexpr const char* kCredit =
    "Outlook Velmora provided for free by https://www.velmora.example\r\n\r\n";

// A session with the service, the application on it, and the default calendar opened.
struct Desktop {
    PrivateSession session;
    std::shared_ptr<desktopcal::DesktopApplication> app =
        desktopcal::FindRunningService(session.Root() / "store", 10s);
    std::shared_ptr<outlook::Folder> calendar =
        app ? app->GetNamespace("MAPI")->GetDefaultFolder(outlook::olFolderCalendar) : nullptr;
    ECalClient* client = app ? app->GetService()->Calendar(
                                   app->GetService()->DefaultUid(desktopcal::SourceKind::Calendar))
                             : nullptr;

    void Clear() {
        GSList* uids = nullptr;
        desktopcal::ErrorSlot error;
        e_cal_client_get_object_list_sync(client, "#t", &uids, nullptr, &error);
        GSList* ids = nullptr;
        for (GSList* link = uids; link; link = link->next)
            ids = g_slist_prepend(
                ids, e_cal_component_id_new(i_cal_component_get_uid(I_CAL_COMPONENT(link->data)),
                                            nullptr));
        if (ids)
            e_cal_client_remove_objects_sync(client, ids, E_CAL_OBJ_MOD_ALL,
                                             E_CAL_OPERATION_FLAG_NONE, nullptr, &error);
        g_slist_free_full(ids, reinterpret_cast<GDestroyNotify>(e_cal_component_id_free));
        g_slist_free_full(uids, g_object_unref);
    }
};

void AddThroughTheClass(outlook::Folder& calendar, int i) {
    auto item = calendar.Items()->Add("IPM.Appointment");
    item->SetStart(rt::DateSerial(2007, 1, 1 + i));
    item->SetAllDayEvent(true);
    item->SetSubject("Anna, Eva, Maria");
    item->SetCategories("Name Days");
    item->SetBody(kCredit);
    item->SetReminderSet(false);
    item->Save();
    item->Close(0);
}

ICalComponent* PlainEvent(int i) {
    ICalComponent* event = i_cal_component_new_vevent();
    i_cal_component_set_uid(event, pimstore::NewUid().c_str());
    Ref<ICalTime> stamp(i_cal_time_new_current_with_zone(i_cal_timezone_get_utc_timezone()));
    i_cal_component_set_dtstamp(event, stamp.get());
    Ref<ICalTime> start(i_cal_time_new_null_date());
    i_cal_time_set_date(start.get(), 2007, 1, 1);
    i_cal_time_adjust(start.get(), i, 0, 0, 0);
    Ref<ICalTime> end(i_cal_time_clone(start.get()));
    i_cal_time_adjust(end.get(), 1, 0, 0, 0);
    i_cal_component_set_dtstart(event, start.get());
    i_cal_component_set_dtend(event, end.get());
    i_cal_component_set_summary(event, "Anna, Eva, Maria");
    i_cal_component_take_property(event, i_cal_property_new_categories("Name Days"));
    i_cal_component_set_description(
        event, "Outlook Velmora provided for free by https://www.velmora.example\n\n");
    i_cal_component_take_property(event, i_cal_property_new_transp(I_CAL_TRANSP_TRANSPARENT));
    return event;
}

// Runs `add` for entries 0 .. n-1 on an emptied default calendar, once per iteration.
void CreateRun(benchmark::State& state, const std::function<void(Desktop&, int)>& add) {
    Desktop desktop;
    if (!desktop.client) {
        state.SkipWithError("the calendar service did not come up");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        desktop.Clear();
        state.ResumeTiming();
        for (int i = 0; i < state.range(0); ++i)
            add(desktop, i);
    }
    state.counters["ms_per_create"] =
        benchmark::Counter(double(state.range(0)) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CreateRunThroughTheClass(benchmark::State& state) {
    CreateRun(state, [](Desktop& desktop, int i) { AddThroughTheClass(*desktop.calendar, i); });
}

void BM_CreateRunPlainLoop(benchmark::State& state) {
    CreateRun(state, [&state](Desktop& desktop, int i) {
        Ref<ICalComponent> event(PlainEvent(i));
        desktopcal::ErrorSlot error;
        if (!e_cal_client_create_object_sync(desktop.client, event.get(), E_CAL_OPERATION_FLAG_NONE,
                                             nullptr, nullptr, &error))
            state.SkipWithError(error.error->message);
    });
}

void BM_CreateRunOneBatch(benchmark::State& state) {
    Desktop desktop;
    if (!desktop.client) {
        state.SkipWithError("the calendar service did not come up");
        return;
    }
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

// The check the program makes at start: the registry and the default calendar, on a bus
// whose services have just started and have not opened any calendar yet (argument 0), or
// have not started at all and are started by the bus when first asked for (argument 1).
void BM_FindRunningServiceCold(benchmark::State& state) {
    auto services =
        state.range(0) ? PrivateSession::Services::OnDemand : PrivateSession::Services::Running;
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<PrivateSession>(services);
        state.ResumeTiming();
        auto app = desktopcal::FindRunningService(session->Root() / "store", 10s);
        state.PauseTiming();
        if (!app)
            state.SkipWithError("not found");
        app.reset();
        session.reset();
        state.ResumeTiming();
    }
}

// The same once the services have opened the calendar for an earlier client.
void BM_FindRunningServiceWarm(benchmark::State& state) {
    Desktop desktop;
    for (auto _ : state) {
        auto app = desktopcal::FindRunningService(desktop.session.Root() / "store", 10s);
        if (!app)
            state.SkipWithError("not found");
    }
}

BENCHMARK(BM_CreateRunThroughTheClass)
    ->Arg(365)
    ->Arg(999)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_CreateRunPlainLoop)
    ->Arg(365)
    ->Arg(999)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_CreateRunOneBatch)
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

}  // namespace

BENCHMARK_MAIN();
