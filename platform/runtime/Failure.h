#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

namespace rt {

// The classic error numbers, so that reports read the way users of such programs know them.
enum ErrorNumber : int32_t {
    kInvalidCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kTypeMismatch = 13,
    kFileNotFound = 53,
    kFileAlreadyExists = 58,
    kPermissionDenied = 70,
    kPathFileAccess = 75,
    kPathNotFound = 76,
    kObjectNotSet = 91,
    kInvalidUseOfNull = 94,
    kCannotCreateObject = 429,
    kKeyExists = 457,
    // The recordset's own numbers.
    kBadArguments = 3001,
    kNoCurrentRecord = 3021,
};

// The one failure type of the program: a number and a description.
class Failure : public std::runtime_error {
  public:
    Failure(int32_t number, std::string description);
    explicit Failure(int32_t number);  // with the classic description of that number

    int32_t Number() const { return number_; }
    const std::string& Description() const { return description_; }

  private:
    int32_t number_;
    std::string description_;
};

// The classic description of an error number ("Overflow", "Type mismatch" ...).
std::string DescriptionOf(int32_t number);

// Turns whatever a library threw into a failure with a fitting number and its own message.
Failure AsFailure(const std::exception& e);

// Thrown (in tests) or acted on (in the product) when the program ends. It deliberately does
// not derive from std::exception, so no failure handler can swallow it.
struct ProgramEnd {
    int status;
};

}  // namespace rt

namespace rt {

// The object behind a shared reference, or error 91 when the reference is none.
template <class Pointer>
auto& Need(const Pointer& object) {
    if (!object)
        throw Failure(kObjectNotSet);
    return *object;
}

}  // namespace rt
