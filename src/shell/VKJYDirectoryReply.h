#pragma once

// The envelope of every directory-server reply: RESP with CODE, MSG and the request's own part.
// A value; made on the main thread from the reply body.

#include <optional>
#include <string>
#include <string_view>

#include "base/XMLTreeElement.h"

struct VKJYDirectoryReply {
    std::string code;
    std::string msg;
    XMLTreeElement resp;

    // Nothing when the body is not well-formed XML or its root is not RESP.
    static std::optional<VKJYDirectoryReply> parse(std::string_view body);
    bool succeeded() const { return code == "0"; }
    // The attribute's text, empty when it is missing.
    static std::string attribute(const XMLTreeElement& element, std::string_view name);
    static std::string childText(const XMLTreeElement& element, std::string_view name);
};
