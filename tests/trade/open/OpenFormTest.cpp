#include "OpenFormTest.h"

#include <filesystem>

#include "platform/foundation/SystemInfo.h"
#include "platform/graphics/Image.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/TableView.h"
#include "trade/core/PXTradeData.h"
#include "trade/open/PXTradeOpenScreens.h"

OpenFormTest::OpenFormTest(bool fourInch) {
    View::setAnimationSpeed(0);
    SystemInfo::setScreenMode(fourInch ? SystemInfo::kFourInchScreen
                                       : SystemInfo::kThreeAndAHalfInchScreen);
    Image::setResourceDirectory(std::string(VKJY_SOURCE_RESOURCES) + "/images");
    screen = std::make_unique<Screen>(Size{320, fourInch ? 568.0 : 480.0}, 1);
    driver = std::make_unique<ScreenDriver>(*screen);
    window = std::make_unique<Window>(screen->bounds());
    auto stack = std::make_unique<NavigationController>(std::make_unique<ViewController>());
    stack->setNavigationBarHidden(true);
    navigation = stack.get();
    window->setRootViewController(std::move(stack));
    window->makeKeyAndVisible();
    module = std::make_unique<PXTradeModule>(host);
    PXTradeModule::setShared(module.get());
    registerPXTradeOpenScreens();

    addCommodity("AG", "1", "1", "白银");
    addCommodity("AU", "0.01", "1", "黄金");
    addCommodity("CU", "1", "1", "铜");
    addCommodity("NI", "1", "4", "镍");
    setPrices("AG", 5187, 5189);
    setPrices("AU", 380.1, 380.5);
}

OpenFormTest::~OpenFormTest() {
    driver->settle();
    window.reset();
    driver->settle();
    PXTradeModule::setShared(nullptr);
    SystemInfo::resetOverrides();
    View::setAnimationSpeed(1);
}

void OpenFormTest::addCommodity(const std::string& code, const std::string& step,
                                const std::string& mode, const std::string& name) {
    auto record = std::make_shared<PXTradeCommodity>();
    record->commodityCode = code;
    record->commodityName = name;
    record->zuiXiaoBianDongJia = step;
    record->shangPinJiaoYiMoShi = mode;
    record->tradeUnit = "10";
    record->baoZhengJinXIShu = "0.1";
    record->DBZuiXiaoKeWeiTuoLiang = "1";
    record->DBZuiDaKeWeiTuoLiang = "100";
    record->YHBJDianChaZuiXiaoZhi = "0";
    record->YHBJDianChaZuiDaZhi = "50";
    record->YHBJDianChaMoRenZhi = "10";
    record->XJJianCangBuyDianCha = "3";
    record->XJJianCangSellDianCha = "3";
    record->zhiSunXiaDanDianCha = "5";
    record->zhiYingXiaDanDianCha = "5";
    auto all = module->PXJYData().shangPinXinXi();
    all[code] = record;
    module->PXJYData().setShangPinXinXi(all);
}

void OpenFormTest::setPrices(const std::string& code, double buy, double sell) {
    auto prices = std::make_shared<PXTradeYiKouJia>();
    prices->commodityCode = code;
    prices->commodityBuyPrice = buy;
    prices->commoditySellPrice = sell;
    prices->commodityNewPrice = buy + 1;
    prices->commodityTopPrice = buy + 30;
    prices->commodityLowerPrice = buy - 20;
    prices->todayOpen = buy - 5;
    prices->yesterdayClose = buy - 3;
    auto all = module->PXJYData().zuiXinYiKouJia();
    all[code] = prices;
    module->PXJYData().setZuiXinYiKouJia(all);
}

PXJYJianCangViewController* OpenFormTest::openScreen() {
    opening = navigation->pushViewController(std::make_unique<PXJYJianCangViewController>(), false);
    driver->settle();
    return opening;
}

void OpenFormTest::pick(PXJianCangFormView& form, const std::string& code) {
    const auto& codes = form.commodityCodeArray();
    const auto found = std::find(codes.begin(), codes.end(), code);
    ASSERT_NE(found, codes.end()) << code;
    ASSERT_TRUE(driver->tap(form.commodityNameButton()));
    driver->settle();
    ASSERT_TRUE(driver->tapRow(*form.commodityListView(),
                               IndexPath{0, static_cast<int>(found - codes.begin())}));
    driver->settle();
}

std::string OpenFormTest::alertMessage() const {
    AlertView* alert = driver->visibleAlert();
    return alert ? alert->message() : std::string();
}

void OpenFormTest::snapshot(const std::string& name) {
    driver->settle();
    const std::string folder = std::string(VKJY_SNAPSHOT_DIR);
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(driver->saveSnapshot(folder + "/open-" + name + ".png"));
}
