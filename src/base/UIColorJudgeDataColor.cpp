#include "base/UIColorJudgeDataColor.h"

#include "platform/foundation/Text.h"

namespace {

const Color kRise = Color::rgb(255, 0, 0);
const Color kFall = Color::rgb(59, 210, 53);
const Color kFlat = Color::whiteColor();

}  // namespace

Color UIColorJudgeDataColor::judgeColorWithData(double value, double comparisonData) {
    if (value > comparisonData) {
        return kRise;
    }
    return value < comparisonData ? kFall : kFlat;
}

Color UIColorJudgeDataColor::getLableColorWithData(double value) {
    return judgeColorWithData(value, 0);
}

Color UIColorJudgeDataColor::getLableColorWithData(std::string_view text) {
    return getLableColorWithData(Text::doubleValue(text));
}
