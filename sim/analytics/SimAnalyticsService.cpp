#include "sim/analytics/SimAnalyticsService.h"

#include <httplib.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "sim/core/SimHold.h"
#include "sim/core/SimHttpLine.h"

namespace {

constexpr size_t kMaxEntryBytes = 0x400000;
constexpr size_t kGuidBytes = 32;
constexpr const char* kLogPath = "/app_logs";
constexpr const char* kConfigPath = "/check_config_update";
constexpr const char* kUpdatePath = "/api/check_app_update";
constexpr const char* kAdPath = "/api/get_ad_url";

enum FieldType { kI32 = 8, kString = 11 };

std::optional<std::string> fromHex(const std::string& hex) {
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        const std::string pair = hex.substr(i, 2);
        if (!std::isxdigit(static_cast<unsigned char>(pair[0])) ||
            !std::isxdigit(static_cast<unsigned char>(pair[1]))) {
            return std::nullopt;
        }
        bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
    }
    return bytes;
}

std::optional<std::string> inflate(const std::string& stream, size_t expected) {
    if (expected > kMaxEntryBytes) {
        return std::nullopt;
    }
    std::string out(expected + 1, '\0');
    uLongf size = static_cast<uLongf>(out.size());
    const int result = uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                                  reinterpret_cast<const Bytef*>(stream.data()),
                                  static_cast<uLong>(stream.size()));
    if (result != Z_OK) {
        return std::nullopt;
    }
    out.resize(size);
    return out;
}

std::string headerValue(const std::map<std::string, std::string>& headers,
                        const std::string& name) {
    for (const auto& [key, value] : headers) {
        if (key.size() == name.size() &&
            std::equal(key.begin(), key.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return value;
        }
    }
    return "";
}

bool hasField(const SimThriftValue& value, int16_t id, int type) {
    const SimThriftValue* field = value.field(id);
    return field != nullptr && field->type == type;
}

}  // namespace

SimAnalyticsService::SimAnalyticsService() {
    for (int host = 0; host < kHosts; ++host) {
        m_lines[static_cast<size_t>(host)] = std::make_unique<SimHttpLine>(
            [this, host](httplib::Server& server) { installRoutes(host, &server); });
    }
}

SimAnalyticsService::~SimAnalyticsService() {
    stop();
}

bool SimAnalyticsService::start(int primaryPort, int fallbackPort) {
    return m_lines[0]->start(primaryPort) && m_lines[1]->start(fallbackPort);
}

void SimAnalyticsService::stop() {
    release();
    for (auto& line : m_lines) {
        line->stop();
    }
}

std::string SimAnalyticsService::baseUrl(int host) const {
    return m_lines.at(static_cast<size_t>(host))->baseUrl();
}

void SimAnalyticsService::setLogAnswer(int host, SimLogAnswer answer) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_answers.at(static_cast<size_t>(host)) = answer;
}

void SimAnalyticsService::holdUploads() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_holding = true;
}

void SimAnalyticsService::release() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_holding = false;
    m_released.notify_all();
}

size_t SimAnalyticsService::heldUploads() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_held;
}

std::vector<SimThriftValue> SimAnalyticsService::acceptedEntries() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_accepted;
}

void SimAnalyticsService::refuse(int host) {
    m_lines.at(static_cast<size_t>(host))->refuse();
}

bool SimAnalyticsService::resume(int host) {
    return m_lines.at(static_cast<size_t>(host))->resume();
}

void SimAnalyticsService::setImprint(const std::vector<SimThrift::ImprintEntry>& entries,
                                     int32_t version, bool validChecksum) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_imprint = entries;
    m_imprintVersion = version;
    m_imprintValid = validChecksum;
}

void SimAnalyticsService::setUpdateReply(const std::string& json) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_updateReply = json;
}

void SimAnalyticsService::setConfigReply(const std::string& json) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_configReply = json;
}

void SimAnalyticsService::setAdReply(const std::string& json) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_adReply = json;
}

std::vector<SimAnalyticsRequest> SimAnalyticsService::requests() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return {m_requests.begin(), m_requests.end()};
}

std::vector<SimAnalyticsRequest> SimAnalyticsService::requests(const std::string& path) const {
    std::vector<SimAnalyticsRequest> matching;
    for (const SimAnalyticsRequest& request : requests()) {
        if (request.path == path) {
            matching.push_back(request);
        }
    }
    return matching;
}

size_t SimAnalyticsService::requestCount(const std::string& path) const {
    std::lock_guard<std::mutex> guard(m_mutex);
    auto found = m_counts.find(path);
    return found == m_counts.end() ? 0 : found->second;
}

void SimAnalyticsService::clearRequests() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_requests.clear();
    m_counts.clear();
    m_recordedBytes = 0;
    m_acceptedGuids.clear();
    m_accepted.clear();
}

void SimAnalyticsService::recordLocked(SimAnalyticsRequest request) {
    ++m_counts[request.path];
    m_recordedBytes += request.body.size();
    m_requests.push_back(std::move(request));
    while (m_requests.size() > kKeptRequests ||
           (m_requests.size() > 1 && m_recordedBytes > kKeptBodyBytes)) {
        m_recordedBytes -= m_requests.front().body.size();
        m_requests.pop_front();
    }
}

void SimAnalyticsService::installRoutes(int host, void* serverPointer) {
    auto& server = *static_cast<httplib::Server*>(serverPointer);
    std::vector<std::string> paths = {kLogPath, kConfigPath, kUpdatePath};
    if (host == 0) {
        paths.push_back(kAdPath);
    }
    for (const std::string& path : paths) {
        server.Post(path, [this, host, path](const httplib::Request& in, httplib::Response& out) {
            SimAnalyticsRequest request;
            request.host = host;
            request.path = path;
            for (const auto& [name, value] : in.headers) {
                request.headers[name] = value;
            }
            request.body = in.body;
            Answer answer;
            if (path == kLogPath) {
                answer = handleLog(host, std::move(request));
            } else {
                answer = handleJson(path, request);
                std::lock_guard<std::mutex> guard(m_mutex);
                recordLocked(std::move(request));
            }
            out.status = answer.status;
            if (!answer.body.empty() || !answer.contentType.empty()) {
                out.set_content(answer.body, answer.contentType.empty()
                                                 ? "application/octet-stream"
                                                 : answer.contentType.c_str());
            }
        });
    }
}

SimAnalyticsService::Answer SimAnalyticsService::handleLog(int host, SimAnalyticsRequest request) {
    request.problem = checkEnvelope(request.headers, request.body, request.envelope, request.entry);
    std::unique_lock<std::mutex> guard(m_mutex);
    // Answered as the host was set when the upload came: a test sets the hosts of its next step
    // once it released the uploads of this one.
    const SimLogAnswer mode = m_answers.at(static_cast<size_t>(host));
    ++m_held;
    SimHold::wait(m_released, guard, [this] { return !m_holding; });
    --m_held;
    // Recorded with its verdict in one step: a test that clears the requests once it saw an
    // envelope accepted must not find that envelope's request recorded after the clear.
    Answer answer = judgeLogLocked(mode, request);
    recordLocked(std::move(request));
    return answer;
}

SimAnalyticsService::Answer SimAnalyticsService::judgeLogLocked(
    SimLogAnswer mode, const SimAnalyticsRequest& request) {
    const bool held =
        request.envelope && std::find(m_acceptedGuids.begin(), m_acceptedGuids.end(),
                                      request.envelope->textAt(8)) != m_acceptedGuids.end();
    // An envelope the service already holds is acknowledged again, never refused.
    if (held && mode == SimLogAnswer::RespCodeZero) {
        mode = SimLogAnswer::Accept;
    }
    switch (mode) {
        case SimLogAnswer::Status500:
            return {500, "internal error", "text/plain"};
        case SimLogAnswer::Empty200:
            return {200, "", ""};
        case SimLogAnswer::RespCodeZero:
            return {200, SimThrift::response(0, "refused", {}, 0, true), ""};
        case SimLogAnswer::Truncated: {
            std::string whole = SimThrift::response(1, "ok", m_imprint, m_imprintVersion, true);
            return {200, whole.substr(0, whole.size() - 3), ""};
        }
        case SimLogAnswer::Accept:
            break;
    }
    if (!request.problem.empty()) {
        return {400, request.problem, "text/plain"};
    }
    if (!held) {
        m_acceptedGuids.push_back(request.envelope->textAt(8));
        m_accepted.push_back(*request.entry);
    }
    return {200, SimThrift::response(1, "ok", m_imprint, m_imprintVersion, m_imprintValid), ""};
}

std::string SimAnalyticsService::checkEnvelope(const std::map<std::string, std::string>& headers,
                                               const std::string& body,
                                               std::optional<SimThriftValue>& envelope,
                                               std::optional<SimThriftValue>& entry) {
    if (headerValue(headers, "Msg-Type") != "envelope" ||
        headerValue(headers, "Content-Type") != "envelope") {
        return "headers: Msg-Type and Content-Type must be envelope";
    }
    const std::string sdk = headerValue(headers, "X-Tally-Sdk");
    if (sdk.empty()) {
        return "headers: X-Tally-Sdk missing";
    }
    if (!SimThrift::isExactStruct(body)) {
        return "envelope: not one binary-protocol struct";
    }
    envelope = SimThrift::readStruct(body);
    const SimThriftValue& e = *envelope;
    for (int16_t id : {1, 2, 3, 7, 8, 9}) {
        if (!hasField(e, id, kString)) {
            return "envelope: field " + std::to_string(id) + " missing or not a string";
        }
    }
    for (int16_t id : {4, 5, 6}) {
        if (!hasField(e, id, kI32)) {
            return "envelope: field " + std::to_string(id) + " missing or not an i32";
        }
    }
    if (e.textAt(1) != "V1.0") {
        return "envelope: version is not V1.0";
    }
    if (sdk.size() < 32 || sdk.substr(sdk.size() - 32) != SimThrift::md5Hex(e.textAt(2), true)) {
        return "headers: X-Tally-Sdk does not end with the key's digest";
    }
    const std::string signature = e.textAt(3);
    const std::string guidHex = e.textAt(8);
    const std::string expected = SimThrift::md5Hex(signature + std::to_string(e.integerAt(4)) +
                                                   std::to_string(e.integerAt(5)) +
                                                   std::to_string(e.integerAt(6)) + guidHex);
    if (e.textAt(9) != expected) {
        return "envelope: checksum mismatch";
    }
    const std::string entity = e.textAt(7);
    std::optional<std::string> inflated =
        inflate(entity, static_cast<size_t>(std::max<int64_t>(0, e.integerAt(6))));
    if (!inflated || inflated->size() != static_cast<size_t>(e.integerAt(6))) {
        return "entity: does not inflate to the announced length";
    }
    std::optional<std::string> guid = fromHex(guidHex);
    std::optional<std::string> sign = fromHex(signature);
    if (!guid || !sign || guid->size() != kGuidBytes || sign->size() != kGuidBytes) {
        return "envelope: guid or signature is not 64 hex digits";
    }
    const auto time = static_cast<uint32_t>(e.integerAt(5));
    auto unmasked = [&](size_t i) {
        return static_cast<uint8_t>(static_cast<uint8_t>((*guid)[i]) ^
                                    static_cast<uint8_t>(time >> (8 * (i % 4))));
    };
    const std::optional<std::string> entityDigest = fromHex(SimThrift::md5Hex(entity));
    for (size_t k = 2; k < 14; ++k) {
        if (unmasked(2 * k) != static_cast<uint8_t>((*entityDigest)[k])) {
            return "envelope: guid does not carry the entity digest";
        }
    }
    for (size_t i : {size_t{0}, size_t{1}, size_t{30}, size_t{31}}) {
        if (unmasked(i) != static_cast<uint8_t>((*sign)[i])) {
            return "envelope: guid does not carry the signature bytes";
        }
    }
    if (!SimThrift::isExactStruct(*inflated)) {
        return "entity: not one log-entry struct";
    }
    entry = SimThrift::readStruct(*inflated);
    return "";
}

SimAnalyticsService::Answer SimAnalyticsService::handleJson(const std::string& path,
                                                            SimAnalyticsRequest& request) {
    const std::string prefix = "content=";
    if (request.body.rfind(prefix, 0) != 0) {
        request.problem = "body does not start with content=";
        return {400, request.problem, "text/plain"};
    }
    std::optional<std::string> content = urlDecode(request.body.substr(prefix.size()));
    if (!content) {
        request.problem = "content is not URL-encoded";
        return {400, request.problem, "text/plain"};
    }
    request.content = *content;
    std::lock_guard<std::mutex> guard(m_mutex);
    const std::string& reply = path == kUpdatePath   ? m_updateReply
                               : path == kConfigPath ? m_configReply
                                                     : m_adReply;
    return {200, reply, "application/json"};
}

std::optional<std::string> SimAnalyticsService::urlDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%') {
            if (i + 2 >= text.size()) {
                return std::nullopt;
            }
            std::optional<std::string> byte = fromHex(text.substr(i + 1, 2));
            if (!byte) {
                return std::nullopt;
            }
            out += *byte;
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}
