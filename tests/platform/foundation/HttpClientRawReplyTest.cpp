#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <thread>

#include "platform/foundation/HttpClient.h"
#include "platform/foundation/RunLoop.h"

namespace {

// Answers every connection on a loopback port with fixed bytes, then hangs up: for replies no
// real HTTP server would give. Clients may retry on a fresh connection; each gets the same.
class RawReplyServer {
public:
    explicit RawReplyServer(std::string reply) : m_reply(std::move(reply)) {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        listen(m_listener, 1);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~RawReplyServer() {
        shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
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
            answer(connection);
        }
    }

    void answer(int connection) {
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
        close(connection);
    }

    std::string m_reply;
    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
};

HttpResponse fetch(const std::string& url) {
    HttpClient client;
    HttpRequest request;
    request.url = url;
    request.timeoutSeconds = 10;
    std::optional<HttpResponse> answer;
    client.send(request, [&](const HttpResponse& response) { answer = response; });
    EXPECT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, 10));
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
