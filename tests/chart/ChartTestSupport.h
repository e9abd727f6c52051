#pragma once

// Helpers of the chart tests: a layout object for one case on a chosen phone
// screen, and quote records built in one line.

#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "chart/HQFSDrawPram.h"
#include "chart/VariableAboutDevice.h"
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

// Makes the shared quote state current with a start of trading.
inline void setTradingStart(const std::string& hhmm) {
    auto quote = std::make_shared<VKJYHangQingDataClass>();
    quote->setStartTime(hhmm);
    VKJYHangQingDataClass::setCurrent(quote);
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

inline void useUtc() {
    setenv("TZ", "UTC", 1);
    tzset();
}

}  // namespace charttest
