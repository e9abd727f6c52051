#include "AlertsTold.h"

#include <algorithm>

#include "platform/ui/AlertView.h"
#include "platform/ui/ScreenDriver.h"

void AlertsTold::mark() {
    m_seen.clear();
    m_told.clear();
    for (AlertView* alert : m_driver.viewsOfClass<AlertView>()) {
        m_seen.emplace_back(alert);
    }
}

void AlertsTold::note() {
    for (AlertView* alert : m_driver.viewsOfClass<AlertView>()) {
        if (std::none_of(m_seen.begin(), m_seen.end(), [alert](const WeakLink<AlertView>& seen) {
                return seen.get() == alert;
            })) {
            m_seen.emplace_back(alert);
            m_told.push_back(alert->title() + "|" + alert->message());
        }
    }
}

void AlertsTold::watch(double seconds) {
    m_driver.runFor(seconds, [this] {
        note();
        return false;
    });
}

std::string AlertsTold::joined() const {
    std::string all;
    for (const auto& text : m_told) {
        all += " '" + text + "'";
    }
    return all;
}
