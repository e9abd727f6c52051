#pragma once
// The trading service screens on the trade tab of the launched shell, with an account logged in
// at the simulated exchange: opening them by name as the trade home does, tapping their rows,
// reading alerts and what the simulator received, and snapshots.

#include <string>
#include <vector>

#include "sim/trade/SimTradeServer.h"
#include "support/session/TradeSessionFixture.h"

class AccountScreenTest : public TradeSessionFixture {
protected:
    explicit AccountScreenTest(Size screenSize = {320, 568}) : TradeSessionFixture(screenSize) {}
    void SetUp() override;

    // Pushes the screen the factory makes for the class name, as the trade home's menu does.
    template <typename T>
    T* open(const std::string& className) {
        return dynamic_cast<T*>(openByName(className));
    }
    ViewController* openByName(const std::string& className);
    // Opens the more menu and taps the row with that title.
    template <typename T>
    T* openFromMenu(const std::string& row) {
        return dynamic_cast<T*>(openFromMenuRow(row));
    }
    ViewController* openFromMenuRow(const std::string& row);
    ViewController* topScreen();
    // The requests of that name the simulator received since the last clear.
    std::vector<SimTradeReceived> received(const std::string& name);
    static std::string reqValue(const SimTradeReceived& request, const std::string& key);
    std::string alertMessage() const;
    // Taps the alert's button and lets the screen react.
    void answerAlert(const std::string& button);
    bool waitForAlert(double seconds = 10);
    void snapshot(const std::string& name);
    // Where snapshots are taken and the suffix of their names.
    ScreenDriver* snapshotDriver = &driver;
    std::string snapshotSuffix;
    // The whole line of the simulated trading server the account uses.
    SimHttpLine& line(size_t index);
};
