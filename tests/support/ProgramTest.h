#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "outlook/modGlobals.h"
#include "outlook/pimstore/testing/ScriptedChooser.h"
#include "platform/automation/Registry.h"
#include "platform/desktop/testing/FakeDesktop.h"
#include "platform/runtime/Failure.h"
#include "services/Components.h"

namespace testsupport {

// A fresh program for every test: shared state reset, the product's components registered,
// desktop doubles installed. Tests replace registrations as they need.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
        components::RegisterProductComponents(automation::Objects());
        desktop.Install();
        // The store and its folder chooser stay inside the test's own folders.
        store = desktop.paths->root / "store";
        setenv("VELMORA_STORE", store.c_str(), 1);
        pimstore::SetFolderChooser(chooser);
    }
    void TearDown() override {
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
        unsetenv("VELMORA_STORE");
    }

    desktop::testing::FakeDesktop desktop;
    std::filesystem::path store;
    std::shared_ptr<pimstore::testing::ScriptedChooser> chooser =
        std::make_shared<pimstore::testing::ScriptedChooser>();
};

// Runs the body and gives the exit status when it ended the program, nullopt otherwise.
inline std::optional<int> EndStatus(const std::function<void()>& body) {
    try {
        body();
    } catch (const rt::ProgramEnd& end) {
        return end.status;
    }
    return std::nullopt;
}

// A whole file's bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace testsupport
