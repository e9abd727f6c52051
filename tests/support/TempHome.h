#pragma once

#include <optional>
#include <string>

#include "support/TempFolder.h"

// Points the app home (VKJY_HOME) at a fresh temporary folder for the life of the object and
// restores the previous home afterwards; the shared user defaults are forgotten on both
// edges so each test starts from empty defaults. For tests; main thread.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& path() const { return m_folder.path(); }

private:
    TempFolder m_folder;
    std::optional<std::string> m_previous;
};
