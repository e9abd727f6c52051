#include <gtest/gtest.h>

#include <functional>

#include "OpenScreenTest.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTabBarHelper.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/core/TradeText.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/open/PXJYGuaPaiViewController.h"
#include "trade/open/PXJYJianCangZYMSVC.h"

namespace {

class OrderBookOpening : public OpenScreenTest {
protected:
    explicit OrderBookOpening(Size screenSize = {320, 568}) : OpenScreenTest(screenSize) {}

    // Opens the quote-mode screen and picks the order-book commodity there, as a user does.
    PXJYJianCangZYMSVC* openOrderBook(const std::string& code = "zn") {
        if (!openScreen()) {
            return nullptr;
        }
        pick(*screen->shiJianView(), code);
        driver.settle();
        orderBook = dynamic_cast<PXJYJianCangZYMSVC*>(tradeNavigation()->topViewController());
        settleQueries();
        return orderBook;
    }
    // Listings of another firm, one unit apart in price, cheapest first; listed before the book
    // shows, heard before it does.
    void listForOthers(int side, int count, int qty = 7) {
        const auto list = [&] {
            for (int i = 0; i < count; ++i) {
                ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "zn", side, 2150 + i, qty));
            }
        };
        if (orderBook) {
            list();
            return;
        }
        ASSERT_TRUE(listingsHeard(list));
    }
    std::string bookPrice(size_t row) const {
        return TradeText::textAt(orderBook->guaPaiInfoArray().at(row), "PRI");
    }
    // Whether a rule lies under the row of this button: the row's last point has another colour
    // than the row just above it.
    bool ruledUnder(View* button) const {
        const Rect shown = driver.visibleRect(button);
        const double rule = shown.maxY() + 7.5;
        return driver.colorAt({10, rule}) != driver.colorAt({10, rule - 3});
    }
    bool waitForBook(size_t rows) {
        return driver.runUntil([&] { return orderBook->guaPaiInfoArray().size() == rows; }, 5);
    }
    // The price on the embedded book's row that carries the tick; empty when none does.
    std::string tickedPrice() {
        for (ImageView* mark : driver.viewsOfClass<ImageView>()) {
            if (mark->image().name() == "duihao.png" && driver.isVisible(mark)) {
                return ScreenDriver::textOf(mark->superview()->subviews().at(2));
            }
        }
        return {};
    }
    // The account takes up sell listings of zinc up to that price, straight at the simulator.
    void takeUp(const std::string& price, const std::string& qty) {
        const SimJson reply = tradeServer().ledger().handle(
            SimTradeLink::Trade, "order_mp",
            {{"USER_ID", loggedIn.account},
             {"BUY_SELL", "1"},
             {"COMMODITY_ID", "zn"},
             {"PRICE", price},
             {"QTY", qty},
             {"SETTLE_BASIS", "1"},
             {"ISLIST", "0"},
             {"CLOSEMODE", "1"},
             {"HOLDING_ID", ""},
             {"SESSION_ID", tradeModule().PXJYData().tradeSession()->JYsessionID},
             {"A_N", ""},
             {"P_P", ""}});
        ASSERT_EQ(reply.value("retcode", -1), 0) << reply.dump();
    }
    // Changes the book at the simulator a second after the last heartbeat, so the next one
    // reports new listings.
    void changeBookAfterAHeartbeat(const std::function<void()>& change) {
        ASSERT_TRUE(driver.runUntil([&] { return reportedSellListing() > 0; }, 10));
        sim.clock().advance(1000);
        change();
    }

    // The busy overlay goes at the first answer: both queries are answered once the line is quiet.
    void settleQueries() {
        driver.runUntil([] {
            return HttpClient::exchangesInFlight() == 0 && VKJYCommonViewUtil::activityCount() == 0;
        });
    }
    size_t bookQueries() { return received("faes_sellingbuying_query").size(); }

    PXJYJianCangZYMSVC* orderBook = nullptr;
};

TEST_F(OrderBookOpening, pickingAnOrderBookCommodityAsksForOpenOrdersAndTheSellBook) {
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return !received("faes_sellingbuying_query").empty(); }));
    // Both go out in one turn of the run loop; their arrival order is the network's.
    ASSERT_EQ(received("my_order_query").size(), 1u);
    EXPECT_EQ(reqValue(received("my_order_query").front(), "COMMODITY_ID"), "zn");
    const auto query = received("faes_sellingbuying_query").front();
    EXPECT_EQ(reqValue(query, "TY"), "2");
    EXPECT_EQ(reqValue(query, "ISDESC"), "0");
    EXPECT_EQ(reqValue(query, "SORTFLD"), "PRI");
    EXPECT_EQ(reqValue(query, "STARTNUM"), "1");
    EXPECT_EQ(reqValue(query, "COMMODITY_ID"), "zn");
    EXPECT_EQ(tradeModule().PXJYData().currentCommodityCode(), "zn");
    EXPECT_EQ(orderBook->zhaiPaiView()->commodityNameButton()->currentTitle(), "锌");

    ASSERT_TRUE(driver.tap(orderBook->zhaiPaiView()->sellButton()));
    ASSERT_TRUE(driver.runUntil([&] { return received("faes_sellingbuying_query").size() == 2; }));
    EXPECT_EQ(reqValue(received("faes_sellingbuying_query").back(), "TY"), "1");
    EXPECT_EQ(reqValue(received("faes_sellingbuying_query").back(), "ISDESC"), "1");
}

TEST_F(OrderBookOpening, delistingAChosenListingSendsItsPriceAndReturnsHome) {
    setDefault("prompt", "1");
    listForOthers(2, 6);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(6));
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    EXPECT_EQ(form.guaPaiListView()->numberOfRows(*form.guaPaiListView()->tableView(), 0), 5);
    EXPECT_NE(driver.viewWithText("售出1"), nullptr);
    EXPECT_FALSE(ruledUnder(form.sellButton()));

    // No listing chosen yet.
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "摘牌价不能为空");
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    ASSERT_TRUE(driver.tapRow(*form.guaPaiListView()->tableView(), IndexPath{0, 1}));
    const std::string price = bookPrice(1);
    EXPECT_EQ(form.jiaGeZ()->text(), price);
    EXPECT_EQ(form.fanWei()->text(), "(摘牌范围:1-7)");
    typeQuantity(form, "8");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "请输入正确的交易数量");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    form.shuLiang()->setText("");
    typeQuantity(form, "3");
    snapshot("order-book-delisting");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(),
              "   商品:锌\n   商品价格:" + price + "\n   商品数量:3\n   方式:摘牌购入");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 1u);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);

    const auto order = received("order_mp").at(0);
    EXPECT_EQ(reqValue(order, "BUY_SELL"), "1");
    EXPECT_EQ(reqValue(order, "COMMODITY_ID"), "zn");
    EXPECT_EQ(reqValue(order, "PRICE"), price);
    EXPECT_EQ(reqValue(order, "QTY"), "3");
    EXPECT_EQ(reqValue(order, "SETTLE_BASIS"), "1");
    EXPECT_EQ(reqValue(order, "ISLIST"), "0");
    EXPECT_EQ(reqValue(order, "CLOSEMODE"), "1");
    EXPECT_EQ(reqValue(order, "USER_ID"), loggedIn.account);
    // The deal shows as a holding at the next heartbeat.
    EXPECT_TRUE(driver.runUntil([&] { return heldLots("zn", "1") >= 3; }, 10));
}

TEST_F(OrderBookOpening, aDelistingAnsweredThatItsSessionIsLostEndsInTheReLoginDialogAlone) {
    setDefault("prompt", "2");
    listForOthers(2, 1);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(1));
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    ASSERT_TRUE(driver.tapRow(*form.guaPaiListView()->tableView(), IndexPath{0, 0}));
    typeQuantity(form, "1");
    tradeServer().answerCodeNext(1004, "order_mp");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil(
        [&] { return !orderBook->isOrderOutstanding() && driver.visibleAlert(); }, 10));
    driver.settle();
    EXPECT_EQ(alertsOnShow(), 1) << alertMessage();
    EXPECT_EQ(driver.visibleAlert()->buttonTitleAtIndex(0), "重新登录");
}

// A book the server would not give is told, never shown as a book without listings; an order
// tapped without a listing to take up asks again, and so does the side's button.
TEST_F(OrderBookOpening, aRefusedBookIsToldAndTheOrderOrItsSideAsksAgain) {
    listForOthers(2, 1);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(1));
    tradeServer().answerCodeNext(-1, "faes_sellingbuying_query");
    const size_t asked = received("faes_sellingbuying_query").size();
    ASSERT_TRUE(driver.tap(orderBook->zhaiPaiView()->buyButton()));
    ASSERT_TRUE(driver.runUntil([&] {
        return received("faes_sellingbuying_query").size() > asked &&
               VKJYCommonViewUtil::activityCount() == 0;
    }));
    EXPECT_EQ(alertMessage(), "模拟错误");
    EXPECT_TRUE(orderBook->guaPaiInfoArray().empty());
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.tap(orderBook->zhaiPaiView()->jianCangButton()));
    EXPECT_EQ(alertMessage(), "摘牌价不能为空");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(waitForBook(1));
    ASSERT_TRUE(driver.tap(orderBook->zhaiPaiView()->sellButton()));
    EXPECT_TRUE(driver.runUntil([&] { return bookQueries() == asked + 3; }));
}

using OrderBookOpeningOnBothScreens = OnBothScreens<OrderBookOpening>;

TEST_P(OrderBookOpeningOnBothScreens,
       aCommodityChangedOnTheConditionalTabDropsTheListingChosenForTheOldOne) {
    setDefault("prompt", "2");
    ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "NI", 2, 98000, 7));
    listForOthers(2, 1);
    ASSERT_NE(openOrderBook("NI"), nullptr);
    ASSERT_TRUE(waitForBook(1));
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    ASSERT_TRUE(driver.tapRow(*form.guaPaiListView()->tableView(), IndexPath{0, 0}));
    ASSERT_EQ(form.jiaGeZ()->text(), "98000");
    ASSERT_EQ(form.fanWei()->text(), "(摘牌范围:1-7)");

    ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
    const size_t asked = bookQueries();
    pick(*orderBook->tiaoJianZhaiPaiView(), "zn");
    // The new commodity's book is asked for when its tab comes in front, not before.
    EXPECT_FALSE(driver.runFor(0.5, [&] { return bookQueries() > asked; }));
    EXPECT_TRUE(orderBook->guaPaiInfoArray().empty());
    ASSERT_TRUE(driver.tap(orderBook->SJbutton()));
    ASSERT_TRUE(waitForBook(1));
    EXPECT_EQ(reqValue(received("faes_sellingbuying_query").back(), "COMMODITY_ID"), "zn");
    driver.settle();
    EXPECT_EQ(bookPrice(0), "2150.0");
    EXPECT_NE(driver.viewWithText("2150.0"), nullptr);
    EXPECT_EQ(driver.viewWithText("98000"), nullptr);
    EXPECT_EQ(form.jiaGeZ()->text(), "");
    EXPECT_EQ(form.fanWei()->text(), "");
    EXPECT_EQ(form.guaPaiListView()->selectedCellIndexPath(), -1);
    snapshot("order-book-after-commodity-change-" + std::to_string(GetParam()));

    typeQuantity(form, "1");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "摘牌价不能为空");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_mp").empty());

    // News of the book heard on the other tab is asked for when the book comes in front again.
    ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
    listForOthers(2, 1);
    NotificationCenter::defaultCenter().post("REFRESH_C_LIST_SELL");
    ASSERT_TRUE(driver.tap(orderBook->SJbutton()));
    EXPECT_TRUE(waitForBook(2));
}

INSTANTIATE_TEST_SUITE_P(Heights, OrderBookOpeningOnBothScreens, ::testing::Values(568, 480));

// The book reloads (a heartbeat's new listing) while the finger is on a listing: it is chosen.
TEST_F(OrderBookOpening, aListingPressedAcrossABookReloadIsChosen) {
    listForOthers(2, 6);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(6));
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    TableView& book = *form.guaPaiListView()->tableView();
    const std::optional<Point> at = driver.rowPoint(book, {0, 1});
    ASSERT_TRUE(at);
    driver.longPress(*at, 0, [&] {
        book.reloadData();
        driver.settle();
    });
    EXPECT_EQ(form.jiaGeZ()->text(), bookPrice(1));
}

// The listing above the pressed one goes while the finger is down: the pressed listing is chosen,
// not the one that moved up under the finger.
TEST_F(OrderBookOpening, aListingPressedWhileTheBookMovesIsTheOneChosen) {
    listForOthers(2, 6);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(6));
    const std::string pressed = bookPrice(1);
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    const std::optional<Point> at = driver.rowPoint(*form.guaPaiListView()->tableView(), {0, 1});
    ASSERT_TRUE(at);
    driver.longPress(*at, 0, [&] {
        takeUp(bookPrice(0), "7");
        NotificationCenter::defaultCenter().post("REFRESH_C_LIST_SELL");
        ASSERT_TRUE(driver.runUntil(
            [&] { return orderBook->guaPaiInfoArray().size() == 5 && bookPrice(0) == pressed; }));
    });
    EXPECT_EQ(form.jiaGeZ()->text(), pressed);
}

// Another firm lists while the finger is down and the book is asked again; the answer comes
// after the finger lifts. The rows stay on show meanwhile and the pressed listing stays chosen.
TEST_F(OrderBookOpening, aListingPressedWhileTheBookIsAskedAgainStaysChosen) {
    listForOthers(2, 2);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(2));
    const std::string pressed = bookPrice(1);
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    const std::optional<Point> at = driver.rowPoint(*form.guaPaiListView()->tableView(), {0, 1});
    ASSERT_TRUE(at);
    const size_t asked = bookQueries();
    tradeServer().holdReplies("faes_sellingbuying_query");
    driver.longPress(*at, 0, [&] {
        ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "zn", 2, 2149, 3));
        NotificationCenter::defaultCenter().post("REFRESH_C_LIST_SELL");
        ASSERT_TRUE(driver.runUntil([&] { return bookQueries() > asked; }));
    });
    EXPECT_EQ(form.guaPaiListView()->numberOfRows(*form.guaPaiListView()->tableView(), 0), 2);
    EXPECT_EQ(form.jiaGeZ()->text(), pressed);
    tradeServer().releaseReplies("faes_sellingbuying_query");
    ASSERT_TRUE(waitForBook(3));
    driver.settle();
    EXPECT_EQ(tickedPrice(), pressed);
    EXPECT_EQ(form.jiaGeZ()->text(), pressed);
    EXPECT_EQ(form.fanWei()->text(), "(摘牌范围:1-7)");
}

// The busy overlay goes at the first answer; until the range is in, the conditional form
// refuses. An order keeps it up until its own answer, whatever else is answered first.
TEST_F(OrderBookOpening, theBusyOverlayGoesAtTheFirstAnswerButStaysForAnOrder) {
    setDefault("prompt", "2");
    listForOthers(2, 1);
    ASSERT_TRUE(openScreen());
    // The listing news is posted below by hand: a heartbeat telling it at a moment of its own
    // would raise the overlay the steps below count.
    tradeModule().PXJYTimerManger().stopJYHeartTimer();
    tradeServer().holdReplies("my_order_query");
    pick(*screen->shiJianView(), "zn");
    orderBook = dynamic_cast<PXJYJianCangZYMSVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(orderBook, nullptr);
    ASSERT_TRUE(waitForBook(1));
    EXPECT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
    PXJYTiaoJianZhaiPaiViewZYMS& conditional = *orderBook->tiaoJianZhaiPaiView();
    typeQuantity(conditional, "1");
    typeInto(conditional.jiaGeZ(), "2150");
    ASSERT_TRUE(driver.tap(conditional.jianCangButton()));
    EXPECT_EQ(alertMessage(), "获取数据失败");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    tradeServer().releaseReplies("my_order_query");
    settleQueries();

    ASSERT_TRUE(driver.tap(orderBook->SJbutton()));
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    ASSERT_TRUE(driver.tapRow(*form.guaPaiListView()->tableView(), IndexPath{0, 0}));
    typeQuantity(form, "1");
    tradeServer().holdReplies("order_mp");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    const size_t asked = bookQueries();
    NotificationCenter::defaultCenter().post("REFRESH_C_LIST_SELL");
    ASSERT_TRUE(driver.runUntil(
        [&] { return bookQueries() > asked && HttpClient::exchangesInFlight() == 1; }));
    driver.settle();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    tradeServer().releaseReplies("order_mp");
    EXPECT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10));
}

TEST_F(OrderBookOpening, theFullBookShowsEveryListingAndHandsTheChoiceBack) {
    listForOthers(2, 7);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(7));
    ASSERT_TRUE(driver.tap(orderBook->zhaiPaiView()->moreButton()));
    ASSERT_NE(orderBook->moreList(), nullptr);
    EXPECT_NE(driver.viewWithText("挂牌列表"), nullptr);
    EXPECT_NE(driver.viewWithText("售出7"), nullptr);
    snapshot("full-book");
    ASSERT_TRUE(driver.tapRow(*orderBook->moreList()->listView(), IndexPath{0, 6}));
    driver.settle();
    EXPECT_EQ(driver.viewWithText("挂牌列表"), nullptr);
    EXPECT_EQ(orderBook->zhaiPaiView()->guaPaiListView()->selectedCellIndexPath(), -1);
    EXPECT_EQ(orderBook->zhaiPaiView()->jiaGeZ()->text(), bookPrice(6));
}

TEST_F(OrderBookOpening, theTickStaysOnTheChosenListingAsTheHeartbeatRefreshesTheBook) {
    listForOthers(2, 1);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(1));
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    ASSERT_TRUE(driver.tapRow(*form.guaPaiListView()->tableView(), IndexPath{0, 0}));
    ASSERT_EQ(tickedPrice(), "2150.0");
    const size_t queries = received("faes_sellingbuying_query").size();
    changeBookAfterAHeartbeat(
        [&] { ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "zn", 2, 2149, 3)); });
    ASSERT_TRUE(driver.runUntil([&] { return orderBook->guaPaiInfoArray().size() == 2; }, 15));
    EXPECT_GT(received("faes_sellingbuying_query").size(), queries);
    driver.settle();
    EXPECT_EQ(bookPrice(0), "2149.0");
    EXPECT_EQ(tickedPrice(), "2150.0");
    EXPECT_EQ(form.jiaGeZ()->text(), "2150.0");
    snapshot("order-book-tick-follows-the-listing");
    EXPECT_EQ(form.fanWei()->text(), "(摘牌范围:1-7)");

    // Both taken up, another listed: the chosen one is gone, and nothing of it stays.
    typeQuantity(form, "1");
    changeBookAfterAHeartbeat([&] {
        takeUp("2150", "10");
        ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "zn", 2, 2151, 3));
    });
    ASSERT_TRUE(driver.runUntil(
        [&] {
            const auto& rows = orderBook->guaPaiInfoArray();
            return rows.size() == 1 && bookPrice(0) == "2151.0";
        },
        15));
    driver.settle();
    EXPECT_EQ(tickedPrice(), "");
    EXPECT_EQ(form.guaPaiListView()->selectedCellIndexPath(), -1);
    EXPECT_EQ(form.jiaGeZ()->text(), "");
    EXPECT_EQ(form.fanWei()->text(), "");
    EXPECT_EQ(form.shuLiang()->text(), "1");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "摘牌价不能为空");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_mp").empty());
}

TEST_F(OrderBookOpening, anotherCommodityOnTheFirstTabStartsTheConditionalFormAfresh) {
    setDefault("prompt", "2");
    ASSERT_NE(openOrderBook("NI"), nullptr);
    ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
    PXJYTiaoJianZhaiPaiViewZYMS& conditional = *orderBook->tiaoJianZhaiPaiView();
    ASSERT_FALSE(conditional.fanWei()->text().empty());
    typeQuantity(conditional, "2");
    typeInto(conditional.jiaGeZ(), "98000");
    ASSERT_TRUE(driver.tap(conditional.ziDongGuaPaiB()));
    ASSERT_TRUE(driver.tap(orderBook->SJbutton()));
    // The new commodity's open orders cannot be asked: it has no range.
    tradeServer().answerCodeNext(-1, "my_order_query");
    pick(*orderBook->zhaiPaiView(), "zn");
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 10));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
    EXPECT_EQ(conditional.commodityNameButton()->currentTitle(), "锌");
    EXPECT_EQ(conditional.jiaGeZ()->text(), "");
    EXPECT_EQ(conditional.shuLiang()->text(), "");
    EXPECT_FALSE(conditional.ziDongGuaPai());
    EXPECT_EQ(conditional.fanWei()->text(), "");
    typeQuantity(conditional, "1");
    typeInto(conditional.jiaGeZ(), "2100.5");
    ASSERT_TRUE(driver.tap(conditional.jianCangButton()));
    EXPECT_EQ(alertMessage(), "获取数据失败");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_mp").empty());
}

TEST_F(OrderBookOpening, aCommodityRefusedForDelistingIsRefusedOnEitherForm) {
    ASSERT_NE(openOrderBook("NI"), nullptr);
    ASSERT_TRUE(driver.tap(orderBook->zhaiPaiView()->jianCangButton()));
    EXPECT_EQ(alertMessage(), "该商品不允许此交易");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
    ASSERT_TRUE(driver.tap(orderBook->tiaoJianZhaiPaiView()->jianCangButton()));
    EXPECT_EQ(alertMessage(), "该商品不允许此交易");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_mp").empty());
}

TEST_F(OrderBookOpening, conditionalDelistingListsItsRestAndADoubleTapSendsOnce) {
    setDefault("prompt", "2");
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
    PXJYTiaoJianZhaiPaiViewZYMS& form = *orderBook->tiaoJianZhaiPaiView();
    ASSERT_TRUE(driver.runUntil([&] { return !form.fanWei()->text().empty(); }));
    EXPECT_FALSE(ruledUnder(form.sellButton()));
    EXPECT_EQ(form.fanWei()->text().rfind("(摘牌范围:", 0), 0u);
    typeQuantity(form, "2");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "请输入交易价格");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    typeInto(form.jiaGeZ(), "0.");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "请输入正确的交易价格");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    // Off the 0.1 grid: sent, and the exchange's refusal is shown on the screen.
    form.jiaGeZ()->setText("");
    typeInto(form.jiaGeZ(), "2100.55");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return !alertMessage().empty(); }, 10));
    EXPECT_EQ(alertMessage(), "价格不是最小报价单位的整数倍");
    ASSERT_EQ(received("order_mp").size(), 1u);
    EXPECT_EQ(reqValue(received("order_mp").at(0), "PRICE"), "2100.55");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(tradeNavigation()->topViewController(), orderBook);
    form.jiaGeZ()->setText("");
    typeInto(form.jiaGeZ(), "2100.5");
    ASSERT_TRUE(driver.tap(form.ziDongGuaPaiB()));
    snapshot("order-book-conditional");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    driver.tap(form.jianCangButton());
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    const auto orders = received("order_mp");
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(reqValue(orders[1], "ISLIST"), "1");
    EXPECT_EQ(reqValue(orders[1], "PRICE"), "2100.5");
    EXPECT_EQ(reqValue(orders[1], "QTY"), "2");
}

TEST_F(OrderBookOpening, aQuoteModeCommodityGoesBackToTheQuoteModeScreen) {
    ASSERT_NE(openOrderBook(), nullptr);
    pick(*orderBook->zhaiPaiView(), "AU");
    driver.settle();
    EXPECT_EQ(tradeNavigation()->topViewController(), screen);
    EXPECT_EQ(screen->nowCommodityCode(), "AU");
    EXPECT_EQ(screen->shiJianView()->commodityNameButton()->currentTitle(), "黄金");
    EXPECT_TRUE(driver.runUntil([&] {
        const auto queries = received("my_order_query");
        return !queries.empty() && reqValue(queries.back(), "COMMODITY_ID") == "AU";
    }));
}

TEST_F(OrderBookOpening, aCommodityTheStoreNoLongerKnowsIsForgottenWithItsListing) {
    setDefault("prompt", "2");
    listForOthers(2, 2);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(2));
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    ASSERT_TRUE(driver.tapRow(*form.guaPaiListView()->tableView(), IndexPath{0, 0}));
    typeQuantity(form, "1");
    ASSERT_EQ(form.jiaGeZ()->text(), bookPrice(0));
    // New listings are asked for, and the answer is slow.
    const size_t asked = received("faes_sellingbuying_query").size();
    tradeServer().holdReplies("faes_sellingbuying_query");
    NotificationCenter::defaultCenter().post("REFRESH_C_LIST_SELL");
    ASSERT_TRUE(
        driver.runUntil([&] { return received("faes_sellingbuying_query").size() > asked; }));
    // The commodities asked again (a new trading day, another environment) lack it.
    PXTradeData& store = tradeModule().PXJYData();
    auto commodities = store.shangPinXinXi();
    commodities.erase("zn");
    store.setShangPinXinXi(std::move(commodities));
    NotificationCenter::defaultCenter().post("JYRefreshTimer");
    driver.settle();
    // The late answer is the forgotten commodity's book: it brings none of it back.
    tradeServer().releaseReplies("faes_sellingbuying_query");
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "--");
    EXPECT_EQ(orderBook->tiaoJianZhaiPaiView()->commodityNameButton()->currentTitle(), "--");
    EXPECT_EQ(form.jiaGeZ()->text(), "");
    EXPECT_EQ(tickedPrice(), "");
    EXPECT_EQ(form.guaPaiListView()->numberOfRows(*form.guaPaiListView()->tableView(), 0), 0);
    snapshot("order-book-forgotten-commodity");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "摘牌价不能为空");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_mp").empty(); }));
}

// The commodity drop-down closes on every way out of it: the keypad coming up for the quantity
// below it, another tab, a screen pushed over it. One tap opens it again.
TEST_F(OrderBookOpening, theDropDownClosesOnEveryWayOut) {
    ASSERT_NE(openOrderBook(), nullptr);
    PXJYZhaiPaiViewZYMS& form = *orderBook->zhaiPaiView();
    TableView& list = *form.commodityListView();
    const std::vector<std::function<void()>> waysOut = {
        [&] { ASSERT_TRUE(driver.tap(form.shuLiang())); },
        [&] {
            ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
            driver.settle();
            ASSERT_TRUE(driver.tap(orderBook->SJbutton()));
        },
        [&] {
            ASSERT_TRUE(driver.tap(form.switchingAccountView()->accountButton()));
            ASSERT_TRUE(driver.tapText("添加账号"));
            PXJYTradeLoginVC* login = nullptr;
            ASSERT_TRUE(driver.runUntil([&] {
                login = dynamic_cast<PXJYTradeLoginVC*>(tradeNavigation()->topViewController());
                return login && login->isAppeared() && VKJYCommonViewUtil::activityCount() == 0;
            }));
            ASSERT_TRUE(driver.tap(login->navigationBarView()->backButton()));
            ASSERT_TRUE(driver.runUntil([&] { return orderBook->isAppeared(); }));
        },
    };
    for (size_t way = 0; way < waysOut.size(); ++way) {
        ASSERT_TRUE(driver.tap(form.commodityNameButton()));
        driver.settle();
        ASSERT_TRUE(driver.isVisible(&list));
        waysOut[way]();
        // Back on show, the book is asked for again under its busy overlay.
        settleQueries();
        EXPECT_FALSE(driver.isVisible(&list)) << way;
        if (form.isRaised()) {
            ASSERT_TRUE(driver.pressKey("完成"));
            driver.settle();
        }
    }
    ASSERT_TRUE(driver.tap(form.commodityNameButton()));
    driver.settle();
    EXPECT_TRUE(driver.isVisible(&list));
}

TEST_F(OrderBookOpening, listingNewsHeardWhileAnotherTabIsInFrontIsAskedForOnReturn) {
    listForOthers(2, 1);
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(waitForBook(1));
    delegate->tabBarHelper().selectHangQingTab();
    driver.settle();
    const size_t queries = bookQueries();
    changeBookAfterAHeartbeat(
        [&] { ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "zn", 2, 2149, 3)); });
    // The heartbeat tells the news while nobody on show listens for it.
    const long long before = reportedSellListing();
    ASSERT_TRUE(driver.runUntil([&] { return reportedSellListing() > before; }, 10));
    EXPECT_EQ(bookQueries(), queries);
    delegate->tabBarHelper().selectTradeTab();
    EXPECT_TRUE(waitForBook(2));
    EXPECT_EQ(bookQueries(), queries + 1);
}

TEST_F(OrderBookOpening, anAccountSwitchOnTheFormBoundsTheRangeByTheNewAccount) {
    // The first account holds three lots of zinc; the second, saved beside it, holds none.
    ASSERT_TRUE(holdOrderBookLots("zn", "2150", 3));
    ASSERT_TRUE(driver.runUntil([&] { return heldLots("zn", "1") == 3; }, 10));
    listForOthers(2, 1);
    ASSERT_TRUE(PXJYSavedAccounts(delegate->accountInfoFilePath())
                    .addAccount({"01", "01", "100000000000002"}));
    ASSERT_NE(openOrderBook(), nullptr);
    ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
    PXJYTiaoJianZhaiPaiViewZYMS& form = *orderBook->tiaoJianZhaiPaiView();
    ASSERT_TRUE(driver.runUntil([&] { return !form.fanWei()->text().empty(); }));
    EXPECT_EQ(form.fanWei()->text(), "(摘牌范围:1-497)");

    ASSERT_TRUE(switchToSavedAccount(*form.switchingAccountView(), orderBook));
    EXPECT_TRUE(driver.runUntil([&] { return form.fanWei()->text() == "(摘牌范围:1-500)"; }, 5))
        << form.fanWei()->text();
    EXPECT_EQ(reqValue(received("my_order_query").back(), "USER_ID"), "100000000000002");
    // The book forgotten at the switch is asked for when its tab comes in front.
    ASSERT_TRUE(driver.tap(orderBook->SJbutton()));
    EXPECT_TRUE(waitForBook(1));
    EXPECT_EQ(reqValue(received("faes_sellingbuying_query").back(), "USER_ID"), "100000000000002");
}

// Another account logs on while a form whose range its open orders and holdings bound is on
// show: the tap refused for it leaves the form as a showing would, its account and range the
// new account's, so the next tap is judged by that range and sends nothing beyond it.
TEST_F(OrderBookOpening, aTapRefusedAfterAnotherLogonLeavesTheRangeOfTheAccountNow) {
    const TradeSessionAccount second{"100000000000002"};
    setDefault("RefreshTrade", "30");
    setDefault("prompt", "2");
    ASSERT_TRUE(tradeServer().ledger().holdElsewhere(second.account, "zn", 1, 3));
    PXJYGuaPaiView* listing = nullptr;
    struct Form {
        const char* request;
        std::function<PXJianCangFormView*()> open;
        std::function<TextField*()> price;
    };
    const Form forms[] = {
        {"order_mp",
         [&]() -> PXJianCangFormView* {
             return openOrderBook() && driver.tap(orderBook->ZJbutton())
                        ? orderBook->tiaoJianZhaiPaiView()
                        : nullptr;
         },
         [&] { return orderBook->tiaoJianZhaiPaiView()->jiaGeZ(); }},
        {"order_list",
         [&]() -> PXJianCangFormView* {
             PXTradeScreenArgs args;
             args.commodityCode = "zn";
             auto* screen = dynamic_cast<PXJYGuaPaiViewController*>(
                 pushOnTradeTab(PXTradeScreenFactory::create("PXJYGuaPaiViewController", args)));
             return listing = screen ? screen->guaPaiView() : nullptr;
         },
         [&] { return listing->zhiJiaL(); }},
    };
    for (const Form& each : forms) {
        SCOPED_TRACE(each.request);
        ASSERT_TRUE(logIn());
        PXJianCangFormView* form = each.open();
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(driver.runUntil([&] { return form->fanWei()->text() == "(摘牌范围:1-500)"; }))
            << form->fanWei()->text();
        typeInto(each.price(), "2150");
        typeQuantity(*form, "498");
        ASSERT_TRUE(logIn(second));
        ASSERT_TRUE(driver.tap(form->jianCangButton()));
        EXPECT_EQ(alertMessage(), "账户已切换，请重新操作");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        settleQueries();
        EXPECT_EQ(form->switchingAccountView()->zhangHu()->text(), second.account);
        EXPECT_EQ(form->fanWei()->text(), "(摘牌范围:1-497)");
        ASSERT_TRUE(driver.tap(form->jianCangButton()));
        EXPECT_EQ(alertMessage(), "请输入正确的交易数量");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        EXPECT_FALSE(driver.runFor(0.5, [&] { return !received(each.request).empty(); }));
        tradeNavigation()->popToRootViewController(false);
        driver.settle();
    }
}

}  // namespace
