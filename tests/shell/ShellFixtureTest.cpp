#include <gtest/gtest.h>

#include "quote/QuoteRecords.h"
#include "shell/VKJYFastTradeViewControllerFactory.h"
#include "shell/VKJYPageViewController.h"
#include "shell/VKJYTabRootFactory.h"
#include "support/session/ShellFixture.h"
#include "trade/common/PXTradeScreenFactory.h"

namespace {
// One case's fixture, made by hand so that a test can run two cases one after the other.
class OneCase : public ShellTest {
public:
    void TestBody() override {}
};

std::unique_ptr<ViewController> anyScreen() {
    return std::make_unique<ViewController>();
}

class AnyPanel : public VKJYFastTradePanel {
public:
    void addTradeViewCommodity(bool, std::shared_ptr<commodityInfo>, MarketAndDisk) override {}
    void closeTradeView() override {}
};

std::unique_ptr<VKJYFastTradePanel> anyPanel() {
    return std::make_unique<AnyPanel>();
}
}  // namespace

TEST(ShellFixtureTest, shouldStartEachCaseWithoutTheScreensTheCaseBeforeRegistered) {
    {
        OneCase before;
        VKJYTabRootFactory::setMarketRootMaker(anyScreen);
        VKJYTabRootFactory::setTradeRootMaker(anyScreen);
        VKJYFastTradeViewControllerFactory::registerPanels(anyPanel, anyPanel);
        PXTradeScreenFactory::registerScreen("PXJYTradeLoginVC",
                                             [](const PXTradeScreenArgs&) { return anyScreen(); });
    }
    OneCase next;
    EXPECT_TRUE(dynamic_cast<VKJYPageViewController*>(VKJYTabRootFactory::createTradeRoot().get()))
        << "the trade tab shows its placeholder page";
    EXPECT_TRUE(dynamic_cast<VKJYPageViewController*>(VKJYTabRootFactory::createMarketRoot().get()))
        << "the market tab shows its placeholder page";
    EXPECT_FALSE(VKJYFastTradeViewControllerFactory::createFastTradeViewController(
        std::make_shared<commodityInfo>()));
    EXPECT_FALSE(PXTradeScreenFactory::isRegistered("PXJYTradeLoginVC"));
}
