#pragma once

// The three filters of the deal query (commodity, delisting or transfer, side) and the one
// drop-down list that serves them. Opening a list only shows the choices: the filter changes
// when a row is chosen, so the query always sends what the button shows. Row 0 is "显示全部"
// (no filter). Plain state; main thread.

#include <string>
#include <vector>

#include "trade/core/PXTradeTypes.h"

class PXJYChengJiaoFilter {
public:
    enum Which { kNone = 0, kCommodity = 1, kSettle = 2, kSide = 3 };
    static constexpr const char* kAll = "显示全部";

    PXJYChengJiaoFilter();

    // A tap of a filter's button: opens the list for it, or closes the open list when this
    // filter's last tap opened it. True when the list is open afterwards.
    bool tapButton(Which which, const PXTradeCommodityMap& commodities);
    void close();
    // Chooses a row of the open list; the list closes. Out-of-range rows change nothing.
    void chooseRow(int row, const PXTradeCommodityMap& commodities);
    // A commodity chosen that the account in force does not trade goes back to all; true when
    // it did.
    bool forgetCommodityNotIn(const PXTradeCommodityMap& commodities);

    Which serving() const { return m_serving; }
    bool isOpen() const { return m_open; }
    // The rows of the open list: "显示全部", then the choices' texts.
    std::vector<std::string> rowTexts(const PXTradeCommodityMap& commodities) const;
    // The filter value sent ("" for all) and the button title shown.
    const std::string& value(Which which) const { return m_values[which]; }
    const std::string& title(Which which) const { return m_titles[which]; }

private:
    std::string choiceText(const std::string& value, const PXTradeCommodityMap& commodities) const;

    Which m_serving = kNone;
    bool m_open = false;
    // The filter whose button opened the list: its next tap closes it.
    bool m_opensNext[4] = {true, true, true, true};
    std::vector<std::string> m_choices;
    std::string m_values[4];
    std::string m_titles[4];
};
