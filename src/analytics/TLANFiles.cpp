#include "analytics/TLANFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <mutex>

#include "platform/foundation/AtomicFile.h"

namespace {

std::mutex& filesHookMutex() {
    static std::mutex mutex;
    return mutex;
}

std::function<void(const TLANFiles::Write&)>& filesHook() {
    static std::function<void(const TLANFiles::Write&)> hook;
    return hook;
}

bool appendAll(int fd, const Bytes& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR) {
            continue;
        }
        if (step <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(step);
    }
    return true;
}

bool appendWhole(const std::string& path, const Bytes& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    struct stat before {};
    if (::fstat(fd, &before) != 0) {
        ::close(fd);
        return false;
    }
    const bool whole = appendAll(fd, bytes);
    if (!whole) {
        // A full disk cut it short: the part written goes, or it would hide what comes next.
        (void)::ftruncate(fd, before.st_size);
    }
    return ::close(fd) == 0 && whole;
}

}  // namespace

const char* TLANFiles::name(Point point) {
    switch (point) {
        case Point::Journal:
            return "journal";
        case Point::PageViews:
            return "pages";
        case Point::SessionMarker:
            return "marker";
        case Point::CacheFile:
            return "cache";
        case Point::Envelope:
            return "envelope";
    }
    return "";
}

void TLANFiles::setHook(std::function<void(const Write&)> hook) {
    std::lock_guard guard(filesHookMutex());
    filesHook() = std::move(hook);
}

void TLANFiles::report(const Write& write) {
    std::function<void(const Write&)> hook;
    {
        std::lock_guard guard(filesHookMutex());
        hook = filesHook();
    }
    if (hook) {
        hook(write);
    }
}

bool TLANFiles::append(Point point, const std::string& path, const Bytes& bytes) {
    report({point, Kind::Append, path, bytes.size(), false});
    const bool whole = appendWhole(path, bytes);
    report({point, Kind::Append, path, bytes.size(), true});
    return whole;
}

bool TLANFiles::replace(Point point, const std::string& path, std::string_view bytes) {
    report({point, Kind::Replace, path, bytes.size(), false});
    const bool written = AtomicFile::write(path, bytes);
    report({point, Kind::Replace, path, bytes.size(), true});
    return written;
}

bool TLANFiles::replace(Point point, const std::string& path, const Bytes& bytes) {
    return replace(point, path,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool TLANFiles::remove(Point point, const std::string& path) {
    report({point, Kind::Remove, path, 0, false});
    std::error_code failed;
    // A folder in the file's place goes too: nothing could be read or written there.
    std::filesystem::remove_all(path, failed);
    report({point, Kind::Remove, path, 0, true});
    return !failed;
}
