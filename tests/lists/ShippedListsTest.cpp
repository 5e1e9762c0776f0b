#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "lists/cAppFiles.h"
#include "tests/support/ProgramTest.h"

namespace {

const std::filesystem::path kSource = NAMEDAYS_SOURCE_DIR;
const std::filesystem::path kLists = kSource / "data" / "lists";

struct Expected {
    int entries = 0;
    std::string encoding;  // for people reading the manifest; the byte check covers it
};

// What the converter says each list must hold: file, entries, source dates, dropped
// repeats, encoding.
std::map<std::string, Expected> Manifest() {
    std::ifstream in(kSource / "tests" / "lists" / "ShippedLists.counts.tsv");
    std::map<std::string, Expected> manifest;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string file, entries, dates, dropped, encoding;
        std::getline(fields, file, '\t');
        std::getline(fields, entries, '\t');
        std::getline(fields, dates, '\t');
        std::getline(fields, dropped, '\t');
        std::getline(fields, encoding, '\t');
        EXPECT_EQ(std::stoi(entries), std::stoi(dates) - std::stoi(dropped)) << file;
        manifest[file] = {std::stoi(entries), encoding};
    }
    return manifest;
}

std::set<std::string> ShippedFiles() {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kLists))
        if (entry.path().extension() == ".txt")
            files.insert(entry.path().filename().string());
    return files;
}

// "month.day" to names text, as the program reads the shipped file.
std::map<std::string, std::string> NamesByDate(const std::string& file) {
    cApps list;
    list.LoadFromFile((kLists / file).string());
    std::map<std::string, std::string> names;
    for (const auto& [subject, entry] : *list.Dic) {
        std::string date = std::to_string(entry->AppMonth) + "." + std::to_string(entry->AppDay);
        EXPECT_TRUE(names.emplace(date, entry->Subject).second)
            << file << " has " << date << " twice";
    }
    return names;
}

std::vector<std::string> Names(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t comma; (comma = text.find(", ", start)) != std::string::npos; start = comma + 2)
        names.push_back(text.substr(start, comma - start));
    names.push_back(text.substr(start));
    return names;
}

// Collation follows the user's locale; the test fixes one so the expected order is stable.
class DefaultLocale {
  public:
    explicit DefaultLocale(const char* name) : saved_(icu::Locale::getDefault()) {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(name), status);
    }
    ~DefaultLocale() {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(saved_, status);
    }

  private:
    icu::Locale saved_;
};

class ShippedListsTest : public testsupport::ProgramTest {};

TEST_F(ShippedListsTest, EveryShippedListLoadsWholeAndSavesBackByteForByte) {
    auto manifest = Manifest();
    ASSERT_EQ(manifest.size(), 13u);
    std::set<std::string> counted;
    for (const auto& [file, expected] : manifest)
        counted.insert(file);
    EXPECT_EQ(ShippedFiles(), counted);

    for (const auto& [file, expected] : manifest) {
        std::string bytes = testsupport::ReadBytes(kLists / file);
        cApps list;
        list.LoadFromFile((kLists / file).string());
        EXPECT_EQ(list.Dic->Count(), expected.entries) << file;

        list.SaveToFile(file);
        EXPECT_EQ(testsupport::ReadBytes(desktop.paths->program / file), bytes) << file;
        EXPECT_TRUE(bytes.ends_with("\r\n")) << file;
    }
    EXPECT_TRUE(desktop.messages->shown.empty());
}

TEST_F(ShippedListsTest, TheCatalogueOfTheShippedListsHoldsEveryListUnderItsNameInTabOrder) {
    DefaultLocale english("en");
    auto manifest = Manifest();
    for (const std::string& file : ShippedFiles())
        std::filesystem::copy_file(kLists / file, desktop.paths->program / file);

    cAppFiles files;
    files.CheckFiles();

    std::map<std::string, int> found;
    std::vector<std::string> tabs;
    for (const auto& [name, list] : *files.Dic) {
        found[rt::TextOf(name) + ".txt"] = list->Dic->Count();
        tabs.push_back(rt::TextOf(name));
    }
    std::map<std::string, int> wanted;
    for (const auto& [file, expected] : manifest)
        wanted[file] = expected.entries;
    EXPECT_EQ(found, wanted);
    // Accented initials sort with their base letter, Greek after Latin.
    EXPECT_EQ(tabs,
              (std::vector<std::string>{"Birthdays", "Česko", "Danmark", "Deutschland", "France",
                                        "Latvija", "Magyarország", "Norge", "Österreich", "Polska",
                                        "Slovensko", "Sverige", "Ελλάδα"}));
    EXPECT_TRUE(desktop.messages->shown.empty());
}

TEST_F(ShippedListsTest, NoDateOfAShippedListNamesTheSameNameTwice) {
    for (const std::string& file : ShippedFiles())
        for (const auto& [date, text] : NamesByDate(file)) {
            std::vector<std::string> names = Names(text);
            EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size())
                << file << " " << date << ": " << text;
        }
}

struct DateCase {
    const char* file;
    const char* date;
    const char* names;  // nullptr: the date has no entry
};

TEST_F(ShippedListsTest, TheListsCarryTheCorrectedNamesOnTheirDates) {
    const std::vector<DateCase> cases = {
        {"France.txt", "3.17", "Patrick, Patrice"},
        // Common-year calendars: one name a day round the leap day, nothing on 2.29.
        {"Danmark.txt", "2.24", "Mattias"},
        {"Danmark.txt", "2.25", "Victorinus"},
        {"Danmark.txt", "2.26", "Inger"},
        {"Danmark.txt", "2.27", "Leander"},
        {"Danmark.txt", "2.28", "Øllegaard"},
        {"Danmark.txt", "2.29", nullptr},
        {"Magyarország.txt", "2.24", "Mátyás"},
        {"Magyarország.txt", "2.27", "Ákos, Bátor"},
        {"Magyarország.txt", "2.28", "Elemér"},
        {"Magyarország.txt", "2.29", nullptr},
        {"Magyarország.txt", "3.29", "Auguszta"},
        // Feasts gone, saints by the names people bear, spelling mended.
        {"Österreich.txt", "1.1", nullptr},
        {"Österreich.txt", "1.6", nullptr},
        {"Österreich.txt", "1.7", "Raimund"},
        {"Österreich.txt", "3.19", "Josef"},
        {"Österreich.txt", "4.18", "Aja, Apollonius"},
        {"Österreich.txt", "4.25", "Markus, Erwin"},
        {"Österreich.txt", "7.22", "Maria Magdalena"},
        {"Österreich.txt", "10.17", "Ignatius, Rudolf"},
        {"Österreich.txt", "11.1", nullptr},
        {"Österreich.txt", "12.24", nullptr},
        {"Österreich.txt", "12.26", "Stefan"},
        // A name of several saints stands at its best-known saint's day.
        {"Österreich.txt", "12.6", "Nikolaus"},
        {"Österreich.txt", "9.25", nullptr},
        {"Österreich.txt", "6.24", "Johannes"},
        {"Latvija.txt", "1.1", "Laimnesis, Solvita, Solvija"},
        {"Latvija.txt", "5.22", "Emīlija, Visu neparasto un kalendāros neierakstīto vārdu diena"},
        {"Latvija.txt", "2.29", nullptr},
        {"Ελλάδα.txt", "2.29",
         "Κασσιανός, Κασιανός, Κάσσιος, Κάσιος, Κάσσος, Κάσος, Κάσσης, Κάσης, Κασσια, Κασια"},
    };
    std::map<std::string, std::map<std::string, std::string>> lists;
    for (const DateCase& c : cases) {
        if (!lists.contains(c.file))
            lists[c.file] = NamesByDate(c.file);
        const auto& names = lists[c.file];
        auto found = names.find(c.date);
        if (c.names)
            EXPECT_TRUE(found != names.end() && found->second == c.names)
                << c.file << " " << c.date << ": "
                << (found == names.end() ? "no entry" : found->second);
        else
            EXPECT_TRUE(found == names.end()) << c.file << " " << c.date << ": " << found->second;
    }
}

TEST_F(ShippedListsTest, TheAustrianListHoldsNamesOnlyWithoutFeastsOrAbbreviations) {
    // Feasts that are one word or were split at a comma, and the misspellings.
    const std::set<std::string> wrong = {
        "Neujahr",          "Mariä",      "Heimsuchung", "Allerheiligen", "Allerseelen",
        "Christtag",        "Stefanitag", "Unschuldige", "Kinder",        "Schutzengelfest",
        "Nationalfeiertag", "Josev",      "Ignatuis",    "Getrud",        "Grogonius"};
    for (const auto& [date, text] : NamesByDate("Österreich.txt"))
        for (const std::string& name : Names(text)) {
            EXPECT_EQ(name.find('.'), std::string::npos) << date << ": " << text;
            EXPECT_TRUE(name.find(' ') == std::string::npos || name == "Maria Magdalena")
                << date << ": " << text;
            EXPECT_FALSE(wrong.contains(name)) << date << ": " << text;
        }
}

}  // namespace
