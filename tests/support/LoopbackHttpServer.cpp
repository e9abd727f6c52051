#include "support/LoopbackHttpServer.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <stdexcept>

namespace {

constexpr const char* kLoopback = "127.0.0.1";

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    // One request per connection: an idle kept-alive connection would hold stop() for seconds.
    m_server.set_keep_alive_max_count(1);
    m_port = m_server.bind_to_any_port(kLoopback);
    if (m_port <= 0) {
        throw std::runtime_error("cannot bind a loopback port");
    }
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stop();
}

void LoopbackHttpServer::start() {
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    // The socket already listens; stop() only works once the accept loop has begun.
    while (!m_server.is_running()) {
        std::this_thread::yield();
    }
}

void LoopbackHttpServer::stop() {
    m_server.stop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://" + std::string(kLoopback) + ":" + std::to_string(m_port) + path;
}

int LoopbackHttpServer::refusedPort() {
    // A socket bound but never listening, held for the life of the test program: connections
    // to its port are refused, and no one else can take the port meanwhile.
    static const int port = [] {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("cannot bind a loopback port");
        }
        return static_cast<int>(ntohs(address.sin_port));
    }();
    return port;
}
