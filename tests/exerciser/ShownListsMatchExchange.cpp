#include "ShownListsMatchExchange.h"

#include <algorithm>

#include "platform/foundation/HttpClient.h"
#include "platform/ui/Application.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "shell/VKJYCommonViewUtil.h"
#include "support/SimProcess.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeText.h"
#include "trade/open/PXJYJianCangZYMSVC.h"

namespace {
// The heartbeat beats every 2 s; a change it reports is asked for at the next beat.
constexpr int kBookBeats = 3;
constexpr double kBookBeatSeconds = 2.5;

bool bookAtRestNow() {
    return VKJYCommonViewUtil::activityCount() == 0 && HttpClient::exchangesInFlight() == 0 &&
           !Application::isInTransition() && PXTradeModule::shared().tradeLogin();
}

std::string bookEnvironment() {
    PXTradeModule& module = PXTradeModule::shared();
    return "jys=" + module.defaultString("platform_code") +
           "&env=" + module.defaultString("environment_code");
}

std::string bookRowText(const nlohmann::json& row, const char* key) {
    const nlohmann::json value = row.value(key, nlohmann::json());
    return value.is_string() ? value.get<std::string>() : value.dump();
}
}  // namespace

ShownListsMatchExchange::ShownListsMatchExchange(ScreenDriver& driver, SimProcess& exchange,
                                                 Hands hands)
    : m_driver(driver), m_exchange(exchange), m_hands(std::move(hands)) {}

PXJYJianCangZYMSVC* ShownListsMatchExchange::bookAtRest() const {
    auto* screen = dynamic_cast<PXJYJianCangZYMSVC*>(m_hands.topScreen());
    if (!screen || m_driver.visibleAlert() || !bookAtRestNow() ||
        screen->nowCommodityCode().empty() ||
        !m_driver.isVisible(screen->zhaiPaiView()->guaPaiListView()) ||
        (screen->moreList() && m_driver.isVisible(screen->moreList()))) {
        return nullptr;
    }
    return screen;
}

ShownListsMatchExchange::BookKey ShownListsMatchExchange::keyOf(const PXJYJianCangZYMSVC& screen) {
    return {&screen, screen.nowCommodityCode(), screen.zhaiPaiView()->XiaDan_FangXiang(),
            PXTradeModule::shared().defaultString("JYUserName")};
}

void ShownListsMatchExchange::check() {
    if (m_driver.visibleAlert()) {
        return disturbed();
    }
    PXJYJianCangZYMSVC* screen = bookAtRest();
    if (!screen) {
        return;
    }
    if (m_excused && m_excusedBook && *m_excusedBook != keyOf(*screen)) {
        m_excused = false;
    }
    m_excusedBook = keyOf(*screen);
    std::string why;
    for (int beat = 0; screen && beat <= kBookBeats; ++beat) {
        const nlohmann::json rows = exchangeRows(*screen);
        why = difference(*screen, rows);
        if (why.empty()) {
            m_excused = false;
            return;
        }
        if (m_excused || beat == kBookBeats) {
            break;
        }
        m_driver.runFor(kBookBeatSeconds, [&] {
            PXJYJianCangZYMSVC* now = bookAtRest();
            return now && difference(*now, rows).empty();
        });
        // A beat's own requests may be on the line as the wait ends.
        m_driver.runUntil([this] { return bookAtRest() || m_driver.visibleAlert(); },
                          kBookBeatSeconds);
        screen = bookAtRest();
    }
    if (screen && !m_excused) {
        m_hands.violation("the 摘牌 book of " + screen->nowCommodityCode() + " at rest " + why);
    }
}

nlohmann::json ShownListsMatchExchange::exchangeRows(const PXJYJianCangZYMSVC& screen) const {
    const int side = screen.zhaiPaiView()->XiaDan_FangXiang() == 1 ? 2 : 1;
    const auto reply =
        m_exchange.get("/control/trade/listings?" + bookEnvironment() +
                       "&commodity=" + screen.nowCommodityCode() + "&side=" + std::to_string(side));
    const auto rows = nlohmann::json::parse(reply.body, nullptr, false);
    return reply.status == 200 && rows.is_array() ? rows : nlohmann::json::array();
}

std::string ShownListsMatchExchange::difference(const PXJYJianCangZYMSVC& screen,
                                                const nlohmann::json& rows) {
    PXJYGuaPaiList* book = screen.zhaiPaiView()->guaPaiListView();
    const int shown = book->tableView()->numberOfRows(0);
    const size_t due = std::min(rows.size(), static_cast<size_t>(PXJYGuaPaiList::kShownRows));
    std::string listed;
    for (size_t i = 0; i < due; ++i) {
        listed += " " + bookRowText(rows[i], "OR_N") + "@" + bookRowText(rows[i], "PRI") + "x" +
                  bookRowText(rows[i], "UT_QTY");
    }
    std::string seen;
    for (int i = 0; i < shown && static_cast<size_t>(i) < book->dataArray().size(); ++i) {
        const JYDict& row = book->dataArray()[static_cast<size_t>(i)];
        seen += " " + TradeText::textAt(row, "OR_N") + "@" + TradeText::textAt(row, "PRI") + "x" +
                TradeText::textAt(row, "UT_QTY");
    }
    if (static_cast<size_t>(shown) == due && seen == listed) {
        return {};
    }
    return "lists" + (seen.empty() ? std::string(" nothing") : seen) + " while the exchange's " +
           std::to_string(rows.size()) + " listings of side " +
           std::to_string(screen.zhaiPaiView()->XiaDan_FangXiang() == 1 ? 2 : 1) + " begin" +
           (listed.empty() ? std::string(" with none") : listed);
}
