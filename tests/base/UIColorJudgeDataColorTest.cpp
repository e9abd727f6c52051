#include <gtest/gtest.h>

#include <cmath>

#include "base/UIColorJudgeDataColor.h"

namespace {

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb&) const = default;
};

Rgb rgbOf(const Color& color) {
    EXPECT_EQ(color.alpha(), 1.0);
    return {color.red255(), color.green255(), color.blue255()};
}

const Rgb kRed{255, 0, 0};
const Rgb kGreen{59, 210, 53};
const Rgb kWhite{255, 255, 255};

TEST(UIColorJudgeDataColorTest, shouldColourAValueAgainstItsReference) {
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::judgeColorWithData(4321.5, 4321.0)), kRed);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::judgeColorWithData(4320.99, 4321.0)), kGreen);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::judgeColorWithData(4321.0, 4321.0)), kWhite);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::judgeColorWithData(-1, -2)), kRed);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::judgeColorWithData(std::nan(""), 1)), kWhite)
        << "a value that compares neither way is flat";
}

TEST(UIColorJudgeDataColorTest, shouldColourASignedFigureAgainstZero) {
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::getLableColorWithData(0.01)), kRed);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::getLableColorWithData(-0.01)), kGreen);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::getLableColorWithData(0.0)), kWhite);
}

TEST(UIColorJudgeDataColorTest, shouldReadATextByItsNumberAndCountOtherTextAsZero) {
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::getLableColorWithData("+1.25%")), kRed);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::getLableColorWithData("-0.50")), kGreen);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::getLableColorWithData("--")), kWhite);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::getLableColorWithData("")), kWhite);
    EXPECT_EQ(rgbOf(UIColorJudgeDataColor::getLableColorWithData("0.00")), kWhite);
}

}  // namespace
