#pragma once

#include <string_view>

#include "platform/graphics/Color.h"

// The rise/fall colour rule of every price display: above the reference red (255, 0, 0), below
// green (59, 210, 53), equal white. Stateless; any thread.
class UIColorJudgeDataColor {
public:
    static Color judgeColorWithData(double value, double comparisonData);
    // The same rule against zero.
    static Color getLableColorWithData(double value);
    // A text is read by its decimal prefix; one that is no number counts as 0 (white).
    static Color getLableColorWithData(std::string_view text);
};
