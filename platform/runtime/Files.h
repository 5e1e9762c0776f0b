#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Writing files so that nothing is ever torn, and naming what went wrong with them.
namespace rt {

// Writes the bytes to a temporary file beside the target, flushes it to disk and renames it
// over the target, then flushes the folder: readers see the old file or the new one. A
// replaced file keeps its permissions.
void WriteFileAtomically(const std::filesystem::path& target, const std::string& bytes);

// The classic error number for the errno of a failed file operation: 76 for a missing path,
// 70 for a refusal, 75 for anything else.
int32_t NumberOfErrno(int error);

// `digits` random hexadecimal digits, for names that must not collide.
std::string RandomHex(int digits);

}  // namespace rt
