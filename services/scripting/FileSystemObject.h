#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/Registry.h"

// The file-system object and its folders, files and text streams, on std::filesystem.
// Paths are texts with "/" between their parts.
namespace scripting {

class Folder : public automation::Object {
  public:
    explicit Folder(std::filesystem::path path);
    std::string Path() const;
    std::string Name() const;
    std::string ShortName() const;  // no short names here: the name itself
    bool IsRootFolder() const;
    std::shared_ptr<Folder> ParentFolder() const;
    std::vector<std::shared_ptr<Folder>> SubFolders() const;  // in name order

  private:
    std::filesystem::path path_;
};

class File : public automation::Object {
  public:
    explicit File(std::filesystem::path path) : path_(std::move(path)) {}
    std::string Name() const { return path_.filename().string(); }
    std::shared_ptr<Folder> ParentFolder() const;

  private:
    std::filesystem::path path_;
};

// A whole-file text stream. Text is UTF-8 inside the program and kept on disk by the
// program's encoding rule. A written file appears whole or not at all, when it is closed.
class TextStream : public automation::Object {
  public:
    TextStream(std::filesystem::path path, std::string content, bool forWriting);
    ~TextStream() override;
    void Write(const std::string& text);
    std::string ReadAll();
    void Close();

  private:
    std::filesystem::path path_;
    std::string content_;
    bool forWriting_;
    bool closed_ = false;
};

class FileSystemObject : public automation::Object {
  public:
    static constexpr int TemporaryFolder = 2;
    static constexpr int ForReading = 1;

    std::shared_ptr<Folder> GetSpecialFolder(int kind);
    std::string GetTempName();  // a random name ending in ".tmp"
    std::shared_ptr<TextStream> CreateTextFile(const std::string& name, bool overwrite,
                                               bool unicode);
    std::shared_ptr<TextStream> OpenTextFile(const std::string& name, int mode, bool create,
                                             int format);
    bool FileExists(const std::string& name);
    std::shared_ptr<File> GetFile(const std::string& name);  // error 53 when missing
};

}  // namespace scripting
