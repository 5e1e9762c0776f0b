#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "app/Components.h"
#include "outlook/modGlobals.h"
#include "platform/automation/Registry.h"
#include "platform/runtime/Failure.h"
#include "tests/support/FakeDesktop.h"

namespace testsupport {

// A fresh program for every test: shared state reset, the product's components registered,
// desktop doubles installed. Tests replace registrations as they need.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
        components::RegisterProductComponents(automation::Objects());
        // Every desktop service, the store's root and the folder chooser among them, stays
        // inside the test's own folders.
        desktop.Install();
    }
    void TearDown() override {
        modGlobals::ResetProgramState();
        automation::Objects().Clear();
    }

    desktop::testing::FakeDesktop desktop;
    const std::filesystem::path store = desktop.paths->store;
    const std::shared_ptr<desktop::testing::ScriptedChooser> chooser = desktop.chooser;
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
