#pragma once

// Helpers of the chart tests: a layout object for one case on a chosen phone
// screen, and quote records built in one line.

#include <memory>
#include <optional>
#include <string>

#include "chart/HQFSDrawPram.h"
#include "chart/VariableAboutDevice.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/SystemInfo.h"
#include "quote/QuoteRecords.h"
#include "quote/VKJYHangQingDataClass.h"

namespace charttest {

constexpr uint32_t kFenShi = 0;
constexpr uint32_t kKLine = 1;
constexpr uint32_t kNormal = 0;
constexpr uint32_t kWide = 1;

// Sets the screen and system facts for one test and puts them back after it.
class DeviceFacts {
public:
    explicit DeviceFacts(bool fourInch, const std::string& osVersion = "7.0")
        : m_mode(SystemInfo::screenMode()), m_version(SystemInfo::osVersion()) {
        SystemInfo::setScreenMode(fourInch ? SystemInfo::kFourInchScreen
                                           : SystemInfo::kThreeAndAHalfInchScreen);
        SystemInfo::setOsVersion(osVersion);
    }
    ~DeviceFacts() {
        SystemInfo::setScreenMode(m_mode);
        SystemInfo::setOsVersion(m_version);
    }
    DeviceFacts(const DeviceFacts&) = delete;
    DeviceFacts& operator=(const DeviceFacts&) = delete;

private:
    SystemInfo::ScreenMode m_mode;
    std::string m_version;
};

// The exchange of the chart tests runs at UTC+8, as the simulated one does; the device may be
// anywhere.
constexpr int kExchangeUtcOffsetMinutes = 480;

// Milliseconds since 1970 of "HH:mm" on 2026-12-04 at the exchange.
inline int64_t exchangeTime(const std::string& hhmm) {
    const auto zone = DateFormat::Zone::fixed(kExchangeUtcOffsetMinutes * 60);
    const auto seconds = DateFormat("yyyyMMdd HH:mm", zone).parse("20261204 " + hhmm);
    return seconds ? static_cast<int64_t>(*seconds) * 1000 : 0;
}

// Makes the shared quote state current with the exchange's zone and a start of trading.
inline std::shared_ptr<VKJYHangQingDataClass> setTradingStart(const std::string& hhmm) {
    auto quote = std::make_shared<VKJYHangQingDataClass>();
    quote->setExchangeUtcOffsetMinutes(kExchangeUtcOffsetMinutes);
    quote->setTradingStart(exchangeTime(hhmm));
    VKJYHangQingDataClass::setCurrent(quote);
    return quote;
}

inline std::shared_ptr<VariableAboutDevice> layout(uint32_t kind, uint32_t state, bool fourInch,
                                                   uint32_t fsDrawType = 0) {
    DeviceFacts facts(fourInch);
    return std::make_shared<VariableAboutDevice>(state, kind, 0,
                                                 std::make_shared<HQFSDrawPram>(fsDrawType));
}

inline std::shared_ptr<KLineDataItem> bar(float open, float high, float low, float close,
                                          int64_t date = 0) {
    auto item = std::make_shared<KLineDataItem>();
    item->open = open;
    item->highest = high;
    item->lowest = low;
    item->close = close;
    item->date = date;
    return item;
}

inline std::shared_ptr<PMADataItem> average(double value) {
    auto item = std::make_shared<PMADataItem>();
    item->value = value;
    return item;
}

}  // namespace charttest
