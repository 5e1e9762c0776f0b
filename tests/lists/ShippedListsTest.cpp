#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

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

class ShippedListsTest : public testsupport::ProgramTest {};

TEST_F(ShippedListsTest, EveryShippedListLoadsWholeAndSavesBackByteForByte) {
    auto manifest = Manifest();
    ASSERT_EQ(manifest.size(), 11u);
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

TEST_F(ShippedListsTest, TheCatalogueOfTheShippedListsHoldsEveryListUnderItsName) {
    auto manifest = Manifest();
    for (const auto& entry : std::filesystem::directory_iterator(kLists))
        if (entry.path().extension() == ".txt")
            std::filesystem::copy_file(entry.path(),
                                       desktop.paths->program / entry.path().filename());

    cAppFiles files;
    files.CheckFiles();

    std::map<std::string, int> found;
    for (const auto& [name, list] : *files.Dic)
        found[rt::TextOf(name) + ".txt"] = list->Dic->Count();
    std::map<std::string, int> wanted;
    for (const auto& [file, expected] : manifest)
        wanted[file] = expected.entries;
    EXPECT_EQ(found, wanted);
    EXPECT_TRUE(desktop.messages->shown.empty());
}

}  // namespace
