#include "VkjyOptions.h"

#include <cstdlib>

std::optional<VkjyOptions> VkjyOptions::parse(const std::vector<std::string>& args,
                                              std::string* error) {
    VkjyOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--home") {
            if (!hasValue) {
                *error = "--home takes a folder";
                return std::nullopt;
            }
            options.home = args[++i];
        } else if (arg == "--screen") {
            if (!hasValue || (args[i + 1] != "4" && args[i + 1] != "3.5")) {
                *error = "--screen takes 4 or 3.5";
                return std::nullopt;
            }
            options.fourInch = args[++i] == "4";
        } else if (arg == "--scale") {
            options.scale = hasValue ? std::atof(args[++i].c_str()) : 0;
            if (options.scale < 0.5 || options.scale > 4) {
                *error = "--scale takes a number from 0.5 to 4";
                return std::nullopt;
            }
        } else if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--help") {
            options.help = true;
        } else {
            *error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    return options;
}

const char* VkjyOptions::usage() {
    return "usage: vkjy [--home PATH] [--screen 4|3.5] [--scale N] [--headless] [--help]";
}

const char* VkjyOptions::optionsText() {
    return "  --home PATH     the folder that keeps the watch list, the saved accounts, the\n"
           "                  settings, the quote cache and the day logs; default $VKJY_HOME,\n"
           "                  else $XDG_DATA_HOME/vkjy, else ~/.local/share/vkjy\n"
           "  --screen 4|3.5  the phone the screens are laid out for: 4 (320x568 points, the\n"
           "                  default) or 3.5 (320x480)\n"
           "  --scale N       desktop window pixels per point, 0.5 to 4 (default 1)\n"
           "  --headless      no desktop window, the client runs offscreen; chosen by itself\n"
           "                  when neither DISPLAY nor WAYLAND_DISPLAY is set\n"
           "  --help          this text; nothing is started";
}
