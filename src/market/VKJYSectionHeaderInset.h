#pragma once

// Keeps the market tables' section headers from floating over the rows: as the table scrolls
// down, its top inset follows the offset to -40, so a header the table would hold at the top
// sits out of sight above it. A pull past the top leaves the inset as it was. Stateless; main
// thread.

class ScrollView;

class VKJYSectionHeaderInset {
public:
    // How far up the inset follows the offset.
    static constexpr double kReach = 40;

    // For the table's scrollViewDidScroll.
    static void follow(ScrollView& table);
};
