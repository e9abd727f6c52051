#pragma once

// A commodity entry of the directory answer, used for the first-launch watch list.
// Plain record; jysCode is nothing when the answer leaves the exchange out.

#include <optional>
#include <string>

struct VKJYDirectoryServerCmmdModel {
    std::optional<std::string> jysCode;
    std::string envCode;
    std::string cmmdCode;
};
