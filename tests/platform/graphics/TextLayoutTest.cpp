#include <gtest/gtest.h>

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
