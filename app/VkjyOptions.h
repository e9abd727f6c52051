#pragma once

// The client's command line: --home PATH (the app home), --screen 4|3.5, --scale N (desktop
// window scale), --headless (no desktop window even with a display), --help (the usage, nothing
// started). A plain record.

#include <optional>
#include <string>
#include <vector>

struct VkjyOptions {
    std::string home;
    bool fourInch = true;
    double scale = 1;
    bool headless = false;
    bool help = false;

    // Nothing, with a message in *error, for an unknown option or a bad value.
    static std::optional<VkjyOptions> parse(const std::vector<std::string>& args,
                                            std::string* error);
    static const char* usage();
    // What each option does, one or two lines each; printed under the usage by --help.
    static const char* optionsText();
};
