#pragma once

// A row's place in a table: section and row. Plain record.

#include <compare>

struct IndexPath {
    int section = 0;
    int row = 0;

    auto operator<=>(const IndexPath&) const = default;
};
