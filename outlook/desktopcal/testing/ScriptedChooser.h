#pragma once

#include <optional>
#include <string>
#include <vector>

#include "outlook/desktopcal/FolderTree.h"

namespace desktopcal::testing {

// Answers the chooser as a test says, as the dialog would let a user: an entry that cannot
// be chosen is not handed back. Records each tree it was shown.
class ScriptedChooser : public FolderChooser {
  public:
    std::optional<FolderRef> answer;  // nullopt: the user cancels
    // When set, the user presses "New calendar…", keeps this name, and takes what it made.
    std::optional<std::string> newCalendar;
    std::optional<FolderRef> selectedBeforeNew;
    std::vector<std::string> titles;
    std::vector<std::vector<FolderEntry>> shown;

    std::optional<FolderRef> Choose(FolderCatalog& catalog, const std::string& title) override {
        titles.push_back(title);
        shown.push_back(catalog.Tree());
        std::optional<FolderRef> choice = answer;
        if (newCalendar) {
            choice = catalog.NewCalendar(*newCalendar, selectedBeforeNew);
            shown.push_back(catalog.Tree());
        }
        const FolderEntry* entry = choice ? FindEntry(shown.back(), *choice) : nullptr;
        if (!entry || !entry->choosable)
            return std::nullopt;
        return choice;
    }
};

}  // namespace desktopcal::testing
