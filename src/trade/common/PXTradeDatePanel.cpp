#include "trade/common/PXTradeDatePanel.h"

#include "platform/foundation/DateFormat.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "trade/common/PXTradeViewKit.h"

namespace {
constexpr double kSlideSeconds = 0.2;

double parkedTop() {
    const Rect app = PXTradeViewKit::appViewRect();
    return app.y + app.height;
}
}  // namespace

PXTradeDatePanel::PXTradeDatePanel(double latest, std::function<void()> hide)
    : View(Rect(0, parkedTop(), 320, kHeight)) {
    setBackgroundColor(Color::rgb(49, 49, 51));
    auto button = std::make_unique<Button>(Rect(230, 5, 70, 40));
    button->setTitle("隐藏");
    button->setTitleColor(Color::whiteColor());
    button->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    button->addTarget(TouchUpInside, [hide = std::move(hide)](Control&) { hide(); });
    addSubview(std::move(button));
    auto picker = std::make_unique<DatePicker>(Rect(0, 50, 320, kHeight));
    picker->setMode(DatePicker::Mode::Date);
    picker->setTimeZone(DateFormat::Zone::gmt());
    picker->setDate(latest);
    picker->setMaximumDate(latest);
    picker->setBackgroundColor(Color::rgb(230, 237, 243));
    m_datePicker = addSubview(std::move(picker));
}

void PXTradeDatePanel::raise(double date) {
    m_datePicker->setDate(date, true);
    slideTo(PXTradeViewKit::appViewRect().height - kHeight - 50);
}

void PXTradeDatePanel::park() {
    slideTo(parkedTop());
}

bool PXTradeDatePanel::pointInside(Point p) const {
    return View::pointInside(p) || m_datePicker->frame().contains(p);
}

void PXTradeDatePanel::slideTo(double y) {
    View::animate(kSlideSeconds, [this, y] {
        Rect frame = this->frame();
        frame.y = y;
        setFrame(frame);
    });
}
