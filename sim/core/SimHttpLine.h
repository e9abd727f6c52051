#pragma once

// One line of a simulated service: a cpp-httplib server on a loopback port with its own accept
// thread and a growing pool of connection workers (SimTaskQueue), a long listen queue and a cap
// on body size.
// Tests can make it refuse connections, answer late, or serve again; from start() to stop() no
// other program can take its port. Owned by the service it belongs to; its control methods may
// be called from any thread, its handlers run on the server's threads.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

class SimHttpLine {
public:
    // A request body above this is refused with 413 before a route sees it.
    static constexpr size_t kMaxBodyBytes = 4 * 1024 * 1024;

    // Installs the routes on a fresh server; called again each time the line serves again.
    using Routes = std::function<void(httplib::Server&)>;

    // A line that is not `counted` is the tests' own channel to the simulator: paced time does
    // not stand still for its requests, which may wait for what only running time ends.
    explicit SimHttpLine(Routes routes, bool counted = true);
    ~SimHttpLine();
    SimHttpLine(const SimHttpLine&) = delete;
    SimHttpLine& operator=(const SimHttpLine&) = delete;

    // The ports of `count` lines starting at entry `first` of a port list; entries past its end
    // are 0 (a free port).
    static std::vector<int> portSlice(const std::vector<int>& ports, size_t first, size_t count);

    // Listens on a free port (port 0) or on the given one; false when that fails.
    bool start(int port = 0);
    void stop();
    int port() const { return m_port; }
    // "http://127.0.0.1:<port>"
    std::string baseUrl() const;

    // Stops listening: connections to the port are refused, and it stays the line's.
    void refuse();
    // Listens again; false when the line is not started.
    bool resume();
    bool refusing() const { return m_refusing; }

    // When the request that the calling route handler serves reached its line, before the
    // line's delay, in real seconds in which time ran (PacedTime::runningSeconds): handlers run
    // on the thread that read the request.
    static double arrivalOfThisRequest();
    // Whether the client of that request still holds its connection open, so that it will read
    // the answer; one that gave up waiting (its time-out on a slow line) has closed it. True
    // off a line's threads, and when the connection cannot be found.
    static bool clientStillWaiting();
    // The server's end of the connection of that request; -1 off a line's threads, or when it
    // cannot be found.
    static int thisConnection();
    // The server's end of the loopback connection between those ports, or -1: also for a test's
    // own server that holds an answer the way a line does.
    static int connectionSocket(int localPort, int remotePort);
    // Whether the client at the far end of that connection still holds it open; true for -1.
    static bool clientStillWaiting(int connection);
    // Whether the line is working on the request of the calling thread, which paced time
    // (PacedTime) counts as on its way: from its arrival until its connection is done with, but
    // for the spans in which it is held on purpose (SimHold).
    static bool working();
    static void setWorking(bool working);
    // Closes the connection of the request that the calling route handler serves, unanswered:
    // its client sees a line that broke under it.
    static void dropThisConnection();

    // Every reply of the line waits this long first (0: none), on the simulator's time scale.
    void setDelayMs(int delayMs) { m_delayMs = delayMs; }
    int delayMs() const { return m_delayMs; }
    // Every request is first worked on this long in real time (0: none), before its route and
    // the delay, as by a loaded machine: no hold, so paced time stands still meanwhile.
    void setWorkMs(int workMs) { m_workMs = workMs; }
    int workMs() const { return m_workMs; }
    // What the line does unlike a sound one (refuses, answers late), or empty.
    std::string fault() const;
    // "line <i> <fault>" for each of a service's lines that has one.
    static std::vector<std::string> faults(const std::vector<std::unique_ptr<SimHttpLine>>& lines);

private:
    bool serve();
    void halt();
    void waitDelay();
    void work();

    Routes m_routes;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    int m_socket = -1;  // listening, unless refusing
    int m_keeper = -1;  // bound beside it, so that no other socket can bind the port
    std::atomic<bool> m_refusing{false};
    std::atomic<int> m_delayMs{0};
    std::atomic<int> m_workMs{0};
    bool m_counted = true;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_halting = false;
};
