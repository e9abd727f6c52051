#include "trade/query/PXJYChengJiaoDetailView.h"

#include "trade/close/PXJYChengJiaoShowList.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/TradeText.h"
#include "trade/query/PXJYQueryRecord.h"

namespace {
constexpr size_t kCounterpartyChars = 3;
constexpr size_t kHiddenKey = 10;

// The first characters of a UTF-8 text, whole characters only.
std::string firstChars(const std::string& text, size_t count) {
    size_t end = 0;
    for (size_t chars = 0; end < text.size() && chars < count; ++chars) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    return text.substr(0, end);
}
}  // namespace

PXJYChengJiaoDetailView::PXJYChengJiaoDetailView(const Rect& frame) : View(frame) {
    setBackgroundColor(PXTradeViewKit::background());
    PXTradeViewKit::addNavigationBar(*this, 0, "查询详情", this);
    auto list = std::make_unique<PXJYChengJiaoShowList>(Rect(0, 44, 320, frame.height - 44));
    list->creatListView();
    m_showList = addSubview(std::move(list));
}

std::vector<std::string> PXJYChengJiaoDetailView::detailValues(const JYDict& record) const {
    std::vector<std::string> values;
    for (size_t i = 0; i < m_keyArray.size(); ++i) {
        if (i == kHiddenKey) {
            continue;
        }
        const std::string& key = m_keyArray[i];
        // Deal times come as ms since 1970.
        values.push_back(key == "TI" ? PXJYQueryRecord::time(record, key)
                                     : PXJYQueryRecord::text(record, key));
        if (i == 0) {
            values.push_back(PXJYQueryRecord::commodityName(record));
        }
    }
    return values;
}

void PXJYChengJiaoDetailView::getDetailView(JYDict record) {
    if (TradeText::has(record, "FI_I")) {
        record["FI_I"] = firstChars(TradeText::textAt(record, "FI_I"), kCounterpartyChars);
    }
    m_showList->setExplanationArray(m_biaoTiArray);
    m_showList->setDataArray(detailValues(record));
    m_showList->listView()->reloadData();
}

void PXJYChengJiaoDetailView::VKJYNavBackAction() {
    PXTradeViewKit::slide(*this, 320);
}
