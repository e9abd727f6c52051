#pragma once

// Starts the trading side for the application delegate: the trading store, its configuration
// and the trading timer manager, registered as the shared trading module, with the shell as its
// host. Class operations; main thread.

#include <optional>

class VKJYAppDelegate;

class VKJYTradeModuleStarter {
public:
    static void start(VKJYAppDelegate& delegate);
    static void stop();
    static bool isStarted();
    // The trading module's login flag; nothing before start().
    static std::optional<bool> tradeLogin();
    static void setTradeLogin(bool login);
};
