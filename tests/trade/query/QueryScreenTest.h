#pragma once

#include <string>

#include "support/session/TradeSessionFixture.h"
#include "trade/core/PXTradeTypes.h"

class PXJYChaXunViewController;
class ViewController;

// A logged-in session with the query screens registered, opened from the trade home's menu as a
// user does. The heartbeat is stopped, so what the simulator received is the screens' own
// requests.
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

    int sent(const std::string& name);
    // The REQ of the last request of that name the simulator received.
    JYDict lastRequest(const std::string& name);
    void snapshot(const std::string& name);
};
