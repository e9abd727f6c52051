#pragma once

#include <condition_variable>
#include <mutex>

// The library's background threads (operation queues, launches) do their work inside the gate.
// When the application terminates, close() waits until no work is inside and keeps all later
// work waiting outside, so nothing of the library runs while the process tears down. A
// blocking send steps outside meanwhile (Outside), so a slow host cannot hold the end up.
// reopen() lets waiting work in again (rigs that start the library anew in one process).
// Any thread.
class TLANWorkGate {
public:
    class Inside {
    public:
        Inside() { enter(); }
        ~Inside() { leave(); }
        Inside(const Inside&) = delete;
        Inside& operator=(const Inside&) = delete;
    };
    class Outside {
    public:
        Outside() { leave(); }
        ~Outside() { enter(); }
        Outside(const Outside&) = delete;
        Outside& operator=(const Outside&) = delete;
    };

    static void close();
    static void reopen();

private:
    // Waits while closed.
    static void enter();
    static void leave();

    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        int inside = 0;
        bool closed = false;
    };
    static State& state();
};
