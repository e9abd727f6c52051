#include "market/VKJYSectionHeaderInset.h"

#include <algorithm>

#include "platform/ui/ScrollView.h"

void VKJYSectionHeaderInset::follow(ScrollView& table) {
    const double y = table.contentOffset().y;
    if (y < 0) {
        return;
    }
    table.setContentInset({-std::min(y, kReach), 0, 0, 0});
}
