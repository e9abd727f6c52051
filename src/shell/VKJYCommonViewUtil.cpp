#include "shell/VKJYCommonViewUtil.h"

#include <memory>

#include "platform/foundation/Timer.h"
#include "platform/graphics/Font.h"
#include "platform/ui/Application.h"
#include "platform/ui/Label.h"
#include "platform/ui/Window.h"
#include "shell/VKJYActivityOverlayView.h"

namespace {
constexpr double kToastBottomMargin = 80;
constexpr double kToastPadding = 12;

std::vector<VKJYActivityOverlayView*> overlays(Window* window) {
    std::vector<VKJYActivityOverlayView*> found;
    if (!window) {
        return found;
    }
    for (View* view : window->subviews()) {
        if (auto* overlay = dynamic_cast<VKJYActivityOverlayView*>(view)) {
            found.push_back(overlay);
        }
    }
    return found;
}

Window* keyWindow() {
    auto* app = Application::shared();
    return app ? app->keyWindow() : nullptr;
}

// A toast label that removes itself when its time is up.
class ToastLabel : public Label {
public:
    ToastLabel(const Rect& frame, const std::string& text, double duration) : Label(frame, text) {
        m_timer = Timer::scheduledTimer(duration, false, [this] { removeFromSuperview(); });
    }

private:
    std::unique_ptr<Timer> m_timer;
};
}  // namespace

int VKJYCommonViewUtil::activityCount() {
    int holds = 0;
    for (const auto* overlay : overlays(keyWindow())) {
        holds += overlay->holds();
    }
    return holds;
}

void VKJYCommonViewUtil::showToast(const std::string& text, double duration) {
    Window* window = keyWindow();
    if (!window || text.empty()) {
        return;
    }
    const Rect area = window->bounds();
    Label measure(Rect(), text);
    measure.setFont(Font::system(15));
    Size size = measure.sizeThatFits({area.width - 60, 200});
    size.width += 2 * kToastPadding;
    size.height += kToastPadding;
    auto toast = std::make_unique<ToastLabel>(
        Rect((area.width - size.width) / 2, area.height - kToastBottomMargin - size.height,
             size.width, size.height),
        text, duration);
    toast->setFont(Font::system(15));
    toast->setTextColor(Color::whiteColor());
    toast->setTextAlignment(TextAlignment::Center);
    toast->setNumberOfLines(0);
    toast->setBackgroundColor(Color::rgb(0, 0, 0, 0.8));
    toast->setCornerRadius(8);
    window->addSubview(std::move(toast));
}
