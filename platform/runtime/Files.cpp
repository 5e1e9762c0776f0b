#include "platform/runtime/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/runtime/Failure.h"

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

}  // namespace

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
