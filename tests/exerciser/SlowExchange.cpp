#include "SlowExchange.h"

#include <algorithm>

#include "ExerciseRandom.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/Timer.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/ScreenDriver.h"
#include "quote/HQNetworkManger.h"
#include "shell/VKJYCommonViewUtil.h"
#include "support/SimProcess.h"
#include "support/TestClock.h"

namespace {
constexpr size_t kFewestEvents = 3;
constexpr size_t kMoreEvents = 8;
constexpr double kLeastWorkMs = 300;
constexpr double kMostWorkMs = 3000;
// A quote request worked longer than this would time out on a test clock that ran meanwhile.
constexpr double kPastQuoteTimeOutMs =
    1000 * HQNetworkManger::kQuoteTimeoutSeconds / TestClock::kScale;
// The client's timers (a beat, a refresh) send their requests into the slow exchange.
constexpr double kTimersSend = 2;
// A toast stays 3 s, an alert until tapped: a look this often sees either, whatever the event
// does meanwhile.
constexpr double kLookSeconds = 0.25;
// As the exerciser's overlay rule: the replies' screens are at rest within this once answered.
constexpr double kAtRestAfterReplies = 25;
// What the client says when no answer came: a trading screen's and the chart's message, the
// market list's unread panel, the transport's own words.
const char* const kFailureTexts[] = {"请求网络失败", "获取数据失败，点击重试", "timed out"};
// An alert offering this tells of a fetch that failed (the market list, the directory).
const char* const kTryAgain = "重试";
}  // namespace

SlowExchange::SlowExchange(ScreenDriver& driver, SimProcess& exchange, Hooks hooks)
    : m_driver(driver), m_exchange(exchange), m_hooks(std::move(hooks)) {}

SlowExchange::~SlowExchange() = default;

int SlowExchange::weight() const {
    if (slow() || m_hooks.faultInForce() || !failuresOnShow().empty()) {
        return 0;
    }
    // A fault set earlier and not yet met (a spoiled reply, a refused panel) would fail a
    // request of the stretch with good reason.
    const auto armed = m_exchange.get("/control/armed");
    return armed.status == 200 && armed.body.empty() ? 2 : 0;
}

void SlowExchange::act(ExerciseRandom& random) {
    // The events that follow, and one to end it before.
    m_eventsLeft = kFewestEvents + random.below(kMoreEvents) + 1;
    m_since = m_hooks.eventNumber() + 1;
    m_hooks.journal("the exchange is slow, as on a loaded machine, for " +
                    std::to_string(m_eventsLeft - 1) + " events");
    m_told.clear();
    m_look = Timer::scheduledTimer(kLookSeconds, true, [this] { note(); });
    work(random);
    m_driver.runFor(kTimersSend);
}

void SlowExchange::beforeEvent(ExerciseRandom& random) {
    if (m_eventsLeft > 1) {
        --m_eventsLeft;
        return work(random);
    }
    finish();
}

void SlowExchange::finish() {
    if (!slow()) {
        return;
    }
    m_eventsLeft = 0;
    m_hooks.journal("the exchange is quick again");
    post("/control/work?ms=0");
    const bool atRest = m_driver.runFor(kAtRestAfterReplies, [] {
        return HttpClient::exchangesInFlight() == 0 && VKJYCommonViewUtil::activityCount() == 0;
    });
    if (!atRest) {
        m_hooks.violation("a request still out or a busy overlay up 25 s after the slow exchange" +
                          stretch() + " was quick again");
    }
    m_look.reset();
    tellWhatWasTold();
}

void SlowExchange::check() {
    if (slow()) {
        tellWhatWasTold();
    }
}

void SlowExchange::note() {
    for (auto& told : failuresOnShow()) {
        if (std::find(m_told.begin(), m_told.end(), told) == m_told.end()) {
            m_told.push_back(std::move(told));
        }
    }
}

void SlowExchange::tellWhatWasTold() {
    note();
    for (const auto& told : m_told) {
        m_hooks.violation("the client told " + told + " while the exchange was only slow" +
                          stretch());
    }
    m_told.clear();
}

void SlowExchange::work(ExerciseRandom& random) {
    // Half the spans outlast the quote time-out.
    const double least = random.chance(0.5) ? kPastQuoteTimeOutMs : kLeastWorkMs;
    m_workMs = static_cast<int>(random.between(least, kMostWorkMs));
    m_hooks.journal("  each request works " + std::to_string(m_workMs) + " ms of real time");
    post("/control/work?ms=" + std::to_string(m_workMs));
}

void SlowExchange::post(const std::string& path) {
    const auto reply = m_exchange.post(path);
    if (reply.status != 200) {
        m_hooks.violation("the exchange refused " + path + ": " + reply.body);
    }
}

std::vector<std::string> SlowExchange::failuresOnShow() const {
    std::vector<std::string> told;
    for (const auto& text : m_driver.visibleTexts()) {
        for (const char* failure : kFailureTexts) {
            if (text.find(failure) != std::string::npos) {
                told.push_back("'" + text + "'");
            }
        }
    }
    for (AlertView* alert : m_driver.viewsOfClass<AlertView>()) {
        for (int i = 0; alert->isVisible() && i < alert->numberOfButtons(); ++i) {
            if (alert->buttonTitleAtIndex(i) == kTryAgain) {
                told.push_back("'" + alert->title() + "|" + alert->message() + "' offering " +
                               kTryAgain);
            }
        }
    }
    return told;
}

std::string SlowExchange::stretch() const {
    return " (SlowExchange of event " + std::to_string(m_since) + ", the latest span " +
           std::to_string(m_workMs) + " ms a request)";
}
