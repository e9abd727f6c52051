#pragma once
// The trade home of the launched shell with an account logged in at the simulated exchange, the
// quick screens registered: opening a holdings row's shortcut the way a user does, typing on
// the forms, reading what the simulator received and the holdings it reports back.

#include <memory>
#include <string>
#include <vector>

#include "sim/trade/SimTradeServer.h"
#include "support/session/TradeSessionFixture.h"

class PXJYChiCangHuiZong;
class PXJYRootViewController;
class PXTradeData;
class TextField;
class ViewController;

class QuickScreenTest : public TradeSessionFixture {
protected:
    explicit QuickScreenTest(Size size = {320, 568}) : TradeSessionFixture(size) {}

    void SetUp() override;

    PXTradeData& store() const;
    PXJYRootViewController* home();
    // Opens the home's row of the commodity and side, taps the shortcut of that index and
    // returns the screen it pushed (null when nothing was pushed).
    ViewController* openShortcut(const std::string& code, const std::string& side, int index);
    template <typename T>
    T* openShortcutAs(const std::string& code, const std::string& side, int index) {
        return dynamic_cast<T*>(openShortcut(code, side, index));
    }
    std::shared_ptr<PXJYChiCangHuiZong> summary(const std::string& code, const std::string& side);
    void typeOnKeypad(TextField* field, const std::string& digits);
    void typeText(TextField* field, const std::string& text);
    std::vector<SimTradeReceived> received(const std::string& name);
    static std::string req(const SimTradeReceived& request, const std::string& key);
    std::string alertMessage() const;
    int heldLots(const std::string& code, const std::string& side);
    int frozenLots(const std::string& code, const std::string& side);
    // The buy or sell price the simulator quotes now, in the commodity's price format.
    std::string simPrice(const std::string& code, bool buy);
    void snapshot(const std::string& name);
};
