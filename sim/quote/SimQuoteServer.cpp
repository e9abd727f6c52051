#include "sim/quote/SimQuoteServer.h"

#include <httplib.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "sim/core/SimHold.h"
#include "sim/quote/SimWire.h"

namespace {
constexpr size_t kHeadSize = 10;
constexpr int32_t kOk = 0;
constexpr int32_t kMalformedRequest = 1;
constexpr int32_t kUnknownProtocol = 2;
constexpr int32_t kUnknownItem = 3;
constexpr int32_t kLoginRefused = 4;
constexpr int32_t kSessionExpired = 2003;
constexpr int16_t kPriceBlockLength = 49;
constexpr size_t kTradesPerReply = 10;
constexpr int kLatestMinutes = 30;
constexpr int64_t kDayMs = 86400000;
constexpr std::ptrdiff_t kOverlapBars = 30;
constexpr size_t kCipherBlock = 16;
const char* const kQuotePath = "/quote";
const char* const kHistoryPrefix = "/history/";

enum Protocol : uint16_t {
    kServerProtocol = 1,
    kLogin = 2,
    kMarketList = 10,
    kCommodityList = 11,
    kTradingTime = 12,
    kKLine = 30,
    kPeriods = 31,
    kFenShi = 32,
    kManyDayKLine = 33,
    kManyDayFenShi = 34,
    kServerTime = 35,
    kKeyList = 36,
    kAllQuotes = 37,
    kOneQuote = 38,
};

const char* const kPeriodNames[] = {"1分", "5分", "15分", "30分", "60分", "日", "周", "月", "年"};

bool takeOne(std::multiset<int>& refusals, int protocol) {
    const auto found = refusals.find(protocol);
    if (found == refusals.end()) {
        return false;
    }
    refusals.erase(found);
    return true;
}

// The market and disk a commodity-list request asks for; none for other requests.
std::pair<int16_t, int16_t> panelOf(uint16_t protocol, const std::vector<uint8_t>& request) {
    if (protocol != kCommodityList || request.size() < kHeadSize + 4) {
        return {-1, -1};
    }
    SimWireReader body(request.data() + kHeadSize, 4);
    const int16_t market = body.i16();
    return {market, body.i16()};
}

// The protocol a raw request names in its first two bytes; 0 when it is too short.
int protocolOf(const std::string& request) {
    if (request.size() < 2) {
        return 0;
    }
    return static_cast<uint8_t>(request[0]) * 256 + static_cast<uint8_t>(request[1]);
}

int32_t offsetFrom(int64_t base, int64_t price) {
    return static_cast<int32_t>(price - base);
}

// Bars chosen by a request's direction, count and time, oldest first.
std::vector<SimBar> select(const std::vector<SimBar>& bars, int32_t count, int64_t time,
                           uint8_t direction) {
    std::vector<SimBar> out;
    if (count <= 0) {
        return out;
    }
    if (direction == 1) {
        for (const auto& bar : bars) {
            if (bar.date >= time && out.size() < static_cast<size_t>(count)) {
                out.push_back(bar);
            }
        }
        return out;
    }
    for (const auto& bar : bars) {
        if (time == -1 || bar.date <= time) {
            out.push_back(bar);
        }
    }
    if (out.size() > static_cast<size_t>(count)) {
        out.erase(out.begin(), out.end() - count);
    }
    return out;
}
}  // namespace

SimQuoteServer::SimQuoteServer(const SimQuoteServerDef& def, SimMarket& market,
                               const SimHistoryFiles& files, uint64_t seed)
    : m_def(def),
      m_market(market),
      m_files(files),
      m_sessionRandom(seed ^ (0xA11CEull + def.index)) {
    for (int i = 0; i < m_def.lineCount; ++i) {
        m_lines.push_back(std::make_unique<SimHttpLine>([this, i](httplib::Server& server) {
            server.Post(kQuotePath,
                        [this, i](const httplib::Request& request, httplib::Response& response) {
                            waitWhileHeld(request.body);
                            if (failsInTransport(request.body)) {
                                response.status = 503;
                                return;
                            }
                            std::vector<uint8_t> body(request.body.begin(), request.body.end());
                            auto reply = handle(body, m_lines[static_cast<size_t>(i)]->baseUrl());
                            response.set_content(std::string(reply.begin(), reply.end()),
                                                 "application/oct-stream");
                        });
            server.Get(R"(/history/([^/]+))",
                       [this](const httplib::Request& request, httplib::Response& response) {
                           auto file = historyFile(request.matches[1]);
                           if (!file) {
                               response.status = 404;
                               return;
                           }
                           response.set_content(std::string(file->begin(), file->end()),
                                                "application/octet-stream");
                       });
        }));
    }
}

SimQuoteServer::~SimQuoteServer() {
    stop();
}

bool SimQuoteServer::start(const std::vector<int>& ports) {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = false;
    }
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (!m_lines[i]->start(i < ports.size() ? ports[i] : 0)) {
            return false;
        }
    }
    return true;
}

void SimQuoteServer::stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_held.clear();
    }
    m_released.notify_all();
    for (auto& line : m_lines) {
        line->stop();
    }
}

std::vector<std::string> SimQuoteServer::lineUrls() const {
    std::vector<std::string> urls;
    for (const auto& line : m_lines) {
        urls.push_back(line->baseUrl() + kQuotePath);
    }
    return urls;
}

void SimQuoteServer::expireSessions() {
    std::lock_guard lock(m_mutex);
    m_sessions.clear();
}

void SimQuoteServer::answerSessionLostOnce(int protocol) {
    std::lock_guard lock(m_mutex);
    m_sessionLostOnce.insert(protocol);
}

void SimQuoteServer::refusePanelList(int16_t market, int16_t disk, bool refused) {
    std::lock_guard lock(m_mutex);
    if (refused) {
        m_refusedPanels.insert({market, disk});
    } else {
        m_refusedPanels.erase({market, disk});
    }
}

void SimQuoteServer::emptyNextKLine() {
    std::lock_guard lock(m_mutex);
    m_emptyNextKLine = true;
}

void SimQuoteServer::setBarless(int period, bool barless) {
    std::lock_guard lock(m_mutex);
    if (barless) {
        m_barlessPeriods.insert(period);
    } else {
        m_barlessPeriods.erase(period);
    }
}

void SimQuoteServer::setTradingStartMinutes(int16_t market, int16_t disk, int minutes) {
    std::lock_guard lock(m_mutex);
    m_tradingStartMinutes[{market, disk}] = minutes;
}

void SimQuoteServer::failInTransport(int protocol, bool failing) {
    std::lock_guard lock(m_mutex);
    if (failing) {
        m_failingInTransport.insert(protocol);
    } else {
        m_failingInTransport.erase(protocol);
    }
}

void SimQuoteServer::holdRequests(int protocol, bool held) {
    {
        std::lock_guard lock(m_mutex);
        if (held && !m_stopping) {
            m_held.insert(protocol);
        } else {
            m_held.erase(protocol);
        }
    }
    m_released.notify_all();
}

int SimQuoteServer::heldRequests(int protocol) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_waiting.find(protocol);
    return found == m_waiting.end() ? 0 : found->second;
}

void SimQuoteServer::waitWhileHeld(const std::string& request) {
    const int protocol = protocolOf(request);
    std::unique_lock lock(m_mutex);
    if (m_held.count(protocol) == 0) {
        return;
    }
    ++m_waiting[protocol];
    SimHold::wait(m_released, lock, [&] { return m_held.count(protocol) == 0; });
    --m_waiting[protocol];
}

bool SimQuoteServer::failsInTransport(const std::string& request) const {
    if (request.size() < 2) {
        return false;
    }
    const int protocol = protocolOf(request);
    std::lock_guard lock(m_mutex);
    return m_failingInTransport.count(protocol) != 0;
}

std::vector<SimQuoteServer::RequestRecord> SimQuoteServer::requestLog() const {
    std::lock_guard lock(m_mutex);
    return m_requestLog;
}

void SimQuoteServer::clearRequestLog() {
    std::lock_guard lock(m_mutex);
    m_requestLog.clear();
}

void SimQuoteServer::malformNext(int protocol, SimMalform kind) {
    std::lock_guard lock(m_mutex);
    m_malform[protocol] = kind;
}

int SimQuoteServer::requestCount(int protocol) const {
    std::lock_guard lock(m_mutex);
    auto found = m_requestCounts.find(protocol);
    return found == m_requestCounts.end() ? 0 : found->second;
}

std::vector<std::string> SimQuoteServer::armedFaults() const {
    std::vector<std::string> armed = SimHttpLine::faults(m_lines);
    std::lock_guard lock(m_mutex);
    for (const auto& [protocol, kind] : m_malform) {
        armed.push_back("the next reply of " + std::to_string(protocol) + " spoiled");
    }
    for (int protocol : m_sessionLostOnce) {
        armed.push_back("the next request of " + std::to_string(protocol) + " answered 2003");
    }
    for (const auto& [market, disk] : m_refusedPanels) {
        armed.push_back("panel " + std::to_string(market) + "/" + std::to_string(disk) +
                        " refused");
    }
    for (int protocol : m_failingInTransport) {
        armed.push_back(std::to_string(protocol) + " fails in transport");
    }
    for (int protocol : m_held) {
        armed.push_back(std::to_string(protocol) + " held");
    }
    if (m_emptyNextKLine) {
        armed.push_back("the next K-line empty");
    }
    for (int period : m_barlessPeriods) {
        armed.push_back("period " + std::to_string(period) + " barless");
    }
    for (const auto& name : m_damagedFiles) {
        armed.push_back(name + " damaged");
    }
    return armed;
}

std::vector<uint8_t> SimQuoteServer::handle(const std::vector<uint8_t>& request,
                                            const std::string& lineBase) {
    SimWireReader head(request.data(), std::min(request.size(), kHeadSize));
    const uint16_t protocol = head.u16();
    const uint32_t session = head.u32();
    const uint32_t length = head.u32();
    Reply reply;
    if (head.failed() || request.size() - kHeadSize != length) {
        reply.code = kMalformedRequest;
    } else {
        bool known = true;
        bool emptyKLine = false;
        {
            std::lock_guard lock(m_mutex);
            ++m_requestCounts[protocol];
            m_requestLog.push_back(
                {protocol, std::vector<uint8_t>(request.begin() + kHeadSize, request.end())});
            const bool carriesSession = protocol != kServerProtocol && protocol != kLogin;
            known = !carriesSession || m_sessions.count(session) > 0;
            const bool lost =
                carriesSession && (takeOne(m_sessionLostOnce, static_cast<int>(protocol)) ||
                                   takeOne(m_sessionLostOnce, 0) ||
                                   m_refusedPanels.count(panelOf(protocol, request)) != 0);
            known = known && !lost;
            emptyKLine = known && protocol == kKLine && std::exchange(m_emptyNextKLine, false);
        }
        SimWireReader body(request.data() + kHeadSize, length);
        reply = known ? dispatch(protocol, body, lineBase) : Reply{kSessionExpired, {}};
        if (emptyKLine && reply.code == kOk) {
            SimWireWriter none;
            none.u16(0);
            reply.body = none.data();
        }
        if (reply.code == kOk && !body.exhausted()) {
            reply = {kMalformedRequest, {}};
        }
    }
    if (reply.code != kOk) {
        reply.body.clear();
    }
    SimWireWriter out;
    out.u16(protocol);
    out.i32(reply.code);
    out.u32(static_cast<uint32_t>(reply.body.size()));
    out.bytes(reply.body);
    return spoil(out.data(), protocol);
}

std::vector<uint8_t> SimQuoteServer::spoil(std::vector<uint8_t> reply, uint16_t protocol) {
    std::lock_guard lock(m_mutex);
    auto found = m_malform.find(protocol);
    if (found == m_malform.end()) {
        found = m_malform.find(0);
    }
    if (found == m_malform.end()) {
        return reply;
    }
    const SimMalform kind = found->second;
    m_malform.erase(found);
    switch (kind) {
        case SimMalform::ShortHead:
            reply.resize(5);
            break;
        case SimMalform::CutBody:
            reply.pop_back();
            break;
        case SimMalform::ExtraByte:
            reply.push_back(0);
            break;
    }
    return reply;
}

SimQuoteServer::Reply SimQuoteServer::dispatch(uint16_t protocol, SimWireReader& body,
                                               const std::string& lineBase) {
    switch (protocol) {
        case kServerProtocol: {
            SimWireWriter out;
            out.i16(kRequestDataTime);
            return {kOk, out.data()};
        }
        case kLogin:
            return login(body);
        case kMarketList:
            return marketList();
        case kCommodityList:
            return commodityList(body);
        case kTradingTime:
            return tradingTime(body);
        case kKLine:
            return kLine(body, false, lineBase);
        case kPeriods:
            return periods();
        case kFenShi:
            return fenShi(body);
        case kManyDayKLine:
            return kLine(body, true, lineBase);
        case kManyDayFenShi:
            return manyDayFenShi(body, lineBase);
        case kServerTime:
            return serverTime();
        case kKeyList:
            return keyList();
        case kAllQuotes:
            return allQuotes(body);
        case kOneQuote:
            return oneQuote(body);
        default:
            return {kUnknownProtocol, {}};
    }
}

SimQuoteServer::Reply SimQuoteServer::login(SimWireReader& body) {
    const uint8_t hasPassword = body.u8();
    const std::string userName = body.str();
    const std::string password = body.str();
    if (body.failed() || hasPassword > 1) {
        return {kMalformedRequest, {}};
    }
    if (hasPassword == 1 && (userName.empty() || password.empty())) {
        return {kLoginRefused, {}};
    }
    uint32_t session = 0;
    {
        std::lock_guard lock(m_mutex);
        while (session == 0 || m_sessions.count(session)) {
            session = static_cast<uint32_t>(m_sessionRandom.next());
        }
        m_sessions.insert(session);
    }
    SimWireWriter out;
    out.u32(session);
    return {kOk, out.data()};
}

SimQuoteServer::Reply SimQuoteServer::marketList() const {
    SimWireWriter out;
    out.u16(static_cast<uint16_t>(m_def.markets.size()));
    for (const auto& market : m_def.markets) {
        out.i16(market.id);
        out.u16(static_cast<uint16_t>(market.disks.size()));
        for (const auto& disk : market.disks) {
            out.i16(disk.id);
            out.i16(disk.ownDiskID);
            out.u8(disk.diskType);
        }
    }
    return {kOk, out.data()};
}

SimQuoteServer::Reply SimQuoteServer::commodityList(SimWireReader& body) {
    const int16_t market = body.i16();
    const int16_t diskId = body.i16();
    const SimDisk* disk = m_market.catalogue().disk(m_def.index, market, diskId);
    if (!disk) {
        return {kUnknownItem, {}};
    }
    SimWireWriter out;
    out.i16(market);
    out.i16(diskId);
    out.u16(static_cast<uint16_t>(disk->commodityIds.size()));
    for (int16_t id : disk->commodityIds) {
        const SimCommodity* c = m_market.catalogue().commodity(m_def.index, id);
        out.i16(c->id);
        out.str(c->code);
        out.str(c->name);
        out.u8(c->decimals);
        out.u8(c->productJYtype);
        out.u8(c->codeLetterCase);
    }
    return {kOk, out.data()};
}

SimQuoteServer::Reply SimQuoteServer::tradingTime(SimWireReader& body) {
    const int16_t market = body.i16();
    const int16_t disk = body.i16();
    if (!m_market.catalogue().disk(m_def.index, market, disk)) {
        return {kUnknownItem, {}};
    }
    int minutes = 0;
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_tradingStartMinutes.find({market, disk});
        minutes = found == m_tradingStartMinutes.end() ? 0 : found->second;
    }
    SimWireWriter out;
    out.i16(market);
    out.i16(disk);
    out.i64(SimClock::dayStart(m_market.nowMs(), m_market.utcOffsetMinutes()) +
            int64_t{minutes} * 60 * 1000);
    return {kOk, out.data()};
}

const SimCommodity* SimQuoteServer::listedCommodity(int16_t market, int16_t disk,
                                                    int16_t commodity) const {
    const SimDisk* found = m_market.catalogue().disk(m_def.index, market, disk);
    if (!found || std::find(found->commodityIds.begin(), found->commodityIds.end(), commodity) ==
                      found->commodityIds.end()) {
        return nullptr;
    }
    return m_market.catalogue().commodity(m_def.index, commodity);
}

std::string SimQuoteServer::localDay(int64_t ms) const {
    int year, month, day;
    const int64_t offset = static_cast<int64_t>(m_market.utcOffsetMinutes()) * 60000;
    const int64_t local = ms + offset;
    SimClock::daysToCivil(SimClock::floorDiv(local, kDayMs), year, month, day);
    char text[16];
    std::snprintf(text, sizeof(text), "%04d%02d%02d", year, month, day);
    return text;
}

std::string SimQuoteServer::blockOf(int period, int64_t date) const {
    if (period <= kMinute60) {
        return localDay(date);
    }
    if (period == kDay || period == kWeek) {
        return localDay(date).substr(0, 4);
    }
    return "all";
}

void SimQuoteServer::writeSeries(SimWireWriter& out, const SimCommodity& commodity, int period,
                                 const std::vector<SimBar>& bars) const {
    const int64_t base = bars.empty() ? commodity.basePrice : bars.front().open;
    out.i16(commodity.id);
    out.i16(static_cast<int16_t>(period));
    out.u8(commodity.decimals);
    out.i32(static_cast<int32_t>(base));
    out.i32(static_cast<int32_t>(bars.size()));
    for (const auto& bar : bars) {
        out.i64(bar.date);
        out.i32(offsetFrom(base, bar.open));
        out.i32(offsetFrom(base, bar.close));
        out.i32(offsetFrom(base, bar.high));
        out.i32(offsetFrom(base, bar.low));
    }
}

SimQuoteServer::Reply SimQuoteServer::kLine(SimWireReader& body, bool withFiles,
                                            const std::string& lineBase) {
    const int16_t market = body.i16();
    const int16_t disk = body.i16();
    const int16_t id = body.i16();
    const uint8_t period = body.u8();
    const int32_t count = body.i32();
    const int64_t time = body.i64();
    const uint8_t direction = body.u8();
    const uint16_t fileLimit = withFiles ? body.u16() : 0;
    if (body.failed() || direction > 1) {
        return {kMalformedRequest, {}};
    }
    const SimCommodity* commodity = listedCommodity(market, disk, id);
    if (!commodity || !SimMarket::isPeriod(period)) {
        return {kUnknownItem, {}};
    }
    const auto all = m_market.bars(m_def.index, id, period);
    auto bars = select(all, count, time, direction);
    {
        std::lock_guard lock(m_mutex);
        if (m_barlessPeriods.count(period) != 0) {
            bars.clear();
        }
    }
    std::vector<std::string> blocks;
    if (withFiles && !bars.empty()) {
        for (const auto& bar : all) {
            if (bar.date >= bars.front().date) {
                break;
            }
            std::string block = blockOf(period, bar.date);
            if (blocks.empty() || blocks.back() != block) {
                blocks.push_back(block);
            }
        }
        if (blocks.size() > fileLimit) {
            blocks.erase(blocks.begin(), blocks.end() - fileLimit);
        }
    }
    SimWireWriter out;
    out.u16(1);
    writeSeries(out, *commodity, period, bars);
    out.u16(static_cast<uint16_t>(blocks.size()));
    for (const auto& block : blocks) {
        const int ordinal = block == "all" ? 0 : std::stoi(block);
        out.str(lineBase + kHistoryPrefix + m_files.kLineName(id, period, block, ordinal));
    }
    return {kOk, out.data()};
}

SimQuoteServer::Reply SimQuoteServer::periods() const {
    SimWireWriter out;
    out.u8(static_cast<uint8_t>(std::size(kPeriodNames)));
    for (int period = kMinute1; period <= kYear; ++period) {
        out.u8(static_cast<uint8_t>(period));
        out.str(kPeriodNames[period - kMinute1]);
    }
    return {kOk, out.data()};
}

void SimQuoteServer::writeFenShiItem(SimWireWriter& out, const SimCommodity& commodity,
                                     const std::vector<SimBar>& records,
                                     const std::vector<std::string>& urls) {
    const int offset = m_market.utcOffsetMinutes();
    const int64_t lastDay = records.empty() ? SimClock::dayStart(m_market.nowMs(), offset)
                                            : SimClock::dayStart(records.back().date, offset);
    const auto earlier =
        m_market.minutes(m_def.index, commodity.id, lastDay - 10 * kDayMs, lastDay);
    const auto day = m_market.minutes(m_def.index, commodity.id, lastDay, lastDay + kDayMs);
    const int64_t yesterdayClose = earlier.empty()
                                       ? (day.empty() ? commodity.basePrice : day.front().open)
                                       : earlier.back().close;
    SimBar high =
        day.empty()
            ? SimBar{lastDay, yesterdayClose, yesterdayClose, yesterdayClose, yesterdayClose, 0, 0}
            : day.front();
    SimBar low = high;
    for (const auto& bar : day) {
        if (bar.high > high.high) {
            high = bar;
        }
        if (bar.low < low.low) {
            low = bar;
        }
    }
    const int64_t base = yesterdayClose;
    out.i16(commodity.id);
    out.i16(static_cast<int16_t>(offset));
    out.u8(commodity.decimals);
    out.i32(static_cast<int32_t>(base));
    out.i32(offsetFrom(base, yesterdayClose));
    out.i32(offsetFrom(base, day.empty() ? yesterdayClose : day.front().open));
    out.i32(offsetFrom(base, high.high));
    out.i64(high.date);
    out.i32(offsetFrom(base, low.low));
    out.i64(low.date);

    std::vector<std::vector<SimBar>> days;
    for (const auto& record : records) {
        if (days.empty() || SimClock::dayStart(days.back().back().date, offset) !=
                                SimClock::dayStart(record.date, offset)) {
            days.emplace_back();
        }
        days.back().push_back(record);
    }
    out.u8(static_cast<uint8_t>(days.size()));
    for (const auto& dayRecords : days) {
        const int64_t start = SimClock::dayStart(dayRecords.front().date, offset);
        // The average runs from the day's first minute, also when the reply starts later.
        int64_t amount = 0;
        int64_t volume = 0;
        for (const auto& bar :
             m_market.minutes(m_def.index, commodity.id, start, dayRecords.front().date)) {
            amount += bar.amount;
            volume += bar.volume;
        }
        out.i64(start);
        out.u16(static_cast<uint16_t>(dayRecords.size()));
        for (const auto& bar : dayRecords) {
            amount += bar.amount;
            volume += bar.volume;
            const int64_t average = volume > 0 ? amount / volume : bar.close;
            out.i64(bar.date);
            out.i32(offsetFrom(base, bar.close));
            out.i32(offsetFrom(base, average));
            out.i32(static_cast<int32_t>(bar.volume));
        }
    }
    out.u16(static_cast<uint16_t>(urls.size()));
    for (const auto& url : urls) {
        out.str(url);
    }
}

SimQuoteServer::Reply SimQuoteServer::fenShi(SimWireReader& body) {
    const int16_t market = body.i16();
    const int16_t disk = body.i16();
    const int16_t id = body.i16();
    const int32_t count = body.i32();
    const int64_t time = body.i64();
    const uint8_t direction = body.u8();
    if (body.failed() || direction > 1) {
        return {kMalformedRequest, {}};
    }
    const SimCommodity* commodity = listedCommodity(market, disk, id);
    if (!commodity) {
        return {kUnknownItem, {}};
    }
    const auto all = m_market.minutes(m_def.index, id, INT64_MIN, INT64_MAX);
    SimWireWriter out;
    out.u16(1);
    writeFenShiItem(out, *commodity, select(all, count, time, direction), {});
    return {kOk, out.data()};
}

SimQuoteServer::Reply SimQuoteServer::manyDayFenShi(SimWireReader& body,
                                                    const std::string& lineBase) {
    const int16_t market = body.i16();
    const int16_t disk = body.i16();
    const int16_t id = body.i16();
    if (body.failed()) {
        return {kMalformedRequest, {}};
    }
    const SimCommodity* commodity = listedCommodity(market, disk, id);
    if (!commodity) {
        return {kUnknownItem, {}};
    }
    const int64_t today = SimClock::dayStart(m_market.nowMs(), m_market.utcOffsetMinutes());
    const auto all = m_market.minutes(m_def.index, id, today, today + kDayMs);
    const auto latest = select(all, kLatestMinutes, -1, 0);
    SimWireWriter out;
    out.u16(1);
    writeFenShiItem(out, *commodity, latest,
                    {lineBase + kHistoryPrefix + m_files.fenShiName(id, localDay(today))});
    return {kOk, out.data()};
}

SimQuoteServer::Reply SimQuoteServer::serverTime() const {
    SimWireWriter out;
    out.i64(m_market.nowMs());
    out.i16(static_cast<int16_t>(m_market.utcOffsetMinutes()));
    return {kOk, out.data()};
}

SimQuoteServer::Reply SimQuoteServer::keyList() const {
    SimWireWriter out;
    out.u16(static_cast<uint16_t>(m_files.keys().size()));
    for (const auto& key : m_files.keys()) {
        out.str(key.sign);
        out.str(key.base64);
    }
    return {kOk, out.data()};
}

void SimQuoteServer::writeQuoteEntry(SimWireWriter& out, const SimCommodity& commodity,
                                     const SimQuote& quote) const {
    const int64_t base = quote.yesterdayClose;
    out.i16(commodity.id);
    out.u8(commodity.productJYtype == 4 ? 4 : 2);
    out.i16(kPriceBlockLength);
    out.u8(commodity.decimals);
    out.i32(static_cast<int32_t>(base));
    for (int64_t price : {quote.newPrice, quote.buyPrice, quote.sellPrice, quote.highest,
                          quote.lowest, quote.todayOpen, quote.yesterdayClose}) {
        out.i32(offsetFrom(base, price));
    }
    out.i32(quote.gpNum);
    out.i32(quote.gpNumSell);
    out.i64(quote.time);
}

SimQuoteServer::Reply SimQuoteServer::allQuotes(SimWireReader& body) {
    const int16_t market = body.i16();
    const int16_t diskId = body.i16();
    const SimDisk* disk = m_market.catalogue().disk(m_def.index, market, diskId);
    if (body.failed() || !disk) {
        return {disk ? kMalformedRequest : kUnknownItem, {}};
    }
    SimWireWriter out;
    out.i16(market);
    out.i16(diskId);
    out.u16(static_cast<uint16_t>(disk->commodityIds.size()));
    for (int16_t id : disk->commodityIds) {
        writeQuoteEntry(out, *m_market.catalogue().commodity(m_def.index, id),
                        *m_market.quote(m_def.index, id));
    }
    return {kOk, out.data()};
}

SimQuoteServer::Reply SimQuoteServer::oneQuote(SimWireReader& body) {
    const int16_t market = body.i16();
    const int16_t disk = body.i16();
    const int16_t id = body.i16();
    const int32_t wuDangID = body.i32();
    const int32_t fenBiID = body.i32();
    body.i32();  // the client's last book sequence: every reply carries the current one
    if (body.failed()) {
        return {kMalformedRequest, {}};
    }
    const SimCommodity* commodity = listedCommodity(market, disk, id);
    if (!commodity) {
        return {kUnknownItem, {}};
    }
    const SimQuote quote = *m_market.quote(m_def.index, id);
    const SimBook book = *m_market.book(m_def.index, id);
    const auto trades = m_market.ticksAfter(m_def.index, id, fenBiID, kTradesPerReply);
    const int64_t base = quote.yesterdayClose;
    SimWireWriter out;
    out.i16(market);
    out.i16(disk);
    writeQuoteEntry(out, *commodity, quote);
    out.i32(quote.bookSequence);
    const bool sendBook = book.number != wuDangID;
    out.u8(sendBook ? 1 : 0);
    if (sendBook) {
        out.i32(book.number);
        for (const auto* side : {&book.sell, &book.buy}) {
            out.u8(static_cast<uint8_t>(side->size()));
            for (const auto& level : *side) {
                out.i32(offsetFrom(base, level.price));
                out.i32(level.gpCount);
                out.i32(level.zpCount);
            }
        }
    }
    out.u16(static_cast<uint16_t>(trades.size()));
    for (const auto& trade : trades) {
        out.i32(trade.index);
        out.i64(trade.time);
        out.i32(offsetFrom(base, trade.price));
        out.i32(trade.volume);
    }
    return {kOk, out.data()};
}

std::optional<std::vector<uint8_t>> SimQuoteServer::historyFile(const std::string& name) {
    auto parsed = m_files.parse(name);
    if (!parsed) {
        return std::nullopt;
    }
    const SimCommodity* commodity = m_market.catalogue().commodity(m_def.index, parsed->commodity);
    if (!commodity) {
        return std::nullopt;
    }
    SimWireWriter out;
    if (parsed->kLine) {
        if (!SimMarket::isPeriod(parsed->period)) {
            return std::nullopt;
        }
        const auto all = m_market.bars(m_def.index, parsed->commodity, parsed->period);
        const auto first = std::find_if(all.begin(), all.end(), [&](const SimBar& bar) {
            return blockOf(parsed->period, bar.date) == parsed->block;
        });
        if (first == all.end()) {
            return std::nullopt;
        }
        // Neighbouring files overlap: each starts with the bars before its block.
        auto bar = first - std::min<std::ptrdiff_t>(kOverlapBars, first - all.begin());
        std::vector<SimBar> bars;
        for (; bar != all.end() &&
               (bar < first || blockOf(parsed->period, bar->date) == parsed->block);
             ++bar) {
            bars.push_back(*bar);
        }
        writeSeries(out, *commodity, parsed->period, bars);
    } else {
        std::vector<SimBar> records;
        for (const auto& bar :
             m_market.minutes(m_def.index, parsed->commodity, INT64_MIN, INT64_MAX)) {
            if (localDay(bar.date) == parsed->block) {
                records.push_back(bar);
            }
        }
        if (records.empty()) {
            return std::nullopt;
        }
        out.u16(1);
        writeFenShiItem(out, *commodity, records, {});
    }
    const bool gzip = parsed->block != "all" && std::stoi(parsed->block) % 2 == 1;
    auto sealed = m_files.seal(out.data(), parsed->sign, gzip);
    std::lock_guard lock(m_mutex);
    if (sealed && m_damagedFiles.count(name) > 0) {
        const size_t block = std::min<size_t>(kCipherBlock, sealed->size());
        for (size_t i = 0; i < block; ++i) {
            (*sealed)[i] = static_cast<uint8_t>(~(*sealed)[i]);
        }
    }
    return sealed;
}

void SimQuoteServer::damageHistoryFile(const std::string& name, bool damaged) {
    std::lock_guard lock(m_mutex);
    if (damaged) {
        m_damagedFiles.insert(name);
    } else {
        m_damagedFiles.erase(name);
    }
}
