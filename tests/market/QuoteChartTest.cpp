#include "QuoteChartTest.h"

#include "chart/HQDrawManager.h"
#include "chart/HQMarketChartManager.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"

void QuoteChartTest::TearDown() {
    if (auto* list = market(); list && list->navigationController()) {
        list->navigationController()->popToRootViewController(false);
    }
    driver.runFor(0.5);
}

void QuoteChartTest::openQuoteChart() {
    launchToList();
    screen = openQuoteScreen(1, 0);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return !fenShi()->fenShiData().empty(); }, 20));
}

HQMarketChartManager* QuoteChartTest::chart() const {
    return screen->chartManager();
}

HQDrawManager* QuoteChartTest::fenShi() const {
    return chart()->drawViewManagerFenShi();
}

HQDrawManager* QuoteChartTest::kLine() const {
    return chart()->drawViewManagerKLine();
}

VariableAboutDevice& QuoteChartTest::layout() const {
    return *chart()->variableAboutDevice();
}

Button* QuoteChartTest::periodButton(int tag) const {
    for (Button* button : driver.viewsOfClass<Button>()) {
        if (button->tag() == tag && driver.isVisible(button)) {
            return button;
        }
    }
    return nullptr;
}

void QuoteChartTest::turnWide() {
    ASSERT_TRUE(driver.tap(screen->zhuanpingButton()));
    driver.settle();
    ASSERT_EQ(chart()->stateOfScreen(), 1u);
}

void QuoteChartTest::turnBack() {
    ASSERT_TRUE(driver.tap(chart()->commodityBackButton()));
    driver.settle();
    ASSERT_EQ(chart()->stateOfScreen(), 0u);
}
