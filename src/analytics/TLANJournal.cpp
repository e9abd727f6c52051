#include "analytics/TLANJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>

#include "analytics/TLANFiles.h"
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

// Calls use(kind, payload) for every whole frame; where the whole frames end.
template <class Use>
std::size_t forEachFrame(const std::optional<Bytes>& bytes, Use use) {
    std::size_t at = 0;
    while (bytes && bytes->size() - at >= kFrameHead) {
        const std::size_t length = std::size_t((*bytes)[at]) | std::size_t((*bytes)[at + 1]) << 8 |
                                   std::size_t((*bytes)[at + 2]) << 16 |
                                   std::size_t((*bytes)[at + 3]) << 24;
        const std::uint8_t kind = (*bytes)[at + 4];
        if (length > bytes->size() - at - kFrameHead) {
            return at;
        }
        const auto first = bytes->begin() + static_cast<std::ptrdiff_t>(at + kFrameHead);
        at += kFrameHead + length;
        use(kind, Bytes(first, first + static_cast<std::ptrdiff_t>(length)));
    }
    return at;
}

// Frames not yet on disk, per file, and the files known to end with a whole frame.
struct JournalAppends {
    struct Due {
        TLANFiles::Point point;
        Bytes frames;
    };
    std::mutex mutex;
    std::map<std::string, Due> unwritten;
    std::set<std::string> whole;
};

JournalAppends& journalAppends() {
    static JournalAppends state;
    return state;
}

// A torn frame an earlier process left at the end would hide every frame appended after it.
bool trimJournalTornEnd(TLANFiles::Point point, const std::string& path) {
    const std::optional<Bytes> bytes = AtomicFile::read(path);
    const std::size_t end = forEachFrame(bytes, [](std::uint8_t, const Bytes&) {});
    if (!bytes || end == bytes->size()) {
        return true;
    }
    if (end == 0) {
        return TLANFiles::remove(point, path);
    }
    return TLANFiles::replace(point, path, Bytes(bytes->begin(), bytes->begin() + end));
}

// With the state's lock held: the frames waiting for the file, appended behind its last whole
// frame; whether none waits now.
bool appendDue(JournalAppends& state, const std::string& path) {
    JournalAppends::Due& due = state.unwritten.at(path);
    if (due.frames.empty()) {
        return true;
    }
    if (!state.whole.contains(path)) {
        if (!trimJournalTornEnd(due.point, path)) {
            return false;
        }
        state.whole.insert(path);
    }
    if (!TLANFiles::append(due.point, path, due.frames)) {
        state.whole.erase(path);
        return false;
    }
    due.frames.clear();
    return true;
}

// Appends the frame behind those that could not be written before, and writes what waits for
// the other files too: a full disk may have let space go since. What still fails waits for the
// next append or rewrite.
bool appendJournalFrame(TLANFiles::Point point, const std::string& path, const Bytes& frame) {
    JournalAppends& state = journalAppends();
    std::lock_guard guard(state.mutex);
    JournalAppends::Due& due = state.unwritten.try_emplace(path, point, Bytes{}).first->second;
    due.frames.insert(due.frames.end(), frame.begin(), frame.end());
    const bool written = appendDue(state, path);
    for (const auto& [other, waiting] : state.unwritten) {
        if (other != path) {
            appendDue(state, other);
        }
    }
    return written;
}

// The file holds exactly `bytes`, or is gone with them waiting for the next append: either way
// nothing else is left in it. Whether that holds.
bool rewriteJournalFile(TLANFiles::Point point, const std::string& path, const Bytes& bytes) {
    JournalAppends& state = journalAppends();
    std::lock_guard guard(state.mutex);
    state.unwritten.erase(path);
    if (!bytes.empty() && TLANFiles::replace(point, path, bytes)) {
        state.whole.insert(path);
        return true;
    }
    if (!TLANFiles::remove(point, path)) {
        return false;
    }
    state.unwritten.try_emplace(path, point, bytes);
    state.whole.insert(path);
    return true;
}

// The folder this process owns, by the lock on its lock file; the journal of its own it keeps
// while another process owns it; the journals of processes gone that the last launch read.
struct JournalFolder {
    std::mutex mutex;
    std::string path;
    int lockFd = -1;
    std::string guestJournal;
    int guestFd = -1;
    std::vector<std::string> takenJournals;
};

JournalFolder& journalFolder() {
    static JournalFolder state;
    return state;
}

std::string folderLockFile(const std::string& caches) {
    return Paths::join(caches, Text::format(".%@_tally.lock", TLANUtil::appPackageNameString()));
}

std::string guestJournalPrefix() {
    return Text::format(".%@_tally_journal.", TLANUtil::appPackageNameString());
}

// Made under another name and locked before it gets its own: an owner never finds it unlocked
// while this process lives.
void openGuestJournal(JournalFolder& state) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const std::string token =
        std::to_string(::getpid()) + "-" + std::to_string(std::chrono::nanoseconds(now).count());
    const std::string path = Paths::join(Paths::caches(), guestJournalPrefix() + token + ".log");
    const std::string made = path + ".new";
    const int fd = ::open(made.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::rename(made.c_str(), path.c_str()) != 0) {
        ::close(fd);
        ::unlink(made.c_str());
        return;
    }
    state.guestJournal = path;
    state.guestFd = fd;
}

// An advisory lock, held until the library lets it go or the process ends, however it ends: the
// files of the folder are this process's alone while it holds it.
bool takeLocked(JournalFolder& state, const std::string& caches) {
    if (state.lockFd >= 0) {
        ::close(std::exchange(state.lockFd, -1));
    }
    state.path = caches;
    const int fd = ::open(folderLockFile(caches).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        state.lockFd = fd;
        return true;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return false;
}

// A folder not met before is tried at once: the first process to need its files owns it. One
// that found it owned by another tries again only at a launch (takeFolder).
bool ownsLocked(JournalFolder& state) {
    const std::string caches = Paths::caches();
    return state.path == caches ? state.lockFd >= 0 : takeLocked(state, caches);
}

// Where this process journals its records: the folder's journal when it owns the folder.
std::string recordJournal() {
    JournalFolder& state = journalFolder();
    std::lock_guard guard(state.mutex);
    if (ownsLocked(state)) {
        return TLANJournal::journalFile();
    }
    if (state.guestFd < 0) {
        openGuestJournal(state);
    }
    return state.guestJournal;
}

// The journals of other processes that are gone (their lock is free).
std::vector<std::string> journalsLeftByOthers(const JournalFolder& state) {
    std::vector<std::string> found;
    std::error_code failed;
    const std::string prefix = guestJournalPrefix();
    for (const auto& entry : std::filesystem::directory_iterator(Paths::caches(), failed)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(".log") ||
            name.size() <= prefix.size() + 4 || entry.path() == state.guestJournal) {
            continue;
        }
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            found.push_back(entry.path().string());
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
    return found;
}

struct SessionMarkerDue {
    std::mutex mutex;
    std::optional<Bytes> due;  // to write again; empty bytes: to remove
};

SessionMarkerDue& sessionMarkerDue() {
    static SessionMarkerDue state;
    return state;
}

bool putSessionMarker(const Bytes& bytes) {
    const std::string path = TLANJournal::sessionFile();
    return bytes.empty() ? TLANFiles::remove(TLANFiles::Point::SessionMarker, path)
                         : TLANFiles::replace(TLANFiles::Point::SessionMarker, path, bytes);
}

void setSessionMarker(const Bytes& bytes) {
    SessionMarkerDue& state = sessionMarkerDue();
    std::lock_guard guard(state.mutex);
    state.due.reset();
    if (!putSessionMarker(bytes)) {
        state.due = bytes;
    }
}

void retrySessionMarker() {
    SessionMarkerDue& state = sessionMarkerDue();
    std::lock_guard guard(state.mutex);
    if (state.due && putSessionMarker(*state.due)) {
        state.due.reset();
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

bool TLANJournal::takeFolder() {
    JournalFolder& state = journalFolder();
    std::lock_guard guard(state.mutex);
    const std::string caches = Paths::caches();
    return (state.path == caches && state.lockFd >= 0) || takeLocked(state, caches);
}

bool TLANJournal::ownsFolder() {
    JournalFolder& state = journalFolder();
    std::lock_guard guard(state.mutex);
    return ownsLocked(state);
}

void TLANJournal::releaseFolder() {
    {
        JournalFolder& state = journalFolder();
        std::lock_guard guard(state.mutex);
        for (int* fd : {&state.lockFd, &state.guestFd}) {
            if (*fd >= 0) {
                ::close(std::exchange(*fd, -1));
            }
        }
        state.path.clear();
        state.guestJournal.clear();
        state.takenJournals.clear();
    }
    {
        JournalAppends& state = journalAppends();
        std::lock_guard guard(state.mutex);
        state.unwritten.clear();
        state.whole.clear();
    }
    std::lock_guard guard(sessionMarkerDue().mutex);
    sessionMarkerDue().due.reset();
}

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
    const std::string path = recordJournal();
    if (kind && !path.empty()) {
        appendJournalFrame(TLANFiles::Point::Journal, path, bytes);
    }
    retrySessionMarker();
}

bool TLANJournal::holdsEveryRecord() {
    const std::string path = recordJournal();
    JournalAppends& state = journalAppends();
    std::lock_guard guard(state.mutex);
    const auto waiting = state.unwritten.find(path);
    return !path.empty() && (waiting == state.unwritten.end() || waiting->second.frames.empty());
}

bool TLANJournal::replace(const std::vector<std::shared_ptr<TLANBaseEvent>>& records) {
    Bytes bytes;
    for (const auto& record : records) {
        if (const std::optional<Kind> kind = kindOf(*record)) {
            const Bytes frame = frameOf(*kind, KeyedArchiver::archivedData(*record));
            bytes.insert(bytes.end(), frame.begin(), frame.end());
        }
    }
    if (!rewriteJournalFile(TLANFiles::Point::Journal, journalFile(), bytes)) {
        return false;
    }
    // Their records are in the cache file or in this journal now.
    JournalFolder& state = journalFolder();
    std::lock_guard guard(state.mutex);
    std::vector<std::string> kept;
    for (const std::string& path : state.takenJournals) {
        if (!TLANFiles::remove(TLANFiles::Point::Journal, path)) {
            kept.push_back(path);
        }
    }
    state.takenJournals = kept;
    if (state.guestFd >= 0 && TLANFiles::remove(TLANFiles::Point::Journal, state.guestJournal)) {
        ::close(std::exchange(state.guestFd, -1));
        state.guestJournal.clear();
    }
    return true;
}

TLANJournal::Entries TLANJournal::read() {
    Entries entries;
    std::vector<std::optional<Bytes>> journals;
    {
        std::lock_guard guard(lock());
        journals.push_back(AtomicFile::read(journalFile()));
        JournalFolder& state = journalFolder();
        std::lock_guard owning(state.mutex);
        for (const std::string& path : journalsLeftByOthers(state)) {
            journals.push_back(AtomicFile::read(path));
            if (std::find(state.takenJournals.begin(), state.takenJournals.end(), path) ==
                state.takenJournals.end()) {
                state.takenJournals.push_back(path);
            }
        }
    }
    for (const std::optional<Bytes>& bytes : journals) {
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
    }
    return entries;
}

void TLANJournal::appendPageView(const PageView& view) {
    if (!ownsFolder()) {
        return;
    }
    const Bytes bytes = pageViewFrame(view);
    std::lock_guard guard(pageViewLock());
    appendJournalFrame(TLANFiles::Point::PageViews, pageViewFile(), bytes);
}

std::vector<TLANJournal::PageView> TLANJournal::readPageViews() {
    if (!ownsFolder()) {
        return {};
    }
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

bool TLANJournal::writePageViews(const std::vector<PageView>& views) {
    if (!ownsFolder()) {
        return true;
    }
    Bytes bytes;
    for (const PageView& view : views) {
        const Bytes frame = pageViewFrame(view);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    std::lock_guard guard(pageViewLock());
    return rewriteJournalFile(TLANFiles::Point::PageViews, pageViewFile(), bytes);
}

void TLANJournal::beginSession(const std::string& sessionId, double launchTime) {
    if (!ownsFolder()) {
        return;
    }
    PropertyList marker = PropertyList::dictionary();
    marker.set("session_id", sessionId);
    marker.set("launch_time", launchTime);
    const std::string xml = marker.toXml();
    setSessionMarker(Bytes(xml.begin(), xml.end()));
}

std::function<void()>& TLANJournal::beforeEndSessionHook() {
    static std::function<void()> hook;
    return hook;
}

void TLANJournal::setBeforeEndSessionHook(std::function<void()> hook) {
    beforeEndSessionHook() = std::move(hook);
}

void TLANJournal::endSession() {
    if (!ownsFolder()) {
        return;
    }
    if (beforeEndSessionHook()) {
        beforeEndSessionHook()();
    }
    setSessionMarker(Bytes{});
}

std::optional<TLANJournal::OpenSession> TLANJournal::openSession() {
    if (!ownsFolder()) {
        return std::nullopt;
    }
    std::optional<PropertyList> marker = PropertyList::readFile(sessionFile());
    if (!marker || !(*marker)["session_id"].isString()) {
        return std::nullopt;
    }
    return OpenSession{(*marker)["session_id"].toString(), (*marker)["launch_time"].toDouble()};
}
