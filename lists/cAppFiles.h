#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lists/cApps.h"
#include "platform/runtime/Convert.h"
#include "services/modErroHandling.h"
#include "services/modScriptingDic.h"
#include "services/scripting/Dictionary.h"

// The list files of the program folder, each loaded, in the order of their list names.
class cAppFiles {
  public:
    using ListMap = scripting::Dictionary<std::shared_ptr<cApps>>;

    cAppFiles();

    std::shared_ptr<ListMap> Dic;  // list name (file name without ".txt") to its list

    // Replaces Dic by the lists found in the program folder now.
    void CheckFiles();
};

namespace modScriptingDic {

// Orders texts as the user's locale does, ignoring case: Danmark, finland, Sverige.
class TextCollator {
  public:
    TextCollator();
    ~TextCollator();
    TextCollator(const TextCollator&) = delete;
    TextCollator& operator=(const TextCollator&) = delete;

    // Below, at or above 0 as a sorts before, with or after b.
    int Compare(const std::string& a, const std::string& b) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A new map with the same pairs, ordered by key. Keys that compare equal are never swapped
// with each other, so names differing only in case keep an order the exchanges decide.
template <class V>
std::shared_ptr<scripting::Dictionary<V>> fncSortDictionary(const scripting::Dictionary<V>& dic) {
    struct Row {
        std::string text;
        rt::Variant key;
        V item;
    };
    modErroHandling::Step step;
    return modErroHandling::Reported("fncSortDictionary", step, [&] {
        step(10);
        auto sorted = fncCreateDic<V>();
        step(20);
        std::vector<Row> rows;
        rows.reserve(static_cast<size_t>(dic.Count()));
        for (const auto& [key, item] : dic)
            rows.push_back(Row{rt::TextOf(key), key, item});
        step(30);
        TextCollator collator;
        for (size_t i = 0; i + 1 < rows.size(); ++i)
            for (size_t j = i; j < rows.size(); ++j)
                if (collator.Compare(rows[i].text, rows[j].text) > 0)
                    std::swap(rows[i], rows[j]);
        step(40);
        for (Row& row : rows)
            sorted->Add(row.key, std::move(row.item));
        return sorted;
    });
}

}  // namespace modScriptingDic
