#include "trade/common/PXTradeScreenFactory.h"

#include <map>

#include "platform/ui/ViewController.h"

namespace {
std::map<std::string, PXTradeScreenFactory::Maker>& makers() {
    static std::map<std::string, PXTradeScreenFactory::Maker> table;
    return table;
}
}  // namespace

void PXTradeScreenFactory::registerScreen(const std::string& className, Maker maker) {
    makers()[className] = std::move(maker);
}

void PXTradeScreenFactory::forgetAll() {
    makers().clear();
}

bool PXTradeScreenFactory::isRegistered(const std::string& className) {
    auto found = makers().find(className);
    return found != makers().end() && found->second;
}

std::unique_ptr<ViewController> PXTradeScreenFactory::create(const std::string& className,
                                                             const PXTradeScreenArgs& args) {
    auto found = makers().find(className);
    if (found == makers().end() || !found->second) {
        return nullptr;
    }
    return found->second(args);
}
