#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/foundation/HttpMessages.h"

// Sends HTTP requests, never from or to a cache. An instance lives on the main thread: its
// completions arrive there, on a later turn of the main run loop, one per request unless the
// request is cancelled first. Destroying the client cancels what it still has in flight, so an
// owner that holds its client by value never hears about a request after it is gone.
// sendSynchronously is for worker threads (GlobalQueue) and blocks until the exchange ends; once
// the application object is going it ends at once with UrlError::Cancelled.
class HttpClient {
public:
    using Completion = std::function<void(const HttpResponse& response)>;
    using RequestId = std::uint64_t;

    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    RequestId send(const HttpRequest& request, Completion completion);
    // No completion arrives for a cancelled request. Unknown or finished ids are ignored.
    void cancel(RequestId id);
    void cancelAll();
    // Cancels the request only while it still waits on the device for a free connection to its
    // host (a few go at once, the rest queue): true then, and no completion arrives. One that has
    // left, finished or is unknown is left alone.
    bool cancelIfWaiting(RequestId id);
    std::size_t requestsInFlight() const;
    // Requests in flight in the whole process, every client and thread: 0 once every reply has
    // come (or was cancelled). For tests that wait until the line is quiet.
    static std::size_t exchangesInFlight();
    // Closes the main thread's open connections that carry no request; requests in flight keep
    // theirs. For tests: a server they stop then need not wait for those to time out.
    static void closeIdleConnections();

    static HttpResponse sendSynchronously(const HttpRequest& request);
    // Ends every synchronous send under way (UrlError::Cancelled) and, until allowed again, every
    // later one at once: for an application that is ending and wants its workers back first.
    static void endSynchronousSends();
    static void allowSynchronousSends();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
