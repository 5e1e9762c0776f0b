#include "services/scripting/FileSystemObject.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Failure.h"
#include "services/TextEncoding.h"

namespace scripting {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowIo(int32_t number, const std::string& what, const fs::path& path) {
    throw rt::Failure(number, what + " " + path.string() + ": " + std::strerror(errno));
}

int32_t NumberOfErrno() {
    switch (errno) {
        case ENOENT:
        case ENOTDIR:
            return rt::kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return rt::kPermissionDenied;
        default:
            return rt::kPathFileAccess;
    }
}

void WriteAll(int fd, const std::string& bytes, const fs::path& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowIo(rt::kPathFileAccess, "Cannot write", path);
        done += static_cast<size_t>(n);
    }
}

// A replaced file keeps the permissions the user gave it.
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

std::string RandomHex(int digits) {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> hex(0, 15);
    std::string text;
    for (int i = 0; i < digits; ++i)
        text += "0123456789ABCDEF"[hex(generator)];
    return text;
}

}  // namespace

void WriteFileAtomically(const fs::path& target, const std::string& bytes) {
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    fs::path temporary = folder / ("." + target.filename().string() + "." + RandomHex(8) + ".tmp");
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        ThrowIo(NumberOfErrno(), "Cannot create", target);
    try {
        KeepPermissions(fd, target);
        WriteAll(fd, bytes, target);
        if (::fsync(fd) != 0)
            ThrowIo(rt::kPathFileAccess, "Cannot flush", target);
    } catch (const rt::Failure&) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    ::close(fd);
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        ThrowIo(NumberOfErrno(), "Cannot replace", target);
    }
    SyncFolder(folder);
}

// "/tmp/" and "/tmp" are one folder; only a root folder's path ends in "/".
Folder::Folder(fs::path path)
    : path_(path.has_filename() || path == path.root_path() ? path : path.parent_path()) {}

std::string Folder::Path() const {
    return path_.string();
}

std::string Folder::Name() const {
    return IsRootFolder() ? "" : path_.filename().string();
}

std::string Folder::ShortName() const {
    return Name();
}

bool Folder::IsRootFolder() const {
    return path_ == path_.root_path();
}

std::shared_ptr<Folder> Folder::ParentFolder() const {
    if (IsRootFolder())
        return nullptr;
    return std::make_shared<Folder>(path_.parent_path());
}

std::vector<std::shared_ptr<Folder>> Folder::SubFolders() const {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(path_))
        if (entry.is_directory())
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    std::vector<std::shared_ptr<Folder>> folders;
    for (auto& p : paths)
        folders.push_back(std::make_shared<Folder>(p));
    return folders;
}

std::shared_ptr<Folder> File::ParentFolder() const {
    return std::make_shared<Folder>(path_.parent_path());
}

TextStream::TextStream(fs::path path, std::string content, bool forWriting)
    : path_(std::move(path)), content_(std::move(content)), forWriting_(forWriting) {}

TextStream::~TextStream() {
    if (!forWriting_ || closed_)
        return;
    try {
        Close();
    } catch (const std::exception&) {
        // A stream dropped without Close has nobody to tell; Close reports.
    }
}

void TextStream::Write(const std::string& text) {
    if (!forWriting_ || closed_)
        throw rt::Failure(rt::kInvalidCall, "The stream is not open for writing");
    content_ += text;
}

std::string TextStream::ReadAll() {
    if (forWriting_)
        throw rt::Failure(rt::kInvalidCall, "The stream is not open for reading");
    return content_;
}

void TextStream::Close() {
    if (closed_)
        return;
    closed_ = true;
    if (forWriting_)
        WriteFileAtomically(path_, textencoding::EncodeFile(content_));
}

std::shared_ptr<Folder> FileSystemObject::GetSpecialFolder(int kind) {
    if (kind != TemporaryFolder)
        throw rt::Failure(rt::kInvalidCall);
    return std::make_shared<Folder>(desktop::Services().paths->TempFolder());
}

std::string FileSystemObject::GetTempName() {
    return "rad" + RandomHex(5) + ".tmp";
}

std::shared_ptr<TextStream> FileSystemObject::CreateTextFile(const std::string& name,
                                                             bool overwrite, bool unicode) {
    if (unicode)
        throw rt::Failure(rt::kInvalidCall, "Only ANSI text files are written");
    if (!overwrite && fs::exists(name))
        throw rt::Failure(58, "File already exists");
    fs::path folder = fs::path(name).parent_path();
    if (!fs::is_directory(folder.empty() ? fs::path(".") : folder))
        throw rt::Failure(rt::kPathNotFound, "Path not found: " + folder.string());
    return std::make_shared<TextStream>(name, "", true);
}

std::shared_ptr<TextStream> FileSystemObject::OpenTextFile(const std::string& name, int mode,
                                                           bool create, int format) {
    if (mode != ForReading || create || format != 0)
        throw rt::Failure(rt::kInvalidCall);
    std::ifstream in(name, std::ios::binary);
    if (!in)
        throw rt::Failure(rt::kFileNotFound, "File not found: " + name);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        throw rt::Failure(rt::kPathFileAccess, "Cannot read " + name);
    return std::make_shared<TextStream>(name, textencoding::DecodeFile(bytes.str()), false);
}

bool FileSystemObject::FileExists(const std::string& name) {
    std::error_code error;
    return fs::is_regular_file(name, error);
}

std::shared_ptr<File> FileSystemObject::GetFile(const std::string& name) {
    if (!FileExists(name))
        throw rt::Failure(rt::kFileNotFound, "File not found: " + name);
    return std::make_shared<File>(name);
}

}  // namespace scripting
