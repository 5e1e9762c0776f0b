#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Components.h"
#include "outlook/modOutlookCode.h"
#include "platform/runtime/TextEncoding.h"
#include "services/modErroHandling.h"
#include "services/modFileHandling.h"
#include "services/modScriptingDic.h"
#include "services/printing/Printing.h"
#include "services/scripting/FileSystemObject.h"
#include "services/scripting/Shell.h"
#include "tests/support/FakeOutlook.h"
#include "tests/support/ProgramTest.h"

namespace {

namespace fs = std::filesystem;
using testsupport::EndStatus;

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class FileServices : public testsupport::ProgramTest {
  protected:
    std::string Temp() { return desktop.paths->temp.string(); }
};

TEST_F(FileServices, SavesWhereTheCallerSays) {
    struct Case {
        std::string name;
        bool temp;
        std::function<void(const std::string& path)> check;
    };
    std::string full = Temp() + "/list.txt";
    const Case cases[] = {
        {"", false,
         [&](const std::string& path) {
             EXPECT_EQ(fs::path(path).parent_path(), desktop.paths->temp);
             EXPECT_TRUE(path.ends_with(".txt")) << path;
             EXPECT_EQ(path.find(".tmp"), std::string::npos);
         }},
        {"OWCPrint.htm", true,
         [&](const std::string& path) { EXPECT_EQ(path, Temp() + "/OWCPrint.htm"); }},
        {full, false, [&](const std::string& path) { EXPECT_EQ(path, full); }},
    };
    Write(desktop.paths->temp / "OWCPrint.htm", "older page");
    for (const auto& c : cases) {
        std::string name = c.name;
        std::string path = modFileHandling::fncSaveTextFile(name, "text", c.temp);
        EXPECT_EQ(name, path);
        c.check(path);
        EXPECT_EQ(testsupport::ReadBytes(path), "text");
        EXPECT_EQ(modErroHandling::strAction, "Saving textfile " + path);
    }
}

TEST_F(FileServices, TmpIsReplacedInTheWholePathOfARandomName) {
    desktop.paths->temp = desktop.paths->root / "cache.tmp.d";
    fs::create_directories(desktop.paths->temp);
    fs::create_directories(desktop.paths->root / "cache.txt.d");  // where the renamed path leads
    std::string name;
    std::string path = modFileHandling::fncSaveTextFile(name, "x", false);
    EXPECT_TRUE(path.starts_with((desktop.paths->root / "cache.txt.d").string())) << path;
    EXPECT_EQ(path.find(".tmp"), std::string::npos);
}

TEST_F(FileServices, ReadingAMissingFileGivesNothing) {
    EXPECT_EQ(modFileHandling::fncReadTextFile(Temp() + "/missing.txt"), "");
    EXPECT_TRUE(desktop.messages->shown.empty());
    EXPECT_EQ(modErroHandling::strAction,
              "Attempting to read contents of file " + Temp() + "/missing.txt");
}

TEST_F(FileServices, OpeningForReadingSaysWhyItFailedAndWhere) {
    struct Case {
        const char* what;
        std::string name;
        int32_t number;
        std::string description;
    };
    Write(desktop.paths->temp / "plain.txt", "x");
    fs::create_directories(desktop.paths->temp / "folder.txt");
    const Case cases[] = {
        {"missing", Temp() + "/missing.txt", 53, "File not found: " + Temp() + "/missing.txt"},
        {"a folder in its place", Temp() + "/folder.txt", 75,
         "Path/File access error: " + Temp() + "/folder.txt (Is a directory)"},
        {"below a file", Temp() + "/plain.txt/x.txt", 76,
         "Path not found: " + Temp() + "/plain.txt/x.txt"},
    };
    modFileHandling::subSetupFS();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            modFileHandling::objFS->OpenTextFile(c.name, scripting::FileSystemObject::ForReading,
                                                 false, 0);
            ADD_FAILURE() << "opened";
        } catch (const rt::Failure& failure) {
            EXPECT_EQ(failure.Number(), c.number);
            EXPECT_EQ(failure.Description(), c.description);
        }
    }
}

TEST_F(FileServices, AFileWithoutReadPermissionIsReportedAsSuch) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file, whatever its permissions";
    fs::path list = desktop.paths->temp / "Sverige.txt";
    Write(list, "1.1\tAnna\t\r\n");
    fs::permissions(list, fs::perms::none);
    desktop.messages->answers = {desktop::Answer::No};
    EXPECT_EQ(EndStatus([&] { modFileHandling::fncReadTextFile(list.string()); }), 1);
    const std::string& text = desktop.messages->shown.at(0).text;
    EXPECT_NE(text.find("Attempting to read contents of file " + list.string()), std::string::npos);
    EXPECT_NE(text.find("Permission denied: " + list.string() + "\r\n#70\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Sub routine : fncReadTextFile "), std::string::npos);
}

TEST_F(FileServices, AFailedSaveLeavesTheOldFileWhole) {
    fs::path target = desktop.paths->temp / "list.txt";
    Write(target, "old content\r\n");
    fs::create_directories(desktop.paths->temp / "blocked");
    // The temporary file cannot take the place of a folder, not even for root.
    std::string intoFolder = (desktop.paths->temp / "blocked").string();
    desktop.messages->answers = {desktop::Answer::No};
    EXPECT_EQ(EndStatus([&] { modFileHandling::fncSaveTextFile(intoFolder, "new", false); }), 1);
    EXPECT_NE(desktop.messages->shown.at(0).text.find("Saving textfile " + intoFolder),
              std::string::npos);
    EXPECT_NE(desktop.messages->shown.at(0).text.find("Sub routine : fncSaveTextFile "),
              std::string::npos);
    EXPECT_EQ(testsupport::ReadBytes(target), "old content\r\n");
    for (const auto& entry : fs::directory_iterator(desktop.paths->temp))
        EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp")) << entry.path();
}

TEST_F(FileServices, KeepsEveryCharacterByTheEncodingRule) {
    struct Case {
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"1.1\tÅsa, Märta, Björn\t0\r\n", "1.1\t\xC5sa, M\xE4rta, Bj\xF6rn\t0\r\n"},
        {"plain ascii", "plain ascii"},
        {"€ – “quoted”", "\x80 \x96 \x93quoted\x94"},
        {"Ödön, Zsófia, Gergő", "Ödön, Zsófia, Gergő"},
        {"Łucja", "Łucja"},
        // Its one-byte form (C3 A5) would read back as "å": written as UTF-8 instead.
        {"Ã¥", "Ã¥"},
        // Characters that show no glyph (zero-width joiner and space, U+FEFF inside a line)
        // have no Windows-1252 form either, so they too keep the text in UTF-8.
        {"Zoë\u200D, Åsa\u200B", "Zoë\u200D, Åsa\u200B"},
        {"1.1\tAn\uFEFFna\t0\r\n", "1.1\tAn\uFEFFna\t0\r\n"},
    };
    for (const auto& c : cases) {
        std::string name = Temp() + "/encoded.txt";
        modFileHandling::fncSaveTextFile(name, c.text, false);
        EXPECT_EQ(testsupport::ReadBytes(name), c.bytes) << c.text;
        EXPECT_EQ(modFileHandling::fncReadTextFile(name), c.text);
    }
}

TEST_F(FileServices, EveryByteOfAClassicFileSurvivesAReadAndAWrite) {
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    std::string text = textencoding::DecodeFile(bytes);
    EXPECT_EQ(textencoding::EncodeFile(text), bytes);
    EXPECT_FALSE(textencoding::IsUtf8WithNonAscii(bytes));
    EXPECT_TRUE(textencoding::IsUtf8WithNonAscii("\xC3\xA5"));
    EXPECT_FALSE(textencoding::IsUtf8WithNonAscii("ascii"));
    EXPECT_EQ(textencoding::CharacterCount("Åsa ő"), 5u);
}

TEST_F(FileServices, ReadsByTheEncodingRule) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"UTF-8 with a non-ASCII character", "B\xC3\xB6rje", "Börje"},
        {"Windows-1252", "B\xF6rje \x80", "Börje €"},
        {"invalid UTF-8 is one-byte text", "\xC3\x28", "Ã("},
        {"a byte-order mark is dropped",
         "\xEF\xBB\xBF"
         "12.24\tAnna\t0",
         "12.24\tAnna\t0"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write(desktop.paths->temp / "read.txt", c.bytes);
        EXPECT_EQ(modFileHandling::fncReadTextFile(Temp() + "/read.txt"), c.text);
    }
}

TEST_F(FileServices, AReplacedFileKeepsItsPermissions) {
    fs::path target = desktop.paths->temp / "list.txt";
    Write(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    std::string name = target.string();
    modFileHandling::fncSaveTextFile(name, "new", false);
    EXPECT_EQ(testsupport::ReadBytes(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(FileServices, PrintsThroughTheSpoolerAndVerbsThroughTheDesktop) {
    fs::path page = desktop.paths->temp / "page.htm";
    Write(page, "<html></html>");
    modFileHandling::subPrintFile(page.string());
    ASSERT_EQ(desktop.launcher->started.size(), 1u);
    EXPECT_EQ(desktop.launcher->started[0],
              (std::pair<std::string, std::vector<std::string>>{"lp", {page.string()}}));

    modFileHandling::subInvokeVerb(rt::Variant(Temp()), rt::Variant("page.htm"), "");
    EXPECT_EQ(desktop.launcher->opened, std::vector<std::string>{page.string()});

    // A folder or file the shell cannot find: nothing happens and nothing is reported.
    modFileHandling::subInvokeVerb(rt::Variant(Temp() + "/none"), rt::Variant("x"), "Print");
    modFileHandling::subInvokeVerb(rt::Variant(Temp()), rt::Variant("none.htm"), "Print");
    EXPECT_EQ(desktop.launcher->started.size(), 1u);
    EXPECT_TRUE(desktop.messages->shown.empty());
}

TEST_F(FileServices, PrintingAMissingFileIsReported) {
    desktop.messages->answers = {desktop::Answer::No};
    EXPECT_EQ(EndStatus([&] { modFileHandling::subPrintFile(Temp() + "/gone.htm"); }), 1);
    const std::string& text = desktop.messages->shown.at(0).text;
    EXPECT_NE(text.find("Attempting to print the file " + Temp() + "/gone.htm"), std::string::npos);
    EXPECT_NE(text.find("#53"), std::string::npos);
    EXPECT_NE(text.find("Sub routine : subPrintFile "), std::string::npos);
}

TEST_F(FileServices, VerbsGoThroughOutlooksShellWhenConnected) {
    auto app = std::make_shared<fakeoutlook::FakeApplication>();
    app->objects["Shell.Application"] = std::make_shared<scripting::ShellApplication>();
    modOutlookCode::objOutlook = app;
    Write(desktop.paths->temp / "page.htm", "<html></html>");
    modFileHandling::subInvokeVerb(rt::Variant(Temp()), rt::Variant("page.htm"), "Print");
    EXPECT_EQ(app->log->calls, std::vector<std::string>{"CreateObject=Shell.Application"});
    EXPECT_EQ(desktop.launcher->started.size(), 1u);
}

TEST_F(FileServices, RunOpensAddressesAndStartsProgramsWithoutAShell) {
    auto shell =
        automation::As<scripting::WshShell>(automation::Objects().CreateObject("Wscript.Shell"));
    ASSERT_NE(shell, nullptr);
    shell->Run("https://www.velmora.example/namedays.html");
    shell->Run("mailto:support@velmora.example");
    shell->Run("lp -n 2 \"my list.txt\" ; rm -rf x");
    EXPECT_EQ(desktop.launcher->opened,
              (std::vector<std::string>{"https://www.velmora.example/namedays.html",
                                        "mailto:support@velmora.example"}));
    ASSERT_EQ(desktop.launcher->started.size(), 1u);
    EXPECT_EQ(desktop.launcher->started[0].first, "lp");
    EXPECT_EQ(desktop.launcher->started[0].second,
              (std::vector<std::string>{"-n", "2", "my list.txt", ";", "rm", "-rf", "x"}));
    EXPECT_THROW(shell->Run("  "), rt::Failure);
}

TEST_F(FileServices, TempPathIsTheLongPath) {
    EXPECT_EQ(modFileHandling::fncGetTempPath(), Temp());
    desktop.paths->temp += "/";
    EXPECT_EQ(modFileHandling::fncGetTempPath(), Temp().substr(0, Temp().size() - 1));
    EXPECT_EQ(modErroHandling::strAction, "Finding Temp folder path");
    auto root = std::make_shared<scripting::Folder>("/");
    EXPECT_EQ(modFileHandling::fncGetLongPath(root), "/");
}

TEST_F(FileServices, AMissingFileSystemIsRegisteredOnceThenReported) {
    automation::Objects().Unregister("Scripting.FileSystemObject");
    desktop.messages->answers = {desktop::Answer::No};
    EXPECT_EQ(EndStatus([] { modFileHandling::subSetupFS(); }), 1);
    EXPECT_EQ(modFileHandling::RegistrationCount(), 1);
    const std::string& text = desktop.messages->shown.at(0).text;
    EXPECT_NE(text.find("Creating Scripting.FileSystemObject\r\nThis component is normally "
                        "installed with Internet Explorer 4.0 or later"),
              std::string::npos);
    EXPECT_NE(text.find("Sub routine : subSetupFS "), std::string::npos);
    EXPECT_NE(text.find("#429"), std::string::npos);
}

TEST_F(FileServices, ARegistrationThatRepairsTheComponentIsEnough) {
    automation::Objects().Unregister("Scripting.FileSystemObject");
    modFileHandling::SetRegistrationHook(
        [] { components::RegisterProductComponents(automation::Objects()); });
    modFileHandling::subSetupFS();
    EXPECT_NE(modFileHandling::objFS, nullptr);
    EXPECT_EQ(modFileHandling::RegistrationCount(), 1);
    EXPECT_TRUE(desktop.messages->shown.empty());
}

class Dictionaries : public testsupport::ProgramTest {};

TEST_F(Dictionaries, AreFreshOrderedAndCaseSensitive) {
    auto a = modScriptingDic::fncCreateDic();
    auto b = modScriptingDic::fncCreateDic();
    EXPECT_NE(a, b);
    a->Add("b", rt::Variant(int16_t(1)));
    a->Add("B", rt::Variant(int16_t(2)));
    a->Add(rt::Variant(int16_t(3)), rt::Variant("three"));
    EXPECT_EQ(a->Count(), 3);
    EXPECT_EQ(b->Count(), 0);
    EXPECT_EQ(a->Keys(), (std::vector<rt::Variant>{"b", "B", rt::Variant(int16_t(3))}));
    EXPECT_TRUE(a->Exists(rt::Variant(int32_t(3))));  // numbers match by value
    EXPECT_FALSE(a->Exists("3"));
    try {
        a->Add("b", rt::Variant());
        FAIL();
    } catch (const rt::Failure& f) {
        EXPECT_EQ(f.Number(), rt::kKeyExists);
    }
    a->SetItem("b", rt::Variant("replaced"));
    a->SetItem("new", rt::Variant("appended"));
    EXPECT_EQ(a->Items().front(), rt::Variant("replaced"));
    EXPECT_EQ(a->Keys().back(), rt::Variant("new"));
    a->RemoveAll();
    EXPECT_EQ(a->Count(), 0);
    EXPECT_EQ(modErroHandling::strAction,
              "Attempting to create a new Scripting.Dictionary object. This component is "
              "usually installed with Internet Explorer 4.0 or later");
}

TEST_F(Dictionaries, ARegistrationThatRepairsTheComponentIsEnough) {
    automation::Objects().Unregister("Scripting.Dictionary");
    modFileHandling::SetRegistrationHook(
        [] { components::RegisterProductComponents(automation::Objects()); });
    EXPECT_NE(modScriptingDic::fncCreateDic(), nullptr);
    EXPECT_EQ(modFileHandling::RegistrationCount(), 1);
    EXPECT_TRUE(desktop.messages->shown.empty());
}

TEST_F(Dictionaries, AMissingComponentIsRegisteredOnceThenReported) {
    automation::Objects().Unregister("Scripting.Dictionary");
    desktop.messages->answers = {desktop::Answer::No};
    EXPECT_EQ(EndStatus([] { modScriptingDic::fncCreateDic(); }), 1);
    EXPECT_EQ(modFileHandling::RegistrationCount(), 1);
    EXPECT_NE(
        desktop.messages->shown.at(0).text.find("Sub routine : modScriptingDic.fncCreateDic "),
        std::string::npos);
    // The flag holds for the whole run: later failures are reported at once.
    desktop.messages->answers = {desktop::Answer::No};
    EXPECT_EQ(EndStatus([] { modScriptingDic::fncCreateDic(); }), 1);
    EXPECT_EQ(modFileHandling::RegistrationCount(), 1);
}

}  // namespace
