#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

// Writing files so that nothing is ever torn, and naming what went wrong with them.
namespace rt {

// Writes the bytes to a temporary file beside the target, flushes it to disk and renames it
// over the target, then flushes the folder: readers see the old file or the new one. A
// replaced file keeps its permissions. The first write of a run into a folder also removes
// the temporary files that a killed program left there (see RemoveStaleTemporaries).
void WriteFileAtomically(const std::filesystem::path& target, const std::string& bytes);

// A temporary file of WriteFileAtomically this old belongs to no write that is still going
// on, in this program or in a second copy of it.
inline constexpr std::chrono::minutes kStaleTemporaryAge{10};

// Removes from the folder the temporary files of WriteFileAtomically (".<name>.<8 hex
// digits>.tmp") last modified before `olderThan`; nothing else is touched. A file or folder
// that cannot be read or removed is passed over: this is tidying, never a failure. Returns
// how many were removed.
int RemoveStaleTemporaries(const std::filesystem::path& folder,
                           std::filesystem::file_time_type olderThan);

// The classic error number for the errno of a failed file operation: 76 for a missing path,
// 70 for a refusal, 75 for anything else.
int32_t NumberOfErrno(int error);

// `digits` random hexadecimal digits, for names that must not collide.
std::string RandomHex(int digits);

}  // namespace rt
