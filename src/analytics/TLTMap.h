#pragma once

#include <string>
#include <utility>
#include <vector>

// A text-keyed dictionary of records that keeps its own enumeration order (insertion order);
// setting an existing key replaces its value in place. Equality ignores order, as for a
// dictionary. Plain value, any thread.
template <class R>
class TLTMap {
public:
    using Entry = std::pair<std::string, R>;

    TLTMap() = default;
    TLTMap(std::initializer_list<Entry> entries) {
        for (const Entry& entry : entries) {
            set(entry.first, entry.second);
        }
    }

    void set(const std::string& key, R value) {
        if (R* existing = find(key)) {
            *existing = std::move(value);
            return;
        }
        m_entries.emplace_back(key, std::move(value));
    }

    R* find(const std::string& key) {
        for (Entry& entry : m_entries) {
            if (entry.first == key) {
                return &entry.second;
            }
        }
        return nullptr;
    }

    const R* find(const std::string& key) const { return const_cast<TLTMap*>(this)->find(key); }

    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

    bool operator==(const TLTMap& other) const {
        if (size() != other.size()) {
            return false;
        }
        for (const Entry& entry : m_entries) {
            const R* theirs = other.find(entry.first);
            if (theirs == nullptr || !(*theirs == entry.second)) {
                return false;
            }
        }
        return true;
    }

private:
    std::vector<Entry> m_entries;
};
