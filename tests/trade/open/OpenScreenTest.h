#pragma once
// The quote-mode opening screen on the trade tab of the launched shell, with an account logged
// in at the simulated exchange and the quote lookup filled from the simulator's market: finding
// the forms' controls, typing, picking a commodity, and reading what the simulator received.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/IndexPath.h"
#include "sim/trade/SimTradeServer.h"
#include "support/session/OnBothScreens.h"
#include "support/session/TradeSessionFixture.h"
#include "trade/open/PXJYJianCangViewController.h"

class OpenScreenTest : public TradeSessionFixture {
protected:
    explicit OpenScreenTest(Size screenSize = {320, 568}) : TradeSessionFixture(screenSize) {}

    void SetUp() override;

    // Pushes a new opening screen from the factory, as the trade home's menu does.
    PXJYJianCangViewController* openScreen();
    // Waits until the store holds a price for the code (the next price refresh).
    bool waitForPrice(const std::string& code);
    // Logs in again with the logon's answer held until `until` holds: the exchange has ended the
    // session in force, whose heartbeats meet that end before the client hears of the logon.
    bool logInAnsweredWhen(const std::function<bool()>& until);
    void pick(PXJianCangFormView& form, const std::string& code);
    // From the form's switcher to the saved account of that row, an environment without a
    // captcha; true once this screen is back, logged in and idle.
    bool switchInForm(PXJianCangFormView& form, IndexPath row);
    // Drags the scroll area holding the view up, as a person does on the short screen, until
    // the whole view shows.
    void reveal(View* view);
    // Taps the quantity field and types the digits on the keypad.
    void typeQuantity(PXJianCangFormView& form, const std::string& digits);
    // Taps the field, types on the system keyboard and presses return.
    void typeInto(TextField* field, const std::string& text);
    void setDefault(const std::string& key, const std::string& value);
    // The requests of that name the simulator received since the screen opened.
    std::vector<SimTradeReceived> received(const std::string& name);
    // A key of the REQ of a JSON request body.
    static std::string reqValue(const SimTradeReceived& request, const std::string& key);
    std::string alertMessage() const;
    // How many alerts are up.
    int alertsOnShow() const;
    // Lots of the store's holding summary of a commodity and side ("1" buy, "2" sell).
    int heldLots(const std::string& code, const std::string& side);
    void snapshot(const std::string& name);

    PXJYJianCangViewController* screen = nullptr;
};
