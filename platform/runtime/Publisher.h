#pragma once

// Who publishes the program, and the addresses it shows or writes, in one place. The
// addresses lie under a domain reserved for examples until real pages serve them.
namespace publisher {

inline constexpr const char* kTitle = "Outlook Velmora";
inline constexpr const char* kSupportMailbox = "support@velmora.example";
inline constexpr const char* kWebSite = "https://www.velmora.example";
inline constexpr const char* kNameLookupSite = "https://names.velmora.example";

// The main window's links: the address each one opens and the text it shows.
inline constexpr const char* kWebSiteCaption = "velmora.example";
inline constexpr const char* kNameLookupCaption = "names.velmora.example";
inline constexpr const char* kFinnishAlmanacPage =
    "https://almanac.helsinki.example/kalenteri.html";
inline constexpr const char* kFinnishAlmanacCaption = "Helsinki University Almanac Office. ";
inline constexpr const char* kNorthAmericanNameDays = "https://namedays-na.example/";
inline constexpr const char* kNorthAmericanCaption = "namedays-na.example";
inline constexpr const char* kGreekNameDays = "https://eortologio.example";
inline constexpr const char* kGreekCaption = "eortologio.example";

}  // namespace publisher
