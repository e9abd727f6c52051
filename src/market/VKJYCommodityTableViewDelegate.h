#pragma once

// What the commodity pop-over tells the quote screen: a row was picked (section: the listed
// panel, row: the picked commodity). Empty default. Main thread.

#include <memory>

#include "platform/ui/IndexPath.h"

struct commodityInfo;

class VKJYCommodityTableViewDelegate {
public:
    virtual ~VKJYCommodityTableViewDelegate() = default;
    virtual void selectedCommodityInfoIndexPath(IndexPath, std::shared_ptr<commodityInfo>) {}
};
