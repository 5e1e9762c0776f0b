#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/runtime/Convert.h"
#include "platform/runtime/Variant.h"
#include "services/modErroHandling.h"
#include "services/scripting/Dictionary.h"

namespace modScriptingDic {

// Creates the dictionary component, with one registration attempt when it is missing; a
// failure goes to the error report and ends the program.
std::shared_ptr<automation::Object> fncCreateDicObject();

// Every keyed map of the program comes from here.
template <class V = rt::Variant>
std::shared_ptr<scripting::Dictionary<V>> fncCreateDic() {
    auto made = fncCreateDicObject();
    if constexpr (std::is_same_v<V, rt::Variant>) {
        return automation::As<scripting::Dictionary<rt::Variant>>(made);
    } else {
        return std::make_shared<scripting::Dictionary<V>>();
    }
}

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
