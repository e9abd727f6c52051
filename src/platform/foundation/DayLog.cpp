#include "platform/foundation/DayLog.h"

#include <filesystem>
#include <fstream>
#include <mutex>

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/Paths.h"

bool DayLog::append(const std::string& text, const std::string& fileName,
                    const std::string& directoryName) {
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    const double now = DateFormat::now();
    const std::string folder = Paths::join(Paths::documents(), directoryName);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::ofstream file(Paths::join(folder, DateFormat("yyyy-MM-dd").format(now) + fileName),
                       std::ios::binary | std::ios::app);
    file << DateFormat("yyyy-MM-dd HH:mm:ss").format(now) << "＋" << text;
    return static_cast<bool>(file);
}
