#include "outlook/pimstore/StoreCalendar.h"

#include <fstream>
#include <iterator>

#include "outlook/calendar/ICalendar.h"
#include "outlook/calendar/ItemKinds.h"
#include "outlook/pimstore/StoreFolders.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Files.h"

namespace pimstore {

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The appointments a file holds; none when it is not iCalendar.
std::vector<calendar::Appointment> Read(const fs::path& file) {
    try {
        return calendar::FromICalendar(ReadFile(file));
    } catch (const rt::Failure&) {
        return {};
    }
}

bool Holds(const fs::path& file, const std::string& uid) {
    for (const auto& appointment : Read(file))
        if (appointment.uid == uid)
            return true;
    return false;
}

}  // namespace

StoreCalendar::StoreCalendar(fs::path path) : path_(std::move(path)) {}

std::string StoreCalendar::Name() {
    return path_.filename().string();
}

std::string StoreCalendar::Title() {
    return Name() + " (" + kStoreName + ")";
}

int32_t StoreCalendar::ItemType() {
    return IsMailFolder(path_) ? outlook::olMailItem : outlook::olAppointmentItem;
}

fs::path StoreCalendar::File(const std::string& uid) const {
    return path_ / (uid + ".ics");
}

void StoreCalendar::CheckFolder() const {
    std::error_code error;
    if (!fs::is_directory(path_, error))
        throw rt::Failure(rt::kPathNotFound, "Path not found: the calendar folder " +
                                                 path_.string() + " no longer exists");
}

void StoreCalendar::Add(const calendar::Appointment& appointment) {
    CheckFolder();
    rt::WriteFileAtomically(File(appointment.uid), calendar::ToICalendar(appointment));
}

void StoreCalendar::Change(const calendar::Appointment& appointment) {
    Add(appointment);
}

std::vector<fs::path> StoreCalendar::AppointmentFiles() const {
    CheckFolder();
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(path_, error)) {
        const fs::path& file = entry.path();
        if (entry.is_regular_file(error) && file.extension() == ".ics" &&
            !file.filename().string().starts_with("."))
            files.push_back(file);
    }
    return files;
}

std::vector<calendar::Appointment> StoreCalendar::Find(rt::Date first, rt::Date last) {
    std::vector<calendar::Appointment> found;
    for (const fs::path& file : AppointmentFiles())
        for (auto& appointment : Read(file))
            if (calendar::StartsWithin(appointment, first, last))
                found.push_back(std::move(appointment));
    return found;
}

void StoreCalendar::Remove(const std::string& uid) {
    fs::path file = File(uid);
    std::error_code error;
    // Files written here are named by their UID; those of other programs need not be.
    if (!fs::is_regular_file(file, error) || !Holds(file, uid)) {
        file.clear();
        for (const fs::path& candidate : AppointmentFiles())
            if (Holds(candidate, uid))
                file = candidate;
    }
    if (file.empty())
        throw rt::Failure(rt::kPathNotFound, "No appointment " + uid + " in " + path_.string());
    if (!fs::remove(file, error))
        throw rt::Failure(rt::NumberOfErrno(error.value()),
                          "Cannot remove " + file.string() + ": " + error.message());
}

}  // namespace pimstore
