#include "trade/account/PXJYMarketState.h"

std::optional<std::string> PXJYMarketState::text(int code) {
    switch (code) {
        case 0:
            return "初始化完成";
        case 2:
            return "结算中";
        case 3:
            return "资金结算完成";
        case 4:
            return "暂停交易";
        case 5:
            return "交易中";
        case 6:
            return "节间休息";
        case 7:
            return "交易结束";
        default:
            return std::nullopt;
    }
}
