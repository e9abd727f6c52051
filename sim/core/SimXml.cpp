#include "sim/core/SimXml.h"

#include <utility>

std::string SimXml::escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string SimXml::field(const std::string& body, const std::string& tag) {
    const std::string open = "<" + tag + ">";
    const auto start = body.find(open);
    if (start == std::string::npos) {
        return {};
    }
    const auto from = start + open.size();
    const auto end = body.find("</" + tag + ">", from);
    if (end == std::string::npos) {
        return {};
    }
    std::string text = body.substr(from, end - from);
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : kEntities) {
        const std::string name(entity);
        for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
            text.replace(at, name.size(), plain);
        }
    }
    return text;
}
