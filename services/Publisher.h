#pragma once

// Who publishes the program, and the addresses it shows or writes, in one place. The
// addresses lie under a domain reserved for examples until real pages serve them.
namespace publisher {

inline constexpr const char* kTitle = "Outlook Velmora";
inline constexpr const char* kSupportMailbox = "support@velmora.example";
inline constexpr const char* kWebSite = "https://www.velmora.example";
inline constexpr const char* kNameLookupSite = "https://names.velmora.example";

}  // namespace publisher
