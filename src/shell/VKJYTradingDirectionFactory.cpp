#include "shell/VKJYTradingDirectionFactory.h"

// Every variant uses the same captions; the variant argument keeps callers brand-neutral.
std::string VKJYTradingDirectionFactory::highPriceText(const std::string&) {
    return "售出价";
}

std::string VKJYTradingDirectionFactory::lowPriceText(const std::string&) {
    return "购入价";
}
