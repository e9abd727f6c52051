#pragma once

// Captions of the two price columns of the trading screens, by brand variant. Class operations.

#include <string>

class VKJYTradingDirectionFactory {
public:
    static std::string highPriceText(const std::string& vkAppName);
    static std::string lowPriceText(const std::string& vkAppName);
};
