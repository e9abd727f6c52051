#include "shell/CUIApplication.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Event.h"
#include "platform/ui/Touch.h"

void CUIApplication::sendEvent(Event& event) {
    Application::sendEvent(event);
    if (event.type() != Event::Type::Touches) {
        return;
    }
    for (const Touch* touch : event.allTouches()) {
        if (touch->phase() == TouchPhase::Began || touch->phase() == TouchPhase::Ended) {
            NotificationCenter::defaultCenter().post(kScreenTimeOutNotification);
            return;
        }
    }
}
