#include "outlook/desktopcal/Service.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/desktop/Desktop.h"

namespace desktopcal {

namespace {

constexpr const char* kLocalParent = "local-stub";
constexpr const char* kLocalBackend = "local";

bool IsServiceGone(const GError* error) {
    if (error->domain == G_DBUS_ERROR)
        return true;
    if (error->domain == G_IO_ERROR)
        return error->code == G_IO_ERROR_CLOSED || error->code == G_IO_ERROR_CONNECTION_CLOSED ||
               error->code == G_IO_ERROR_CANCELLED || error->code == G_IO_ERROR_TIMED_OUT ||
               error->code == G_IO_ERROR_NOT_FOUND || error->code == G_IO_ERROR_BROKEN_PIPE;
    if (error->domain == E_CLIENT_ERROR)
        return error->code == E_CLIENT_ERROR_DBUS_ERROR || error->code == E_CLIENT_ERROR_CANCELLED;
    return false;
}

bool IsRefusal(const GError* error) {
    return error->domain == E_CLIENT_ERROR &&
           (error->code == E_CLIENT_ERROR_PERMISSION_DENIED ||
            error->code == E_CLIENT_ERROR_AUTHENTICATION_FAILED ||
            error->code == E_CLIENT_ERROR_AUTHENTICATION_REQUIRED);
}

bool IsCalendarGone(const GError* error) {
    if (error->domain == E_CAL_CLIENT_ERROR)
        return error->code == E_CAL_CLIENT_ERROR_NO_SUCH_CALENDAR;
    return error->domain == E_CLIENT_ERROR && (error->code == E_CLIENT_ERROR_SOURCE_NOT_LOADED ||
                                               error->code == E_CLIENT_ERROR_NOT_OPENED);
}

int32_t NumberOf(const GError* error) {
    if (IsRefusal(error))
        return rt::kPermissionDenied;
    if (IsCalendarGone(error))
        return rt::kPathNotFound;
    if (IsServiceGone(error))
        return kServiceGone;
    return rt::kPathFileAccess;
}

std::string MessageOf(const GError* error) {
    GError* copy = g_error_copy(error);
    g_dbus_error_strip_remote_error(copy);
    std::string message = TextOf(copy->message);
    g_error_free(copy);
    return message;
}

bool IsCancelled(const GError* error) {
    return g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED) ||
           g_error_matches(error, E_CLIENT_ERROR, E_CLIENT_ERROR_CANCELLED);
}

// The service's own words are technical; the sentence before them says what happened.
rt::Failure ServiceGone(const std::string& message, bool cancelled) {
    return rt::Failure(kServiceGone, std::string("The desktop's calendar service ") +
                                         (cancelled ? "did not answer in time" : "is gone") + " (" +
                                         message + ")");
}

}  // namespace

rt::Failure FailureOf(const GError* error) {
    if (!error)
        return rt::Failure(rt::kPathFileAccess, "The desktop's calendar service failed");
    int32_t number = NumberOf(error);
    if (number == kServiceGone)
        return ServiceGone(MessageOf(error), IsCancelled(error));
    return rt::Failure(number, MessageOf(error));
}

const char* ExtensionOf(SourceKind kind) {
    switch (kind) {
        case SourceKind::Calendar:
            return E_SOURCE_EXTENSION_CALENDAR;
        case SourceKind::TaskList:
            return E_SOURCE_EXTENSION_TASK_LIST;
        case SourceKind::MemoList:
            return E_SOURCE_EXTENSION_MEMO_LIST;
        case SourceKind::AddressBook:
            return E_SOURCE_EXTENSION_ADDRESS_BOOK;
        case SourceKind::Other:
            break;
    }
    return nullptr;
}

SourceKind KindOf(ESource* source) {
    for (auto kind : {SourceKind::Calendar, SourceKind::TaskList, SourceKind::MemoList,
                      SourceKind::AddressBook})
        if (e_source_has_extension(source, ExtensionOf(kind)))
            return kind;
    return SourceKind::Other;
}

// The library's registry does not give up on a service that hangs before the bus's own
// timeout (25 s), so the search runs beside this thread, which waits no longer than the
// limit. A search given up on ends on its own thread and drops what it found there.
std::shared_ptr<Service> Service::Find(std::chrono::milliseconds limit) {
    if (!desktop::SessionBusNamed())
        return nullptr;
    struct Search {
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        bool abandoned = false;
        std::shared_ptr<Service> found;
    };
    auto search = std::make_shared<Search>();
    std::thread([search, limit] {
        std::shared_ptr<Service> found = FindNow(limit);
        std::lock_guard lock(search->mutex);
        search->done = true;
        if (!search->abandoned)
            search->found = std::move(found);
        search->finished.notify_one();
    }).detach();
    std::unique_lock lock(search->mutex);
    if (!search->finished.wait_for(lock, limit, [&] { return search->done; })) {
        search->abandoned = true;
        return nullptr;
    }
    return std::move(search->found);
}

std::shared_ptr<Service> Service::FindNow(std::chrono::milliseconds limit) {
    ErrorSlot error;
    // The registry and the calendars use the process's shared connection to the session bus.
    // GLib ends the whole process when that bus goes away under it; here a call that fails
    // for it is reported like any other failure.
    Ref<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error));
    if (!bus)
        return nullptr;
    g_dbus_connection_set_exit_on_close(bus.get(), FALSE);
    Ref<ESourceRegistry> registry(e_source_registry_new_sync(nullptr, &error));
    if (!registry)
        return nullptr;  // no registry on the bus
    auto service = std::make_shared<Service>(std::move(bus), std::move(registry));
    std::string uid = service->DefaultUid(SourceKind::Calendar);
    if (uid.empty())
        return nullptr;
    try {
        Deadline deadline(limit);
        service->Open(uid, deadline.Cancellable());
    } catch (const rt::Failure&) {
        return nullptr;  // a registry without a calendar factory cannot take appointments
    }
    return service;
}

Service::Service(Ref<GDBusConnection> bus, Ref<ESourceRegistry> registry)
    : bus_(std::move(bus)), registry_(std::move(registry)) {}

Ref<ESource> Service::Source(const std::string& uid, const std::string& name) const {
    Ref<ESource> source(e_source_registry_ref_source(registry_.get(), uid.c_str()));
    if (!source)
        throw rt::Failure(rt::kPathNotFound, "The calendar \"" + (name.empty() ? uid : name) +
                                                 "\" is not in the desktop's calendar service");
    return source;
}

std::string Service::DefaultUid(SourceKind kind) const {
    ESourceRegistry* registry = registry_.get();
    const char* extension = ExtensionOf(kind);
    if (!extension)
        return "";
    // A registry without any source of the kind has no built-in one either, and asking it
    // for a default would make the library complain.
    GList* sources = e_source_registry_list_sources(registry, extension);
    bool any = sources != nullptr;
    g_list_free_full(sources, g_object_unref);
    if (!any)
        return "";
    Ref<ESource> chosen;
    switch (kind) {
        case SourceKind::Calendar:
            chosen.reset(e_source_registry_ref_default_calendar(registry));
            break;
        case SourceKind::TaskList:
            chosen.reset(e_source_registry_ref_default_task_list(registry));
            break;
        case SourceKind::MemoList:
            chosen.reset(e_source_registry_ref_default_memo_list(registry));
            break;
        case SourceKind::AddressBook:
            chosen.reset(e_source_registry_ref_default_address_book(registry));
            break;
        case SourceKind::Other:
            break;
    }
    return chosen ? TextOf(e_source_get_uid(chosen.get())) : "";
}

ECalClient* Service::Calendar(const std::string& uid) {
    return Open(uid, nullptr);
}

ECalClient* Service::Open(const std::string& uid, GCancellable* cancellable) {
    if (auto known = calendars_.find(uid); known != calendars_.end())
        return known->second.get();
    Ref<ESource> source = Source(uid);
    if (KindOf(source.get()) != SourceKind::Calendar)
        throw rt::Failure(rt::kTypeMismatch,
                          TextOf(e_source_get_display_name(source.get())) + " is not a calendar");
    std::optional<Deadline> own;
    if (!cancellable)
        cancellable = own.emplace(kAnswerLimit).Cancellable();
    ErrorSlot error;
    // Waiting for "connected" here would block this thread until the wait runs out: that
    // state arrives through the very main loop the wait blocks.
    EClient* client = e_cal_client_connect_sync(source.get(), E_CAL_CLIENT_SOURCE_TYPE_EVENTS,
                                                static_cast<guint32>(-1), cancellable, &error);
    if (!client)
        throw FailureOf(error.error);
    auto& slot = calendars_[uid];
    slot.reset(E_CAL_CLIENT(client));
    return slot.get();
}

// The library reports a call to a service that has gone off the bus as a plain failure;
// whether the calendar's service still has its name on the bus tells the two apart.
rt::Failure Service::FailureFor(ECalClient* calendar, const GError* error) {
    rt::Failure failure = FailureOf(error);
    if (failure.Number() != rt::kPathFileAccess || OnTheBus(calendar))
        return failure;
    return ServiceGone(failure.Description(), false);
}

bool Service::OnTheBus(ECalClient* calendar) {
    gchar* name = e_client_dup_bus_name(E_CLIENT(calendar));
    GVariant* reply = nullptr;
    if (name && !g_dbus_connection_is_closed(bus_.get()))
        reply = g_dbus_connection_call_sync(
            bus_.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "NameHasOwner", g_variant_new("(s)", name), G_VARIANT_TYPE("(b)"),
            G_DBUS_CALL_FLAGS_NONE, static_cast<int>(kAnswerLimit.count()), nullptr, nullptr);
    g_free(name);
    gboolean owned = FALSE;
    if (reply) {
        g_variant_get(reply, "(b)", &owned);
        g_variant_unref(reply);
    }
    return owned;
}

bool Service::IsReadOnly(const std::string& uid, GCancellable* cancellable) {
    return e_client_is_readonly(E_CLIENT(Open(uid, cancellable)));
}

std::string Service::NewLocalCalendar(const std::string& name) {
    if (name.find_first_not_of(" \t") == std::string::npos)
        throw rt::Failure(rt::kInvalidCall, "A new calendar needs a name");
    ErrorSlot error;
    Ref<ESource> source(e_source_new(nullptr, nullptr, &error));
    if (!source)
        throw FailureOf(error.error);
    e_source_set_display_name(source.get(), name.c_str());
    e_source_set_parent(source.get(), kLocalParent);
    auto* backend =
        E_SOURCE_BACKEND(e_source_get_extension(source.get(), E_SOURCE_EXTENSION_CALENDAR));
    e_source_backend_set_backend_name(backend, kLocalBackend);
    Deadline deadline(kAnswerLimit);
    if (!e_source_registry_commit_source_sync(registry_.get(), source.get(), deadline.Cancellable(),
                                              &error))
        throw FailureOf(error.error);
    return TextOf(e_source_get_uid(source.get()));
}

std::string ServiceVersion() {
    return std::to_string(eds_major_version) + "." + std::to_string(eds_minor_version) + "." +
           std::to_string(eds_micro_version);
}

}  // namespace desktopcal
