#pragma once

#include <string>
#include <vector>

#include "support/session/TradeSessionFixture.h"
#include "trade/core/PXTradeTypes.h"

class PXJYChaXunViewController;
class ViewController;

// A logged-in session with the query screens registered, opened from the trade home's menu as a
// user does. The heartbeat never runs and the home's own refresh is over before the log starts,
// so what the simulator received is the screens' own requests.
class QueryScreenTest : public TradeSessionFixture {
protected:
    static constexpr int kQueryMenuEntry = 4;

    explicit QueryScreenTest(Size screenSize = {320, 568}) : TradeSessionFixture(screenSize) {}
    void SetUp() override;

    // Opens the query menu from the trade home's function menu.
    PXJYChaXunViewController* openMenu();
    // Taps the right part of a menu row and gives the screen it pushed (null when none).
    ViewController* openRow(PXJYChaXunViewController& menu, int tag);
    template <typename T>
    T* openRowAs(PXJYChaXunViewController& menu, int tag) {
        return dynamic_cast<T*>(openRow(menu, tag));
    }
    ViewController* topScreen();

    bool waitIdle();
    bool waitAlert();
    std::string alertMessage() const;
    bool answerAlert(const std::string& button = "确定");

    // The code of a quote-mode commodity of the trading store.
    std::string quoteModeCommodity();
    // Deals the account makes at the market price, straight at the simulator.
    void makeDeals(const std::string& commodity, int count, const std::string& side = "1");

    // A set-price buy order at that fraction of the live sell price, straight at the simulator:
    // it waits for the market to come to it from the side it was placed on.
    void placeOrder(const std::string& commodity, double ofPrice);
    // The commodity's price at the simulator times `factor`.
    void moveTheMarket(const std::string& commodity, double factor);

    int sent(const std::string& name);
    // The values of a key in every request of that name, in order.
    std::vector<std::string> sentValues(const std::string& name, const std::string& key);
    // The REQ of the last request of that name the simulator received.
    JYDict lastRequest(const std::string& name);
    void snapshot(const std::string& name);

    // A dead line: every line of the trading server refuses connections.
    void refuseEveryLine();
    // Every request sent has its failure in, and the failures shown one alert in all.
    void expectNetworkFailureToldOnce();
};
