#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// Result of filling a request template. `text` always holds the template with every known
// placeholder replaced and every unknown one removed; ok() is false when keys were missing, so a
// caller that must not send an empty field can refuse, and one that may can send `text`.
struct XMLTemplateFill {
    std::string text;
    std::vector<std::string> missingKeys;

    bool ok() const { return missingKeys.empty(); }
};

// XML request templates with "$(key)" placeholders. Stateless; any thread.
class XMLTemplate {
public:
    // One pass over the template: values are XML-escaped and never scanned for placeholders
    // themselves, so a value can neither break the document nor pull in another field.
    static XMLTemplateFill fill(std::string_view templateText,
                                const std::map<std::string, std::string>& values);
    static std::string escape(std::string_view text);
};
