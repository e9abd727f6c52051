#pragma once

// The simulated analytics service: two log hosts (primary and fallback), each serving
// POST /app_logs (the Thrift envelope, checked field by field: headers, checksum, entity length,
// GUID digest bytes, log entry), /check_config_update, /api/check_app_update and, on the
// primary, /api/get_ad_url. Test controls per host: accept, answer 500, an empty 200, a
// refusing resp_code 0 (never for an envelope already accepted), a cut-short answer, or refuse
// connections; slow log hosts that hold each upload until released; an imprint to hand out; the
// JSON replies. The latest requests are kept for assertions (at most kKeptRequests and about
// kKeptBodyBytes of bodies, the oldest dropped first); the count per path covers every request.
// Owned by SimExchange or a test; its methods may be called from any thread, its handlers run on
// the hosts' threads.

#include <array>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sim/analytics/SimThrift.h"

class SimHttpLine;

enum class SimLogAnswer { Accept, Status500, Empty200, RespCodeZero, Truncated };

struct SimAnalyticsRequest {
    int host = 0;  // 0 primary, 1 fallback
    std::string path;
    std::map<std::string, std::string> headers;
    std::string body;
    // Log uploads: "" when the envelope passed every check, else what failed.
    std::string problem;
    std::optional<SimThriftValue> envelope;
    std::optional<SimThriftValue> entry;
    // JSON endpoints: the decoded "content" text.
    std::string content;
};

class SimAnalyticsService {
public:
    static constexpr int kHosts = 2;
    static constexpr size_t kKeptRequests = 256;
    static constexpr size_t kKeptBodyBytes = 16 * 1024 * 1024;
    static constexpr const char* kDefaultUpdateReply = R"({"update":"NO"})";
    static constexpr const char* kDefaultConfigReply =
        R"({"report_policy":1,"report_interval":90,"ad_request":0,"config_update":"No"})";
    static constexpr const char* kDefaultAdReply =
        R"({"status":0,"count":1,"ad_urls":["http://127.0.0.1/ad/1.png"]})";

    SimAnalyticsService();
    ~SimAnalyticsService();
    SimAnalyticsService(const SimAnalyticsService&) = delete;
    SimAnalyticsService& operator=(const SimAnalyticsService&) = delete;

    // Free ports (0) or the given ones.
    bool start(int primaryPort = 0, int fallbackPort = 0);
    void stop();
    // "http://127.0.0.1:<port>" of host 0 or 1.
    std::string baseUrl(int host) const;

    void setLogAnswer(int host, SimLogAnswer answer);
    // While held, both log hosts keep each upload they receive unanswered; release() answers
    // them (as their host was set when they came), and so does stop().
    void holdUploads();
    void release();
    // Uploads received and not yet answered.
    size_t heldUploads() const;
    void refuse(int host);
    bool resume(int host);
    // Accepted uploads carry this imprint (none when empty).
    void setImprint(const std::vector<SimThrift::ImprintEntry>& entries, int32_t version,
                    bool validChecksum = true);
    void setUpdateReply(const std::string& json);
    void setConfigReply(const std::string& json);
    void setAdReply(const std::string& json);

    // The kept requests, oldest first.
    std::vector<SimAnalyticsRequest> requests() const;
    std::vector<SimAnalyticsRequest> requests(const std::string& path) const;
    // Every request to `path` since the start or the last clearRequests().
    size_t requestCount(const std::string& path) const;
    // The log entries of every envelope accepted since the start or the last clearRequests(),
    // one per envelope GUID (a repeated envelope is stored once), in order of acceptance.
    std::vector<SimThriftValue> acceptedEntries() const;
    void clearRequests();

    // Checks one upload as the service does; "" when it is sound.
    static std::string checkEnvelope(const std::map<std::string, std::string>& headers,
                                     const std::string& body,
                                     std::optional<SimThriftValue>& envelope,
                                     std::optional<SimThriftValue>& entry);
    static std::optional<std::string> urlDecode(const std::string& text);

private:
    struct Answer {
        int status = 200;
        std::string body;
        std::string contentType;
    };
    void installRoutes(int host, void* server);
    // Waits while uploads are held, then answers and records the upload.
    Answer handleLog(int host, SimAnalyticsRequest request);
    Answer judgeLogLocked(SimLogAnswer mode, const SimAnalyticsRequest& request);
    Answer handleJson(const std::string& path, SimAnalyticsRequest& request);
    // With m_mutex held.
    void recordLocked(SimAnalyticsRequest request);

    std::array<std::unique_ptr<SimHttpLine>, kHosts> m_lines;
    mutable std::mutex m_mutex;
    std::array<SimLogAnswer, kHosts> m_answers{SimLogAnswer::Accept, SimLogAnswer::Accept};
    std::vector<SimThrift::ImprintEntry> m_imprint;
    int32_t m_imprintVersion = 0;
    bool m_imprintValid = true;
    std::string m_updateReply = kDefaultUpdateReply;
    std::string m_configReply = kDefaultConfigReply;
    std::string m_adReply = kDefaultAdReply;
    std::deque<SimAnalyticsRequest> m_requests;
    std::map<std::string, size_t> m_counts;
    bool m_holding = false;
    size_t m_held = 0;
    std::condition_variable m_released;
    std::vector<std::string> m_acceptedGuids;
    std::vector<SimThriftValue> m_accepted;
    size_t m_recordedBytes = 0;
};
