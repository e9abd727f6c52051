#include <gtest/gtest.h>

#include "TradingDayFixture.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "market/VKJYCommodityCell.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketHelpOverlay.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYTradeLoginVC.h"

namespace {
class TradingDayTest : public TradingDayFixture {
protected:
    VKJYMarketUIViewController* marketList() const {
        return dynamic_cast<VKJYMarketUIViewController*>(topScreen());
    }
    std::string firstPrice() const {
        auto* list = marketList();
        auto* cell = list ? dynamic_cast<VKJYCommodityCell*>(
                                list->CommodityInfoListTableView()->cellForRow({1, 0}))
                          : nullptr;
        return cell ? cell->commodityPriceLabel()->text() : std::string();
    }

    void startUpThroughTheGuide() {
        launchClient();
        ASSERT_TRUE(waitForText("实时行情 随时掌握")) << "no guide on the first start";
        snapshot("guide");
        for (int page = 0; page < 2; ++page) {
            driver.drag({280, 300}, {40, 300});
            driver.settle();
        }
        ASSERT_TRUE(driver.tapText("立即体验"));
        ASSERT_TRUE(runUntilTabBar());
    }

    void marketListWithLivePrices() {
        ASSERT_TRUE(waitFor([&] { return !firstPrice().empty() && firstPrice() != "--"; }));
        snapshot("market-list");
        // The first start explains the list's gestures, one page at a time, until tapped away.
        for (int page = 0; page < 4 && !driver.viewsOfClass<VKJYMarketHelpOverlay>().empty();
             ++page) {
            driver.tapAt({160, 400});
            driver.settle();
        }
        ASSERT_TRUE(driver.viewsOfClass<VKJYMarketHelpOverlay>().empty());
        const std::string before = firstPrice();
        ASSERT_TRUE(exchange.advance(120000));
        EXPECT_TRUE(waitFor([&] { return firstPrice() != before; }))
            << "the list's price stayed at " << before;
    }

    void quoteScreenChartsAndWideScreen() {
        TableView* table = marketList()->CommodityInfoListTableView();
        ASSERT_TRUE(driver.tapRow(*table, {1, 0}));
        quote = waitForTop<VKJYMarketChartController>();
        ASSERT_NE(quote, nullptr) << "the row opened no quote screen";
        HQMarketChartManager* chart = quote->chartManager();
        ASSERT_TRUE(waitFor([&] {
            auto* fenShi = chart->drawViewManagerFenShi();
            return fenShi && !fenShi->fenShiData().empty() &&
                   quote->yikoujiaLabel()->text() != "--";
        })) << "no time-sharing chart";
        snapshot("quote-time-sharing");
        const std::string before = quote->yikoujiaLabel()->text();
        ASSERT_TRUE(exchange.advance(60000));
        EXPECT_TRUE(waitFor([&] { return quote->yikoujiaLabel()->text() != before; }));
        ASSERT_TRUE(driver.tap(chart->viewWithTag(HQMarketChartManager::kFenShiButtonTag + 1)));
        ASSERT_TRUE(
            waitFor([&] { return !chart->drawViewManagerKLine()->coordinateKLineData().empty(); }));
        snapshot("quote-k-line");
        ASSERT_TRUE(driver.tap(quote->zhuanpingButton()));
        driver.settle();
        EXPECT_EQ(chart->stateOfScreen(), 1u);
        snapshot("quote-wide");
        // The wide screen's own bar leads back to the upright screen.
        Button* back = nullptr;
        for (View* view : chart->TopNavigationBar()->subviews()) {
            back = back ? back : dynamic_cast<Button*>(view);
        }
        ASSERT_TRUE(back && driver.tap(back));
        driver.settle();
        EXPECT_EQ(chart->stateOfScreen(), 0u);
        ASSERT_TRUE(driver.tap(quote->backButton()));
        ASSERT_TRUE(waitFor([&] { return marketList() != nullptr; }));
    }

    void logInOnTheTradeTab(const std::string& account) {
        ASSERT_TRUE(tapTab("交易"));
        PXJYTradeLoginVC* login = nullptr;
        ASSERT_TRUE(waitFor([&] {
            login = top<PXJYTradeLoginVC>();
            return login && waitIdle(0) &&
                   (!login->captchaShown() || (!login->captchaButton()->validString().empty() &&
                                               !login->captchaButton()->isLoading()));
        })) << "the login screen did not come up ready";
        ASSERT_NO_FATAL_FAILURE(typeOnKeypad(login->userNameTextField(), account));
        ASSERT_TRUE(driver.tap(login->passWordTextField()));
        driver.typeText(kPassword);
        driver.pressReturn();
        if (login->captchaShown()) {
            const std::string code = captchaCode(login->captchaButton()->validString());
            ASSERT_FALSE(code.empty()) << "the simulator knows no captcha on display";
            ASSERT_NO_FATAL_FAILURE(typeOnKeypad(login->captchaTextField(), code));
        }
        snapshot("login");
        ASSERT_TRUE(driver.tap(login->loginButton()));
        ASSERT_TRUE(waitFor([&] { return top<PXJYRootViewController>() && waitIdle(0); }))
            << alertText();
        snapshot("trade-home");
    }

    void typeOnKeypad(TextField* field, const std::string& keys) {
        ASSERT_TRUE(driver.tap(field));
        driver.settle();
        for (char key : keys) {
            ASSERT_TRUE(driver.pressKey(std::string(1, key))) << "key " << key;
        }
        driver.pressKey("完成");
        driver.settle();
    }

    VKJYMarketChartController* quote = nullptr;
};
}  // namespace

TEST_F(TradingDayTest, aTradingDayThroughTheScreens) {
    ASSERT_NO_FATAL_FAILURE(startUpThroughTheGuide());
    ASSERT_NO_FATAL_FAILURE(marketListWithLivePrices());
    ASSERT_NO_FATAL_FAILURE(quoteScreenChartsAndWideScreen());
    ASSERT_NO_FATAL_FAILURE(logInOnTheTradeTab(kFirstAccount));
}
