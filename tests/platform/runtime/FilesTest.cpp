#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/runtime/Files.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A folder of its own below the system's temporary directory, gone with the test.
class TemporaryFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "namedays-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }

    // A file last written `age` ago.
    fs::path Plant(const std::string& name, fs::file_time_type::duration age) {
        fs::path path = folder / name;
        std::ofstream(path) << "partial";
        fs::last_write_time(path, fs::file_time_type::clock::now() - age);
        return path;
    }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    fs::path folder;
};

TEST_F(TemporaryFiles, OnlyOldFilesNamedLikeOurTemporariesAreRemoved) {
    struct Case {
        const char* name;
        fs::file_time_type::duration age;
        bool removed;
    };
    const Case cases[] = {
        {".Sverige.txt.0A1B2C3D.tmp", 1h, true},
        {".6f1c-44e0.ics.FFFFFFFF.tmp", 24h, true},
        {".Norge.txt.01234567.tmp", 11min, true},
        {".Danmark.txt.89ABCDEF.tmp", 1min, false},  // a write that may still be going on
        {".Polska.txt.0a1b2c3d.tmp", 1h, false},     // lower-case digits: not ours
        {".Polska.txt.0A1B2C3.tmp", 1h, false},      // seven digits
        {".Polska.txt.0A1B2C3G.tmp", 1h, false},     // no hex digit
        {"Polska.txt.0A1B2C3D.tmp", 1h, false},      // not hidden
        {".Polska.txt.0A1B2C3D.tmp~", 1h, false},    // an editor's backup
        {"..0A1B2C3D.tmp", 1h, false},               // no target name
        {"rad1A2B3.tmp", 1h, false},                 // the file-system object's names
        {"Sverige.txt", 1h, false},
    };
    for (const Case& c : cases)
        Plant(c.name, c.age);
    fs::create_directory(folder / ".folder.txt.0A1B2C3D.tmp");
    fs::last_write_time(folder / ".folder.txt.0A1B2C3D.tmp", fs::file_time_type::clock::now() - 1h);

    int removed = rt::RemoveStaleTemporaries(
        folder, fs::file_time_type::clock::now() - rt::kStaleTemporaryAge);

    std::set<std::string> left = Names();
    int expected = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(!left.contains(c.name), c.removed) << c.name;
        expected += c.removed;
    }
    EXPECT_EQ(removed, expected);
    EXPECT_TRUE(left.contains(".folder.txt.0A1B2C3D.tmp"));
}

TEST_F(TemporaryFiles, TheFirstWriteIntoAFolderTidiesItAndLaterOnesLeaveItAlone) {
    Plant(".a.ics.0000AAAA.tmp", 2h);
    Plant(".b.ics.0000BBBB.tmp", 1min);
    rt::WriteFileAtomically(folder / "a.ics", "first");
    EXPECT_EQ(Names(), (std::set<std::string>{"a.ics", ".b.ics.0000BBBB.tmp"}));

    // Listing a calendar folder once per appointment would make a long run slow.
    Plant(".c.ics.0000CCCC.tmp", 2h);
    rt::WriteFileAtomically(folder / "c.ics", "second");
    EXPECT_TRUE(Names().contains(".c.ics.0000CCCC.tmp"));
}

TEST_F(TemporaryFiles, AFolderThatCannotBeListedStillTakesTheWrite) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root lists every folder, whatever its permissions";
    Plant(".a.ics.0000AAAA.tmp", 2h);
    fs::permissions(folder, fs::perms::owner_write | fs::perms::owner_exec);
    EXPECT_NO_THROW(rt::WriteFileAtomically(folder / "a.ics", "content"));
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(Names(), (std::set<std::string>{"a.ics", ".a.ics.0000AAAA.tmp"}));
}

}  // namespace
