#pragma once

#include <httplib.h>

#include <functional>
#include <future>
#include <string>
#include <thread>

// A cpp-httplib server on 127.0.0.1 at a free port, serving from its own threads while the
// test drives the run loop. Register handlers on server() before start(), and no pre-routing
// handler of their own (holdAnswer needs the server's); the destructor stops it and waits for
// its threads.
class LoopbackHttpServer {
public:
    // How long a held answer waits for its release at most, in real seconds in which time ran
    // (PacedTime::runningSeconds): a guard against a test that never releases it.
    static constexpr double kLongestHoldSeconds = 10;

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    httplib::Server& server() { return m_server; }
    // Returns once the server accepts connections.
    void start();
    void stop();
    int port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by path.
    std::string url(const std::string& path) const;

    // A loopback port with nothing listening on it: connecting there is refused.
    static int refusedPort();

    // Holds the answer of the request that the calling handler serves until `released` is ready
    // or `longestSeconds` passed; whether it was released. Under a test clock, time
    // runs meanwhile, as while the simulator holds an answer (SimHold), until the request's
    // client gives up and closes its connection. A handler that blocks any other way is a server
    // working on the request: time stands still until it answers.
    static bool holdAnswer(const std::shared_future<void>& released,
                           double longestSeconds = kLongestHoldSeconds);
    // The same for `seconds` on the timers' clock (Timer::now()): a slow line whose delay the
    // client's own timers are measured against.
    static void holdAnswerFor(double seconds);

private:
    // Holds until released() or over(); released() waits a few milliseconds before it answers.
    static bool hold(const std::function<bool()>& released, const std::function<bool()>& over);

    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};
