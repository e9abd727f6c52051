#pragma once

#include <string_view>

#include "analytics/TLANSettings.h"
#include "analytics/TLANUtils.h"
#include "platform/foundation/Text.h"

// The analytics debug log: "Tally: <message>" to the system log while the log switch of the
// settings is on, nothing otherwise. The format is Text::format's. Any thread.
template <typename... Args>
void tallyLog(std::string_view format, const Args&... args) {
    if (!TLANSettings::current()->logEnabled()) {
        return;
    }
    TLANUtils::systemLog("Tally: " + Text::format(format, args...));
}
