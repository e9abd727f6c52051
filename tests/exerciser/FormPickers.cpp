#include "FormPickers.h"

#include "ExerciseRandom.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "trade/close/PXJYZhiJiaPingCangView.h"
#include "trade/close/PXZhuanRangFormView.h"
#include "trade/core/PXTradeModule.h"
#include "trade/open/PXJianCangFormView.h"

namespace {
constexpr double kCaptionX = 50;

// The red picture marks the mode on show.
bool byCommodityShown(const PXZhuanRangFormView& form) {
    return form.SPbutton()->backgroundImage().name() == "anniuhong.png";
}

std::string yesNo(bool value) {
    return value ? "yes" : "no";
}
}  // namespace

FormPickers::FormPickers(ScreenDriver& driver, Hands hands)
    : m_driver(driver), m_hands(std::move(hands)) {}

int FormPickers::weight() const {
    if (m_driver.visibleAlert() || !PXTradeModule::shared().tradeLogin()) {
        return 0;
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
        if (form->SPbutton()->isEnabled() && form->DHbutton()->isEnabled() &&
            m_driver.reaches(form->shuLiang())) {
            return 6;
        }
    }
    return 0;
}

// The quantity field brings the keypad up; the other mode is chosen (and now and then the first
// again) while it is up, and 完成 closes it.
void FormPickers::act(ExerciseRandom& random) {
    WeakLink<PXZhuanRangFormView> form;
    for (auto* candidate : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
        if (candidate->SPbutton()->isEnabled() && candidate->DHbutton()->isEnabled() &&
            m_driver.reaches(candidate->shuLiang())) {
            form = candidate;
        }
    }
    m_hands.note("a mode switch with the keypad up");
    if (!form || !m_hands.tap(form->shuLiang(), "field")) {
        return;
    }
    m_driver.settle();
    const int switches = random.chance(0.3) ? 2 : 1;
    for (int i = 0; i < switches && form; ++i) {
        Button* other = byCommodityShown(*form.get()) ? form->DHbutton() : form->SPbutton();
        if (!m_driver.reaches(other)) {
            showTheModes(other);
        }
        m_hands.tap(m_driver.reaches(other) ? other : nullptr, "mode");
        m_driver.settle();
    }
    m_hands.note("key 完成");
    if (!m_driver.pressKey("完成")) {
        m_driver.pressReturn();
    }
    m_driver.settle();
}

// The form scrolled its mode row away under the keypad: a person drags it back into sight.
void FormPickers::showTheModes(const View* mode) {
    const View* scroll = mode->superview();
    while (scroll && !dynamic_cast<const ScrollView*>(scroll)) {
        scroll = scroll->superview();
    }
    if (!scroll || !m_driver.isVisible(scroll)) {
        return;
    }
    // On the captions, clear of the fields and buttons, and below the navigation bar.
    const Rect area = m_driver.visibleRect(scroll);
    const Point from{kCaptionX, area.y + area.height / 3};
    m_hands.note("drag the form down");
    m_driver.drag(from, {from.x, from.y + area.height / 2});
    m_driver.settle();
}

void FormPickers::check() {
    if (!atRest()) {
        return;
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
        const bool byCommodity = byCommodityShown(*form);
        const std::string shown = std::string("a transfer form ") +
                                  (byCommodity ? "by commodity" : "by number") +
                                  ", commodity fixed " + yesNo(form->commodityFixed()) +
                                  ", number fixed " + yesNo(form->numberFixed()) + ": its ";
        expect(form->commodityNameButton(),
               !form->commodityFixed() && (byCommodity || !form->commodityNameButtonEnabled()),
               shown + "commodity picker");
        expect(form->danHaoButton(), !form->numberFixed(), shown + "holding-number picker");
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXJianCangFormView>()) {
        expect(form->commodityNameButton(), !form->commodityFixed(),
               "an opening form, commodity fixed " + yesNo(form->commodityFixed()) +
                   ": its commodity picker");
    }
    for (auto* form : m_driver.visibleViewsOfClass<PXJYZhiJiaPingCangView>()) {
        expect(form->commodityDanHao(), !form->numberFixed(),
               "a conditional transfer form, number fixed " + yesNo(form->numberFixed()) +
                   ": its holding-number picker");
    }
}

bool FormPickers::atRest() const {
    Window* window = m_driver.window();
    Application* application = Application::shared();
    Responder* editing = application ? application->firstResponder() : nullptr;
    return window && !window->keyboardView() && !(editing && editing->wantsKeyboard()) &&
           !m_driver.visibleAlert();
}

void FormPickers::expect(const Button* picker, bool enabled, const std::string& what) {
    if (!picker || !m_driver.isVisible(picker) || picker->isEnabled() == enabled) {
        return;
    }
    m_hands.violation(what + " is " + (picker->isEnabled() ? "enabled" : "disabled") +
                      " at rest, where the mode and the host say " +
                      (enabled ? "enabled" : "disabled"));
}
