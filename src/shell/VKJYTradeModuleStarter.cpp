#include "shell/VKJYTradeModuleStarter.h"

namespace {
bool g_started = false;
}  // namespace

void VKJYTradeModuleStarter::start(VKJYAppDelegate&) { g_started = true; }

void VKJYTradeModuleStarter::stop() { g_started = false; }

bool VKJYTradeModuleStarter::isStarted() { return g_started; }

std::optional<bool> VKJYTradeModuleStarter::tradeLogin() { return std::nullopt; }

void VKJYTradeModuleStarter::setTradeLogin(bool) {}
