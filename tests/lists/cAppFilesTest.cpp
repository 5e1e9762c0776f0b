#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "lists/cAppFiles.h"
#include "services/modErroHandling.h"
#include "tests/support/ProgramTest.h"

namespace {

struct ListFile {
    std::string name;
    std::string content;
};

// List name and the number of entries loaded, in catalogue order.
using Catalogue = std::vector<std::pair<std::string, int>>;

class cAppFilesTest : public testsupport::ProgramTest {
  protected:
    void Write(const ListFile& file) {
        std::ofstream(desktop.paths->program / file.name, std::ios::binary) << file.content;
    }

    Catalogue Read(const cAppFiles& files) {
        Catalogue result;
        for (const auto& [name, list] : *files.Dic)
            result.emplace_back(rt::TextOf(name), list->Dic->Count());
        return result;
    }

    std::string ReportText() {
        return desktop.messages->shown.empty() ? "" : desktop.messages->shown.back().text;
    }
};

const std::string kOne = "1.1\tAnna\t\r\n";
const std::string kTwo = "1.1\tAnna\t\r\n1.2\tBo\t\r\n";
const std::string kThree = "1.1\tAnna\t\r\n1.2\tBo\t\r\n1.3\tCy\t\r\n";

struct FolderCase {
    const char* what;
    std::vector<ListFile> files;
    std::vector<std::string> folders;
    Catalogue expected;
};

TEST_F(cAppFilesTest, FindsLoadsAndOrdersTheListFiles) {
    const std::vector<FolderCase> cases = {
        {"three lists, locale order ignoring case",
         {{"Sverige.txt", kOne}, {"Danmark.txt", kTwo}, {"finland.txt", kThree}},
         {},
         {{"Danmark", 2}, {"finland", 3}, {"Sverige", 1}}},
        {"one list", {{"Norge.txt", kTwo}}, {}, {{"Norge", 2}}},
        {"no list", {{"readme.md", kOne}}, {}, {}},
        {"upper-case TXT not taken, notestxt is note",
         {{"Norge.TXT", kOne}, {"notestxt", kTwo}},
         {},
         {{"note", 2}}},
        {"folders are not lists", {{"Polska.txt", kOne}}, {"Lists.txt"}, {{"Polska", 1}}},
        {"no valid lines", {{"Empty.txt", "nothing here\r\n\r\n"}}, {}, {{"Empty", 0}}},
    };
    for (const auto& c : cases) {
        desktop.paths = std::make_shared<desktop::testing::TempPaths>();
        desktop.Install();
        for (const auto& file : c.files)
            Write(file);
        for (const auto& folder : c.folders)
            std::filesystem::create_directory(desktop.paths->program / folder);
        cAppFiles files;
        files.CheckFiles();
        EXPECT_EQ(Read(files), c.expected) << c.what;
        EXPECT_TRUE(desktop.messages->shown.empty()) << c.what;
    }
}

struct FailureCase {
    const char* what;
    std::vector<ListFile> files;
    std::string procedure;
};

TEST_F(cAppFilesTest, ReportsFilesThatGiveNoUsableListAndEndsTheProgram) {
    const std::vector<FailureCase> cases = {
        {"two files give one list name",
         {{"ab.txt", kOne}, {"abxtxt", kTwo}},
         "Sub routine : cAppFiles.CheckFiles "},
        {"a file named txt", {{"txt", kOne}}, "Sub routine : cAppFiles.CheckFiles "},
        {"a line that cannot be read",
         {{"Bad.txt", "x.1\tAnna\t\r\n"}},
         "Sub routine : cApp.FromString "},
    };
    for (const auto& c : cases) {
        desktop.paths = std::make_shared<desktop::testing::TempPaths>();
        desktop.Install();
        desktop.messages->shown.clear();
        for (const auto& file : c.files)
            Write(file);
        cAppFiles files;
        EXPECT_EQ(testsupport::EndStatus([&] { files.CheckFiles(); }), 1) << c.what;
        EXPECT_NE(ReportText().find(c.procedure), std::string::npos) << c.what << ReportText();
    }
}

TEST_F(cAppFilesTest, ReportOfABadFileNameNamesTheFolder) {
    Write({"txt", kOne});
    cAppFiles files;
    testsupport::EndStatus([&] { files.CheckFiles(); });
    EXPECT_NE(ReportText().find("Reading files from path " + desktop.paths->program.string()),
              std::string::npos)
        << ReportText();
}

struct SortCase {
    const char* what;
    std::vector<std::string> keys;
    std::vector<std::string> sorted;
};

TEST_F(cAppFilesTest, SortDictionaryOrdersByLocaleIgnoringCaseNeverSwappingEqualKeys) {
    const std::vector<SortCase> cases = {
        {"locale order", {"Sverige", "Danmark", "finland"}, {"Danmark", "finland", "Sverige"}},
        {"equal keys keep their order", {"anna", "b", "Anna"}, {"anna", "Anna", "b"}},
        {"exchanges decide for equal keys", {"b", "Anna", "anna"}, {"Anna", "anna", "b"}},
    };
    for (const auto& c : cases) {
        auto dic = modScriptingDic::fncCreateDic<int>();
        for (size_t i = 0; i < c.keys.size(); ++i)
            dic->Add(c.keys[i], static_cast<int>(i));
        auto sorted = modScriptingDic::fncSortDictionary(*dic);
        std::vector<std::string> keys;
        for (const auto& [key, item] : *sorted) {
            keys.push_back(rt::TextOf(key));
            EXPECT_EQ(c.keys[static_cast<size_t>(item)], keys.back()) << c.what;
        }
        EXPECT_EQ(keys, c.sorted) << c.what;
    }
}

}  // namespace
