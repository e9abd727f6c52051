#include "market/VKJYMarketContext.h"

#include <cstdlib>

#include "platform/foundation/SystemInfo.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/View.h"
#include "shell/UIShiPeiClass.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"
#include "widgets/GlossAlertView.h"

namespace {
constexpr double kFourInchHeight = 548;
constexpr double kNewLayoutVersion = 7.0;
}  // namespace

Rect VKJYMarketContext::appViewRect() {
    auto* app = VKJYAppDelegate::shared();
    if (app && app->uiShiPeiClass()) {
        return app->uiShiPeiClass()->APPViewRect();
    }
    return {0, 20, 320, kFourInchHeight};
}

bool VKJYMarketContext::isSmallScreen() {
    return appViewRect().height < kFourInchHeight;
}

VKJYMarketDirectoryNames VKJYMarketContext::directoryNames() {
    auto* app = VKJYAppDelegate::shared();
    const auto model = app ? app->directoryServerModel() : nullptr;
    return VKJYMarketDirectoryNames(model ? model->ywsys() : nullptr);
}

bool VKJYMarketContext::hidesExchangeNames() {
    auto* app = VKJYAppDelegate::shared();
    return app && app->normalAppPropertyModel().iOSPlatform() == "2";
}

bool VKJYMarketContext::tradeLogin() {
    auto* app = VKJYAppDelegate::shared();
    return app && app->tradeLogin();
}

std::string VKJYMarketContext::vkAppName() {
    auto* app = VKJYAppDelegate::shared();
    return app ? app->vkAppName() : std::string();
}

bool VKJYMarketContext::isBelowSeven() {
    return std::strtod(SystemInfo::osVersion().c_str(), nullptr) < kNewLayoutVersion;
}

void VKJYMarketContext::showNotice(const std::string& message) {
    auto alert = std::make_unique<GlossAlertView>("提示", message, nullptr, "确定");
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    AlertView::show(std::move(alert));
}

void VKJYMarketContext::fadeInAndOut(View* toast, double seconds) {
    WeakLink<View> shown(toast);
    View::animate(
        seconds, [shown] { shown->setAlpha(1); },
        [shown, seconds](bool) {
            if (!shown) {
                return;
            }
            View::animate(
                seconds, [shown] { shown->setAlpha(0); },
                [shown](bool) {
                    if (shown) {
                        shown->setHidden(true);
                    }
                });
        });
}
