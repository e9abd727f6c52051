#include "shell/AppUncaughtExceptionHandler.h"

#include <cstdlib>
#include <exception>
#include <fstream>
#include <typeinfo>

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/DayLog.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/UserDefaults.h"

namespace {
void onTerminate() {
    std::string name = "std::terminate";
    std::string reason = "terminate called without an active exception";
    if (auto current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& error) {
            name = typeid(error).name();
            reason = error.what();
        } catch (...) {
            name = "unknown exception";
            reason = "";
        }
    }
    AppUncaughtExceptionHandler::writeExceptionFile(name, reason);
    std::abort();
}
}  // namespace

void AppUncaughtExceptionHandler::setDefaultHandler() {
    std::set_terminate(onTerminate);
}

bool AppUncaughtExceptionHandler::writeExceptionFile(const std::string& name,
                                                     const std::string& reason) {
    std::ofstream file(Paths::join(Paths::documents(), kExceptionFileName),
                       std::ios::binary | std::ios::trunc);
    file << DateFormat("yyyy-MM-dd HH:mm:ss").format(DateFormat::now()) << "\n"
         << "name: " << name << "\n"
         << "reason: " << reason << "\n";
    return static_cast<bool>(file);
}

bool AppUncaughtExceptionHandler::writeDataToNSLogFile(const std::string& text,
                                                       const std::string& fileName,
                                                       const std::string& directorName) {
    if (!UserDefaults::standardUserDefaults().boolForKey(kDebugPreferenceKey)) {
        return false;
    }
    return DayLog::append(text, fileName, directorName);
}
