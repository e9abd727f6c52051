#pragma once

// Trading screens open one another by class name: a screen of one trading folder cannot include
// the screens of the folders after it, so each folder registers how to make its screens at
// start-up (the client's main calls every folder's registration) and callers ask by name. An
// unregistered name makes nothing. Class operations; main thread.

#include <functional>
#include <map>
#include <memory>
#include <string>

class PXJYChiCangHuiZong;
class PXJYChiCangMingXi;
class ViewController;

// What a caller hands the screen it opens; each screen reads the fields its set-up needs.
struct PXTradeScreenArgs {
    int shiJiaZhiJia = 0;  // 1 market price, 2 conditional
    std::string commodityCode;
    std::string buySellSign;
    std::shared_ptr<PXJYChiCangHuiZong> summary;
    std::shared_ptr<PXJYChiCangMingXi> detail;
    std::string holdingNumber;
    // The saved account a switch-account login starts from: "platform_code",
    // "environment_code" and "JYUserName".
    std::map<std::string, std::string> selectedAccount;
};

class PXTradeScreenFactory {
public:
    using Maker = std::function<std::unique_ptr<ViewController>(const PXTradeScreenArgs&)>;

    static void registerScreen(const std::string& className, Maker maker);
    // Forgets every registration, so a fresh start registers only what it needs.
    static void forgetAll();
    static bool isRegistered(const std::string& className);
    static std::unique_ptr<ViewController> create(const std::string& className,
                                                  const PXTradeScreenArgs& args = {});
};
