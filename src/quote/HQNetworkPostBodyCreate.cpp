#include "quote/HQNetworkPostBodyCreate.h"

#include <map>

#include "base/NSMutableDataWithEndian.h"
#include "platform/foundation/Text.h"
#include "quote/HQProtocol.h"

namespace {
constexpr size_t kLocalMinuteTextLength = 12;

int16_t i16(const std::string& text) { return static_cast<int16_t>(Text::intValue(text)); }
int32_t i32(const std::string& text) { return static_cast<int32_t>(Text::intValue(text)); }
uint8_t u8(const std::string& text) { return static_cast<uint8_t>(Text::intValue(text)); }

void appendText(NSMutableDataWithEndian& out, const std::string& text) {
    out.appendUInt16(static_cast<uint16_t>(text.size()));
    out.appendBytes(text.data(), text.size());
}

void appendPlace(NSMutableDataWithEndian& out, const SubmissionPackage& package) {
    out.appendInt16(i16(package.MarketID));
    out.appendInt16(i16(package.DiskID));
}

int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}
}  // namespace

Bytes HQNetworkPostBodyCreate::request(uint16_t protocol, uint32_t session, const Bytes& body) {
    NSMutableDataWithEndian out;
    out.appendUInt16(protocol);
    out.appendUInt32(session);
    out.appendUInt32(static_cast<uint32_t>(body.size()));
    out.appendBytes(body);
    return out.bytes();
}

Bytes HQNetworkPostBodyCreate::loginBody(const LoginPackage* package, bool hasPassword) {
    NSMutableDataWithEndian out;
    const bool withPassword = hasPassword && package;
    out.appendUInt8(withPassword ? 1 : 0);
    // The byte counts come from the texts themselves, whatever the package's length fields say.
    appendText(out, withPassword ? package->userName : std::string());
    appendText(out, withPassword ? package->password : std::string());
    return out.bytes();
}

std::optional<uint16_t> HQNetworkPostBodyCreate::protocolForType(const std::string& type) {
    static const std::map<std::string, uint16_t> kProtocols = {
        {"jyspaninfo", HQProtocol::kMarketList},    {"shiChangXinXix", HQProtocol::kCommodityList},
        {"panJYTime", HQProtocol::kTradingTime},    {"Kline", HQProtocol::kKLine},
        {"KlinePeriod", HQProtocol::kKLinePeriods}, {"fenshi", HQProtocol::kFenShi},
        {"manydaykxian", HQProtocol::kManyDayKLine}, {"manydayfenshi", HQProtocol::kManyDayFenShi},
        {"severTime", HQProtocol::kServerTime},     {"zipsec", HQProtocol::kZipSec},
        {"allyikoujia", HQProtocol::kAllQuotes},    {"oneyikoujia", HQProtocol::kOneQuote},
    };
    auto found = kProtocols.find(type);
    if (found == kProtocols.end()) {
        return std::nullopt;
    }
    return found->second;
}

int64_t HQNetworkPostBodyCreate::requestTimeMs(const std::string& text, int utcOffsetMinutes) {
    const auto whole = Text::parseInteger(text);
    if (text.size() != kLocalMinuteTextLength || !whole || *whole < 0) {
        return Text::longLongValue(text);
    }
    const int64_t v = *whole;
    const int64_t minute = v % 100;
    const int64_t hour = v / 100 % 100;
    const int64_t day = v / 10000 % 100;
    const int64_t month = v / 1000000 % 100;
    const int64_t year = v / 100000000;
    const int64_t days =
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return ((days * 24 + hour) * 60 + minute - utcOffsetMinutes) * 60000;
}

Bytes HQNetworkPostBodyCreate::dataBody(const std::string& type, const SubmissionPackage& package,
                                        int utcOffsetMinutes) {
    NSMutableDataWithEndian out;
    const auto protocol = protocolForType(type);
    switch (protocol.value_or(0)) {
        case HQProtocol::kCommodityList:
        case HQProtocol::kTradingTime:
        case HQProtocol::kAllQuotes:
            appendPlace(out, package);
            break;
        case HQProtocol::kOneQuote:
            appendPlace(out, package);
            out.appendInt16(i16(package.CommodityID));
            out.appendInt32(i32(package.wuDangID));
            out.appendInt32(i32(package.fenBiID));
            out.appendInt32(i32(package.pankouxuhao));
            break;
        case HQProtocol::kKLine:
        case HQProtocol::kManyDayKLine:
            appendPlace(out, package);
            out.appendInt16(i16(package.CommodityID));
            out.appendUInt8(u8(package.period));
            out.appendInt32(i32(package.numberOfRequest));
            out.appendInt64(requestTimeMs(package.requestTime, utcOffsetMinutes));
            out.appendUInt8(u8(package.direction));
            if (*protocol == HQProtocol::kManyDayKLine) {
                out.appendUInt16(static_cast<uint16_t>(Text::intValue(package.searchDayCount)));
            }
            break;
        case HQProtocol::kFenShi:
            appendPlace(out, package);
            out.appendInt16(i16(package.CommodityID));
            out.appendInt32(i32(package.numberOfRequest));
            out.appendInt64(requestTimeMs(package.requestTime, utcOffsetMinutes));
            out.appendUInt8(u8(package.direction));
            break;
        case HQProtocol::kManyDayFenShi:
            appendPlace(out, package);
            out.appendInt16(i16(package.CommodityID));
            break;
        default:
            break;
    }
    return out.bytes();
}
