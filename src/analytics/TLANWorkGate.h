#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

// The library's background threads (operation queues, launches) do their work inside the gate.
// When the application terminates, close() waits until no work is inside; work that has not
// begun by then never runs, so nothing of the library runs while the process tears down. A
// blocking send steps outside meanwhile (Outside): the close ends it rather than wait for its
// host, then waits for its thread to come back to the door, where it stays. The main thread
// closes the gate and waits for the work inside, so work waits for the main thread only through
// onMainThread, whose wait the close ends. reopen() lets work and sends in again (rigs that
// start the library anew in one process). Any thread.
class TLANWorkGate {
public:
    // Steps outside for its life when its thread is inside; elsewhere it changes nothing.
    class Outside {
    public:
        Outside();
        ~Outside();
        Outside(const Outside&) = delete;
        Outside& operator=(const Outside&) = delete;

    private:
        bool m_stepped;
    };

    // Runs the work inside unless the gate is closed.
    static void runInside(const std::function<void()>& work);
    // Runs the work on the main thread (at once when already there) and waits until it has run.
    // Once the gate closes, work the main thread has not begun never runs and the wait ends, as
    // it does when the main queue drops the work.
    static void onMainThread(const std::function<void()>& work);
    static void close();
    static void reopen();

private:
    struct HandOff;
    struct Ticket;

    static bool tryEnter();
    // Waits while closed.
    static void enter(bool fromOutside);
    static void leave(bool toOutside);
    static void runHandOff(HandOff& handOff);
    static void advance(HandOff& handOff, int from, int to);
    static bool beginHandOff(HandOff& handOff);
    static void waitForHandOff(HandOff& handOff);
    // How deep the calling thread is inside.
    static int& depth();

    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        int inside = 0;
        // Stepped outside and not yet back at the door.
        int outside = 0;
        bool closed = false;
    };
    static State& state();
};
