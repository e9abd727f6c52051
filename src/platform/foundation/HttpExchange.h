#pragma once

#include <QMetaObject>
#include <QPointer>
#include <cstddef>
#include <functional>
#include <string>

#include "platform/foundation/HttpMessages.h"

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// One request in flight on a QNetworkAccessManager of the calling thread, with its time-out.
// Internal to HttpClient. Calls `done` exactly once, from that thread's event loop, unless it
// is destroyed first; destroying it aborts the transfer silently.
class HttpExchange {
public:
    using Done = std::function<void(HttpResponse response)>;

    HttpExchange(QNetworkAccessManager& manager, const HttpRequest& request, Done done);
    ~HttpExchange();
    HttpExchange(const HttpExchange&) = delete;
    HttpExchange& operator=(const HttpExchange&) = delete;

    // Whether Qt has given the request a connection (connecting for it or written on a kept
    // one). It opens a few per host and keeps the requests beyond them waiting on the device.
    bool hasLeft() const { return m_left; }

    // Exchanges alive on every thread.
    static std::size_t liveCount();

private:
    void onFinished();
    void onTimeout();
    void armTimeout();
    void release();
    void leaveRoad();

    QPointer<QNetworkReply> m_reply;
    QTimer* m_timer = nullptr;
    QMetaObject::Connection m_finishedConnection;
    QMetaObject::Connection m_timeoutConnection;
    QMetaObject::Connection m_connectingConnection;
    QMetaObject::Connection m_sentConnection;
    QMetaObject::Connection m_goneConnection;
    double m_deadline = 0;  // on the paced clock
    std::string m_road;     // the manager and host whose connections it waits for; "" once left
    bool m_timedOut = false;
    bool m_left = false;
    Done m_done;
};
