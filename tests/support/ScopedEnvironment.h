#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets (or, with nullptr, unsets) one environment variable for the life of the object and
// restores its earlier value afterwards. For tests; main thread.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name) {
        if (const char* previous = std::getenv(name)) {
            m_previous = previous;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnvironment() {
        m_previous ? setenv(m_name.c_str(), m_previous->c_str(), 1) : unsetenv(m_name.c_str());
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};
