#include <QImage>

#include "UiFixture.h"
#include "platform/foundation/DateFormat.h"
#include "platform/ui/ActivityIndicator.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/WebView.h"

namespace {
double gmtDate(const std::string& text) {
    return *DateFormat("yyyy-MM-dd", DateFormat::Zone::gmt()).parse(text);
}
std::string gmtText(double date) {
    return DateFormat("yyyy-MM-dd", DateFormat::Zone::gmt()).format(date);
}
}  // namespace

class Pickers : public UiTest {
protected:
    Pickers() {
        picker = add(std::make_unique<DatePicker>(Rect{0, 300, 320, 216}));
        picker->setTimeZone(DateFormat::Zone::gmt());
        picker->setDate(gmtDate("2026-03-15"));
        picker->addTarget(ValueChanged,
                          [this](Control&) { changes.push_back(gmtText(picker->date())); });
    }
    Point above(int column) {
        Rect c = picker->columnRect(column);
        return picker->convertPoint({c.midX(), c.midY() - DatePicker::kRowHeight}, nullptr);
    }
    Point below(int column) {
        Rect c = picker->columnRect(column);
        return picker->convertPoint({c.midX(), c.midY() + DatePicker::kRowHeight}, nullptr);
    }
    DatePicker* picker;
    std::vector<std::string> changes;
};

TEST_F(Pickers, shouldStepColumnsByTapAndSendValueChanged) {
    driver.tapAt(below(2));
    driver.tapAt(above(1));
    driver.tapAt(below(0));
    EXPECT_EQ(changes, (std::vector<std::string>{"2026-03-16", "2026-02-16", "2027-02-16"}));
    EXPECT_EQ(picker->columnTexts(1)[1], "2月");
}

TEST_F(Pickers, shouldRefuseDatesAfterMaximum) {
    picker->setMaximumDate(gmtDate("2026-03-16"));
    driver.tapAt(below(2));
    driver.tapAt(below(2));
    driver.tapAt(below(1));
    EXPECT_EQ(changes, (std::vector<std::string>{"2026-03-16"}));
    EXPECT_EQ(gmtText(picker->date()), "2026-03-16");
}

TEST_F(Pickers, shouldStepByDragging) {
    Rect c = picker->columnRect(2);
    Point from = picker->convertPoint({c.midX(), c.midY()}, nullptr);
    driver.drag(from, {from.x, from.y - 2.5 * DatePicker::kRowHeight});
    EXPECT_EQ(gmtText(picker->date()), "2026-03-17");
}

class Misc : public UiTest {};

TEST_F(Misc, shouldShowSpinnerOnlyWhileAnimating) {
    auto* spinner = add(std::make_unique<ActivityIndicator>(ActivityIndicator::Style::WhiteLarge));
    EXPECT_TRUE(spinner->isHidden());
    spinner->startAnimating();
    EXPECT_FALSE(spinner->isHidden());
    EXPECT_EQ(spinner->frame().size(), (Size{37, 37}));
    spinner->stopAnimating();
    EXPECT_TRUE(spinner->isHidden());
}

TEST_F(Misc, shouldRenderHtmlAsTextWithoutScripts) {
    auto* web = add(std::make_unique<WebView>(Rect{0, 100, 320, 300}));
    web->loadHTMLString(
        "<div style='font-size:14px;color:white'><p>交易所公告</p><b>休市</b>"
        "<script>document.write('bad')</script><img src='http://127.0.0.1:1/x.png'></div>");
    std::string text = web->plainText();
    EXPECT_NE(text.find("交易所公告"), std::string::npos);
    EXPECT_NE(text.find("休市"), std::string::npos);
    EXPECT_EQ(text.find("bad"), std::string::npos);
    web->setBackgroundColor(Color::blackColor());
    QImage image = screen.renderImage();
    int white = 0;
    for (int y = 100; y < 160; ++y) {
        for (int x = 0; x < 120; ++x) {
            white += image.pixelColor(x, y).lightness() > 200 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 20);
}

TEST_F(Misc, shouldScrollWithWheelWithinContent) {
    auto* scroll = add(std::make_unique<ScrollView>(Rect{0, 100, 320, 255}));
    scroll->setContentSize({320, 450});
    EXPECT_TRUE(screen.scrollWheel({100, 200}, 0, 100));
    EXPECT_EQ(scroll->contentOffset().y, 100);
    screen.scrollWheel({100, 200}, 0, 500);
    EXPECT_EQ(scroll->contentOffset().y, 450 - 255);
    scroll->setScrollEnabled(false);
    screen.scrollWheel({100, 200}, 0, -500);
    EXPECT_EQ(scroll->contentOffset().y, 450 - 255);
}

TEST_F(Pickers, shouldStepHoursAndMinutesInTimeMode) {
    picker->setMode(DatePicker::Mode::Time);
    picker->setDate(gmtDate("2026-03-15") + 9 * 3600 + 30 * 60);
    EXPECT_EQ(picker->numberOfColumns(), 2);
    EXPECT_EQ(picker->columnTexts(0)[1], "09");
    driver.tapAt(below(1));
    EXPECT_EQ(picker->columnTexts(1)[1], "31");
    driver.tapAt(above(0));
    EXPECT_EQ(picker->columnTexts(0)[1], "08");
}

TEST_F(Misc, shouldStretchImageOverImageViewBounds) {
    QImage red(4, 4, QImage::Format_ARGB32);
    red.fill(Qt::red);
    add(std::make_unique<ImageView>(Rect{0, 100, 100, 50}, Image::fromQImage(red)));
    add(std::make_unique<ImageView>(Rect{0, 200, 100, 50}, Image::named("no-such-image.png")));
    EXPECT_TRUE(near(screen.colorAt({90, 140}), 255, 0, 0));
    EXPECT_FALSE(near(screen.colorAt({50, 225}), 255, 0, 0));
}

TEST_F(Misc, shouldShowHighlightedBackgroundWhilePressed) {
    QImage red(4, 4, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QImage blue(4, 4, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    auto* button = add(Button::create(Button::Type::Custom, {0, 100, 100, 44}));
    button->setBackgroundImage(Image::fromQImage(red));
    button->setBackgroundImage(Image::fromQImage(blue), StateHighlighted);
    EXPECT_TRUE(near(screen.colorAt({50, 120}), 255, 0, 0));
    screen.sendTouches({{1, TouchPhase::Began, {50, 120}}}, 1);
    EXPECT_TRUE(near(screen.colorAt({50, 120}), 0, 0, 255));
    screen.sendTouches({{1, TouchPhase::Ended, {50, 120}}}, 1.1);
    EXPECT_TRUE(near(screen.colorAt({50, 120}), 255, 0, 0));
}
