#pragma once

#include "trade/core/PXTradeTypes.h"

// The report screen's side of the report result list.
class PXJYBaoBiaoMingXiListDelegate {
public:
    virtual ~PXJYBaoBiaoMingXiListDelegate() = default;
    // A detail row was tapped: show that record.
    virtual void addBaoBiaoMingXiInfoView(const JYDict& record) = 0;
    // The footer was released: fetch the next page.
    virtual void loadMoreData() = 0;
};
