#pragma once
// The trading notifications a screen listens to only while it is on show (the price refresh
// tick, new listings): started on will-appear, stopped on will-disappear and when the screen
// goes, so a hidden or destroyed screen is never called. Main thread.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class PXTradeWhileShown {
public:
    using Handler = std::function<void()>;

    PXTradeWhileShown() = default;
    ~PXTradeWhileShown();
    PXTradeWhileShown(const PXTradeWhileShown&) = delete;
    PXTradeWhileShown& operator=(const PXTradeWhileShown&) = delete;

    // Listens to every named notification; a second call while listening changes nothing.
    void start(std::vector<std::pair<std::string, Handler>> handlers);
    void stop();
    bool isListening() const { return !m_tokens.empty(); }

private:
    std::vector<uint64_t> m_tokens;
};
