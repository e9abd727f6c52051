#pragma once

// The continuation marks of the quote screen's live-quote requests ("oneyikoujia"): the last
// book number, trade serial and book sequence number the server reported, sent back with the
// next request so the server only sends what is new. Every request carries a number; a reply
// older than one already taken, or sent before the marks were reset for another commodity, is
// refused, so a late reply can neither move the marks back nor show an old quote. A plain value
// owned by the quote screen. Main thread.

#include <cstdint>
#include <memory>

struct commodityInfo;
struct SubmissionPackage;
struct YiKouJia;

class VKJYLiveQuoteCycle {
public:
    struct Request {
        std::shared_ptr<SubmissionPackage> package;
        uint64_t number = 0;
    };

    int32_t wdIndex() const { return m_wdIndex; }
    int32_t fbIndex() const { return m_fbIndex; }
    int32_t pankouxuhao() const { return m_pankouxuhao; }

    Request nextRequest(const commodityInfo& commodity);
    // Takes the reply's marks when it is the newest so far; false when it is to be ignored.
    bool take(uint64_t number, const YiKouJia& reply);
    // Marks back to 0 for a new commodity; replies to earlier requests are refused from now on.
    void reset();

private:
    int32_t m_wdIndex = 0;
    int32_t m_fbIndex = 0;
    int32_t m_pankouxuhao = 0;
    uint64_t m_lastSent = 0;
    uint64_t m_lastTaken = 0;
};
