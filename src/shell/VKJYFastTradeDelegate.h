#pragma once

// The quote screen's side of the quick-trade panels; empty defaults.

#include <memory>

struct YiKouJia;

class VKJYFastTradeDelegate {
public:
    virtual ~VKJYFastTradeDelegate() = default;
    // The panel's latest quote for the host's header; may be empty.
    virtual void refreshYikoujiaViewFromJiaoYi(std::shared_ptr<YiKouJia>) {}
    // The panel has slid out.
    virtual void closedFastTradeView() {}
};
