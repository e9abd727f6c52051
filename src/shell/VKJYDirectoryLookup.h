#pragma once

// The one look-up rule of the directory records: the first entry in answer order that matches.

#include <memory>
#include <vector>

template <typename T, typename Match>
std::shared_ptr<T> firstInAnswerOrder(const std::vector<std::shared_ptr<T>>& entries, Match match) {
    for (const auto& entry : entries) {
        if (match(*entry)) {
            return entry;
        }
    }
    return nullptr;
}
