#include "trade/account/PXJYCurrentStatusVC.h"

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYDirectoryServerEnvModel.h"
#include "shell/VKJYDirectoryServerJysModel.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "trade/account/PXJYMarketState.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/core/TradeText.h"

namespace {
constexpr double kRowHeight = 50;

std::string environmentName() {
    auto* app = VKJYAppDelegate::shared();
    if (!app || !app->directoryServerModel()) {
        return {};
    }
    const PXTradePeiZhi& peiZhi = PXTradeModule::shared().PXJYPeiZhi();
    auto jys = app->directoryServerModel()->jysModelForCode(peiZhi.platformCODE());
    auto env = jys ? jys->envModelForCode(peiZhi.environmentCODE()) : nullptr;
    return env ? env->envN : std::string();
}

// The last heartbeat reply's server time in seconds, when it has one.
std::optional<double> heartbeatTime() {
    const JYDict& report = PXTradeModule::shared().PXJYTimerManger().transactionReporting();
    if (!report.is_object() || !TradeText::has(report, "Time")) {
        return std::nullopt;
    }
    return Text::doubleValue(TradeText::textAt(report, "Time")) / 1000.0;
}
}  // namespace

PXJYCurrentStatusVC::~PXJYCurrentStatusVC() {
    NotificationCenter::defaultCenter().removeObserver(this);
}

void PXJYCurrentStatusVC::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const Rect app = PXTradeViewKit::appViewRect();
    PXTradeViewKit::addNavigationBar(root, app.y, "当前状态", this);
    const double top = app.y + 54;
    PXTradeViewKit::addTitledRows(root, top, {"登录账户:", "登录环境:", "当前状态:", "当前时间:"});
    Label* values[4];
    for (int i = 0; i < 4; ++i) {
        const double rowTop = top + kRowHeight * i;
        values[i] = root.addSubview(PXTradeViewKit::label(Rect(130, rowTop + 5, 175, kRowHeight),
                                                          "", 16, PXTradeViewKit::valueGrey(),
                                                          TextAlignment::Right));
    }
    m_userName = values[0];
    m_environment = values[1];
    m_currentStatus = values[2];
    m_currentTime = values[3];
}

void PXJYCurrentStatusVC::viewWillAppear(bool) {
    ChuangJianTiemr();
    setValue();
    NotificationCenter::defaultCenter().removeObserver(this);
    NotificationCenter::defaultCenter().addObserver(
        this, "Heartbeat", nullptr,
        [this](const std::string&, const void*, const PropertyList&) { setValue(); });
}

void PXJYCurrentStatusVC::viewDidDisappear(bool) {
    m_timer.reset();
    NotificationCenter::defaultCenter().removeObserver(this);
}

void PXJYCurrentStatusVC::setValue() {
    PXTradeModule& module = PXTradeModule::shared();
    m_userName->setText(module.defaultString("JYUserName"));
    m_environment->setText(environmentName());
    const JYDict& report = module.PXJYTimerManger().transactionReporting();
    const int state = report.is_object() ? Text::intValue(TradeText::textAt(report, "S_Type")) : 0;
    if (auto text = PXJYMarketState::text(state)) {
        m_currentStatus->setText(*text);
    }
}

void PXJYCurrentStatusVC::ChuangJianTiemr() {
    m_DataType = true;
    m_localCounter = 0;
    if (auto time = heartbeatTime()) {
        m_timeDate = *time;
        showTime(m_timeDate);
    }
    m_timer = Timer::scheduledTimer(1.0, true, [this] { ShiShiGenXinShiJian(); });
}

void PXJYCurrentStatusVC::ShiShiGenXinShiJian() {
    if (m_DataType) {
        if (auto time = heartbeatTime()) {
            m_DataType = false;
            m_timeDate = *time + 1;
            showTime(m_timeDate);
        }
        return;
    }
    ++m_localCounter;
    showTime(m_timeDate + m_localCounter);
}

void PXJYCurrentStatusVC::showTime(double seconds) {
    m_currentTime->setText(DateFormat("yyyy-MM-dd HH:mm:ss").format(seconds));
}

void PXJYCurrentStatusVC::VKJYNavBackAction() {
    navigationController()->popViewController(true);
}
