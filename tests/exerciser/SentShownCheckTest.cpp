#include <gtest/gtest.h>

#include "SentShownCheck.h"

namespace {

// A market transfer by holding number as its form showed it.
SentShownCheck::Reading transfer() {
    SentShownCheck::Reading shown;
    shown.form = "market transfer";
    shown.names = {"order_s"};
    shown.settle = "2";
    shown.commodity = "白银";
    shown.side = "2";
    shown.quantity = "1";
    shown.price = "5149.0";
    shown.holding = "1005";
    return shown;
}

nlohmann::json sent(const std::string& price, const std::string& holding) {
    return {{"BUY_SELL", "2"},     {"COMMODITY_ID", "AG"}, {"PRICE", price},       {"QTY", "1"},
            {"SETTLE_BASIS", "2"}, {"CLOSEMODE", "2"},     {"HOLDING_ID", holding}};
}

const std::map<std::string, std::string> kNames = {{"AG", "白银"}};

}  // namespace

// A price agrees by its value, and only a number is a price; the holding is the one shown.
TEST(SentShownCheckTest, shouldHoldPricesByValueAndTheHoldingShown) {
    EXPECT_EQ(SentShownCheck::mismatch(transfer(), "order_s", sent("5149", "1005"), kNames), "");
    EXPECT_EQ(SentShownCheck::mismatch(transfer(), "order_s", sent("5149", "1006"), kNames),
              " holding '1006' for '1005'");
    auto typed = transfer();
    typed.price = "999abc";
    EXPECT_EQ(SentShownCheck::mismatch(typed, "order_s", sent("999abc", "1005"), kNames),
              " price '999abc' that is no number");
}

// A stop switched off is sent as "" or "0".
TEST(SentShownCheckTest, shouldTakeAnEmptyStopForNone) {
    SentShownCheck::Reading shown;
    shown.names = {"set_loss_profit"};
    shown.holding = "1005";
    shown.stopLoss = "0";
    shown.stopProfit = "5300";
    const nlohmann::json stops = {{"H_ID", "1005"}, {"STOP_LOSS", ""}, {"STOP_PROFIT", "5300.00"}};
    EXPECT_EQ(SentShownCheck::mismatch(shown, "set_loss_profit", stops, kNames), "");
}
