#include "platform/runtime/Failure.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace rt {

Failure::Failure(int32_t number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

Failure::Failure(int32_t number) : Failure(number, DescriptionOf(number)) {}

std::string DescriptionOf(int32_t number) {
    switch (number) {
        case kInvalidCall:
            return "Invalid procedure call or argument";
        case kOverflow:
            return "Overflow";
        case kOutOfMemory:
            return "Out of memory";
        case kSubscriptOutOfRange:
            return "Subscript out of range";
        case kTypeMismatch:
            return "Type mismatch";
        case kFileNotFound:
            return "File not found";
        case kFileAlreadyExists:
            return "File already exists";
        case kPermissionDenied:
            return "Permission denied";
        case kPathFileAccess:
            return "Path/File access error";
        case kPathNotFound:
            return "Path not found";
        case kObjectNotSet:
            return "Object variable or With block variable not set";
        case kInvalidUseOfNull:
            return "Invalid use of Null";
        case kCannotCreateObject:
            return "ActiveX component can't create object";
        case kKeyExists:
            return "This key is already associated with an element of this collection";
        case kBadArguments:
            return "Arguments are of the wrong type, are out of acceptable range, or are in "
                   "conflict with one another";
        case kNoCurrentRecord:
            return "Either BOF or EOF is True, or the current record has been deleted";
        default:
            return "Application-defined or object-defined error";
    }
}

namespace {

int32_t NumberOf(const std::error_code& code) {
    if (code == std::errc::no_such_file_or_directory)
        return kFileNotFound;
    if (code == std::errc::permission_denied || code == std::errc::operation_not_permitted)
        return kPermissionDenied;
    if (code == std::errc::not_a_directory)
        return kPathNotFound;
    return kPathFileAccess;
}

}  // namespace

Failure AsFailure(const std::exception& e) {
    if (auto* failure = dynamic_cast<const Failure*>(&e))
        return *failure;
    if (auto* fs = dynamic_cast<const std::filesystem::filesystem_error*>(&e))
        return Failure(NumberOf(fs->code()), fs->what());
    if (auto* sys = dynamic_cast<const std::system_error*>(&e))
        return Failure(NumberOf(sys->code()), sys->what());
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return Failure(kOutOfMemory);
    if (dynamic_cast<const std::out_of_range*>(&e))
        return Failure(kSubscriptOutOfRange, e.what());
    if (dynamic_cast<const std::overflow_error*>(&e))
        return Failure(kOverflow, e.what());
    return Failure(kInvalidCall, e.what());
}

}  // namespace rt
