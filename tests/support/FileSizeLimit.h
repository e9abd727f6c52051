#pragma once

#include <signal.h>
#include <sys/resource.h>

// Lets files grow to at most `limit` bytes while alive, so a write fails part-way as it would
// on a full disk (the whole process alike, as a full disk would). For tests; one at a time.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit reduced = m_previous;
        reduced.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &reduced);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    sighandler_t m_previousHandler;
};
