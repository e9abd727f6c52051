#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// One failure of the analytics JSON coder; `underlying` is the error recorded before it in
// the same run, if any.
struct TLANJsonError {
    static constexpr const char* kDomain = "TLANTxJsonErrorDomain";
    enum Code {
        Unsupported = 1,
        Number = 2,
        Syntax = 3,
        NotContainer = 4,
        ControlCharacter = 5,
        Unicode = 6,
        Depth = 7,
        Escape = 8,
        TrailingComma = 9,
        Garbage = 10,
        EndOfInput = 11,
        NilInput = 12,
    };

    int code = 0;
    std::string description;
    std::shared_ptr<const TLANJsonError> underlying;
};

// What the JSON parser and writer share: the nesting limit and the error trace of the last
// run. Made per call by its owner; not shared between threads.
class TLANTxJsonBase {
public:
    static constexpr uint32_t kDefaultMaxDepth = 512;

    uint32_t maxDepth() const { return m_maxDepth; }
    // 0 means no limit.
    void setMaxDepth(uint32_t maxDepth) { m_maxDepth = maxDepth; }

    // Newest last; empty until the first failure.
    const std::vector<std::shared_ptr<const TLANJsonError>>& errorTrace() const {
        return m_errorTrace;
    }
    // The trace as one text for logs: "code: description" per error, newest last.
    std::string errorTraceText() const;
    void addErrorWithCode(int code, const std::string& description);
    void clearErrorTrace();
    // Called after every change of the error trace.
    void setErrorTraceObserver(std::function<void()> observer) {
        m_errorTraceObserver = std::move(observer);
    }

protected:
    // Enters one list or dictionary level; false (with the error recorded) when too deep.
    bool enterContainer();
    void leaveContainer() { --m_depth; }

    uint32_t m_depth = 0;

private:
    uint32_t m_maxDepth = kDefaultMaxDepth;
    std::vector<std::shared_ptr<const TLANJsonError>> m_errorTrace;
    std::function<void()> m_errorTraceObserver;
};
