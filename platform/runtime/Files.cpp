#include "platform/runtime/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <random>
#include <set>

#include "platform/runtime/Failure.h"
#include "platform/runtime/ProgramState.h"

namespace rt {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowIo(int32_t number, const std::string& what, const fs::path& path) {
    throw Failure(number, what + " " + path.string() + ": " + std::strerror(errno));
}

void WriteAll(int fd, const std::string& bytes, const fs::path& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowIo(kPathFileAccess, "Cannot write", path);
        done += static_cast<size_t>(n);
    }
}

void KeepPermissions(int fd, const fs::path& target) {
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(fd, existing.st_mode & 07777);
}

void SyncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;  // the rename is done; a folder we cannot open cannot be flushed
    ::fsync(fd);
    ::close(fd);
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// ".<name>.<8 hex digits>.tmp", as WriteFileAtomically names its temporaries.
bool IsTemporaryName(const std::string& name) {
    const std::string suffix = ".tmp";
    const size_t digits = 8;
    const size_t tail = 1 + digits + suffix.size();  // ".XXXXXXXX.tmp"
    if (name.size() < 2 + tail || name.front() != '.' || !name.ends_with(suffix))
        return false;
    const size_t dot = name.size() - tail;
    if (name[dot] != '.')
        return false;
    for (size_t i = dot + 1; i < dot + 1 + digits; ++i)
        if (!IsHexDigit(name[i]))
            return false;
    return true;
}

// Each folder is tidied once per run: the first write into it pays for one listing, the rest
// (a run writes one file per appointment) pay nothing.
void TidyOnce(const fs::path& folder) {
    static std::mutex mutex;
    std::set<fs::path>& tidied = program.tidiedFolders;
    try {
        std::error_code error;
        fs::path key = fs::absolute(folder, error).lexically_normal();
        if (error)
            key = folder;
        {
            std::lock_guard lock(mutex);
            if (!tidied.insert(key).second)
                return;
        }
        RemoveStaleTemporaries(folder, fs::file_time_type::clock::now() - kStaleTemporaryAge);
    } catch (const std::exception&) {
        // Out of memory: the write itself matters more than tidying.
    }
}

}  // namespace

int RemoveStaleTemporaries(const fs::path& folder, fs::file_time_type olderThan) {
    int removed = 0;
    try {
        std::error_code error;
        fs::directory_iterator entries(folder, error);
        for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
            const fs::directory_entry& entry = *entries;
            std::error_code ignored;
            if (!IsTemporaryName(entry.path().filename().string()) ||
                entry.symlink_status(ignored).type() != fs::file_type::regular)
                continue;
            fs::file_time_type modified = entry.last_write_time(ignored);
            if (ignored || modified >= olderThan)
                continue;
            if (fs::remove(entry.path(), ignored))
                ++removed;
        }
    } catch (const std::exception&) {
        // Out of memory while listing a folder: what was removed so far stays removed.
    }
    return removed;
}

int32_t NumberOfErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return kPermissionDenied;
        default:
            return kPathFileAccess;
    }
}

std::string RandomHex(int digits) {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> hex(0, 15);
    std::string text;
    for (int i = 0; i < digits; ++i)
        text += "0123456789ABCDEF"[hex(generator)];
    return text;
}

void WriteFileAtomically(const fs::path& target, const std::string& bytes) {
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    TidyOnce(folder);
    fs::path temporary = folder / ("." + target.filename().string() + "." + RandomHex(8) + ".tmp");
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        ThrowIo(NumberOfErrno(errno), "Cannot create", target);
    try {
        KeepPermissions(fd, target);
        WriteAll(fd, bytes, target);
        if (::fsync(fd) != 0)
            ThrowIo(kPathFileAccess, "Cannot flush", target);
    } catch (const Failure&) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    ::close(fd);
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        ThrowIo(NumberOfErrno(errno), "Cannot replace", target);
    }
    SyncFolder(folder);
}

}  // namespace rt
