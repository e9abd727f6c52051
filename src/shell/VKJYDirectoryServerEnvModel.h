#pragma once

// An environment of an exchange (live, simulation, ...): its names, category, type and
// businesses in answer order. Owned by its exchange record; read-only after parsing.

#include <memory>
#include <string>
#include <vector>

#include "shell/VKJYDirectoryServerYwModel.h"

struct VKJYDirectoryServerEnvModel {
    std::string envCode;
    std::string envN;
    std::string envTag;  // appended to merged commodity names; may be empty
    std::string envCat;  // "3": logins need the member-rights check
    std::string type;    // read as an integer; 2: no login captcha
    std::vector<std::shared_ptr<VKJYDirectoryServerYwModel>> ywArray;

    int typeValue() const;
    // The first business of that type in answer order, or nothing.
    std::shared_ptr<VKJYDirectoryServerYwModel> ywModelForType(const std::string& ywType) const;
    // Has businesses, and each of them has a line with an address.
    bool hasAllLines() const;
};
