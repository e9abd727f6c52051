#include "market/VKJYMarketScreenFactory.h"

#include <map>

#include "platform/ui/ViewController.h"

namespace {
std::map<std::string, VKJYMarketScreenFactory::Maker>& makers() {
    static std::map<std::string, VKJYMarketScreenFactory::Maker> registered;
    return registered;
}
}  // namespace

void VKJYMarketScreenFactory::registerScreen(const std::string& className, Maker maker) {
    makers()[className] = std::move(maker);
}

bool VKJYMarketScreenFactory::isRegistered(const std::string& className) {
    const auto found = makers().find(className);
    return found != makers().end() && found->second;
}

std::unique_ptr<ViewController> VKJYMarketScreenFactory::create(const std::string& className,
                                                                const VKJYMarketScreenArgs& args) {
    if (!isRegistered(className)) {
        return nullptr;
    }
    return makers()[className](args);
}
