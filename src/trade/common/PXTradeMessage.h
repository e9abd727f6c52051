#pragma once
// The message dialog of the trading screens: a white-style alert with a title, the text and the
// single button "确定". Class operation; main thread.

#include <string>

class PXTradeMessage {
public:
    static constexpr const char* kTitle = "提示";
    // "请求网络失败": what a screen shows when no answer came.
    static constexpr const char* kNetworkFailed = "请求网络失败";

    static void show(const std::string& title, const std::string& message);
    static void show(const std::string& message) { show(kTitle, message); }
};
