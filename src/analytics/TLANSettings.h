#pragma once

#include <memory>
#include <optional>
#include <string>

// What the analytics helpers read from the library's settings: the application key, the
// application version handed in at start-up and the log switch. The settings singleton of the
// public interface implements it and installs itself; until then the answers are empty and the
// log is off. install() and current() may be called from any thread.
class TLANSettings {
public:
    virtual ~TLANSettings() = default;
    virtual std::string appid() const { return ""; }
    // Empty when none was set.
    virtual std::optional<std::string> appVersion() const { return std::nullopt; }
    virtual bool logEnabled() const { return false; }

    static void install(std::shared_ptr<const TLANSettings> settings);
    static std::shared_ptr<const TLANSettings> current();
};
