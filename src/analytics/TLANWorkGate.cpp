#include "analytics/TLANWorkGate.h"

#include <QCoreApplication>
#include <QThread>

#include "platform/foundation/HttpClient.h"
#include "platform/foundation/MainQueue.h"

namespace {

enum Step { kPosted, kRunning, kRan, kDropped };

bool onMainThreadNow() {
    QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace

struct TLANWorkGate::HandOff {
    const std::function<void()>* work = nullptr;
    int step = kPosted;
};

// Travels with the posted work: its end without a run drops the hand-off.
struct TLANWorkGate::Ticket {
    std::shared_ptr<HandOff> handOff;
    ~Ticket() {
        if (handOff) {
            advance(*handOff, kPosted, kDropped);
        }
    }
};

TLANWorkGate::State& TLANWorkGate::state() {
    static State* shared = new State();  // never destroyed: waiting threads outlive main
    return *shared;
}

int& TLANWorkGate::depth() {
    thread_local int inside = 0;
    return inside;
}

TLANWorkGate::Outside::Outside() : m_stepped(depth() > 0) {
    if (m_stepped) {
        leave(true);
    }
}

TLANWorkGate::Outside::~Outside() {
    if (m_stepped) {
        enter(true);
    }
}

bool TLANWorkGate::tryEnter() {
    State& gate = state();
    std::lock_guard<std::mutex> guard(gate.mutex);
    if (gate.closed) {
        return false;
    }
    ++gate.inside;
    ++depth();
    return true;
}

void TLANWorkGate::enter(bool fromOutside) {
    State& gate = state();
    std::unique_lock<std::mutex> lock(gate.mutex);
    if (fromOutside) {
        --gate.outside;
        gate.changed.notify_all();
    }
    gate.changed.wait(lock, [&] { return !gate.closed; });
    ++gate.inside;
    ++depth();
}

void TLANWorkGate::leave(bool toOutside) {
    State& gate = state();
    std::lock_guard<std::mutex> guard(gate.mutex);
    --gate.inside;
    gate.outside += toOutside ? 1 : 0;
    --depth();
    gate.changed.notify_all();
}

void TLANWorkGate::runInside(const std::function<void()>& work) {
    if (!tryEnter()) {
        return;
    }
    struct Leaving {
        ~Leaving() { leave(false); }
    } leaving;
    work();
}

void TLANWorkGate::onMainThread(const std::function<void()>& work) {
    if (onMainThreadNow()) {
        work();
        return;
    }
    auto handOff = std::make_shared<HandOff>();
    handOff->work = &work;
    auto ticket = std::make_shared<Ticket>();
    ticket->handOff = handOff;
    MainQueue::post([ticket = std::move(ticket)] { runHandOff(*ticket->handOff); });
    waitForHandOff(*handOff);
}

void TLANWorkGate::runHandOff(HandOff& handOff) {
    if (!beginHandOff(handOff)) {
        return;
    }
    (*handOff.work)();
    advance(handOff, kRunning, kRan);
}

bool TLANWorkGate::beginHandOff(HandOff& handOff) {
    State& gate = state();
    std::lock_guard<std::mutex> guard(gate.mutex);
    if (handOff.step != kPosted) {
        return false;
    }
    // Closed before its turn came: the process is ending.
    handOff.step = gate.closed ? kDropped : kRunning;
    gate.changed.notify_all();
    return handOff.step == kRunning;
}

void TLANWorkGate::advance(HandOff& handOff, int from, int to) {
    State& gate = state();
    std::lock_guard<std::mutex> guard(gate.mutex);
    if (handOff.step == from) {
        handOff.step = to;
        gate.changed.notify_all();
    }
}

void TLANWorkGate::waitForHandOff(HandOff& handOff) {
    State& gate = state();
    std::unique_lock<std::mutex> lock(gate.mutex);
    // Work already running on the main thread ends: the main thread is not closing meanwhile.
    gate.changed.wait(lock, [&] {
        return handOff.step == kRan || handOff.step == kDropped ||
               (gate.closed && handOff.step == kPosted);
    });
    if (handOff.step == kPosted) {
        handOff.step = kDropped;
    }
}

void TLANWorkGate::close() {
    State& gate = state();
    {
        std::lock_guard<std::mutex> guard(gate.mutex);
        gate.closed = true;
        gate.changed.notify_all();
    }
    // A send left running would go on into the tear-down: it ends now, and its thread comes back
    // to wait at the door.
    HttpClient::endSynchronousSends();
    std::unique_lock<std::mutex> lock(gate.mutex);
    gate.changed.wait(lock, [&] { return gate.inside == 0 && gate.outside == 0; });
}

void TLANWorkGate::reopen() {
    HttpClient::allowSynchronousSends();
    State& gate = state();
    std::lock_guard<std::mutex> guard(gate.mutex);
    gate.closed = false;
    gate.changed.notify_all();
}
