#pragma once

#include <functional>
#include <memory>

// Runs work on one of a small pool of worker threads, in no particular order.
// post() may be called from any thread; the work must not touch main-thread objects directly
// and hands its results back with MainQueue::post.
// Under a test clock, what work does with an answer it received (HttpClient::sendSynchronously)
// is part of that exchange: time stands still from the answer until the work ended and the main
// thread ran what it posted from it (PacedTime::Travel), as while the request travelled, so that
// no timer overtakes the handling of an answer on a slow machine.
class GlobalQueue {
public:
    static void post(std::function<void()> work);

    // For the HTTP client, on the calling thread: the work received an answer, or it waits for
    // another (the exchange counts itself, and a held one lets time run). Nothing off the pool's
    // work.
    static void answerInHand();
    static void awaitingAnswer();
    // What work posted to the main thread keeps of its answer's hand-over; empty when none.
    static std::shared_ptr<void> handOver();
};
