#include "base/XMLTemplate.h"

#include <algorithm>

XMLTemplateFill XMLTemplate::fill(std::string_view templateText,
                                  const std::map<std::string, std::string>& values) {
    XMLTemplateFill result;
    size_t cursor = 0;
    while (cursor < templateText.size()) {
        const size_t open = templateText.find("$(", cursor);
        const size_t close =
            open == std::string_view::npos ? open : templateText.find(')', open + 2);
        if (close == std::string_view::npos) {
            result.text.append(templateText.substr(cursor));
            break;
        }
        const size_t nextDollar = templateText.find('$', open + 1);
        if (nextDollar < close) {
            // "$(a$(b)": only the last "$(" before the bracket opens a placeholder.
            result.text.append(templateText.substr(cursor, nextDollar - cursor));
            cursor = nextDollar;
            continue;
        }
        result.text.append(templateText.substr(cursor, open - cursor));
        const std::string key(templateText.substr(open + 2, close - open - 2));
        const auto found = values.find(key);
        if (found != values.end()) {
            result.text += escape(found->second);
        } else if (std::find(result.missingKeys.begin(), result.missingKeys.end(), key) ==
                   result.missingKeys.end()) {
            result.missingKeys.push_back(key);
        }
        cursor = close + 1;
    }
    return result;
}

std::string XMLTemplate::escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
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
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}
