#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "outlook/pimstore/Store.h"

namespace pimstore::testing {

// Answers the folder chooser as a test says, recording each question.
class ScriptedChooser : public FolderChooser {
  public:
    std::optional<std::filesystem::path> answer;  // nullopt: the user cancels
    std::vector<std::string> titles;

    std::optional<std::filesystem::path> Choose(const std::filesystem::path&,
                                                const std::string& title) override {
        titles.push_back(title);
        return answer;
    }
};

}  // namespace pimstore::testing
