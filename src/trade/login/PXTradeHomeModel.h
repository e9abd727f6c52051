#pragma once

// What the trade home shows, without views: the holdings rows (the account's holding summaries,
// then a "--" placeholder for each watched quote commodity the account may trade but does not
// hold), the account figures from the store, the texts and colours of a holdings row in either
// column set, and the header heights of the account sections. Plain functions over the store;
// main thread.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "trade/core/PXTradeTypes.h"
#include "trade/login/PXJYSavedAccounts.h"

class HQJYEntity;
class PXTradeData;

class PXTradeHomeModel {
public:
    struct Figure {
        std::string text;
        Color color;
    };
    // Equity, floating profit and loss, risk rate.
    struct Figures {
        Figure equity;
        Figure floating;
        Figure risk;
    };
    // The three columns after the commodity name.
    struct RowTexts {
        std::string name;
        Figure second;
        Figure third;
        Figure fourth;
    };

    static constexpr double kFirstHeaderHeight = 55;
    static constexpr double kSameEnvironmentHeaderHeight = 30;

    // The rows: the store's summaries in order, then the placeholders.
    static PXTradeSummaryList commodityAllKeys(const PXTradeData& store, const HQJYEntity* quotes,
                                               const std::string& platform,
                                               const std::string& environment);
    static Figures figures(const JYDict& fengXianLu);
    static RowTexts rowTexts(const PXJYChiCangHuiZong& summary, const PXTradeData& store,
                             const JYDict& fuDongYingKui, bool commodityInfoChange);
    // 55 for the first section and whenever the platform or environment changes, else 30.
    static std::vector<double> headerHeights(const std::vector<PXJYSavedAccount>& accounts);
};
