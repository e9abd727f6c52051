#pragma once

#include <httplib.h>

#include <string>
#include <thread>

// A cpp-httplib server on 127.0.0.1 at a free port, serving from its own threads while the
// test drives the run loop. Register handlers on server() before start(); the destructor stops
// it and waits for its threads.
class LoopbackHttpServer {
public:
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

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};
