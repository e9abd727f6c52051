#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QProcess>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/GlobalQueue.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/HttpExchange.h"
#include "platform/foundation/MainQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Timer.h"
#include "platform/pace/PacedTime.h"
#include "support/LoopbackHttpServer.h"
#include "support/TestClock.h"

namespace {

constexpr double kDeadline = 10.0;

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A gate the slow handlers wait at; opened at the end of each test so the server can stop.
class Gate {
public:
    void open() {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    void arrive() {
        std::lock_guard lock(m_mutex);
        ++m_arrived;
        m_changed.notify_all();
    }
    // Waits until `count` callers arrived or the gate opened, at most a few seconds.
    bool waitFor(int count) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(5),
                                  [&] { return m_open || m_arrived >= count; });
    }
    int arrived() {
        std::lock_guard lock(m_mutex);
        return m_arrived;
    }
    void waitOpen() {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(5), [&] { return m_open; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
    int m_arrived = 0;
};

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_server.server().Get(
            "/hello", [](const httplib::Request& request, httplib::Response& response) {
                response.set_header("X-Reply", "yes");
                response.set_header("X-Token-Seen", request.get_header_value("X-Token"));
                response.set_content("你好, world", "text/plain; charset=utf-8");
            });
        m_server.server().Post(
            "/echo", [](const httplib::Request& request, httplib::Response& response) {
                response.set_header("X-Method", request.method);
                response.set_header("X-Content-Type", request.get_header_value("Content-Type"));
                response.set_header("X-Content-Length", request.get_header_value("Content-Length"));
                response.set_content(request.body, "application/octet-stream");
            });
        m_server.server().Get("/fail", [](const httplib::Request&, httplib::Response& response) {
            response.status = 500;
            response.set_content("server trouble", "text/plain");
        });
        const auto slow = [this](const httplib::Request&, httplib::Response& response) {
            m_slowArrived.arrive();
            m_slowGate.waitOpen();
            response.set_content("late", "text/plain");
        };
        // Slow as a loaded machine is: it works on the request, it holds nothing on purpose.
        m_server.server().Get("/busy", [](const httplib::Request& request,
                                          httplib::Response& response) {
            std::this_thread::sleep_for(
                std::chrono::milliseconds(std::stoi(request.get_param_value("ms"))));
            response.set_content("done", "text/plain");
        });
        m_server.server().Get("/slow", slow);
        m_server.server().Post("/slow", slow);
        m_server.server().Get("/held", [this](const httplib::Request&, httplib::Response& response) {
            LoopbackHttpServer::holdAnswer(m_heldReleased);
            response.set_content("held", "text/plain");
        });
        m_server.server().Get(
            "/together", [this](const httplib::Request& request, httplib::Response& response) {
                m_together.arrive();
                bool allArrived = m_together.waitFor(kParallel);
                response.set_content(request.get_param_value("n") + (allArrived ? "" : "-alone"),
                                     "text/plain");
            });
        m_server.start();
    }

    void TearDown() override {
        m_heldRelease.set_value();
        m_slowGate.open();
        m_together.open();
        m_server.stop();
    }

    HttpRequest get(const std::string& path, double timeout = kDeadline) {
        HttpRequest request;
        request.url = m_server.url(path);
        request.timeoutSeconds = timeout;
        return request;
    }

    // Runs the loop through one whole exchange on a client of its own, so that anything still
    // queued for earlier requests has had its chance to be delivered.
    void spinThroughAnotherExchange() {
        HttpClient other;
        std::optional<HttpResponse> answer;
        other.send(get("/hello"), [&](const HttpResponse& response) { answer = response; });
        ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    }

    static constexpr int kParallel = 5;
    LoopbackHttpServer m_server;
    Gate m_slowGate;
    Gate m_slowArrived;
    Gate m_together;
    std::promise<void> m_heldRelease;
    std::shared_future<void> m_heldReleased = m_heldRelease.get_future().share();
};

}  // namespace

TEST_F(HttpClientTest, shouldDeliverStatusHeadersAndBodyOnTheMainLoop) {
    HttpClient client;
    HttpRequest request = get("/hello");
    request.headers.emplace_back("X-Token", "abc");
    std::optional<HttpResponse> answer;
    std::thread::id mainThread = std::this_thread::get_id();
    std::thread::id completionThread;
    client.send(request, [&](const HttpResponse& response) {
        completionThread = std::this_thread::get_id();
        answer = response;
    });
    EXPECT_FALSE(answer.has_value());
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    EXPECT_EQ(completionThread, mainThread);
    EXPECT_FALSE(answer->failed());
    EXPECT_EQ(answer->statusCode, 200);
    EXPECT_EQ(answer->bodyText(), "你好, world");
    EXPECT_EQ(answer->header("x-reply"), "yes");
    EXPECT_EQ(answer->header("X-Token-Seen"), "abc");
    EXPECT_EQ(answer->header("Content-Type"), "text/plain; charset=utf-8");
    EXPECT_EQ(client.requestsInFlight(), 0u);
}

TEST_F(HttpClientTest, shouldPostTheBodyBytesWithMethodTypeAndLength) {
    HttpClient client;
    HttpRequest request = get("/echo");
    request.method = "POST";
    request.body = bytesOf("{\"名\" : \"值\"}");
    request.body.push_back(0);
    request.body.push_back(0xFF);
    std::optional<HttpResponse> answer;
    client.send(request, [&](const HttpResponse& response) { answer = response; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    ASSERT_FALSE(answer->failed()) << answer->errorText;
    EXPECT_EQ(answer->header("X-Method"), "POST");
    // A body without a declared type goes as a form, the way the phone platform sends it.
    EXPECT_EQ(answer->header("X-Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(answer->header("X-Content-Length"), std::to_string(request.body.size()));
    EXPECT_EQ(answer->body, request.body);
}

TEST_F(HttpClientTest, shouldSendTheCallersOwnContentTypeAndLength) {
    HttpClient client;
    HttpRequest request = get("/echo");
    request.method = "POST";
    request.body = {0x04, 0x00, 0x03, 0x00, 0x31, 0x2E, 0x30};
    request.headers.emplace_back("content-type", "binary");
    request.headers.emplace_back("Content-Length", std::to_string(request.body.size()));
    std::optional<HttpResponse> answer;
    client.send(request, [&](const HttpResponse& response) { answer = response; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    EXPECT_EQ(answer->header("X-Content-Type"), "binary");
    EXPECT_EQ(answer->header("X-Content-Length"), "7");
    EXPECT_EQ(answer->body, request.body);
}

TEST_F(HttpClientTest, shouldTreatStatus500AsAnAnswerNotAnError) {
    HttpClient client;
    std::optional<HttpResponse> answer;
    client.send(get("/fail"), [&](const HttpResponse& response) { answer = response; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    EXPECT_EQ(answer->error, UrlError::None);
    EXPECT_EQ(answer->statusCode, 500);
    EXPECT_EQ(answer->bodyText(), "server trouble");
}

TEST_F(HttpClientTest, shouldTreatAMissingPageAsAnAnswer) {
    HttpClient client;
    std::optional<HttpResponse> answer;
    client.send(get("/nowhere"), [&](const HttpResponse& response) { answer = response; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    EXPECT_FALSE(answer->failed());
    EXPECT_EQ(answer->statusCode, 404);
}

TEST_F(HttpClientTest, shouldReportCannotConnectForARefusedPort) {
    HttpClient client;
    HttpRequest request;
    request.url = "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::refusedPort()) + "/";
    std::optional<HttpResponse> answer;
    client.send(request, [&](const HttpResponse& response) { answer = response; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    EXPECT_EQ(answer->error, UrlError::CannotConnectToHost);
    EXPECT_EQ(answer->statusCode, 0);
    EXPECT_TRUE(answer->body.empty());
}

TEST_F(HttpClientTest, shouldReportUnsupportedUrlForAnUnknownScheme) {
    HttpClient client;
    HttpRequest request;
    request.url = "nonsense://127.0.0.1/";
    std::optional<HttpResponse> answer;
    client.send(request, [&](const HttpResponse& response) { answer = response; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    EXPECT_EQ(answer->error, UrlError::UnsupportedUrl);
}

TEST_F(HttpClientTest, shouldTimeOutASlowAnswerAtTheGivenTime) {
    HttpClient client;
    std::optional<HttpResponse> answer;
    auto started = std::chrono::steady_clock::now();
    client.send(get("/slow", 0.3), [&](const HttpResponse& response) { answer = response; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(answer->error, UrlError::TimedOut);
    EXPECT_GE(elapsed, 0.29);
    EXPECT_LT(elapsed, 3.0);
}

TEST_F(HttpClientTest, shouldCompleteSeveralRequestsInFlightAtOnce) {
    HttpClient client;
    std::vector<std::string> bodies;
    for (int i = 0; i < kParallel; ++i) {
        client.send(get("/together?n=" + std::to_string(i)),
                    [&](const HttpResponse& response) { bodies.push_back(response.bodyText()); });
    }
    EXPECT_EQ(client.requestsInFlight(), static_cast<std::size_t>(kParallel));
    ASSERT_TRUE(RunLoop::runUntil([&] { return bodies.size() == kParallel; }, kDeadline));
    std::sort(bodies.begin(), bodies.end());
    // Each handler waited for all the others: none of them was answered alone.
    EXPECT_EQ(bodies, (std::vector<std::string>{"0", "1", "2", "3", "4"}));
}

TEST_F(HttpClientTest, shouldDeliverNothingForACancelledRequest) {
    HttpClient client;
    bool cancelledCalled = false;
    HttpClient::RequestId slow =
        client.send(get("/slow"), [&](const HttpResponse&) { cancelledCalled = true; });
    HttpClient::RequestId quick =
        client.send(get("/hello"), [&](const HttpResponse&) { cancelledCalled = true; });
    client.cancel(quick);
    ASSERT_TRUE(m_slowArrived.waitFor(1));
    client.cancel(slow);
    EXPECT_EQ(client.requestsInFlight(), 0u);
    m_slowGate.open();
    spinThroughAnotherExchange();
    EXPECT_FALSE(cancelledCalled);
}

// Qt writes a few requests to one host at once and keeps the rest on the device: only those can
// still be taken back before they reach the server. Posts, as every trading request is one.
TEST_F(HttpClientTest, shouldCancelOnlyTheRequestsStillWaitingOnTheDevice) {
    constexpr int kSent = 10;
    HttpClient client;
    std::vector<HttpClient::RequestId> ids;
    int answers = 0;
    HttpRequest post = get("/slow");
    post.method = "POST";
    post.body = bytesOf("{\"name\":\"firm_info\"}");
    for (int i = 0; i < kSent; ++i) {
        ids.push_back(client.send(post, [&](const HttpResponse&) { ++answers; }));
    }
    ASSERT_TRUE(RunLoop::runUntil([&] { return m_slowArrived.arrived() > 0; }, kDeadline));
    // Whatever the device lets through at once has reached the server.
    EXPECT_FALSE(RunLoop::runFor(0.5, [&] { return m_slowArrived.arrived() >= kSent; }));
    const int onTheLine = m_slowArrived.arrived();
    int cancelled = 0;
    for (HttpClient::RequestId id : ids) {
        cancelled += client.cancelIfWaiting(id) ? 1 : 0;
    }
    EXPECT_EQ(cancelled, kSent - onTheLine);
    m_slowGate.open();
    ASSERT_TRUE(RunLoop::runUntil([&] { return answers == onTheLine; }, kDeadline));
    spinThroughAnotherExchange();
    EXPECT_EQ(answers, onTheLine) << "a cancelled request is not heard of";
    EXPECT_EQ(m_slowArrived.arrived(), onTheLine) << "a cancelled request never left the device";
}

TEST_F(HttpClientTest, shouldCancelWhatIsInFlightWhenTheClientGoes) {
    auto client = std::make_unique<HttpClient>();
    bool called = false;
    client->send(get("/slow"), [&](const HttpResponse&) { called = true; });
    ASSERT_TRUE(m_slowArrived.waitFor(1));
    client.reset();
    m_slowGate.open();
    spinThroughAnotherExchange();
    EXPECT_FALSE(called);
}

TEST_F(HttpClientTest, shouldLetACompletionDestroyItsOwnClient) {
    auto client = std::make_unique<HttpClient>();
    int calls = 0;
    client->send(get("/hello"), [&](const HttpResponse&) {
        ++calls;
        client.reset();
    });
    client->send(get("/slow"), [&](const HttpResponse&) { ++calls; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return client == nullptr; }, kDeadline));
    m_slowGate.open();
    spinThroughAnotherExchange();
    EXPECT_EQ(calls, 1);
}

TEST_F(HttpClientTest, shouldAnswerSynchronouslyOnAWorkerThread) {
    std::optional<HttpResponse> answer;
    std::optional<HttpResponse> refused;
    std::atomic<bool> onWorker{false};
    std::thread::id mainThread = std::this_thread::get_id();
    HttpRequest request = get("/hello");
    HttpRequest refusedRequest;
    refusedRequest.url =
        "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::refusedPort()) + "/";
    GlobalQueue::post([&, request, refusedRequest] {
        onWorker = std::this_thread::get_id() != mainThread;
        HttpResponse response = HttpClient::sendSynchronously(request);
        HttpResponse failure = HttpClient::sendSynchronously(refusedRequest);
        MainQueue::post([&, response, failure] {
            answer = response;
            refused = failure;
        });
    });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    EXPECT_TRUE(onWorker);
    EXPECT_EQ(answer->statusCode, 200);
    EXPECT_EQ(answer->bodyText(), "你好, world");
    EXPECT_EQ(refused->error, UrlError::CannotConnectToHost);
}

TEST_F(HttpClientTest, shouldTimeOutSynchronouslyOnAWorkerThread) {
    std::optional<HttpResponse> answer;
    HttpRequest request = get("/slow", 0.2);
    GlobalQueue::post([&, request] {
        HttpResponse response = HttpClient::sendSynchronously(request);
        MainQueue::post([&, response] { answer = response; });
    });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, kDeadline));
    EXPECT_EQ(answer->error, UrlError::TimedOut);
}

TEST_F(HttpClientTest, shouldEndSynchronousSendsUntilTheyAreAllowedAgain) {
    const std::size_t before = HttpClient::exchangesInFlight();
    std::optional<HttpResponse> ended;
    std::optional<HttpResponse> allowed;
    const auto sendOnAWorker = [](HttpRequest request, std::optional<HttpResponse>& answer) {
        GlobalQueue::post([&answer, request] {
            HttpResponse response = HttpClient::sendSynchronously(request);
            MainQueue::post([&answer, response] { answer = response; });
        });
    };
    sendOnAWorker(get("/slow"), ended);
    ASSERT_TRUE(
        RunLoop::runUntil([&] { return HttpClient::exchangesInFlight() > before; }, kDeadline));
    HttpClient::endSynchronousSends();
    ASSERT_TRUE(RunLoop::runUntil([&] { return ended.has_value(); }, kDeadline));
    EXPECT_EQ(ended->error, UrlError::Cancelled);
    EXPECT_EQ(HttpClient::sendSynchronously(get("/hello")).error, UrlError::Cancelled);

    HttpClient::allowSynchronousSends();
    sendOnAWorker(get("/hello"), allowed);
    ASSERT_TRUE(RunLoop::runUntil([&] { return allowed.has_value(); }, kDeadline));
    EXPECT_EQ(allowed->statusCode, 200);
}

TEST_F(HttpClientTest, shouldCountTheRequestsInFlightOfEveryClient) {
    const std::size_t before = HttpClient::exchangesInFlight();
    HttpClient first;
    auto second = std::make_unique<HttpClient>();
    bool answered = false;
    first.send(get("/hello"), [&](const HttpResponse&) { answered = true; });
    second->send(get("/slow"), [](const HttpResponse&) {});
    second->send(get("/slow"), [](const HttpResponse&) {});
    EXPECT_EQ(HttpClient::exchangesInFlight(), before + 3);
    ASSERT_TRUE(RunLoop::runUntil([&] { return answered; }, kDeadline));
    EXPECT_EQ(HttpClient::exchangesInFlight(), before + 2);
    second.reset();
    EXPECT_EQ(HttpClient::exchangesInFlight(), before);
}

// Under a test clock, time stands still while a request is on its way: a timer due long before a
// slow exchange answers, and the request's own time-out, both come after the answer.
TEST_F(HttpClientTest, shouldHoldTestTimeStillWhileTheServerWorksOnARequest) {
    TestClock clock(20);
    HttpClient client;
    std::vector<std::string> order;
    const double sent = Timer::now();
    double answered = 0;
    // 400 ms of work: 8 s on a clock twenty times as fast.
    client.send(get("/busy?ms=400", 2), [&](const HttpResponse& response) {
        answered = Timer::now();
        order.push_back(response.error == UrlError::None ? "answer" : "time-out");
    });
    auto timer = Timer::scheduledTimer(1, false, [&] { order.push_back("timer"); });
    ASSERT_TRUE(RunLoop::runUntil([&] { return order.size() == 2; }, kDeadline));
    EXPECT_EQ(order, (std::vector<std::string>{"answer", "timer"}));
    // Read at the answer: a loop held up after it lets the clock run on, as it should.
    EXPECT_LT(answered - sent, 4) << "the clock ran while the request was on its way";
}

// A busy machine stalls the loop past a span's end: the timers due within it fire as the span
// ends, and the requests they make are answered before it returns, as they would have been on
// time.
TEST_F(HttpClientTest, shouldAnswerWhatTheTimersOfAStalledSpanSentBeforeTheSpanEnds) {
    TestClock clock(20);
    HttpClient client;
    bool answered = false;
    auto timer = Timer::scheduledTimer(1, false, [&] {
        client.send(get("/hello"), [&](const HttpResponse&) { answered = true; });
    });
    // 300 ms of the wall clock: 6 s on the test's clock.
    MainQueue::post([] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        while (std::chrono::steady_clock::now() < until) {
        }
    });
    RunLoop::runFor(2);
    EXPECT_TRUE(answered);
}

// A wait's guard against a hang leaves out the time the exchange took: on a loaded machine a
// request can take longer than the whole guard.
TEST_F(HttpClientTest, shouldNotCountTheExchangesWorkAgainstAWaitsDeadline) {
    TestClock clock(4);
    HttpClient client;
    std::optional<HttpResponse> answer;
    client.send(get("/busy?ms=1500"), [&](const HttpResponse& response) { answer = response; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return answer.has_value(); }, 1));
    EXPECT_EQ(answer->statusCode, 200);
}

// A manager that goes with the application deletes the replies still in flight: their
// exchanges never finish, and must not keep every later case's time standing still.
TEST_F(HttpClientTest, shouldLetTimeRunOnceTheManagerDeletedARequestInFlight) {
    TestClock clock(4);
    auto manager = std::make_unique<QNetworkAccessManager>();
    HttpExchange exchange(*manager, get("/slow"), [](HttpResponse) {});
    EXPECT_TRUE(PacedTime::still());
    manager.reset();
    EXPECT_FALSE(PacedTime::still());
}

// A server holding an answer on purpose lets time run: a timer and the request's own time-out
// come while it holds. Once the client gave up on it, a slow exchange stops time again.
TEST_F(HttpClientTest, shouldLetTestTimeRunWhileTheServerHoldsAnAnswerUntilTheClientGivesUp) {
    TestClock clock(20);
    HttpClient client;
    std::vector<std::string> order;
    const auto record = [&](const HttpResponse& response) {
        order.push_back(response.error == UrlError::TimedOut ? "time-out" : "answer");
    };
    client.send(get("/held", 2), record);
    auto timer = Timer::scheduledTimer(1, false, [&] { order.push_back("timer"); });
    ASSERT_TRUE(RunLoop::runUntil([&] { return order.size() == 2; }, kDeadline));
    EXPECT_EQ(order, (std::vector<std::string>{"timer", "time-out"}));

    order.clear();
    client.send(get("/slow"), record);
    ASSERT_TRUE(RunLoop::runUntil([] { return PacedTime::still(); }, kDeadline))
        << "the answer nobody waits for still lets time run";
    timer = Timer::scheduledTimer(1, false, [&] { order.push_back("timer"); });
    m_slowGate.open();
    ASSERT_TRUE(RunLoop::runUntil([&] { return order.size() == 2; }, kDeadline));
    EXPECT_EQ(order, (std::vector<std::string>{"answer", "timer"}));
}

// What a worker does with an answer is part of the exchange: a timer due while the worker still
// works on it comes once the main thread has the result.
TEST_F(HttpClientTest, shouldHoldTestTimeStillWhileAWorkerHandlesItsAnswer) {
    TestClock clock(20);
    std::vector<std::string> order;
    GlobalQueue::post([&order, request = get("/slow")] {
        HttpClient::sendSynchronously(request);
        // 300 ms of work on the answer: 6 s on a clock twenty times as fast.
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        while (std::chrono::steady_clock::now() < until) {
        }
        MainQueue::post([&order] { order.push_back("answer"); });
    });
    ASSERT_TRUE(m_slowArrived.waitFor(1));
    auto timer = Timer::scheduledTimer(1, false, [&] { order.push_back("timer"); });
    m_slowGate.open();
    ASSERT_TRUE(RunLoop::runUntil([&] { return order.size() == 2; }, kDeadline));
    EXPECT_EQ(order, (std::vector<std::string>{"answer", "timer"}));
}

// A worker slow to start on a loaded machine, or working before it sends: time stands still from
// the post, so a timer due meanwhile comes after the answer the work brings.
TEST_F(HttpClientTest, shouldHoldTestTimeStillFromAWorksPostToItsRequest) {
    TestClock clock(20);
    std::vector<std::string> order;
    auto timer = Timer::scheduledTimer(1, false, [&] { order.push_back("timer"); });
    GlobalQueue::post([&order, request = get("/hello")] {
        // 300 ms before the request leaves: 6 s on a clock twenty times as fast.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        HttpClient::sendSynchronously(request);
        MainQueue::post([&order] { order.push_back("answer"); });
    });
    ASSERT_TRUE(RunLoop::runUntil([&] { return order.size() == 2; }, kDeadline));
    EXPECT_EQ(order, (std::vector<std::string>{"answer", "timer"}));
}

// A loop stalled past a span's end: a timer due within the span posts the start of its request,
// as the quote requests do; the span ends only once that request is answered.
TEST_F(HttpClientTest, shouldEndASpanOnlyOnceWhatItsLateTimersPostHasBeenAnswered) {
    TestClock clock(20);
    HttpClient client;
    bool answered = false;
    // 200 ms of the main thread's own work: 4 s on the clock, past the span's end.
    auto stall = Timer::scheduledTimer(0.5, false, [] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    });
    auto late = Timer::scheduledTimer(0.9, false, [&] {
        MainQueue::post([&] { client.send(get("/hello"), [&](const HttpResponse&) {
            answered = true;
        }); });
    });
    RunLoop::runFor(1);
    EXPECT_TRUE(answered);
}

// Run only as the child of the next test: a worker is left waiting on a server that took the
// connection and never answers (as one on the main thread does once the program ends), then
// the program ends.
TEST(HttpClientExitTest, DISABLED_endWhileASynchronousSendWaitsOnAWorker) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(listener, 8), 0);
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    HttpRequest request;
    request.url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/history";
    request.timeoutSeconds = 60;
    // Like a many-day history download: one file after another.
    GlobalQueue::post([request] {
        HttpClient::sendSynchronously(request);
        HttpClient::sendSynchronously(request);
    });
    pollfd waiting{listener, POLLIN, 0};
    ASSERT_EQ(poll(&waiting, 1, 10000), 1);
    ASSERT_GE(accept(listener, nullptr, nullptr), 0);
}

TEST(HttpClientExitTest, shouldLetTheProgramExitWhileASynchronousSendWaitsOnAWorker) {
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(
        QCoreApplication::applicationFilePath(),
        {"--gtest_also_run_disabled_tests",
         "--gtest_filter=HttpClientExitTest.DISABLED_endWhileASynchronousSendWaitsOnAWorker"});
    ASSERT_TRUE(child.waitForStarted());
    const bool exited = child.waitForFinished(30000);
    if (!exited) {
        child.kill();
        child.waitForFinished();
    }
    const std::string output = child.readAll().toStdString();
    EXPECT_TRUE(exited) << "still running after 30 s:\n" << output;
    EXPECT_EQ(child.exitCode(), 0) << output;
}
