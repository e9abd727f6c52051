#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "support/SimProcess.h"
#include "support/session/ShellFixture.h"

class NavigationController;
class ViewController;

// One user's trading day through the screens of the whole client (every screen registered as
// the client's main does) against `vkjy-sim` run as a separate process. The test reaches the
// simulator only through its control service over HTTP. Snapshots of every step go to one
// folder, numbered in the order of the day, for the contact sheet.
class TradingDayFixture : public ShellTest {
protected:
    static constexpr const char* kExchange = "01";
    static constexpr const char* kEnvironment = "01";
    static constexpr const char* kFirstAccount = "100000000000001";
    static constexpr const char* kSecondAccount = "100000000000002";
    static constexpr const char* kPassword = "111111";
    static constexpr const char* kFundPassword = "222222";

    TradingDayFixture();
    ~TradingDayFixture() override;
    void SetUp() override;

    // Launches the client against the simulator's directory lines, as ./run does.
    void launchClient();
    // Saves the screen as the day's next picture; the name says what it shows.
    void snapshot(const std::string& name);
    // Runs the loop until the condition holds (15 s at most).
    bool waitFor(const std::function<bool()>& condition, double seconds = 15);
    bool waitForText(const std::string& text, double seconds = 15);
    bool showsText(const std::string& text) const;
    // The visible alert's title and message, "" without one.
    std::string alertText() const;
    bool waitForAlert(double seconds = 15);
    // Answers the alert on top, if one shows, with its first button, as a user reading on does.
    void answerAlert();
    // Waits until no busy overlay is shown.
    bool waitIdle(double seconds = 15);

    // The screen on top of the selected tab's stack.
    ViewController* topScreen() const;
    NavigationController* selectedStack() const;
    template <typename T>
    T* top() const {
        return dynamic_cast<T*>(topScreen());
    }
    template <typename T>
    T* waitForTop(double seconds = 15) {
        T* found = nullptr;
        waitFor([&] { return (found = top<T>()) != nullptr; }, seconds);
        return found;
    }
    // Taps the tab bar's item of that title.
    bool tapTab(const std::string& title);
    // Taps the navigation bar's back button of the top screen.
    bool goBack();

    // The simulator's books of an account as JSON (null when it did not answer).
    nlohmann::json books(const std::string& account);
    std::string captchaCode(const std::string& uuid);
    // The lots of each held commodity and side, "name|side" -> lots: as the trade home's
    // holding rows show them, and as an account's books hold them.
    std::map<std::string, int> holdingsShown() const;
    static std::map<std::string, int> holdingsBooked(const nlohmann::json& books);

    SimProcess exchange;
    std::string snapshotFolder;
    int shots = 0;
};
