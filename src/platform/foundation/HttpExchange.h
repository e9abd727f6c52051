#pragma once

#include <QMetaObject>
#include <QPointer>
#include <cstddef>
#include <functional>

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

    // Exchanges alive on every thread.
    static std::size_t liveCount();

private:
    void onFinished();
    void onTimeout();
    void release();

    QPointer<QNetworkReply> m_reply;
    QTimer* m_timer = nullptr;
    QMetaObject::Connection m_finishedConnection;
    QMetaObject::Connection m_timeoutConnection;
    bool m_timedOut = false;
    Done m_done;
};
