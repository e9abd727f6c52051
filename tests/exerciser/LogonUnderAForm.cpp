#include "LogonUnderAForm.h"

#include <memory>
#include <nlohmann/json.hpp>

#include "ExerciseRandom.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/Text.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "support/SimProcess.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/open/PXJYGuaPaiView.h"
#include "trade/open/PXJYGuaPaiViewController.h"
#include "trade/open/PXJYJianCangZYMSVC.h"
#include "trade/open/PXJYTiaoJianZhaiPaiViewZYMS.h"

namespace {
const char* const kHeldRangeLabel = "(摘牌范围:";
constexpr double kLogonStepSeconds = 8;
constexpr double kLogonSeconds = 20;
const char* const kSlowRefresh = "30";
const char* const kUsualRefresh = "1";

bool logonSettled() {
    return HttpClient::exchangesInFlight() == 0 && VKJYCommonViewUtil::activityCount() == 0;
}

// The answer of a request the event makes itself, as the login screen's would come.
class LogonAnswer : public PXTradeNetworkMangerDelegate {
public:
    bool answered = false;
    bool finished = false;
    std::string typeNW;
    PXTradeResult data;

    void requestFailed(PXTradeNetworkManger* manager, int) override { end(*manager, false); }
    void dataAnalysisFinished(PXTradeNetworkManger* manager, const PXTradeResult* result) override {
        data = result ? *result : PXTradeResult();
        end(*manager, true);
    }
    void dataAnalysisFailed(PXTradeNetworkManger* manager, int) override { end(*manager, false); }

private:
    void end(const PXTradeNetworkManger& manager, bool ok) {
        typeNW = manager.typeNW();
        finished = ok;
        answered = true;
    }
};

TextField* limitPriceField(PXJianCangFormView& form) {
    if (auto* conditional = dynamic_cast<PXJYTiaoJianZhaiPaiViewZYMS*>(&form)) {
        return conditional->jiaGeZ();
    }
    auto* listing = dynamic_cast<PXJYGuaPaiView*>(&form);
    return listing ? listing->zhiJiaL() : nullptr;
}
}  // namespace

LogonUnderAForm::LogonUnderAForm(ScreenDriver& driver, SimProcess& exchange, Hands hands)
    : m_driver(driver), m_exchange(exchange), m_hands(std::move(hands)) {}

int LogonUnderAForm::weight() const {
    PXTradeModule& module = PXTradeModule::shared();
    const std::string user = module.defaultString("JYUserName");
    const bool ours = "jys=" + module.defaultString("platform_code") +
                              "&env=" + module.defaultString("environment_code") ==
                          m_hands.environment &&
                      (user == m_hands.first || user == m_hands.second);
    const bool ready = !m_driver.visibleAlert() && module.tradeLogin() && m_hands.lineSteady();
    if (!ready || !ours) {
        return 0;
    }
    return formOnShow() || conditionalTab() ? 10 : onTradeHome() ? 6 : 0;
}

bool LogonUnderAForm::onTradeHome() const {
    return dynamic_cast<PXJYRootViewController*>(m_hands.topScreen()) != nullptr;
}

void LogonUnderAForm::openAListing(ExerciseRandom& random) {
    auto* home = dynamic_cast<PXJYRootViewController*>(m_hands.topScreen());
    if (!m_driver.isVisible(home->menuListView())) {
        m_hands.tap(home->navigationBarView()->menuButton(), "menu");
        m_driver.settle();
    }
    if (!m_hands.tap(m_driver.viewWithText("挂牌"), "menu entry")) {
        return;
    }
    m_driver.runUntil(logonSettled, kLogonStepSeconds);
    auto* screen = dynamic_cast<PXJYGuaPaiViewController*>(m_hands.topScreen());
    PXJYGuaPaiView* form = screen ? screen->guaPaiView() : nullptr;
    if (!form || !m_hands.tap(form->commodityNameButton(), "picker")) {
        return;
    }
    m_driver.settle();
    const int rows = form->commodityListView()->numberOfRows(0);
    if (rows > 0) {
        const IndexPath at{0, static_cast<int>(random.below(static_cast<size_t>(rows)))};
        m_hands.tap(form->commodityListView()->cellForRow(at), "an order-book commodity");
        m_driver.settle();
        m_driver.runUntil(logonSettled, kLogonStepSeconds);
    }
}

View* LogonUnderAForm::conditionalTab() const {
    auto* screen = dynamic_cast<PXJYJianCangZYMSVC*>(m_hands.topScreen());
    const bool behind =
        screen && screen->tiaoJianZhaiPaiView()->fanWei()->text().rfind(kHeldRangeLabel, 0) == 0;
    return behind && m_driver.reaches(screen->ZJbutton()) ? screen->ZJbutton() : nullptr;
}

PXJianCangFormView* LogonUnderAForm::formOnShow() const {
    std::vector<PXJianCangFormView*> forms;
    for (auto* form : m_driver.visibleViewsOfClass<PXJYTiaoJianZhaiPaiViewZYMS>()) {
        forms.push_back(form);
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXJYGuaPaiView>()) {
        forms.push_back(form);
    }
    for (PXJianCangFormView* form : forms) {
        if (!form->commodityCode().empty() && m_driver.reaches(form->jianCangButton()) &&
            form->fanWei()->text().rfind(kHeldRangeLabel, 0) == 0) {
            return form;
        }
    }
    return nullptr;
}

void LogonUnderAForm::act(ExerciseRandom& random) {
    if (!formOnShow() && onTradeHome()) {
        openAListing(random);
    }
    if (!formOnShow()) {
        m_hands.tap(conditionalTab(), "条件摘牌");
        m_driver.settle();
    }
    PXJianCangFormView* form = formOnShow();
    if (!form) {
        return m_hands.note("logon under a form: no form on show");
    }
    const PXTradeCommodity* commodity = PXTradeData::find(
        PXTradeModule::shared().PXJYData().shangPinXinXi(), form->commodityCode());
    const auto& prices = PXTradeModule::shared().PXJYData().zuiXinYiKouJia();
    const auto price = prices.find(form->commodityCode());
    if (!commodity || price == prices.end() || !price->second) {
        return m_hands.note("logon under a form: no commodity or price");
    }
    // The refresh timer replaces the price map while keys are typed: keep the price, not the entry.
    const auto newPrice = price->second->commodityNewPrice;
    const auto tick = commodity->zuiXiaoBianDongJia;
    const int largest = Text::intValue(commodity->ZuiDaChiCangLiang);
    const std::string code = form->commodityCode();
    const std::string other = PXTradeModule::shared().defaultString("JYUserName") == m_hands.first
                                  ? m_hands.second
                                  : m_hands.first;
    // One lot more than the other account may still open, and no more than the range on show.
    const int left = 1 + static_cast<int>(random.below(2));
    const int lots = left + 1;
    const int room = roomOf(other, code, largest);
    if (room < lots || PXTradeFormat::parseQuantityRange(form->fanWei()->text()).maximum < lots) {
        return m_hands.note("logon under a form: no room for " + std::to_string(lots) + " lots");
    }
    const long long filled = room > left ? fill(other, code, room - left) : 0;
    m_hands.keys(form->shuLiang(), std::to_string(lots));
    m_hands.keys(limitPriceField(*form), PXTradeFormat::priceText(newPrice, tick));
    m_hands.dealsBeforeTheLogin(m_hands.environment, other);
    m_hands.note("logon under a form: " + other + " logs on, " + std::to_string(left) +
                 " lots short of its largest holding of " + code + " (holding " +
                 std::to_string(filled) + " of " + std::to_string(room - left) + " lots opened)");
    // As a person may set it: no price refresh brings the range up to date between the taps.
    setRefreshSeconds(kSlowRefresh);
    if (form == formOnShow() && logOn(other)) {
        tapTheOrder(form->jianCangButton(), "order after another logon");
        // Tapped again at once, before a price refresh could bring the range up to date.
        answerAnAlert();
        if (form == formOnShow()) {
            tapTheOrder(form->jianCangButton(), "order again");
        }
        m_driver.runUntil(logonSettled, kLogonStepSeconds);
        AlertView* told = m_driver.visibleAlert();
        m_hands.note("logon under a form: told '" + (told ? told->message() : "") + "'");
    }
    setRefreshSeconds(kUsualRefresh);
    if (filled > 0) {
        m_exchange.post("/control/trade/close?" + m_hands.environment + "&account=" + other +
                        "&holding=" + std::to_string(filled));
    }
}

void LogonUnderAForm::setRefreshSeconds(const char* seconds) {
    PXTradeModule& module = PXTradeModule::shared();
    module.setDefaultString("RefreshTrade", seconds);
    if (module.PXJYTimerManger().JY_Timer()) {
        module.PXJYTimerManger().setJYRefreshTimer();
    }
}

int LogonUnderAForm::roomOf(const std::string& account, const std::string& code, int largest) {
    const auto reply =
        m_exchange.get("/control/trade/books?" + m_hands.environment + "&account=" + account);
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    if (reply.status != 200 || !books.is_object()) {
        return 0;
    }
    int taken = 0;
    for (const auto& holding : books["holdings"]) {
        taken += holding["commodity"] == code ? holding["qty"].get<int>() : 0;
    }
    for (const auto& order : books["orders"]) {
        const int status = order["status"].get<int>();
        if (order["commodity"] == code && order["settle"] == 1 && (status == 1 || status == 4)) {
            taken += order["qty"].get<int>() - order["traded"].get<int>();
        }
    }
    return largest - taken;
}

long long LogonUnderAForm::fill(const std::string& account, const std::string& code, int lots) {
    const std::string query = m_hands.environment + "&account=" + account;
    if (m_exchange
            .post("/control/trade/holding?" + query + "&commodity=" + code +
                  "&side=1&qty=" + std::to_string(lots))
            .status != 200) {
        return 0;
    }
    const auto books =
        nlohmann::json::parse(m_exchange.get("/control/trade/books?" + query).body, nullptr, false);
    long long newest = 0;
    for (const auto& holding : books.is_object() ? books["holdings"] : nlohmann::json::array()) {
        if (holding["commodity"] == code && holding["qty"] == lots) {
            newest = std::max(newest, holding["id"].get<long long>());
        }
    }
    return newest;
}

// As the login screen logs on: the account kept as the user's, a captcha, the whole chain.
bool LogonUnderAForm::logOn(const std::string& account) {
    PXTradeModule::shared().setDefaultString("JYUserName", account);
    auto captcha = std::make_shared<LogonAnswer>();
    auto asking = PXTradeNetworkManger::create();
    asking->setDelegate(captcha);
    asking->CPYgetJiaoYiCodeType();
    m_driver.runUntil([&] { return captcha->answered; }, kLogonStepSeconds);
    const auto* uuid =
        captcha->data.size() == 2 ? std::get_if<std::string>(&captcha->data[1]) : nullptr;
    const std::string id = uuid ? *uuid : std::string();
    const auto code =
        m_exchange.get("/control/trade/captcha?" + m_hands.environment + "&uuid=" + id);
    auto logon = std::make_shared<LogonAnswer>();
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(logon);
    manager->CPYloginJiaoYiActionType(account, code.status == 200 ? code.body : "", id,
                                      m_hands.password);
    m_driver.runUntil([&] { return logon->answered; }, kLogonSeconds);
    m_driver.settle();
    const bool in = logon->finished && PXTradeModule::shared().tradeLogin();
    if (in) {
        // Kept among the saved accounts as the login screen keeps it: the trade home lists the
        // holdings under the saved account in use, and lists none for an account it never saved.
        const PXTradeTarget live = PXTradeModule::shared().PXJYPeiZhi().target();
        PXJYSavedAccounts::ofApplication().addAccount(
            {live.platformCODE, live.environmentCODE, account});
    }
    m_hands.note("logon under a form: " + std::string(in ? "logged on" : "ended at ") +
                 (in ? "" : logon->typeNW));
    return in;
}

void LogonUnderAForm::tapTheOrder(View* send, const std::string& what) {
    if (m_driver.visibleAlert() || !m_hands.tap(send, what)) {
        return;
    }
    m_driver.settle();
    AlertView* confirmation = m_driver.visibleAlert();
    if (confirmation && confirmation->message().find("商品:") != std::string::npos) {
        m_driver.tapAlertButton("确定");
        m_driver.settle();
    }
}

void LogonUnderAForm::answerAnAlert() {
    if (AlertView* alert = m_driver.visibleAlert()) {
        m_hands.note("answer '" + alert->message() + "'");
        m_driver.tapAlertButton(alert->buttonTitleAtIndex(0));
        m_driver.settle();
    }
}
