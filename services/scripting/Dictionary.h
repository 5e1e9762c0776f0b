#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/automation/Registry.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Variant.h"

namespace scripting {

// A keyed map that keeps the order of adding: keys are values compared exactly (texts
// case-sensitively; numbers by value whatever their type), items are of any one type.
template <class V>
class Dictionary : public automation::Object {
  public:
    using Key = rt::Variant;

    // Fails with error 457 when the key is already there.
    void Add(const Key& key, V item) {
        if (Exists(key))
            throw rt::Failure(rt::kKeyExists);
        index_.emplace(key, entries_.size());
        entries_.emplace_back(key, std::move(item));
    }

    bool Exists(const Key& key) const { return index_.contains(key); }

    // Reading an absent key adds it with an empty item, as the scripting runtime does.
    V& Item(const Key& key) {
        auto it = index_.find(key);
        if (it == index_.end()) {
            Add(key, V{});
            return entries_.back().second;
        }
        return entries_[it->second].second;
    }

    // Replaces the key's item; an absent key is added at the end.
    void SetItem(const Key& key, V item) { Item(key) = std::move(item); }

    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

    std::vector<Key> Keys() const {
        std::vector<Key> keys;
        keys.reserve(entries_.size());
        for (const auto& entry : entries_)
            keys.push_back(entry.first);
        return keys;
    }

    std::vector<V> Items() const {
        std::vector<V> items;
        items.reserve(entries_.size());
        for (const auto& entry : entries_)
            items.push_back(entry.second);
        return items;
    }

    void RemoveAll() {
        entries_.clear();
        index_.clear();
    }

    // Key and item pairs in the order of adding.
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

  private:
    std::vector<std::pair<Key, V>> entries_;
    std::unordered_map<Key, size_t, rt::VariantHash> index_;
};

}  // namespace scripting
