#include "platform/foundation/DamagedFile.h"

#include <filesystem>

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/DayLog.h"

namespace fs = std::filesystem;

std::optional<std::string> DamagedFile::setAside(const std::string& path, const std::string& what,
                                                 const std::string& reason) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        return std::nullopt;
    }
    const std::string base =
        path + ".damaged-" + DateFormat("yyyyMMdd-HHmmss").format(DateFormat::now());
    std::string kept = base;
    for (int n = 2; fs::exists(kept, error); ++n) {
        kept = base + "-" + std::to_string(n);
    }
    fs::rename(path, kept, error);
    if (error) {
        DayLog::append(what + " (" + path + ") is damaged (" + reason +
                       ") and could not be moved aside: " + error.message() + "\n");
        return std::nullopt;
    }
    DayLog::append(what + " (" + path + ") is damaged (" + reason + "); kept as " +
                   fs::path(kept).filename().string() + ", starting afresh\n");
    return kept;
}
