#pragma once

#include "trade/core/PXTradeTypes.h"

// The deal query screen's side of the deal list.
class PXJYChengJiaoListViewDelegate {
public:
    virtual ~PXJYChengJiaoListViewDelegate() = default;
    virtual void addChaXunDetailView(const JYDict& record) = 0;
    virtual void loadMoreDataToTable() = 0;
};
