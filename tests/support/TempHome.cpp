#include "support/TempHome.h"

#include <cstdlib>

#include "platform/foundation/UserDefaults.h"

namespace {
constexpr const char* kHomeVariable = "VKJY_HOME";
}

TempHome::TempHome() {
    if (const char* previous = std::getenv(kHomeVariable)) {
        m_previous = previous;
    }
    setenv(kHomeVariable, m_folder.path().c_str(), 1);
    UserDefaults::resetStandardUserDefaults();
}

TempHome::~TempHome() {
    UserDefaults::resetStandardUserDefaults();
    if (m_previous) {
        setenv(kHomeVariable, m_previous->c_str(), 1);
    } else {
        unsetenv(kHomeVariable);
    }
}
