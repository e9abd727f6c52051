#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/HttpClient.h"
#include "platform/foundation/RunLoop.h"

namespace {

// Answers every connection on a loopback port with fixed bytes, then hangs up: for replies no
// real HTTP server would give. Clients may retry on a fresh connection; each gets the same.
// Each connection is served on its own thread, so no connection (a retry, or a stranger that
// reached this port because another test process let it go) can hold up another. The hang-up
// is a FIN after every byte and never a reset: the server half-closes, then reads until the
// client closes, so no unread request bytes are left behind.
class RawReplyServer {
public:
    explicit RawReplyServer(std::string reply) : m_reply(std::move(reply)) {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        listen(m_listener, SOMAXCONN);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_acceptor = std::thread([this] { serve(); });
    }
    ~RawReplyServer() {
        shutdown(m_listener, SHUT_RDWR);
        m_acceptor.join();
        for (std::thread& connection : m_connections) {
            connection.join();
        }
        close(m_listener);
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/"; }

private:
    void serve() {
        for (;;) {
            int connection = accept(m_listener, nullptr, nullptr);
            if (connection < 0) {
                return;
            }
            m_connections.emplace_back([this, connection] { answer(connection); });
        }
    }

    void answer(int connection) {
        // Bounds every read, so a silent stranger cannot keep the destructor waiting.
        timeval limit{kReadLimitSeconds, 0};
        setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            ssize_t n = read(connection, buffer, sizeof(buffer));
            if (n <= 0) {
                break;
            }
            request.append(buffer, static_cast<std::size_t>(n));
        }
        ssize_t written = write(connection, m_reply.data(), m_reply.size());
        (void)written;
        shutdown(connection, SHUT_WR);
        while (read(connection, buffer, sizeof(buffer)) > 0) {
        }
        close(connection);
    }

    static constexpr int kReadLimitSeconds = 30;

    std::string m_reply;
    int m_listener = -1;
    int m_port = 0;
    std::thread m_acceptor;
    std::vector<std::thread> m_connections;
};

HttpResponse fetch(const std::string& url, const std::string& method = "GET") {
    HttpClient client;
    HttpRequest request;
    request.url = url;
    request.method = method;
    // The loop outlasts the time-out, so the client's own verdict always arrives, even on a
    // machine too loaded to answer in time.
    request.timeoutSeconds = 20;
    std::optional<HttpResponse> answer;
    client.send(request, [&](const HttpResponse& response) { answer = response; });
    EXPECT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, 30));
    return answer.value_or(HttpResponse{});
}

}  // namespace

TEST(HttpClientRawReply, shouldReportConnectionLostWhenTheBodyIsCutShort) {
    RawReplyServer server("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly ten b");
    HttpResponse response = fetch(server.url());
    EXPECT_EQ(response.error, UrlError::NetworkConnectionLost) << response.errorText;
    EXPECT_TRUE(response.body.empty());
}

TEST(HttpClientRawReply, shouldReportConnectionLostWhenTheServerHangsUpSilently) {
    RawReplyServer server("");
    HttpResponse response = fetch(server.url());
    EXPECT_EQ(response.error, UrlError::NetworkConnectionLost) << response.errorText;
}

// A length that describes a body the answer never carries is no short body.
TEST(HttpClientRawReply, shouldAnswerAHeadRequestThatAnnouncesALength) {
    RawReplyServer server("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
    HttpResponse response = fetch(server.url(), "HEAD");
    EXPECT_EQ(response.error, UrlError::None) << response.errorText;
    EXPECT_EQ(response.statusCode, 200);
    EXPECT_EQ(response.header("Content-Length"), "100");
    EXPECT_TRUE(response.body.empty());
}

TEST(HttpClientRawReply, shouldAnswerANotModifiedStatusThatAnnouncesALength) {
    RawReplyServer server("HTTP/1.1 304 Not Modified\r\nContent-Length: 100\r\n\r\n");
    HttpResponse response = fetch(server.url());
    EXPECT_EQ(response.error, UrlError::None) << response.errorText;
    EXPECT_EQ(response.statusCode, 304);
    EXPECT_TRUE(response.body.empty());
}

TEST(HttpClientRawReply, shouldTakeAChunkedBodyWholeWhateverLengthItAlsoAnnounces) {
    RawReplyServer server(
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Length: 100\r\n\r\n"
        "5\r\nhello\r\n0\r\n\r\n");
    HttpResponse response = fetch(server.url());
    EXPECT_EQ(response.error, UrlError::None) << response.errorText;
    EXPECT_EQ(response.bodyText(), "hello");
}
