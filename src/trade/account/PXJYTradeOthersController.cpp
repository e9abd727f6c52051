#include "trade/account/PXJYTradeOthersController.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "trade/account/PXJYChangeLinkVC.h"
#include "trade/account/PXJYChangeThePasswordVC.h"
#include "trade/account/PXJYCurrentStatusVC.h"
#include "trade/account/PXJYSetUpVC.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeModule.h"
#include "widgets/GlossAlertView.h"

namespace {
const char* const kTag = "PXcancellation";

struct MenuRow {
    const char* title;
    const char* image;
    double gapAbove;  // from the top of the element above
};
// Two groups: settings and line; password, status and logout.
const MenuRow kRows[] = {{"    设置", "filletUP.png", 54},
                         {"    切换链路", "filletDown.png", 50.5},
                         {"    修改密码", "filletUP.png", 60},
                         {"    当前状态", "middle.png", 50.5},
                         {"    退出登录", "filletDown.png", 50.5}};

}  // namespace

void PXJYTradeOthersController::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const Rect app = PXTradeViewKit::appViewRect();
    PXTradeViewKit::addNavigationBar(root, app.y, "更多", this);
    double top = app.y;
    for (int tag = 0; tag < 5; ++tag) {
        top += kRows[tag].gapAbove;
        addRow(tag, kRows[tag].title, kRows[tag].image, top);
    }
    m_modifyTradePasswordVC = addChildViewController(std::make_unique<PXJYChangeThePasswordVC>());
    m_modifyTradePasswordVC->view()->setFrame(Rect(app.width, app.y, app.width, app.height));
    root.addSubview(m_modifyTradePasswordVC->viewShared());
}

void PXJYTradeOthersController::addRow(int tag, const char* title, const char* image, double top) {
    auto row = std::make_unique<Button>(Rect(15, top, 290, 50));
    row->setTag(tag);
    row->setBackgroundImage(PXTradeViewKit::stretchable(image));
    row->setTitle(title);
    row->setTitleColor(Color::whiteColor());
    row->titleLabel()->setFont(Font::named("Helvetica-Bold", 16));
    row->setContentHorizontalAlignment(ContentAlignment::Left);
    row->addSubview(
        std::make_unique<ImageView>(Rect(260, 15, 15, 17), Image::named("JYzhankai.png")));
    row->addTarget(TouchUpInside, [this, tag](Control&) { setUpViewButtonAction(tag); });
    view()->addSubview(std::move(row));
}

void PXJYTradeOthersController::setUpViewButtonAction(int tag) {
    switch (tag) {
        case 0:
            pushSetUpVC();
            return;
        case 1:
            pushChangeLinkVC();
            return;
        case 2:
            pushChangePasswordVC();
            return;
        case 3:
            pushCurrentStatusVC();
            return;
        case 4:
            confirmLogout();
            return;
        default:
            return;
    }
}

void PXJYTradeOthersController::push(std::unique_ptr<ViewController> screen) {
    screen->setHidesBottomBarWhenPushed(true);
    navigationController()->pushViewController(std::move(screen), true);
}

void PXJYTradeOthersController::pushSetUpVC() {
    push(std::make_unique<PXJYSetUpVC>());
}

void PXJYTradeOthersController::pushChangeLinkVC() {
    push(std::make_unique<PXJYChangeLinkVC>());
}

void PXJYTradeOthersController::pushCurrentStatusVC() {
    push(std::make_unique<PXJYCurrentStatusVC>());
}

void PXJYTradeOthersController::pushChangePasswordVC() {
    m_modifyTradePasswordVC->slideIn();
}

void PXJYTradeOthersController::confirmLogout() {
    auto alert = std::make_unique<GlossAlertView>("提示", "确定要退出登录吗？", this, "退出登录",
                                                  std::vector<std::string>{"取消"});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    AlertView::show(std::move(alert));
}

void PXJYTradeOthersController::alertViewClickedButtonAtIndex(AlertView&, int buttonIndex) {
    if (buttonIndex != 0 || m_logoff.isOutstanding()) {
        return;
    }
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_logoff.began(*manager);
    manager->getCancellation();
}

void PXJYTradeOthersController::VKJYNavBackAction() {
    navigationController()->popViewController(true);
}

void PXJYTradeOthersController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                     const PXTradeResult*) {
    if (m_logoff.endedBy(*manager) && manager->typeNW() == kTag) {
        loggedOut("注销成功");
    }
}

// Logged out here whatever the server said: the trade tab goes back to its root.
void PXJYTradeOthersController::loggedOut(const std::string& message) {
    PXTradeModule::shared().host().popSelectedTabToRoot(false);
    PXTradeMessage::show(message);
}

void PXJYTradeOthersController::requestFailed(PXTradeNetworkManger* manager, int) {
    if (!m_logoff.endedBy(*manager) || manager->typeNW() != kTag) {
        return;
    }
    // A logoff that left and got no answer may have acted: logged out, and told so once.
    if (!PXTradeModule::shared().tradeLogin()) {
        loggedOut(PXTradeMessage::kNetworkFailed);
        return;
    }
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

// The server refused the logoff: logged out here all the same, and the user reads its word
// instead of a success.
void PXJYTradeOthersController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (m_logoff.endedBy(*manager) && manager->typeNW() == kTag) {
        loggedOut(manager->JY_ErrorMessage());
    }
}
