#include "platform/foundation/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

bool writeAll(int descriptor, const char* data, std::size_t length) {
    while (length > 0) {
        ssize_t written = ::write(descriptor, data, length);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

bool AtomicFile::write(const std::string& path, const Bytes& bytes) {
    return write(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool AtomicFile::write(const std::string& path, std::string_view bytes) {
    std::filesystem::path target(path);
    if (target.filename().empty()) {
        return false;
    }
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        return false;
    }
    // mkstemp makes the file private to us; a file of the app gets the usual mode.
    bool written = ::fchmod(descriptor, 0644) == 0 &&
                   writeAll(descriptor, bytes.data(), bytes.size()) && ::fsync(descriptor) == 0;
    written = ::close(descriptor) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

std::optional<Bytes> AtomicFile::read(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return std::nullopt;
    }
    Bytes bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad()) {
        return std::nullopt;
    }
    return bytes;
}
