#include "market/VKJYMarketScreens.h"

#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketCommodityEditController.h"

void registerVKJYMarketScreens() {
    VKJYMarketChartController::registerScreen();
    VKJYMarketCommodityEditController::registerScreen();
}
