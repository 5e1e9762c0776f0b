#pragma once

#include <filesystem>
#include <string>

#include "outlook/ObjectModel.h"

namespace pimstore {

// A mail that Display stores as a draft (Maildir, flag D) and hands to the desktop's mail
// composer. The draft is written first, so nothing is lost when no composer opens; Display
// then fails with a description that names the draft's file.
class StoreMail : public outlook::MailItem {
  public:
    explicit StoreMail(std::filesystem::path drafts) : drafts_(std::move(drafts)) {}

    std::string To() override { return to_; }
    void SetTo(const std::string& to) override { to_ = to; }
    std::string Subject() override { return subject_; }
    void SetSubject(const std::string& subject) override { subject_ = subject; }
    std::string Body() override { return body_; }
    void SetBody(const std::string& body) override { body_ = body; }
    void Display() override;

    // The RFC 5322 message as stored.
    std::string MessageText() const;
    const std::filesystem::path& DraftFile() const { return draftFile_; }

  private:
    std::filesystem::path drafts_;
    std::filesystem::path draftFile_;
    std::string to_, subject_, body_;
};

// A header value, encoded as RFC 2047 words when it holds anything beyond printable ASCII.
std::string EncodeHeader(const std::string& value);

}  // namespace pimstore
