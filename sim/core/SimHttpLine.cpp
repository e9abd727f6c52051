#include "sim/core/SimHttpLine.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>

#include "platform/pace/PacedTime.h"
#include "sim/core/SimHold.h"
#include "sim/core/SimTaskQueue.h"

namespace {
const char* const kLoopback = "127.0.0.1";
// Many clients connecting at once must wait in the queue, not be refused.
constexpr int kListenBacklog = 1024;
constexpr double kIdleConnectionSeconds = 5;
constexpr int kLowestFreePort = 10000;
thread_local double t_arrival = 0;
thread_local int t_localPort = -1;
thread_local int t_remotePort = -1;
thread_local std::optional<PacedTime::Travel> t_work;

// The library's server, accepting on a socket the line opened.
class LineServer : public httplib::Server {
public:
    void acceptOn(int socket) { svr_sock_ = socket; }
};

int portOf(int fd, int (*name)(int, sockaddr*, socklen_t*)) {
    sockaddr_in address{};
    socklen_t length = sizeof(address);
    if (name(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        address.sin_family != AF_INET) {
        return -1;
    }
    return ntohs(address.sin_port);
}

void setOption(int socket, int option) {
    const int yes = 1;
    setsockopt(socket, SOL_SOCKET, option, &yes, sizeof(yes));
}

// A socket bound to that loopback port with that option set, or -1.
int bindTo(int port, int option) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    setOption(fd, option);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, kLoopback, &address.sin_addr);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

struct HeldPort {
    int socket;
    int keeper;
};

// The line's socket, listening on that port, and its keeper, or nothing.
// Another socket may bind a port whose socket does not listen (a line that refuses) when both
// have SO_REUSEADDR, as every line's has: closing connections of an earlier run must not keep a
// line from its port. The keeper, bound without it, lets no other socket bind the port. It shares
// the port with the line's socket through SO_REUSEPORT, which both set only once the line's
// socket holds the port, so that no other line can share it that way; the line's connections
// inherit it, and so do not keep the line from listening again while they close.
std::optional<HeldPort> holdPort(int port) {
    const int socket = bindTo(port, SO_REUSEADDR);
    if (socket < 0) {
        return std::nullopt;
    }
    setOption(socket, SO_REUSEPORT);
    const int keeper = bindTo(port, SO_REUSEPORT);
    if (keeper >= 0 && ::listen(socket, kListenBacklog) == 0) {
        return HeldPort{socket, keeper};
    }
    ::close(socket);
    if (keeper >= 0) {
        ::close(keeper);
    }
    return std::nullopt;
}

// A port the system chooses in a bind is given back when its socket stops listening: the system
// only names one here.
int aPortTheSystemChooses() {
    const int probe = bindTo(0, SO_REUSEADDR);
    if (probe < 0) {
        return -1;
    }
    const int port = portOf(probe, getsockname);
    ::close(probe);
    return port;
}

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
std::optional<HeldPort> holdAFreePort() {
    const int count = firstOutgoingPort() - kLowestFreePort;
    static std::atomic<int> next{static_cast<int>(std::random_device{}() % 65536)};
    for (int tries = 0; tries < count; ++tries) {
        if (auto held = holdPort(kLowestFreePort + next++ % count)) {
            return held;
        }
    }
    const int port = aPortTheSystemChooses();
    return port > 0 ? holdPort(port) : std::nullopt;
}

}  // namespace

double SimHttpLine::arrivalOfThisRequest() {
    return t_arrival;
}

bool SimHttpLine::clientStillWaiting() {
    return clientStillWaiting(thisConnection());
}

int SimHttpLine::thisConnection() {
    return t_localPort < 0 ? -1 : connectionSocket(t_localPort, t_remotePort);
}

int SimHttpLine::connectionSocket(int localPort, int remotePort) {
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

bool SimHttpLine::clientStillWaiting(int connection) {
    if (connection < 0) {
        return true;
    }
    // A closed connection reads as its end; an open one has nothing more to read.
    char next = 0;
    return recv(connection, &next, 1, MSG_PEEK | MSG_DONTWAIT) != 0;
}

bool SimHttpLine::working() {
    return t_work.has_value();
}

void SimHttpLine::setWorking(bool working) {
    if (!working) {
        t_work.reset();
    } else if (!t_work) {
        t_work.emplace();
    }
}

void SimHttpLine::dropThisConnection() {
    const int fd = thisConnection();
    if (fd >= 0) {
        ::shutdown(fd, SHUT_RDWR);
    }
}

SimHttpLine::SimHttpLine(Routes routes, bool counted)
    : m_routes(std::move(routes)), m_counted(counted) {}

SimHttpLine::~SimHttpLine() {
    stop();
}

std::string SimHttpLine::baseUrl() const {
    return std::string("http://") + kLoopback + ":" + std::to_string(m_port);
}

bool SimHttpLine::start(int port) {
    const auto held = port == 0 ? holdAFreePort() : holdPort(port);
    if (!held) {
        return false;
    }
    m_socket = held->socket;
    m_keeper = held->keeper;
    m_port = portOf(m_socket, getsockname);
    return serve();
}

// The library closes the socket it accepts on when that stops listening: it gets a copy.
bool SimHttpLine::serve() {
    const int accepting = fcntl(m_socket, F_DUPFD_CLOEXEC, 0);
    if (accepting < 0) {
        return false;
    }
    auto server = std::make_unique<LineServer>();
    server->new_task_queue = [] { return new SimTaskQueue; };
    server->set_payload_max_length(kMaxBodyBytes);
    // One request per connection: a line that stops refuses the very next request.
    server->set_keep_alive_max_count(1);
    // A connection that brings no request is closed after this, and a stopping line waits for
    // it. Real time at any time scale: a loaded machine can be slow to send the request of a
    // connection it opened, and the line must not close it as idle.
    server->set_keep_alive_timeout(static_cast<time_t>(kIdleConnectionSeconds));
    server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        t_arrival = PacedTime::runningSeconds();
        setWorking(m_counted);
        t_localPort = m_port;
        t_remotePort = request.remote_port;
        work();
        waitDelay();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    m_routes(*server);
    server->acceptOn(accepting);
    {
        std::lock_guard lock(m_mutex);
        m_halting = false;
    }
    m_server = std::move(server);
    m_thread = std::thread([server = m_server.get()] { server->listen_after_bind(); });
    return true;
}

// Shut down, the socket stops listening but keeps its port, and the accept loop ends (one that
// has not begun yet ends at once), after the requests in hand.
void SimHttpLine::halt() {
    if (!m_server) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_halting = true;
    }
    m_wake.notify_all();
    ::shutdown(m_socket, SHUT_RD);
    m_thread.join();
    m_server.reset();
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
    if (m_socket >= 0) {
        ::close(m_socket);
        ::close(m_keeper);
        m_socket = -1;
        m_keeper = -1;
    }
}

std::string SimHttpLine::fault() const {
    if (m_refusing) {
        return "refuses";
    }
    return m_delayMs > 0 ? "answers " + std::to_string(m_delayMs) + " ms late" : "";
}

std::vector<std::string> SimHttpLine::faults(
    const std::vector<std::unique_ptr<SimHttpLine>>& lines) {
    std::vector<std::string> found;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string fault = lines[i]->fault();
        if (!fault.empty()) {
            found.push_back("line " + std::to_string(i) + " " + fault);
        }
    }
    return found;
}

void SimHttpLine::refuse() {
    m_refusing = true;
    halt();
}

bool SimHttpLine::resume() {
    if (m_server) {
        return true;
    }
    if (m_socket < 0 || ::listen(m_socket, kListenBacklog) != 0) {
        return false;
    }
    m_refusing = false;
    return serve();
}

void SimHttpLine::work() {
    const int ms = m_workMs;
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

void SimHttpLine::waitDelay() {
    const int delay = m_delayMs;
    if (delay <= 0) {
        return;
    }
    std::unique_lock lock(m_mutex);
    SimHold::wait(
        m_wake, lock, [this] { return m_halting; }, delay);
}
