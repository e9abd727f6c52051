#include "analytics/TLANWorkGate.h"

TLANWorkGate::State& TLANWorkGate::state() {
    static State* shared = new State();  // never destroyed: waiting threads outlive main
    return *shared;
}

void TLANWorkGate::enter() {
    State& gate = state();
    std::unique_lock<std::mutex> lock(gate.mutex);
    gate.changed.wait(lock, [&] { return !gate.closed; });
    ++gate.inside;
}

void TLANWorkGate::leave() {
    State& gate = state();
    std::lock_guard<std::mutex> guard(gate.mutex);
    --gate.inside;
    gate.changed.notify_all();
}

void TLANWorkGate::close() {
    State& gate = state();
    std::unique_lock<std::mutex> lock(gate.mutex);
    gate.closed = true;
    gate.changed.wait(lock, [&] { return gate.inside == 0; });
}

void TLANWorkGate::reopen() {
    State& gate = state();
    std::lock_guard<std::mutex> guard(gate.mutex);
    gate.closed = false;
    gate.changed.notify_all();
}
