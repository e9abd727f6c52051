#pragma once

// A quote-server entry of the directory answer: its index and the group whose lines reach it.
// Plain record; VKJYHangQingUrlHelper turns these into the quote client's entries.

#include <string>

struct VKJYDirectoryServerHpModel {
    int hpIndex = 0;
    std::string zuID;
    std::string name;
};
