#pragma once

#include <functional>
#include <string>

class Button;
class ExerciseRandom;
class ScreenDriver;
class View;

// The picker buttons of the trading forms at rest (no keyboard, no alert): each is enabled as
// the form's mode on show and its host say. A transfer form's holding-number picker opens
// unless the host fixed the number; its commodity picker opens unless the host fixed the
// commodity, and, where the host lets the mode decide, only by commodity. An opening form's
// commodity picker and a conditional transfer's number picker open unless fixed. Its event: a
// mode switch while the keypad is up, then the keypad closed. Owned by the exerciser; main
// thread.
class FormPickers {
public:
    // What the exerciser lends: its journalled tap, its journal and its violations.
    struct Hands {
        std::function<bool(View*, const std::string&)> tap;
        std::function<void(const std::string&)> note;
        std::function<void(const std::string&)> violation;
    };

    FormPickers(ScreenDriver& driver, Hands hands);

    // 0 unless a transfer form with both modes on offer is on show.
    int weight() const;
    void act(ExerciseRandom& random);
    // After every event.
    void check();

private:
    bool atRest() const;
    void showTheModes(const View* mode);
    void expect(const Button* picker, bool enabled, const std::string& what);

    ScreenDriver& m_driver;
    Hands m_hands;
};
