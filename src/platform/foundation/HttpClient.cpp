#include "platform/foundation/HttpClient.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QPointer>
#include <map>

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

HttpResponse HttpClient::sendSynchronously(const HttpRequest& request) {
    // A manager of this thread's own, gone with the call: managers never cross threads, and a
    // pooled worker thread may outlive the application object.
    QNetworkAccessManager manager;
    QEventLoop loop;
    HttpResponse result;
    bool finished = false;
    HttpExchange exchange(manager, request, [&](HttpResponse response) {
        result = std::move(response);
        finished = true;
        loop.quit();
    });
    if (!finished) {
        loop.exec();
    }
    return result;
}
