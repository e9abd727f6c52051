#include "platform/foundation/HttpClient.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QPointer>
#include <atomic>
#include <map>
#include <mutex>
#include <optional>
#include <set>

#include "platform/foundation/GlobalQueue.h"
#include "platform/foundation/HttpExchange.h"

namespace {

// One manager for the main thread, owned by the application object so it goes before Qt does.
QNetworkAccessManager& mainManager() {
    static QPointer<QNetworkAccessManager> manager;
    if (!manager) {
        manager = new QNetworkAccessManager(QCoreApplication::instance());
    }
    return *manager;
}

// Synchronous sends waiting on workers. The application's destructor waits for the worker pool
// with no limit, and once it has begun no event is delivered on any thread, so neither an answer
// nor a time-out would ever end the wait: its post routine ends every such send, straight from
// the main thread, and none starts after it.
struct SyncSend {
    QAbstractEventDispatcher* dispatcher = nullptr;
    std::atomic<bool> ended{false};
};

struct SyncSends {
    std::mutex mutex;
    std::set<SyncSend*> sends;
    QCoreApplication* watched = nullptr;
    bool closing = false;
};

SyncSends& syncSends() {
    static SyncSends sends;
    return sends;
}

void stopSyncSends() {
    SyncSends& all = syncSends();
    std::lock_guard lock(all.mutex);
    all.closing = true;
    for (SyncSend* send : all.sends) {
        send->ended = true;
        send->dispatcher->wakeUp();
    }
}

void endSyncSends() {
    stopSyncSends();
    // A later application object starts afresh.
    QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] {
        std::lock_guard gone(syncSends().mutex);
        syncSends().watched = nullptr;
        syncSends().closing = false;
    });
}

// Makes the loop and registers the send unless the application is gone or going: a loop made
// without it would not run.
bool enterSyncSend(SyncSend& send, std::optional<QEventLoop>& loop) {
    SyncSends& all = syncSends();
    std::lock_guard lock(all.mutex);
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || all.closing) {
        return false;
    }
    if (all.watched != app) {
        qAddPostRoutine(endSyncSends);
        all.watched = app;
    }
    loop.emplace();
    send.dispatcher = QAbstractEventDispatcher::instance();
    all.sends.insert(&send);
    return send.dispatcher != nullptr;
}

void leaveSyncSend(SyncSend& send) {
    SyncSends& all = syncSends();
    std::lock_guard lock(all.mutex);
    all.sends.erase(&send);
}

HttpResponse applicationGone() {
    HttpResponse response;
    response.error = UrlError::Cancelled;
    response.errorText = "The application is closing.";
    return response;
}

}  // namespace

struct HttpClient::Impl {
    RequestId lastId = 0;
    std::map<RequestId, std::unique_ptr<HttpExchange>> inFlight;
};

HttpClient::HttpClient() : m_impl(std::make_unique<Impl>()) {}

HttpClient::~HttpClient() {
    cancelAll();
}

HttpClient::RequestId HttpClient::send(const HttpRequest& request, Completion completion) {
    RequestId id = ++m_impl->lastId;
    Impl* impl = m_impl.get();
    // The exchange has moved this out of itself before calling it, so erasing the exchange
    // leaves it intact; the completion may even destroy this client.
    auto done = [impl, id, completion = std::move(completion)](HttpResponse response) {
        impl->inFlight.erase(id);
        if (completion) {
            completion(response);
        }
    };
    m_impl->inFlight.emplace(id, std::make_unique<HttpExchange>(mainManager(), request, done));
    return id;
}

void HttpClient::cancel(RequestId id) {
    m_impl->inFlight.erase(id);
}

bool HttpClient::cancelIfWaiting(RequestId id) {
    const auto found = m_impl->inFlight.find(id);
    if (found == m_impl->inFlight.end() || found->second->hasLeft()) {
        return false;
    }
    m_impl->inFlight.erase(found);
    return true;
}

void HttpClient::cancelAll() {
    // Exchanges are taken out first so that nothing they do on destruction sees a half map.
    std::map<RequestId, std::unique_ptr<HttpExchange>> cancelled;
    cancelled.swap(m_impl->inFlight);
}

std::size_t HttpClient::requestsInFlight() const {
    return m_impl->inFlight.size();
}

std::size_t HttpClient::exchangesInFlight() {
    return HttpExchange::liveCount();
}

void HttpClient::closeIdleConnections() {
    mainManager().clearConnectionCache();
}

void HttpClient::endSynchronousSends() {
    stopSyncSends();
}

void HttpClient::allowSynchronousSends() {
    std::lock_guard lock(syncSends().mutex);
    syncSends().closing = false;
}

HttpResponse HttpClient::sendSynchronously(const HttpRequest& request) {
    SyncSend send;
    std::optional<QEventLoop> loop;
    if (!enterSyncSend(send, loop)) {
        leaveSyncSend(send);
        return applicationGone();
    }
    HttpResponse result;
    {
        // A manager of this thread's own, gone with the call: managers never cross threads.
        QNetworkAccessManager manager;
        bool finished = false;
        HttpExchange exchange(manager, request, [&](HttpResponse response) {
            result = std::move(response);
            finished = true;
            GlobalQueue::answerInHand();
        });
        // The exchange counts itself on the paced clock from here: the work's handling of an
        // earlier answer is over.
        GlobalQueue::awaitingAnswer();
        // A wake-up sent before the wait begins still ends it.
        while (!finished && !send.ended) {
            loop->processEvents(QEventLoop::WaitForMoreEvents);
        }
        if (!finished) {
            result = applicationGone();
        }
    }
    leaveSyncSend(send);
    return result;
}
