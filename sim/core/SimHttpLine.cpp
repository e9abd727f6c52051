#include "sim/core/SimHttpLine.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>

#include "sim/core/SimClock.h"
#include "sim/core/SimTaskQueue.h"

namespace {
const char* const kLoopback = "127.0.0.1";
constexpr std::chrono::seconds kStartDeadline{5};
// Many clients connecting at once must wait in the queue, not be refused.
constexpr int kListenBacklog = 1024;
constexpr double kIdleConnectionSeconds = 5;
constexpr int kLowestFreePort = 10000;
thread_local std::chrono::steady_clock::time_point t_arrival;
thread_local int t_localPort = -1;
thread_local int t_remotePort = -1;

// The start of the ports the system hands to outgoing connections (and to a bind to port 0).
int firstOutgoingPort() {
    std::ifstream range("/proc/sys/net/ipv4/ip_local_port_range");
    int first = 0;
    return range >> first ? first : 0;
}

// A free port below the ports of outgoing connections: a simulator started again on its ports
// must find them free, and the clients' many short connections would otherwise take one of them
// now and then in between. Probed from a random place, so that simulators starting side by side
// seldom meet; the system's choice where there is no room below.
int bindAFreePort(httplib::Server& server) {
    const int end = firstOutgoingPort();
    const int count = end - kLowestFreePort;
    if (count <= 0) {
        return server.bind_to_any_port(kLoopback);
    }
    static std::atomic<int> next{static_cast<int>(std::random_device{}() % 65536)};
    for (int tries = 0; tries < count; ++tries) {
        const int port = kLowestFreePort + next++ % count;
        if (server.bind_to_port(kLoopback, port)) {
            return port;
        }
    }
    return server.bind_to_any_port(kLoopback);
}

int portOf(int fd, int (*name)(int, sockaddr*, socklen_t*)) {
    sockaddr_in address{};
    socklen_t length = sizeof(address);
    if (name(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        address.sin_family != AF_INET) {
        return -1;
    }
    return ntohs(address.sin_port);
}

// The server's end of the connection between those ports, or -1.
int connectionSocket(int localPort, int remotePort) {
    DIR* fds = opendir("/proc/self/fd");
    if (!fds) {
        return -1;
    }
    int found = -1;
    while (dirent* entry = readdir(fds)) {
        const int fd = std::atoi(entry->d_name);
        if (fd > 2 && portOf(fd, getsockname) == localPort &&
            portOf(fd, getpeername) == remotePort) {
            found = fd;
            break;
        }
    }
    closedir(fds);
    return found;
}
}  // namespace

std::chrono::steady_clock::time_point SimHttpLine::arrivalOfThisRequest() {
    return t_arrival;
}

bool SimHttpLine::clientStillWaiting() {
    const int fd = t_localPort < 0 ? -1 : connectionSocket(t_localPort, t_remotePort);
    if (fd < 0) {
        return true;
    }
    // A closed connection reads as its end; an open one has nothing more to read.
    char next = 0;
    return recv(fd, &next, 1, MSG_PEEK | MSG_DONTWAIT) != 0;
}

SimHttpLine::SimHttpLine(Routes routes) : m_routes(std::move(routes)) {}

SimHttpLine::~SimHttpLine() {
    stop();
}

std::string SimHttpLine::baseUrl() const {
    return std::string("http://") + kLoopback + ":" + std::to_string(m_port);
}

bool SimHttpLine::listen(int port) {
    auto server = std::make_unique<httplib::Server>();
    int listening = -1;
    // Without SO_REUSEPORT: a line that serves again must not share its port with another process.
    server->set_socket_options([&listening](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        listening = sock;
    });
    server->new_task_queue = [] { return new SimTaskQueue; };
    server->set_payload_max_length(kMaxBodyBytes);
    // One request per connection: a line that stops refuses the very next request.
    server->set_keep_alive_max_count(1);
    // A connection that brings no request is closed after this, and a stopping line waits for
    // it: on the simulator's time scale, like every other span of the line.
    server->set_keep_alive_timeout(
        std::max<time_t>(1, std::lround(kIdleConnectionSeconds / SimClock::timeScale())));
    server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        t_arrival = std::chrono::steady_clock::now();
        t_localPort = m_port;
        t_remotePort = request.remote_port;
        waitDelay();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    m_routes(*server);
    if (port == 0) {
        port = bindAFreePort(*server);
        if (port <= 0) {
            return false;
        }
    } else if (!server->bind_to_port(kLoopback, port)) {
        return false;
    }
    // The library listens with a short fixed queue; listening again only lengthens it.
    ::listen(listening, kListenBacklog);
    m_port = port;
    {
        std::lock_guard lock(m_mutex);
        m_halting = false;
    }
    m_server = std::move(server);
    m_thread = std::thread([server = m_server.get()] { server->listen_after_bind(); });
    // A stop() that comes before the loop runs would be lost and leave the thread serving.
    const auto deadline = std::chrono::steady_clock::now() + kStartDeadline;
    while (!m_server->is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return m_server->is_running();
}

void SimHttpLine::halt() {
    if (!m_server) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_halting = true;
    }
    m_wake.notify_all();
    m_server->stop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_server.reset();
}

bool SimHttpLine::start(int port) {
    return listen(port);
}

std::vector<int> SimHttpLine::portSlice(const std::vector<int>& ports, size_t first, size_t count) {
    std::vector<int> slice(count, 0);
    for (size_t i = 0; i < count && first + i < ports.size(); ++i) {
        slice[i] = ports[first + i];
    }
    return slice;
}

void SimHttpLine::stop() {
    halt();
    releasePort();
}

void SimHttpLine::refuse() {
    m_refusing = true;
    halt();
    keepPort();
}

bool SimHttpLine::resume() {
    if (m_server) {
        return true;
    }
    m_refusing = false;
    releasePort();
    return listen(m_port);
}

// A freed port may go to another program's connection or server in the meantime (and did, on a
// busy machine): a socket bound to it holds it without accepting anything.
void SimHttpLine::keepPort() {
    if (m_keeper >= 0 || m_port <= 0) {
        return;
    }
    m_keeper = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int yes = 1;
    setsockopt(m_keeper, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(m_port));
    inet_pton(AF_INET, kLoopback, &address.sin_addr);
    if (::bind(m_keeper, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        releasePort();
    }
}

void SimHttpLine::releasePort() {
    if (m_keeper >= 0) {
        ::close(m_keeper);
        m_keeper = -1;
    }
}

void SimHttpLine::waitDelay() {
    const int delay = m_delayMs;
    if (delay <= 0) {
        return;
    }
    std::unique_lock lock(m_mutex);
    const std::chrono::duration<double, std::milli> span(delay / SimClock::timeScale());
    m_wake.wait_for(lock, span, [this] { return m_halting; });
}
