#include <gtest/gtest.h>

#include <algorithm>

#include "TradingDayFixture.h"
#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "market/VKJYCommodityCell.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketHelpOverlay.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/DateFormat.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/WebView.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/account/PXJYChangeLinkVC.h"
#include "trade/account/PXJYChuRuJinCaoZuoVC.h"
#include "trade/account/PXJYGongGaoViewController.h"
#include "trade/account/PXJYSetUpVC.h"
#include "trade/account/PXJYZiJinXinXiVC.h"
#include "trade/close/PXJYChiCangDanHaoListView.h"
#include "trade/close/PXJYChiCangShangPinListView.h"
#include "trade/close/PXJYPingCangViewController.h"
#include "trade/close/PXJYShiJiaZhuanRangView.h"
#include "trade/close/PXJYZhiJiaPingCangView.h"
#include "trade/common/PXTradeDatePanel.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/open/PXJYJianCangViewController.h"
#include "trade/open/PXJYShiJiaJianCangView.h"
#include "trade/open/PXJYZhiJiaJianCangView.h"
#include "trade/query/PXJYBaoBiaoMingXiList.h"
#include "trade/query/PXJYChengJiaoListView.h"
#include "trade/query/PXJYChengJiaoViewController.h"
#include "trade/query/PXJYMingXiViewController.h"
#include "trade/query/PXJYZJWeiTuoViewController.h"
#include "trade/query/PXTradeBaoBiaoController.h"
#include "trade/quick/PXFastTradeViewController.h"
#include "widgets/LoadMoreTableView.h"
#include "widgets/PadKeyboardBackspaceIcon.h"

namespace {
class TradingDayTest : public TradingDayFixture {
protected:
    // Orders beyond the first: with the transfers they make more deals than one page of 20.
    static constexpr int kExtraOrders = 18;

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
        // A swipe to the left shows KDJ under the bars, one to the right MACD again.
        HQDrawManager* kLine = chart->drawViewManagerKLine();
        driver.swipe({260, 380}, {60, 380});
        driver.settle();
        EXPECT_TRUE(waitFor([&] { return !kLine->isMACD(); }, 3)) << "no KDJ after a left swipe";
        snapshot("quote-kdj");
        driver.swipe({60, 380}, {260, 380});
        driver.settle();
        EXPECT_TRUE(waitFor([&] { return kLine->isMACD(); }, 3)) << "no MACD after a right swipe";
        // A tap shows the cross-hair over the bars, another hides it.
        const Rect bars = driver.visibleRect(kLine);
        driver.tapAt({bars.midX(), bars.y + bars.height / 3});
        driver.settle();
        EXPECT_TRUE(kLine->showIndicatorCross()) << "no cross-hair after a tap";
        snapshot("quote-cross-hair");
        driver.tapAt({bars.midX(), bars.y + bars.height / 3});
        driver.settle();
        EXPECT_FALSE(kLine->showIndicatorCross());
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
        ASSERT_NO_FATAL_FAILURE(logInOnLoginScreen(account));
        ASSERT_NE(home(), nullptr);
        // The figures come with the account's next refresh.
        driver.runFor(5, [&] { return driver.viewsWithText("--").size() <= 1; });
        snapshot("trade-home");
    }

    void logInOnLoginScreen(const std::string& account) {
        PXJYTradeLoginVC* login = nullptr;
        ASSERT_TRUE(waitFor([&] {
            // A message left over from an ended session is answered first.
            answerAlert();
            login = top<PXJYTradeLoginVC>();
            return login && waitIdle(0) && !driver.visibleAlert() &&
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
        ASSERT_TRUE(waitFor([&] { return top<PXJYTradeLoginVC>() != login && waitIdle(0); }))
            << alertText();
    }

    void logInOnSimpleLogin() {
        PXJYSimpleLoginVC* login = waitForTop<PXJYSimpleLoginVC>();
        ASSERT_NE(login, nullptr) << "no password screen for the saved account";
        ASSERT_TRUE(waitFor([&] {
            return waitIdle(0) && (!driver.isVisible(login->captchaTextField()) ||
                                   (!login->captchaButton()->validString().empty() &&
                                    !login->captchaButton()->isLoading()));
        }));
        ASSERT_TRUE(driver.tap(login->passwordTextField()));
        driver.typeText(kPassword);
        driver.pressReturn();
        if (driver.isVisible(login->captchaTextField())) {
            const std::string code = captchaCode(login->captchaButton()->validString());
            ASSERT_FALSE(code.empty());
            ASSERT_NO_FATAL_FAILURE(typeOnKeypad(login->captchaTextField(), code));
        }
        snapshot("password-login");
        ASSERT_TRUE(driver.tapText("登录"));
        // Switching logs the other account off, once the user agrees.
        ASSERT_TRUE(waitForAlert());
        snapshot("switch-confirmation");
        ASSERT_TRUE(driver.tapAlertButton("确定")) << alertText();
    }

    PXJYRootViewController* home() const { return top<PXJYRootViewController>(); }

    // Opens an entry of the trade home's function menu.
    void openFromHomeMenu(const std::string& title) {
        ASSERT_TRUE(waitFor([&] { return home() != nullptr; })) << "not on the trade home";
        // The menu may still be open from the way back to the home.
        if (!driver.viewWithText(title)) {
            ASSERT_TRUE(driver.tap(home()->navigationBarView()->menuButton()));
            driver.settle();
        }
        ASSERT_TRUE(driver.tapText(title)) << "no menu entry " << title;
        driver.settle();
    }

    // Answers a confirmation when the setting asks for one, then waits for the outcome.
    std::string confirmAndWaitForOutcome(bool pictures = true) {
        if (!waitForAlert()) {
            return "no alert";
        }
        if (driver.visibleAlert()->numberOfButtons() > 1) {
            const std::string question = driver.visibleAlert()->message();
            if (pictures) {
                snapshot("confirmation");
            }
            driver.tapAlertButton("确定");
            if (!waitFor([&] {
                    return driver.visibleAlert() && driver.visibleAlert()->message() != question;
                })) {
                return "no outcome after " + question;
            }
        }
        return driver.visibleAlert()->message();
    }

    void pickCommodity(Button* opener, const std::string& name) {
        ASSERT_TRUE(driver.tap(opener));
        driver.settle();
        std::vector<View*> rows = driver.viewsWithText(name);
        ASSERT_FALSE(rows.empty()) << "no row " << name;
        ASSERT_TRUE(driver.tap(rows.back()));
        driver.settle();
    }

    // A market-price opening from the trade home's menu; the pictures only the first time.
    void marketPriceOpening(const std::string& name, int side, bool pictures) {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("摘牌"));
        auto* open = waitForTop<PXJYJianCangViewController>();
        ASSERT_NE(open, nullptr);
        PXJYShiJiaJianCangView& form = *open->shiJianView();
        ASSERT_NO_FATAL_FAILURE(pickCommodity(form.commodityNameButton(), name));
        if (side == 2) {
            ASSERT_TRUE(driver.tap(form.sellButton()));
        }
        ASSERT_NO_FATAL_FAILURE(typeOnKeypad(form.shuLiang(), "1"));
        // The price comes with the next price refresh; no order goes out without it.
        ASSERT_TRUE(waitFor([&] { return form.jiaGeZ()->text() != "--"; }));
        if (pictures) {
            snapshot("open-market-price");
        }
        ASSERT_TRUE(driver.tap(form.jianCangButton()));
        EXPECT_EQ(confirmAndWaitForOutcome(pictures), "下单成功");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(waitFor([&] { return home() != nullptr; }));
    }

    // The day's trading in platinum: enough deals that their query fills more than a page.
    void marketPriceOpenings() {
        ASSERT_NO_FATAL_FAILURE(marketPriceOpening("铂金", 1, true));
        for (int order = 0; order < kExtraOrders; ++order) {
            ASSERT_NO_FATAL_FAILURE(marketPriceOpening("铂金", 1 + order % 2, false));
        }
    }

    void conditionalOpening() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("摘牌"));
        auto* open = waitForTop<PXJYJianCangViewController>();
        ASSERT_NE(open, nullptr);
        ASSERT_TRUE(driver.tap(open->ZJbutton()));
        PXJYZhiJiaJianCangView& form = *open->zhiJianView();
        ASSERT_NO_FATAL_FAILURE(pickCommodity(form.commodityNameButton(), "黄金"));
        ASSERT_NO_FATAL_FAILURE(typeOnKeypad(form.shuLiang(), "1"));
        // "(<=low,>=high)": a buy limit below the band waits in the book.
        const std::string band = form.ZJfanWei()->text();
        ASSERT_EQ(band.rfind("(<=", 0), 0u) << band;
        const double low = std::stod(band.substr(3));
        char limit[32];
        std::snprintf(limit, sizeof limit, "%.2f", low - 5);
        ASSERT_TRUE(driver.tap(form.zhiJiaL()));
        driver.typeText(limit);
        driver.pressReturn();
        driver.settle();
        snapshot("open-conditional");
        ASSERT_TRUE(driver.tap(form.jianCangButton()));
        EXPECT_EQ(confirmAndWaitForOutcome(), "下单成功");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(waitFor([&] { return home() != nullptr; }));
    }

    // From the market tab: the silver chart's "速摘" panel buys one lot at the live price.
    void quickTradeFromTheChart() {
        ASSERT_TRUE(tapTab("行情"));
        ASSERT_TRUE(waitFor([&] { return marketList() != nullptr; }));
        // The held commodities join the watch tiles, and the list says so once.
        if (waitForAlert(2)) {
            snapshot("held-commodities-watched");
            ASSERT_TRUE(driver.tapAlertButton("确定"));
        }
        ASSERT_TRUE(driver.tapRow(*marketList()->CommodityInfoListTableView(), {1, 0}));
        quote = waitForTop<VKJYMarketChartController>();
        ASSERT_NE(quote, nullptr);
        ASSERT_TRUE(waitFor([&] { return quote->yikoujiaLabel()->text() != "--"; }));
        ASSERT_TRUE(driver.tap(quote->buyButton()));
        PXFastTradeViewController* panel = nullptr;
        ASSERT_TRUE(waitFor([&] {
            panel = dynamic_cast<PXFastTradeViewController*>(quote->tradeVC());
            return panel && panel->isShown() && panel->view()->frame().y == 20 && waitIdle(0);
        })) << "the quick-trade panel did not open "
            << alertText();
        // The panel's own keys.
        ASSERT_TRUE(driver.tap(panel->shuLiangTextField()));
        while (!panel->shuLiangTextField()->text().empty()) {
            ASSERT_TRUE(driver.tap(panel->key("X")));
        }
        ASSERT_TRUE(driver.tap(panel->key("1")));
        ASSERT_TRUE(waitFor([&] { return !panel->price().empty() && panel->price() != "--"; }));
        snapshot("quick-trade");
        ASSERT_TRUE(driver.tap(panel->xiaDan()));
        EXPECT_EQ(confirmAndWaitForOutcome(), "下单成功");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        driver.settle();
        if (quote->tradeVC()) {
            ASSERT_TRUE(driver.tap(panel->closeButton()));
            ASSERT_TRUE(waitFor([&] { return quote->tradeVC() == nullptr; }));
        }
        ASSERT_TRUE(driver.tap(quote->backButton()));
        ASSERT_TRUE(tapTab("交易"));
        ASSERT_TRUE(waitFor([&] { return home() != nullptr; }));
    }

    void partialTransferWithReverseDelisting() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("转让"));
        auto* close = waitForTop<PXJYPingCangViewController>();
        ASSERT_NE(close, nullptr);
        PXJYShiJiaZhuanRangView& form = *close->SJPCView();
        ASSERT_TRUE(driver.tap(form.commodityNameButton()));
        driver.settle();
        const auto& rows = close->chiCangShangPinListView()->allChiCangShangPinCommodity();
        int row = -1;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i]->commodityCode == "PT" && rows[i]->buySellSign == "1") {
                row = static_cast<int>(i);
            }
        }
        ASSERT_GE(row, 0) << "the platinum bought this morning is not offered";
        ASSERT_TRUE(driver.tapRow(*close->chiCangShangPinListView()->tableView(), {0, row}));
        driver.settle();
        ASSERT_NO_FATAL_FAILURE(typeOnKeypad(form.shuLiang(), "1"));
        // The reverse-delisting box lies below the fold: scroll the form up to it.
        for (int i = 0; i < 3 && !driver.isVisible(form.fanXiangJCButton()); ++i) {
            driver.drag({160, 420}, {160, 220});
            driver.settle();
        }
        ASSERT_TRUE(driver.tap(form.fanXiangJCButton()))
            << "the reverse-delisting box is out of reach";
        ASSERT_NO_FATAL_FAILURE(typeOnKeypad(form.FXJCShuLiang(), "1"));
        snapshot("transfer-reverse");
        ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
        EXPECT_EQ(confirmAndWaitForOutcome(), "转让成功， 反向摘牌成功");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(waitFor([&] { return home() != nullptr; }));
    }

    void stopLossSet() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("转让"));
        auto* close = waitForTop<PXJYPingCangViewController>();
        ASSERT_NE(close, nullptr);
        ASSERT_TRUE(driver.tap(close->ZJbutton()));
        PXJYZhiJiaPingCangView& form = *close->ZJPCView();
        ASSERT_TRUE(driver.tap(form.commodityDanHao()));
        driver.settle();
        const auto& numbers = close->chiCangDanHaoListView()->allChiCangDanHaoID();
        ASSERT_FALSE(numbers.empty());
        ASSERT_TRUE(driver.tapRow(*close->chiCangDanHaoListView()->tableView(), {0, 0}));
        driver.settle();
        stopLossHolding = numbers.front();
        const std::string bound = form.ZSFanWei()->text();
        ASSERT_GT(bound.size(), 1u) << bound;
        const double limit = std::stod(bound.substr(1));
        char price[32];
        std::snprintf(price, sizeof price, "%.2f", bound[0] == '<' ? limit - 5 : limit + 5);
        ASSERT_TRUE(driver.tap(form.zhiSunButton()));
        driver.settle();
        driver.typeText(price);
        driver.pressReturn();
        snapshot("stop-loss");
        ASSERT_TRUE(driver.tap(form.pingCangButton()));
        EXPECT_EQ(confirmAndWaitForOutcome(), "下单成功");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(waitFor([&] { return home() != nullptr; }));
    }

    // The holding's stop-loss as the simulator keeps it (0: none).
    double stopLossOf(const std::string& holding) {
        const nlohmann::json account = books(kFirstAccount);
        for (const auto& held : account["holdings"]) {
            if (std::to_string(held["id"].get<int64_t>()) == holding) {
                return held["stopLoss"].get<double>();
            }
        }
        ADD_FAILURE() << "no holding " << holding << " in the books";
        return 0;
    }

    // The stop-loss set on the transfer screen, withdrawn from the holding details.
    void stopLossWithdrawn() {
        EXPECT_NE(stopLossOf(stopLossHolding), 0) << "no stop-loss was set";
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("查询"));
        ASSERT_NO_FATAL_FAILURE(openRowWithTag(3));
        auto* details = waitForTop<PXJYMingXiViewController>();
        ASSERT_NE(details, nullptr);
        ASSERT_TRUE(waitIdle());
        const auto& numbers = details->chiCangDanHaoListView()->allChiCangDanHaoID();
        const auto found = std::find(numbers.begin(), numbers.end(), stopLossHolding);
        ASSERT_NE(found, numbers.end()) << "the holding with the stop-loss is not listed";
        ASSERT_TRUE(driver.tapRow(*details->chiCangDanHaoListView()->tableView(),
                                  {0, static_cast<int>(found - numbers.begin())}));
        driver.settle();
        ASSERT_TRUE(waitFor([&] { return details->CXZhiSunDan()->isEnabled(); }))
            << "the holding shows no stop-loss to withdraw";
        snapshot("stop-loss-shown");
        ASSERT_TRUE(driver.tap(details->CXZhiSunDan()));
        ASSERT_TRUE(waitForAlert());
        EXPECT_EQ(driver.visibleAlert()->message(), "确定撤销止损单吗?");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(waitFor([&] {
            return driver.visibleAlert() && driver.visibleAlert()->message() == "撤销成功";
        })) << alertText();
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(waitIdle());
        EXPECT_EQ(stopLossOf(stopLossHolding), 0) << "the simulator still holds the stop-loss";
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
    }

    // Taps a row of a screen's own menu (the query menu, the funds home) by its tag.
    void openRowWithTag(int tag) {
        ASSERT_TRUE(waitIdle());
        ViewController* before = topScreen();
        ASSERT_TRUE(driver.tap(before->view()->viewWithTag(tag))) << "no row " << tag;
        ASSERT_TRUE(waitFor([&] { return topScreen() != before; }, 5));
    }

    void dealsPaged() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("查询"));
        ASSERT_NO_FATAL_FAILURE(openRowWithTag(1));
        auto* deals = waitForTop<PXJYChengJiaoViewController>();
        ASSERT_NE(deals, nullptr);
        // The query button's left end: an open filter list covers its middle.
        driver.tapAt({30, 301});
        ASSERT_TRUE(waitIdle());
        ASSERT_TRUE(waitFor([&] { return deals->listView()->frame().x == 0; }));
        snapshot("deals");
        const size_t expected = books(kFirstAccount)["deals"].size();
        // Pulled past its end the list asks for the next page while the server sends rows.
        for (int pull = 0; pull < 5 && deals->listView()->dataList().size() < expected; ++pull) {
            driver.drag({160, 450}, {160, 150});
            driver.drag({160, 450}, {160, 150});
            ASSERT_TRUE(waitIdle());
            if (driver.visibleAlert()) {
                driver.tapAlertButton("确定");
            }
        }
        dealsShown = deals->listView()->dataList().size();
        EXPECT_EQ(dealsShown, expected) << "deals listed against the simulator's books";
        snapshot("deals-paged");
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
    }

    void orderWithdrawn() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("查询"));
        ASSERT_NO_FATAL_FAILURE(openRowWithTag(2));
        auto* orders = waitForTop<PXJYZJWeiTuoViewController>();
        ASSERT_NE(orders, nullptr);
        ASSERT_TRUE(waitIdle());
        ASSERT_TRUE(waitFor([&] { return !orders->dataList().empty(); }));
        snapshot("orders");
        int open = -1;
        for (size_t i = 0; i < orders->dataList().size(); ++i) {
            if (orders->dataList()[i].value("STA", "") == "已委托") {
                open = static_cast<int>(i);
            }
        }
        ASSERT_GE(open, 0) << "the conditional order is not listed as open";
        withdrawnOrder = orders->dataList()[size_t(open)].value("OR_N", "");
        ASSERT_TRUE(driver.tapRow(*orders->tableView(), {0, open}));
        driver.settle();
        ASSERT_TRUE(driver.tap(orders->withdrawButton()));
        snapshot("order-withdraw");
        ASSERT_TRUE(waitForAlert());
        EXPECT_EQ(driver.visibleAlert()->message(), "撤销成功");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(waitIdle());
        ASSERT_TRUE(waitFor(
            [&] { return orders->dataList().at(size_t(open)).value("STA", "") == "已撤单"; }));
        ordersShown = orders->dataList();
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
    }

    // Dials the date panel's picker back to a day as a person does: a tap above the middle of
    // the month column while the day is over a month away, then of the day column.
    void dialBackTo(DatePicker& picker, const std::string& day) {
        const DateFormat shown("yyyy-MM-dd", DateFormat::Zone::gmt());
        const std::optional<double> target = shown.parse(day);
        ASSERT_TRUE(target);
        for (int tap = 0; tap < 120 && shown.format(picker.date()) != day; ++tap) {
            const bool monthAway =
                DateFormat::addingMonths(picker.date(), -1, DateFormat::Zone::gmt()) >= *target;
            const Rect column = picker.columnRect(monthAway ? 1 : 2);
            driver.tapAt(picker.convertPointToWindow(
                {column.x + column.width / 2,
                 column.y + column.height / 2 - DatePicker::kRowHeight}));
            driver.settle();
        }
        ASSERT_EQ(shown.format(picker.date()), day) << "the picker cannot reach the day";
    }

    // The deals report of the day the simulator traded, chosen on the form's date panel: every
    // deal of the day, page by page.
    void report() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("报表"));
        auto* reports = waitForTop<PXTradeBaoBiaoController>();
        ASSERT_NE(reports, nullptr) << "the report screen did not open";
        ASSERT_TRUE(driver.tap(reports->baoBiaoType()));
        driver.settle();
        ASSERT_TRUE(driver.tapRow(*reports->pickerView(), {0, 1}));
        driver.settle();
        const std::string day = DateFormat("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600))
                                    .format(static_cast<double>(exchange.nowMs()) / 1000);
        for (Button* dayButton : {reports->startDateButton(), reports->endDateButton()}) {
            ASSERT_TRUE(driver.tap(dayButton));
            driver.settle();
            ASSERT_NO_FATAL_FAILURE(dialBackTo(*reports->datePicker(), day));
            EXPECT_EQ(dayButton->title(), day);
        }
        snapshot("report-days");
        ASSERT_TRUE(driver.tapText("隐藏"));
        driver.settle();
        ASSERT_TRUE(driver.tap(reports->doneButton()));
        ASSERT_TRUE(waitIdle());
        PXJYBaoBiaoMingXiList& list = *reports->baoBiaoMingXiList();
        ASSERT_TRUE(waitFor([&] { return list.frame().x == 0; }, 5))
            << "no report: " << alertText();
        EXPECT_EQ(list.navigationBarView()->title()->text(), "成交明细");
        snapshot("report");
        const size_t deals = books(kFirstAccount)["deals"].size();
        for (int pull = 0; pull < 5 && list.dataList().size() < deals; ++pull) {
            LoadMoreTableView& table = *list.BBtableView();
            table.setContentOffset({0, table.maximumContentOffset().y});
            driver.drag({160, 450}, {160, 150});
            ASSERT_TRUE(waitIdle());
        }
        EXPECT_EQ(list.dataList().size(), deals) << "the day's deals against the simulator's";
        EXPECT_FALSE(driver.visibleAlert()) << alertText();
        list.VKJYNavBackAction();
        driver.settle();
        ASSERT_TRUE(goBack());
    }

    void transfer(const std::string& way, const std::string& amount) {
        auto* form = waitForTop<PXJYChuRuJinCaoZuoVC>();
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(driver.tapText(way));
        ASSERT_TRUE(driver.tap(form->selectBank()));
        driver.settle();
        ASSERT_TRUE(driver.tapText("工商银行"));
        driver.settle();
        ASSERT_TRUE(driver.tap(form->moneyTextField()));
        driver.typeText(amount);
        ASSERT_TRUE(driver.tap(form->passwordTextField()));
        driver.typeText(kFundPassword);
        snapshot(way == "入金" ? "deposit" : "withdrawal");
        ASSERT_TRUE(driver.tapText("确定"));
        ASSERT_TRUE(waitForAlert());
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(waitFor([&] {
            return driver.visibleAlert() &&
                   driver.visibleAlert()->message().find("转账金额") != std::string::npos;
        })) << alertText();
        EXPECT_EQ(driver.visibleAlert()->message(), "转账类型：" + way + "\n转账金额：￥" + amount);
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(waitIdle());
    }

    void depositAndWithdrawal() {
        const double bankBefore =
            std::stod(books(kFirstAccount)["banks"]["102"].get<std::string>());
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("出入金"));
        ASSERT_TRUE(waitIdle());
        snapshot("funds-home");
        ASSERT_NO_FATAL_FAILURE(openRowWithTag(3));
        ASSERT_NO_FATAL_FAILURE(transfer("入金", "500"));
        ASSERT_NO_FATAL_FAILURE(transfer("出金", "120.5"));
        const double bankAfter = std::stod(books(kFirstAccount)["banks"]["102"].get<std::string>());
        EXPECT_DOUBLE_EQ(bankAfter, bankBefore - 379.5);
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
        // The market funds the screen shows are the simulator's usable funds.
        ASSERT_NO_FATAL_FAILURE(openRowWithTag(5));
        auto* funds = waitForTop<PXJYZiJinXinXiVC>();
        ASSERT_NE(funds, nullptr);
        ASSERT_TRUE(waitFor([&] { return !funds->MarketFundInformationArray().empty(); }));
        const std::string usable = funds->MarketFundInformationArray().front().value("UF", "");
        EXPECT_TRUE(showsText(usable)) << "usable funds " << usable << " are not shown";
        EXPECT_DOUBLE_EQ(std::stod(usable),
                         std::stod(books(kFirstAccount)["available"].get<std::string>()));
        snapshot("market-funds");
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
    }

    void announcement() {
        const std::string title = "交割安排通知";
        const int64_t sent = DateFormat::nowMilliseconds() - 60000;
        ASSERT_EQ(exchange
                      .post(std::string("/control/trade/notice?jys=") + kExchange +
                            "&env=" + kEnvironment + "&title=" + SimProcess::escape(title) +
                            "&html=" + SimProcess::escape("<p>本周五交割</p>") +
                            "&time=" + std::to_string(sent))
                      .status,
                  200);
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("公告"));
        auto* notices = waitForTop<PXJYGongGaoViewController>();
        ASSERT_NE(notices, nullptr);
        if (driver.isVisible(notices->basisView())) {
            ASSERT_TRUE(driver.tapText("隐藏"));
            driver.settle();
        }
        ASSERT_TRUE(driver.tapText("确  定"));
        ASSERT_TRUE(waitFor([&] { return !notices->dataList().empty(); })) << alertText();
        snapshot("announcements");
        ASSERT_TRUE(driver.tapText(title)) << "the new announcement is not listed";
        ASSERT_TRUE(waitFor([&] { return notices->detailView()->frame().x == 0; }));
        EXPECT_NE(notices->webView()->plainText().find("本周五交割"), std::string::npos);
        snapshot("announcement");
        driver.tapAt({35, 42});
        driver.settle();
        driver.tapAt({35, 42});
        driver.settle();
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
    }

    void settingsChange() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("更多"));
        ASSERT_TRUE(driver.tapText("    设置"));
        auto* settings = waitForTop<PXJYSetUpVC>();
        ASSERT_NE(settings, nullptr);
        ASSERT_TRUE(driver.tap(settings->valueButton(2)));
        driver.settle();
        ASSERT_TRUE(driver.tapRow(*settings->optionsListView(), {0, 2}));
        driver.settle();
        EXPECT_EQ(settings->valueButton(2)->currentTitle(), "5 秒");
        snapshot("settings");
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
        ASSERT_TRUE(goBack()) << alertText() << " on " << typeid(*topScreen()).name();
    }

    // A second account is added from an order screen's account switcher.
    void switchToSecondAccount() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("摘牌"));
        auto* open = waitForTop<PXJYJianCangViewController>();
        ASSERT_NE(open, nullptr);
        PXJYSwitchingAccountView* switcher = open->shiJianView()->switchingAccountView();
        ASSERT_TRUE(driver.tap(switcher->accountButton()));
        driver.settle();
        snapshot("accounts");
        ASSERT_TRUE(driver.tapText("添加账号"));
        ASSERT_NO_FATAL_FAILURE(logInOnLoginScreen(kSecondAccount));
        ASSERT_TRUE(waitFor([&] { return top<PXJYJianCangViewController>() != nullptr; }))
            << alertText();
        ASSERT_TRUE(goBack());
        // The home's menu is still open from the way there.
        if (View* cancel = driver.viewWithText("取消")) {
            driver.tap(cancel);
            driver.settle();
        }
        ASSERT_TRUE(waitFor([&] { return home() != nullptr && showsText(kSecondAccount); }))
            << "the home does not show the second account";
        snapshot("second-account");
    }

    // The saved first account is chosen on the trade home and asks only for its password.
    void switchBackToFirstAccount() {
        std::vector<View*> rows = driver.viewsWithText(kFirstAccount);
        ASSERT_FALSE(rows.empty()) << "the first account is not on the home";
        // Its header row, at the arrow's end.
        const Rect shown = driver.visibleRect(rows.back());
        driver.tapAt({300, shown.midY()});
        driver.settle();
        ASSERT_NO_FATAL_FAILURE(logInOnSimpleLogin());
        ASSERT_TRUE(waitFor([&] { return home() != nullptr && waitIdle(0); })) << alertText();
        EXPECT_TRUE(waitFor([&] {
            auto* header = driver.viewWithText("账户:");
            return header && showsText(kFirstAccount);
        }));
        snapshot("first-account-again");
    }

    // At the end of the day the simulator's books hold what the screens showed.
    void booksEqualTheScreens() {
        const nlohmann::json account = books(kFirstAccount);
        ASSERT_TRUE(account.is_object());
        const std::map<std::string, int> held = holdingsBooked(account);
        ASSERT_TRUE(waitFor([&] { return holdingsShown() == held; }, 5))
            << "the trade home's holdings differ from the simulator's";
        snapshot("holdings");
        EXPECT_EQ(account["deals"].size(), dealsShown) << "deals since the query";
        for (const JYDict& row : ordersShown) {
            const std::string number = row.value("OR_N", "");
            bool found = false;
            for (const auto& order : account["orders"]) {
                if (std::to_string(order["no"].get<int64_t>()) == number) {
                    found = true;
                    const int status = order["status"].get<int>();
                    EXPECT_EQ(row.value("STA", ""), status == 1   ? "已委托"
                                                    : status == 2 ? "已成交"
                                                    : status == 3 ? "已撤单"
                                                                  : "部分成交")
                        << "order " << number;
                }
            }
            EXPECT_TRUE(found) << "order " << number << " is not in the books";
        }
        for (const auto& order : account["orders"]) {
            if (std::to_string(order["no"].get<int64_t>()) == withdrawnOrder) {
                EXPECT_EQ(order["status"].get<int>(), 3) << "the withdrawn order";
            }
        }
    }

    void logOff() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("更多"));
        ASSERT_TRUE(driver.tapText("    退出登录"));
        ASSERT_TRUE(waitForAlert());
        ASSERT_TRUE(driver.tapAlertButton("退出登录"));
        ASSERT_TRUE(waitFor([&] {
            return driver.visibleAlert() && driver.visibleAlert()->message() == "注销成功";
        })) << alertText();
        snapshot("logged-off");
        // The login screen fetches its captcha under the busy overlay, over the message.
        ASSERT_TRUE(waitIdle());
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        EXPECT_TRUE(waitFor([&] { return top<PXJYTradeLoginVC>() != nullptr; }));
    }

    // Clears the field with the keypad's backspace key, then types the digits.
    void typeOnKeypad(TextField* field, const std::string& keys) {
        ASSERT_TRUE(driver.tap(field));
        driver.settle();
        for (int i = 0; i < 32 && !field->text().empty(); ++i) {
            auto icons = driver.viewsOfClass<PadKeyboardBackspaceIcon>();
            ASSERT_FALSE(icons.empty()) << "no keypad";
            ASSERT_TRUE(driver.tap(icons.back()->superview()));
        }
        for (char key : keys) {
            ASSERT_TRUE(driver.pressKey(std::string(1, key))) << "key " << key;
        }
        driver.pressKey("完成");
        driver.settle();
    }

    // Faults on the way.

    std::string tradeLine(size_t index) const {
        for (const auto& lines : exchange.tradeLines()) {
            if (lines.exchange == kExchange && lines.environment == kEnvironment) {
                return lines.urls.at(index);
            }
        }
        return {};
    }

    bool setTradeLine(size_t index, const std::string& state, int delayMs = 0) {
        return exchange
                   .post(std::string("/control/trade/line?jys=") + kExchange +
                         "&env=" + kEnvironment + "&line=" + std::to_string(index) +
                         "&state=" + state + "&delayMs=" + std::to_string(delayMs))
                   .status == 200;
    }

    // The quote screen's line goes down: the screen goes on with the other line, its price
    // never blank.
    void quoteLineDies() {
        ASSERT_TRUE(driver.tapRow(*marketList()->CommodityInfoListTableView(), {1, 0}));
        quote = waitForTop<VKJYMarketChartController>();
        ASSERT_NE(quote, nullptr);
        ASSERT_TRUE(waitFor([&] { return quote->yikoujiaLabel()->text() != "--"; }));
        ASSERT_EQ(exchange.post("/control/quote/line?server=0&line=0&state=refuse").status, 200);
        bool blank = false;
        for (int step = 0; step < 3; ++step) {
            const std::string before = quote->yikoujiaLabel()->text();
            ASSERT_TRUE(exchange.advance(300000));
            EXPECT_TRUE(waitFor([&] {
                blank = blank || quote->yikoujiaLabel()->text() == "--";
                return quote->yikoujiaLabel()->text() != before;
            })) << "the price stopped at "
                << before << " when a quote line died";
        }
        EXPECT_FALSE(blank) << "the price went blank during the fail-over";
        snapshot("quote-fail-over");
        ASSERT_EQ(exchange.post("/control/quote/line?server=0&line=0&state=normal").status, 200);
        ASSERT_TRUE(driver.tap(quote->backButton()));
        ASSERT_TRUE(waitFor([&] { return marketList() != nullptr; }));
    }

    void openOrderQuery() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("查询"));
        ASSERT_NO_FATAL_FAILURE(openRowWithTag(2));
    }

    // The line in use answers later than the client waits: the query says so; on the other line,
    // chosen on the line-switch screen, the same query goes through.
    void tradingLineStalls() {
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("更多"));
        ASSERT_TRUE(driver.tapText("    切换链路"));
        auto* lines = waitForTop<PXJYChangeLinkVC>();
        ASSERT_NE(lines, nullptr);
        ASSERT_EQ(lines->tradeLinkArray().size(), 2u);
        const std::string inUse = PXTradeModule::shared().PXJYData().tradeLinkType();
        const int used = lines->tradeLinkArray()[0].code == inUse ? 0 : 1;
        const size_t stalled =
            lines->tradeLinkArray()[size_t(used)].url.find(tradeLine(0)) == 0 ? 0 : 1;
        ASSERT_TRUE(goBack());
        ASSERT_TRUE(goBack());
        ASSERT_TRUE(setTradeLine(stalled, "late", 30000));
        ASSERT_NO_FATAL_FAILURE(openOrderQuery());
        ASSERT_TRUE(waitFor([&] { return driver.visibleAlert() != nullptr; }, 40))
            << "no message when the line stalled";
        snapshot("trade-line-time-out");
        EXPECT_EQ(driver.visibleAlert()->message(), "请求网络失败");
        ASSERT_TRUE(driver.tapAlertButton(driver.visibleAlert()->buttonTitleAtIndex(0)));
        ASSERT_TRUE(waitIdle());
        ASSERT_TRUE(goBack());
        ASSERT_TRUE(goBack());
        // The other line, by hand.
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("更多"));
        ASSERT_TRUE(driver.tapText("    切换链路"));
        lines = waitForTop<PXJYChangeLinkVC>();
        ASSERT_NE(lines, nullptr);
        ASSERT_TRUE(driver.tapRow(*lines->tableView(), {0, 1 - used}));
        driver.settle();
        snapshot("trade-line-switched");
        ASSERT_TRUE(goBack());
        ASSERT_TRUE(goBack());
        ASSERT_NO_FATAL_FAILURE(openOrderQuery());
        auto* orders = waitForTop<PXJYZJWeiTuoViewController>();
        ASSERT_NE(orders, nullptr);
        ASSERT_TRUE(waitIdle(20));
        // The server's answer: this run has no conditional order, which the list says.
        ASSERT_TRUE(waitForAlert());
        EXPECT_EQ(driver.visibleAlert()->message(), "您没有交易过,我们查不到");
        snapshot("trade-line-other");
        ASSERT_TRUE(driver.tapAlertButton(driver.visibleAlert()->buttonTitleAtIndex(0)));
        ASSERT_TRUE(setTradeLine(stalled, "normal"));
        ASSERT_TRUE(goBack());
        ASSERT_TRUE(goBack());
    }

    int platinumDeals() {
        int count = 0;
        const nlohmann::json account = books(kFirstAccount);
        for (const auto& deal : account["deals"]) {
            count += deal["commodity"] == "PT" ? 1 : 0;
        }
        return count;
    }

    // The server ends the session while an order form is filled in: the order is refused, the
    // user logs in again and sends it once.
    void sessionEndsWithAnOrderFormOpen() {
        const int before = platinumDeals();
        ASSERT_NO_FATAL_FAILURE(openFromHomeMenu("摘牌"));
        auto* open = waitForTop<PXJYJianCangViewController>();
        ASSERT_NE(open, nullptr);
        PXJYShiJiaJianCangView& form = *open->shiJianView();
        ASSERT_NO_FATAL_FAILURE(pickCommodity(form.commodityNameButton(), "铂金"));
        ASSERT_NO_FATAL_FAILURE(typeOnKeypad(form.shuLiang(), "1"));
        ASSERT_TRUE(waitFor([&] { return form.jiaGeZ()->text() != "--"; }));
        ASSERT_EQ(exchange
                      .post(std::string("/control/trade/expire?jys=") + kExchange +
                            "&env=" + kEnvironment + "&account=" + kFirstAccount)
                      .status,
                  200);
        ASSERT_TRUE(driver.tap(form.jianCangButton()));
        const std::string outcome = confirmAndWaitForOutcome();
        snapshot("session-ended");
        EXPECT_NE(outcome, "下单成功");
        ASSERT_TRUE(driver.tapAlertButton(driver.visibleAlert()->buttonTitleAtIndex(0)));
        EXPECT_EQ(platinumDeals(), before) << "an order went through on an ended session";
        // Back to the login, and the order once more. A refresh that met the ended session
        // first has its re-login dialog under the order's refusal.
        ASSERT_TRUE(waitFor([&] {
            answerAlert();
            return top<PXJYTradeLoginVC>() != nullptr;
        })) << "no login after the session ended";
        ASSERT_NO_FATAL_FAILURE(logInOnLoginScreen(kFirstAccount));
        ASSERT_TRUE(waitFor([&] { return home() != nullptr; }));
        ASSERT_NO_FATAL_FAILURE(marketPriceOpening("铂金", 1, false));
        EXPECT_EQ(platinumDeals(), before + 1) << "the order was lost or sent twice";
    }

    // The exchange goes down and comes back on the same ports with its books started over: the
    // list's prices move again and the trade tab logs in again, the client never restarted.
    void simulatorRestarts() {
        ASSERT_TRUE(exchange.restart()) << "vkjy-sim did not start again";
        // Whatever the client says about the lost lines is answered as a user would.
        ASSERT_TRUE(waitFor([&] {
            answerAlert();
            tapTab("行情");
            return marketList() != nullptr;
        })) << alertText();
        const std::string before = firstPrice();
        ASSERT_TRUE(exchange.advance(120000));
        EXPECT_TRUE(waitFor([&] { return firstPrice() != before; }, 30))
            << "the list's prices stopped after the exchange restarted";
        snapshot("restart-market-list");
        ASSERT_TRUE(tapTab("交易"));
        // The old session is unknown to the new exchange: the client asks for a login.
        ASSERT_TRUE(waitFor(
            [&] {
                answerAlert();
                return top<PXJYTradeLoginVC>() != nullptr;
            },
            40))
            << "the trade tab did not ask for a login after the restart";
        snapshot("restart-login");
        ASSERT_TRUE(waitFor([&] {
            answerAlert();
            return !driver.visibleAlert() && waitIdle(0);
        })) << alertText();
        ASSERT_NO_FATAL_FAILURE(logInOnLoginScreen(kFirstAccount));
        ASSERT_TRUE(waitFor([&] { return home() != nullptr; }));
        snapshot("restart-trade-home");
    }

    VKJYMarketChartController* quote = nullptr;
    size_t dealsShown = 0;
    std::string withdrawnOrder;
    std::vector<JYDict> ordersShown;
    std::string stopLossHolding;
};
}  // namespace

TEST_F(TradingDayTest, aTradingDayThroughTheScreens) {
    ASSERT_NO_FATAL_FAILURE(startUpThroughTheGuide());
    ASSERT_NO_FATAL_FAILURE(marketListWithLivePrices());
    ASSERT_NO_FATAL_FAILURE(quoteScreenChartsAndWideScreen());
    ASSERT_NO_FATAL_FAILURE(logInOnTheTradeTab(kFirstAccount));
    ASSERT_NO_FATAL_FAILURE(marketPriceOpenings());
    ASSERT_NO_FATAL_FAILURE(conditionalOpening());
    ASSERT_NO_FATAL_FAILURE(quickTradeFromTheChart());
    ASSERT_NO_FATAL_FAILURE(partialTransferWithReverseDelisting());
    ASSERT_NO_FATAL_FAILURE(stopLossSet());
    ASSERT_NO_FATAL_FAILURE(stopLossWithdrawn());
    ASSERT_NO_FATAL_FAILURE(dealsPaged());
    ASSERT_NO_FATAL_FAILURE(orderWithdrawn());
    ASSERT_NO_FATAL_FAILURE(report());
    ASSERT_NO_FATAL_FAILURE(depositAndWithdrawal());
    ASSERT_NO_FATAL_FAILURE(announcement());
    ASSERT_NO_FATAL_FAILURE(settingsChange());
    ASSERT_NO_FATAL_FAILURE(switchToSecondAccount());
    ASSERT_NO_FATAL_FAILURE(switchBackToFirstAccount());
    ASSERT_NO_FATAL_FAILURE(booksEqualTheScreens());
    ASSERT_NO_FATAL_FAILURE(logOff());
}

TEST_F(TradingDayTest, theSameDayWithFaultsOnTheWay) {
    ASSERT_NO_FATAL_FAILURE(startUpThroughTheGuide());
    ASSERT_NO_FATAL_FAILURE(marketListWithLivePrices());
    ASSERT_NO_FATAL_FAILURE(quoteLineDies());
    ASSERT_NO_FATAL_FAILURE(logInOnTheTradeTab(kFirstAccount));
    ASSERT_NO_FATAL_FAILURE(marketPriceOpening("铂金", 1, true));
    ASSERT_NO_FATAL_FAILURE(tradingLineStalls());
    ASSERT_NO_FATAL_FAILURE(sessionEndsWithAnOrderFormOpen());
    ASSERT_NO_FATAL_FAILURE(simulatorRestarts());
    ASSERT_NO_FATAL_FAILURE(logOff());
}
