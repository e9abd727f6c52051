#include "support/LoopbackHttpServer.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

#include "platform/pace/PacedTime.h"
#include "sim/core/SimHttpLine.h"

namespace {

constexpr const char* kLoopback = "127.0.0.1";
// How often a held answer looks whether its client gave up: time runs meanwhile even while
// other requests of the client are on their way.
constexpr std::chrono::milliseconds kHoldLook{10};

// The connection of the request that the handler on this thread serves.
thread_local int t_localPort = -1;
thread_local int t_remotePort = -1;

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    // One request per connection: an idle kept-alive connection would hold stop() for seconds.
    m_server.set_keep_alive_max_count(1);
    m_port = m_server.bind_to_any_port(kLoopback);
    if (m_port <= 0) {
        throw std::runtime_error("cannot bind a loopback port");
    }
    m_server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        t_localPort = m_port;
        t_remotePort = request.remote_port;
        return httplib::Server::HandlerResponse::Unhandled;
    });
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

bool LoopbackHttpServer::holdAnswer(const std::shared_future<void>& released,
                                    double longestSeconds) {
    // Spans in which other requests kept time still do not count: they do not bring the
    // client's time-out nearer.
    const double end = PacedTime::runningSeconds() + longestSeconds;
    return hold([&] { return released.wait_for(kHoldLook) == std::future_status::ready; },
                [end] { return PacedTime::runningSeconds() >= end; });
}

void LoopbackHttpServer::holdAnswerFor(double seconds) {
    const double end = PacedTime::seconds() + seconds;
    hold(
        [end] {
            std::this_thread::sleep_for(kHoldLook);
            return PacedTime::seconds() >= end;
        },
        [] { return false; });
}

bool LoopbackHttpServer::hold(const std::function<bool()>& released,
                              const std::function<bool()>& over) {
    PacedTime::Hold hold;
    const int connection =
        t_localPort < 0 ? -1 : SimHttpLine::connectionSocket(t_localPort, t_remotePort);
    bool clientWaits = true;
    while (!released()) {
        clientWaits = clientWaits && SimHttpLine::clientStillWaiting(connection);
        if (!clientWaits) {
            // Nobody reads this answer any more: what else is on its way stops time again.
            hold.end();
        }
        if (over()) {
            return false;
        }
    }
    return true;
}
