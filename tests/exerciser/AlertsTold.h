#pragma once

#include <string>
#include <vector>

#include "platform/foundation/WeakLink.h"

class AlertView;
class ScreenDriver;

// What the alerts that came up since a mark said, each once, as "title|message": the alerts on
// show at the mark, and those taken as seen, tell nothing. Owned by an exerciser event; main
// thread.
class AlertsTold {
public:
    explicit AlertsTold(ScreenDriver& driver) : m_driver(driver) {}

    // Forgets what was told; the alerts on show now are seen.
    void mark();
    // An alert the event itself brought up (a confirmation) tells nothing.
    void seen(AlertView* alert) { m_seen.emplace_back(alert); }
    // Keeps what each alert not seen before says.
    void note();
    // Runs the loop for `seconds`, noting.
    void watch(double seconds);
    const std::vector<std::string>& told() const { return m_told; }
    // " 'a' 'b'": what was told, for a journal line.
    std::string joined() const;

private:
    ScreenDriver& m_driver;
    std::vector<WeakLink<AlertView>> m_seen;
    std::vector<std::string> m_told;
};
