#pragma once

// The client side of the desktop's calendar service (evolution-data-server).
#include <libecal/libecal.h>
#include <libedataserver/libedataserver.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "outlook/desktopcal/Deadline.h"
#include "outlook/desktopcal/GLibRef.h"
#include "platform/runtime/Failure.h"

namespace desktopcal {

// The classic number for an automation server that went away while in use ("The remote
// server machine does not exist or is unavailable").
inline constexpr int32_t kServiceGone = 462;

// How long the start-up check and the opening of a calendar may take before the service
// counts as not answering.
inline constexpr std::chrono::milliseconds kAnswerLimit{2000};

// The failure for an error of the service or its bus: 70 for a refusal (read-only calendar,
// authentication), 76 for a calendar that is gone, kServiceGone when the service or the bus
// no longer answers, 75 for anything else; always with the service's own message.
rt::Failure FailureOf(const GError* error);

// The kinds of data source this program knows.
enum class SourceKind { Calendar, TaskList, MemoList, AddressBook, Other };

SourceKind KindOf(ESource* source);
// The source extension of a kind; none for Other.
const char* ExtensionOf(SourceKind kind);

// The version of the service's client library, "3.46.4".
std::string ServiceVersion();

// The registry of data sources and the calendars opened so far, shared by everything that
// came from one application object.
class Service {
  public:
    // The service as it answers now, or none: no session bus, no registry on it, no default
    // calendar, or nothing within the limit. The default calendar is opened here.
    static std::shared_ptr<Service> Find(std::chrono::milliseconds limit = kAnswerLimit);

    // `bus` is the session bus connection the registry and the calendars share.
    Service(Ref<GDBusConnection> bus, Ref<ESourceRegistry> registry);

    ESourceRegistry* Registry() const { return registry_.get(); }
    // The source with that UID, or a failure (76) when the registry no longer has it; the
    // failure names the source by `name` when one is given.
    Ref<ESource> Source(const std::string& uid, const std::string& name = "") const;
    // The UID of the user's default source of that kind; empty when the registry has none.
    std::string DefaultUid(SourceKind kind) const;
    // The calendar, opened on first use (bounded by kAnswerLimit) and kept open.
    ECalClient* Calendar(const std::string& uid);
    // The same, bounded by the caller's cancellable when one is given.
    ECalClient* Open(const std::string& uid, GCancellable* cancellable);
    // What the opened calendar says; its source's own flag says writable for calendars
    // that refuse every change, such as the birthdays of the address book.
    bool IsReadOnly(const std::string& uid, GCancellable* cancellable = nullptr);
    // The failure for an error of a call on the calendar: as FailureOf, but kServiceGone
    // when the calendar's service has left the bus.
    rt::Failure FailureFor(ECalClient* calendar, const GError* error);
    // Adds a calendar of the service's own, on this computer; returns its UID.
    std::string NewLocalCalendar(const std::string& name);

  private:
    bool OnTheBus(ECalClient* calendar);
    static std::shared_ptr<Service> FindNow(std::chrono::milliseconds limit);

    Ref<GDBusConnection> bus_;
    Ref<ESourceRegistry> registry_;
    std::map<std::string, Ref<ECalClient>> calendars_;
};

}  // namespace desktopcal
