#include "services/scripting/FileSystemObject.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/TextEncoding.h"

namespace scripting {

namespace fs = std::filesystem;

namespace {

// The failure for a file that cannot be opened or read, with its path: a missing file is
// "File not found" (53), a refusal "Permission denied" (70); the catch-all "Path/File access
// error" (75) also says what the system said.
[[noreturn]] void ThrowReadFailure(int error, const std::string& name) {
    int32_t number = error == ENOENT ? rt::kFileNotFound : rt::NumberOfErrno(error);
    std::string description = rt::DescriptionOf(number) + ": " + name;
    if (number == rt::kPathFileAccess)
        description += " (" + std::string(std::strerror(error)) + ")";
    throw rt::Failure(number, description);
}

std::string ReadBytes(const std::string& name) {
    int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowReadFailure(errno, name);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            ThrowReadFailure(error, name);
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

}  // namespace

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
        rt::WriteFileAtomically(path_, textencoding::EncodeFile(content_));
}

std::shared_ptr<Folder> FileSystemObject::GetSpecialFolder(int kind) {
    if (kind != TemporaryFolder)
        throw rt::Failure(rt::kInvalidCall);
    return std::make_shared<Folder>(desktop::Services().paths->TempFolder());
}

std::string FileSystemObject::GetTempName() {
    return "rad" + rt::RandomHex(5) + ".tmp";
}

std::shared_ptr<TextStream> FileSystemObject::CreateTextFile(const std::string& name,
                                                             bool overwrite, bool unicode) {
    if (unicode)
        throw rt::Failure(rt::kInvalidCall, "Only ANSI text files are written");
    if (!overwrite && fs::exists(name))
        throw rt::Failure(rt::kFileAlreadyExists);
    fs::path folder = fs::path(name).parent_path();
    if (!fs::is_directory(folder.empty() ? fs::path(".") : folder))
        throw rt::Failure(rt::kPathNotFound, "Path not found: " + folder.string());
    return std::make_shared<TextStream>(name, "", true);
}

std::shared_ptr<TextStream> FileSystemObject::OpenTextFile(const std::string& name, int mode,
                                                           bool create, int format) {
    if (mode != ForReading || create || format != 0)
        throw rt::Failure(rt::kInvalidCall);
    return std::make_shared<TextStream>(name, textencoding::DecodeFile(ReadBytes(name)), false);
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
