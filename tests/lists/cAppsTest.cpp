#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lists/cApps.h"
#include "services/modErroHandling.h"
#include "tests/support/ProgramTest.h"

namespace {

std::vector<std::string> Lines(const cApps& list) {
    std::vector<std::string> lines;
    for (const auto& [subject, entry] : *list.Dic)
        lines.push_back(entry->ToString());
    return lines;
}

class cAppsTest : public testsupport::ProgramTest {};

struct ParseCase {
    const char* what;
    std::string text;
    std::vector<std::string> lines;
};

TEST_F(cAppsTest, FromStringKeepsValidLinesInOrderFirstNamesTextWins) {
    const std::vector<ParseCase> cases = {
        {"two entries", "1.1\tAnna\t\r\n1.2\tBo\t\r\n", {"1.1\tAnna\t0", "1.2\tBo\t0"}},
        {"LF alone separates nothing", "1.1\tAnna\t\n1.2\tBo\t\n", {}},
        {"repeated names text", "1.1\tAnna\t\r\n2.2\tAnna\t\r\n", {"1.1\tAnna\t0"}},
        {"keys differ in case", "1.1\tAnna\t\r\n2.2\tanna\t", {"1.1\tAnna\t0", "2.2\tanna\t0"}},
        {"empty lines, no final CR LF",
         "\r\n1.1\tAnna\t\r\n\r\n\r\n1.2\tBo\t",
         {"1.1\tAnna\t0", "1.2\tBo\t0"}},
        {"line of blanks", "   \r\n1.1\tAnna\t1980", {"1.1\tAnna\t1980"}},
        {"date without full stop", "11\tAnna\t\r\n1.2\tBo\t", {"1.2\tBo\t0"}},
        {"lone CR stays in the line", "1.1\tAn\rna\t\r\n", {"1.1\tAn\rna\t0"}},
        {"empty text", "", {}},
    };
    for (const auto& c : cases) {
        cApps list;
        list.FromString(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.what;
    }
}

TEST_F(cAppsTest, FromStringStartsFromAnEmptyListAndSaysHowLongTheTextIs) {
    cApps list;
    list.FromString("1.1\tAnna\t");
    list.FromString("\r\n\r\n");
    EXPECT_EQ(list.Dic->Count(), 0);
    EXPECT_EQ(modErroHandling::strAction, "Splitting text 4 characters");
}

TEST_F(cAppsTest, NonNumericMonthEndsTheProgramKeepingEarlierEntries) {
    cApps list;
    auto status =
        testsupport::EndStatus([&] { list.FromString("1.1\tAnna\t\r\nx.2\tBo\t\r\n1.3\tCy\t"); });
    EXPECT_EQ(status, 1);
    ASSERT_EQ(desktop.messages->shown.size(), 1u);
    EXPECT_NE(desktop.messages->shown[0].text.find("Sub routine : cApp.FromString "),
              std::string::npos);
    EXPECT_EQ(Lines(list), std::vector<std::string>{"1.1\tAnna\t0"});
}

TEST_F(cAppsTest, SaveWritesEntryLinesWithCrLfIntoTheProgramFolderAndLoadReadsThemBack) {
    cApps list;
    list.FromString("3.7\tJohn Smith\t1965\r\n12.24\tAnna Eva\t");
    list.SaveToFile("Family.txt");

    auto path = desktop.paths->program / "Family.txt";
    EXPECT_EQ(testsupport::ReadBytes(path), "3.7\tJohn Smith\t1965\r\n12.24\tAnna Eva\t0\r\n");
    cApps loaded;
    loaded.LoadFromFile(path.string());
    EXPECT_EQ(Lines(loaded), Lines(list));
}

TEST_F(cAppsTest, EmptyListWritesEmptyFileAndMissingFileLoadsEmpty) {
    cApps empty;
    empty.SaveToFile("Empty.txt");
    auto path = desktop.paths->program / "Empty.txt";
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);

    cApps list;
    list.FromString("1.1\tAnna\t");
    list.LoadFromFile((desktop.paths->program / "Missing.txt").string());
    EXPECT_EQ(list.Dic->Count(), 0);
    EXPECT_TRUE(desktop.messages->shown.empty());
}

TEST_F(cAppsTest, AFileWithoutAnyCrLfIsReadWithLfAsItsLineEnd) {
    const std::vector<ParseCase> cases = {
        {"LF line ends", "1.1\tAnna\t\n1.2\tBo\t1980\n", {"1.1\tAnna\t0", "1.2\tBo\t1980"}},
        {"no final LF, empty lines",
         "\n1.1\tAnna\t\n\n\n1.2\tBo\t",
         {"1.1\tAnna\t0", "1.2\tBo\t0"}},
        {"a lone CR stays in its line", "1.1\tAn\rna\t\n", {"1.1\tAn\rna\t0"}},
        {"line ends only", "\n\n", {}},
        // One CR LF anywhere and the file is read by the CR LF rule, every lone LF kept.
        {"CR LF with a lone LF inside a line",
         "1.1\tAn\nna\t\r\n1.2\tBo\t",
         {"1.1\tAn\nna\t0", "1.2\tBo\t0"}},
        {"CR LF then LF lines", "1.1\tAnna\t\r\n1.2\tBo\t\n1.3\tCy\t\n", {"1.1\tAnna\t0"}},
    };
    auto path = desktop.paths->program / "Linux.txt";
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.text;
        cApps list;
        list.LoadFromFile(path.string());
        EXPECT_EQ(Lines(list), c.lines) << c.what;
    }
}

TEST_F(cAppsTest, AnLfFileIsSavedBackWithCrLf) {
    auto path = desktop.paths->program / "Linux.txt";
    std::ofstream(path, std::ios::binary) << "12.24\tEva\t\n3.7\tJohn Smith\t1965\n";
    cApps list;
    list.LoadFromFile(path.string());
    list.SaveToFile("Linux.txt");
    EXPECT_EQ(testsupport::ReadBytes(path), "12.24\tEva\t0\r\n3.7\tJohn Smith\t1965\r\n");
}

struct EncodingCase {
    const char* what;
    std::string names;  // UTF-8 in memory
    std::string bytes;  // as the file must hold them
};

TEST_F(cAppsTest, SavesInWindows1252WhereEveryCharacterFitsElseUtf8AndLoadsBackEqual) {
    const std::vector<EncodingCase> cases = {
        {"Swedish letters", "Åsa, Märta, Björn", "1.1\t\xC5sa, M\xE4rta, Bj\xF6rn\t0\r\n"},
        {"Hungarian ő", "Ödön, Jenő", "1.1\tÖdön, Jenő\t0\r\n"},
        {"Polish ł", "Stanisław", "1.1\tStanisław\t0\r\n"},
    };
    for (const auto& c : cases) {
        cApps list;
        list.FromString("1.1\t" + c.names + "\t");
        list.SaveToFile("Encoded.txt");
        auto path = desktop.paths->program / "Encoded.txt";
        EXPECT_EQ(testsupport::ReadBytes(path), c.bytes) << c.what;
        cApps loaded;
        loaded.LoadFromFile(path.string());
        EXPECT_EQ(Lines(loaded), std::vector<std::string>{"1.1\t" + c.names + "\t0"}) << c.what;
    }
}

}  // namespace
