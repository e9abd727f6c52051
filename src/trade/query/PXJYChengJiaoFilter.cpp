#include "trade/query/PXJYChengJiaoFilter.h"

#include "trade/core/PXTradeCommodity.h"

PXJYChengJiaoFilter::PXJYChengJiaoFilter() {
    for (auto& title : m_titles) {
        title = kAll;
    }
}

bool PXJYChengJiaoFilter::tapButton(Which which, const PXTradeCommodityMap& commodities) {
    if (which == kNone) {
        return m_open;
    }
    if (!m_opensNext[which]) {
        close();
        return false;
    }
    m_opensNext[which] = false;
    m_serving = which;
    m_open = true;
    m_choices.clear();
    if (which == kCommodity) {
        for (const auto& entry : commodities) {
            m_choices.push_back(entry.first);
        }
    } else {
        m_choices = {"1", "2"};
    }
    return true;
}

void PXJYChengJiaoFilter::close() {
    for (bool& opens : m_opensNext) {
        opens = true;
    }
    m_open = false;
}

void PXJYChengJiaoFilter::chooseRow(int row, const PXTradeCommodityMap& commodities) {
    if (!m_open || row < 0 || row > static_cast<int>(m_choices.size())) {
        return;
    }
    close();
    if (row == 0) {
        m_values[m_serving].clear();
        m_titles[m_serving] = kAll;
        return;
    }
    const std::string& value = m_choices[static_cast<size_t>(row - 1)];
    m_values[m_serving] = value;
    m_titles[m_serving] = choiceText(value, commodities);
}

bool PXJYChengJiaoFilter::forgetCommodityNotIn(const PXTradeCommodityMap& commodities) {
    const std::string& code = m_values[kCommodity];
    if (code.empty() || commodities.count(code) > 0) {
        return false;
    }
    m_values[kCommodity].clear();
    m_titles[kCommodity] = kAll;
    return true;
}

std::vector<std::string> PXJYChengJiaoFilter::rowTexts(
    const PXTradeCommodityMap& commodities) const {
    std::vector<std::string> rows = {kAll};
    for (const std::string& value : m_choices) {
        rows.push_back(choiceText(value, commodities));
    }
    return rows;
}

std::string PXJYChengJiaoFilter::choiceText(const std::string& value,
                                            const PXTradeCommodityMap& commodities) const {
    switch (m_serving) {
        case kCommodity: {
            const auto found = commodities.find(value);
            const bool named = found != commodities.end() && found->second &&
                               !found->second->commodityName.empty();
            return named ? found->second->commodityName : value;
        }
        case kSettle:
            return value == "1" ? "摘牌" : "转让";
        case kSide:
            return value == "1" ? "购入" : "售出";
        default:
            return value;
    }
}
