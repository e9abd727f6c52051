#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <thread>
#include <vector>

#include "sim/core/SimCommandLine.h"
#include "support/SimExchangeFixture.h"

namespace {

// A connection that sends the start of a request and then nothing.
class SilentConnection {
public:
    explicit SilentConnection(int port) : m_fd(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected =
            ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
            ::send(m_fd, "POST /app_logs HTTP/1.1\r\n", 25, 0) == 25;
    }
    ~SilentConnection() { ::close(m_fd); }
    SilentConnection(const SilentConnection&) = delete;
    SilentConnection& operator=(const SilentConnection&) = delete;
    bool connected() const { return m_connected; }

private:
    int m_fd;
    bool m_connected = false;
};

class SimLineTest : public SimExchangeFixture {};

}  // namespace

TEST_F(SimLineTest, shouldRefuseABodyOverTheLimitWith413AndKeepNothingOfIt) {
    const std::string big(SimHttpLine::kMaxBodyBytes + 1, 'x');
    httplib::Client analytics(sim().analytics().baseUrl(0));
    auto refused = analytics.Post("/check_config_update", big, "application/x-www-form-urlencoded");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 413);
    EXPECT_EQ(sim().analytics().requestCount("/check_config_update"), 0u);

    httplib::Client trade(sim().trade().server(0).lineBase(0));
    auto tradeRefused =
        trade.Post("/trade?req=firm_info", big, "application/x-www-form-urlencoded");
    ASSERT_TRUE(tradeRefused);
    EXPECT_EQ(tradeRefused->status, 413);

    auto accepted = analytics.Post("/check_config_update", "content=" + std::string(1000, 'x'),
                                   "application/x-www-form-urlencoded");
    ASSERT_TRUE(accepted);
    EXPECT_NE(accepted->status, 413);
    EXPECT_EQ(sim().analytics().requestCount("/check_config_update"), 1u);
}

TEST_F(SimLineTest, shouldHoldItsPortWhileRefusingSoThatItCanServeAgain) {
    SimHttpLine& line = sim().quoteServer(0).line(0);
    line.refuse();
    EXPECT_FALSE(httplib::Client(line.baseUrl()).Post("/quote"));
    const int other = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(line.port()));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_NE(::bind(other, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(other);
    EXPECT_TRUE(line.resume());
}

// Another simulator starting beside the line keeps trying the line's very port; every time the
// line stops serving, the rival tries at least twice before the line serves again.
TEST_F(SimLineTest, shouldKeepItsPortThroughRefusingAndServingAgainWhileARivalTriesToTakeIt) {
    SimHttpLine& line = sim().quoteServer(0).line(0);
    const int port = line.port();
    std::atomic<bool> done{false};
    std::atomic<int> tries{0};
    std::atomic<int> taken{0};
    std::thread rival([&] {
        while (!done) {
            SimHttpLine other([](httplib::Server&) {});
            taken += other.start(port) ? 1 : 0;
            ++tries;
        }
    });
    constexpr int kRounds = 50;
    int served = 0;
    for (int round = 0; round < kRounds; ++round) {
        line.refuse();
        const int seen = tries;
        while (tries < seen + 2) {
            std::this_thread::yield();
        }
        if (!line.resume() || !httplib::Client(line.baseUrl()).Get("/")) {
            break;
        }
        ++served;
    }
    done = true;
    rival.join();
    EXPECT_EQ(taken, 0);
    EXPECT_EQ(served, kRounds);
    EXPECT_EQ(line.port(), port);
}

TEST_F(SimLineTest, shouldAnswerOthersWhileManyConnectionsSendNothing) {
    std::vector<std::unique_ptr<SilentConnection>> silent;
    const int port = std::stoi(sim().analytics().baseUrl(0).substr(17));
    for (int i = 0; i < 200; ++i) {
        silent.push_back(std::make_unique<SilentConnection>(port));
        ASSERT_TRUE(silent.back()->connected());
    }
    httplib::Client client(sim().analytics().baseUrl(0));
    // Well under the line's read time-out, which a starved line would wait out first.
    client.set_read_timeout(2, 0);
    auto answer = client.Post("/check_config_update", "content=", "text/plain");
    ASSERT_TRUE(answer) << httplib::to_string(answer.error());
    EXPECT_EQ(answer->status, 200);
}

TEST_F(SimLineTest, shouldKeepOnlyRecentAnalyticsRequestsButCountThemAll) {
    const std::string body(64 * 1024, 'x');
    httplib::Client client(sim().analytics().baseUrl(0));
    const size_t sent = SimAnalyticsService::kKeptRequests + 44;
    for (size_t i = 0; i < sent; ++i) {
        ASSERT_TRUE(client.Post("/check_config_update", body, "text/plain"));
    }
    EXPECT_EQ(sim().analytics().requestCount("/check_config_update"), sent);
    const auto kept = sim().analytics().requests();
    EXPECT_LE(kept.size() * body.size(), SimAnalyticsService::kKeptBodyBytes);
    EXPECT_GT(kept.size(), 0u);

    const std::string large(SimHttpLine::kMaxBodyBytes, 'y');
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(client.Post("/check_config_update", large, "text/plain"));
    }
    size_t bytes = 0;
    for (const auto& request : sim().analytics().requests()) {
        bytes += request.body.size();
    }
    EXPECT_LE(bytes, SimAnalyticsService::kKeptBodyBytes);
    sim().analytics().clearRequests();
    EXPECT_EQ(sim().analytics().requestCount("/check_config_update"), 0u);
}

TEST_F(SimLineTest, shouldAnswerAHeldUploadAsItsHostWasSetWhenItCame) {
    SimAnalyticsService& analytics = sim().analytics();
    analytics.setLogAnswer(0, SimLogAnswer::Status500);
    analytics.holdUploads();
    int status = 0;
    std::thread upload([&] {
        httplib::Client client(analytics.baseUrl(0));
        const auto answer = client.Post("/app_logs", "held", "application/x-thrift");
        status = answer ? answer->status : -1;
    });
    while (analytics.heldUploads() == 0) {
        std::this_thread::yield();
    }
    analytics.setLogAnswer(0, SimLogAnswer::Accept);
    analytics.release();
    upload.join();
    EXPECT_EQ(status, 500);
}

TEST(SimCommandLineTest, shouldReadEveryPortOptionAndKeepTheClientsDefaults) {
    const char* plain[] = {"vkjy-sim"};
    auto defaults = SimCommandLine::parse(1, plain);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->directoryPort1, 18801);
    EXPECT_EQ(defaults->analyticsPrimaryPort, 18811);
    EXPECT_EQ(defaults->analyticsFallbackPort, 18812);
    EXPECT_EQ(defaults->controlPort, 0);
    EXPECT_TRUE(defaults->quotePorts.empty());

    const char* all[] = {"vkjy-sim",
                         "--analytics-ports",
                         "0",
                         "0",
                         "--directory-ports",
                         "0",
                         "0",
                         "--quote-ports",
                         "20001",
                         "20002",
                         "--trade-ports",
                         "0",
                         "20010",
                         "--control-port",
                         "20020",
                         "--seed",
                         "7",
                         "--manual"};
    auto parsed = SimCommandLine::parse(18, all);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->analyticsPrimaryPort, 0);
    EXPECT_EQ(parsed->directoryPort2, 0);
    EXPECT_EQ(parsed->quotePorts, (std::vector<int>{20001, 20002}));
    EXPECT_EQ(parsed->tradePorts, (std::vector<int>{0, 20010}));
    EXPECT_EQ(parsed->controlPort, 20020);
    EXPECT_EQ(parsed->seed, 7u);
    EXPECT_TRUE(parsed->manualClock);
}

TEST(SimCommandLineTest, shouldRefuseAMissingOrBadPort) {
    const std::vector<std::vector<const char*>> bad = {
        {"vkjy-sim", "--analytics-ports", "1"},
        {"vkjy-sim", "--control-port", "70000"},
        {"vkjy-sim", "--quote-ports"},
        {"vkjy-sim", "--trade-ports", "-1"},
        {"vkjy-sim", "--sideways"},
    };
    for (const auto& args : bad) {
        EXPECT_FALSE(SimCommandLine::parse(static_cast<int>(args.size()), args.data())) << args[1];
    }
}

TEST(SimExchangePortsTest, shouldRunTwoExchangesSideBySideOnFreePortsOrOnTheGivenOnes) {
    SimExchange first(SimExchange::testOptions());
    SimExchange second(SimExchange::testOptions());
    ASSERT_TRUE(first.start());
    ASSERT_TRUE(second.start());
    EXPECT_NE(first.analytics().baseUrl(0), second.analytics().baseUrl(0));
    EXPECT_NE(first.trade().server(0).lineBase(1), second.trade().server(0).lineBase(1));

    // Below the ports of outgoing connections, so that none of the clients' holds one when the
    // exchange starts again on the same ports.
    std::ifstream range("/proc/sys/net/ipv4/ip_local_port_range");
    int outgoing = 0;
    ASSERT_TRUE(range >> outgoing);
    EXPECT_LT(first.quoteServer(0).line(0).port(), outgoing);
    EXPECT_LT(second.trade().server(1).line(1).port(), outgoing);

    SimOptions fixed = SimExchange::testOptions();
    fixed.controlPort = first.quoteServer(0).line(0).port();
    SimExchange taken(fixed);
    EXPECT_FALSE(taken.start());
    fixed.controlPort = 0;
    fixed.tradePorts = {0, 0, 0, first.trade().server(1).line(1).port()};
    SimExchange tradeTaken(fixed);
    EXPECT_FALSE(tradeTaken.start());
}
