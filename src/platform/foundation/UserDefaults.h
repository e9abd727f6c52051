#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/foundation/Bytes.h"
#include "platform/foundation/PropertyList.h"

// The application's defaults: a dictionary of property-list values kept in
// Library/Preferences/vkjy.plist under the app home. Every change is written to the file at
// once, atomically; synchronize() retries a write that failed. Absent keys read as "", 0,
// false or null; numbers and decimal texts convert into each other as the platform's
// defaults do ("10" reads as 10, "YES" as true). A file that cannot be read is kept aside
// (DamagedFile) and the defaults start with what could still be read of it (the readable
// entries of a damaged XML file), written back at once. Any thread (calls are serialised).
class UserDefaults {
public:
    static constexpr const char* kFileName = "vkjy.plist";

    // The shared defaults of the current app home. When the home changes (tests), the next
    // call opens the defaults of the new home; don't keep the reference across that.
    static UserDefaults& standardUserDefaults();
    // Forgets the shared instance; the next standardUserDefaults() reads the file again.
    static void resetStandardUserDefaults();

    // Defaults of the current app home, read from its file now.
    UserDefaults();
    // Defaults kept in the given file.
    explicit UserDefaults(std::string path);

    const std::string& path() const { return m_path; }

    bool contains(std::string_view key) const;
    PropertyList objectForKey(std::string_view key) const;
    std::string stringForKey(std::string_view key) const;
    std::int64_t integerForKey(std::string_view key) const;
    double doubleForKey(std::string_view key) const;
    bool boolForKey(std::string_view key) const;
    Bytes dataForKey(std::string_view key) const;
    // The stored value when it is an array (a dictionary), else null.
    PropertyList arrayForKey(std::string_view key) const;
    PropertyList dictionaryForKey(std::string_view key) const;

    // A null value removes the key.
    void setObject(PropertyList value, std::string_view key);
    void setString(std::string_view value, std::string_view key);
    void setInteger(std::int64_t value, std::string_view key);
    void setDouble(double value, std::string_view key);
    void setBool(bool value, std::string_view key);
    void setData(const Bytes& value, std::string_view key);
    void removeObjectForKey(std::string_view key);

    // Writes the values if a change is not yet on disk; true when the file holds them.
    bool synchronize();

private:
    void store();

    std::string m_path;
    mutable std::mutex m_mutex;
    PropertyList m_values = PropertyList::dictionary();
    bool m_unsaved = false;
};
