#pragma once
// What the trading core needs from the rest of the application and does not own: the
// directory model, the tab bar, dialogs and toasts, token B, the day-log writer, and handing the
// held commodities to the market list. The application shell implements it
// once and hands it to PXTradeModule at start-up; tests hand in a fake. Every operation has a
// harmless default so a partial host still runs. Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct commodityInfo;

// One line (server address) of a business in the directory model.
struct PXTradeLine {
    std::string code;
    std::string llna;
    std::string url;
};

// A dialog: title, message and button titles (index 0 first). The host calls back with the
// index of the tapped button when a callback is given.
struct PXTradeAlert {
    std::string title;
    std::string message;
    std::vector<std::string> buttons;
    int tag = 0;
    // A confirmation of a request of the session in force, or the re-login dialog: it leaves,
    // unanswered, when the session in force at its showing ends (a newer logon, for the dialog).
    bool endsWithSession = false;
};

class PXTradeHost {
public:
    virtual ~PXTradeHost() = default;

    // Directory model: platform codes with usable environments, their environment codes, and
    // the lines of business type ywType ("1" trade, "2" notices, "3" funds) of one environment
    // (nullopt when the platform, environment or business is missing).
    virtual std::vector<std::string> allJysCodeWithEnvAndLL() { return {}; }
    virtual std::vector<std::string> allEnvCodeWithLL(const std::string&) { return {}; }
    virtual std::optional<std::vector<PXTradeLine>> llArray(const std::string& /*platform*/,
                                                            const std::string& /*environment*/,
                                                            const std::string& /*ywType*/) {
        return std::nullopt;
    }
    // The directory-server address in use, and the first line of the service of a type.
    virtual std::string directoryAvailableUrl() { return {}; }
    virtual std::string serviceFirstZuLLUrl(const std::string& /*type*/) { return {}; }
    // Path of "AccountsMessage.plist" in the library directory.
    virtual std::string accountInfoFilePath() { return {}; }

    virtual void saveTokenB(const std::string&) {}

    // Tab bar.
    virtual bool hasSelectedTradeTab() { return false; }
    virtual void selectTradeTab() {}
    virtual void selectHangQingTab() {}
    // Pops the selected tab's navigation stack to its root; tellWillAppear also tells the root
    // screen that it will appear again.
    virtual void popSelectedTabToRoot(bool /*tellWillAppear*/) {}

    // Dialogs (the alert of the trading screens) and toasts.
    virtual void showAlert(const PXTradeAlert&, std::function<void(int)> /*onButton*/) {}
    // The session in force ended or a new logon replaced it: the alerts shown with
    // endsWithSession that are still up go without calling back.
    virtual void sessionEnded() {}
    // The alerts of that tag shown with endsWithSession stay when the session ends: they now
    // tell more than that end.
    virtual void keepPastSession(int /*tag*/) {}
    virtual void showToast(const std::string& /*text*/, double /*seconds*/) {}

    // Appends a line to the day log (written only while "DebugPreference" is on).
    virtual void writeDataToNSLogFile(const std::string& /*text*/, const std::string& /*file*/,
                                      const std::string& /*directory*/) {}

    // Hands the held commodities (quote commodity records, in holding order) to the market
    // list that posted "setJYResourceDelegate".
    virtual void setTradeCommodityList(const void* /*marketList*/,
                                       const std::vector<std::shared_ptr<commodityInfo>>&) {}
};
