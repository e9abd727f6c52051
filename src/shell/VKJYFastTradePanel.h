#pragma once

// What the shell knows of a quick-trade panel (PXFastTradeViewController for quote mode,
// PXFastTradeVCZYMS for order-book mode): a controller with a delegate that is prepared for one
// commodity. The panels derive from it; the quote screen owns the panel it shows. Main thread.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/ViewController.h"

struct commodityInfo;
class VKJYFastTradeDelegate;

class VKJYFastTradePanel : public ViewController {
public:
    using MarketAndDisk = std::optional<std::map<std::string, int>>;  // "MARKETID", "DISKID"

    VKJYFastTradeDelegate* delegate() const { return m_delegate; }
    // Not owned: the quote screen that hosts the panel.
    void setDelegate(VKJYFastTradeDelegate* delegate) { m_delegate = delegate; }

    // isShanJian: quick delist ("速摘") when true, quick transfer ("速转") otherwise.
    virtual void addTradeViewCommodity(bool isShanJian,
                                       std::shared_ptr<commodityInfo> HQSelectedCommodity,
                                       MarketAndDisk marketandDiskDic) = 0;
    // Slides out; the host hears closedFastTradeView at the end.
    virtual void closeTradeView() = 0;

private:
    VKJYFastTradeDelegate* m_delegate = nullptr;
};
