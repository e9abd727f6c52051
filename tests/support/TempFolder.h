#pragma once

#include <string>

// A fresh, empty folder under the system's temporary folder, removed with everything in it
// when the object goes away. For tests; main thread.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    // path() joined with a relative name.
    std::string file(const std::string& name) const;

private:
    std::string m_path;
};
