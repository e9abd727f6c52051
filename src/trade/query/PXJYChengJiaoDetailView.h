#pragma once

// The deal detail panel: every field of one deal as caption and value rows under its own bar,
// whose back button slides it out. Built once; each deal shown replaces the rows of the last
// one. The counterparty shows only its first three characters. Owned by the deal query screen's
// view; main thread.

#include <string>
#include <vector>

#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarViewDelegate.h"
#include "trade/core/PXTradeTypes.h"

class PXJYChengJiaoShowList;

class PXJYChengJiaoDetailView : public View, public VKJYNavigationBarViewDelegate {
public:
    explicit PXJYChengJiaoDetailView(const Rect& frame);

    // Twelve captions and the twelve record keys (the eleventh is not shown).
    void setBiaoTiArray(std::vector<std::string> titles) { m_biaoTiArray = std::move(titles); }
    void setKeyArray(std::vector<std::string> keys) { m_keyArray = std::move(keys); }
    // Fills the rows from a copy of the record, whose counterparty it shortens.
    void getDetailView(JYDict record);
    // The values the rows show for a record.
    std::vector<std::string> detailValues(const JYDict& record) const;
    PXJYChengJiaoShowList* showList() const { return m_showList; }

    void VKJYNavBackAction() override;

private:
    std::vector<std::string> m_biaoTiArray;
    std::vector<std::string> m_keyArray;
    PXJYChengJiaoShowList* m_showList = nullptr;
};
