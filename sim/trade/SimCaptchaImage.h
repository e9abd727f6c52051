#pragma once

// Draws a login captcha: the digits of the code in a blocky font over a speckled background,
// encoded as a greyscale PNG. Pure function of the code and the seed; any thread.

#include <cstdint>
#include <string>
#include <vector>

class SimCaptchaImage {
public:
    static constexpr int kScale = 4;

    // `code` holds digits only; other characters are left blank.
    static std::vector<uint8_t> png(const std::string& code, uint64_t seed);
};
