#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/graphics/TextLayout.h"

TEST(TextLayout, shouldMeasureOneLineWhenUnconstrained) {
    Font font = Font::system(16);
    Size size = TextLayout::measure("澜石金银", font, {0, 0}, LineBreakMode::WordWrap);
    EXPECT_NEAR(size.width, 64, 2);
    EXPECT_NEAR(size.height, font.lineHeight(), 1);
}

TEST(TextLayout, shouldWrapChineseTextByWidth) {
    Font font = Font::system(16);
    Size size = TextLayout::measure("一二三四五六七八九十", font, {50, 0}, LineBreakMode::CharWrap);
    EXPECT_LE(size.width, 50);
    EXPECT_NEAR(size.height, 4 * font.lineHeight(), 1);
}

TEST(TextLayout, shouldStopAtTheLinesThatFitTheHeight) {
    Font font = Font::system(16);
    Size size = TextLayout::measure("一二三四五六七八九十", font, {50, 2.5 * font.lineHeight()},
                                    LineBreakMode::WordWrap);
    EXPECT_NEAR(size.height, 2 * font.lineHeight(), 1);
}

TEST(TextLayout, shouldTruncateTailOfTooLongLine) {
    Font font = Font::system(16);
    double full = font.widthOf("一二三四五六七八九十");
    Size size = TextLayout::measure("一二三四五六七八九十", font, {80, font.lineHeight()},
                                    LineBreakMode::TruncateTail);
    EXPECT_LT(size.width, full);
    EXPECT_LE(size.width, 80);
    EXPECT_NEAR(size.height, font.lineHeight(), 1);
}

TEST(TextLayout, shouldWrapWordsAfterACommaRatherThanInsideANumber) {
    const Font font = Font::named("Helvetica-Bold", 12);
    const std::string first = "(<=5187.00,";
    const std::string second = ">=5189.00)";
    Size size = TextLayout::measure(first + second, font, {101, 0}, LineBreakMode::WordWrap);
    EXPECT_NEAR(size.height, 2 * font.lineHeight(), 1);
    EXPECT_DOUBLE_EQ(size.width, std::ceil(std::max(font.widthOf(first), font.widthOf(second))));
}

TEST(TextLayout, shouldHonourExplicitLineBreaks) {
    Font font = Font::system(12);
    Size size = TextLayout::measure("甲\n乙\n丙", font, {0, 0}, LineBreakMode::WordWrap);
    EXPECT_NEAR(size.height, 3 * font.lineHeight(), 1);
}

TEST(TextLayout, shouldMeasureEmptyTextAsZero) {
    EXPECT_EQ(TextLayout::measure("", Font::system(12), {0, 0}, LineBreakMode::WordWrap), Size{});
}

TEST(TextLayout, shouldKeepATextOnTheLineItWasMeasuredFor) {
    const Font font = Font::system(8);
    for (const char* text : {"15:59", "4026.24", "+0.66%", "27"}) {
        const Size measured = TextLayout::measure(text, font, {0, 10}, LineBreakMode::CharWrap);
        const Size laid =
            TextLayout::measure(text, font, {measured.width, 0}, LineBreakMode::CharWrap);
        EXPECT_EQ(laid.height, measured.height) << text;
    }
}

// Layouts are kept between passes; each keeps to the box, font and mode it was made for.
TEST(TextLayout, shouldLayOutTheSameTextAnewForAnotherBoxFontOrMode) {
    const std::string text = "一二三四五六七八九十";
    const Font font = Font::system(16);
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_NEAR(TextLayout::measure(text, font, {0, 0}, LineBreakMode::CharWrap).height,
                    font.lineHeight(), 1);
        EXPECT_NEAR(TextLayout::measure(text, font, {50, 0}, LineBreakMode::CharWrap).height,
                    4 * font.lineHeight(), 1);
        EXPECT_NEAR(
            TextLayout::measure(text, font, {50, 2.5 * font.lineHeight()}, LineBreakMode::CharWrap)
                .height,
            2 * font.lineHeight(), 1);
        EXPECT_NEAR(
            TextLayout::measure(text, Font::system(8), {50, 0}, LineBreakMode::CharWrap).height,
            2 * Font::system(8).lineHeight(), 1);
        EXPECT_LE(TextLayout::measure(text, font, {50, 0}, LineBreakMode::TruncateTail).width, 50);
    }
}

namespace {

struct DrawnTextCase {
    const char* name;
    const char* text;
    Font font;
    double scale;
    Point at;
};

void PrintTo(const DrawnTextCase& c, std::ostream* os) {
    *os << c.name;
}

QImage blankCanvas() {
    QImage image(240, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    return image;
}

class TextLayoutDrawing : public testing::TestWithParam<DrawnTextCase> {};

}  // namespace

// Kept layouts draw their shaped glyphs again; the picture is the one the painter draws for the
// string itself, CJK fallback glyphs, scaled devices and fractional positions included.
TEST_P(TextLayoutDrawing, shouldDrawTheSamePixelsAsThePainterDrawsTheString) {
    const DrawnTextCase& c = GetParam();
    QImage expected = blankCanvas();
    {
        QPainter painter(&expected);
        painter.scale(c.scale, c.scale);
        painter.setFont(c.font.toQFont());
        painter.setPen(QColor(255, 33, 54));
        painter.drawText(QPointF(c.at.x, c.at.y + c.font.ascender()), QString::fromUtf8(c.text));
    }
    ASSERT_NE(expected, blankCanvas());
    for (int pass = 0; pass < 2; ++pass) {
        QImage drawn = blankCanvas();
        QPainter painter(&drawn);
        painter.scale(c.scale, c.scale);
        TextLayout::draw(painter, c.text, {c.at.x, c.at.y, 0, 0}, c.font, Color::rgb(255, 33, 54),
                         LineBreakMode::Clip, TextAlignment::Left);
        painter.end();
        EXPECT_EQ(drawn, expected) << "pass " << pass;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextLayoutDrawing,
    testing::Values(DrawnTextCase{"digits", "4258.69", Font::system(12), 1, {3, 4}},
                    DrawnTextCase{"cjk", "澜石金银", Font::system(16), 2, {2.25, 3.5}},
                    DrawnTextCase{
                        "mixed", "10MA:4156.98 时价", Font::named("Arial", 11), 2, {0.75, 1.25}},
                    DrawnTextCase{"bold", "MACD(12,26,9)", Font::boldSystem(10), 1.5, {5, 2}}),
    [](const testing::TestParamInfo<DrawnTextCase>& info) { return info.param.name; });

TEST(TextLayout, shouldLeaveThePaintersPenAsItFoundIt) {
    QImage image = blankCanvas();
    QPainter painter(&image);
    const QPen pen(QColor(1, 2, 3), 4);
    painter.setPen(pen);
    TextLayout::draw(painter, "价", {0, 0, 50, 20}, Font::system(12), Color::rgb(255, 255, 255),
                     LineBreakMode::WordWrap, TextAlignment::Left);
    EXPECT_EQ(painter.pen(), pen);
}
