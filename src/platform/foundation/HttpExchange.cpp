#include "platform/foundation/HttpExchange.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/pace/PacedTime.h"

namespace {

std::atomic<std::size_t> g_live{0};

// Qt opens this many connections per host and manager; requests beyond them wait on the device.
constexpr std::size_t kConnectionsPerHost = 6;

// The requests on their way, told to the paced clock. One that waits on the device for a
// connection is not on its way: counting it would keep time still while the exchange holds the
// answers of all the connections on purpose, and so keep their time-outs from ever coming.
struct Roads {
    std::mutex mutex;
    std::map<std::string, std::vector<std::unique_ptr<PacedTime::Travel>>> travels;
    std::map<std::string, std::size_t> live;

    void enter(const std::string& road) {
        std::lock_guard lock(mutex);
        if (++live[road] <= kConnectionsPerHost) {
            travels[road].push_back(std::make_unique<PacedTime::Travel>());
        }
    }

    void leave(const std::string& road) {
        std::lock_guard lock(mutex);
        if (--live[road] < kConnectionsPerHost) {
            travels[road].pop_back();
        }
        if (live[road] == 0) {
            live.erase(road);
            travels.erase(road);
        }
    }
};

Roads& roads() {
    static Roads all;
    return all;
}

std::string roadOf(const QNetworkAccessManager& manager, const HttpRequest& request) {
    const QUrl url(QString::fromStdString(request.url));
    return std::to_string(reinterpret_cast<std::uintptr_t>(&manager)) + " " +
           url.host().toStdString() + ":" + std::to_string(url.port());
}

QByteArray toByteArray(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

Bytes toBytes(const QByteArray& array) {
    return Bytes(array.begin(), array.end());
}

QNetworkRequest toNetworkRequest(const HttpRequest& request) {
    QNetworkRequest networkRequest(QUrl(QString::fromStdString(request.url)));
    networkRequest.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                                QNetworkRequest::AlwaysNetwork);
    networkRequest.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // The phone platform sends a body without a type as a form; so do we, and Qt stays quiet.
    // A caller's own Content-Type replaces it below.
    if (!request.body.empty()) {
        networkRequest.setHeader(QNetworkRequest::ContentTypeHeader,
                                 "application/x-www-form-urlencoded");
    }
    for (const auto& [name, value] : request.headers) {
        networkRequest.setRawHeader(QByteArray::fromStdString(name),
                                    QByteArray::fromStdString(value));
    }
    return networkRequest;
}

QNetworkReply* start(QNetworkAccessManager& manager, const HttpRequest& request) {
    QNetworkRequest networkRequest = toNetworkRequest(request);
    if (request.method == "GET" && request.body.empty()) {
        return manager.get(networkRequest);
    }
    // As a custom verb Qt would wait for the body the announced length describes.
    if (request.method == "HEAD" && request.body.empty()) {
        return manager.head(networkRequest);
    }
    return manager.sendCustomRequest(networkRequest, QByteArray::fromStdString(request.method),
                                     toByteArray(request.body));
}

int urlErrorFor(QNetworkReply::NetworkError error, bool timedOut) {
    switch (error) {
        case QNetworkReply::ConnectionRefusedError:
            return UrlError::CannotConnectToHost;
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError:
            return UrlError::NetworkConnectionLost;
        case QNetworkReply::HostNotFoundError:
            return UrlError::CannotFindHost;
        case QNetworkReply::TimeoutError:
            return UrlError::TimedOut;
        case QNetworkReply::OperationCanceledError:
            return timedOut ? UrlError::TimedOut : UrlError::Cancelled;
        case QNetworkReply::SslHandshakeFailedError:
            return UrlError::SecureConnectionFailed;
        case QNetworkReply::TooManyRedirectsError:
            return UrlError::HttpTooManyRedirects;
        case QNetworkReply::ProtocolUnknownError:
            return UrlError::UnsupportedUrl;
        case QNetworkReply::ProtocolFailure:
            return UrlError::BadServerResponse;
        default:
            return UrlError::Unknown;
    }
}

// Transport errors are below 100; everything from there up describes an answer the server gave.
bool isTransportError(QNetworkReply::NetworkError error) {
    return error != QNetworkReply::NoError && error < QNetworkReply::ProxyConnectionRefusedError;
}

// Qt can finish a reply whose connection closed before the announced Content-Length arrived
// as if the close ended the body, depending on the order it sees the data and the close in.
// A short body is a lost connection, never an answer. Qt drops the header when it inflates;
// HEAD answers and 1xx, 204 and 304 statuses carry no body whatever the header says, and a
// chunked body's length is its chunks'.
bool isCutShort(QNetworkReply& reply, int status, qsizetype bodySize) {
    const QByteArray announced = reply.rawHeader("Content-Length");
    const bool bodiless = reply.operation() == QNetworkAccessManager::HeadOperation ||
                          status < 200 || status == 204 || status == 304;
    if (announced.isEmpty() || bodiless || reply.hasRawHeader("Transfer-Encoding")) {
        return false;
    }
    bool valid = false;
    const qlonglong length = announced.trimmed().toLongLong(&valid);
    return valid && bodySize < length;
}

HttpResponse responseFrom(QNetworkReply& reply, bool timedOut) {
    HttpResponse response;
    QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    QNetworkReply::NetworkError error = reply.error();
    if (timedOut || isTransportError(error) || !status.isValid()) {
        response.error = error == QNetworkReply::NoError ? UrlError::BadServerResponse
                                                         : urlErrorFor(error, timedOut);
        response.errorText =
            timedOut ? "The request timed out." : reply.errorString().toStdString();
        return response;
    }
    const QByteArray body = reply.readAll();
    if (isCutShort(reply, status.toInt(), body.size())) {
        response.error = UrlError::NetworkConnectionLost;
        response.errorText = "The network connection was lost.";
        return response;
    }
    response.statusCode = status.toInt();
    for (const auto& [name, value] : reply.rawHeaderPairs()) {
        response.headers.emplace_back(name.toStdString(), value.toStdString());
    }
    response.body = toBytes(body);
    return response;
}

// While time stands still a time-out that is due looks again this often.
constexpr int kStillLookMs = 5;

// The time-out's span on the paced clock, which a test may run faster than the wall clock.
double timeoutSeconds(double seconds) {
    constexpr double kLongest = std::numeric_limits<int>::max() / 1000.0;
    // A time-out of zero or less would expire at once: take the default instead.
    if (!(seconds > 0)) {
        seconds = HttpRequest::kDefaultTimeoutSeconds;
    }
    return std::min(seconds, kLongest);
}

}  // namespace

HttpExchange::HttpExchange(QNetworkAccessManager& manager, const HttpRequest& request, Done done)
    : m_road(roadOf(manager, request)), m_done(std::move(done)) {
    ++g_live;
    // Counted before Qt's network thread can deliver it.
    roads().enter(m_road);
    m_reply = start(manager, request);
    // Parented to the reply, so the timer goes wherever the reply goes.
    m_timer = new QTimer(m_reply);
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timeoutConnection = QObject::connect(m_timer, &QTimer::timeout, [this] { onTimeout(); });
    m_finishedConnection =
        QObject::connect(m_reply, &QNetworkReply::finished, [this] { onFinished(); });
    // Told from Qt's network thread: the connecting comes well before the server can read the
    // request, the sending only just after.
    m_connectingConnection = QObject::connect(m_reply, &QNetworkReply::socketStartedConnecting,
                                              [this] { m_left = true; });
    m_sentConnection =
        QObject::connect(m_reply, &QNetworkReply::requestSent, [this] { m_left = true; });
    // A manager that goes with the application deletes its replies, which then never finish.
    m_goneConnection = QObject::connect(m_reply, &QObject::destroyed, [this] { leaveRoad(); });
    m_deadline = PacedTime::seconds() + timeoutSeconds(request.timeoutSeconds);
    armTimeout();
}

HttpExchange::~HttpExchange() {
    release();
    --g_live;
}

std::size_t HttpExchange::liveCount() {
    return g_live;
}

void HttpExchange::armTimeout() {
    const double ahead = m_deadline - PacedTime::seconds();
    constexpr double kLongestMs = std::numeric_limits<int>::max();
    int wait =
        static_cast<int>(std::ceil(std::min(ahead * 1000.0 / PacedTime::scale(), kLongestMs)));
    if (ahead > 0 && PacedTime::still()) {
        wait = std::max(wait, kStillLookMs);
    }
    m_timer->start(std::max(wait, 0));
}

void HttpExchange::onTimeout() {
    if (PacedTime::seconds() < m_deadline) {
        armTimeout();
        return;
    }
    m_timedOut = true;
    m_reply->abort();
}

void HttpExchange::onFinished() {
    HttpResponse response = responseFrom(*m_reply, m_timedOut);
    release();
    // Last step: `done` may destroy this exchange.
    Done done = std::move(m_done);
    done(std::move(response));
}

void HttpExchange::leaveRoad() {
    if (!m_road.empty()) {
        roads().leave(m_road);
        m_road.clear();
    }
}

void HttpExchange::release() {
    leaveRoad();
    if (!m_reply) {
        return;
    }
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    QObject::disconnect(m_goneConnection);
    m_timer->stop();
    QObject::disconnect(m_finishedConnection);
    QObject::disconnect(m_timeoutConnection);
    QObject::disconnect(m_connectingConnection);
    QObject::disconnect(m_sentConnection);
    if (reply->isRunning()) {
        reply->abort();
    }
    // The reply may be delivering the signal that brought us here.
    reply->deleteLater();
}
