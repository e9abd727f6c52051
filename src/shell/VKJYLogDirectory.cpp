#include "shell/VKJYLogDirectory.h"

#include <filesystem>
#include <vector>

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/Paths.h"

namespace fs = std::filesystem;

std::string VKJYLogDirectory::path() {
    return Paths::join(Paths::documents(), kDirectoryName);
}

int VKJYLogDirectory::prepare(double now) {
    std::error_code error;
    fs::create_directories(path(), error);
    const DateFormat day("yyyy-MM-dd");
    const std::string today = day.format(now) + kDayLogFileName;
    const std::string yesterday = day.format(DateFormat::addingDays(now, -1)) + kDayLogFileName;
    std::vector<fs::path> expired;
    for (const auto& entry : fs::directory_iterator(path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name != today && name != yesterday) {
            expired.push_back(entry.path());
        }
    }
    int removed = 0;
    for (const auto& entry : expired) {
        if (fs::remove_all(entry, error) > 0) {
            ++removed;
        }
    }
    return removed;
}
