#include "outlook/pimstore/StoreMail.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <ctime>

#include "outlook/calendar/Uid.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/Text.h"

namespace pimstore {

namespace fs = std::filesystem;

namespace {

unsigned Byte(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

std::string Base64(const std::string& bytes) {
    static const char* const kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned n = Byte(bytes, i) << 16 | Byte(bytes, i + 1) << 8 | Byte(bytes, i + 2);
        for (int shift : {18, 12, 6, 0})
            out += kDigits[(n >> shift) & 63];
    }
    if (i < bytes.size()) {
        unsigned n = Byte(bytes, i) << 16;
        if (i + 1 < bytes.size())
            n |= Byte(bytes, i + 1) << 8;
        out += kDigits[(n >> 18) & 63];
        out += kDigits[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool NeedsEncoding(const std::string& value) {
    for (unsigned char c : value)
        if (c < 0x20 || c >= 0x7F)
            return true;
    return false;
}

// Whole UTF-8 characters per encoded word, so no word splits a character.
std::vector<std::string> Chunks(const std::string& text, size_t maxBytes) {
    std::vector<std::string> chunks(1);
    for (size_t i = 0; i < text.size();) {
        size_t length = rt::CharacterLength(text, i);
        if (chunks.back().size() + length > maxBytes)
            chunks.emplace_back();
        chunks.back() += text.substr(i, length);
        i += length;
    }
    return chunks;
}

std::string RfcDate() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S %z", &local);
    return text;
}

std::string UniqueName() {
    static std::atomic<unsigned> counter{0};
    char host[256] = "localhost";
    gethostname(host, sizeof host - 1);
    auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
    return std::to_string(micros / 1000000) + ".M" + std::to_string(micros % 1000000) + "P" +
           std::to_string(getpid()) + "Q" + std::to_string(counter++) + "." + host;
}

}  // namespace

std::string EncodeHeader(const std::string& value) {
    if (!NeedsEncoding(value))
        return value;
    std::string out;
    for (const std::string& chunk : Chunks(value, 45)) {
        if (!out.empty())
            out += "\n ";
        out += "=?UTF-8?B?" + Base64(chunk) + "?=";
    }
    return out;
}

std::string StoreMail::MessageText() const {
    std::string text;
    text += "From: \n";
    text += "To: " + EncodeHeader(to_) + "\n";
    text += "Subject: " + EncodeHeader(subject_) + "\n";
    text += "Date: " + RfcDate() + "\n";
    text += "Message-ID: <" + calendar::NewUid() + "@velmora.invalid>\n";
    text += "MIME-Version: 1.0\n";
    text += "Content-Type: text/plain; charset=UTF-8\n";
    text += "Content-Transfer-Encoding: 8bit\n";
    text += "\n";
    text += rt::WithLineFeeds(body_);
    if (text.back() != '\n')
        text += "\n";
    return text;
}

void StoreMail::Display() {
    std::error_code error;
    if (!fs::is_directory(drafts_ / "cur", error))
        throw rt::Failure(rt::kPathNotFound,
                          "Path not found: the drafts folder " + drafts_.string());
    draftFile_ = drafts_ / "cur" / (UniqueName() + ":2,D");
    rt::WriteFileAtomically(draftFile_, MessageText());
    // The draft is safe; the user still has to learn where it is when nothing opens.
    const std::string kept =
        "No mail program could be started. The mail is kept as a draft in " + draftFile_.string();
    auto& launcher = *desktop::Services().launcher;
    if (!launcher.HandlesScheme("mailto"))
        throw rt::Failure(rt::kFileNotFound, kept);
    try {
        launcher.Start("xdg-email", {"--subject", subject_, "--body", body_, to_});
    } catch (const std::exception&) {
        throw rt::Failure(rt::kFileNotFound, kept);
    }
}

}  // namespace pimstore
