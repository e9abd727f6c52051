#include "analytics/TLANJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "analytics/TLANUtil.h"
#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/KeyedArchiver.h"
#include "platform/foundation/KeyedUnarchiver.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/Text.h"

namespace {

enum Kind : std::uint8_t { kLaunch = 1, kTerminate, kEvent, kEkv, kError, kPageView };
constexpr std::size_t kFrameHead = 5;

std::optional<Kind> kindOf(const TLANBaseEvent& record) {
    if (dynamic_cast<const TLANLaunch*>(&record)) {
        return kLaunch;
    }
    if (dynamic_cast<const TLANTerminate*>(&record)) {
        return kTerminate;
    }
    if (dynamic_cast<const TLANEvent*>(&record)) {
        return kEvent;
    }
    if (dynamic_cast<const TLANEkv*>(&record)) {
        return kEkv;
    }
    if (dynamic_cast<const TLANError*>(&record)) {
        return kError;
    }
    return std::nullopt;
}

Bytes frameOf(std::uint8_t kind, const Bytes& payload) {
    const auto length = static_cast<std::uint32_t>(payload.size());
    Bytes bytes(5 + payload.size());
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
    bytes[4] = kind;
    std::copy(payload.begin(), payload.end(), bytes.begin() + 5);
    return bytes;
}

// One write per frame on an appending descriptor: the frame lands whole or is cut short at the
// end, where reading stops.
void appendTo(const std::string& path, const Bytes& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (step <= 0) {
            break;
        }
        written += static_cast<std::size_t>(step);
    }
    ::close(fd);
}

// Calls use(kind, payload) for every whole frame.
template <class Use>
void forEachFrame(const std::optional<Bytes>& bytes, Use use) {
    std::size_t at = 0;
    while (bytes && bytes->size() - at >= kFrameHead) {
        const std::size_t length = std::size_t((*bytes)[at]) | std::size_t((*bytes)[at + 1]) << 8 |
                                   std::size_t((*bytes)[at + 2]) << 16 |
                                   std::size_t((*bytes)[at + 3]) << 24;
        const std::uint8_t kind = (*bytes)[at + 4];
        if (length > bytes->size() - at - kFrameHead) {
            return;
        }
        const auto first = bytes->begin() + static_cast<std::ptrdiff_t>(at + kFrameHead);
        at += kFrameHead + length;
        use(kind, Bytes(first, first + static_cast<std::ptrdiff_t>(length)));
    }
}

std::mutex& pageViewLock() {
    static std::mutex mutex;
    return mutex;
}

Bytes pageViewFrame(const TLANJournal::PageView& view) {
    PropertyList fields = PropertyList::array();
    fields.append(view.sessionId);
    fields.append(view.name);
    fields.append(view.seconds);
    return frameOf(kPageView, fields.toBinary());
}

template <class T>
void readInto(std::vector<std::shared_ptr<T>>& list, const Bytes& bytes) {
    for (auto& record : KeyedUnarchiver::unarchiveObjects<T>(bytes)) {
        list.push_back(std::move(record));
    }
}

}  // namespace

std::string TLANJournal::journalFile() {
    return Paths::join(Paths::caches(),
                       Text::format(".%@_tally_journal.log", TLANUtil::appPackageNameString()));
}

std::string TLANJournal::sessionFile() {
    return Paths::join(Paths::caches(),
                       Text::format(".%@_tally_session.plist", TLANUtil::appPackageNameString()));
}

std::string TLANJournal::pageViewFile() {
    return Paths::join(Paths::caches(),
                       Text::format(".%@_tally_pages.log", TLANUtil::appPackageNameString()));
}

std::mutex& TLANJournal::lock() {
    static std::mutex mutex;
    return mutex;
}

std::function<void(const TLANBaseEvent&)>& TLANJournal::beforeAppendHook() {
    static std::function<void(const TLANBaseEvent&)> hook;
    return hook;
}

void TLANJournal::setBeforeAppendHook(std::function<void(const TLANBaseEvent&)> hook) {
    beforeAppendHook() = std::move(hook);
}

void TLANJournal::append(const TLANBaseEvent& record, const std::function<void()>& list) {
    if (beforeAppendHook()) {
        beforeAppendHook()(record);
    }
    const std::optional<Kind> kind = kindOf(record);
    const Bytes bytes = kind ? frameOf(*kind, KeyedArchiver::archivedData(record)) : Bytes{};
    std::lock_guard guard(lock());
    list();
    if (kind) {
        appendTo(journalFile(), bytes);
    }
}

void TLANJournal::replace(const std::vector<std::shared_ptr<TLANBaseEvent>>& records) {
    Bytes bytes;
    for (const auto& record : records) {
        if (const std::optional<Kind> kind = kindOf(*record)) {
            const Bytes frame = frameOf(*kind, KeyedArchiver::archivedData(*record));
            bytes.insert(bytes.end(), frame.begin(), frame.end());
        }
    }
    std::error_code ignored;
    if (bytes.empty()) {
        std::filesystem::remove(journalFile(), ignored);
        return;
    }
    AtomicFile::write(journalFile(), bytes);
}

TLANJournal::Entries TLANJournal::read() {
    Entries entries;
    std::optional<Bytes> bytes;
    {
        std::lock_guard guard(lock());
        bytes = AtomicFile::read(journalFile());
    }
    forEachFrame(bytes, [&entries](std::uint8_t kind, const Bytes& frame) {
        switch (kind) {
            case kLaunch:
                readInto(entries.launches, frame);
                break;
            case kTerminate:
                readInto(entries.terminates, frame);
                break;
            case kEvent:
                readInto(entries.events, frame);
                break;
            case kEkv:
                readInto(entries.ekv, frame);
                break;
            case kError:
                readInto(entries.errors, frame);
                break;
            default:
                break;
        }
    });
    return entries;
}

void TLANJournal::appendPageView(const PageView& view) {
    const Bytes bytes = pageViewFrame(view);
    std::lock_guard guard(pageViewLock());
    appendTo(pageViewFile(), bytes);
}

std::vector<TLANJournal::PageView> TLANJournal::readPageViews() {
    std::optional<Bytes> bytes;
    {
        std::lock_guard guard(pageViewLock());
        bytes = AtomicFile::read(pageViewFile());
    }
    std::vector<PageView> views;
    forEachFrame(bytes, [&views](std::uint8_t kind, const Bytes& frame) {
        const std::optional<PropertyList> fields = PropertyList::parse(frame);
        if (kind != kPageView || !fields || fields->size() != 3) {
            return;
        }
        views.push_back({fields->at(0).toString(), fields->at(1).toString(),
                         static_cast<std::int32_t>(fields->at(2).toInteger())});
    });
    return views;
}

void TLANJournal::writePageViews(const std::vector<PageView>& views) {
    Bytes bytes;
    for (const PageView& view : views) {
        const Bytes frame = pageViewFrame(view);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    std::lock_guard guard(pageViewLock());
    if (bytes.empty()) {
        std::error_code ignored;
        std::filesystem::remove(pageViewFile(), ignored);
        return;
    }
    AtomicFile::write(pageViewFile(), bytes);
}

void TLANJournal::beginSession(const std::string& sessionId, double launchTime) {
    PropertyList marker = PropertyList::dictionary();
    marker.set("session_id", sessionId);
    marker.set("launch_time", launchTime);
    marker.writeFile(sessionFile());
}

std::function<void()>& TLANJournal::beforeEndSessionHook() {
    static std::function<void()> hook;
    return hook;
}

void TLANJournal::setBeforeEndSessionHook(std::function<void()> hook) {
    beforeEndSessionHook() = std::move(hook);
}

void TLANJournal::endSession() {
    if (beforeEndSessionHook()) {
        beforeEndSessionHook()();
    }
    std::error_code ignored;
    std::filesystem::remove(sessionFile(), ignored);
}

std::optional<TLANJournal::OpenSession> TLANJournal::openSession() {
    std::optional<PropertyList> marker = PropertyList::readFile(sessionFile());
    if (!marker || !(*marker)["session_id"].isString()) {
        return std::nullopt;
    }
    return OpenSession{(*marker)["session_id"].toString(), (*marker)["launch_time"].toDouble()};
}
